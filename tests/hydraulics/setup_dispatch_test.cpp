// The input set-up of every inlet kind, found by its type and location texts.

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "hydraulics/controls.h"
#include "hydraulics/dispatch.h"
#include "recording_form.h"

namespace rg::hyd::testing {
namespace {

std::set<std::string> words(const std::string& list) {
  std::istringstream in(list);
  return {std::istream_iterator<std::string>(in), std::istream_iterator<std::string>()};
}

TEST(InputSetup, EnablesWhatTheKindUsesThenEmptiesAndGreysTheRestInThreePasses) {
  const std::string gutter = "txtS txtn txtW txtSx txtSw txtWa txta ";
  struct Case {
    const char* type;
    const char* location;
    std::string used;
    std::string greyed_kept;
  } cases[] = {
      {"Curb Inlet", "CONTINUOUS GRADE", gutter + "cboLength", ""},
      {"Slotted Inlet", "CONTINUOUS GRADE", gutter + "cboLength", ""},
      {"Grate Inlet", "CONTINUOUS GRADE", gutter + "txtWg cboLength cboType", ""},
      {"Combination Curb and Grate Inlet", "CONTINUOUS GRADE",
       gutter + "txtWg cboLength cboLCOUG cboType", ""},
      {"Grate Inlet in a Ditch", "CONTINUOUS GRADE", "txtS txtn txtW txtWg txtzl txtzr cboLength cboType", ""},
      {"Curb Inlet", "SUMP", gutter + "cboLength txthco cboThroat txtAngle", ""},
      {"Grate Inlet", "SUMP", gutter + "txtWg cboLength txtPeri txtArea cboClog cboCurb", ""},
      {"Combination Curb and Grate Inlet", "SUMP",
       gutter + "txtWg cboLength txthco cboThroat txtAngle txtPeri txtArea cboClog", ""},
      {"Slotted Inlet", "SUMP", gutter + "cboLength cboClog txtslotw", ""},
      {"Grate Inlet in a Ditch", "SUMP", "txtWg cboLength txtPeri txtArea cboClog", "txtS"},
  };
  const auto& inputs = controls::geometry_inputs;
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.type) + " / " + c.location);
    const InletKind* kind = find_inlet_kind(c.type, c.location);
    ASSERT_NE(kind, nullptr);
    RecordingForm form;
    for (const auto input : inputs) form.type(input, "typed");
    kind->setup_inputs(form);

    const std::set<std::string> used = words(c.used);
    const std::set<std::string> kept = words(c.greyed_kept);
    std::vector<std::string> emptied;
    for (const auto input : inputs) {
      const std::string name(input);
      const bool on = used.count(name) != 0;
      EXPECT_EQ(form.enabled(name), on) << name;
      EXPECT_EQ(form.color(name), on ? color_window_background : color_button_face) << name;
      if (!on && kept.count(name) == 0) emptied.push_back(name);
      EXPECT_EQ(form.text(input), emptied.empty() || emptied.back() != name ? "typed" : "") << name;
    }
    // Enabled for all, then the texts emptied, then the colours for all, each in
    // the form's order; the combination in a sag empties cboLCOUG last.
    if (std::string(c.type).starts_with("Combination") && std::string(c.location) == "SUMP") {
      std::erase(emptied, "cboLCOUG");
      emptied.push_back("cboLCOUG");
    }
    EXPECT_EQ(form.written(), emptied);
    const std::size_t n = inputs.size();
    ASSERT_EQ(form.events.size(), n + emptied.size() + n);
    for (std::size_t i = 0; i < n; ++i) {
      EXPECT_EQ(form.events[i].kind, Event::Kind::enabled);
      EXPECT_EQ(form.events[i].control, inputs[i].name());
      EXPECT_EQ(form.events[n + emptied.size() + i].kind, Event::Kind::back_color);
      EXPECT_EQ(form.events[n + emptied.size() + i].control, inputs[i].name());
    }
  }
}

TEST(Dispatch, TextsMustMatchExactly) {
  for (const auto& [type, location] : {std::pair{"curb inlet", "SUMP"}, {"Curb Inlet ", "SUMP"},
                                       {"Curb Inlet", "Sump"}, {"", ""}, {"Grate Inlet", "CONTINUOUS  GRADE"}}) {
    EXPECT_EQ(find_inlet_kind(type, location), nullptr) << type << " / " << location;
  }
}

}  // namespace
}  // namespace rg::hyd::testing
