#include <gtest/gtest.h>

#include "app/help_about.h"
#include "app/noaa_stations.h"
#include "app/project_details.h"
#include "app/project_update.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"
#include "shell_fixture.h"

using namespace rg;
using namespace rg::test;
using ui::Answer;
using ui::Icon;

namespace {
constexpr const char* kUpdated =
    "Project database Updated with selected NOAA Station! Please review and recompute your results";
}  // namespace

// --- The details dialogs ------------------------------------------------------------

class DetailsTest : public ShellTest {
 protected:
  // Create's path up to the details dialog, which the script then works.
  void create(const std::string& name, std::function<void(ui::Form&)> script) {
    desktop.expect_file(path(name).string());
    desktop.expect_box("New Project Database has been created.  Please Add Project Details");
    desktop.expect_modal("frmProjectNOAA", std::move(script));
    main().menu("mnucreateProj").user_click();
  }
};

TEST_F(DetailsTest, TheCountyIsCheckedBeforeTheProjectIdAndNothingIsStoredWithoutThem) {
  create("required.rvg", [this](ui::Form& dlg) {
    dlg.control("county").user_edit_text("");
    desktop.expect_box("County Name is a Required Field!");
    dlg.menu("mnuprojsave").user_click();
    dlg.control("county").user_select("Albemarle");
    desktop.expect_box("Project ID is a Required Field!");
    dlg.menu("mnuprojsave").user_click();
    EXPECT_TRUE(dlg.is_loaded()) << "a refused Save keeps the dialog";
    EXPECT_EQ(session->open_project_name, "");
    EXPECT_EQ(desktop.boxes().back().icon, Icon::Exclamation);
    EXPECT_EQ(desktop.boxes().back().title, "");
    desktop.expect_box("Exit without saving? ", Answer::Yes);
    desktop.expect_box("Update Cancelled");
    dlg.menu("mnuprojexit").user_click();
  });
  EXPECT_EQ(query_rows(path("required.rvg"), "SELECT count(*) FROM PROJECT"), std::vector<std::string>{"0"});
}

TEST_F(DetailsTest, UnitsAreOneOfTheListOrRefused) {
  create("units.rvg", [this](ui::Form& dlg) {
    auto& units = dlg.control("units");
    // A beginning of an item is completed to it.
    units.user_edit_text("M");
    EXPECT_EQ(units.text(), "METRIC");
    units.user_edit_text("E");
    EXPECT_EQ(units.text(), "ENGLISH");
    // Anything else: the message, and the first item again.
    desktop.expect_box("Value not present in the list... Please enter a valid value..");
    units.user_edit_text("X");
    EXPECT_EQ(units.text(), "ENGLISH");
    desktop.expect_box("Value not present in the list... Please enter a valid value..");
    units.user_edit_text("metric");
    EXPECT_EQ(units.text(), "ENGLISH");
    // Emptied, the box may stay empty while typing, but cannot be saved so.
    units.user_edit_text("");
    dlg.control("project_id").user_edit_text("P-1");
    desktop.expect_box("Units is a Required Field!");
    dlg.menu("mnuprojsave").user_click();
    units.user_select("METRIC");
    desktop.expect_box("Project Details are Saved!");
    dlg.menu("mnuprojsave").user_click();
  });
  EXPECT_EQ(query_rows(path("units.rvg"), "SELECT UNITS FROM PROJECT"), std::vector<std::string>{"METRIC"});
  EXPECT_EQ(panel(2), "UNITS: METRIC");
}

TEST_F(DetailsTest, ClosingAChangedDialogAsksAndNoKeepsTheEdits) {
  const auto f = make_current("edit.rvg");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(f);
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    auto* details = static_cast<app::FrmProjectDetails*>(&dlg);
    EXPECT_FALSE(details->dirty()) << "nothing changed yet";
    dlg.control("description").user_edit_text("Phase 2");
    EXPECT_TRUE(details->dirty());
    desktop.expect_box("Exit without saving? ", Answer::No);
    EXPECT_FALSE(dlg.unload(ui::UnloadMode::CloseBox));
    EXPECT_EQ(dlg.control("description").text(), "Phase 2");
    desktop.expect_box("Exit without saving? ", Answer::Yes);
    desktop.expect_box("Update Cancelled");
    dlg.menu("mnuprojexit").user_click();
  });
  main().menu("mnuupdateProj").user_click();
  EXPECT_EQ(query_rows(f, "SELECT DESCRIPTION FROM PROJECT"), std::vector<std::string>{"<null>"});
  // An untouched dialog closes without a question.
  desktop.expect_modal("frmProjectNOAA", [](ui::Form& dlg) { dlg.menu("mnuprojexit").user_click(); });
  main().menu("mnuupdateProj").user_click();
}

TEST_F(DetailsTest, CancelRestoresTheStoredRow) {
  const auto f = make_current("cancel.rvg");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(f);
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    dlg.control("project_name").user_edit_text("Typo");
    desktop.expect_box("Update Cancelled");
    dlg.menu("mnuprojcancel").user_click();
    EXPECT_EQ(dlg.control("project_name").text(), "Route 29 Widening");
    dlg.menu("mnuprojexit").user_click();
  });
  main().menu("mnuupdateProj").user_click();
  EXPECT_EQ(session->open_project_name, "Route 29 Widening");
}

TEST_F(DetailsTest, ARefusedStoreLeavesTheGlobalsAsTheyWere) {
  const auto f = make_current("refused.rvg");
  run_sql(f, "CREATE TRIGGER no_change BEFORE UPDATE ON PROJECT BEGIN SELECT RAISE(ABORT, 'the row is locked'); END;");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(f);
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    dlg.control("project_name").user_edit_text("Renamed");
    desktop.expect_box_containing("the row is locked");
    dlg.menu("mnuprojsave").user_click();
    EXPECT_EQ(desktop.boxes().back().icon, Icon::None);
    EXPECT_TRUE(dlg.is_loaded());
    EXPECT_EQ(session->open_project_name, "Route 29 Widening");
    // Leaving it: the change is discarded.
    desktop.expect_box("Exit without saving? ", Answer::Yes);
    desktop.expect_box("Update Cancelled");
    dlg.menu("mnuprojexit").user_click();
  });
  main().menu("mnuupdateProj").user_click();
  EXPECT_EQ(query_rows(f, "SELECT PROJECT_NAME FROM PROJECT"), std::vector<std::string>{"Route 29 Widening"});
}

TEST_F(DetailsTest, AStationWithAQuoteIsStoredAsItIs) {
  create("quote.rvg", [this](ui::Form& dlg) {
    desktop.expect_box("Project Details are Saved!");
    dlg.control("noaa_station").user_select("Stuart's Draft");
    dlg.control("project_id").user_edit_text("O'Brien-1");
    dlg.control("project_name").user_edit_text("St. Mary's Road");
    dlg.menu("mnuprojsave").user_click();
  });
  EXPECT_EQ(query_rows(path("quote.rvg"), "SELECT PROJECT_ID, PROJECT_NAME, NOAA_STATION FROM PROJECT"),
            std::vector<std::string>{"O'Brien-1|St. Mary's Road|Stuart's Draft"});
  EXPECT_EQ(session->open_project_noaa_station, "Stuart's Draft");
}

TEST_F(DetailsTest, AMissingStationFileLeavesTheListsEmpty) {
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
    EXPECT_EQ(dlg.control("county").list_count(), 0);
    EXPECT_EQ(dlg.control("noaa_station").list_count(), 0);
    dlg.control("project_id").user_edit_text("P-1");
    dlg.menu("mnuprojsave").user_click();
  });
  main().menu("mnucreateProj").user_click();
  EXPECT_EQ(desktop.boxes().at(1).icon, Icon::None);
  EXPECT_EQ(desktop.boxes().size(), 3u) << "one box from the list, and Create goes on";
}

// --- The upgrade ------------------------------------------------------------------

class UpgradeTest : public ShellTest {
 protected:
  void open_and_upgrade(const fs::path& f, std::function<void(ui::Form&)> script) {
    desktop.expect_box(kConvertQuestion, Answer::Yes);
    desktop.expect_modal("frmProjectUpdate", std::move(script));
    open_file(f);
  }
};

TEST_F(UpgradeTest, AnOlderProjectGainsTheStationColumnAndTheStamp) {
  const auto f = make_older("older.rvg", false);
  open_and_upgrade(f, [this](ui::Form& dlg) {
    EXPECT_EQ(dlg.control("noaa_station").text(), "Abingdon 3 S");
    desktop.expect_box(kUpdated);
    desktop.expect_box("Project Name: Old Project");
    dlg.control("btnUpdate").user_click();
  });
  EXPECT_EQ(project_columns(f).size(), 13u);
  EXPECT_EQ(query_rows(f, "SELECT PRODUCT_NAME, MAJOR_RELEASE, MINOR_RELEASE, NOAA_STATION, RELEASE_DATE FROM PROJECT"),
            std::vector<std::string>{"RAVELGRIT|2.1|0.0|Abingdon 3 S|JULY 2016"});
  EXPECT_EQ(desktop.boxes().at(1).icon, Icon::Exclamation);
  EXPECT_EQ(session->open_project_major_release, "2.1");
  EXPECT_EQ(session->open_project_noaa_station, "Abingdon 3 S");
  EXPECT_EQ(fs::path(session->rainfall_db_path).filename(), "VARMNOAA.rdb");
  EXPECT_TRUE(session->project_conn->is_open());
  EXPECT_EQ(panel(1), "Project Database - older.rvg");

  // Now current: Update Project Details shows the dialog with the station.
  desktop.expect_modal("frmProjectNOAA", [](ui::Form& dlg) {
    EXPECT_EQ(dlg.control("noaa_station").text(), "Abingdon 3 S");
    dlg.menu("mnuprojexit").user_click();
  });
  main().menu("mnuupdateProj").user_click();
}

TEST_F(UpgradeTest, ASharedOlderProjectGainsFiveColumnsAndATypedStationIsKeptAsTyped) {
  const auto f = make_older("qmp_older.rvg", true);
  open_and_upgrade(f, [this](ui::Form& dlg) {
    dlg.control("noaa_station").user_edit_text("Stuart's Draft");
    desktop.expect_box(kUpdated);
    desktop.expect_box("Project Name: Old Project");
    dlg.control("btnUpdate").user_click();
  });
  const auto columns = project_columns(f);
  ASSERT_EQ(columns.size(), 13u);
  EXPECT_EQ(std::vector<std::string>(columns.begin() + 8, columns.end()),
            (std::vector<std::string>{"NOAA_STATION", "PRODUCT_NAME", "MAJOR_RELEASE", "MINOR_RELEASE", "RELEASE_DATE"}));
  EXPECT_EQ(query_rows(f, "SELECT NOAA_STATION, MAJOR_RELEASE FROM PROJECT"),
            std::vector<std::string>{"Stuart's Draft|2.1"});
}

TEST_F(UpgradeTest, AColumnThatExistsIsPassedOverWithoutAWord) {
  const auto f = make_older("partial.rvg", false);
  run_sql(f, "ALTER TABLE PROJECT ADD NOAA_STATION TEXT(50)");
  open_and_upgrade(f, [this](ui::Form& dlg) {
    desktop.expect_box(kUpdated);
    desktop.expect_box("Project Name: Old Project");
    dlg.control("btnUpdate").user_click();
  });
  EXPECT_EQ(query_rows(f, "SELECT NOAA_STATION, MAJOR_RELEASE FROM PROJECT"),
            std::vector<std::string>{"Abingdon 3 S|2.1"});
}

TEST_F(UpgradeTest, AFailedUpgradeIsShownAndTheProjectStaysOlder) {
  const auto f = make_older("locked.rvg", false);
  run_sql(f, "CREATE TRIGGER no_stamp BEFORE UPDATE ON PROJECT BEGIN SELECT RAISE(ABORT, 'stamp refused'); END;");
  open_and_upgrade(f, [this](ui::Form& dlg) {
    desktop.expect_box_containing("stamp refused");
    dlg.control("btnUpdate").user_click();
    EXPECT_TRUE(dlg.is_loaded());
    desktop.expect_box("Project Name: Old Project");
    dlg.unload(ui::UnloadMode::CloseBox);
  });
  EXPECT_EQ(project_columns(f).size(), 12u) << "nothing of the upgrade is left in the file";
  EXPECT_EQ(session->open_project_major_release, "1.0");
  // Closed without an upgrade, the project is served by its county list.
  EXPECT_EQ(fs::path(session->rainfall_db_path).filename(), "VARMSTORM.rdb");
}

TEST(UpgradeDialog, ListsTheStationsAsTheProgramKnowsThem) {
  ui::ScriptedDesktop desktop;
  app::Session session(desktop, RG_PROGRAM_DIR);
  auto& dlg = session.form<app::FrmProjectUpdate>();
  dlg.load();
  const auto& items = dlg.control("noaa_station").items();
  ASSERT_EQ(items.size(), 176u);
  EXPECT_EQ(items.front(), "Abingdon 3 S");
  EXPECT_EQ(items.back(), "Wytheville Post Office");
  for (const char* exact : {"Blacksburg  ", "Culpeper ", "Newport  2 NNW", "Stuart's Draft", "MC Gaheysville 3 S"}) {
    EXPECT_NE(std::find(items.begin(), items.end(), exact), items.end()) << '"' << exact << '"';
  }
  EXPECT_EQ(dlg.caption(), "Update Project");
  EXPECT_EQ(dlg.control("btnUpdate").caption(), "Update Project");
  EXPECT_EQ(dlg.control("cmdNOAAStationhelp").tooltip(), "NOAA Station Help");
  dlg.control("cmdNOAAStationhelp").user_click();
  EXPECT_EQ(desktop.opened_urls(),
            std::vector<std::string>{"https://hdsc.nws.noaa.gov/hdsc/pfds/pfds_map_cont.html?bkmrk=va"});
}

// --- Help and About ---------------------------------------------------------------

TEST_F(ShellTest, HelpOpensThePageBesideTheProgramAndAboutShowsTwice) {
  main().menu("mnusubHelp").user_click();
  ASSERT_EQ(desktop.opened_documents().size(), 1u);
  EXPECT_EQ(desktop.opened_documents()[0], (fs::path(RG_PROGRAM_DIR) / "Ravelgrit.html").string());
  for (int i = 0; i < 2; ++i) {
    desktop.expect_modal("frmAbout", [](ui::Form& about) {
      EXPECT_EQ(about.caption(), "About Quillmere");
      EXPECT_EQ(about.control("lblVersion").caption(), "Ravelgrit - Version 2.1");
      EXPECT_FALSE(about.control("lblNotice1").caption().empty());
      about.control("cmdOK").user_click();
    });
    main().menu("mnuabout").user_click();
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
  main().menu("mnusubHelp").user_click();
  EXPECT_TRUE(desktop.opened_documents().empty());
}

TEST(DetailsDialog, WithoutAProjectItSaysSoAndStaysHarmless) {
  ui::ScriptedDesktop desktop;
  app::Session session(desktop, RG_PROGRAM_DIR);
  desktop.expect_box("No project database is open.");
  desktop.expect_modal("frmProjectNOAA", [&desktop](ui::Form& dlg) {
    desktop.expect_box("Update Cancelled");
    dlg.menu("mnuprojcancel").user_click();
    dlg.control("county").user_edit_text("Albemarle");
    dlg.control("project_id").user_edit_text("P-1");
    desktop.expect_box("The project details are not loaded.");
    dlg.menu("mnuprojsave").user_click();
    dlg.menu("mnuprojexit").user_click();
  });
  desktop.show_modal(session.form<app::FrmProjectNOAA>());
  EXPECT_EQ(session.open_project_id, "");
  for (const auto& f : desktop.failures()) ADD_FAILURE() << f;
}
