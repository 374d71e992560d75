// The input set-up of every inlet kind and the dispatch table.

#include <gtest/gtest.h>

#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "hydraulics/computations.h"
#include "hydraulics/controls.h"
#include "hydraulics/dispatch.h"
#include "recording_form.h"

namespace rg::hyd::testing {
namespace {

const std::vector<std::string> gutter7 = {"txtS", "txtSx", "txtSw", "txtWa", "txta", "txtn", "txtW"};

std::set<std::string> plus(std::vector<std::string> names, const std::vector<std::string>& more) {
  names.insert(names.end(), more.begin(), more.end());
  return {names.begin(), names.end()};
}

struct SetupCase {
  std::string name;
  void (*setup_inputs)(InletFormPort&);
  std::set<std::string> used;
  std::set<std::string> greyed_kept;
  friend void PrintTo(const SetupCase& c, std::ostream* os) { *os << c.name; }
};

class InputSetup : public ::testing::TestWithParam<SetupCase> {
 protected:
  void SetUp() override {
    for (const auto input : controls::geometry_inputs) form.type(input, "typed");
  }
  RecordingForm form;
};

TEST_P(InputSetup, EnablesWhatTheKindUsesAndEmptiesAndGreysTheRest) {
  const SetupCase& c = GetParam();
  c.setup_inputs(form);
  for (const auto input : controls::geometry_inputs) {
    const std::string name(input);
    if (c.used.count(name) != 0) {
      EXPECT_EQ(form.enabled(input), true) << name;
      EXPECT_EQ(form.color(input), 0x80000005u) << name;
      EXPECT_EQ(form.text(input), "typed") << name;
    } else if (c.greyed_kept.count(name) != 0) {
      EXPECT_EQ(form.enabled(input), false) << name;
      EXPECT_EQ(form.color(input), 0x8000000Fu) << name;
      EXPECT_EQ(form.text(input), "typed") << name;
    } else {
      EXPECT_EQ(form.enabled(input), false) << name;
      EXPECT_EQ(form.color(input), 0x8000000Fu) << name;
      EXPECT_EQ(form.text(input), "") << name;
    }
  }
}

TEST_P(InputSetup, MakesThreePassesInTableOrder) {
  const SetupCase& c = GetParam();
  c.setup_inputs(form);
  const std::size_t n = controls::geometry_inputs.size();
  const std::size_t emptied = n - c.used.size() - c.greyed_kept.size();
  ASSERT_EQ(form.events.size(), n + emptied + n);
  for (std::size_t i = 0; i < n; ++i) {
    EXPECT_EQ(form.events[i].kind, Event::Kind::enabled);
    EXPECT_EQ(form.events[i].control, controls::geometry_inputs[i]);
    EXPECT_EQ(form.events[n + emptied + i].kind, Event::Kind::back_color);
    EXPECT_EQ(form.events[n + emptied + i].control, controls::geometry_inputs[i]);
  }
  for (std::size_t i = n; i < n + emptied; ++i) {
    EXPECT_EQ(form.events[i].kind, Event::Kind::text);
    EXPECT_EQ(form.events[i].text, "");
  }
}

TEST_P(InputSetup, TwiceIsTheSameAsOnce) {
  const SetupCase& c = GetParam();
  c.setup_inputs(form);
  RecordingForm again;
  for (const auto input : controls::geometry_inputs) again.type(input, "typed");
  c.setup_inputs(again);
  c.setup_inputs(again);
  for (const auto input : controls::geometry_inputs) {
    EXPECT_EQ(again.text(input), form.text(input)) << input;
    EXPECT_EQ(again.enabled(input), form.enabled(input)) << input;
    EXPECT_EQ(again.color(input), form.color(input)) << input;
  }
}

INSTANTIATE_TEST_SUITE_P(
    AllKinds, InputSetup,
    ::testing::Values(
        SetupCase{"CISI_CG", CISI_CG_RESULTS::setup_inputs, plus(gutter7, {"cboLength"}), {}},
        SetupCase{"GI_CG", GI_CG_RESULTS::setup_inputs, plus(gutter7, {"txtWg", "cboLength", "cboType"}), {}},
        SetupCase{"COMBO_CG", COMBO_CG_RESULTS::setup_inputs,
                  plus(gutter7, {"txtWg", "cboLength", "cboLCOUG", "cboType"}), {}},
        SetupCase{"TRAP_CG", TRAP_CG_RESULTS::setup_inputs,
                  plus({"txtS", "txtn", "txtW"}, {"txtWg", "txtzl", "txtzr", "cboLength", "cboType"}), {}},
        SetupCase{"CI_SU", CI_SU_RESULTS::setup_inputs,
                  plus(gutter7, {"cboLength", "txthco", "cboThroat", "txtAngle"}), {}},
        SetupCase{"GI_SU", GI_SU_RESULTS::setup_inputs,
                  plus(gutter7, {"txtWg", "cboLength", "txtPeri", "txtArea", "cboClog", "cboCurb"}), {}},
        SetupCase{"COMBO_SU", COMBO_SU_RESULTS::setup_inputs,
                  plus(gutter7, {"txtWg", "cboLength", "txthco", "cboThroat", "txtAngle", "txtPeri",
                                 "txtArea", "cboClog"}),
                  {}},
        SetupCase{"SI_SU", SI_SU_RESULTS::setup_inputs,
                  plus(gutter7, {"cboLength", "cboClog", "txtslotw"}), {}},
        SetupCase{"TRAP_SU", TRAP_SU_RESULTS::setup_inputs,
                  plus({"txtWg"}, {"cboLength", "txtPeri", "txtArea", "cboClog"}), {"txtS"}}),
    [](const auto& info) { return info.param.name; });

TEST(InputSetupOrder, CombinationInASagEmptiesTheUpstreamOpeningLengthLast) {
  RecordingForm form;
  COMBO_SU_RESULTS::setup_inputs(form);
  std::vector<std::string> emptied;
  for (const Event& e : form.events) {
    if (e.kind == Event::Kind::text) emptied.push_back(e.control);
  }
  EXPECT_EQ(emptied, (std::vector<std::string>{"txtzl", "txtzr", "cboType", "cboCurb", "txtslotw", "cboLCOUG"}));
}

struct KindCase {
  std::string type, location;
  void (*setup_inputs)(InletFormPort&);
  Outcome (*compute)(InletFormPort&);
  std::string caption;
};

TEST(Dispatch, EveryPairOfTypeAndLocationHasItsSetupComputationAndCaption) {
  const std::string grade = "CONTINUOUS GRADE";
  const std::string sump = "SUMP";
  const KindCase kinds[] = {
      {"Curb Inlet", grade, CISI_CG_RESULTS::setup_inputs, CISI_CG_RESULTS::compute, "INLET LENGTH"},
      {"Curb Inlet", sump, CI_SU_RESULTS::setup_inputs, CI_SU_RESULTS::compute, "INLET LENGTH"},
      {"Grate Inlet", grade, GI_CG_RESULTS::setup_inputs, GI_CG_RESULTS::compute, "GRATE LENGTH"},
      {"Grate Inlet", sump, GI_SU_RESULTS::setup_inputs, GI_SU_RESULTS::compute, "GRATE LENGTH"},
      {"Combination Curb and Grate Inlet", grade, COMBO_CG_RESULTS::setup_inputs,
       COMBO_CG_RESULTS::compute, "GRATE LENGTH"},
      {"Combination Curb and Grate Inlet", sump, COMBO_SU_RESULTS::setup_inputs,
       COMBO_SU_RESULTS::compute, "INLET LENGTH"},
      {"Slotted Inlet", grade, CISI_CG_RESULTS::setup_inputs, CISI_CG_RESULTS::compute, "INLET LENGTH"},
      {"Slotted Inlet", sump, SI_SU_RESULTS::setup_inputs, SI_SU_RESULTS::compute, "INLET LENGTH"},
      {"Grate Inlet in a Ditch", grade, TRAP_CG_RESULTS::setup_inputs, TRAP_CG_RESULTS::compute,
       "GRATE LENGTH"},
      {"Grate Inlet in a Ditch", sump, TRAP_SU_RESULTS::setup_inputs, TRAP_SU_RESULTS::compute,
       "GRATE LENGTH"}};
  EXPECT_EQ(inlet_kinds().size(), std::size(kinds));
  for (const KindCase& k : kinds) {
    const InletKind* found = find_inlet_kind(k.type, k.location);
    ASSERT_NE(found, nullptr) << k.type << " / " << k.location;
    EXPECT_EQ(found->setup_inputs, k.setup_inputs) << k.type << " / " << k.location;
    EXPECT_EQ(found->compute, k.compute) << k.type << " / " << k.location;
    EXPECT_EQ(found->length_caption, k.caption) << k.type << " / " << k.location;
  }
}

TEST(Dispatch, TextsMustMatchExactly) {
  EXPECT_EQ(find_inlet_kind("curb inlet", "SUMP"), nullptr);
  EXPECT_EQ(find_inlet_kind("Curb Inlet ", "SUMP"), nullptr);
  EXPECT_EQ(find_inlet_kind("Curb Inlet", "Sump"), nullptr);
  EXPECT_EQ(find_inlet_kind("", ""), nullptr);
  EXPECT_EQ(find_inlet_kind("Grate Inlet", "CONTINUOUS  GRADE"), nullptr);
}

}  // namespace
}  // namespace rg::hyd::testing
