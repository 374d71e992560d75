// The shared solvers against values worked by hand from their formulas, and the
// guards that make every one of them end.

#include <gtest/gtest.h>

#include <cmath>
#include <ostream>
#include <string>

#include "hydraulics/solvers.h"

namespace rg::hyd {
namespace {

using Common_Libraries::combination_sag_depth;
using Common_Libraries::composite_gutter_spread;
using Common_Libraries::ditch_normal_depth;

constexpr float Ku_en = 0.56f;
constexpr float Ku_si = 0.376f;

struct SpreadCase {
  std::string name;
  float Ku;
  double Q, S, n, W, Sx, Sw, Tallow;
  double expected;
  SolverNote note;
  friend void PrintTo(const SpreadCase& c, std::ostream* os) { *os << c.name; }
};

class CompositeSpread : public ::testing::TestWithParam<SpreadCase> {};

TEST_P(CompositeSpread, GivesTheHandWorkedSpread) {
  const SpreadCase& c = GetParam();
  const Solution s = composite_gutter_spread(c.Ku, c.Q, c.S, c.n, c.W, c.Sx, c.Sw, 99.0, c.Tallow);
  EXPECT_EQ(s.note, c.note);
  EXPECT_NEAR(s.value, c.expected, 1e-3);
}

// English defaults: S 0.01, n 0.015, W 2, Sx 0.0208, Sw 0.0833, Tallow 8.
INSTANTIATE_TEST_SUITE_P(
    Cases, CompositeSpread,
    ::testing::Values(
        // Triangular on Sx with the exponents as written; 5/3, 8/3, 3/8 would give 7.2083.
        SpreadCase{"triangular_W0", Ku_en, 1, 0.01, 0.016, 0, 0.02, 0.0833, 8, 7.2257, SolverNote::none},
        SpreadCase{"triangular_Sw0", Ku_en, 1, 0.01, 0.016, 2, 0.02, 0, 8, 7.2257, SolverNote::none},
        SpreadCase{"triangular_W0_Sw_negative", Ku_en, 1, 0.01, 0.016, 0, 0.02, -0.02, 8, 7.2257,
                   SolverNote::none},
        SpreadCase{"within_gutter", Ku_en, 0.3, 0.01, 0.015, 2, 0.0208, 0.0833, 8, 1.8408, SolverNote::none},
        SpreadCase{"composite_Q3", Ku_en, 3, 0.01, 0.015, 2, 0.0208, 0.0833, 8, 9.3152, SolverNote::none},
        SpreadCase{"composite_Q1_5", Ku_en, 1.5, 0.01, 0.015, 2, 0.0208, 0.0833, 8, 6.5673, SolverNote::none},
        SpreadCase{"composite_Q0_5", Ku_en, 0.5, 0.01, 0.015, 2, 0.0208, 0.0833, 8, 2.8949, SolverNote::none},
        SpreadCase{"composite_metric", Ku_si, 0.1, 0.01, 0.015, 0.6, 0.02, 0.0833, 3, 3.1531, SolverNote::none},
        SpreadCase{"capped", Ku_en, 100, 0.01, 0.015, 2, 0.0208, 0.0833, 1, 6, SolverNote::none},
        SpreadCase{"no_discharge", Ku_en, 0, 0.01, 0.015, 2, 0.0208, 0.0833, 8, 0,
                   SolverNote::discharge_not_positive},
        SpreadCase{"negative_gutter_slope", Ku_en, 1, 0.01, 0.015, 0.5, 0.0208, -0.02, 8, 0,
                   SolverNote::invalid_data},
        SpreadCase{"negative_gutter_width", Ku_en, 1, 0.01, 0.015, -1, 0.0208, 0.0833, 8, 0,
                   SolverNote::invalid_data},
        SpreadCase{"level_gutter", Ku_en, 1, 0, 0.015, 2, 0.0208, 0.0833, 8, 0,
                   SolverNote::arithmetic_failure},
        // n = 0 makes the spread 0 without any fault on either path.
        SpreadCase{"n_zero_triangular", Ku_en, 1, 0.01, 0, 0, 0.0208, 0.0833, 8, 0, SolverNote::none},
        SpreadCase{"n_zero_composite", Ku_en, 1, 0.01, 0, 2, 0.0208, 0.0833, 8, 0, SolverNote::none},
        SpreadCase{"negative_slope", Ku_en, 1, -0.01, 0.015, 0, 0.0208, 0.0833, 8, 0,
                   SolverNote::arithmetic_failure},
        // Six times the allowable spread below W: the first midpoint lies inside the gutter.
        SpreadCase{"bound_inside_gutter", Ku_en, 3, 0.01, 0.015, 2, 0.0208, 0.0833, 0.3, 0,
                   SolverNote::arithmetic_failure}),
    [](const auto& info) { return info.param.name; });

TEST(CompositeSpreadGuards, StuckUnderTheBoundGivesSixTimesTheAllowableSpread) {
  // These allowable spreads left the bisection creeping up to 6 Tallow forever.
  for (const double Tallow : {1.1, 2.2, 2.3, 4.1, 4.4, 4.6, 4.9}) {
    const Solution s = composite_gutter_spread(Ku_en, 50, 0.01, 0.015, 2, 0.0208, 0.0833, 0, Tallow);
    EXPECT_EQ(s.note, SolverNote::none) << Tallow;
    EXPECT_EQ(s.value, 6 * Tallow) << Tallow;
  }
  for (const double Tallow : {1.1, 2.2, 2.3}) {
    const Solution s = composite_gutter_spread(Ku_si, 5, 0.01, 0.015, 0.6, 0.02, 0.0833, 0, Tallow);
    EXPECT_EQ(s.value, 6 * Tallow) << Tallow;
  }
}

TEST(CompositeSpreadGuards, EveryAllowableSpreadEndsAtTheBoundOrBelowIt) {
  for (int tenths = 5; tenths <= 152; ++tenths) {
    const double Tallow = tenths / 10.0;
    const Solution s = composite_gutter_spread(Ku_en, 50, 0.01, 0.015, 2, 0.0208, 0.0833, 0, Tallow);
    EXPECT_EQ(s.note, SolverNote::none) << Tallow;
    EXPECT_LE(s.value, 6 * Tallow) << Tallow;
    EXPECT_GT(s.value, 2.0) << Tallow;
  }
  // Q = 1000 never fits: every bound is the answer, 18 of them once endless.
  for (int tenths = 5; tenths <= 152; ++tenths) {
    const double Tallow = tenths / 10.0;
    const Solution s = composite_gutter_spread(Ku_en, 1000, 0.01, 0.015, 2, 0.0208, 0.0833, 0, Tallow);
    EXPECT_EQ(s.value, 6 * Tallow) << Tallow;
  }
}

TEST(CompositeSpreadGuards, ConvergingOnTheGutterWidthGivesAboutW) {
  // Within about 2e-5 of the gutter-full flow (1.141583) the bisection's midpoint
  // sits within 1e-4 of W and never passed its own test.
  for (const double Q : {1.1416, 1.14159, 1.14161}) {
    const Solution s = composite_gutter_spread(Ku_en, Q, 0.05, 0.011, 2, 0.0208, 0.0833, 0, 8);
    EXPECT_EQ(s.note, SolverNote::none) << Q;
    EXPECT_GT(s.value, 2.0) << Q;
    EXPECT_LT(s.value, 2.0002) << Q;
  }
}

struct DitchCase {
  std::string name;
  float k;
  double Q, S, n, B, zl, zr;
  double expected;
  SolverNote note;
  friend void PrintTo(const DitchCase& c, std::ostream* os) { *os << c.name; }
};

class DitchDepth : public ::testing::TestWithParam<DitchCase> {};

TEST_P(DitchDepth, GivesTheHandWorkedDepth) {
  const DitchCase& c = GetParam();
  const Solution s = ditch_normal_depth(c.k, c.Q, c.S, c.n, c.B, c.zl, c.zr);
  EXPECT_EQ(s.note, c.note);
  EXPECT_NEAR(s.value, c.expected, 1e-3);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, DitchDepth,
    ::testing::Values(
        // A = 3.668, P = 5.834: 74.3 * 3.668 * 0.7340 * 0.1 = 20.0.
        DitchCase{"rectangle", 1.486f, 20, 0.01, 0.02, 4, 0, 0, 0.9170, SolverNote::none},
        DitchCase{"trapezoid", 1.486f, 10, 0.005, 0.03, 2, 3, 3, 0.9024, SolverNote::none},
        DitchCase{"v_ditch", 1.486f, 2, 0.01, 0.03, 0, 3, 3, 0.5680, SolverNote::none},
        DitchCase{"metric", 1.0f, 0.5, 0.01, 0.03, 0.5, 2, 2, 0.3553, SolverNote::none},
        DitchCase{"no_discharge", 1.486f, 0, 0.01, 0.03, 2, 3, 3, 0, SolverNote::discharge_not_positive},
        DitchCase{"level", 1.486f, 10, 0, 0.03, 2, 3, 3, 0, SolverNote::invalid_data},
        DitchCase{"reversed", 1.486f, 10, -0.01, 0.03, 2, 3, 3, 0, SolverNote::invalid_data},
        DitchCase{"n_zero", 1.486f, 10, 0.01, 0, 2, 3, 3, 0, SolverNote::invalid_data},
        DitchCase{"n_negative", 1.486f, 10, 0.01, -0.03, 2, 3, 3, 0, SolverNote::invalid_data},
        // So flat that even Q + 100 deep carries too little.
        DitchCase{"root_out_of_range", 1.486f, 1, 1e-20, 1, 1, 0, 0, 0, SolverNote::no_convergence}),
    [](const auto& info) { return info.param.name; });

struct SagDepthCase {
  std::string name;
  double Q, Ae, hco, L;
  int throat;
  double angle;
  double expected;
  SolverNote note;
  friend void PrintTo(const SagDepthCase& c, std::ostream* os) { *os << c.name; }
};

class CombinationSagDepth : public ::testing::TestWithParam<SagDepthCase> {};

TEST_P(CombinationSagDepth, GivesTheFirstGridDepthThatCarriesTheFlow) {
  const SagDepthCase& c = GetParam();
  const Solution s = combination_sag_depth(c.Q, c.Ae, 32.16f, c.hco, c.hco, c.L, c.throat, c.angle);
  EXPECT_EQ(s.note, c.note);
  EXPECT_NEAR(s.value, c.expected, 1e-9);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CombinationSagDepth,
    ::testing::Values(
        // (10 / (0.67 * 4))^2 / 64.32 = 0.2165 with the grate alone below it, up to the grid.
        SagDepthCase{"vertical", 10, 2, 0.5, 4, 3, 0, 0.217, SolverNote::none},
        SagDepthCase{"horizontal", 10, 2, 0.5, 4, 1, 0, 0.360, SolverNote::none},
        SagDepthCase{"inclined_at_90_degrees", 10, 2, 0.5, 4, 2, 3.14159265358979 / 2, 0.360,
                     SolverNote::none},
        // No throat of a known kind: the grate alone, (10 / 1.34)^2 / 64.32 = 0.8659.
        SagDepthCase{"no_throat", 10, 2, 0.5, 4, 0, 0, 0.866, SolverNote::none},
        SagDepthCase{"no_discharge", 0, 2, 0.5, 4, 3, 0, 0, SolverNote::discharge_not_positive},
        // Flow that no depth up to the cap carries: a negative area, or one so small
        // that millions of steps would be needed.
        SagDepthCase{"negative_area", 10, -2, 0.5, 4, 0, 0, 0, SolverNote::no_convergence},
        SagDepthCase{"tiny_area", 10, 0.001, 0.5, 0, 3, 0, 0, SolverNote::no_convergence}),
    [](const auto& info) { return info.param.name; });

TEST(CombinationSagDepthGrid, DepthGrowsByRepeatedAddition) {
  // 0.001 added 216 times to 0.001 is not 0.217 to the last bit.
  const Solution s = combination_sag_depth(10, 2, 32.16f, 0.5, 0.5, 4, 3, 0);
  EXPECT_EQ(s.value, 0.21700000000000016);
}

}  // namespace
}  // namespace rg::hyd
