// The INLET store, and the inlet design form walked as a user walks it: the
// number gate, the rules of its identification, Solve of each kind, and the
// defaults of the project's units (the unit coefficients show in the
// scenarios' hand-worked results of each system).
//
// The store: values bound (quotes are ordinary characters), inlet numbers
// compared without regard to letter case, previous inlets searched on both sides.

#include <map>

#include "hydraulics/controls.h"
#include "inlet/inlet_store.h"
#include "inlet/unit_settings.h"
#include "inlet_fixture.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"

namespace rg::test {
namespace {

namespace c = hyd::controls;
using Texts = std::map<std::string, std::string>;

using inlet::store::inlet_naming_previous;

class StoreTest : public InletTest {
 protected:
  void SetUp() override {
    InletTest::SetUp();
    store_inlets("('A1', '', '', '0.250', 'Route 29'), ('B''2', 'a1', '', NULL, 'Main St'), "
                 "('C3', '', 'b''2', '', 'Main St'), ('x'' OR ''a''=''a', '', '', NULL, '')");
  }
};

TEST_F(StoreTest, PreviousInletSearchCoversBothSidesAndSkipsTheExcepted) {
  const struct { const char *number, *except, *found; } cases[] = {
      {"A1", "", "B'2"}, {"a1", "", "B'2"},    {"B'2", "", "C3"},
      {"B'2", "c3", "<none>"}, {"C3", "", "<none>"}, {"", "", "<none>"}};
  for (const auto& c : cases) {
    EXPECT_EQ(inlet_naming_previous(conn(), c.number, c.except).value_or("<none>"), c.found) << c.number;
  }
}

// The row chosen while it holds the number shown, one without a number and
// the second of two twins too (a file without the unique index); all in
// number order to add to; and a bypass flow as the text stored.
TEST_F(StoreTest, OpensTheRowsAsked) {
  run_sql(project_file, "DROP INDEX INLET_NUMBER_KEY;"
                        "INSERT INTO INLET (INLET_NUMBER, ROADWAY) VALUES (NULL, 'Nameless'), ('B''2', 'Twin')");
  db::RecordSet rs;
  // Rows 1 to 4 as the fixture stored them, then 5 and 6.
  const struct { std::int64_t row; const char *number, *road; } chosen[] = {
      {2, "B'2", "Main St"}, {5, "", "Nameless"}, {6, "B'2", "Twin"},
      {6, "b'2", "<none>"}, {2, "A1", "<none>"},  {9, "", "<none>"}};
  for (const auto& c : chosen) {
    const bool opened = inlet::store::open_inlet_row(rs, conn(), {c.row, c.number});
    EXPECT_EQ(opened ? rs.value("ROADWAY").text() : "<none>", c.road) << c.row << " " << c.number;
    EXPECT_EQ(rs.is_open(), opened);
  }
  inlet::store::open_inlet_records(rs, conn());
  EXPECT_EQ(rs.record_count(), 6);
  inlet::store::open_carryover(rs, conn());
  EXPECT_EQ(inlet::store::stored_carryover(rs, "a1"), "0.250");
  EXPECT_EQ(inlet::store::stored_carryover(rs, "B'2"), "");  // Null
  EXPECT_FALSE(inlet::store::stored_carryover(rs, "Z9"));
  EXPECT_EQ(rs.value("INLET_NUMBER").text(), "");  // left on the first row, the one without a number
}

// A stored number, and for a previous-inlet field the inlet naming the value.
TEST_F(StoreTest, SearchInletsFindsANumberOrTheInletNamingIt) {
  const struct { const char *value, *field; bool result; const char* found; } cases[] = {
      {"a1", "INLET_NUMBER", true, ""},  {"b'2", "INLET_NUMBER", true, ""}, {"x' OR 'a'='a", "INLET_NUMBER", true, ""},
      {"' OR '1'='1", "INLET_NUMBER", false, ""}, {"C3 ", "INLET_NUMBER", false, ""}, {"A1", "PREINLET2", true, "B'2"},
      {"A1", "ROADWAY", false, ""}};
  for (const auto& c : cases) {
    const auto search = inlet::store::search_inlets(*session, c.value, c.field);
    EXPECT_EQ(search.found_any(), c.result) << c.value << " " << c.field;
    EXPECT_EQ(search.found, c.found) << c.value << " " << c.field;
  }
}

TEST_F(StoreTest, SearchThatCannotRunIsNeitherFoundNorNotFound) {
  run_sql(project_file, "DROP TABLE INLET;");
  desktop.expect_box_containing("INLET");
  EXPECT_TRUE(inlet::store::search_inlets(*session, "A1", "PREINLET1").failed());
}

TEST_F(StoreTest, TheNumberGateRefusesABlankOrStoredNumberWhileAdding) {
  open_form();
  focus("Inlet_Number");
  desktop.expect_box("Inlet number can't be blank.  Please enter a valid unique Inlet Number");
  tab();
  EXPECT_EQ(form().active_control(), &box("Inlet_Number"));
  type("Inlet_Number", " a1 ");
  desktop.expect_box("a1 already exists in the database! Please enter a valid unique Inlet Number");
  tab();
  EXPECT_EQ(text("Inlet_Number") + "|" + box("lblStatus").caption(), "|");  // the header names no refused number
  EXPECT_EQ(form().active_control(), &box("Inlet_Number"));
  type("Inlet_Number", "A2");
  tab();
  EXPECT_EQ(form().active_control(), &box("inlet_type"));
  EXPECT_EQ(box("lblStatus").caption(), "A2");
}

// The computations and the flow data reach boxes by the names listed with the
// port: each must be a control of the form.
TEST_F(InletTest, EveryBoxReachedByNameIsOnTheForm) {
  open_form();
  for (const auto name : hyd::box_names) EXPECT_NE(form().find(name), nullptr) << name;
}

// A standard stays only while the new kind and location offer it.
TEST_F(InletTest, AStandardNotOfferedAfterAChangeIsCleared) {
  const struct { const char *list, *item, *standard; } steps[] = {
      {"inlet_subtype", "DI-3B", "DI-3B"}, {"inlet_location", "SUMP", ""}, {"inlet_subtype", "DI-3A", "DI-3A"},
      {"inlet_location", "CONTINUOUS GRADE", "DI-3A"}, {"inlet_type", "Grate Inlet", ""}};
  open_form();
  type("Inlet_Number", "X1");
  for (const auto& s : steps) {
    pick(s.list, s.item);
    EXPECT_EQ(text("inlet_subtype"), s.standard) << s.list << " " << s.item;
  }
}

TEST_F(InletTest, ASagKeepsItsSlopeAndAGradeDropsSideTwo) {
  open_form();
  type("Inlet_Number", "S1");
  pick("inlet_location", "SUMP");
  EXPECT_EQ(text("txtS"), "0.001");
  EXPECT_FALSE(box("txtS").enabled());
  show_tab(1);
  type("discharge1", "1.5");
  type("discharge2", "2.25");
  tab();
  EXPECT_EQ(text("QTotal"), "3.750");
  // Both sides refuse a paste their key filter could not have typed where it
  // lands, naming the box.
  for (const auto& [name, label] : {std::pair{"discharge2", "Right"}, std::pair{"discharge1", "Left"}}) {
    for (const char* pasted : {"1e308", "-3", "1,234.5", "Albemarle"}) {
      desktop.expect_box(std::string(label) + " Discharge: \"" + pasted +
                         "\" cannot be entered here. Please enter digits with at most one decimal point.");
      const std::string before = text(name);
      paste(form(), name, pasted);
      EXPECT_EQ(text(name), before);
      EXPECT_EQ(form().active_control(), &box(name));
    }
  }
  EXPECT_EQ(text("QTotal"), "3.750");
  // A discharge below zero (from a hand-made file) is refused on leaving;
  // the total stays.
  for (const auto& [name, label] : {std::pair{"discharge2", "Right"}, std::pair{"discharge1", "Left"}}) {
    desktop.expect_box(std::string(label) + " Discharge: \"-1.5\" is below zero. Please enter zero or more.");
    const std::string before = text(name);
    type(name, "-1.5");
    tab();
    EXPECT_EQ(form().active_control(), &box(name));
    EXPECT_EQ(text("QTotal"), "3.750");
    type(name, before);
  }
  show_tab(0);
  pick("inlet_location", "CONTINUOUS GRADE");
  EXPECT_EQ(text("discharge2") + " " + text("carryover2") + " " + text("totalarea2") + " " + text("QTotal"),
            "0.0 0.0 0.0 1.500");
  // Typed rather than picked, the location runs the same rules.
  type("inlet_location", "SU");
  tab();
  EXPECT_EQ(text("inlet_location"), "SUMP");
  EXPECT_EQ(text("txtS"), "0.001");
  // A total beyond any number is refused, never shown.
  show_tab(1);
  const std::string huge = "1" + std::string(308, '0');
  type("discharge1", huge);
  type("discharge2", huge);
  // Said on leaving the box; closing judges nothing.
  desktop.expect_box_containing("the sum of the discharges and carry-overs overflows");
  tab();
  EXPECT_EQ(text("QTotal"), "");
  close_unsaved();
}

// Solve runs the computation of the kind and location chosen: one result of
// each, with the defaults of a new English inlet and the changes typed on the
// details tab, worked by hand from the formulas (the hydraulics' own cases; the
// curb on a grade is walked in the scenarios).
TEST_F(InletTest, SolveRunsTheComputationOfEachKindAndLocation) {
  const struct { const char *kind, *location, *q1, *q2; Texts inputs; const char *result, *value; } cases[] = {
      {"Grate Inlet", "CONTINUOUS GRADE", "3", "", {}, "txtQi", "1.929"},
      {"Combination Curb and Grate Inlet", "CONTINUOUS GRADE", "3", "", {}, "txtQic", "1.645"},
      {"Slotted Inlet", "CONTINUOUS GRADE", "3", "", {{"cboLength", "5"}}, "txtQi", "1.965"},
      {"Grate Inlet in a Ditch", "CONTINUOUS GRADE", "10", "", {{"txtS", "0.005"}, {"txtn", "0.03"}, {"cboLength", "3"}},
       "txtRs", "0.8562"},
      {"Curb Inlet", "SUMP", "1.5", "1.5", {{"txtS", "0.01"}, {"cboLength", "5"}}, "txtdi", "5.411"},
      {"Grate Inlet", "SUMP", "1.5", "1.5", {{"txtS", "0.01"}, {"cboClog", "50"}}, "txtdi", "10.514"},
      {"Combination Curb and Grate Inlet", "SUMP", "1.5", "1.5", {{"txtS", "0.01"}, {"cboLength", "4"}}, "txtdi",
       "7.134"},
      {"Slotted Inlet", "SUMP", "0.5", "0.5", {{"txtS", "0.01"}, {"txtslotw", "1.75"}, {"cboLength", "20"}},
       "txtElength", "20.000"},
      {"Grate Inlet in a Ditch", "SUMP", "3", "3", {{"txtPeri", "8"}, {"txtArea", "3"}, {"cboClog", "50"}}, "txtdi",
       "7.559"},
  };
  for (const auto& k : cases) {
    SCOPED_TRACE(std::string(k.kind) + " " + k.location);
    open_form();
    type("Inlet_Number", "K1");
    pick("inlet_type", k.kind);
    pick("inlet_location", k.location);
    show_tab(1);
    type("discharge1", k.q1);
    if (*k.q2 != 0) type("discharge2", k.q2);
    tab();
    show_tab(2);
    for (const auto& [name, value] : k.inputs) type(name, value);
    tab();
    solve();
    EXPECT_EQ(box("SSTab1").current_tab(), 3);
    EXPECT_EQ(text(k.result), k.value);
    EXPECT_TRUE(form().solved());
    close_unsaved();
  }
}

// Opened to add an inlet from the list, and added again with the form's own
// Add after an inlet whose discharge was computed, the form shows the defaults
// of the project's units and the same starting flows, and either discharge
// option chosen starts the same way; the road is the first stored inlet's in
// number order. A reset restores the geometry of the units but not the spread,
// clearing empties every result, and closing stores nothing.
TEST_F(InletTest, ANewInletStartsInTheProjectsUnits) {
  // The boxes and lists of a new inlet, and the number format.
  const struct { std::string units; Texts texts; std::string number_format; } cases[] = {
      {"ENGLISH",
       {{"allowable_spread", "8.0"}, {"txtS", "0.0100"}, {"txta", "2.000"}, {"cboLength", "2.000"},
        {"txtAngle", "0.00"}, {"Cf", "1.0"}, {"cboType", "P-1-7/8"}, {"inlet_type", "Curb Inlet"},
        {"inlet_location", "CONTINUOUS GRADE"}, {"storm_frequency", "2"}},
       "#0.000"},
      // Anything but "ENGLISH" is metric.
      {"",
       {{"allowable_spread", "3.0"}, {"txtS", "0.01000"}, {"txta", "50.0000"}, {"cboLength", "0.6000"},
        {"txtAngle", "0.00"}, {"cboType", "P-50"}, {"offset_location", "RIGHT"}},
       "#0.0000"},
  };
  // The flows a new inlet and each discharge option start with, in any units.
  const Texts start = {{"discharge1", "0.0"}, {"QTotal", "0.0"}, {"totalarea1", "0.0"}, {"totalarea2", "0.0"},
                       {"Intensity", ""}, {"Tc", "5.0"}, {"ITc", "5.0"}, {"TcStr", ""}};
  for (const auto& k : cases) {
    SCOPED_TRACE("units \"" + k.units + "\"");
    open_project(k.units);
    store_inlets("('B2', '', '', NULL, 'Side Rd'), ('a1', '', '', NULL, 'Main St')");
    run_sql(project_file,
            "UPDATE INLET SET COMPUTE_DISCHARGE = 1, INPUT_DISCHARGE = 0, COMPUTE_I = 1, INPUT_I = 0, TCSTR = '5;10', "
            "ITC = '7.0', TOTALAREA1 = '1.5', DISCHARGE1 = '3.000' WHERE INLET_NUMBER = 'a1'");
    // Whatever the lists' rules work out on the way is not what a new inlet shows.
    session->services.compute_discharge = [this] { box("QTotal").set_text("9.000"); };
    open_form();
    EXPECT_EQ(text("RoadWay") + " " + text("project_id"), "Main St P-1");
    EXPECT_TRUE(box("Inlet_Number").enabled());
    EXPECT_TRUE(form().toolbar_pressed(1));
    EXPECT_FALSE(form().solved());
    for (const bool used : {false, true}) {
      SCOPED_TRACE(used ? "the form's Add" : "the list's Add");
      if (used) {
        close_unsaved();
        open_form("a1", app::OpenMode::view);
        session->handover.area_side = app::AreaSide::side2;
        session->number_format = "0.0";
        menu("mnuAddinlet");
      }
      for (const auto& [name, expected] : k.texts) EXPECT_EQ(text(name), expected) << name;
      for (const auto& [name, expected] : start) EXPECT_EQ(text(name), expected) << name;
      EXPECT_EQ(session->number_format, k.number_format);
      EXPECT_FALSE(box("txtAngle").enabled());
      // An entered discharge and intensity.
      EXPECT_EQ(box("input_dischargecheck").value() + 2 * box("input_Icheck").value(), 3);
      EXPECT_EQ(box("compute_dischargecheck").value() + box("compute_Icheck").value(), 0);
      EXPECT_EQ(box("SSTab1").current_tab(), 0);
      EXPECT_EQ(session->handover.area_side, app::AreaSide::none);
    }
    show_tab(1);
    for (const char* option : {"compute_discharge", "input_discharge"}) {
      box("ITc").set_text("");
      box("totalarea1").set_text("");
      box("QTotal").set_text("2.000");
      click(option);
      for (const auto& [name, expected] : start) EXPECT_EQ(text(name), expected) << option << " " << name;
      EXPECT_EQ(box("input_I").value(), 1) << option;
    }
    box("allowable_spread").set_text("6.5");
    for (const char* name : {"txtS", "cboLength", "txtAngle"}) box(name).set_text("9.5");
    box("cboType").set_list_index(4);
    box("txtAngle").set_enabled(true);
    for (c::Name name : c::result_boxes) box(std::string(name)).set_text("1.5");
    inlet::quillmere_libraries::reset_geometry_inputs(form(), *session);
    inlet::quillmere_libraries::clear_results(form());
    EXPECT_EQ(text("allowable_spread"), "6.5");
    for (const char* name : {"txtS", "cboLength", "txtAngle", "cboType"}) EXPECT_EQ(text(name), k.texts.at(name));
    EXPECT_FALSE(box("txtAngle").enabled());
    for (c::Name name : c::result_boxes) EXPECT_EQ(text(std::string(name)), "") << name;
    close_unsaved();
    EXPECT_EQ(query_rows(project_file, "SELECT count(*) FROM INLET")[0], "2");
  }
}

}  // namespace
}  // namespace rg::test
