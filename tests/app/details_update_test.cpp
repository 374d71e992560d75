#include <gtest/gtest.h>

#include "app/project_details.h"
#include "app/project_store.h"
#include "app/project_update.h"
#include "shell_fixture.h"
#include "support/hands.h"

using namespace rg;
using namespace rg::test;

namespace {
// The user types into a box and leaves it with Tab.
std::string leave(ui::Form& dlg, const char* box, const std::string& typed) {
  type(dlg, box, typed);
  dlg.send_tab();
  return dlg.control(box).text();
}
}  // namespace

// --- The details dialogs ------------------------------------------------------------

// Save takes the county, the project ID and the units in that order, the units
// completed from a beginning (the list rule itself is the input helpers'), and
// a county and a station of their lists only, as the rainfall look-up finds
// them by their exact names. A quote in a name is stored as typed.
TEST_F(ShellTest, CreateSavesTheDetailsOnceEachRequiredOneIsGivenAndTheCountyAndStationAreOfTheirLists) {
  const auto f = path("widening.rvg");
  create("widening", [&](ui::Form& dlg) {
    auto& units = dlg.control("units");
    units.user_edit_text("M");
    EXPECT_EQ(units.text(), "METRIC") << "a beginning of an item is completed to it";
    units.user_type("E\b");
    EXPECT_EQ(units.text(), "ME") << "Backspace takes the completed tail away";
    // Emptied, the box may stay empty while typing, but cannot be saved so.
    units.user_edit_text("");
    dlg.control("county").user_edit_text("");
    desktop.expect_box("County Name is a Required Field!");
    dlg.menu("mnuprojsave").user_click();
    dlg.control("county").user_select("Albemarle");
    desktop.expect_box("Project ID is a Required Field!");
    dlg.menu("mnuprojsave").user_click();
    dlg.control("project_id").user_edit_text("O'Brien-1");
    desktop.expect_box("Units is a Required Field!");
    dlg.menu("mnuprojsave").user_click();
    units.user_edit_text("M");
    units.user_type("\b");  // a beginning left: Save completes it
    // A text that begins no name of the list stays and is refused; a beginning completes.
    const struct { const char *box, *refused, *beginning, *completed; } listed[] = {
        {"county", "Loudon", "Lou", "Loudoun"},
        {"noaa_station", "Zzz", "Staun", "Staunton Sewage Plant"},
    };
    for (const auto& row : listed) {
      SCOPED_TRACE(row.box);
      EXPECT_EQ(leave(dlg, row.box, row.refused), row.refused);
      desktop.expect_box_containing('"' + std::string(row.refused) + '"');
      dlg.menu("mnuprojsave").user_click();
      EXPECT_TRUE(dlg.is_loaded()) << "a refused Save keeps the dialog";
      EXPECT_EQ(query_rows(f, "SELECT count(*) FROM PROJECT"), std::vector<std::string>{"0"});
      EXPECT_EQ(session->project.open_project_name, "");
      EXPECT_EQ(leave(dlg, row.box, row.beginning), row.completed);
    }
    dlg.control("project_name").user_edit_text("St. Mary's Road");
    save_details(dlg);
  });
  EXPECT_EQ(desktop.file_dialogs().at(0).initial_dir, std::string(RG_PROGRAM_DIR));
  EXPECT_EQ(window(), "[Project Database - widening.rvg][UNITS: METRIC] open");
  const auto& p = session->project;
  EXPECT_EQ(p.open_project_name + "|" + p.open_project_major_release + "|" + p.open_project_noaa_station,
            "St. Mary's Road|2.1|Staunton Sewage Plant");
  EXPECT_EQ(session->handover.last_dir, dir.string());
  EXPECT_TRUE(p.project_editing);
  EXPECT_EQ(query_rows(f, "SELECT PROJECT_ID, PROJECT_NAME, COUNTY, STATE, UNITS, PRODUCT_NAME FROM PROJECT"),
            std::vector<std::string>{"O'Brien-1|St. Mary's Road|Loudoun|VA|METRIC|RAVELGRIT"});

  // A stored name outside the list can be chosen again, and only from the list:
  // the station of a current project, and the county of an older one, which
  // picks its rainfall.
  close();
  const struct {
    fs::path file;
    const char *dialog, *box, *field, *stored, *locked, *typed, *chosen;
    std::string app::ProjectCopies::*global;
  } stored[] = {
      {f, "frmProjectNOAA", "noaa_station", "NOAA_STATION", "Staun", "project_id units county cancel", "Stu", "Stuart 1 SSE",
       &app::ProjectCopies::open_project_noaa_station},
      {make_older("older.rvg", false), "frmProject", "county", "COUNTY", "Loud", "project_id units cancel", "Louis", "Louisa",
       &app::ProjectCopies::open_project_county},
  };
  for (const auto& row : stored) {
    SCOPED_TRACE(row.dialog);
    run_sql(row.file, "UPDATE PROJECT SET " + std::string(row.field) + " = '" + row.stored + "'");
    row.file == f ? open(f, "St. Mary's Road") : open_older(row.file);
    desktop.expect_modal(row.dialog, [&](ui::Form& dlg) {
      EXPECT_EQ(locked(dlg), row.locked);
      leave(dlg, row.box, row.typed);
      save_details(dlg);
    });
    click("mnuupdateProj");
    EXPECT_EQ(query_rows(row.file, "SELECT " + std::string(row.field) + " FROM PROJECT"),
              std::vector<std::string>{row.chosen});
    EXPECT_EQ(session->project.*row.global, row.chosen);
    close();
  }
}

// Refused by the file (here a trigger; another program's hold takes the same
// way) or because it cannot be written, which the dialog says once as it opens:
// the dialog stays with what was typed, asks before its close box closes it,
// and its Cancel restores the stored row; the file and the open project stay
// as they were.
TEST_F(ShellTest, ARefusedSaveKeepsTheDialogUntilTheUserLeavesItAndChangesNothing) {
  enum Refusal { Trigger, ReadOnly };
  for (const auto& [refusal, says] : {std::pair{Trigger, "the row is locked"},
                                      std::pair{ReadOnly, "not saved. The project database \"refused.rvg\" is read-only"}}) {
    SCOPED_TRACE(says);
    const auto f = make_current("refused.rvg");
    if (refusal == Trigger) {
      run_sql(f, "CREATE TRIGGER no_change BEFORE UPDATE ON PROJECT BEGIN SELECT RAISE(ABORT, 'the row is locked'); END;");
    }
    open(f);
    // Running as root ignores a file's mode: the connection is reopened as the
    // system gives a file that cannot be written.
    if (refusal == ReadOnly) {
      session->project.project_conn->open(f, db::Access::ReadOnly);
      desktop.expect_box_containing("are shown, but changes to them cannot be saved. The project database");
    }
    const std::string before = bytes_of(f);
    const app::ProjectCopies copies = session->project;
    desktop.expect_modal("frmProjectNOAA", [&](ui::Form& dlg) {
      auto& designer = dlg.control("designer");
      designer.user_edit_text("A. Engineer");
      desktop.expect_box_containing(says);
      dlg.menu("mnuprojsave").user_click();
      desktop.expect_box("Exit without saving? ", Answer::No);
      EXPECT_FALSE(dlg.unload(ui::UnloadMode::CloseBox));
      EXPECT_EQ(designer.text(), "A. Engineer");
      desktop.expect_box("Update Cancelled");
      dlg.menu("mnuprojcancel").user_click();
      EXPECT_EQ(designer.text(), "J. Doe");
      dlg.menu("mnuprojexit").user_click();  // as stored: no question
    });
    click("mnuupdateProj");
    EXPECT_EQ(static_cast<const app::ProjectCopies&>(session->project), copies);
    EXPECT_EQ(bytes_of(f), before);
    close();
  }
  // Its details cannot be read now: nothing of the project is lost and no dialog stays.
  const auto f = open_current("held.rvg");
  const app::ProjectCopies copies = session->project;
  db::Connection other;
  other.open(f, db::Access::ReadWrite);
  other.execute("BEGIN EXCLUSIVE");
  desktop.expect_box_containing("another program");
  click("mnuupdateProj");
  EXPECT_FALSE(session->form<app::FrmProjectNOAA>().is_loaded());
  EXPECT_EQ(static_cast<const app::ProjectCopies&>(session->project), copies);
}

// Leaving the dialog judges and completes nothing: an untouched dialog whose
// stored county is the beginning of a name closes without a question by its
// Exit and by its close box (Escape), and the file is as it was. A box reached
// by Tab has its whole text selected, so a paste replaces it.
TEST_F(ShellTest, LeavingTheDetailsJudgesNothingAndTabSelectsAWholeBox) {
  const auto f = make_older("older.rvg", false);
  run_sql(f, "UPDATE PROJECT SET COUNTY = 'Loud'");
  open_older(f);
  const std::string before = bytes_of(f);
  for (const bool close_box : {false, true}) {
    desktop.expect_modal("frmProject", [&](ui::Form& dlg) {
      focus(dlg, "county");
      close_box ? void(dlg.unload(ui::UnloadMode::CloseBox)) : dlg.menu("mnuprojexit").user_click();
    });
    click("mnuupdateProj");
    EXPECT_EQ(bytes_of(f), before) << close_box;
  }
  desktop.expect_modal("frmProject", [&](ui::Form& dlg) {
    focus(dlg, "project_name");
    dlg.send_tab();
    dlg.control("description").user_paste("Route 9");
    EXPECT_EQ(dlg.control("description").text(), "Route 9");
    desktop.expect_box("Exit without saving? ", Answer::Yes);
    desktop.expect_box("Update Cancelled");
    dlg.unload(ui::UnloadMode::CloseBox);
  });
  click("mnuupdateProj");
  EXPECT_EQ(bytes_of(f), before);
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
  desktop.expect_modal("frmProjectNOAA", [this](ui::Form& dlg) {
    EXPECT_EQ(dlg.control("county").list_count() + dlg.control("noaa_station").list_count(), 0);
    dlg.control("project_id").user_edit_text("P-1");
    save_details(dlg);
  });
  click("mnucreateProj");
  EXPECT_EQ(desktop.boxes().size(), 3u) << "one box from the list, and Create goes on";
}

// --- The upgrade ------------------------------------------------------------------

// Whichever of the five columns an older file lacks are added, and the row is stamped.
TEST_F(ShellTest, AnOlderFileGainsWhateverColumnsItLacksAndTheStamp) {
  const char* const kColumns = "SELECT name FROM pragma_table_info('PROJECT') ORDER BY name";
  const char* const kStamp = "SELECT PRODUCT_NAME, MAJOR_RELEASE, MINOR_RELEASE, NOAA_STATION, RELEASE_DATE FROM PROJECT";
  const auto current = query_rows(fs::path(RG_PROGRAM_DIR) / "Tovrel21.rdb", kColumns);
  const std::pair<bool, const char*> files[] = {
      {true, ""},  // all five
      {false, "ALTER TABLE PROJECT ADD NOAA_STATION TEXT(50)"},  // none
      {false, "ALTER TABLE PROJECT ADD NOAA_STATION; ALTER TABLE PROJECT DROP COLUMN MINOR_RELEASE;"
              "ALTER TABLE PROJECT DROP COLUMN RELEASE_DATE;"}};
  for (const auto& [shared_kind, change] : files) {
    SCOPED_TRACE(change);
    const auto f = make_older("older.rvg", shared_kind);
    run_sql(f, change);
    db::Connection conn;
    conn.open(f, db::Access::ReadWrite);
    app::quillmere_libraries::upgrade_project_table(conn, "Stuart's Draft");
    EXPECT_EQ(query_rows(f, kColumns), current);
    EXPECT_EQ(query_rows(f, kStamp), std::vector<std::string>{"RAVELGRIT|2.1|0.0|Stuart's Draft|JULY 2016"});
    fs::remove(f);
  }

  // Through the dialog, on a file that lacks only the station, whose box takes
  // one of the list only.
  const auto f = make_older("older.rvg", false);
  open_older(f, [&](ui::Form& dlg) {
    leave(dlg, "noaa_station", "staun");
    desktop.expect_box_containing("\"staun\"");
    dlg.control("btnUpdate").user_click();
    EXPECT_TRUE(dlg.is_loaded());
    EXPECT_EQ(leave(dlg, "noaa_station", "Staun"), "Staunton Sewage Plant");
    desktop.expect_box("Project database Updated with selected NOAA Station! Please review and recompute your results");
    desktop.expect_box("Project Name: Old Project");
    dlg.control("btnUpdate").user_click();
  });
  EXPECT_EQ(query_rows(f, kStamp), std::vector<std::string>{"RAVELGRIT|2.1|0.0|Staunton Sewage Plant|JULY 2016"});
  EXPECT_EQ(session->project.open_project_major_release + "|" + session->project.open_project_noaa_station,
            "2.1|Staunton Sewage Plant");
  EXPECT_EQ(lists(), "VARMNOAA.rdb counties stations");
  EXPECT_EQ(window(), "[Project Database - older.rvg][UNITS: ENGLISH] open");
}

// --- Help, About and the NOAA page ----------------------------------------------------

// A page that cannot be opened is named in a box, the NOAA page by its address.
TEST_F(ShellTest, HelpOpensThePageBesideTheProgramAboutShowsTwiceAndAPageNotOpenedIsNamed) {
  const std::string page = (fs::path(RG_PROGRAM_DIR) / "Ravelgrit.html").string();
  click("mnusubHelp");
  EXPECT_EQ(desktop.opened_documents(), std::vector<std::string>{page});
  for (int i = 0; i < 2; ++i) {
    desktop.expect_modal("frmAbout", [](ui::Form& about) { about.control("cmdOK").user_click(); });
    click("mnuabout");
  }
  desktop.fail_opens(true);
  desktop.expect_box_containing(page);
  click("mnusubHelp");
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
