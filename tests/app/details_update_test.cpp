#include <gtest/gtest.h>

#include "app/help_about.h"
#include "app/noaa_stations.h"
#include "app/project_details.h"
#include "app/project_update.h"
#include "shell_fixture.h"

using namespace rg;
using namespace rg::test;

namespace {
constexpr const char* kUpdated =
    "Project database Updated with selected NOAA Station! Please review and recompute your results";
}  // namespace

// --- The details dialogs ------------------------------------------------------------

TEST_F(ShellTest, TheCountyIsCheckedBeforeTheProjectIdAndNothingIsStoredWithoutThem) {
  create("required.rvg", [this](ui::Form& dlg) {
    dlg.control("county").user_edit_text("");
    desktop.expect_box("County Name is a Required Field!", Icon::Exclamation, "");
    dlg.menu("mnuprojsave").user_click();
    dlg.control("county").user_select("Albemarle");
    desktop.expect_box("Project ID is a Required Field!", Icon::Exclamation, "");
    dlg.menu("mnuprojsave").user_click();
    EXPECT_TRUE(dlg.is_loaded()) << "a refused Save keeps the dialog";
    EXPECT_EQ(session->project.open_project_name, "");
    discard(dlg);
  });
  EXPECT_EQ(query_rows(path("required.rvg"), "SELECT count(*) FROM PROJECT"), std::vector<std::string>{"0"});
}

TEST_F(ShellTest, UnitsAreOneOfTheListOrRefused) {
  create("units.rvg", [this](ui::Form& dlg) {
    auto& units = dlg.control("units");
    units.user_edit_text("M");
    EXPECT_EQ(units.text(), "METRIC") << "a beginning of an item is completed to it";
    units.user_type("E\b");
    EXPECT_EQ(units.text(), "ME") << "Backspace takes the completed tail away";
    desktop.expect_box("Value not present in the list... Please enter a valid value..");
    units.user_edit_text("metric");
    EXPECT_EQ(units.text(), "ENGLISH") << "anything else: the first item again";
    // Emptied, the box may stay empty while typing, but cannot be saved so.
    units.user_edit_text("");
    dlg.control("project_id").user_edit_text("P-1");
    desktop.expect_box("Units is a Required Field!");
    dlg.menu("mnuprojsave").user_click();
    units.user_edit_text("M");
    units.user_type("\b");  // a beginning left: Save completes it
    desktop.expect_box("Project Details are Saved!");
    dlg.menu("mnuprojsave").user_click();
  });
  EXPECT_EQ(query_rows(path("units.rvg"), "SELECT UNITS FROM PROJECT"), std::vector<std::string>{"METRIC"});
  EXPECT_EQ(panel(2), "UNITS: METRIC");
}

TEST_F(ShellTest, AChangedDialogAsksBeforeItClosesAndCancelRestoresTheStoredRow) {
  const auto f = open_current("edit.rvg");
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    dlg.control("description").user_edit_text("Phase 2");
    desktop.expect_box("Exit without saving? ", Answer::No);
    EXPECT_FALSE(dlg.unload(ui::UnloadMode::CloseBox));
    EXPECT_EQ(dlg.control("description").text(), "Phase 2") << "No keeps the edits";
    discard(dlg);
  });
  click("mnuupdateProj");
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    auto& details = static_cast<app::FrmProjectDetails&>(dlg);
    EXPECT_FALSE(details.dirty()) << "nothing changed yet";
    dlg.control("project_name").user_edit_text("Typo");
    EXPECT_TRUE(details.dirty());
    desktop.expect_box("Update Cancelled");
    dlg.menu("mnuprojcancel").user_click();
    EXPECT_EQ(dlg.control("project_name").text(), "Route 29 Widening");
    dlg.menu("mnuprojexit").user_click();  // as stored: no question
  });
  click("mnuupdateProj");
  EXPECT_EQ(session->project.open_project_name, "Route 29 Widening");
  EXPECT_EQ(query_rows(f, "SELECT PROJECT_NAME, DESCRIPTION FROM PROJECT"),
            std::vector<std::string>{"Route 29 Widening|<null>"});
}

TEST_F(ShellTest, ARefusedStoreLeavesTheGlobalsAsTheyWere) {
  const auto f = make_current("refused.rvg");
  run_sql(f, "CREATE TRIGGER no_change BEFORE UPDATE ON PROJECT BEGIN SELECT RAISE(ABORT, 'the row is locked'); END;");
  open(f);
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    dlg.control("project_name").user_edit_text("Renamed");
    desktop.expect_box_containing("the row is locked");
    dlg.menu("mnuprojsave").user_click();
    EXPECT_EQ(desktop.boxes().back().icon, Icon::None);
    EXPECT_TRUE(dlg.is_loaded());
    EXPECT_EQ(session->project.open_project_name, "Route 29 Widening");
    discard(dlg);
  });
  click("mnuupdateProj");
  EXPECT_EQ(query_rows(f, "SELECT PROJECT_NAME FROM PROJECT"), std::vector<std::string>{"Route 29 Widening"});
}

TEST_F(ShellTest, NamesWithAQuoteAreStoredAsTheyAre) {
  create("quote.rvg", [this](ui::Form& dlg) {
    desktop.expect_box("Project Details are Saved!");
    dlg.control("noaa_station").user_select("Stuart's Draft");
    dlg.control("project_id").user_edit_text("O'Brien-1");
    dlg.control("project_name").user_edit_text("St. Mary's Road");
    dlg.menu("mnuprojsave").user_click();
  });
  EXPECT_EQ(query_rows(path("quote.rvg"), "SELECT PROJECT_ID, PROJECT_NAME, NOAA_STATION FROM PROJECT"),
            std::vector<std::string>{"O'Brien-1|St. Mary's Road|Stuart's Draft"});
  EXPECT_EQ(session->project.open_project_noaa_station, "Stuart's Draft");
}

// The rainfall look-up finds a station by its exact name, so no other text is
// stored: not a typed beginning, not a stored name that is not in the list.
TEST_F(ShellTest, TheStationIsOneOfTheListInBothDialogs) {
  // The user types into the station box and leaves it with Tab.
  auto leave = [](ui::Form& dlg, const std::string& typed) {
    auto& box = dlg.control("noaa_station");
    dlg.user_move_focus(box);
    box.user_edit_text(typed);
    dlg.send_tab();
    return box.text();
  };
  const auto f = path("station.rvg");
  create("station.rvg", [&](ui::Form& dlg) {
    EXPECT_EQ(leave(dlg, "Zzz"), "Zzz");
    desktop.expect_box_containing("\"Zzz\"");
    fill_and_save("P-1", "Route 29 Widening")(dlg);
    EXPECT_TRUE(dlg.is_loaded());
    EXPECT_EQ(leave(dlg, "Staun"), "Staunton Sewage Plant");
    desktop.expect_box("Project Details are Saved!");
    dlg.menu("mnuprojsave").user_click();
  });
  // A stored name outside the list can be chosen again, and only from the list.
  run_sql(f, "UPDATE PROJECT SET NOAA_STATION = 'Staun'");
  close();
  open(f);
  desktop.expect_modal("frmProjectNOAA", [&](ui::Form& dlg) {
    EXPECT_EQ(locked(dlg), "project_id units county cancel");
    desktop.expect_box_containing("\"Staun\"");
    dlg.menu("mnuprojsave").user_click();
    leave(dlg, "Stu");
    desktop.expect_box("Project Details are Saved!");
    dlg.menu("mnuprojsave").user_click();
  });
  click("mnuupdateProj");
  EXPECT_EQ(query_rows(f, "SELECT NOAA_STATION FROM PROJECT"), std::vector<std::string>{"Stuart 1 SSE"});
  close();

  const auto older = make_older("older.rvg", false);
  open_upgrading(older, [&](ui::Form& dlg) {
    EXPECT_EQ(leave(dlg, "Staun"), "Staunton Sewage Plant");
    leave(dlg, "staun");
    desktop.expect_box_containing("\"staun\"");
    dlg.control("btnUpdate").user_click();
    EXPECT_TRUE(dlg.is_loaded());
    desktop.expect_box("Project Name: Old Project");
    dlg.control("btnCancel").user_click();
  });
  EXPECT_EQ(query_rows(older, "SELECT MAJOR_RELEASE FROM PROJECT"), std::vector<std::string>{"1.0"});
}

TEST_F(ShellTest, AMissingStationFileLeavesTheListsEmpty) {
  // A program folder without "VARMNOAA.rdb".
  const auto program = path("program");
  fs::create_directories(program);
  for (const char* file : {"Tovrel21.rdb", "VArainfall.rdb", "VARMSTORM.rdb"}) {
    fs::copy_file(fs::path(RG_PROGRAM_DIR) / file, program / file);
  }
  start(program);
  desktop.expect_file(path("nolists.rvg").string());
  desktop.expect_box("New Project Database has been created.  Please Add Project Details");
  desktop.expect_box_containing("VARMNOAA.rdb");
  desktop.expect_box("Project Details are Saved!");
  desktop.expect_modal("frmProjectNOAA", [](ui::Form& dlg) {
    EXPECT_EQ(dlg.control("county").list_count() + dlg.control("noaa_station").list_count(), 0);
    dlg.control("project_id").user_edit_text("P-1");
    dlg.menu("mnuprojsave").user_click();
  });
  click("mnucreateProj");
  EXPECT_EQ(desktop.boxes().at(1).icon, Icon::None);
  EXPECT_EQ(desktop.boxes().size(), 3u) << "one box from the list, and Create goes on";
}

TEST(DetailsDialog, WithoutAProjectItSaysSoAndDoesNotStay) {
  ui::ScriptedDesktop desktop;
  app::Session session(desktop, RG_PROGRAM_DIR);
  desktop.expect_box("No project database is open.");
  // No script: the dialog is not left open as if for a new project.
  desktop.show_modal(session.form<app::FrmProjectNOAA>());
  EXPECT_FALSE(session.form<app::FrmProjectNOAA>().is_loaded());
  EXPECT_EQ(session.project.open_project_id, "");
  EXPECT_EQ(desktop.failures(), std::vector<std::string>{});
}

// --- The upgrade ------------------------------------------------------------------

TEST_F(ShellTest, AnOlderFileGainsWhateverColumnsItLacksAndTheStamp) {
  const auto current = project_columns(fs::path(RG_PROGRAM_DIR) / "Tovrel21.rdb");
  const struct {
    const char* name;
    bool shared_kind;
    const char* change;  // made to the older file first
    const char* typed;   // the station typed, or none: the first is kept
  } rows[] = {
      {"older.rvg", false, "", nullptr},
      {"qmp_older.rvg", true, "", "Stuart's Draft"},
      {"with_station.rvg", false, "ALTER TABLE PROJECT ADD NOAA_STATION TEXT(50)", nullptr},
      {"bare.rvg", false,
       "ALTER TABLE PROJECT DROP COLUMN PRODUCT_NAME; ALTER TABLE PROJECT DROP COLUMN MAJOR_RELEASE;"
       "ALTER TABLE PROJECT DROP COLUMN MINOR_RELEASE; ALTER TABLE PROJECT DROP COLUMN RELEASE_DATE;",
       nullptr},
      {"no_major.rvg", false, "ALTER TABLE PROJECT DROP COLUMN MAJOR_RELEASE", nullptr},
      {"lacks_two.rvg", false,
       "ALTER TABLE PROJECT ADD NOAA_STATION TEXT(50); ALTER TABLE PROJECT DROP COLUMN MINOR_RELEASE;"
       "ALTER TABLE PROJECT DROP COLUMN RELEASE_DATE;",
       nullptr},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    const auto f = make_older(row.name, row.shared_kind);
    run_sql(f, row.change);
    const std::string station = row.typed ? row.typed : "Abingdon 3 S";
    open_upgrading(f, [&](ui::Form& dlg) {
      EXPECT_EQ(dlg.control("noaa_station").text(), "Abingdon 3 S");
      if (row.typed) dlg.control("noaa_station").user_edit_text(row.typed);
      desktop.expect_box(kUpdated, Icon::Exclamation, "");
      desktop.expect_box("Project Name: Old Project");
      dlg.control("btnUpdate").user_click();
    });
    EXPECT_EQ(project_columns(f), current);
    EXPECT_EQ(query_rows(f, "SELECT PRODUCT_NAME, MAJOR_RELEASE, MINOR_RELEASE, NOAA_STATION, RELEASE_DATE FROM PROJECT"),
              std::vector<std::string>{"RAVELGRIT|2.1|0.0|" + station + "|JULY 2016"});
    EXPECT_EQ(session->project.open_project_major_release + "|" + session->project.open_project_noaa_station,
              "2.1|" + station);
    EXPECT_EQ(lists(), "VARMNOAA.rdb counties stations");
    EXPECT_EQ(window(), "[Project Database - " + std::string(row.name) + "][UNITS: ENGLISH] open");
    // Now current: Update Project Details shows the dialog with the station, and
    // the Design menu takes it as a project of this program.
    desktop.expect_modal("frmProjectNOAA", [&](ui::Form& dlg) {
      EXPECT_EQ(dlg.control("noaa_station").text(), station);
      dlg.menu("mnuprojexit").user_click();
    });
    click("mnuupdateProj");
    design();
    close();
  }
}

TEST(UpgradeDialog, ListsTheProgramsStationsAndItsHelpShowsTheStationMap) {
  ui::ScriptedDesktop desktop;
  app::Session session(desktop, RG_PROGRAM_DIR);
  auto& dlg = session.form<app::FrmProjectUpdate>();
  dlg.load();
  EXPECT_EQ(dlg.control("noaa_station").items(), app::noaa_station_names());
  dlg.control("cmdNOAAStationhelp").user_click();
  EXPECT_EQ(desktop.opened_urls(),
            std::vector<std::string>{"https://hdsc.nws.noaa.gov/hdsc/pfds/pfds_map_cont.html?bkmrk=va"});
}

// --- Help and About ---------------------------------------------------------------

TEST_F(ShellTest, HelpOpensThePageBesideTheProgramAndAboutShowsTwice) {
  click("mnusubHelp");
  EXPECT_EQ(desktop.opened_documents(),
            std::vector<std::string>{(fs::path(RG_PROGRAM_DIR) / "Ravelgrit.html").string()});
  for (int i = 0; i < 2; ++i) {
    desktop.expect_modal("frmAbout", [](ui::Form& about) { about.control("cmdOK").user_click(); });
    click("mnuabout");
  }
}

// Help and the NOAA page never fail in silence: the box names what could not
// be opened, the NOAA page by its address.
TEST_F(ShellTest, AHelpOrNoaaPageThatCannotBeOpenedIsNamedInABox) {
  const std::string page = (fs::path(RG_PROGRAM_DIR) / "Ravelgrit.html").string();
  desktop.fail_opens(true);
  desktop.expect_box_containing(page);
  main().menu("mnusubHelp").user_click();
  auto& update = session->form<app::FrmProjectUpdate>();
  update.load();
  desktop.expect_box_containing("https://hdsc.nws.noaa.gov/hdsc/pfds/pfds_map_cont.html?bkmrk=va");
  update.control("cmdNOAAStationhelp").user_click();
  update.unload();
  // Without the page beside the program.
  start(path(""));
  desktop.expect_box_containing((path("") / "Ravelgrit.html").string());
  click("mnusubHelp");
  EXPECT_TRUE(desktop.opened_documents().empty());
}
