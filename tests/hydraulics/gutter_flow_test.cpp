// The splash-over fits by grate type, and the efficiencies.

#include <gtest/gtest.h>

#include "hydraulics/coefficients.h"
#include "hydraulics/gutter_flow.h"

namespace rg::hyd {
namespace {

TEST(FrontalEfficiency, FollowsTheSplashOverFitsOfTheGrateType) {
  struct Case {
    const char* grate;
    double L, V;
    bool english;
    double expected;
  };
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
      {"P-1-7/8", -2, 2, true, 0},
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
      {"Reticuline ", 2, 1, true, 0},
      {"30 Tilt Bar", 2, 1, true, 0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(frontal_efficiency(c.grate, c.L, c.V, c.english).value(), c.expected, 1e-5)
        << c.grate << " L " << c.L << " V " << c.V;
  }
}

TEST(Efficiencies, CurbOpeningReachesOneAtLTAndGrateNeverExceedsOne) {
  // 1 - (1 - 4/11.2055)^1.8 = 0.5483321.
  EXPECT_NEAR(curb_opening_efficiency(4, 11.2055).value(), 0.5483321, 1e-6);
  EXPECT_EQ(curb_opening_efficiency(11.2055, 11.2055).value(), 1.0);
  EXPECT_EQ(curb_opening_efficiency(12, 11.2055).value(), 1.0);
  EXPECT_EQ(curb_opening_efficiency(0, 11.2055).value(), 0.0);
  EXPECT_NEAR(grate_efficiency(1, 0.6, 0.5).value(), 0.8, 1e-12);
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
