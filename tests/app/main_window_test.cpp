#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "shell_fixture.h"

using namespace rg;
using namespace rg::test;

TEST(Start, TheSplashStaysThreeSecondsThenTheMainWindowComesAndExitCloses) {
  ui::ScriptedDesktop desktop;
  app::Session session(desktop, RG_PROGRAM_DIR);
  app::Main(session);
  EXPECT_EQ(desktop.shown_forms(), (std::vector<std::string>{"frmQuillmereSplash", "frmsoftwaremain"}));
  EXPECT_EQ(desktop.waited_seconds(), 3.0);
  EXPECT_GE(desktop.refreshes(), 1) << "the splash is painted before the wait";
  EXPECT_TRUE(session.form<app::FrmQuillmereSplash>().was_unloaded());
  auto& main = session.form<app::FrmSoftwareMain>();
  main.menu("mnuexit").user_click();
  EXPECT_TRUE(main.was_unloaded());
  EXPECT_TRUE(desktop.failures().empty());
}

// Refused by the user, or by a file that is no project or lacks a table or
// column the program uses (beyond what the upgrade adds to an older one, which
// it would be offered): nothing opens, nothing of the file is kept, no file is
// made or changed, and the window is as before. A file another program holds
// takes the same way; its words are the database layer's.
TEST_F(ShellTest, ARefusedCreateOrOpenOpensNothingAndChangesNoFile) {
  make_current("existing.rvg");
  std::ofstream(path("notes.rvg")) << "these are not the inlets you are looking for\n";
  run_sql(path("other.rvg"), "CREATE TABLE SOMETHING (A TEXT);");
  fs::resize_file(make_current("cut.rvg"), 3000);
  const auto drop = [](const char* table, const char* column) {
    return std::string("ALTER TABLE ") + table + " DROP COLUMN " + column + ";";
  };
  run_sql(make_current("qcarry.rvg"), drop("INLET", "QCARRY"));
  run_sql(make_current("noinlet.rvg"), "DROP TABLE INLET");
  run_sql(make_current("designer_qmp.rvg"),
          drop("PROJECT", "DESIGNER") + drop("INLET", "QINT") + drop("INLET", "QCARRY"));
  run_sql(make_current("station.rvg"), drop("PROJECT", "NOAA_STATION"));  // no upgrade for release 2.1
  run_sql(make_older("older.rvg", false), drop("INLET", "QCARRY"));
  const auto files = [this] {
    std::map<fs::path, std::string> out;
    for (const auto& entry : fs::directory_iterator(path(""))) {
      out[entry.path()] = bytes_of(entry.path()) + std::to_string(entry.last_write_time().time_since_epoch().count());
    }
    return out;
  };
  const auto before = files();
  const char* const kNone = "No project database selected!";
  const char* const kOverwrite = "File Already Exists!   Overwrite?";
  // The file chosen, nothing for Cancel, and what is said.
  const struct { const char* menu; std::optional<std::string> chosen; const char* says; } rows[] = {
      {"mnucreateProj", std::nullopt, kNone},  // before any Open, Cancel raises nothing
      {"mnucreateProj", "", kNone},
      // A pattern typed as the name comes back with the dialog's folder before it.
      {"mnucreateProj", path("*.rvg").string(), kNone},
      {"mnucreateProj", path("existing").string(), kOverwrite},  // typed without its extension; answered No
      {"mnuopenProj", std::nullopt, ui::FileDialog::kCancelDescription},
      {"mnucreateProj", std::nullopt, ui::FileDialog::kCancelDescription},  // the cancel error stays on
      {"mnuopenProj", path("notes.rvg").string(), "is not a database"},
      {"mnuopenProj", path("other.rvg").string(), "no PROJECT table"},
      {"mnuopenProj", path("cut.rvg").string(), "cut.rvg\" is damaged"},
      {"mnuopenProj", path("qcarry.rvg").string(),
       "qcarry.rvg\" is not a Ravelgrit project database: it lacks the column QCARRY of table INLET."},
      {"mnuopenProj", path("noinlet.rvg").string(),
       "noinlet.rvg\" is not a Ravelgrit project database: it has no INLET table."},
      {"mnuopenProj", path("designer_qmp.rvg").string(),
       "designer_qmp.rvg\" is not a Ravelgrit project database: it lacks the column DESIGNER of table PROJECT and "
       "the columns QINT and QCARRY of table INLET."},
      {"mnuopenProj", path("station.rvg").string(),
       "station.rvg\" is not a Ravelgrit project database: it lacks the column NOAA_STATION of table PROJECT."},
      {"mnuopenProj", path("older.rvg").string(),
       "older.rvg\" is not a Ravelgrit project database: it lacks the column QCARRY of table INLET."},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.menu) + " " + row.chosen.value_or("Cancel"));
    desktop.clear_record();
    desktop.expect_file(row.chosen);
    desktop.expect_box_containing(row.says, Answer::No);
    click(row.menu);
    ASSERT_EQ(desktop.boxes().size(), 1u);
    if (row.says == kOverwrite) {
      EXPECT_EQ(desktop.boxes()[0].default_answer, Answer::No) << "Enter alone must not overwrite";
    }
    EXPECT_EQ(window(), kClosed);
    EXPECT_EQ(files(), before);
    EXPECT_FALSE(session->project.project_conn && session->project.project_conn->is_open());
    EXPECT_EQ(static_cast<const app::ProjectCopies&>(session->project), app::ProjectCopies{});
    EXPECT_FALSE(session->project.shared_project);
    EXPECT_EQ(main().pointer(), ui::MousePointer::Default);
  }
}

// A current file opens without a question, served by the station list. An
// older one, on No to the question or Cancel in the upgrade dialog (here after
// the upgrade failed), opens as it is, served by its county list, asks again,
// and shows its details without a station; the station list of the earlier
// project stays, nothing else of it.
TEST_F(ShellTest, ACurrentFileAndAnOlderOneNotUpgradedOpenAsTheyAre) {
  // Column names compare as SQLite compares them, letter case aside.
  const auto roads = make_current("roads_Qmp.rvg", "METRIC");
  run_sql(roads, "ALTER TABLE INLET RENAME COLUMN QCARRY TO qcarry; ALTER TABLE PROJECT RENAME DESIGNER TO Designer");
  open(roads);
  EXPECT_TRUE(session->project.shared_project) << "the marker counts in any case, anywhere in the path";
  EXPECT_EQ(window(), "[Project Database - roads_Qmp.rvg][UNITS: METRIC] open");
  EXPECT_EQ(lists(), "VARMNOAA.rdb counties stations");
  close();
  // The upgrade fails, or No to the question.
  const struct { const char* file; bool shared_kind, upgrade_fails; const char* lists; } rows[] = {
      {"older.rvg", false, false, "VARMSTORM.rdb counties stations"},
      {"qmp_older.rvg", true, false, "VArainfall.rdb counties stations"},
      {"locked.rvg", false, true, "VARMSTORM.rdb counties stations"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file);
    const auto f = make_older(row.file, row.shared_kind);
    if (row.upgrade_fails) {
      run_sql(f, "CREATE TRIGGER no_stamp BEFORE UPDATE ON PROJECT BEGIN SELECT RAISE(ABORT, 'stamp refused'); END;");
    }
    const std::string before = bytes_of(f);
    for (int time = 0; time < 2; ++time) {
      open_older(f, !row.upgrade_fails ? Script() : [&](ui::Form& dlg) {
        desktop.expect_box_containing('"' + std::string(row.file) + "\" could not be updated. stamp refused.");
        dlg.control("btnUpdate").user_click();
        EXPECT_TRUE(dlg.is_loaded());
        desktop.expect_box("Project Name: Old Project");
        dlg.control("btnCancel").user_click();
      });
      EXPECT_EQ(lists(), row.lists);
      EXPECT_EQ(window(), "[Project Database - " + std::string(row.file) + "][UNITS: ENGLISH] open");
      const auto& p = session->project;
      EXPECT_EQ(p.open_project_major_release + "|" + p.open_project_noaa_station + "|" + p.open_project_product_name,
                row.shared_kind ? "||" : "1.0||RAVELGRIT");
      // The Design menu does not ask a shared project for its product name.
      if (row.shared_kind) {
        desktop.expect_modal("frminletflex", [](ui::Form& list) { list.control("cmdflexexit").user_click(); });
        click("mnuInlet");
      }
      close();
    }
    EXPECT_EQ(bytes_of(f), before) << "nothing of the upgrade is left in the file";
  }
  // Its details show in the twin of the details dialog without the station.
  open_older(path("older.rvg"));
  desktop.expect_modal("frmProject", [this](ui::Form& dlg) {
    EXPECT_EQ(locked(dlg), "project_id units county cancel");
    EXPECT_EQ(dlg.find("noaa_station"), nullptr);
    EXPECT_EQ(dlg.control("county").text(), "Albemarle");
    dlg.control("designer").user_edit_text("A. Engineer");
    save_details(dlg);
  });
  click("mnuupdateProj");
  EXPECT_EQ(session->project.open_project_designer, "A. Engineer");
  EXPECT_EQ(query_rows(path("older.rvg"), "SELECT DESIGNER FROM PROJECT"), std::vector<std::string>{"A. Engineer"});
}

TEST_F(ShellTest, ADatabaseWithoutDetailsAsksForThemUntilSaved) {
  const auto f = path("empty.rvg");
  fs::copy_file(fs::path(RG_PROGRAM_DIR) / "Tovrel21.rdb", f);
  desktop.expect_box("No Project Found.  Please Add Project Details");
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    EXPECT_EQ(locked(dlg), "") << "add mode";
    desktop.expect_box("Exit without saving? ", Answer::Yes);
    desktop.expect_box("Update Cancelled");
    dlg.menu("mnuprojexit").user_click();
  });
  open_file(f);
  EXPECT_EQ(window(), "[Project Database - empty.rvg][UNITS: ] open");

  // Update Project Details without details: the same box and dialog again.
  desktop.expect_box("No Project Found.  Please Add Project Details");
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    dlg.control("project_id").user_edit_text("P-1");
    dlg.control("project_name").user_edit_text("Found");
    save_details(dlg);
  });
  click("mnuupdateProj");
  EXPECT_EQ(session->project.open_project_name, "Found");

  // Now with details: edit mode, key fields locked.
  desktop.expect_modal("frmProjectNOAA", [](ui::Form& dlg) {
    EXPECT_EQ(locked(dlg), "project_id units county noaa_station cancel");
    EXPECT_EQ(dlg.control("project_id").text(), "P-1");
    dlg.menu("mnuprojexit").user_click();
  });
  click("mnuupdateProj");
  EXPECT_EQ(window(), "[Project Database - empty.rvg][UNITS: ENGLISH] open");
}

// --- The Design loop ------------------------------------------------------------

TEST_F(ShellTest, DesignRefusesWithoutAProjectForeignDatabasesAndAProductItCannotCheck) {
  desktop.expect_box("Please Select Current Working Project!");
  click("mnuInlet");

  const auto f = make_current("foreign.rvg");
  run_sql(f, "UPDATE PROJECT SET PRODUCT_NAME = 'OTHERPROGRAM'");
  open(f);
  desktop.expect_box("This is an Incompatible Project Database! Please use correct version of the database");
  click("mnuInlet");
  close();

  // An older file of no shared path whose PROJECT table has no PRODUCT_NAME.
  open_older(make_older("older.rvg", true));
  desktop.expect_box_containing("answer Yes to the conversion");
  click("mnuInlet");
  EXPECT_TRUE(desktop.modal_forms().empty());
}

// A list that cannot load ends the loop with one box, and nothing wedges: once
// the inlets can be read, the list shows until the user leaves it.
TEST_F(ShellTest, TheDesignLoopShowsTheListUntilTheUserLeavesItAndEndsOnAListThatCannotLoad) {
  const auto f = open_current("loop.rvg");
  run_sql(f, "DROP TABLE INLET");
  desktop.clear_record();
  desktop.expect_box_containing("INLET");
  click("mnuInlet");
  EXPECT_EQ(desktop.boxes().size(), 1u);
  EXPECT_FALSE(session->form<reports::FrmInletFlex>().is_loaded());

  run_sql(f, "CREATE TABLE INLET (INLET_NUMBER TEXT)");
  session->number_format = "#0.0000";  // as a metric dialog leaves it
  // An empty list: Refresh stays; the close box ends the loop.
  desktop.expect_modal("frminletflex", [](ui::Form& list) {
    EXPECT_EQ(list.control("Text1").text(), "0");
    list.control("cmdflexrefreshinlet").user_click();
    EXPECT_TRUE(list.is_loaded()) << "an empty list is not reloaded";
    list.unload(ui::UnloadMode::CloseBox);
  });
  click("mnuInlet");  // an unscripted second showing would fail the test
  EXPECT_EQ(session->number_format, "0.000");
}

// Reached without an open project (a dialog shown after Close), the connection
// is refused with a reason, never a null followed.
TEST(OpenProject, TheConnectionOfNoProjectIsRefused) {
  EXPECT_THROW(app::OpenProject{}.connection(), db::Error);
}
