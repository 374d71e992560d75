// The inlet list through the scripted desktop: the grid, Add/View/Edit into a
// stand-in design form, delete and renumber with their checks, and the file
// names the reports refuse or keep.

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/shell_fixture.h"
#include "reports/inlet_list_store.h"
#include "support/hands.h"

namespace rg::test {
namespace {

using reports::FrmInletFlex;

class InletListTest : public ShellTest {
 protected:
  void SetUp() override {
    ShellTest::SetUp();
    project = open_current("list.rvg");
    desktop.clear_record();
    session->services.inlet_design = [this]() -> ui::Form& { return inlet_form; };
    // The program's own search, which can be made to fail.
    session->services.search_inlets = [this, search = session->services.search_inlets](auto value, auto field) {
      if (!search_fails) return search(value, field);
      ui::show_box(session->desktop(), "search failed");
      return app::InletSearch{};
    };
  }

  static ui::Control& grid(FrmInletFlex& list) { return list.control("inletflex"); }
  static std::vector<std::string> column0(FrmInletFlex& list) {
    std::vector<std::string> out;
    for (int r = 1; r < grid(list).rows(); ++r) out.push_back(grid(list).cell(r, 0));
    return out;
  }
  std::vector<std::string> rows(const std::string& sql) { return query_rows(project, sql); }

  fs::path project;
  ui::Form inlet_form{"frminletmain", "Inlet"};  // the script plays its user
  bool search_fails = false;
};

TEST_F(InletListTest, GridInNumberOrderAndTheInletsHandedToTheDesignForm) {
  run_sql(project, "INSERT INTO INLET (INLET_NUMBER) VALUES ('B'), ('10'), ('2'), ('a1')");
  std::vector<std::pair<app::OpenMode, std::string>> handed;
  auto design_form = [&](std::function<void()> also = {}) {
    desktop.expect_modal("frminletmain", [&, also](ui::Form& f) {
      handed.emplace_back(session->handover.inlet_open_mode, session->handover.inlet_to_open);
      if (also) also();
      f.unload();
    });
  };
  showing([&](FrmInletFlex& list) {
    EXPECT_EQ(column0(list), (std::vector<std::string>{"10", "2", "a1", "B"}));
    EXPECT_EQ(list.control("Text1").text(), "4");
    // Another column current: still the row's inlet number.
    grid(list).user_click_cell(3, 4);
    design_form();
    list.control("cmdflexviewinlet").user_click();  // reloads
  });
  showing([&](FrmInletFlex& list) {
    EXPECT_EQ(grid(list).row(), 3) << "the remembered row is selected again";
    EXPECT_EQ(grid(list).top_row(), 3) << "and brought to the top when it is out of view";
    // The design form saves a new inlet, which lands in number order.
    design_form([&] {
      run_sql(project, "INSERT INTO INLET (INLET_NUMBER) VALUES ('1')");
      session->services.refresh_inlet_list();
      EXPECT_EQ(list.control("Text1").text(), "5") << "the list beneath shows the saved inlet";
      EXPECT_EQ(grid(list).row(), 3);
    });
    list.control("cmdflexaddinlet").user_click();
  });
  showing([&](FrmInletFlex& list) {
    EXPECT_EQ(column0(list), (std::vector<std::string>{"1", "10", "2", "a1", "B"}));
    EXPECT_EQ(grid(list).row(), 3) << "the row position is kept, not the inlet";
    design_form([&] { list.flex_current_row = 9; });
    grid(list).user_double_click_cell(5, 2);
  });
  showing([&](FrmInletFlex& list) {
    EXPECT_EQ(grid(list).row(), 1) << "a remembered row beyond the list selects row 1 without a word";
    EXPECT_EQ(grid(list).top_row(), 0);
    list.unload(ui::UnloadMode::CloseBox);
  });
  design_loop();
  using M = app::OpenMode;
  EXPECT_EQ(handed, (decltype(handed){{M::view, "a1"}, {M::add, ""}, {M::view, "B"}}));
}

TEST_F(InletListTest, AnEmptyListRefusesEveryActionThatNeedsAnInlet) {
  showing([&](FrmInletFlex& list) {
    for (const auto& [menu, says] : std::initializer_list<std::pair<const char*, const char*>>{
             {"mnuflexviewinlet", "No inlets to View/Edit!"}, {"mnuflexdeleteinlet", "No inlets to Delete!"},
             {"mnuflexmodifyinlet", "No inlets to Modify!"}, {"mnuflexld204", "No Inlets to Display Form LD 204!"},
             {"mnuflex_inlet_report", "No Inlets to display on Inlet Report!"}}) {
      desktop.expect_box(says);
      list.menu(menu).user_click();
      EXPECT_TRUE(list.is_loaded()) << menu;
    }
    list.menu("mnuflexexit").user_click();
  });
  design_loop();
  EXPECT_TRUE(desktop.file_dialogs().empty());
}

TEST_F(InletListTest, DeleteRefusesAReferencedInletOrAFailedSearchAndOtherwiseDeletesByNumber) {
  run_sql(project, "INSERT INTO INLET (INLET_NUMBER, PREINLET1, PREINLET2) VALUES ('1', NULL, NULL), "
                   "('2', '1', NULL), ('3', NULL, '2'), ('4', NULL, NULL)");
  // Either reference refuses; the question's Enter keeps the inlet.
  const struct { int row; ui::Answer answer; bool search_fails; const char* then; } attempts[] = {
      {1, ui::Answer::Yes, false, "Current Inlet has Carryover Discharge to Inlet Number - 2 - Delete Denied!"},
      {2, ui::Answer::Yes, false, "Current Inlet has Carryover Discharge to Inlet Number - 3 - Delete Denied!"},
      {4, ui::Answer::No, false, nullptr},
      {4, ui::Answer::Yes, true, "search failed"},
      {4, ui::Answer::Yes, false, "Current inlet Deleted! Please Refresh the screen to verify the results"},
  };
  for (const auto& a : attempts) {
    showing([&](FrmInletFlex& list) {
      search_fails = a.search_fails;
      grid(list).user_click_cell(a.row, 0);
      desktop.expect_box("Delete Current inlet - " + std::to_string(a.row) + " ?", a.answer);
      if (a.then) desktop.expect_box(a.then);
      list.control("cmdflexdeleteinlet").user_click();
      EXPECT_EQ(desktop.boxes().at(desktop.boxes().size() - (a.then ? 2 : 1)).default_answer, ui::Answer::No);
    });
  }
  showing([&](FrmInletFlex& list) {
    EXPECT_EQ(column0(list), (std::vector<std::string>{"1", "2", "3"}));
    EXPECT_EQ(grid(list).row(), 3) << "the row above the deleted one";
    list.control("cmdflexexit").user_click();
  });
  design_loop();
  EXPECT_EQ(rows("SELECT INLET_NUMBER FROM INLET ORDER BY INLET_NUMBER"),
            (std::vector<std::string>{"1", "2", "3"}));
}

// A row stored without a number (an older or hand-made file) is the row the
// user chose, told apart from one numbered "" and from another without a
// number; nor does an empty previous-inlet field name it.
TEST_F(InletListTest, AnInletWithoutANumberIsDeletedAndRenumberedAsTheRowChosen) {
  run_sql(project, "INSERT INTO INLET (INLET_NUMBER, ROADWAY, PREINLET1) VALUES (NULL, 'n1', NULL), "
                   "(NULL, 'n2', NULL), ('', 'e', NULL), ('5', 'f', '')");
  // Rows: the two without a number, "", 5.
  showing([&](FrmInletFlex& list) {
    grid(list).user_click_cell(1, 0);
    desktop.expect_box("Delete Current inlet -  ?", ui::Answer::Yes);
    desktop.expect_box("Current inlet Deleted! Please Refresh the screen to verify the results");
    list.control("cmdflexdeleteinlet").user_click();
  });
  showing([&](FrmInletFlex& list) {
    EXPECT_EQ(column0(list), (std::vector<std::string>{"", "", "5"}));
    desktop.expect_box("Modify Current inlet number -  ?", ui::Answer::Yes);
    desktop.expect_modal("frminletmodify", [&](ui::Form& dialog) {
      type(dialog, "newinletnumber", "6");
      desktop.expect_box("Update completed! Please Refresh the screen to verify your changes");
      press(dialog, "cmdmodaccept");
    });
    list.control("cmdflexmodinlet").user_click();
  });
  showing([&](FrmInletFlex& list) {
    EXPECT_EQ(column0(list), (std::vector<std::string>{"", "5", "6"}));
    list.control("cmdflexexit").user_click();
  });
  design_loop();
  EXPECT_EQ(rows("SELECT INLET_NUMBER, ROADWAY, PREINLET1 FROM INLET ORDER BY rowid"),
            (std::vector<std::string>{"6|n2|<null>", "|e|<null>", "5|f|"}));
}

// The store's own guard stands behind the dialog's check of a taken number. A
// renumber that fails half way is shown, no success follows, and nothing changes.
TEST_F(InletListTest, RenumberRewritesTheChainAfterTheDialogsChecksOrChangesNothing) {
  run_sql(project, "INSERT INTO INLET (INLET_NUMBER, PREINLET1, PREINLET2, CARRYOVER1) VALUES "
                   "('O''Neil', NULL, NULL, NULL), ('2', 'O''Neil', NULL, '0.5'), ('3', NULL, 'o''neil', NULL), "
                   "('b', NULL, NULL, NULL);"
                   "CREATE TRIGGER refuse BEFORE UPDATE OF PREINLET1 ON INLET BEGIN SELECT RAISE(ABORT, 'boom'); END;");
  const auto before = rows("SELECT * FROM INLET ORDER BY rowid");
  auto& conn = *session->project.project_conn;
  const auto snapshot = reports::store::load_inlets(conn);
  EXPECT_THROW(reports::store::renumber_inlet(conn, *snapshot.find("2"), "B"), std::runtime_error);
  const reports::InletRecord missing{{"INLET_NUMBER", "missing"}};
  EXPECT_EQ(reports::store::renumber_inlet(conn, missing, "8"), 0);
  EXPECT_EQ(reports::store::delete_inlet(conn, missing), 0);
  const char* const kCarryover = "Current Inlet has Carryover Discharge to Inlet Number - 2 - Modify Anyway?";
  // Rows: 2, 3, b, O'Neil.
  showing([&](FrmInletFlex& list) {
    grid(list).user_click_cell(4, 0);
    desktop.expect_box("Modify Current inlet number - O'Neil ?", ui::Answer::Yes);
    desktop.expect_modal("frminletmodify", [&](ui::Form& dialog) {
      dialog.control("newinletnumber").user_edit_text("7");
      desktop.expect_box(kCarryover, ui::Answer::Yes);
      desktop.expect_box_containing("boom");
      dialog.control("cmdmodaccept").user_click();
    });
    list.control("cmdflexmodinlet").user_click();
    EXPECT_EQ(list.pointer(), ui::MousePointer::Default);
    EXPECT_EQ(rows("SELECT * FROM INLET ORDER BY rowid"), before);
    run_sql(project, "DROP TRIGGER refuse");
  });
  showing([&](FrmInletFlex& list) {
    desktop.expect_box("Modify Current inlet number - O'Neil ?", ui::Answer::Yes);
    desktop.expect_modal("frminletmodify", [&](ui::Form& dialog) {
      auto& box = focus(dialog, "newinletnumber");
      // A refusal empties the box and gives it the keys back: what is typed
      // next is the new number, not keys lost on Accept.
      const struct { const char* typed; const char* says; ui::Answer answer; } refusals[] = {
          {"B", "New Inlet already exist in the database. Choose another Inlet Number", ui::Answer::OK},
          {"o'neil", "New Inlet already exist in the database. Choose another Inlet Number", ui::Answer::OK},
          {"8", kCarryover, ui::Answer::No},
      };
      for (const auto& r : refusals) {
        ASSERT_EQ(dialog.active_control(), &box) << r.typed;
        box.user_type(r.typed);
        desktop.expect_box(r.says, r.answer);
        press(dialog, "cmdmodaccept");
        EXPECT_EQ(box.text(), "") << r.typed;
        EXPECT_TRUE(dialog.is_loaded()) << r.typed;
      }
      ASSERT_EQ(dialog.active_control(), &box);
      box.user_edit_text("  N'1 ");
      desktop.expect_box(kCarryover, ui::Answer::Yes);
      desktop.expect_box("Update completed! Please Refresh the screen to verify your changes");
      dialog.control("cmdmodaccept").user_click();
    });
    list.control("cmdflexmodinlet").user_click();
  });
  // Blanks only, and Cancel, change nothing and report nothing.
  showing([&](FrmInletFlex& list) {
    grid(list).user_click_cell(1, 0);
    for (const char* button : {"cmdmodaccept", "cmdmodcancel"}) {
      desktop.expect_box("Modify Current inlet number - 2 ?", ui::Answer::Yes);
      desktop.expect_modal("frminletmodify", [&, button](ui::Form& dialog) {
        dialog.control("newinletnumber").user_edit_text(button == std::string("cmdmodaccept") ? "   " : "9");
        dialog.control(button).user_click();
      });
      list.control("cmdflexmodinlet").user_click();
    }
  });
  showing([&](FrmInletFlex& list) {
    EXPECT_EQ(column0(list), (std::vector<std::string>{"2", "3", "b", "N'1"}));
    list.control("cmdflexexit").user_click();
  });
  design_loop();
  EXPECT_EQ(rows("SELECT INLET_NUMBER, PREINLET1, PREINLET2, CARRYOVER1 FROM INLET ORDER BY rowid"),
            (std::vector<std::string>{"N'1|<null>|<null>|<null>", "2|N'1|<null>|0.5", "3|<null>|N'1|<null>",
                                      "b|<null>|<null>|<null>"}));
}

// What the reports hold, that they are opened, and a name typed without an
// extension are walked in the scenarios; here the file names the list refuses or keeps.
TEST_F(InletListTest, AReportIsWrittenOnlyUnderANameTheUserChoseAndNeverOverAFileKeptOrTheTemplate) {
  run_sql(project, "INSERT INTO INLET (INLET_NUMBER) VALUES ('A-1')");
  const fs::path report = path("inlet.xlsx");
  std::ofstream(report) << "kept";
  showing([&](FrmInletFlex& list) {
    // Cancel writes nothing (as the filter's own name, which the shell's tests refuse).
    desktop.expect_file(std::nullopt);
    desktop.expect_box("No File Name selected!");
    list.menu("mnuflexld204").user_click();
    // A name the system cannot check is said in the list's own box, which names it.
    const std::string too_long = path(std::string(300, 'x') + ".xlsx").string();
    desktop.expect_file(too_long);
    desktop.expect_box_containing("\"" + too_long + "\"");
    list.menu("mnuflexld204").user_click();
    desktop.expect_file(report.string());
    desktop.expect_box("File Already Exists!   Overwrite?", ui::Answer::No);
    list.menu("mnuflex_inlet_report").user_click();
    desktop.expect_file((fs::path(RG_PROGRAM_DIR) / "LD_204.xlsr").string());
    desktop.expect_box("File Already Exists!   Overwrite?", ui::Answer::Yes);
    desktop.expect_box_containing("template");
    list.menu("mnuflexld204").user_click();
    EXPECT_EQ(list.pointer(), ui::MousePointer::Default);
    list.control("cmdflexexit").user_click();
  });
  design_loop();
  EXPECT_EQ(bytes_of(report), "kept");
  EXPECT_TRUE(desktop.opened_documents().empty());
}

}  // namespace
}  // namespace rg::test
