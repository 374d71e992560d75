// The inlet design form's unit defaults, lists and result boxes, on the form
// itself in a project of each unit system. (The unit coefficients show in the
// scenarios' hand-worked results of each system.)

#include <map>
#include <string>
#include <vector>

#include "hydraulics/controls.h"
#include "inlet/unit_settings.h"
#include "inlet_fixture.h"

namespace rg::test {
namespace {

namespace c = hyd::controls;
namespace lib = inlet::quillmere_libraries;
using Texts = std::map<std::string, std::string>;

struct UnitCase {
  std::string units;
  Texts texts;  // boxes and lists of a new inlet
  std::string number_format;
};

const UnitCase unit_cases[] = {
    {"ENGLISH",
     {{"allowable_spread", "8.0"}, {"txtS", "0.0100"}, {"txtW", "2.000"}, {"txta", "2.000"}, {"txthco", "4.000"},
      {"txtPeri", "6.000"}, {"txtAngle", "0.00"}, {"Tc", "5.0"}, {"Cf", "1.0"}, {"TcStr", ""}, {"cboType", "P-1-7/8"},
      {"inlet_type", "Curb Inlet"}, {"inlet_location", "CONTINUOUS GRADE"}, {"storm_frequency", "2"}},
     "#0.000"},
    // Anything but "ENGLISH" is metric.
    {"",
     {{"allowable_spread", "3.0"}, {"txtS", "0.01000"}, {"txtW", "0.6000"}, {"txta", "50.0000"},
      {"txthco", "200.0000"}, {"txtPeri", "2.0000"}, {"txtAngle", "0.00"}, {"cboType", "P-50"},
      {"offset_location", "RIGHT"}},
     "#0.0000"},
};

// Opened to add an inlet, and again set up after use (as adding the next one
// does), the form shows the defaults of the project's units; the road is the
// first stored inlet's in number order, and closing stores nothing.
TEST_F(InletTest, ANewInletStartsInTheProjectsUnits) {
  for (const UnitCase& k : unit_cases) {
    SCOPED_TRACE("units \"" + k.units + "\"");
    open_project(k.units);
    store_inlet("B2", "", "", "<null>", "Side Rd");
    store_inlet("a1", "", "", "<null>", "Main St");
    open_form();
    EXPECT_EQ(text("RoadWay"), "Main St");
    EXPECT_EQ(text("project_id"), "P-1");
    EXPECT_TRUE(box("Inlet_Number").enabled());
    EXPECT_TRUE(form().toolbar_pressed(1));
    EXPECT_FALSE(form().solved());
    for (const bool used : {false, true}) {
      SCOPED_TRACE(used ? "set up after use" : "at load");
      if (used) {
        box("SSTab1").set_current_tab(3);
        box("compute_Icheck").set_value(1);
        box("TcStr").set_text("5;10");
        session->handover.area_side = app::AreaSide::side2;
        session->number_format = "0.0";
        lib::initial_unit_settings(form(), *session);
      }
      for (const auto& [name, expected] : k.texts) EXPECT_EQ(text(name), expected) << name;
      EXPECT_EQ(session->number_format, k.number_format);
      EXPECT_FALSE(box("txtAngle").enabled());
      // An entered discharge and intensity.
      EXPECT_EQ(box("input_dischargecheck").value() + 2 * box("input_Icheck").value(), 3);
      EXPECT_EQ(box("compute_dischargecheck").value() + box("compute_Icheck").value(), 0);
      EXPECT_EQ(box("SSTab1").current_tab(), 0);
      EXPECT_EQ(session->handover.area_side, app::AreaSide::none);
    }
    close_unsaved();
    EXPECT_EQ(query_rows(project_file, "SELECT count(*) FROM INLET")[0], "2");
  }
}

// A shared project has no 5-year storm (walked in the sag scenario); the grate
// names are the unit system's.
TEST_F(InletTest, ListsByUnitSystemAndProjectKind) {
  for (const bool shared : {true, false}) {
    open_project(shared ? "METRIC" : "ENGLISH");
    session->project.shared_project = shared;
    open_form();
    EXPECT_EQ(box("storm_frequency").item(1), shared ? "10" : "5");
    EXPECT_EQ(box("cboType").item(3), shared ? "30\u00B0- 85 Tilt Bar" : "30\u00B0 Tilt Bar");
    close_unsaved();
  }
}

TEST_F(InletTest, AResetRestoresTheGeometryButNotTheSpread) {
  for (const auto& [units, slope, length] : {std::tuple{"ENGLISH", "0.0100", "2.000"},
                                             std::tuple{"METRIC", "0.01000", "0.6000"}}) {
    SCOPED_TRACE(units);
    open_project(units);
    open_form();
    box("allowable_spread").set_text("6.5");
    box("txtS").set_text("0.05");
    box("cboLength").set_text("9.000");
    box("cboType").set_list_index(4);
    box("txtAngle").set_enabled(true);
    box("txtAngle").set_text("45.00");
    lib::reset_geometry_inputs(form(), *session);
    EXPECT_EQ(text("allowable_spread"), "6.5");
    EXPECT_EQ(text("txtS") + " " + text("cboLength"), std::string(slope) + " " + length);
    EXPECT_EQ(box("cboType").list_index(), 0);
    EXPECT_EQ(text("txtAngle"), "0.00");
    EXPECT_FALSE(box("txtAngle").enabled());
    close_unsaved();
  }
}

TEST_F(InletTest, DisablingKeepsTheInputsAndClearingEmptiesTheResults) {
  open_project();
  open_form();
  for (c::Name name : c::result_boxes) box(std::string(name)).set_text("1.5");
  lib::disable_geometry_inputs(form());
  lib::clear_results(form());
  for (c::Name name : c::geometry_inputs) {
    EXPECT_FALSE(box(std::string(name)).enabled()) << name;
    EXPECT_EQ(box(std::string(name)).back_color(), 0x8000000Fu) << name;
  }
  EXPECT_EQ(text("txtW") + text("cboType"), "2.000P-1-7/8");
  for (c::Name name : c::result_boxes) EXPECT_EQ(text(std::string(name)), "") << name;
}

TEST_F(InletTest, ResultsAreFormattedWithEachBoxsPattern) {
  open_project();
  open_form();
  // Every box at once: the cross slopes and efficiencies keep four decimals, the
  // flow regime its text, every other box number_format's three.
  session->number_format = "#0.000";
  for (c::Name name : c::result_boxes) box(std::string(name)).set_text("0.12345");
  lib::format_results(form(), *session);
  const Texts four = {
      {"txtSpw", "0.1235"}, {"txtSe", "0.1235"}, {"txtRf", "0.1235"}, {"txtRs", "0.1235"}, {"txtResFlo", "0.12345"}};
  for (c::Name name : c::result_boxes) {
    const auto it = four.find(std::string(name));
    EXPECT_EQ(text(std::string(name)), it == four.end() ? "0.123" : it->second) << name;
  }
  // Halves round away from zero; what is not a number stays.
  const struct {
    std::string number_format, box, before, after;
  } cases[] = {
      {"#0.000", "txtQc", "-1.0005", "-1.001"},  {"#0.000", "txtV", "", ""},
      {"#0.000", "txtDepth", "abc", "abc"},      {"#0.000", "txtResFlo", "Weir Flow", "Weir Flow"},
      {"#0.000", "txtSe", "0.06255", "0.0626"},  {"#0.0000", "txtSpread", "2.67545", "2.6755"},
      {"#0.0000", "txtRf", "1", "1.0000"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(k.box + " " + k.before + " with " + k.number_format);
    session->number_format = k.number_format;
    box(k.box).set_text(k.before);
    lib::format_results(form(), *session);
    EXPECT_EQ(text(k.box), k.after);
  }
}

}  // namespace
}  // namespace rg::test
