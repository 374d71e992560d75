#pragma once
// A session on the scripted desktop with a project open: a copy of the template
// with its PROJECT row, in either unit system, and helpers that store inlets
// beside the program's own record layer.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/project_store.h"
#include "inlet/inlet_form.h"
#include "app/session.h"
#include "platform/ui/scripted_desktop.h"
#include "support/hands.h"
#include "support/scratch_dir.h"
#include "support/sqlite_rows.h"

namespace rg::test {

namespace fs = std::filesystem;

class InletTest : public ScratchTest {
 protected:
  void SetUp() override {
    ScratchTest::SetUp();
    open_project();
  }
  void TearDown() override {
    for (const auto& f : desktop.failures()) ADD_FAILURE() << f;
    session.reset();
    ScratchTest::TearDown();
  }

  // A project file made from the template, opened in a fresh session (an
  // English one is open when a test starts).
  void open_project(const std::string& units = "ENGLISH") {
    project_file = dir / "project.rvg";
    make_project(project_file, units);
    session = std::make_unique<app::Session>(desktop, RG_PROGRAM_DIR);
    session->project.project_db_path = project_file.string();
    ASSERT_TRUE(app::quillmere_libraries::open_project_connection(*session));
    app::quillmere_libraries::load_project_record(*session);
  }

  // Stores inlets given as SQL rows of INLET_NUMBER, PREINLET1, PREINLET2,
  // QCARRY and ROADWAY.
  void store_inlets(const std::string& rows) {
    run_sql(project_file, "INSERT INTO INLET (INLET_NUMBER, PREINLET1, PREINLET2, QCARRY, ROADWAY) VALUES " + rows);
  }

  db::Connection& conn() { return *session->project.project_conn; }

  // The inlet design form, opened as the inlet list opens it: to add an inlet,
  // or on the row the list shows for a stored number (the first of that
  // number, letter case aside; none for a number not stored).
  inlet::FrmInletMain& form() { return session->form<inlet::FrmInletMain>(); }
  ui::Control& box(const std::string& name) { return form().control(name); }
  std::string text(const std::string& name) { return form().control(name).text(); }
  void open_form(const std::string& number = "", app::OpenMode mode = app::OpenMode::add) {
    inlet::wire_services(*session);
    session->handover.inlet_to_open = {0, number};
    const auto rows = query_rows(project_file, "SELECT rowid || '|' || INLET_NUMBER FROM INLET WHERE INLET_NUMBER = '" +
                                                   number + "' ORDER BY rowid LIMIT 1");
    if (mode != app::OpenMode::add && !rows.empty()) {
      const auto bar = rows[0].find('|');
      session->handover.inlet_to_open = {std::stoll(rows[0].substr(0, bar)), rows[0].substr(bar + 1)};
    }
    session->handover.inlet_open_mode = mode;
    form().load();
  }

  // The user's hands: focus a box, replace its text, pick from a list, leave.
  void focus(const std::string& name) { test::focus(form(), name); }
  void type(const std::string& name, const std::string& text) { test::type(form(), name, text); }
  void pick(const std::string& name, const std::string& item) { test::pick(form(), name, item); }
  void tab() { form().send_tab(); }
  void show_tab(int tab) { test::show_tab(form(), tab); }
  void click(const std::string& name) { box(name).user_click(); }
  void menu(const std::string& name) { form().menu(name).user_click(); }

  // Solve from the details tab, answered as a success.
  void solve() {
    show_tab(2);
    desktop.expect_box("Solved! Please check and Save your results");
    click("cmdsolve");
  }
  // A grate on a grade with 3 cfs, solved, not yet saved.
  void solved_grate(const std::string& number) {
    type("Inlet_Number", number);
    pick("inlet_type", "Grate Inlet");
    show_tab(1);
    type("discharge1", "3");
    tab();
    solve();
  }
  void save(bool warned = false) {
    desktop.expect_box("Record Saved");
    if (warned) desktop.expect_box_containing("Current Inlet has Carryover Discharge to Inlet Number - ");
    menu("mnuSaveinlet");
  }
  void close_unsaved() {
    desktop.expect_box("Exit without Saving?", ui::Answer::Yes);
    form().unload();
  }
  std::string stored(const std::string& number, const std::string& field) {
    const auto rows = query_rows(project_file, "SELECT " + field + " FROM INLET WHERE INLET_NUMBER = '" + number + "'");
    return rows.empty() ? "<none>" : rows[0];
  }

  ui::ScriptedDesktop desktop;
  std::unique_ptr<app::Session> session;
  fs::path project_file;
};

}  // namespace rg::test
