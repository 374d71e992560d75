// The hydrology's own library: the formulas against the worked values of the
// design notes and values worked by hand, each shown as the dialogs show it
// ("0.000" English, "0.0000" metric); the stored strings TCSTR, TCOPTIONSTR and
// the area rows, which never shift or lose a row in silence; and the rainfall
// look-up against the files the program ships with. Kirpich's time, the county
// curve, mm/hr and a metric discharge are worked through the scenarios' walks,
// I at Tc 17.564 through the Tc dialog.

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "hydrology/formulas.h"
#include "hydrology/land_use.h"
#include "hydrology/rainfall_store.h"
#include "hydrology/tc_strings.h"
#include "platform/db/connection.h"
#include "platform/text/number_text.h"

namespace rg::hydrology {
namespace {

using text::format_number;
constexpr auto E = Units::English;
constexpr auto M = Units::Metric;
constexpr auto KW = TcMethod::KinematicWave;
constexpr auto GF = TcMethod::GutterFlow;
constexpr auto SE = TcMethod::Seeley;
constexpr auto KI = TcMethod::Kirpich;

const char* shown(Units u) { return u == M ? "0.0000" : "0.000"; }

// Kirpich: length is L and upper is H.
struct Segment { TcMethod method; Units units; double length, upper, lower, coefficient, depth; };

TcSegment run(const Segment& c) {
  const SlopeSegment s{c.length, c.upper, c.lower};
  if (c.method == KW) return kinematic_wave_time(s, c.coefficient, c.units);
  if (c.method == GF) return gutter_flow_time(s, c.coefficient, c.depth, c.units);
  if (c.method == SE) return seeley_time(s, c.coefficient, c.units);
  return kirpich_time(c.upper, c.length, c.units);
}

// A damaged file's UNITS reads as in the rest of the program: only "ENGLISH" is English.
TEST(Units, AnyTextButEnglishIsMetric) {
  for (const auto& [text, units] : {std::pair{"ENGLISH", E}, {"METRIC", M}, {"SI", M}, {"", M}}) {
    EXPECT_EQ(units_of(text), units) << '"' << text << '"';
  }
}

TEST(SegmentTimes, WorkedValues) {
  const struct { Segment in; const char *slope, *minutes; } cases[] = {
      // 0.933/4^0.4 = 0.535868; (100*0.015/0.0707107)^0.6 = 21.2132^0.6 = 6.25121 -> 3.34982
      {{KW, E, 100, 10.5, 10.0, 0.015, 0}, "0.0050", "3.350"},
      // 6.943/101.6^0.4 = 1.093427; (30*0.015/0.0707107)^0.6 = 6.36396^0.6 = 3.035544 -> 3.319145
      {{KW, M, 30, 10.15, 10.0, 0.015, 0}, "0.0050", "3.3191"},
      // 0.535868 * (80*0.13/0.0707107)^0.6 = 0.535868 * 147.0782^0.6 = 10.704999
      {{KW, E, 80, 20.4, 20.0, 0.13, 0}, "0.0050", "10.705"},
      // V = 1.486/0.016 * 0.2^(2/3) * 0.0707107 = 92.875*0.341995*0.0707107 = 2.245969; 300/V/60 = 2.226210
      {{GF, E, 300, 12.0, 10.5, 0.016, 0.2}, "0.0050", "2.226"},
      // V = 1/0.016 * 0.06096^(2/3) * 0.0707107 = 62.5*0.154892*0.0707107 = 0.684534; 91.44/V/60 = 2.226332
      {{GF, M, 91.44, 0.4572, 0.0, 0.016, 0.06096}, "0.0050", "2.2263"},
      // 0.225 * 150^0.42 * 0.02^-0.19 / 0.35 = 0.225*8.202728*2.102831/0.35 = 11.088610
      {{SE, E, 150, 20.0, 17.0, 0.35, 0}, "0.0200", "11.089"},
      // 0.37056 * 45.72^0.42 * 0.02^-0.19 / 0.35 = 0.37056*4.980175*2.102831/0.35 = 11.087647
      {{SE, M, 45.72, 0.9144, 0.0, 0.35, 0}, "0.0200", "11.0876"},
  };
  for (const auto& c : cases) {
    const auto t = run(c.in);
    ASSERT_TRUE(t.ok()) << t.message;
    EXPECT_EQ(t.slope ? format_number(*t.slope, "0.0000") : "", c.slope);
    EXPECT_EQ(format_number(t.minutes, shown(c.in.units)), c.minutes);
  }
}

TEST(SegmentTimes, Refusals) {
  const char* data = "Data Error! May be Divide By Zero Error";
  const struct { Segment in; const char* message; bool slope_written; } cases[] = {
      {{KW, E, 0, 9, 10, 0.015, 0}, "Compute Error!  Flow Distance is zero", false},  // before the elevations
      {{SE, E, 100, 10, 10, 0.35, 0}, "Compute Error!  Upper Elevation is lower than Lower Elevation", false},
      {{KW, E, 100, 10.5, 10, 0, 0}, data, true},      // n 0
      {{GF, E, 100, 10.5, 10, 0.016, 0}, data, true},  // depth 0
      {{SE, E, 100, 10.5, 10, 1.2, 0}, data, true},    // C above 1
      {{SE, E, 100, 10.5, 10, -0.5, 0}, data, true},
      {{KI, E, 1000, 0, 0, 0, 0}, "Compute Error!  Data Value is zero", false},
      {{KI, E, 1000, -2, 0, 0, 0}, data, false},
      {{KW, E, 300.1, 10.5, 10, 0.015, 0}, "Length Cannot Exceed 300 ft. for this method!!", false},
      {{SE, M, 61.5, 10.5, 10, 0.35, 0}, "Maximum Flow Distance must be less than  61 m!", false},
      {{KW, E, 1e-300, 1e300, 0, 0.015, 0}, data, false},  // a slope too large to be a number
  };
  for (const auto& c : cases) {
    const auto t = run(c.in);
    EXPECT_EQ(t.message, c.message);
    EXPECT_EQ(t.titled_error, std::string_view(c.message).starts_with("Compute Error!")) << c.message;
    EXPECT_EQ(t.slope.has_value(), c.slope_written) << c.message;
  }
  EXPECT_EQ(kinematic_wave_time({100, std::nullopt, 10}, 0.015, E).message, data);  // no number
  // A depth that is no number stops the run before the distance test and the slope.
  EXPECT_EQ(gutter_flow_time({0, 10.5, 10}, 0.016, std::nullopt, E).message, data);
  EXPECT_FALSE(gutter_flow_time({100, 10.5, 10}, 0.016, std::nullopt, E).slope.has_value());
  EXPECT_TRUE(kinematic_wave_time({300, 10.5, 10}, 0.015, E).ok());                 // the limits pass
  EXPECT_TRUE(seeley_time({61, 10.5, 10}, 0.35, M).ok());
}

TEST(SegmentTimes, TotalStopsAtATimeThatIsNoNumber) {
  // 10.705 + 1.777 + 0.0 + 5.082 = 17.564
  EXPECT_EQ(format_number(total_tc({10.705, 1.777, 0.0, 5.082}).minutes, "0.000"), "17.564");
  EXPECT_EQ(total_tc({10.705, 1.777, std::nullopt, 5.082}).refused_segment, 2);
  EXPECT_EQ(total_tc({-1.0, 1.777, 0.0, 0.0}).refused_segment, 0);
  EXPECT_TRUE(total_tc({1.7e308, 0.0, 0.0, 1.7e308}).overflowed);
}

TEST(Intensity, WorkedValues) {
  using F = RainfallCoefficients::Formula;
  // 60 / 15^0.8 = 60 / 8.727161 = 6.875088; 50 / 22^0.75 = 50 / 10.158206 = 4.922129.
  EXPECT_EQ(format_number(rainfall_intensity({F::Storm, 0, 60, 10, 0.8}, 5.0, E).value, "0.000"), "6.875");
  EXPECT_EQ(format_number(rainfall_intensity({F::Storm, 0, 50, 10, 0.75}, 12.0, E).value, "0.000"), "4.922");
  // Never a silent 0 nor a NaN.
  EXPECT_EQ(rainfall_intensity({F::County, 0, 0, 0, 0}, 0.0, E).problem, IntensityProblem::NotComputable);
  EXPECT_EQ(rainfall_intensity({F::Storm, 0, 0, 0, 0}, 5.0, E).problem, IntensityProblem::NotComputable);
  EXPECT_EQ(rainfall_intensity({F::Storm, 0, 60, 10, 0.8}, std::nullopt, E).problem, IntensityProblem::TcNotANumber);
  EXPECT_EQ(rainfall_intensity({F::Storm, 0, 60, 10, 0.8}, -1.0, E).problem, IntensityProblem::TcNegative);
  // 1.2E+308 / (5 + 1) in/hr is a number, 25.4 times it in mm/hr is not.
  EXPECT_EQ(rainfall_intensity({F::County, 1.2e308, 1, 0, 0}, 5.0, M).problem, IntensityProblem::NotComputable);
}

TEST(Discharge, RefusesWhatHoldsNoNumber) {
  DischargeInputs in{2.5, 1.0, 5.123, std::nullopt, 1.2, std::nullopt, true};
  EXPECT_EQ(compute_discharge(in, E).message(), "The frequency factor Cf holds no number: the discharge cannot be computed.");
  in.cf = 1.1;
  EXPECT_EQ(compute_discharge(in, E).refused, DischargeInput::Carryover2);
  in.sump = false;  // side 2 does not count on a grade
  EXPECT_TRUE(compute_discharge(in, E).ok());
  in.total_ca1 = -0.5;
  EXPECT_TRUE(compute_discharge(in, E).negative);
  // Each a number, their sum is not.
  const DischargeInputs huge{1.0, 1.0, 1.0, 1.0, 1.7e308, 1.7e308, true};
  EXPECT_EQ(compute_discharge(huge, E).message(),
            "The total discharge is too large to be a number: check the discharges and the carry-overs.");
}

// The round trip of a saved TCSTR is checked through the Tc dialog.
TEST(TcStrings, OddStoredTextsAndCheckBoxes) {
  const auto short_text = decode_tcstr("80.000,20.400");
  EXPECT_EQ(short_text.stored_fields, 2u);
  EXPECT_EQ(short_text.fields[1], "20.400");
  EXPECT_FALSE(short_text.fields[2].has_value());  // keeps its control's text
  EXPECT_EQ(decode_tcstr("").stored_fields, 0u);

  // An older record with 28 fields: the last one keeps the rest.
  const auto long_text = decode_tcstr(std::string(26, ',') + "17.564,9.9");
  EXPECT_EQ(long_text.fields[26], "17.564,9.9");

  // A typed "," never reaches the stored text.
  TcTexts texts;
  texts[4] = "Lawns, short";
  const auto encoded = encode_tcstr(texts);
  EXPECT_EQ(std::count(encoded.begin(), encoded.end(), ','), 26);
  EXPECT_EQ(decode_tcstr(encoded).fields[4], "Lawns short");

  // The check boxes: the rest unchecked, any non-zero integer checked.
  EXPECT_EQ(encode_tcoptionstr({true, true, false, false}), "1,1,0,0");
  EXPECT_EQ(decode_tcoptionstr("1,0,0,1"), (TcChecks{true, false, false, true}));
  EXPECT_EQ(decode_tcoptionstr("0,1"), (TcChecks{false, true, false, false}));
  EXPECT_EQ(decode_tcoptionstr("-1,x,2,0"), (TcChecks{true, false, true, false}));
}

// The round trip of saved rows is checked through the drainage-area dialog.
TEST(AreaStrings, ASideWithNoAreaIsNotEmptyAndTextsOfAnotherTableFillTheRowsTheyHave) {
  // 14 and 23 separators.
  for (auto table : {LandUseTable::Rows15, LandUseTable::Rows24}) {
    const auto empty = encode_area_rows(default_area_rows(table)).areabufstr;
    EXPECT_EQ(std::count(empty.begin(), empty.end(), ','), table == LandUseTable::Rows15 ? 14 : 23);
  }

  // Saved under the 24-row table, read under the 15-row one.
  std::string areas = "1.000";
  for (int i = 1; i < 24; ++i) areas += "," + std::to_string(i) + ".000";
  const auto longer = decode_area_rows(LandUseTable::Rows15, areas, "");
  EXPECT_EQ(longer.stored_rows, 24u);
  EXPECT_EQ(longer.rows.areas[14], "14.000");  // the last row, not the rest of the text
  EXPECT_EQ(longer.rows.cs[14], "0.35");        // no C stored: the default

  const auto shorter = decode_area_rows(LandUseTable::Rows24, "2.000,,1.500", "0.90,0.50,0.45");
  EXPECT_EQ(shorter.stored_rows, 3u);
  EXPECT_EQ(shorter.rows.areas[2], "1.500");
  EXPECT_EQ(shorter.rows.cs[2], "0.45");
  EXPECT_EQ(shorter.rows.cs[3], "0.40");  // row 3's default

  EXPECT_TRUE(decode_area_rows(LandUseTable::Rows24, "", "").matches());  // no saved rows
}

TEST(AreaStrings, CoefficientKeptInItsRange) {
  const struct { const char *typed, *range; double c; const char* shown; } cases[] = {
      {"0.99", "0.90 - 0.95", 0.95, "0.95"}, {"0.1", "0.35 - 0.50", 0.35, "0.35"}, {"", "0.35 - 0.50", 0.35, "0.35"},
      {"0.5", "0.35 - 0.50", 0.5, "0.50"}, {"0.555", "0.50 - 0.60", 0.555, "0.56"}, {".", "0.35 - 0.50", 0.35, "0.35"}};
  for (const auto& c : cases) {
    const auto mended = clamp_runoff_c(c.typed, c.range);
    EXPECT_DOUBLE_EQ(mended.c, c.c) << c.typed;
    EXPECT_EQ(mended.text, c.shown) << c.typed;
  }
}

using enum RainfallSource;

struct Rainfall : ::testing::Test {
  db::Connection noaa, storm, county;
  void SetUp() override {
    for (auto [c, file] : {std::pair{&noaa, "VARMNOAA.rdb"}, {&storm, "VARMSTORM.rdb"}, {&county, "VArainfall.rdb"}}) {
      c->open(std::filesystem::path(RG_PROGRAM_DIR) / file, db::Access::ReadOnly);
    }
  }
};

// Which file serves which kind of project is checked by the shell's tests of
// opening each kind.
// The worked rows of the rainfall model (data/rainfall_model.md) are checked
// through the intensities they give, with the look-up on opened projects.
TEST_F(Rainfall, EveryReturnPeriodAndAQuotedName) {
  const struct { db::Connection& file; RainfallSource source; const char* name; } places[] = {
      {noaa, Station, "Stuart's Draft"}, {storm, CountyStorm, "King and Queen"}, {county, County, "Accomack"}};
  for (const auto& p : places) {
    for (int years : return_periods(p.source)) {
      const auto found = look_up_rainfall(p.file, p.source, p.name, std::to_string(years));
      EXPECT_TRUE(found.ok()) << p.name << " " << years << ": " << found.message();
    }
  }
}

TEST_F(Rainfall, WhatWasNotFoundIsNamed) {
  using enum LookupProblem;
  const struct {
    db::Connection& file;
    RainfallSource source;
    const char *name, *frequency;
    LookupProblem problem;
    const char* message;
  } cases[] = {
      {noaa, Station, "Atlantis", "10", NoRow,
       "The rainfall data hold no row for the NOAA station \"Atlantis\": the rainfall intensity cannot be computed."},
      {noaa, Station, "Culpeper", "10", NoRow, nullptr},  // stored "Culpeper "
      {county, County, "Henrico", "5", NoCoefficients,
       "The rainfall data hold no coefficients of the 5-year storm for the county \"Henrico\": the rainfall "
       "intensity cannot be computed."},
      {noaa, Station, "Stuart's Draft", "", EmptyFrequency,
       "No storm frequency is chosen: the rainfall intensity cannot be computed."},
      {noaa, Station, "Stuart's Draft", "7", NotAReturnPeriod, nullptr},
      {noaa, Station, "Stuart's Draft", "2.5", NotAReturnPeriod, nullptr},
      // The wrong file for the project: the database's own description.
      {noaa, County, "Henrico", "10", DatabaseError, nullptr},
  };
  for (const auto& c : cases) {
    const auto found = look_up_rainfall(c.file, c.source, c.name, c.frequency);
    EXPECT_EQ(found.problem, c.problem) << c.name << " " << c.frequency;
    if (c.message) {
      EXPECT_EQ(found.message(), c.message);
    }
    EXPECT_FALSE(found.message().empty());
  }
}

}  // namespace
}  // namespace rg::hydrology
