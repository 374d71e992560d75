// The shared solvers and gutter-flow formulas against values worked by hand,
// and the guards that make every solver end.

#include <gtest/gtest.h>

#include <cmath>

#include "hydraulics/coefficients.h"
#include "hydraulics/gutter_flow.h"
#include "hydraulics/solvers.h"

namespace rg::hyd {
namespace {

using Common_Libraries::combination_sag_depth;
using Common_Libraries::composite_gutter_spread;
using Common_Libraries::ditch_normal_depth;
using enum SolverNote;

constexpr float Ku_en = 0.56f;

TEST(CompositeGutterSpread, GivesTheHandWorkedSpread) {
  struct Case { float Ku; double Q, S, n, W, Sx, Sw, Tallow, expected; SolverNote note; };
  // English defaults: S 0.01, n 0.015, W 2, Sx 0.0208, Sw 0.0833, Tallow 8. The
  // spreads of other flows, of metric ones and the cap at 6 Tallow show in the
  // computations' results and the sweep below.
  const Case cases[] = {
      // Triangular on Sx with the exponents as written (5/3, 8/3, 3/8 would give 7.2083),
      // for W = 0, Sw = 0, and W = 0 with a negative Sw.
      {Ku_en, 1, 0.01, 0.016, 0, 0.02, 0.0833, 8, 7.2257, none},
      {Ku_en, 1, 0.01, 0.016, 2, 0.02, 0, 8, 7.2257, none},
      {Ku_en, 1, 0.01, 0.016, 0, 0.02, -0.02, 8, 7.2257, none},
      {Ku_en, 0.3, 0.01, 0.015, 2, 0.0208, 0.0833, 8, 1.8408, none},  // within the gutter
      {Ku_en, 3, 0.01, 0.015, 2, 0.0208, 0.0833, 8, 9.3152, none},
      {Ku_en, 0, 0.01, 0.015, 2, 0.0208, 0.0833, 8, 0, discharge_not_positive},
      {Ku_en, 1, 0.01, 0.015, 0.5, 0.0208, -0.02, 8, 0, invalid_data},
      {Ku_en, 1, 0.01, 0.015, -1, 0.0208, 0.0833, 8, 0, invalid_data},
      {Ku_en, 1, 0, 0.015, 2, 0.0208, 0.0833, 8, 0, arithmetic_failure},  // level gutter
      {Ku_en, 1, -0.01, 0.015, 0, 0.0208, 0.0833, 8, 0, arithmetic_failure},
      // n = 0 makes the spread 0 without any fault on either path.
      {Ku_en, 1, 0.01, 0, 0, 0.0208, 0.0833, 8, 0, none},
      {Ku_en, 1, 0.01, 0, 2, 0.0208, 0.0833, 8, 0, none},
      // Six times the allowable spread below W: the first midpoint lies inside the gutter.
      {Ku_en, 3, 0.01, 0.015, 2, 0.0208, 0.0833, 0.3, 0, arithmetic_failure},
  };
  for (const Case& c : cases) {
    const Solution s = composite_gutter_spread(c.Ku, c.Q, c.S, c.n, c.W, c.Sx, c.Sw, 99.0, c.Tallow);
    EXPECT_EQ(s.note, c.note) << c.Q << " " << c.S << " " << c.n << " " << c.W << " " << c.Sw;
    EXPECT_NEAR(s.value, c.expected, 1e-3) << c.Q << " " << c.S << " " << c.n << " " << c.W;
  }
}

TEST(CompositeGutterSpread, EndsForEveryAllowableSpread) {
  // Flows that do not fit leave the bisection stuck under 6 Tallow: the bound
  // is the answer, whatever Tallow.
  for (int tenths = 5; tenths <= 152; ++tenths) {
    const double Tallow = tenths / 10.0;
    const Solution fits = composite_gutter_spread(Ku_en, 50, 0.01, 0.015, 2, 0.0208, 0.0833, 0, Tallow);
    EXPECT_EQ(fits.note, none) << Tallow;
    EXPECT_LE(fits.value, 6 * Tallow) << Tallow;
    EXPECT_GT(fits.value, 2.0) << Tallow;
    EXPECT_EQ(composite_gutter_spread(Ku_en, 1000, 0.01, 0.015, 2, 0.0208, 0.0833, 0, Tallow).value,
              6 * Tallow) << Tallow;
  }
  // Within about 2e-5 of the gutter-full flow (1.141583) the midpoint sits
  // within 1e-4 of W and never passes its own test: the spread is about W.
  for (const double Q : {1.1416, 1.14159, 1.14161}) {
    const Solution s = composite_gutter_spread(Ku_en, Q, 0.05, 0.011, 2, 0.0208, 0.0833, 0, 8);
    EXPECT_EQ(s.note, none) << Q;
    EXPECT_GT(s.value, 2.0) << Q;
    EXPECT_LT(s.value, 2.0002) << Q;
  }
}

TEST(DitchNormalDepth, GivesTheHandWorkedDepth) {
  struct Case { float k; double Q, S, n, B, zl, zr, expected; SolverNote note; };
  // The depths of the computations' ditches show in their results.
  const Case cases[] = {
      // A = 3.668, P = 5.834: 74.3 * 3.668 * 0.7340 * 0.1 = 20.0.
      {1.486f, 20, 0.01, 0.02, 4, 0, 0, 0.9170, none},
      {1.0f, 0.5, 0.01, 0.03, 0.5, 2, 2, 0.3553, none},
      {1.486f, 0, 0.01, 0.03, 2, 3, 3, 0, discharge_not_positive},
      // A level or reversed ditch, n of 0 or below.
      {1.486f, 10, 0, 0.03, 2, 3, 3, 0, invalid_data},
      {1.486f, 10, -0.01, 0.03, 2, 3, 3, 0, invalid_data},
      {1.486f, 10, 0.01, 0, 2, 3, 3, 0, invalid_data},
      {1.486f, 10, 0.01, -0.03, 2, 3, 3, 0, invalid_data},
      // So flat that even Q + 100 deep carries too little.
      {1.486f, 1, 1e-20, 1, 1, 0, 0, 0, no_convergence},
  };
  for (const Case& c : cases) {
    const Solution s = ditch_normal_depth(c.k, c.Q, c.S, c.n, c.B, c.zl, c.zr);
    EXPECT_EQ(s.note, c.note) << c.Q << " " << c.S << " " << c.n;
    EXPECT_NEAR(s.value, c.expected, 1e-3) << c.Q << " " << c.S << " " << c.n;
  }
}

TEST(CombinationSagDepth, GivesTheFirstGridDepthThatCarriesTheFlow) {
  struct Case { double Q, Ae, hco, L; int throat; double angle, expected; SolverNote note; };
  const Case cases[] = {
      // (10 / (0.67 * 4))^2 / 64.32 = 0.2165 with the grate alone below it, up to the grid.
      {10, 2, 0.5, 4, 3, 0, 0.217, none},
      {10, 2, 0.5, 4, 1, 0, 0.360, none},
      {10, 2, 0.5, 4, 2, 3.14159265358979 / 2, 0.360, none},  // inclined at 90 degrees
      // No throat of a known kind: the grate alone, (10 / 1.34)^2 / 64.32 = 0.8659.
      {10, 2, 0.5, 4, 0, 0, 0.866, none},
      {0, 2, 0.5, 4, 3, 0, 0, discharge_not_positive},
      // Flow that no depth up to the cap carries: a negative area, or one so small
      // that millions of steps would be needed.
      {10, -2, 0.5, 4, 0, 0, 0, no_convergence},
      {10, 0.001, 0.5, 0, 3, 0, 0, no_convergence},
  };
  for (const Case& c : cases) {
    const Solution s = combination_sag_depth(c.Q, c.Ae, 32.16f, c.hco, c.hco, c.L, c.throat, c.angle);
    EXPECT_EQ(s.note, c.note) << c.Q << " " << c.Ae << " " << c.throat;
    EXPECT_NEAR(s.value, c.expected, 1e-9) << c.Q << " " << c.Ae << " " << c.throat;
  }
}

TEST(CombinationSagDepth, AnswersAnywhereOnTheGridAreTheRepeatedSums) {
  // The grate alone, Ae = 1: its flow 0.67 sqrt(2 g d) reaches Q - 0.001 at
  // d = target - 0.0005, halfway below the answer. Depths on both sides of the
  // 64th step, and among the last steps below the cap. None of these sums is
  // the step times a count to the last bit.
  const double targets[] = {0.065, 0.066, 0.067, 999.939};
  for (const double target : targets) {
    const double Q = 0.67 * std::sqrt(2 * double(32.16f) * (target - 0.0005)) + 0.001;
    const long steps = std::lround((target - 0.002) / 0.001);
    double walked = 0.002;
    for (long i = 0; i < steps; ++i) walked += 0.001;
    ASSERT_NE(walked, (steps + 2) * 0.001) << target;
    const Solution s = combination_sag_depth(Q, 1, 32.16f, 0.5, 0.5, 4, 0, 0);
    EXPECT_EQ(s.note, none) << target;
    EXPECT_EQ(s.value, walked) << target;
    EXPECT_NEAR(s.value, target, 1e-6) << target;
  }
}

TEST(FrontalEfficiency, FollowsTheSplashOverFitsOfTheGrateType) {
  struct Case { const char* grate; double L, V; bool english; double expected; };
  const Case cases[] = {
      // At exactly 4.5 ft the quadratic fit: Vo = -0.2667 * 20.25 + 3.3 * 4.5 + 2.56667 = 12.015995.
      {"P-1-7/8", 4.5, 14, true, 0.8214404},
      // 1.3716 m is 4.4999999 ft: the same fit, velocity 4.2672 m/s = 14 ft/s.
      {"P-50", 1.3716, 4.2672, false, 0.8214404},
      // Linear fit with a0 = 13.315: Vo = 13.315 + 1.2593 * 5 = 19.6115; none at vmax.
      {"P-1-7/8", 5, 20, true, 0.965035},
      {"P-1-7/8", 5, 23.93, true, 0},
      // Ten feet take all; slow flow is held to 1, fast flow to 0, no length gives 0.
      {"P-1-7/8", 10, 50, true, 1},
      {"P-50", 3.048, 15, false, 1},
      {"Reticuline", 2, 1, true, 1},
      {"P-1-7/8", 3, 30, true, 0},
      {"P-1-7/8", 0, 2, true, 0},
      // Vo = -0.13333 * 4 + 2.3 * 2 + 2.33333 = 6.40001; either name of a pair
      // selects the row in either unit system.
      {"P-1-1/8", 2, 8, true, 0.8559991},
      {"P-30", 2, 8, true, 0.8559991},
      // Vo = -0.075 * 4 + 1.975 * 2 + 0.8 = 4.45, the degree sign in UTF-8 or as
      // the single Windows-1252 byte.
      {"30\xC2\xB0 Tilt Bar", 2, 8, true, 0.6805},
      {"30\xB0 Tilt Bar", 2, 8, true, 0.6805},
      // Vo = -0.15833 * 4 + 2.225 * 2 + 1.183333 = 5.000013.
      {"45\xC2\xB0- 85 Tilt Bar", 2, 8, true, 0.7300012},
      // Names match exactly: case, blanks and the degree sign count.
      {"reticuline", 2, 1, true, 0},
      {"30 Tilt Bar", 2, 1, true, 0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(frontal_efficiency(c.grate, c.L, c.V, c.english).value(), c.expected, 1e-5)
        << c.grate << " L " << c.L << " V " << c.V;
  }
}

// Below LT the curb opening's efficiency shows in the computations' results.
TEST(Efficiencies, CurbOpeningReachesOneAtLTAndGrateNeverExceedsOne) {
  EXPECT_EQ(curb_opening_efficiency(11.2055, 11.2055).value(), 1.0);
  EXPECT_EQ(curb_opening_efficiency(12, 11.2055).value(), 1.0);
  EXPECT_EQ(curb_opening_efficiency(0, 11.2055).value(), 0.0);
  EXPECT_EQ(grate_efficiency(1, 1.2, 0.5).value(), 1.0);
}

TEST(UnitCoefficients, OnlyExactlyEnglishIsEnglishAndTheDefaultsLeaveTwoAlone) {
  UnitCoefficients metric;
  set_unit_defaults(metric, "METRIC");
  for (const char* other : {"English", "", "ENGLISH "}) {
    UnitCoefficients c;
    set_unit_defaults(c, other);
    EXPECT_EQ(c.gutter_flow_coefficient, metric.gutter_flow_coefficient) << other;
    EXPECT_EQ(c.unit_length_factor, 1000.0f) << other;
  }
  UnitCoefficients c;
  c.grate_weir_coefficient = 7.0f;
  c.gravity = 8.0f;
  set_unit_defaults(c, "ENGLISH");
  EXPECT_EQ(c.unit_length_factor, 12.0f);
  EXPECT_EQ(c.grate_weir_coefficient, 7.0f);
  EXPECT_EQ(c.gravity, 8.0f);
}

}  // namespace
}  // namespace rg::hyd
