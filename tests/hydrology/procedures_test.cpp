// The rainfall computations on the inlet design form's boxes: the worked
// intensities and discharges, and the look-up on a project opened through the
// main window, with the rainfall file the project's kind reads.

#include <gtest/gtest.h>

#include "app/shell_fixture.h"
#include "hydrology_fixture.h"
#include "hydrology/procedures.h"

namespace rg::test {
namespace {

struct Computations : HydrologyDialogTest {};

TEST_F(Computations, WorkedDischarges) {
  const struct {
    hyd::FlowData in;
    const char* discharge1;
    const char* discharge2;
    const char* total;
    const char* said = nullptr;
  } cases[] = {
      {{.cf = "1.1", .total_ca = {"2.5", ""}, .intensity = "5.123", .carryover = {"1.2", ""}, .discharge = {"", "9.9"}},
       "14.088", "9.9", "15.288"},
      // Both sides of a sag, the total of the unrounded discharges, are walked in the scenarios.
      // No intensity (a failed look-up): no discharge, and no second box.
      {{.cf = "1.0", .total_ca = {"1.0", ""}, .intensity = "", .discharge = {"3.0", ""}, .qtotal = "3.0"}, "", "", ""},
      {{.total_ca = {"1.0", ""}, .intensity = "5.0", .discharge = {"5.000", ""}, .qtotal = "5.000"}, "", "", "",
       "The frequency factor Cf holds no number: the discharge cannot be computed."},
  };
  for (const auto& c : cases) {
    session.number_format = "0.000";
    boxes.flow = c.in;
    if (c.said) desktop.expect_box(c.said);
    session.services.compute_discharge();
    EXPECT_EQ(boxes.flow.discharge[0], c.discharge1) << c.total;
    EXPECT_EQ(boxes.flow.discharge[1], c.discharge2) << c.total;
    EXPECT_EQ(boxes.flow.qtotal, c.total);
    EXPECT_EQ(boxes.flow.carryover[1], "0.0");
  }
}

// Projects opened as a user opens them, so that the rainfall file of their
// kind is the one open.
struct RainfallLookUp : ShellTest {
  FakeInletForm boxes;
  void SetUp() override {
    ShellTest::SetUp();
    wire_fake_boxes(*session, boxes);
  }
};

// A station's intensity, and a county's of an older shared project, are worked
// through the scenarios. A quoted name is found; what is not found is said and
// gives no intensity and no discharge.
TEST_F(RainfallLookUp, AStationOfACurrentProject) {
  const struct {
    const char* station;  // as SQL
    int years;
    const char* said;
  } cases[] = {
      {"Stuart''s Draft", 100, nullptr},
      {"Atlantis", 10,
       "The rainfall data hold no row for the NOAA station \"Atlantis\": the rainfall intensity cannot be computed."},
      {"Richmond WSO Airport", 0, "No storm frequency is chosen: the rainfall intensity cannot be computed."},
  };
  for (const auto& c : cases) {
    const auto f = make_current("current.rvg");
    run_sql(f, "UPDATE PROJECT SET NOAA_STATION = '" + std::string(c.station) + "'");
    desktop.expect_box("Project Name: Route 29 Widening");
    open_file(f);
    boxes.flow = {.cf = "1.0", .tc = "60", .total_ca = {"1.0", ""}, .intensity = "4.000", .qtotal = "4.000"};
    if (c.said) desktop.expect_box(c.said);
    EXPECT_EQ(session->services.compute_intensity(c.years), c.said == nullptr) << c.station;
    session->services.compute_discharge();
    EXPECT_EQ(boxes.flow.intensity.empty(), c.said != nullptr) << c.station;
    EXPECT_EQ(boxes.flow.qtotal.empty(), c.said != nullptr) << c.station;
    desktop.expect_box("Current Project Is Closed!");
    main().menu("mnucloseProj").user_click();
  }
}

}  // namespace
}  // namespace rg::test
