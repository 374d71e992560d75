// The computations in a sag: hand-worked cases in English and metric units, the
// regime switches, the refusal and the failure path.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "hydraulics/computations.h"
#include "inlet_cases.h"

namespace rg::hyd::testing {
namespace {


class SagComputation : public ::testing::TestWithParam<ComputationCase> {};

TEST_P(SagComputation, WritesTheHandWorkedResultsInOrder) {
  const ComputationCase& c = GetParam();
  RecordingForm form(c.units);
  form.type_all(c.inputs);
  EXPECT_EQ(c.compute(form), Outcome::done);
  expect_success(form, c.expected, 1e-4);
  // All flow is intercepted; nothing is left to bypass.
  EXPECT_EQ(form.text("txtQc"), "");
}

const Texts english = english_inputs();
const Texts metric = metric_inputs();

Texts english_flow(const char* total, const char* side1, const char* side2) {
  return with(english, {{"QTotal", total}, {"discharge1", side1}, {"discharge2", side2}});
}

Texts curb_case(const char* total, const char* side, const char* throat) {
  return with(english_flow(total, side, side), {{"cboLength", "5"}, {"cboThroat", throat}});
}

INSTANTIATE_TEST_SUITE_P(
    CurbOpening, SagComputation,
    ::testing::Values(
        // dw 0.2842 <= h 0.3333: weir; the spread follows dw / Sx; Lw = 5 + 1.8 * 2.
        ComputationCase{"english_weir", CI_SU_RESULTS::compute, "ENGLISH", curb_case("3", "1.5", "Vertical"),
                        {{"txtGutterSpread", 6.56729}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 13.6645}, {"txtEPeri", 8.6}, {"txtDepth", 3.41066},
                         {"txtdi", 5.41066}, {"txtQi", 3}}},
        // Orifice, but Tc 8.97 < dw / Sx 19.21.
        ComputationCase{"english_orifice_weir_spread", CI_SU_RESULTS::compute, "ENGLISH",
                        curb_case("5", "2.5", "Vertical"),
                        {{"txtGutterSpread", 8.54385}, {"txtResFlo", 0, "Orifice Flow"},
                         {"txtSpread", 19.21174}, {"txtEPeri", 8.6}, {"txtDepth", 4.79525},
                         {"txtdi", 6.79525}, {"txtQi", 5}}},
        // Orifice with Tc = (do - a) / Sx + Wa = 32.351 > 26.285.
        ComputationCase{"english_orifice_vertical", CI_SU_RESULTS::compute, "ENGLISH",
                        curb_case("8", "4", "Vertical"),
                        {{"txtGutterSpread", 10.61816}, {"txtResFlo", 0, "Orifice Flow"},
                         {"txtSpread", 32.35115}, {"txtEPeri", 8.6}, {"txtDepth", 8.07485},
                         {"txtdi", 10.07485}, {"txtQi", 8}}},
        // Horizontal: head do + h/2, Tc = 0.79797 / 0.0208 + 2.
        ComputationCase{"english_orifice_horizontal", CI_SU_RESULTS::compute, "ENGLISH",
                        curb_case("8", "4", "Horizontal"),
                        {{"txtGutterSpread", 10.61816}, {"txtResFlo", 0, "Orifice Flow"},
                         {"txtSpread", 40.36397}, {"txtEPeri", 8.6}, {"txtDepth", 10.07485},
                         {"txtdi", 12.07485}, {"txtQi", 8}}},
        // Inclined at 30 degrees: head do + (h/2) sin 30.
        ComputationCase{"english_orifice_inclined",
                        CI_SU_RESULTS::compute,
                        "ENGLISH",
                        with(curb_case("8", "4", "Inclined"), {{"txtAngle", "30"}}),
                        {{"txtGutterSpread", 10.61816}, {"txtResFlo", 0, "Orifice Flow"},
                         {"txtSpread", 36.35756}, {"txtEPeri", 8.6}, {"txtDepth", 9.07485},
                         {"txtdi", 11.07485}, {"txtQi", 8}}},
        // A throat of no known kind: Tc = Wa - a / Sx < 0, so the weir spread stands.
        ComputationCase{"english_orifice_unknown_throat", CI_SU_RESULTS::compute, "ENGLISH",
                        curb_case("8", "4", "vertical"),
                        {{"txtGutterSpread", 10.61816}, {"txtResFlo", 0, "Orifice Flow"},
                         {"txtSpread", 26.28541}, {"txtEPeri", 8.6}, {"txtDepth", 6.56084},
                         {"txtdi", 8.56084}, {"txtQi", 8}}},
        // All flow from side 2: the spread comes from Q2, the depths from QTotal.
        ComputationCase{"english_flow_from_side_two",
                        CI_SU_RESULTS::compute,
                        "ENGLISH",
                        with(curb_case("3", "0", "Vertical"), {{"discharge2", "2"}, {"carryover2", "1"}}),
                        {{"txtGutterSpread", 9.31525}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 13.6645}, {"txtEPeri", 8.6}, {"txtDepth", 3.41066},
                         {"txtdi", 5.41066}, {"txtQi", 3}}},
        ComputationCase{"metric_weir",
                        CI_SU_RESULTS::compute,
                        "METRIC",
                        with(metric, {{"QTotal", "0.15"}, {"discharge1", "0.1"},
                                      {"discharge2", "0.05"}, {"cboLength", "1.5"}}),
                        {{"txtGutterSpread", 3.15308}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 6.46002}, {"txtEPeri", 2.58}, {"txtDepth", 129.20031},
                         {"txtdi", 179.20031}, {"txtQi", 0.15}}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    Grate, SagComputation,
    ::testing::Values(
        // Half clogged against the curb: Pe = ((6 - 4)/2 + 4) * 0.5; depth at the
        // inlet Wg Sw + d + a.
        ComputationCase{"english_with_curb", GI_SU_RESULTS::compute, "ENGLISH",
                        with(english, {{"cboClog", "50"}}),
                        {{"txtGutterSpread", 6.56729}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 26.09937}, {"txtRA", 2}, {"txtRP", 2.5},
                         {"txtDepth", 6.5144}, {"txtdi", 10.5136}, {"txtQi", 3}}},
        // Without a depression: d + (Sw - Sx) W.
        ComputationCase{"english_without_curb",
                        GI_SU_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"cboCurb", "Without Curb"}, {"txtWa", "0"}, {"txta", "0"}}),
                        {{"txtGutterSpread", 6.56729}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 14.55939}, {"txtRA", 4}, {"txtRP", 6},
                         {"txtDepth", 3.63402}, {"txtdi", 5.13402}, {"txtQi", 3}}},
        // No gutter, with a depression: d + a.
        ComputationCase{"english_no_gutter",
                        GI_SU_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"cboCurb", "Without Curb"}, {"txtW", "0"}}),
                        {{"txtGutterSpread", 8.0109}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 14.55939}, {"txtRA", 4}, {"txtRP", 6},
                         {"txtDepth", 3.63402}, {"txtdi", 5.63402}, {"txtQi", 3}}},
        // The fixed 17-inch switch: a little more flow gives a shallower depth.
        ComputationCase{"english_weir_below_limit",
                        GI_SU_RESULTS::compute,
                        "ENGLISH",
                        with(english_flow("30", "15", "15"),
                             {{"cboCurb", "Without Curb"}, {"txtWa", "0"}, {"txta", "0"}, {"txtArea", "8"}}),
                        {{"txtGutterSpread", 18.41991}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 67.5839}, {"txtRA", 8}, {"txtRP", 6},
                         {"txtDepth", 16.86894}, {"txtdi", 18.36894}, {"txtQi", 30}}},
        ComputationCase{"english_orifice_above_limit",
                        GI_SU_RESULTS::compute,
                        "ENGLISH",
                        with(english_flow("30.5", "15.25", "15.25"),
                             {{"cboCurb", "Without Curb"}, {"txtWa", "0"}, {"txta", "0"}, {"txtArea", "8"}}),
                        {{"txtGutterSpread", 18.54143}, {"txtResFlo", 0, "Orifice Flow"},
                         {"txtSpread", 24.20253}, {"txtRA", 8}, {"txtRP", 6},
                         {"txtDepth", 6.04095}, {"txtdi", 7.54095}, {"txtQi", 30.5}}},
        ComputationCase{"metric_with_curb",
                        GI_SU_RESULTS::compute,
                        "METRIC",
                        with(metric, {{"cboClog", "50"}}),
                        {{"txtGutterSpread", 2.25674}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 8.91526}, {"txtRA", 0.6}, {"txtRP", 0.8},
                         {"txtDepth", 178.30513}, {"txtdi", 278.28513}, {"txtQi", 0.1}}},
        // Metric switch at 432 mm: a weir depth of 430 mm is still weir flow...
        ComputationCase{"metric_weir_at_430_mm",
                        GI_SU_RESULTS::compute,
                        "METRIC",
                        with(metric, {{"QTotal", "0.9362"}, {"discharge1", "0.5"},
                                      {"discharge2", "0.4362"}, {"cboCurb", "Without Curb"}}),
                        {{"txtGutterSpread", 6.15751}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 21.50001}, {"txtRA", 1.2}, {"txtRP", 2},
                         {"txtDepth", 430.00026}, {"txtdi", 529.98026}, {"txtQi", 0.9362}}},
        // ...and one of 440 mm is orifice flow.
        ComputationCase{"metric_orifice_at_440_mm",
                        GI_SU_RESULTS::compute,
                        "METRIC",
                        with(metric, {{"QTotal", "0.969"}, {"discharge1", "0.5"},
                                      {"discharge2", "0.469"}, {"cboCurb", "Without Curb"}}),
                        {{"txtGutterSpread", 6.15751}, {"txtResFlo", 0, "Orifice Flow"},
                         {"txtSpread", 3.70174}, {"txtRA", 1.2}, {"txtRP", 2},
                         {"txtDepth", 74.03489}, {"txtdi", 174.01489}, {"txtQi", 0.969}}}),
    [](const auto& info) { return info.param.name; });

Texts combination_case(const char* total, const char* side, const Texts& changes) {
  return with(english_flow(total, side, side), changes);
}

INSTANTIATE_TEST_SUITE_P(
    Combination, SagComputation,
    ::testing::Values(
        // The grate's weir depth 0.3028 stays below h: the orifice solver is not needed.
        ComputationCase{"english_grate_weir", COMBO_SU_RESULTS::compute, "ENGLISH",
                        combination_case("3", "1.5", {{"cboLength", "4"}}),
                        {{"txtGutterSpread", 6.56729}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 14.55939}, {"txtRA", 4}, {"txtRP", 6}, {"txtEPeri", 7.6},
                         {"txtDepth", 3.63402}, {"txtdi", 7.13402}, {"txtQi", 3}}},
        // dw 0.8855 > h: the solver gives 0.702, and dw governs while the regime
        // reads orifice.
        ComputationCase{"english_orifice_vertical", COMBO_SU_RESULTS::compute, "ENGLISH",
                        combination_case("15", "7.5", {{"cboLength", "4"}, {"txtArea", "2"}}),
                        {{"txtGutterSpread", 13.90368}, {"txtResFlo", 0, "Orifice Flow"},
                         {"txtSpread", 42.5742}, {"txtRA", 2}, {"txtRP", 6}, {"txtEPeri", 7.6},
                         {"txtDepth", 10.62652}, {"txtdi", 14.12652}, {"txtQi", 15}}},
        // Fully clogged grate: the curb opening alone, dw 0.3996 against do 0.3117.
        ComputationCase{"english_curb_opening_alone", COMBO_SU_RESULTS::compute, "ENGLISH",
                        combination_case("5", "2.5", {{"cboLength", "5"}, {"cboClog", "100"}}),
                        {{"txtGutterSpread", 8.54385}, {"txtResFlo", 0, "Orifice Flow"},
                         {"txtSpread", 19.21174}, {"txtRA", 0}, {"txtRP", 0}, {"txtEPeri", 8.6},
                         {"txtDepth", 4.79525}, {"txtdi", 8.29525}, {"txtQi", 5}}},
        // A grate without perimeter also leaves the opening alone; here its orifice
        // depth governs while the regime reads weir.
        ComputationCase{"english_weir_label_orifice_depth", COMBO_SU_RESULTS::compute, "ENGLISH",
                        combination_case("1", "0.5", {{"cboLength", "0.5"}, {"txtPeri", "0"}}),
                        {{"txtGutterSpread", 2.89493}, {"txtResFlo", 0, "Weir Flow"},
                         {"txtSpread", 59.9437}, {"txtRA", 4}, {"txtRP", 0}, {"txtEPeri", 4.1},
                         {"txtDepth", 14.96195}, {"txtdi", 18.46195}, {"txtQi", 1}}},
        // Metric grate weir coefficient 1.6; the solver gives 0.161 m.
        ComputationCase{"metric_orifice",
                        COMBO_SU_RESULTS::compute,
                        "METRIC",
                        with(metric, {{"QTotal", "0.5"}, {"discharge1", "0.25"}, {"discharge2", "0.25"},
                                      {"cboLength", "1.2"}, {"txthco", "100"}, {"txtArea", "0.3"}}),
                        {{"txtGutterSpread", 4.66326}, {"txtResFlo", 0, "Orifice Flow"},
                         {"txtSpread", 14.50407}, {"txtRA", 0.3}, {"txtRP", 2}, {"txtEPeri", 2.28},
                         {"txtDepth", 290.08135}, {"txtdi", 378.06135}, {"txtQi", 0.5}}}),
    [](const auto& info) { return info.param.name; });

Texts slot_case(const char* total, const char* side, const char* length) {
  return with(english_flow(total, side, side), {{"txtWa", "0"}, {"txta", "0"}, {"txtslotw", "1.75"},
                                                {"cboLength", length}});
}

INSTANTIATE_TEST_SUITE_P(
    Slot, SagComputation,
    ::testing::Values(
        ComputationCase{"english_weir", SI_SU_RESULTS::compute, "ENGLISH", slot_case("1", "0.5", "20"),
                        {{"txtGutterSpread", 2.89493}, {"txtDepth", 2.22257},
                         {"txtResFlo", 0, "Weir Flow"}, {"txtSpread", 3.55673},
                         {"txtElength", 20}, {"txtdi", 2.38776}, {"txtQi", 1}}},
        // dw 0.2444 within the band: the mean of dw and do 0.1028, below dw.
        ComputationCase{"english_transition", SI_SU_RESULTS::compute, "ENGLISH",
                        slot_case("3", "1.5", "10"),
                        {{"txtGutterSpread", 6.56729}, {"txtDepth", 3.1392},
                         {"txtResFlo", 0, "Transition flow"}, {"txtSpread", 8.34674},
                         {"txtElength", 10}, {"txtdi", 3.58335}, {"txtQi", 3}}},
        ComputationCase{"english_orifice", SI_SU_RESULTS::compute, "ENGLISH",
                        slot_case("8", "4", "10"),
                        {{"txtGutterSpread", 10.61816}, {"txtDepth", 4.15029},
                         {"txtResFlo", 0, "Orifice Flow"}, {"txtSpread", 35.14609},
                         {"txtElength", 10}, {"txtdi", 10.27246}, {"txtQi", 8}}},
        // Half clogged: Le = 10; the depression adds a to the depth at the inlet.
        ComputationCase{"english_clogged_depressed",
                        SI_SU_RESULTS::compute,
                        "ENGLISH",
                        with(slot_case("3", "1.5", "20"), {{"cboClog", "50"}, {"txtWa", "2"}, {"txta", "2"}}),
                        {{"txtGutterSpread", 6.56729}, {"txtDepth", 3.1392},
                         {"txtResFlo", 0, "Transition flow"}, {"txtSpread", 8.34674},
                         {"txtElength", 10}, {"txtdi", 5.58335}, {"txtQi", 3}}},
        ComputationCase{"metric_weir",
                        SI_SU_RESULTS::compute,
                        "METRIC",
                        with(metric, {{"QTotal", "0.05"}, {"discharge1", "0.025"}, {"discharge2", "0.025"},
                                      {"txtWa", "0"}, {"txta", "0"}, {"txtslotw", "45"},
                                      {"cboLength", "6"}}),
                        {{"txtGutterSpread", 1.50059}, {"txtDepth", 67.99172},
                         {"txtResFlo", 0, "Weir Flow"}, {"txtSpread", 1.63941},
                         {"txtElength", 6}, {"txtdi", 70.76829}, {"txtQi", 0.05}}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    GrateInDitch, SagComputation,
    ::testing::Values(
        // The deeper of dw 0.6299 and do 0.5541.
        ComputationCase{"english_weir", TRAP_SU_RESULTS::compute, "ENGLISH",
                        with(english, {{"QTotal", "6"}, {"txtPeri", "8"}, {"txtArea", "3"},
                                       {"cboClog", "50"}}),
                        {{"txtResFlo", 0, "Weir Flow"}, {"txtdi", 7.55935}, {"txtRA", 1.5},
                         {"txtRP", 4}, {"txtQi", 6}}},
        ComputationCase{"english_orifice", TRAP_SU_RESULTS::compute, "ENGLISH",
                        with(english, {{"QTotal", "20"}, {"txtPeri", "6"}, {"txtArea", "2"},
                                       {"cboClog", "50"}, {"discharge1", "99"}}),
                        {{"txtResFlo", 0, "Orifice Flow"}, {"txtdi", 166.24385}, {"txtRA", 1},
                         {"txtRP", 3}, {"txtQi", 20}}},
        ComputationCase{"metric_weir", TRAP_SU_RESULTS::compute, "METRIC",
                        with(metric, {{"QTotal", "0.2"}, {"cboClog", "50"}}),
                        {{"txtResFlo", 0, "Weir Flow"}, {"txtdi", 243.92181}, {"txtRA", 0.6},
                         {"txtRP", 1}, {"txtQi", 0.2}}}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Failures, refusals and the solvers' own messages.


// Side flows of 0.3 stay within the 2 ft gutter (T1 = 1.84 ft).
const Texts within_gutter = english_flow("0.6", "0.3", "0.3");

class SagFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(SagFailure, KeepsWhatWasWrittenAndShowsTheExclamationBox) {
  const FailureCase& c = GetParam();
  RecordingForm form("ENGLISH");
  form.type_all(c.inputs);
  EXPECT_EQ(c.compute(form), Outcome::failed);
  expect_failure(form, c.written);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SagFailure,
    ::testing::Values(
        FailureCase{"curb_height_zero", CI_SU_RESULTS::compute, with(english, {{"txthco", "0"}}),
                    {"txtGutterSpread"}},
        // The approach flow stays within the gutter, so only the spread at the
        // opening divides by Sx.
        FailureCase{"curb_flat_pavement", CI_SU_RESULTS::compute, with(within_gutter, {{"txtSx", "0"}}),
                    {"txtGutterSpread", "txtResFlo"}},
        FailureCase{"curb_empty_side_two", CI_SU_RESULTS::compute, with(english, {{"carryover2", ""}}), {}},
        // A level gutter or n = 0 leaves no approach spread to show.
        FailureCase{"curb_level_gutter", CI_SU_RESULTS::compute, with(english, {{"txtS", "0"}}), {}},
        FailureCase{"grate_n_zero", GI_SU_RESULTS::compute, with(english, {{"txtn", "0"}}), {}},
        FailureCase{"combination_level_gutter", COMBO_SU_RESULTS::compute, with(english, {{"txtS", "0"}}), {}},
        FailureCase{"slot_level_gutter", SI_SU_RESULTS::compute, with(english, {{"txtS", "0"}}), {}},
        // A fully clogged grate has no perimeter to divide by.
        FailureCase{"grate_fully_clogged", GI_SU_RESULTS::compute, with(english, {{"cboClog", "100"}}),
                    {"txtGutterSpread"}},
        FailureCase{"grate_flat_pavement", GI_SU_RESULTS::compute, with(within_gutter, {{"txtSx", "0"}}),
                    {"txtGutterSpread", "txtResFlo"}},
        // No spread on a flat pavement beyond the gutter: a failure, not a spread of 0.
        FailureCase{"grate_flat_pavement_beyond_gutter", GI_SU_RESULTS::compute,
                    with(english, {{"txtSx", "0"}}), {}},
        FailureCase{"grate_clogging_not_a_number", GI_SU_RESULTS::compute,
                    with(english, {{"cboClog", "half"}}), {}},
        FailureCase{"combination_grate_width_not_a_number", COMBO_SU_RESULTS::compute,
                    with(english, {{"txtWg", ""}}), {}},
        FailureCase{"combination_clogged_beyond_full", COMBO_SU_RESULTS::compute,
                    with(english, {{"cboClog", "150"}}), {"txtGutterSpread"}},
        FailureCase{"combination_curb_alone_length_zero", COMBO_SU_RESULTS::compute,
                    with(english, {{"cboClog", "100"}, {"cboLength", "0"}}), {"txtGutterSpread"}},
        FailureCase{"combination_flat_pavement", COMBO_SU_RESULTS::compute,
                    with(within_gutter, {{"txtSx", "0"}}), {"txtGutterSpread", "txtResFlo"}},
        // Read late: the spread and the depth at the curb are already written.
        FailureCase{"slot_fully_clogged", SI_SU_RESULTS::compute, with(english, {{"cboClog", "100"}}),
                    {"txtGutterSpread", "txtDepth"}},
        FailureCase{"slot_length_not_a_number", SI_SU_RESULTS::compute,
                    with(english, {{"cboLength", "long"}}), {"txtGutterSpread", "txtDepth"}},
        FailureCase{"slot_width_zero", SI_SU_RESULTS::compute, with(english, {{"txtslotw", "0"}}),
                    {"txtGutterSpread", "txtDepth"}},
        FailureCase{"slot_flat_pavement", SI_SU_RESULTS::compute, with(within_gutter, {{"txtSx", "0"}}),
                    {"txtGutterSpread", "txtDepth", "txtResFlo"}},
        FailureCase{"ditch_fully_clogged", TRAP_SU_RESULTS::compute, with(english, {{"cboClog", "100"}}), {}},
        FailureCase{"ditch_no_perimeter", TRAP_SU_RESULTS::compute, with(english, {{"txtPeri", "0"}}), {}},
        FailureCase{"ditch_grate_width_not_a_number", TRAP_SU_RESULTS::compute,
                    with(english, {{"txtWg", "wide"}}), {}}),
    [](const auto& info) { return info.param.name; });

TEST(SagRefusal, GrateTurnsDownAnImpossibleGrateOrGutterAndClearsTheSpread) {
  // A negative Sx leaves no spread to write, and is refused all the same.
  const Texts refused[] = {with(english, {{"txtPeri", "0"}}), with(english, {{"txtArea", "-1"}}),
                           with(english, {{"txtWg", "0"}}), with(english, {{"txtSx", "-0.01"}}),
                           with(english, {{"txtSw", "0.01"}})};
  for (const Texts& inputs : refused) {
    RecordingForm form("ENGLISH");
    form.type_all(inputs);
    EXPECT_EQ(GI_SU_RESULTS::compute(form), Outcome::refused);
    expect_refusal(form, "No results computed.  Invalid input.", true);
  }
}

TEST(SagMessages, NegativeGutterWidthIsReportedAndTheRunGoesOn) {
  RecordingForm form("ENGLISH");
  form.type_all(with(english, {{"txtW", "-1"}, {"cboCurb", "Without Curb"}}));
  EXPECT_EQ(GI_SU_RESULTS::compute(form), Outcome::done);
  const auto messages = form.messages();
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[0].text, "You must enter valid data");
  EXPECT_EQ(messages[0].icon, MessageIcon::none);
  EXPECT_EQ(messages[1].text, "Input Error.");
  EXPECT_EQ(messages[1].title, "Error");
  EXPECT_EQ(messages[1].icon, MessageIcon::none);
  EXPECT_EQ(form.text("txtGutterSpread"), "0");
  EXPECT_EQ(form.text("txtdi"), "0");
  EXPECT_NEAR(*form.number("txtDepth"), 3.63402, 1e-4);
  EXPECT_EQ(form.events.back().kind, Event::Kind::format_results);
}

TEST(SagMessages, CombinationSolverThatFindsNoDepthSaysSoAndTheWeirDepthGoverns) {
  // A negative open area (pasted in) leaves the orifice march without an answer.
  RecordingForm form("ENGLISH");
  form.type_all(with(english, {{"QTotal", "15"}, {"discharge1", "7.5"}, {"discharge2", "7.5"},
                               {"cboLength", "4"}, {"txtArea", "-2"}}));
  EXPECT_EQ(COMBO_SU_RESULTS::compute(form), Outcome::done);
  const auto messages = form.messages();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].text, "No results computed.  Check your input for discharge.");
  EXPECT_EQ(messages[0].icon, MessageIcon::none);
  EXPECT_EQ(form.text("txtResFlo"), "Orifice Flow");
  EXPECT_NEAR(*form.number("txtDepth"), 10.62652, 1e-4);
}

TEST(SagComputations, SetTheirOwnCoefficients) {
  struct Set {
    Outcome (*compute)(InletFormPort&);
    float weir;
    float grate_weir;  // 0: left as it was
  };
  const Set sets[] = {{CI_SU_RESULTS::compute, 1.25f, 1.6f},
                      {GI_SU_RESULTS::compute, 1.66f, 0.0f},
                      {COMBO_SU_RESULTS::compute, 1.25f, 1.6f},
                      {SI_SU_RESULTS::compute, 1.4f, 0.0f},
                      {TRAP_SU_RESULTS::compute, 1.66f, 0.0f}};
  for (const Set& s : sets) {
    RecordingForm form("METRIC");
    form.type_all(metric);
    s.compute(form);
    EXPECT_EQ(form.coefficients.weir_coefficient, s.weir);
    EXPECT_EQ(form.coefficients.grate_weir_coefficient, s.grate_weir);
    EXPECT_EQ(form.coefficients.gravity, 9.81f);
    EXPECT_EQ(form.coefficients.unit_length_factor, 1000.0f);
    EXPECT_EQ(form.coefficients.side_flow_coefficient, 0.0f);
  }
}

}  // namespace
}  // namespace rg::hyd::testing
