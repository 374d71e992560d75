// The computations on a continuous grade: hand-worked cases in English and
// metric units, the refusals and the failure path.

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "hydraulics/computations.h"
#include "inlet_cases.h"

namespace rg::hyd::testing {
namespace {


class GradeComputation : public ::testing::TestWithParam<ComputationCase> {};

TEST_P(GradeComputation, WritesTheHandWorkedResultsInOrder) {
  const ComputationCase& c = GetParam();
  RecordingForm form(c.units);
  form.type_all(c.inputs);
  EXPECT_EQ(c.compute(form), Outcome::done);
  expect_success(form, c.expected, 1e-4);
}

const Texts english = english_inputs();
const Texts metric = metric_inputs();

INSTANTIATE_TEST_SUITE_P(
    GrateInlet, GradeComputation,
    ::testing::Values(
        // T 9.3152 > W: composite gutter with a local depression; Vo 8.10 > V so Rf = 1.
        ComputationCase{"english_depressed", GI_CG_RESULTS::compute, "ENGLISH", english,
                        {{"txtSpread", 9.31525}, {"txtWT", 0.2147}, {"txtEo", 0.60767},
                         {"txtSpw", 0.14583}, {"txtSe", 0.10942}, {"txtlti", 11.2055},
                         {"txtDepth", 3.82509}, {"txtV", 2.91986}, {"txtE", 0.64309},
                         {"txtQi", 1.92928}, {"txtQc", 1.07072}}},
        // Fast flow on a short Reticuline grate: Vo 4.150, Rf 0.7343.
        ComputationCase{"english_splash_over",
                        GI_CG_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"txtS", "0.08"}, {"txtWa", "0"}, {"txta", "0"},
                                       {"cboType", "Reticuline"}}),
                        {{"txtSpread", 5.34738}, {"txtWT", 0.37401}, {"txtEo", 0.86239},
                         {"txtSpw", 0.0625}, {"txtSe", 0.0747}, {"txtlti", 26.29209},
                         {"txtDepth", 2.83471}, {"txtV", 7.10256}, {"txtE", 0.63593},
                         {"txtQi", 1.90778}, {"txtQc", 1.09222}}},
        // No gutter: the spread is triangular on Sx, W takes the grate width, and
        // Eo = 1 - (1 - W/T)^2.67.
        ComputationCase{"english_no_gutter",
                        GI_CG_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"QTotal", "2"}, {"txtS", "0.02"}, {"txtW", "0"},
                                       {"txtSx", "0.02"}, {"txtSw", "0.02"}, {"txtWa", "0"},
                                       {"txta", "0"}, {"cboLength", "3"}, {"cboType", "P-1-1/8"}}),
                        {{"txtSpread", 8.03075}, {"txtWT", 0.24904}, {"txtEo", 0.53453},
                         {"txtSpw", 0}, {"txtSe", 0.02}, {"txtlti", 32.25671},
                         {"txtDepth", 1.92738}, {"txtV", 3.10112}, {"txtE", 0.6177},
                         {"txtQi", 1.23541}, {"txtQc", 0.76459}}},
        ComputationCase{"metric", GI_CG_RESULTS::compute, "METRIC", metric,
                        {{"txtSpread", 3.15308}, {"txtWT", 0.19029}, {"txtEo", 0.55459},
                         {"txtSpw", 0.14663}, {"txtSe", 0.10132}, {"txtlti", 3.82954},
                         {"txtDepth", 101.04152}, {"txtV", 0.90242}, {"txtE", 0.59127},
                         {"txtQi", 0.05913}, {"txtQc", 0.04087}}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    GrateInDitch, GradeComputation,
    ::testing::Values(
        // y 0.9024 ft; Sx = 1/3 from the side slopes; DSBH = (10 / (3 * 2 * 5))^0.67.
        ComputationCase{"english_trapezoid",
                        TRAP_CG_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"QTotal", "10"}, {"txtS", "0.005"}, {"txtn", "0.03"},
                                       {"cboLength", "3"}}),
                        {{"txtDepth", 10.82831}, {"txtEo", 0.42489}, {"txtFA", 4.24748},
                         {"txtV", 2.35434}, {"txtWP", 7.70702}, {"txtHydRad", 0.55112},
                         {"txtRf", 1}, {"txtRs", 0.8562}, {"txtE", 0.9173}, {"txtQi", 9.17297},
                         {"txtQc", 0.82703}, {"txtDSBH", 0.47899}}},
        // A grate narrower than the bottom sees the side flow on Sx = 0.01.
        ComputationCase{"english_rectangle",
                        TRAP_CG_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"QTotal", "10"}, {"txtS", "0.005"}, {"txtn", "0.03"},
                                       {"txtW", "3"}, {"txtzl", "0"}, {"txtzr", "0"},
                                       {"cboLength", "3"}}),
                        {{"txtDepth", 14.81084}, {"txtEo", 0.66667}, {"txtFA", 3.70271},
                         {"txtV", 2.70072}, {"txtWP", 5.46847}, {"txtHydRad", 0.6771},
                         {"txtRf", 1}, {"txtRs", 0.12243}, {"txtE", 0.70748}, {"txtQi", 7.07478},
                         {"txtQc", 2.92522}, {"txtDSBH", 0.47899}}},
        ComputationCase{"metric",
                        TRAP_CG_RESULTS::compute,
                        "METRIC",
                        with(metric, {{"QTotal", "0.3"}, {"txtS", "0.005"}, {"txtn", "0.03"},
                                      {"cboLength", "0.9"}}),
                        {{"txtDepth", 283.70838}, {"txtEo", 0.41347}, {"txtFA", 0.4117},
                         {"txtV", 0.72869}, {"txtWP", 2.39433}, {"txtHydRad", 0.17195},
                         {"txtRf", 1}, {"txtRs", 0.84814}, {"txtE", 0.91093}, {"txtQi", 0.27328},
                         {"txtQc", 0.02672}, {"txtDSBH", 0.15224}}},
        // A V-ditch with shallow flow under a wide grate of no known type: Eo 1.1737,
        // Rf 0, Rs 0.7477 make E -0.130, which counts as 0.
        ComputationCase{"negative_efficiency_counts_as_none",
                        TRAP_CG_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"QTotal", "2"}, {"txtn", "0.03"}, {"txtW", "0"},
                                       {"cboType", "Grating"}}),
                        {{"txtDepth", 6.81614}, {"txtEo", 1.17368}, {"txtFA", 0.96791},
                         {"txtV", 2.0663}, {"txtWP", 3.59242}, {"txtHydRad", 0.26943},
                         {"txtRf", 0}, {"txtRs", 0.7477}, {"txtE", 0}, {"txtQi", 0},
                         {"txtQc", 2}, {"txtDSBH", 0.18921}}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    CombinationInlet, GradeComputation,
    ::testing::Values(
        // Lc = 4 < LT 11.2055: Ec = 1 - (1 - 4/11.2055)^1.8; the grate takes nothing.
        ComputationCase{"english_depressed", COMBO_CG_RESULTS::compute, "ENGLISH", english,
                        {{"txtSpread", 9.31525}, {"txtWT", 0.2147}, {"txtEo", 0.60767},
                         {"txtSpw", 0.14583}, {"txtSe", 0.10942}, {"txtlti", 11.2055},
                         {"txtDepth", 3.82509}, {"txtV", 2.91986}, {"txtQic", 1.645},
                         {"txtE", 0.54833}, {"txtQig", 0, "0"}, {"txtQi", 1.645},
                         {"txtQc", 1.355}}},
        ComputationCase{"english_undepressed",
                        COMBO_CG_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"txtWa", "0"}, {"txta", "0"}}),
                        {{"txtSpread", 9.31525}, {"txtWT", 0.2147}, {"txtEo", 0.60767},
                         {"txtSpw", 0.0625}, {"txtSe", 0.05878}, {"txtlti", 16.26864},
                         {"txtDepth", 3.82509}, {"txtV", 2.91986}, {"txtQic", 1.19481},
                         {"txtE", 0.39827}, {"txtQig", 0, "0"}, {"txtQi", 1.19481},
                         {"txtQc", 1.80519}}},
        ComputationCase{"no_opening_intercepts_nothing",
                        COMBO_CG_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"cboLength", "0"}, {"cboLCOUG", "0"}}),
                        {{"txtSpread", 9.31525}, {"txtWT", 0.2147}, {"txtEo", 0.60767},
                         {"txtSpw", 0.14583}, {"txtSe", 0.10942}, {"txtlti", 11.2055},
                         {"txtDepth", 3.82509}, {"txtV", 2.91986}, {"txtQic", 0}, {"txtE", 0},
                         {"txtQig", 0, "0"}, {"txtQi", 0}, {"txtQc", 3}}},
        ComputationCase{"metric", COMBO_CG_RESULTS::compute, "METRIC", metric,
                        {{"txtSpread", 3.15308}, {"txtWT", 0.19029}, {"txtEo", 0.55459},
                         {"txtSpw", 0.14663}, {"txtSe", 0.10132}, {"txtlti", 3.82954},
                         {"txtDepth", 101.04152}, {"txtV", 0.90242}, {"txtQic", 0.04917},
                         {"txtE", 0.4917}, {"txtQig", 0, "0"}, {"txtQi", 0.04917},
                         {"txtQc", 0.05083}}}),
    [](const auto& info) { return info.param.name; });

INSTANTIATE_TEST_SUITE_P(
    CurbOrSlottedInlet, GradeComputation,
    ::testing::Values(
        ComputationCase{"english_depressed",
                        CISI_CG_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"cboLength", "5"}}),
                        {{"txtSpread", 9.31525}, {"txtWT", 0.2147}, {"txtEo", 0.60767},
                         {"txtSpw", 0.14583}, {"txtSe", 0.10942}, {"txtlti", 11.2055},
                         {"txtDepth", 3.82509}, {"txtV", 2.91986}, {"txtE", 0.65484},
                         {"txtQi", 1.96452}, {"txtQc", 1.03548}}},
        // No gutter and no depression: Eo = 0, Se = Sx.
        ComputationCase{"english_plain_pavement",
                        CISI_CG_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"QTotal", "1"}, {"txtS", "0.02"}, {"txtW", "0"},
                                       {"txtSx", "0.02"}, {"txtSw", "0.02"}, {"txtWa", "0"},
                                       {"txta", "0"}, {"cboLength", "5"}}),
                        {{"txtSpread", 6.19456}, {"txtWT", 0}, {"txtEo", 0}, {"txtSpw", 0},
                         {"txtSe", 0.02}, {"txtlti", 24.10946}, {"txtDepth", 1.48669},
                         {"txtV", 2.60603}, {"txtE", 0.34187}, {"txtQi", 0.34187},
                         {"txtQc", 0.65813}}},
        // No gutter but a depression: W takes Wa, S'w = a / (12 Wa).
        ComputationCase{"english_depression_without_gutter",
                        CISI_CG_RESULTS::compute,
                        "ENGLISH",
                        with(english, {{"QTotal", "1"}, {"txtS", "0.02"}, {"txtW", "0"},
                                       {"txtSx", "0.02"}, {"txtSw", "0.02"}, {"cboLength", "5"}}),
                        {{"txtSpread", 6.19456}, {"txtWT", 0.32286}, {"txtEo", 0.64689},
                         {"txtSpw", 0.08333}, {"txtSe", 0.07391}, {"txtlti", 11.00503},
                         {"txtDepth", 1.48669}, {"txtV", 2.60603}, {"txtE", 0.6639},
                         {"txtQi", 0.6639}, {"txtQc", 0.3361}}},
        ComputationCase{"metric",
                        CISI_CG_RESULTS::compute,
                        "METRIC",
                        with(metric, {{"cboLength", "1.5"}}),
                        {{"txtSpread", 3.15308}, {"txtWT", 0.19029}, {"txtEo", 0.55459},
                         {"txtSpw", 0.14663}, {"txtSe", 0.10132}, {"txtlti", 3.82954},
                         {"txtDepth", 101.04152}, {"txtV", 0.90242}, {"txtE", 0.59128},
                         {"txtQi", 0.05913}, {"txtQc", 0.04087}}}),
    [](const auto& info) { return info.param.name; });

// ---------------------------------------------------------------------------
// Failures and refusals.


class GradeFailure : public ::testing::TestWithParam<FailureCase> {};

TEST_P(GradeFailure, KeepsWhatWasWrittenAndShowsTheExclamationBox) {
  const FailureCase& c = GetParam();
  RecordingForm form("ENGLISH");
  form.type_all(c.inputs);
  EXPECT_EQ(c.compute(form), Outcome::failed);
  expect_failure(form, c.written);
}

const std::vector<std::string> grade_eight = {"txtSpread", "txtWT", "txtEo",    "txtSpw",
                                              "txtSe",     "txtlti", "txtDepth", "txtV"};

INSTANTIATE_TEST_SUITE_P(
    Cases, GradeFailure,
    ::testing::Values(
        // Step 11 divides by the grate length.
        FailureCase{"grate_length_zero", GI_CG_RESULTS::compute,
                    with(english, {{"cboLength", "0"}}), grade_eight},
        FailureCase{"grate_length_not_a_number", GI_CG_RESULTS::compute,
                    with(english, {{"cboLength", "two"}}), grade_eight},
        // The spread solver gives 0 for a level gutter, and W/T cannot be worked out.
        FailureCase{"grate_level_gutter", GI_CG_RESULTS::compute, with(english, {{"txtS", "0"}}),
                    {"txtSpread"}},
        // W and Wg both 0: Eo divides by W.
        FailureCase{"grate_without_any_width", GI_CG_RESULTS::compute,
                    with(english, {{"txtW", "0"}, {"txtWg", "0"}}), {"txtSpread", "txtWT"}},
        FailureCase{"grate_empty_depression_width", GI_CG_RESULTS::compute,
                    with(english, {{"txtWa", ""}}), {}},
        FailureCase{"combination_letters_in_opening_length", COMBO_CG_RESULTS::compute,
                    with(english, {{"cboLCOUG", "2 ft"}}), grade_eight},
        FailureCase{"combination_letters_in_depression_width", COMBO_CG_RESULTS::compute,
                    with(english, {{"txtWa", "abc"}}), {}},
        FailureCase{"curb_letters_in_length", CISI_CG_RESULTS::compute,
                    with(english, {{"cboLength", "x"}}), grade_eight},
        // W = 0 with a depression wider than the spread: T/Wa - 1 < 0 to the power 2.67.
        FailureCase{"curb_depression_wider_than_spread", CISI_CG_RESULTS::compute,
                    with(english, {{"QTotal", "1"}, {"txtW", "0"}, {"txtWa", "20"}}),
                    {"txtSpread"}},
        // W = 0, Sw > Sx, no depression: (Sw - Sx) W / W is 0/0.
        FailureCase{"curb_gutter_slope_without_width", CISI_CG_RESULTS::compute,
                    with(english, {{"txtW", "0"}, {"txtWa", "0"}, {"txta", "0"}}),
                    {"txtSpread", "txtWT", "txtEo"}},
        // The ditch solver refuses a level ditch and n = 0 instead of running forever.
        FailureCase{"ditch_level", TRAP_CG_RESULTS::compute, with(english, {{"txtS", "0"}}), {}},
        FailureCase{"ditch_n_zero", TRAP_CG_RESULTS::compute, with(english, {{"txtn", "0"}}), {}},
        FailureCase{"ditch_grate_length_zero", TRAP_CG_RESULTS::compute,
                    with(english, {{"cboLength", "0"}}),
                    {"txtDepth", "txtEo", "txtFA", "txtV", "txtWP", "txtHydRad", "txtRf"}}),
    [](const auto& info) { return info.param.name; });

TEST(GradeRefusal, DitchWithoutBottomOrSidesIsADataInputError) {
  RecordingForm form("ENGLISH");
  form.type_all(with(english, {{"txtW", "0"}, {"txtzl", "0"}, {"txtzr", "0"}}));
  EXPECT_EQ(TRAP_CG_RESULTS::compute(form), Outcome::refused);
  EXPECT_TRUE(form.written().empty());
  expect_refusal(form, "Data Input Error", false);
}

TEST(GradeRefusal, CombinationTurnsDownImpossibleGutters) {
  const Texts refused[] = {with(english, {{"txtSw", "0.01"}}),  // Sw < Sx
                           with(english, {{"txtS", "0"}}), with(english, {{"txtn", "0"}}),
                           with(english, {{"txtSx", "-0.02"}})};
  for (const Texts& inputs : refused) {
    RecordingForm form("ENGLISH");
    form.type_all(inputs);
    EXPECT_EQ(COMBO_CG_RESULTS::compute(form), Outcome::refused);
    EXPECT_TRUE(form.written().empty());
    expect_refusal(form, "No results computed.  Invalid input.", true);
  }
}

TEST(GradeComputations, SetOnlyTheirOwnCoefficients) {
  RecordingForm form("ENGLISH");
  form.type_all(english);
  form.coefficients.gravity = 9.81f;
  form.coefficients.manning_unit_factor = 1.0f;
  form.coefficients.weir_coefficient = 1.66f;
  GI_CG_RESULTS::compute(form);
  EXPECT_EQ(form.coefficients.gutter_flow_coefficient, 0.56f);
  EXPECT_EQ(form.coefficients.side_flow_coefficient, 0.15f);
  EXPECT_EQ(form.coefficients.curb_length_coefficient, 0.6f);
  EXPECT_EQ(form.coefficients.unit_length_factor, 12.0f);
  EXPECT_EQ(form.coefficients.gravity, 9.81f);
  EXPECT_EQ(form.coefficients.manning_unit_factor, 1.0f);
  EXPECT_EQ(form.coefficients.weir_coefficient, 1.66f);

  RecordingForm ditch("english");  // not exactly "ENGLISH": metric
  ditch.type_all(with(metric, {{"QTotal", "0.3"}, {"txtS", "0.005"}, {"txtn", "0.03"}}));
  TRAP_CG_RESULTS::compute(ditch);
  EXPECT_EQ(ditch.coefficients.manning_unit_factor, 1.0f);
  EXPECT_EQ(ditch.coefficients.weir_coefficient, 1.66f);
  EXPECT_EQ(ditch.coefficients.unit_length_factor, 1000.0f);
  EXPECT_EQ(ditch.coefficients.curb_length_coefficient, 0.0f);
}

}  // namespace
}  // namespace rg::hyd::testing
