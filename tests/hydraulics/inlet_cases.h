#pragma once
// Inputs as the inlet design form holds them, and checks of what a computation
// wrote.

#include <gtest/gtest.h>

#include <map>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

#include "hydraulics/controls.h"
#include "hydraulics/port.h"
#include "recording_form.h"

namespace rg::hyd::testing {

using Texts = std::map<std::string, std::string>;

// The form's default inputs of a new inlet, flows and list choices added.
inline Texts english_inputs() {
  return {{"allowable_spread", "8.0"}, {"txtS", "0.010"},      {"txtn", "0.015"},
          {"txtW", "2.000"},           {"txtSx", "0.0208"},    {"txtSw", "0.0833"},
          {"txtWa", "2.000"},          {"txta", "2.000"},      {"cboLength", "2.000"},
          {"cboLCOUG", "2.000"},       {"txtWg", "2.000"},     {"txtzl", "3.000"},
          {"txtzr", "3.000"},          {"txthco", "4.000"},    {"txtPeri", "6.000"},
          {"txtArea", "4.000"},        {"txtslotw", "4.000"},  {"txtAngle", "0.00"},
          {"cboType", "P-1-7/8"},      {"cboThroat", "Vertical"}, {"cboCurb", "With Curb"},
          {"cboClog", "0"},            {"QTotal", "3"},        {"discharge1", "1.5"},
          {"carryover1", "0.0"},       {"discharge2", "1.5"},  {"carryover2", "0.0"}};
}

inline Texts metric_inputs() {
  return {{"allowable_spread", "3.0"}, {"txtS", "0.0100"},     {"txtn", "0.015"},
          {"txtW", "0.6000"},          {"txtSx", "0.0200"},    {"txtSw", "0.0833"},
          {"txtWa", "0.6000"},         {"txta", "50.0000"},    {"cboLength", "0.6000"},
          {"cboLCOUG", "0.6000"},      {"txtWg", "0.6000"},    {"txtzl", "3.000"},
          {"txtzr", "3.000"},          {"txthco", "200.0000"}, {"txtPeri", "2.0000"},
          {"txtArea", "1.2000"},       {"txtslotw", "100.0000"}, {"txtAngle", "0.00"},
          {"cboType", "P-50"},         {"cboThroat", "Vertical"}, {"cboCurb", "With Curb"},
          {"cboClog", "0"},            {"QTotal", "0.1"},      {"discharge1", "0.05"},
          {"carryover1", "0.0"},       {"discharge2", "0.05"}, {"carryover2", "0.0"}};
}

inline Texts with(Texts base, const Texts& changes) {
  for (const auto& [k, v] : changes) base[k] = v;
  return base;
}

// A box's expected number; or, with a text, its expected text.
struct Expected {
  Expected(std::string b, double v) : box(std::move(b)), value(v) {}
  Expected(std::string b, double, std::string t) : box(std::move(b)), text(std::move(t)) {}
  std::string box;
  double value = 0.0;
  std::string text;
};

// A computation, its inputs, and what it writes when it gets through.
struct ComputationCase {
  std::string name;
  Outcome (*compute)(InletFormPort&);
  std::string units;
  Texts inputs;
  std::vector<Expected> expected;
  friend void PrintTo(const ComputationCase& c, std::ostream* os) { *os << c.name; }
};

// A computation, inputs that make it fail, and the boxes written before it did.
struct FailureCase {
  std::string name;
  Outcome (*compute)(InletFormPort&);
  Texts inputs;
  std::vector<std::string> written;
  friend void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }
};

// Every expected box holds its value (within tol) or text, the boxes were
// written in exactly the expected order, the results were formatted once at the
// very end, and no message was shown.
inline void expect_success(RecordingForm& form, const std::vector<Expected>& expected,
                           double tol = 1e-3) {
  std::vector<std::string> order;
  for (const Expected& e : expected) {
    order.push_back(e.box);
    if (!e.text.empty()) {
      EXPECT_EQ(form.text(e.box), e.text) << e.box;
      continue;
    }
    const auto v = form.number(e.box);
    ASSERT_TRUE(v.has_value()) << e.box << " holds '" << form.text(e.box) << "'";
    EXPECT_NEAR(*v, e.value, tol) << e.box;
  }
  EXPECT_EQ(form.written(), order);
  EXPECT_TRUE(form.messages().empty());
  EXPECT_EQ(form.count(Event::Kind::format_results), 1);
  ASSERT_FALSE(form.events.empty());
  EXPECT_EQ(form.events.back().kind, Event::Kind::format_results);
}

// The failure path: exactly these boxes written, then the exclamation box, and
// nothing formatted.
inline void expect_failure(RecordingForm& form, const std::vector<std::string>& written) {
  EXPECT_EQ(form.written(), written);
  const auto messages = form.messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "No results computed.  Invalid input.");
  EXPECT_EQ(messages[0].icon, MessageIcon::exclamation);
  EXPECT_EQ(messages[0].title, "");
  EXPECT_EQ(form.count(Event::Kind::format_results), 0);
  EXPECT_EQ(form.events.back().kind, Event::Kind::message);
}

// A refusal: the plain box (then, where the computation clears, every result
// box emptied), nothing formatted and no exclamation box.
inline void expect_refusal(RecordingForm& form, std::string_view message, bool clears) {
  ASSERT_GE(form.events.size(), clears ? 2u : 1u);
  const Event& box = form.events[form.events.size() - (clears ? 2 : 1)];
  EXPECT_EQ(box.kind, Event::Kind::message);
  EXPECT_EQ(box.text, message);
  EXPECT_EQ(box.icon, MessageIcon::none);
  EXPECT_EQ(box.title, "");
  EXPECT_EQ(form.count(Event::Kind::message), 1);
  EXPECT_EQ(form.count(Event::Kind::clear_results), clears ? 1 : 0);
  if (clears) {
    EXPECT_EQ(form.events.back().kind, Event::Kind::clear_results);
    for (const auto box_name : controls::result_boxes) EXPECT_EQ(form.text(box_name), "") << box_name;
  }
  EXPECT_EQ(form.count(Event::Kind::format_results), 0);
}

}  // namespace rg::hyd::testing
