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

// A quote in a name is stored as typed; the fields not typed keep a new project's defaults.
TEST_F(ShellTest, CreateCopiesTheTemplateAndStoresTheDetails) {
  create("widening", [this](ui::Form& dlg) {
    desktop.expect_box("Project Details are Saved!");
    fill_and_save("O'Brien-1", "St. Mary's Road", "METRIC")(dlg);
  });
  EXPECT_EQ(desktop.file_dialogs().at(0).initial_dir, std::string(RG_PROGRAM_DIR));
  EXPECT_EQ(window(), "[Project Database - widening.rvg][UNITS: METRIC] open");
  const auto& p = session->project;
  EXPECT_EQ(p.open_project_name + "|" + p.unit_system + "|" + p.open_project_major_release + "|" +
                p.open_project_noaa_station,
            "St. Mary's Road|METRIC|2.1|Abingdon 3 S");
  EXPECT_EQ(session->handover.last_dir, path("widening.rvg").parent_path().string());
  EXPECT_TRUE(p.project_editing);
  EXPECT_EQ(query_rows(path("widening.rvg"), "SELECT PROJECT_ID, PROJECT_NAME, COUNTY, STATE, UNITS, PRODUCT_NAME, "
                                             "MAJOR_RELEASE, NOAA_STATION FROM PROJECT"),
            std::vector<std::string>{"O'Brien-1|St. Mary's Road|Accomack|VA|METRIC|RAVELGRIT|2.1|Abingdon 3 S"});
}

// Refused by the user, or by a file that is no project: nothing opens, no file
// is made or changed, and the window is as before. A file another program holds
// takes the same way; its words are the database layer's.
TEST_F(ShellTest, ARefusedCreateOrOpenOpensNothingAndChangesNoFile) {
  make_current("existing.rvg");
  std::ofstream(path("notes.rvg")) << "these are not the inlets you are looking for\n";
  run_sql(path("other.rvg"), "CREATE TABLE SOMETHING (A TEXT);");
  fs::resize_file(make_current("cut.rvg"), 3000);
  const auto files = [this] {
    std::map<fs::path, std::string> out;
    for (const auto& entry : fs::directory_iterator(path(""))) out[entry.path()] = file_bytes(entry.path());
    return out;
  };
  const auto before = files();
  const char* const kNone = "No project database selected!";
  const char* const kOverwrite = "File Already Exists!   Overwrite?";
  const struct {
    const char* menu;
    std::optional<std::string> chosen;  // nothing: Cancel
    const char* says;
  } rows[] = {
      {"mnucreateProj", std::nullopt, kNone},  // before any Open, Cancel raises nothing
      {"mnucreateProj", "", kNone},
      // A pattern typed as the name comes back with the dialog's folder before it.
      {"mnucreateProj", "*.rvg", kNone},
      {"mnucreateProj", path("*.rvg").string(), kNone},
      {"mnucreateProj", path("existing").string(), kOverwrite},  // typed without its extension; answered No
      {"mnuopenProj", std::nullopt, ui::FileDialog::kCancelDescription},
      {"mnucreateProj", std::nullopt, ui::FileDialog::kCancelDescription},  // the cancel error stays on
      {"mnuopenProj", path("notes.rvg").string(), "is not a database"},
      {"mnuopenProj", path("other.rvg").string(), "no PROJECT table"},
      {"mnuopenProj", path("cut.rvg").string(), "cut.rvg\" is damaged"},
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
    EXPECT_EQ(session->project.open_project_name, "");
    EXPECT_FALSE(session->project.project_conn && session->project.project_conn->is_open());
    EXPECT_EQ(main().pointer(), ui::MousePointer::Default);
  }
}

TEST_F(ShellTest, ACurrentFileOpensWithoutAQuestionWithTheStationsAndIsSharedByTheMarkerInItsPath) {
  for (const char* name : {"QMP_routes.rvg", "roads_Qmp.rvg", "plain.rvg"}) {
    SCOPED_TRACE(name);
    open(make_current(name, "METRIC"));
    EXPECT_EQ(session->project.shared_project, std::string(name) != "plain.rvg");
    EXPECT_EQ(window(), "[Project Database - " + std::string(name) + "][UNITS: METRIC] open");
    EXPECT_EQ(session->project.open_project_noaa_station, "Charlottesville");
    EXPECT_EQ(lists(), "VARMNOAA.rdb counties stations");
    close();
  }
}

// No to the question, or Cancel in the upgrade dialog (here after the upgrade
// failed): the file opens as it is, served by its county list, and asks again.
TEST_F(ShellTest, AnOlderFileNotUpgradedOpensAsItIsAndAsksAgain) {
  // The station list of an earlier project stays; nothing else of it stands in.
  open_current("current.rvg");
  close();
  const struct {
    const char* file;
    bool shared_kind;
    bool upgrade_fails;  // or No to the question
    const char* lists;
  } rows[] = {
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
    const std::string before = file_bytes(f);
    for (int time = 0; time < 2; ++time) {
      if (!row.upgrade_fails) {
        open_declining_upgrade(f);
      } else {
        open_upgrading(f, [&](ui::Form& dlg) {
          desktop.expect_box_containing('"' + std::string(row.file) + "\" could not be updated. stamp refused.");
          dlg.control("btnUpdate").user_click();
          EXPECT_TRUE(dlg.is_loaded());
          desktop.expect_box("Project Name: Old Project");
          dlg.control("btnCancel").user_click();
        });
      }
      EXPECT_EQ(lists(), row.lists);
      EXPECT_EQ(window(), "[Project Database - " + std::string(row.file) + "][UNITS: ENGLISH] open");
      const auto& p = session->project;
      // The Design menu does not ask a shared project for its product name.
      EXPECT_EQ(p.open_project_major_release + "|" + p.open_project_noaa_station + "|" + p.open_project_product_name,
                row.shared_kind ? "||" : "1.0||RAVELGRIT");
      close();
    }
    EXPECT_EQ(file_bytes(f), before) << "nothing of the upgrade is left in the file";
  }
}

TEST_F(ShellTest, ADatabaseWithoutDetailsAsksForThemUntilSaved) {
  const auto f = path("empty.rvg");
  fs::copy_file(fs::path(RG_PROGRAM_DIR) / "Tovrel21.rdb", f);
  desktop.expect_box("No Project Found.  Please Add Project Details");
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    EXPECT_EQ(locked(dlg), "") << "add mode";
    discard(dlg);
  });
  open_file(f);
  EXPECT_EQ(window(), "[Project Database - empty.rvg][UNITS: ] open");

  // Update Project Details without details: the same box and dialog again.
  desktop.expect_box("No Project Found.  Please Add Project Details");
  desktop.expect_modal("frmProjectNOAA", fill_and_save("P-1", "Found"));
  desktop.expect_box("Project Details are Saved!");
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

TEST_F(ShellTest, UpdateOfAnOlderProjectShowsTheTwinWithoutStation) {
  const auto f = make_older("older.rvg", false);
  open_declining_upgrade(f);
  desktop.expect_modal("frmProject", [](ui::Form& dlg) {
    EXPECT_EQ(locked(dlg), "project_id units county cancel");
    EXPECT_EQ(dlg.find("noaa_station"), nullptr);
    EXPECT_EQ(dlg.control("county").text(), "Albemarle");
    dlg.control("designer").user_edit_text("A. Engineer");
    dlg.menu("mnuprojsave").user_click();
  });
  desktop.expect_box("Project Details are Saved!");
  click("mnuupdateProj");
  EXPECT_EQ(session->project.open_project_designer, "A. Engineer");
  EXPECT_EQ(query_rows(f, "SELECT DESIGNER FROM PROJECT"), std::vector<std::string>{"A. Engineer"});
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
  open_declining_upgrade(make_older("older.rvg", true));
  desktop.expect_box_containing("PRODUCT_NAME");
  click("mnuInlet");
  const std::string& said = desktop.boxes().back().text;
  EXPECT_TRUE(said.starts_with("Ravelgrit could not check")) << said;
  EXPECT_NE(said.find("answer Yes to the conversion"), std::string::npos) << said;
  EXPECT_TRUE(desktop.modal_forms().empty());
  close();

  // A shared project is not asked for its product name.
  const auto shared = make_current("qmp_foreign.rvg");
  run_sql(shared, "UPDATE PROJECT SET PRODUCT_NAME = 'OTHERPROGRAM'");
  open(shared);
  design();
}

TEST_F(ShellTest, TheDesignLoopShowsTheListUntilTheUserLeavesIt) {
  const auto f = open_current("loop.rvg");
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

  // The row the list keeps across reloads (the list's tests) is the open
  // project's: the next one starts on its first row.
  run_sql(f, "INSERT INTO INLET (INLET_NUMBER) VALUES ('1'), ('2')");
  design_loop({[](reports::FrmInletFlex& list) {
    list.control("inletflex").user_click_cell(2, 0);
    list.control("cmdflexexit").user_click();
  }});
  close();
  run_sql(open_current("next.rvg"), "INSERT INTO INLET (INLET_NUMBER) VALUES ('1'), ('2')");
  design_loop({[](reports::FrmInletFlex& list) { list.control("cmdflexrefreshinlet").user_click(); },
               [](reports::FrmInletFlex& list) {
                 EXPECT_EQ(list.control("inletflex").row(), 1);
                 list.control("cmdflexexit").user_click();
               }});
}

TEST_F(ShellTest, AListThatCannotLoadEndsTheDesignLoopWithOneBoxAndNothingWedges) {
  const auto f = make_current("no_inlets.rvg");
  run_sql(f, "DROP TABLE INLET");
  open(f);
  desktop.clear_record();
  desktop.expect_box_containing("INLET");
  click("mnuInlet");
  EXPECT_EQ(desktop.boxes().size(), 1u);
  EXPECT_FALSE(session->form<reports::FrmInletFlex>().is_loaded());

  // Once the inlets can be read, the list is shown whole.
  run_sql(f, "CREATE TABLE INLET (INLET_NUMBER TEXT); INSERT INTO INLET VALUES ('1');");
  desktop.expect_modal("frminletflex", [](ui::Form& list) {
    EXPECT_EQ(list.control("Text1").text(), "1");
    list.control("cmdflexexit").user_click();
  });
  click("mnuInlet");
}

// Reached without an open project (a dialog shown after Close), the connection
// is refused with a reason, never a null followed.
TEST(OpenProject, TheConnectionOfNoProjectIsRefused) {
  EXPECT_THROW(app::OpenProject{}.connection(), db::Error);
}
