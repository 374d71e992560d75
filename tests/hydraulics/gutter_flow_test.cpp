// The splash-over table, the efficiencies and the unit coefficients.

#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "hydraulics/coefficients.h"
#include "hydraulics/gutter_flow.h"

namespace rg::hyd {
namespace {

struct FrontalCase {
  std::string name;
  std::string grate;
  double L, V;
  bool english;
  double expected;
  friend void PrintTo(const FrontalCase& c, std::ostream* os) { *os << c.name; }
};

class FrontalEfficiency : public ::testing::TestWithParam<FrontalCase> {};

TEST_P(FrontalEfficiency, FollowsTheSplashOverFits) {
  const FrontalCase& c = GetParam();
  EXPECT_NEAR(frontal_efficiency(c.grate, c.L, c.V, c.english).value(), c.expected, 1e-5);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FrontalEfficiency,
    ::testing::Values(
        // At exactly 4.5 ft the quadratic fit: Vo = -0.2667 * 20.25 + 3.3 * 4.5 + 2.56667 = 12.015995.
        FrontalCase{"at_4_5_ft_quadratic", "P-1-7/8", 4.5, 14, true, 0.8214404},
        // 1.3716 m is 4.4999999 ft: the same fit, velocity 4.2672 m/s = 14 ft/s.
        FrontalCase{"metric_just_below_4_5_ft", "P-50", 1.3716, 4.2672, false, 0.8214404},
        // Linear fit with a0 = 13.315: Vo = 13.315 + 1.2593 * 5 = 19.6115.
        FrontalCase{"linear_fit", "P-1-7/8", 5, 20, true, 0.965035},
        FrontalCase{"at_vmax_on_linear_fit", "P-1-7/8", 5, 23.93, true, 0},
        FrontalCase{"ten_feet_takes_all", "P-1-7/8", 10, 50, true, 1},
        FrontalCase{"ten_feet_in_metres", "P-50", 3.048, 15, false, 1},
        FrontalCase{"slow_flow_held_to_one", "Reticuline", 2, 1, true, 1},
        FrontalCase{"fast_flow_held_to_zero", "P-1-7/8", 3, 30, true, 0},
        FrontalCase{"no_length", "P-1-7/8", 0, 2, true, 0},
        FrontalCase{"negative_length", "P-1-7/8", -2, 2, true, 0},
        // Vo = -0.13333 * 4 + 2.3 * 2 + 2.33333 = 6.40001; either name of a pair
        // selects the row in either unit system.
        FrontalCase{"english_name", "P-1-1/8", 2, 8, true, 0.8559991},
        FrontalCase{"metric_name_in_english_project", "P-30", 2, 8, true, 0.8559991},
        // Vo = -0.075 * 4 + 1.975 * 2 + 0.8 = 4.45.
        FrontalCase{"degree_sign", "30\xC2\xB0 Tilt Bar", 2, 8, true, 0.6805},
        FrontalCase{"degree_sign_from_old_records", "30\xB0 Tilt Bar", 2, 8, true, 0.6805},
        // Vo = -0.15833 * 4 + 2.225 * 2 + 1.183333 = 5.000013.
        FrontalCase{"metric_tilt_bar", "45\xC2\xB0- 85 Tilt Bar", 2, 8, true, 0.7300012},
        FrontalCase{"case_counts", "reticuline", 2, 1, true, 0},
        FrontalCase{"blanks_count", "Reticuline ", 2, 1, true, 0},
        FrontalCase{"degree_sign_missing", "30 Tilt Bar", 2, 1, true, 0}),
    [](const auto& info) { return info.param.name; });

TEST(SplashOverTable, HasSevenPairsInListOrder) {
  const auto table = splash_over_table();
  ASSERT_EQ(table.size(), 7u);
  const char* english[] = {"P-1-7/8", "P-1-1/8", "Curved Vane", "30\xC2\xB0 Tilt Bar",
                           "45\xC2\xB0 Tilt Bar", "P-1-7/8-4", "Reticuline"};
  const char* metric[] = {"P-50", "P-30", "Curved Vane", "30\xC2\xB0- 85 Tilt Bar",
                          "45\xC2\xB0- 85 Tilt Bar", "P-50x100", "Reticuline"};
  for (std::size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].english_name, english[i]);
    EXPECT_EQ(table[i].metric_name, metric[i]);
  }
}

TEST(CurbOpeningEfficiency, ReachesOneAtTheLengthForTotalInterception) {
  struct Case {
    double L, LT, expected;
  };
  // 1 - (1 - 4/11.2055)^1.8 = 0.5483321.
  const Case cases[] = {{4, 11.2055, 0.5483321}, {11.2055, 11.2055, 1}, {12, 11.2055, 1}, {0, 11.2055, 0}};
  for (const Case& c : cases) {
    EXPECT_NEAR(curb_opening_efficiency(c.L, c.LT).value(), c.expected, 1e-6) << c.L;
  }
}

TEST(GrateEfficiency, NeverExceedsOne) {
  EXPECT_NEAR(grate_efficiency(1, 0.6, 0.5).value(), 0.8, 1e-12);
  EXPECT_EQ(grate_efficiency(1, 1.2, 0.5).value(), 1.0);
}

TEST(UnitCoefficients, DefaultsOfTheFormBySystem) {
  UnitCoefficients c;
  c.grate_weir_coefficient = 7.0f;
  c.gravity = 8.0f;
  set_unit_defaults(c, "ENGLISH");
  EXPECT_NEAR(c.gutter_flow_coefficient, 0.5600000024, 1e-10);
  EXPECT_NEAR(c.side_flow_coefficient, 0.1500000060, 1e-10);
  EXPECT_NEAR(c.curb_length_coefficient, 0.6000000238, 1e-10);
  EXPECT_NEAR(c.manning_unit_factor, 1.4859999418, 1e-10);
  EXPECT_NEAR(c.weir_coefficient, 2.2999999523, 1e-10);
  EXPECT_EQ(c.unit_length_factor, 12.0f);
  EXPECT_EQ(c.grate_weir_coefficient, 7.0f);
  EXPECT_EQ(c.gravity, 8.0f);

  for (const char* metric : {"METRIC", "English", ""}) {
    set_unit_defaults(c, metric);
    EXPECT_NEAR(c.gutter_flow_coefficient, 0.3759999871, 1e-10) << metric;
    EXPECT_NEAR(c.side_flow_coefficient, 0.0828000009, 1e-10);
    EXPECT_NEAR(c.curb_length_coefficient, 0.8169999719, 1e-10);
    EXPECT_EQ(c.manning_unit_factor, 1.0f);
    EXPECT_NEAR(c.weir_coefficient, 1.6599999666, 1e-10);
    EXPECT_EQ(c.unit_length_factor, 1000.0f);
    EXPECT_EQ(c.grate_weir_coefficient, 7.0f);
  }
}

}  // namespace
}  // namespace rg::hyd
