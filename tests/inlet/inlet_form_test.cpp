// The inlet design form walked as a user walks it: add, solve, save, reopen.

#include "inlet_fixture.h"

namespace rg::test {
namespace {

TEST_F(InletTest, AGrateOnAGradeIsAddedSolvedSavedAndReopened) {
  open_project();
  open_form();
  EXPECT_EQ(form().screenmode(), "ADD");
  add_inlet("A-1", "Grate Inlet", "CONTINUOUS GRADE", "3");
  EXPECT_EQ(text("QTotal"), "3.000");
  solve();
  EXPECT_EQ(text("txtSpread"), "9.315");
  EXPECT_TRUE(form().solved());
  save();
  EXPECT_EQ(form().screenmode(), "VIEW");
  EXPECT_EQ(stored("A-1", "QCARRY"), "1.071");
  form().unload();
  open_form("a-1", "edit");
  EXPECT_EQ(form().screenmode(), "EDIT");
  EXPECT_EQ(text("txtQc"), "1.071");
}

}  // namespace
}  // namespace rg::test
