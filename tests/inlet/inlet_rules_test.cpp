// The record's round trip, carry-over between inlets, the modes, the toolbar,
// the details rules, the grate pickers and the faults the form mends.

#include <functional>
#include <map>
#include <optional>
#include <vector>

#include "inlet/grate_pickers.h"
#include "inlet/inlet_layout.h"
#include "inlet_fixture.h"

namespace rg::test {
namespace {

constexpr const char* kInvalid = "No results computed.  Invalid input.";
constexpr const char* kNotSolved = "Data has changed! Please 'Solve' Inlet Analysis before saving";
constexpr const char* kNoResults =
    "The last Solve computed no results from these inputs! Please correct the inputs and 'Solve' Inlet Analysis "
    "again before saving";

using FormTest = InletTest;
using Boxes = std::map<std::string, std::string>;  // texts by box name

TEST_F(FormTest, EveryBoundFieldMakesTheRoundTrip) {
  open_form();
  click("compute_discharge");
  Boxes written;
  int fields = 0;
  for (const auto& spec : inlet::inlet_form_table()) {
    if (spec.field.empty()) continue;
    ++fields;
    if (spec.kind == ui::ControlKind::CheckBox) continue;  // the options' flags, below
    const std::string value = spec.name == "Inlet_Number" ? "R1" : "v" + std::to_string(fields);
    box(spec.name).set_text(value);
    written[spec.field] = value;
  }
  ASSERT_TRUE(form().inletUpdate());
  close_unsaved();
  for (const auto& [field, value] : written) EXPECT_EQ(stored("R1", field), value) << field;
  EXPECT_EQ(stored("R1", "COMPUTE_DISCHARGE"), "1");
  EXPECT_EQ(stored("R1", "INPUT_I"), "1");
  open_form("R1", app::OpenMode::view);
  for (const auto& spec : inlet::inlet_form_table()) {
    if (!spec.field.empty() && spec.kind != ui::ControlKind::CheckBox) {
      EXPECT_EQ(text(spec.name), written[spec.field]) << spec.name;
    }
  }
  EXPECT_EQ(box("compute_discharge").value(), 1);
  EXPECT_TRUE(form().solved());  // the stored results stand
}

// An inlet that is not stored is not opened.
TEST_F(FormTest, ViewShowsWithoutLettingAnythingChange) {
  desktop.expect_box("Inlet Z9 was changed or deleted by someone else since it was read: it cannot be opened.");
  open_form("Z9", app::OpenMode::edit);
  EXPECT_FALSE(form().is_loaded());
  store_inlets("('V1', '', '', NULL, '')");
  open_form("V1", app::OpenMode::view);
  EXPECT_EQ(form().screenmode(), "VIEW");
  EXPECT_FALSE(form().menu("mnuSaveinlet").enabled());
  EXPECT_FALSE(box("Input_Details_Frame").enabled());
  click("Toolbar1_5");
  click("Toolbar1_8");
  show_tab(2);
  EXPECT_FALSE(box("CG_frame").enabled());
  click("Toolbar1_11");  // nothing asked
  EXPECT_FALSE(form().is_loaded());
  EXPECT_EQ(desktop.boxes().size(), 1u) << "nothing said after the inlet not stored";
}

// Every way out asks its question before anything judges the box being
// edited (a stored discharge that is no number, an empty number while
// adding): No leaves the form, the focus and the text as they were; Yes
// leaves with nothing written. Viewing, it closes at once.
TEST_F(FormTest, EveryWayOutAsksBeforeTheFocusedBoxIsJudged) {
  store_inlets("('7', '', '', NULL, 'Route 9')");
  run_sql(project_file, "UPDATE INLET SET DISCHARGE1 = 'lots', INPUT_DISCHARGE = 1, COMPUTE_DISCHARGE = 0");
  const auto rows = [this] { return query_rows(project_file, "SELECT * FROM INLET"); };
  const auto stored_rows = rows();
  const std::pair<const char*, std::function<void()>> ways[] = {
      {"File Exit", [this] { menu("mnuExitinlet"); }},
      {"the toolbar's Exit", [this] { press(form(), "Toolbar1_11"); }},
      {"Escape", [this] {
         ui::Control* way_out = form().cancel_button();
         ASSERT_NE(way_out, nullptr);
         way_out->user_click();
       }},
      {"the close box", [this] { form().unload(ui::UnloadMode::CloseBox); }},
  };
  for (const auto& [how, leave] : ways) {
    SCOPED_TRACE(how);
    open_form("7", app::OpenMode::edit);
    type("RoadWay", "Route 10");
    show_tab(1);
    focus("discharge1");
    desktop.expect_box("Exit without Saving?", ui::Answer::No);
    leave();
    ASSERT_TRUE(form().is_loaded());
    EXPECT_EQ(form().active_control(), &box("discharge1"));
    EXPECT_EQ(text("discharge1"), "lots");
    desktop.expect_box("Exit without Saving?", ui::Answer::Yes);
    leave();
    EXPECT_FALSE(form().is_loaded());

    open_form();
    focus("Inlet_Number");
    desktop.expect_box("Exit without Saving?", ui::Answer::No);
    leave();
    EXPECT_EQ(form().active_control(), &box("Inlet_Number"));
    desktop.expect_box("Exit without Saving?", ui::Answer::Yes);
    leave();
    EXPECT_FALSE(form().is_loaded());
    EXPECT_EQ(rows(), stored_rows);

    open_form("7", app::OpenMode::view);
    leave();
    EXPECT_FALSE(form().is_loaded());
  }
}

TEST_F(FormTest, ACarryOverChainOfThreeInletsWarnsWhenItsHeadIsSavedAgain) {
  open_form();
  solved_grate("A1");
  save();
  for (const char* frame : {"Project_Details_Frame", "Input_Details_Frame", "Flow_Data_Frame", "CG_frame"}) {
    EXPECT_FALSE(box(frame).enabled()) << "closed after save: " << frame;
  }
  // The toolbar's Add, Solve and Save do what their menu entries and button
  // do; Solve takes the discharge still being typed.
  click("Toolbar1_1");
  type("Inlet_Number", "A2");
  pick("inlet_type", "Grate Inlet");
  show_tab(1);
  type("preinlet1", "a1");
  type("discharge1", "2");
  desktop.expect_box("Solved! Please check and Save your results");
  click("Toolbar1_8");
  EXPECT_EQ(text("carryover1") + " " + text("QTotal"), "1.071 3.071");
  desktop.expect_box("Record Saved");
  click("Toolbar1_5");
  EXPECT_EQ(stored("A2", "TOTAL_DISCHARGE"), "3.071");
  menu("mnuAddinlet");
  type("Inlet_Number", "A3");
  show_tab(1);
  desktop.expect_box("This Inlet has already been used as a Previous Inlet for Inlet - A2 - Please choose a different value!");
  type("preinlet1", "A1");
  tab();
  EXPECT_EQ(text("preinlet1") + " " + text("carryover1"), " 0.0");
  close_unsaved();
  open_form("a1", app::OpenMode::edit);  // found whatever the letter case
  EXPECT_EQ(form().screenmode(), "EDIT");
  EXPECT_FALSE(form().solved()) << "a stored inlet opened to edit is solved again before it is saved";
  solve();
  save(true);
  EXPECT_EQ(desktop.boxes().back().text,
            "Current Inlet has Carryover Discharge to Inlet Number - A2\r\n"
            "Please review the design, solve & save the results for Inlet - A2");
}

TEST_F(FormTest, PreviousInletChecks) {
  // N1 and M1 were stored by hand with bypass flows that are none.
  store_inlets("('B1', '', '', '0.5', ''), ('C1', 'b1', '', '0.25', ''), ('N1', '', '', '-0.5', ''), "
               "('M1', '', '', 'abc', ''), ('D1', 'M1', '', '', '')");
  // B1 was saved again after C1 took its bypass: VIEW shows what C1 stored,
  // EDIT takes B1's bypass now and says so.
  run_sql(project_file, "UPDATE INLET SET DISCHARGE1 = '1.000', CARRYOVER1 = '0.25', TOTAL_DISCHARGE = '1.250' "
                        "WHERE INLET_NUMBER IN ('C1', 'D1')");
  open_form("C1", app::OpenMode::view);
  EXPECT_EQ(text("carryover1") + " " + text("QTotal"), "0.25 1.250");
  form().unload();
  desktop.expect_box("The carryover from Previous Inlet - b1 has changed from 0.25 to 0.5.\r\n"
                     "Please review the design, solve & save the results for Inlet - C1");
  open_form("C1", app::OpenMode::edit);
  EXPECT_EQ(text("carryover1") + " " + text("QTotal"), "0.5 1.500");
  show_tab(1);
  // The message said (nullptr: none), the list's text, the carry-over and the
  // total. A refusal puts back the previous inlet the list held.
  struct Step { const char *typed, *message, *list, *carry, *total = nullptr; } steps[] = {
      {"c1", "Previous Inlet is same as Current Inlet", "b1", "0.5", "1.500"},
      {"", nullptr, "", "0.0"},
      {" b1 ", nullptr, "B1", "0.5"},    // its own upstream inlet again, as it is numbered
      // A bypass below zero is not carried over: the choice is undone.
      {"N1",
       "CARRYOVER: Previous Inlet - N1 has \"-0.5\" stored as its bypass flow, which is below zero. It is not "
       "carried over: the carryover and the total discharge stay as they were. Please solve and save Inlet - N1 "
       "again.",
       "B1", "0.5", "1.500"},
      {"Z9", "PREVIOUS INLET: \"Z9\" - Value not present in the list... Please enter a valid value..", "B1", "0.5",
       "1.500"},
      {"M1", "This Inlet has already been used as a Previous Inlet for Inlet - D1 - Please choose a different value!",
       "B1", "0.5", "1.500"},
  };
  for (const auto& s : steps) {
    if (s.message != nullptr) desktop.expect_box(s.message);
    type("preinlet1", s.typed);
    tab();
    EXPECT_EQ(text("preinlet1"), s.list) << s.typed;
    if (s.message != nullptr) {
      EXPECT_EQ(box("preinlet1").sel_text(), s.list) << s.typed;
    }
    if (s.carry != nullptr) {
      EXPECT_EQ(text("carryover1"), s.carry) << s.typed;
    }
    if (s.total != nullptr) {
      EXPECT_EQ(text("QTotal"), s.total) << s.typed;
    }
  }
  // Nor is one that is no number, when an inlet opened to edit takes its
  // previous inlet's bypass again.
  close_unsaved();
  desktop.expect_box_containing(
      "CARRYOVER: Previous Inlet - M1 has \"abc\" stored as its bypass flow, which is not a number.");
  open_form("D1", app::OpenMode::edit);
  EXPECT_EQ(text("carryover1") + " " + text("QTotal"), "0.25 1.250");
}

TEST_F(FormTest, SaveNeedsANumberOfItsOwnAndAnInletSolvedAsShown) {
  store_inlets("('A1', '', '', NULL, '')");
  open_form();
  solved_grate("N1");
  // A number changed after the gate, the focus moved on with the mouse.
  show_tab(0);
  type("Inlet_Number", "a1");
  focus("Station");
  desktop.expect_box("a1 already exists in the database! Please enter a valid unique Inlet Number");
  menu("mnuSaveinlet");
  EXPECT_EQ(box("SSTab1").current_tab(), 0);
  type("Inlet_Number", "N1");
  focus("Station");
  // A real change of an input unsolves; a re-format to the same text does not.
  show_tab(2);
  focus("txtS");
  tab();
  EXPECT_TRUE(form().solved());
  type("txtS", "0.02");
  tab();
  EXPECT_FALSE(form().solved());
  desktop.expect_box(kNotSolved);
  menu("mnuSaveinlet");
  EXPECT_EQ(stored("N1", "INLET_NUMBER"), "<none>");
  solve();
  show_tab(2);
  pick("cboType", "Reticuline");  // empties the results
  EXPECT_FALSE(form().solved());
}

TEST_F(FormTest, AFailedWriteIsNeverReportedAsSaved) {
  run_sql(project_file, "CREATE TRIGGER full BEFORE INSERT ON INLET BEGIN SELECT RAISE(ABORT, 'disk is full'); END;");
  open_form();
  solved_grate("F1");
  desktop.expect_box_containing("disk is full");
  menu("mnuSaveinlet");
  EXPECT_EQ(form().screenmode(), "ADD");
  EXPECT_EQ(text("Inlet_Number"), "F1");
  EXPECT_TRUE(box("Input_Details_Frame").enabled());
}

// Another copy of the program on the same file changed the inlet being
// edited, or renumbered it, whether this one changed a field or only solved
// it again: Save refuses, says what to do, and writes nothing.
TEST_F(FormTest, ASaveRefusedForAnotherCopysChangeSaysWhatToDo) {
  const struct { const char *elsewhere, *discharge; } copies[] = {
      {"UPDATE INLET SET DISCHARGE1 = '5.000'", "4"},
      {"UPDATE INLET SET INLET_NUMBER = 'E1X'", "4"},
      {"UPDATE INLET SET INLET_NUMBER = 'E1X'", nullptr},
  };
  for (const auto& c : copies) {
    SCOPED_TRACE(std::string(c.elsewhere) + (c.discharge ? " and a change here" : ""));
    run_sql(project_file, "DELETE FROM INLET");
    open_form();
    solved_grate("E1");
    save();
    click("Toolbar1_3");
    if (c.discharge != nullptr) {
      show_tab(1);
      type("discharge1", c.discharge);
    }
    solve();
    run_sql(project_file, c.elsewhere);
    const auto before = query_rows(project_file, "SELECT * FROM INLET");
    desktop.expect_box_containing("changed or deleted by someone else since it was read.\r\n"
                                  "Exit without saving, then open the inlet again to see the other change.");
    menu("mnuSaveinlet");
    EXPECT_EQ(form().screenmode(), "EDIT");
    EXPECT_EQ(query_rows(project_file, "SELECT * FROM INLET"), before);
    close_unsaved();
  }
}

// Either intensity option works the discharges out again from the intensity
// the boxes then hold: the computed one from the intensity worked out at once
// for the Tc and storm frequency shown, never from a stand-in.
TEST_F(FormTest, ChoosingAnIntensityOptionWorksTheDischargeOutAgain) {
  std::vector<std::string> met;  // the intensity each discharge computation met
  session->services.compute_intensity = [this](int years) {
    box("Intensity").set_text(years == 2 && text("Tc") == "5.0" ? "7.000" : "wrong storm or Tc");
    return true;
  };
  open_form();
  session->services.compute_discharge = [this, &met] { met.push_back(text("Intensity")); };
  type("Inlet_Number", "I1");
  show_tab(1);
  click("compute_discharge");
  type("inputInt", "6");
  tab();
  click("compute_I");
  click("input_I");
  EXPECT_EQ(met, (std::vector<std::string>{"6.000", "7.000", ""}));
}

TEST_F(FormTest, FailedOrRefusedSolvesLeaveTheInletUnsolved) {
  // What code writes, as a dialog would leave it, and the box said.
  struct Case { const char* name; Boxes code_writes; const char *message, *title; } cases[] = {
      {"grate of no length", {{"cboLength", "0"}}, kInvalid, ""},
      {"no discharge", {{"QTotal", "0.000"}}, "No results computed.  Check your input for discharge.", "Errur"},
      {"no kind", {{"inlet_type", ""}}, kInvalid, ""},
  };
  for (const auto& c : cases) {
    open_form();
    solved_grate("U1");
    ASSERT_TRUE(form().solved());
    for (const auto& [name, value] : c.code_writes) box(name).set_text(value);
    desktop.expect_box(c.message);
    show_tab(2);
    click("cmdsolve");
    EXPECT_EQ(desktop.boxes().back().title, c.title) << c.name;
    EXPECT_FALSE(form().solved()) << c.name;
    // Save says why until an input changes.
    desktop.expect_box(kNoResults);
    menu("mnuSaveinlet");
    box("txtn").set_text("0.020");
    desktop.expect_box(kNotSolved);
    menu("mnuSaveinlet");
    close_unsaved();
  }
}

// Boxes typed into (or lists picked from) and left, one after another on a new
// inlet: what the boxes then show, the box said, and whether the focus stays.
struct Typed {
  const char* box;
  const char* typed;
  Boxes after;
  const char* message = nullptr;
  bool stays = false;
  bool picked = false;  // chosen from the list, not typed
  ui::Answer answer = ui::Answer::OK;
};

TEST_F(FormTest, TypedInputsRunTheirRules) {
  auto clogged = [](const std::string& typed) {
    return "% OF GRATE CLOGGED: \"" + typed + "\" - Clogged cannot be 100%! Please enter new value.";
  };
  const std::string kClog = clogged("100"), kClogPoint = clogged("99.4");
  const char* kClearTc = "Do you want to clear Computed Tc Values? Y/N";
  auto not_an_item = [](const std::string& typed) {
    return "STORM FREQ.: \"" + typed + "\" - Value not present in the list... Please enter a valid value..";
  };
  const std::string kTyped = not_an_item("10.0"), kTypedOne = not_an_item("1");
  const std::string kUnserved =
      "The rainfall data cannot serve the storm frequency \"7\": choose one of 2, 5, 10, 25, 50, 100 years. Until "
      "then the intensity and the discharge cannot be computed.";
  const char* kNoFrequency =
      "No storm frequency is chosen: choose one of 2, 5, 10, 25, 50, 100 years. "
      "Until then the intensity and the discharge cannot be computed.";
  const struct {
    const char* units;
    const char* kind;  // in a sump; "" keeps a new inlet's curb on a grade
    int tab;
    std::vector<const char*> clicks;
    Boxes written;  // by code, as a dialog leaves them
    std::vector<Typed> steps;
  } cases[] = {
      {"ENGLISH", "Grate Inlet", 2, {}, {},
       {{"cboClog", ".", {{"cboClog", "0"}}},
        {"cboClog", "25", {{"cboClog", "25"}}},
        // Refused, the clogging the list held stays.
        {"cboClog", "100", {{"cboClog", "25"}}, kClog.c_str(), true},
        {"cboClog", "99.4", {{"cboClog", "25"}}, kClogPoint.c_str(), true},
        {"cboClog", "abc", {{"cboClog", "abc"}}, "% OF GRATE CLOGGED: \"abc\" is not a number. Please enter a number.",
         true},
        {"cboClog", "25", {{"cboClog", "25"}}},
        {"txtW", "0", {{"txtW", "0.000"}, {"txtSw", "0.0208"}}}, {"txtS", "0.02", {{"txtS", "0.0200"}}}}},
      {"ENGLISH", "Combination Curb and Grate Inlet", 2, {}, {}, {{"cboClog", "100", {{"cboClog", "100"}}}}},
      // The factor Cf follows the storm frequency, the same typed twice too.
      {"ENGLISH", "", 1, {"compute_discharge"}, {},
       {{"storm_frequency", "10", {{"Cf", "1.0"}}}, {"storm_frequency", "10", {{"Cf", "1.0"}}},
        {"storm_frequency", "2", {{"Cf", "1.0"}}}, {"storm_frequency", "25", {{"Cf", "1.1"}}},
        {"storm_frequency", "5", {{"Cf", "1.0"}}}, {"storm_frequency", "50", {{"Cf", "1.2"}}},
        {"storm_frequency", "100", {{"Cf", "1.25"}}}}},
      // A blank allowable spread (blanks alone count as empty) takes the default
      // of the units; the offset is signed by its side.
      {"ENGLISH", "", 0, {}, {},
       {{"allowable_spread", "12", {{"allowable_spread", "12.0"}}}, {"allowable_spread", "", {{"allowable_spread", "8.0"}}},
        {"allowable_spread", "  ", {{"allowable_spread", "8.0"}}}, {"offset", "12.5", {{"offset", "12.500"}}},
        {"offset_location", "LEFT", {{"offset", "-12.500"}}, nullptr, false, true},
        {"offset_location", "RIGHT", {{"offset", "12.500"}}, nullptr, false, true},
        {"offset", "", {{"offset", "0.000"}}}}},
      {"METRIC", "", 0, {}, {}, {{"allowable_spread", "", {{"allowable_spread", "3.0"}}}}},
      // A typed Tc after a computed one: kept on No, the computed one cleared on Yes.
      {"ENGLISH", "", 1, {"compute_discharge", "compute_I"}, {{"Tc", "12.4"}, {"TcStr", "stored"}},
       {{"ITc", "7", {{"ITc", "5.0"}, {"Tc", "12.4"}, {"TcStr", "stored"}}, kClearTc, false, false, ui::Answer::No},
        {"ITc", "3", {{"ITc", "5.0"}, {"Tc", "5.0"}, {"TcStr", ""}}, kClearTc, false, false, ui::Answer::Yes}}},
      // A typed frequency that is none of the list's gives way to the one the
      // list held, whose discharge stays.
      {"ENGLISH", "", 1, {"compute_discharge", "compute_I"}, {},
       {{"storm_frequency", "10", {{"QTotal", "9.000"}}, nullptr, false, true},
        {"storm_frequency", "10.0", {{"storm_frequency", "10"}, {"QTotal", "9.000"}}, kTyped.c_str(), true},
        // A beginning is no frequency: "1" never becomes "10".
        {"storm_frequency", "1", {{"storm_frequency", "10"}, {"QTotal", "9.000"}}, kTypedOne.c_str(), true},
        {"storm_frequency", "", {{"storm_frequency", ""}}},
        {"ITc", "7", {{"ITc", "7.000"}, {"Intensity", ""}}, kNoFrequency},
        {"storm_frequency", "10", {{"QTotal", "9.000"}}, nullptr, false, true}}},
      // One held from the file that the rainfall data cannot serve leaves no
      // intensity or discharge worked out for another.
      {"ENGLISH", "", 1, {"compute_discharge", "compute_I"}, {{"QTotal", "9.000"}, {"storm_frequency", "7"}},
       {{"storm_frequency", "7", {{"Intensity", ""}, {"QTotal", ""}}, kUnserved.c_str(), true},
        {"storm_frequency", "10", {{"QTotal", "9.000"}}}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.units) + " " + c.kind + " on tab " + std::to_string(c.tab));
    open_project(c.units);
    session->services.compute_intensity = [](int) { return true; };
    session->services.compute_discharge = [this] { box("QTotal").set_text("9.000"); };
    open_form();
    type("Inlet_Number", "D1");
    if (*c.kind != 0) {
      pick("inlet_type", c.kind);
      pick("inlet_location", "SUMP");
    }
    show_tab(c.tab);
    for (const char* name : c.clicks) click(name);
    for (const auto& [name, value] : c.written) box(name).set_text(value);
    if (!c.written.empty()) box("Check_ComputeTc").set_value(1);  // a Tc the dialog computed
    for (const Typed& s : c.steps) {
      SCOPED_TRACE(std::string(s.box) + " \"" + s.typed + "\"");
      if (s.message != nullptr) desktop.expect_box(s.message, s.answer);
      if (s.picked) {
        pick(s.box, s.typed);
      } else {
        type(s.box, s.typed);
        tab();
        EXPECT_EQ(form().active_control() == &box(s.box), s.stays);
      }
      for (const auto& [name, value] : s.after) EXPECT_EQ(text(name), value) << name;
    }
    close_unsaved();
  }
}

// A pasted text that is none of its list's items is refused where it lands,
// naming the list, which shows again the item it held, selected; the next Tab
// takes that item as it stands: nothing it set up is reset.
TEST_F(FormTest, ARefusedListEntryChangesNothingOfTheInlet) {
  const struct { const char *kind, *standard, *list, *label; int tab; } cases[] = {
      {"Grate Inlet", "DI-1", "inlet_type", "INLET TYPE", 0},
      {"Curb Inlet", "DI-3A", "cboThroat", "THROAT TYPE", 2},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.list);
    open_form();
    type("Inlet_Number", "R1");
    pick("inlet_type", c.kind);
    pick("inlet_location", "SUMP");
    pick("inlet_subtype", c.standard);
    show_tab(2);
    type("cboLength", "3");
    if (std::string(c.kind) == "Grate Inlet") {
      type("cboClog", "50");
      pick("cboCurb", "Without Curb");
    } else {
      pick("cboThroat", "Inclined");
      type("txtAngle", "45.00");
    }
    show_tab(c.tab);
    focus(c.list);
    Boxes before;
    for (const auto& control : form().controls()) before[control->name()] = control->text();
    desktop.expect_box(std::string(c.label) +
                       ": \"Albemarle\" - Value not present in the list... Please enter a valid value..");
    paste(form(), c.list, "Albemarle\r\n");
    tab();
    EXPECT_EQ(form().active_control(), &box(c.list));
    EXPECT_EQ(box(c.list).sel_text(), before[c.list]);
    tab();
    EXPECT_NE(form().active_control(), &box(c.list));
    for (const auto& control : form().controls()) EXPECT_EQ(control->text(), before[control->name()]) << control->name();
    close_unsaved();
  }
}

// A look-up that found nothing empties what the storm frequency worked out:
// the frequency chosen again is looked up again.
TEST_F(FormTest, AFrequencyWhoseLookUpFoundNothingIsLookedUpAgainWhenChosenAgain) {
  std::vector<int> asked;
  bool found = true;
  session->services.compute_intensity = [&](int years) {
    asked.push_back(years);
    return found;
  };
  open_form();
  session->services.compute_discharge = [] {};
  type("Inlet_Number", "F1");
  show_tab(1);
  click("compute_discharge");
  click("compute_I");
  pick("storm_frequency", "10");
  found = false;
  type("ITc", "8");
  tab();
  found = true;
  type("storm_frequency", "10");
  tab();
  EXPECT_EQ(asked, (std::vector<int>{2, 10, 10, 10}));
  close_unsaved();
}

// The picker of the project's units is checked with the pickers; here the
// button opens it for a grate only, and its row lands in the form's boxes.
TEST_F(FormTest, TheGratePickerFillsAreaAndPerimeter) {
  open_form();
  type("Inlet_Number", "G1");
  show_tab(2);
  click("grate_help");  // a curb inlet has no grate to pick
  EXPECT_TRUE(desktop.modal_forms().empty());
  show_tab(0);
  pick("inlet_type", "Grate Inlet");
  pick("inlet_location", "SUMP");
  show_tab(2);
  desktop.expect_modal("frmgratetypes", [](ui::Form& f) { f.control("gtselect").user_click(); });
  click("grate_help");
  EXPECT_EQ(text("txtArea"), "2.33");
  EXPECT_EQ(text("txtPeri"), "9.00");
}

// Select gives the picked row's area and perimeter as printed, from the picker
// of the project's units (anything but "ENGLISH" is metric); each showing
// starts at the top. Select without a row asks for one and stays open, and
// Cancel then gives nothing, though the showing before gave a grate.
TEST_F(FormTest, APickerGivesThePickedRowOfItsUnitsOrNothing) {
  const struct { std::string units, form; int row; inlet::GrateOpening picked; } cases[] = {
      {"", "frmMetricgratetypes", 1, {"0.56", "3.90"}}, {"METRIC", "frmMetricgratetypes", 0, {"0.22", "2.74"}},
      {"ENGLISH", "frmgratetypes", 13, {"8.34", "24.50"}}};
  for (const auto& k : cases) {
    session->project.unit_system = k.units;
    desktop.expect_modal(k.form, [&](ui::Form& picker) {
      EXPECT_EQ(picker.control("gratetypelist").list_index(), 0);
      picker.control("gratetypelist").user_select(k.row);
      picker.control("gtselect").user_click();
    });
    EXPECT_EQ(inlet::show_grate_picker(*session), k.picked) << k.form << " row " << k.row;
  }
  desktop.expect_box("Please Select an Inlet Type!");
  desktop.expect_modal("frmgratetypes", [](ui::Form& picker) {
    picker.control("gratetypelist").set_list_index(-1);
    picker.control("gratetypelist").fill_text("");
    picker.control("gtselect").user_click();
    EXPECT_TRUE(picker.is_loaded());
    picker.control("gtcancel").user_click();
  });
  EXPECT_EQ(inlet::show_grate_picker(*session), std::nullopt);
}

}  // namespace
}  // namespace rg::test
