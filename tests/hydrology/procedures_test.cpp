// The rainfall computations on the inlet design form's boxes: the worked
// intensities and discharges, and the look-up on a project opened through the
// main window, with the rainfall file the project's kind reads.

#include <gtest/gtest.h>

#include "app/shell_fixture.h"
#include "fake_inlet_boxes.h"
#include "hydrology/procedures.h"

namespace rg::test {
namespace {

struct Computations : HydrologyDialogTest {};

TEST_F(Computations, WorkedIntensities) {
  const struct {
    bool shared;
    const char* release;
    const char* units;
    double a, b, d, e;
    const char* tc;
    const char* intensity;
  } cases[] = {
      {false, "2.1", "ENGLISH", 0, 60, 10, 0.8, "5.0", "6.875"},
      {false, "2.1", "METRIC", 0, 60, 10, 0.8, "5.0", "174.6272"},
      {false, "", "ENGLISH", 0, 60, 10, 0.8, "", "6.875"},  // an empty Tc is 5 minutes
      {true, "", "ENGLISH", 120, 15, 0, 0, "5.0", "6.000"},
      {true, "", "ENGLISH", 202, 24.3, 0, 0, "12.0", "5.565"},
  };
  for (const auto& c : cases) {
    session.project.shared_project = c.shared;
    session.project.open_project_major_release = c.release;
    session.project.unit_system = c.units;
    session.number_format = std::string(c.units) == "METRIC" ? "0.0000" : "0.000";
    session.rainfall.rain_coef_A = c.a;
    session.rainfall.rain_coef_B = c.b;
    session.rainfall.rain_coef_D = c.d;
    session.rainfall.rain_coef_E = c.e;
    boxes.texts = {{"Tc", c.tc}};
    session.services.compute_intensity();
    EXPECT_EQ(boxes.texts["Intensity"], c.intensity) << c.units << " " << c.a;
    EXPECT_EQ(boxes.texts["Tc"], std::string(c.tc).empty() ? "5.0" : c.tc);
  }
}

TEST_F(Computations, WorkedDischarges) {
  const struct {
    const char* pattern;
    const char* units;
    std::map<std::string, std::string, std::less<>> in;
    const char* discharge1;
    const char* discharge2;
    const char* total;
  } cases[] = {
      {"0.000", "ENGLISH",
       {{"totalca1", "2.5"}, {"Intensity", "5.123"}, {"Cf", "1.1"}, {"carryover1", "1.2"}, {"discharge2", "9.9"},
        {"inlet_location", "CONTINUOUS GRADE"}},
       "14.088", "9.9", "15.288"},
      {"0.0000", "METRIC",
       {{"totalca1", "1.0"}, {"Intensity", "130.0"}, {"Cf", "1.0"}, {"carryover1", "0.0"},
        {"inlet_location", "CONTINUOUS GRADE"}},
       "0.3611", "", "0.3611"},
      // W1 in a sag: Q1 = 1.75 x 4.922 x 1.1, Q2 = 0.9 x 4.922 x 1.1; the total
      // adds the unrounded discharges.
      {"0.000", "ENGLISH",
       {{"totalca1", "1.750"}, {"totalca2", "0.900"}, {"Intensity", "4.922"}, {"Cf", "1.1"}, {"carryover1", "0.350"},
        {"inlet_location", "SUMP"}},
       "9.475", "4.873", "14.698"},
      // No intensity (a failed look-up): no discharge, and no second box.
      {"0.000", "ENGLISH",
       {{"totalca1", "1.0"}, {"Intensity", ""}, {"Cf", "1.0"}, {"discharge1", "3.0"}, {"QTotal", "3.0"},
        {"inlet_location", "CONTINUOUS GRADE"}},
       "", "", ""},
  };
  for (const auto& c : cases) {
    session.number_format = c.pattern;
    session.project.unit_system = c.units;
    boxes.texts = c.in;
    session.services.compute_discharge();
    EXPECT_EQ(boxes.texts["discharge1"], c.discharge1) << c.total;
    EXPECT_EQ(boxes.texts["discharge2"], c.discharge2) << c.total;
    EXPECT_EQ(boxes.texts["QTotal"], c.total);
    EXPECT_EQ(boxes.texts["carryover2"], "0.0");
  }
}

TEST_F(Computations, AnEmptyCfRefusesTheDischarge) {
  boxes.texts = {{"totalca1", "1.0"}, {"Intensity", "5.0"}, {"discharge1", "5.000"}, {"QTotal", "5.000"}};
  desktop.expect_box("The frequency factor Cf holds no number: the discharge cannot be computed.");
  session.services.compute_discharge();
  EXPECT_EQ(boxes.texts["discharge1"], "");
  EXPECT_EQ(boxes.texts["QTotal"], "");
}

// Projects opened as a user opens them, so that the rainfall file of their
// kind is the one open.
struct RainfallLookUp : ShellTest {
  FakeInletBoxes boxes;
  void SetUp() override {
    ShellTest::SetUp();
    wire_fake_boxes(*session, boxes);
  }
  void open_current(const std::string& station) {
    const auto f = make_current("current.rvg");
    std::string quoted;
    for (char ch : station) quoted += ch == '\'' ? std::string("''") : std::string(1, ch);
    run_sql(f, "UPDATE PROJECT SET NOAA_STATION = '" + quoted + "'");
    desktop.expect_box("Project Name: Route 29 Widening");
    open_file(f);
  }
};

// Richmond WSO Airport, 10 years, as stored: B 41.996, D 10, E 0.6589, so
// 41.996 / 15^0.6589 = 7.0515 in/hr at 5 minutes and 41.996 / 70^0.6589 = 2.5555 at 60.
TEST_F(RainfallLookUp, AStationOfACurrentProject) {
  open_current("Richmond WSO Airport");
  ASSERT_TRUE(session->services.get_rainfall_coefficients(10));
  for (const auto& [tc, intensity] : {std::pair{"5.0", "7.051"}, {"60", "2.555"}}) {
    boxes.texts["Tc"] = tc;
    session->services.compute_intensity();
    EXPECT_EQ(boxes.texts["Intensity"], intensity);
  }
}

// Henrico, 10 years, the older county curve: A 219.45, B 26.198 give 7.034 at 5 minutes.
TEST_F(RainfallLookUp, ACountyOfAnOlderSharedProject) {
  const auto f = make_older("older_qmp.rvg", true);
  run_sql(f, "UPDATE PROJECT SET COUNTY = 'Henrico'");
  open_declining_upgrade(f);
  ASSERT_TRUE(session->project.shared_project);
  ASSERT_TRUE(session->services.get_rainfall_coefficients(10));
  boxes.texts["Tc"] = "5.0";
  session->services.compute_intensity();
  EXPECT_EQ(boxes.texts["Intensity"], "7.034");
}

TEST_F(RainfallLookUp, WhatIsNotFoundIsSaidAndGivesNoIntensity) {
  const struct {
    const char* station;
    int years;
    const char* said;
  } cases[] = {
      {"Atlantis", 10,
       "The rainfall data hold no row for the NOAA station \"Atlantis\": the rainfall intensity cannot be computed."},
      {"Richmond WSO Airport", 0, "No storm frequency is chosen: the rainfall intensity cannot be computed."},
      {"Richmond WSO Airport", 7, "The storm frequency \"7\" is not a return period of the rainfall data: the "
                                  "rainfall intensity cannot be computed."},
      {"Stuart's Draft", 100, nullptr},
  };
  for (const auto& c : cases) {
    open_current(c.station);
    boxes.texts = {{"Tc", "12.0"}, {"Intensity", "4.000"}, {"totalca1", "1.0"}, {"Cf", "1.0"},
                   {"discharge1", "4.000"}, {"QTotal", "4.000"}, {"inlet_location", "CONTINUOUS GRADE"}};
    if (c.said) desktop.expect_box(c.said);
    EXPECT_EQ(session->services.get_rainfall_coefficients(c.years), c.said == nullptr) << c.station;
    session->services.compute_intensity();
    session->services.compute_discharge();
    if (c.said) {
      EXPECT_EQ(boxes.texts["Intensity"], "") << c.station;
      EXPECT_EQ(boxes.texts["QTotal"], "") << c.station;
    } else {
      EXPECT_FALSE(boxes.texts["QTotal"].empty());
    }
    desktop.expect_box("Current Project Is Closed!");
    main().menu("mnucloseProj").user_click();
  }
}

}  // namespace
}  // namespace rg::test
