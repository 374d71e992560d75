#pragma once
// Inlets as the design form holds them, run through the dispatch by their inlet
// type and location texts, and checks of what the computation did.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "hydraulics/dispatch.h"
#include "recording_form.h"

namespace rg::hyd::testing {

// "box=text, box=text": a list of boxes with their texts.
inline std::vector<std::pair<std::string, std::string>> pairs(const std::string& list) {
  std::vector<std::pair<std::string, std::string>> out;
  std::size_t start = 0;
  while (start < list.size()) {
    std::size_t end = list.find(',', start);
    if (end == std::string::npos) end = list.size();
    const std::string item = text::trim(list.substr(start, end - start));
    const std::size_t eq = item.find('=');
    if (!item.empty()) {
      out.emplace_back(item.substr(0, eq), eq == std::string::npos ? "" : item.substr(eq + 1));
    }
    start = end + 1;
  }
  return out;
}

// The form's default inputs of a new inlet, flows and list choices added.
inline const std::string english_inputs =
    "allowable_spread=8.0, txtS=0.010, txtn=0.015, txtW=2.000, txtSx=0.0208, txtSw=0.0833,"
    "txtWa=2.000, txta=2.000, cboLength=2.000, cboLCOUG=2.000, txtWg=2.000, txtzl=3.000,"
    "txtzr=3.000, txthco=4.000, txtPeri=6.000, txtArea=4.000, txtslotw=4.000, txtAngle=0.00,"
    "cboType=P-1-7/8, cboThroat=Vertical, cboCurb=With Curb, cboClog=0, QTotal=3,"
    "discharge1=1.5, carryover1=0.0, discharge2=1.5, carryover2=0.0";
inline const std::string metric_inputs =
    "allowable_spread=3.0, txtS=0.0100, txtn=0.015, txtW=0.6000, txtSx=0.0200, txtSw=0.0833,"
    "txtWa=0.6000, txta=50.0000, cboLength=0.6000, cboLCOUG=0.6000, txtWg=0.6000, txtzl=3.000,"
    "txtzr=3.000, txthco=200.0000, txtPeri=2.0000, txtArea=1.2000, txtslotw=100.0000,"
    "txtAngle=0.00, cboType=P-50, cboThroat=Vertical, cboCurb=With Curb, cboClog=0, QTotal=0.1,"
    "discharge1=0.05, carryover1=0.0, discharge2=0.05, carryover2=0.0";

// An inlet of the given type and location in a project of the given unit
// system, the defaults of that system changed by `changes`.
struct Inlet {
  const char* type;
  const char* location;
  const char* units;  // only "ENGLISH" is English
  std::string changes;
  bool metric() const { return std::string(units) != "ENGLISH"; }
};

// Runs the inlet's computation, found by its two texts, on a fresh form.
inline Outcome run(RecordingForm& form, const Inlet& inlet) {
  for (const auto& [box, text] : pairs(inlet.metric() ? metric_inputs : english_inputs)) form.type(box, text);
  for (const auto& [box, text] : pairs(inlet.changes)) form.type(box, text);
  const InletKind* kind = find_inlet_kind(inlet.type, inlet.location);
  if (kind == nullptr) {
    ADD_FAILURE() << "no computation for " << inlet.type << " / " << inlet.location;
    return Outcome::refused;
  }
  return kind->compute(form);
}

inline std::string trace(const Inlet& inlet) {
  return std::string(inlet.type) + " / " + inlet.location + " / " + inlet.units + ": " + inlet.changes;
}

// "title|text" of each message box, all of them plain.
inline std::vector<std::string> plain_messages(const RecordingForm& form) {
  std::vector<std::string> out;
  for (const Event& e : form.of(Event::Kind::message)) {
    EXPECT_EQ(e.icon, MessageIcon::none) << e.text;
    out.push_back(e.title + "|" + e.text);
  }
  return out;
}

// The boxes of `expected` ("box=number" within 1e-4, or "box=text") were
// written in exactly that order, and the results formatted once at the end.
inline void expect_results(RecordingForm& form, const std::string& expected) {
  std::vector<std::string> order;
  for (const auto& [box, want] : pairs(expected)) {
    order.push_back(box);
    const auto number = text::parse_number(want);
    if (!number) {
      EXPECT_EQ(form.text(box), want) << box;
      continue;
    }
    const auto got = form.number(box);
    ASSERT_TRUE(got.has_value()) << box << " holds '" << form.text(box) << "'";
    EXPECT_NEAR(*got, *number, 1e-4) << box;
  }
  EXPECT_EQ(form.written(), order);
  EXPECT_EQ(form.of(Event::Kind::format_results).size(), 1u);
  ASSERT_FALSE(form.events.empty());
  EXPECT_EQ(form.events.back().kind, Event::Kind::format_results);
}

inline constexpr const char* invalid_input = "No results computed.  Invalid input.";

// How a run ends short of its results: failed, keeping the boxes written before
// the exclamation box; or refused with a plain box, after which a refusal for
// invalid input empties every result box.
struct Stop {
  Inlet inlet;
  Outcome outcome;
  std::string written;  // failed: the boxes written; refused: the message
};

inline void expect_stop(RecordingForm& form, const Stop& stop) {
  EXPECT_TRUE(form.of(Event::Kind::format_results).empty());
  const auto messages = form.of(Event::Kind::message);
  ASSERT_EQ(messages.size(), 1u);
  if (stop.outcome == Outcome::failed) {
    std::vector<std::string> written;
    for (const auto& [box, text] : pairs(stop.written)) written.push_back(box);
    EXPECT_EQ(form.written(), written);
    EXPECT_EQ(messages[0].text, invalid_input);
    EXPECT_EQ(messages[0].icon, MessageIcon::exclamation);
    EXPECT_EQ(messages[0].title, "");
    EXPECT_EQ(form.events.back().kind, Event::Kind::message);
    return;
  }
  EXPECT_EQ(plain_messages(form), std::vector<std::string>{"|" + stop.written});
  const bool clears = stop.written == invalid_input;
  EXPECT_EQ(form.of(Event::Kind::clear_results).size(), clears ? 1u : 0u);
  if (clears) {
    EXPECT_EQ(form.events.back().kind, Event::Kind::clear_results);
    for (const auto box : controls::result_boxes) EXPECT_EQ(form.text(box), "") << box;
  } else {
    EXPECT_TRUE(form.written().empty());
  }
}

}  // namespace rg::hyd::testing
