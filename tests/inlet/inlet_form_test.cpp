// The inlet design form walked as a user walks it: the number gate, the rules
// of its tabs, and Solve of each kind.

#include <map>
#include <vector>

#include "hydraulics/controls.h"
#include "inlet/inlet_layout.h"
#include "inlet_fixture.h"

namespace rg::test {
namespace {

using Texts = std::map<std::string, std::string>;

TEST_F(InletTest, TheNumberGateRefusesABlankOrStoredNumberWhileAdding) {
  open_project();
  store_inlet("A1");
  open_form();
  focus("Inlet_Number");
  desktop.expect_box("Inlet number can't be blank.  Please enter a valid unique Inlet Number");
  tab();
  EXPECT_EQ(form().active_control(), &box("Inlet_Number"));
  type("Inlet_Number", " a1 ");
  desktop.expect_box("a1 already exists in the database! Please enter a valid unique Inlet Number");
  tab();
  EXPECT_EQ(text("Inlet_Number"), "");
  EXPECT_EQ(form().active_control(), &box("Inlet_Number"));
  type("Inlet_Number", "A2");
  tab();
  EXPECT_EQ(form().active_control(), &box("inlet_type"));
  close_unsaved();
}

// The computations and the flow data reach boxes by the names listed with the
// port: each must be a control of the form.
TEST_F(InletTest, EveryBoxReachedByNameIsOnTheForm) {
  open_project();
  open_form();
  for (const auto name : hyd::box_names) EXPECT_NE(form().find(name), nullptr) << name;
  close_unsaved();
}

TEST_F(InletTest, TheStandardInletsFollowKindAndLocation) {
  struct Case {
    const char* kind;
    const char* location;
    std::size_t count;
    const char* first;
  } cases[] = {{"Curb Inlet", "CONTINUOUS GRADE", 16, "DI-3A"}, {"Curb Inlet", "SUMP", 16, "DI-3A"},
               {"Grate Inlet", "SUMP", 3, "DI-1"}, {"Combination Curb and Grate Inlet", "SUMP", 16, "DI-2A"},
               {"Slotted Inlet", "CONTINUOUS GRADE", 1, "DI-13"}, {"Grate Inlet in a Ditch", "SUMP", 8, "DI-5"}};
  open_project();
  open_form();
  type("Inlet_Number", "X1");
  for (const auto& c : cases) {
    pick("inlet_type", c.kind);
    pick("inlet_location", c.location);
    focus("inlet_subtype");
    ASSERT_EQ(box("inlet_subtype").items().size(), c.count) << c.kind << " " << c.location;
    EXPECT_EQ(box("inlet_subtype").item(0), c.first);
  }
  EXPECT_EQ(box("inlet_subtype").items()[7], "DI-12C");
  close_unsaved();
}

// A standard stays only while the new kind and location offer it.
TEST_F(InletTest, AStandardNotOfferedAfterAChangeIsCleared) {
  const struct {
    const char* list;
    const char* item;
    const char* standard;
  } steps[] = {{"inlet_subtype", "DI-3B", "DI-3B"},         {"inlet_location", "SUMP", ""},
               {"inlet_subtype", "DI-3A", "DI-3A"},         {"inlet_location", "CONTINUOUS GRADE", "DI-3A"},
               {"inlet_type", "Grate Inlet", ""}};
  open_project();
  open_form();
  type("Inlet_Number", "X1");
  for (const auto& s : steps) {
    pick(s.list, s.item);
    EXPECT_EQ(text("inlet_subtype"), s.standard) << s.list << " " << s.item;
  }
  close_unsaved();
}

TEST_F(InletTest, ASagKeepsItsSlopeAndAGradeDropsSideTwo) {
  open_project();
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
  type("discharge1", "1e308");
  type("discharge2", "1e308");
  // Said on leaving the box, and again as closing leaves the next one.
  for (int i = 0; i < 2; ++i) desktop.expect_box_containing("the sum of the discharges and carry-overs overflows");
  tab();
  EXPECT_EQ(text("QTotal"), "");
  close_unsaved();
}

// Each computation through the form, with the defaults of a new English inlet
// and the changes typed on the details tab (the curb on a grade is walked in the
// scenarios). Values worked by hand from the
// formulas (the hydraulics' own cases), here as the boxes show them.
struct SolveCase {
  const char* kind;
  const char* location;
  const char* q1;
  const char* q2;
  Texts inputs;
  Texts results;
};

TEST_F(InletTest, SolveRunsTheComputationOfEachKindAndLocation) {
  const SolveCase cases[] = {
      {"Grate Inlet", "CONTINUOUS GRADE", "3", "", {},
       {{"txtSpread", "9.315"}, {"txtSe", "0.1094"}, {"txtE", "0.643"}, {"txtQi", "1.929"}, {"txtQc", "1.071"}}},
      {"Combination Curb and Grate Inlet", "CONTINUOUS GRADE", "3", "", {},
       {{"txtQic", "1.645"}, {"txtE", "0.548"}, {"txtQi", "1.645"}, {"txtQc", "1.355"}}},
      {"Slotted Inlet", "CONTINUOUS GRADE", "3", "", {{"cboLength", "5"}},
       {{"txtE", "0.655"}, {"txtQi", "1.965"}, {"txtQc", "1.035"}}},
      {"Grate Inlet in a Ditch", "CONTINUOUS GRADE", "10", "", {{"txtS", "0.005"}, {"txtn", "0.03"}, {"cboLength", "3"}},
       {{"txtDepth", "10.828"}, {"txtFA", "4.247"}, {"txtRs", "0.8562"}, {"txtQi", "9.173"}, {"txtQc", "0.827"}}},
      {"Curb Inlet", "SUMP", "1.5", "1.5", {{"txtS", "0.01"}, {"cboLength", "5"}},
       {{"txtGutterSpread", "6.567"}, {"txtResFlo", "Weir Flow"}, {"txtEPeri", "8.600"}, {"txtdi", "5.411"},
        {"txtQi", "3.000"}, {"txtQc", ""}}},
      {"Grate Inlet", "SUMP", "1.5", "1.5", {{"txtS", "0.01"}, {"cboClog", "50"}},
       {{"txtSpread", "26.099"}, {"txtRA", "2.000"}, {"txtRP", "2.500"}, {"txtdi", "10.514"}, {"txtQi", "3.000"}}},
      {"Combination Curb and Grate Inlet", "SUMP", "1.5", "1.5", {{"txtS", "0.01"}, {"cboLength", "4"}},
       {{"txtSpread", "14.559"}, {"txtEPeri", "7.600"}, {"txtdi", "7.134"}, {"txtQi", "3.000"}}},
      {"Slotted Inlet", "SUMP", "0.5", "0.5",
       {{"txtS", "0.01"}, {"txtslotw", "1.75"}, {"cboLength", "20"}},
       {{"txtElength", "20.000"}, {"txtResFlo", "Weir Flow"}, {"txtQi", "1.000"}}},
      {"Grate Inlet in a Ditch", "SUMP", "3", "3", {{"txtPeri", "8"}, {"txtArea", "3"}, {"cboClog", "50"}},
       {{"txtResFlo", "Weir Flow"}, {"txtdi", "7.559"}, {"txtRA", "1.500"}, {"txtRP", "4.000"}, {"txtQi", "6.000"}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.kind) + " " + c.location);
    open_project();
    open_form();
    type("Inlet_Number", "K1");
    pick("inlet_type", c.kind);
    pick("inlet_location", c.location);
    show_tab(1);
    type("discharge1", c.q1);
    if (*c.q2 != 0) type("discharge2", c.q2);
    tab();
    show_tab(2);
    for (const auto& [name, value] : c.inputs) type(name, value);
    tab();
    solve();
    EXPECT_EQ(box("SSTab1").current_tab(), 3);
    for (const auto& [name, value] : c.results) EXPECT_EQ(text(name), value) << name;
    EXPECT_TRUE(form().solved());
    close_unsaved();
  }
}

}  // namespace
}  // namespace rg::test
