#include <gtest/gtest.h>

#include "app/project_details.h"
#include "app/project_update.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"
#include "reports/inlet_list.h"
#include "shell_fixture.h"

using namespace rg;
using namespace rg::test;
using ui::Answer;
using ui::Icon;
using Menus = std::vector<bool>;

namespace {
const Menus kNoProject{true, true, false, false};
const Menus kProjectOpen{false, false, true, true};

// The user fills a new project's details and saves them.
auto fill_and_save(std::string id, std::string name, std::string units = "ENGLISH") {
  return [=](ui::Form& f) {
    f.control("project_id").user_edit_text(id);
    f.control("project_name").user_edit_text(name);
    f.control("units").user_select(units);
    f.menu("mnuprojsave").user_click();
  };
}
}  // namespace

TEST(Start, TheSplashStaysThreeSecondsThenTheMainWindowComes) {
  ui::ScriptedDesktop desktop;
  app::Session session(desktop, RG_PROGRAM_DIR);
  app::Main(session);
  EXPECT_EQ(desktop.shown_forms(), (std::vector<std::string>{"frmQuillmereSplash", "frmsoftwaremain"}));
  EXPECT_EQ(desktop.waited_seconds(), 3.0);
  EXPECT_GE(desktop.refreshes(), 1) << "the splash is painted before the wait";
  EXPECT_TRUE(session.form<app::FrmQuillmereSplash>().was_unloaded());
  auto& main = session.form<app::FrmSoftwareMain>();
  EXPECT_EQ(main.caption(), "Ravelgrit");
  EXPECT_EQ(main.box_title, "Quillmere");
  EXPECT_EQ(main.status_bar()->panel_count(), 4);
  EXPECT_EQ(main.status_bar()->panel(3).style, ui::StatusBar::PanelStyle::Date);
  EXPECT_EQ(main.status_bar()->panel(4).style, ui::StatusBar::PanelStyle::Time);
  EXPECT_EQ(main.menu("mnuexit").shortcut(), "Ctrl+X");
  EXPECT_EQ(main.menu("mnusubHelp").shortcut(), "F1");
  const Menus at_start{main.menu("mnucreateProj").enabled(), main.menu("mnuopenProj").enabled(),
                       main.menu("mnuupdateProj").enabled(), main.menu("mnucloseProj").enabled()};
  EXPECT_EQ(at_start, kNoProject);
  EXPECT_TRUE(desktop.failures().empty());
}

TEST_F(ShellTest, CreateCopiesTheTemplateAndStoresTheDetails) {
  const auto f = path("widening.rvg");
  desktop.expect_file(f.string());
  desktop.expect_box("New Project Database has been created.  Please Add Project Details");
  desktop.expect_modal("frmProjectNOAA", [](ui::Form& dlg) {
    // A new project's defaults.
    EXPECT_EQ(dlg.control("state").text(), "VA");
    EXPECT_EQ(dlg.control("units").text(), "ENGLISH");
    EXPECT_EQ(dlg.control("county").text(), "Accomack");
    EXPECT_EQ(dlg.control("noaa_station").text(), "Abingdon 3 S");
    EXPECT_EQ(dlg.control("county").list_count(), 95);
    EXPECT_EQ(dlg.control("noaa_station").list_count(), 176);
    EXPECT_TRUE(dlg.control("project_id").enabled());
    EXPECT_FALSE(dlg.menu("mnuprojcancel").enabled());
    fill_and_save("P-29", "Route 29 Widening", "METRIC")(dlg);
  });
  desktop.expect_box("Project Details are Saved!");
  main().menu("mnucreateProj").user_click();

  EXPECT_EQ(desktop.file_dialogs().at(0).title, "Enter New Project Database File Name");
  EXPECT_EQ(desktop.file_dialogs().at(0).filter, "Ravelgrit files (*.rvg)|*.rvg");
  EXPECT_EQ(desktop.file_dialogs().at(0).mode, ui::FileDialogMode::Save);
  EXPECT_EQ(desktop.file_dialogs().at(0).initial_dir, std::string(RG_PROGRAM_DIR));
  EXPECT_EQ(desktop.boxes().at(0).title, "Quillmere");
  EXPECT_EQ(desktop.boxes().at(0).icon, Icon::Information);
  EXPECT_EQ(desktop.boxes().at(1).title, "") << "the details dialog's boxes carry the application's title";
  EXPECT_EQ(panel(1), "Project Database - widening.rvg");
  EXPECT_EQ(panel(2), "UNITS: METRIC");
  EXPECT_EQ(menus(), kProjectOpen);
  EXPECT_EQ(session->open_project_name, "Route 29 Widening");
  EXPECT_EQ(session->unit_system, "METRIC");
  EXPECT_EQ(session->open_project_major_release, "2.1");
  EXPECT_EQ(session->open_project_noaa_station, "Abingdon 3 S");
  EXPECT_EQ(session->last_dir, f.parent_path().string());
  EXPECT_TRUE(session->project_editing);
  EXPECT_EQ(query_rows(f, "SELECT PROJECT_ID, PROJECT_NAME, COUNTY, STATE, UNITS, PRODUCT_NAME, MAJOR_RELEASE, "
                          "NOAA_STATION FROM PROJECT"),
            std::vector<std::string>{"P-29|Route 29 Widening|Accomack|VA|METRIC|RAVELGRIT|2.1|Abingdon 3 S"});
}

TEST_F(ShellTest, CreateWithoutAFileNameSelectsNothing) {
  for (const char* chosen : {"", "*.rvg"}) {
    desktop.expect_file(chosen);
    desktop.expect_box("No project database selected!");
    main().menu("mnucreateProj").user_click();
    EXPECT_EQ(desktop.boxes().back().title, "Quillmere");
    EXPECT_EQ(desktop.boxes().back().icon, Icon::Exclamation);
    EXPECT_EQ(menus(), kNoProject);
  }
  // Cancel before any Open: the dialog raises nothing.
  desktop.expect_file(std::nullopt);
  desktop.expect_box("No project database selected!");
  main().menu("mnucreateProj").user_click();
}

TEST_F(ShellTest, NoToOverwriteLeavesTheFileAsItWas) {
  const auto f = make_current("existing.rvg");
  const std::string before = file_bytes(f);
  desktop.expect_file(f.string());
  desktop.expect_box("File Already Exists!   Overwrite?", Answer::No);
  main().menu("mnucreateProj").user_click();
  EXPECT_EQ(desktop.boxes().back().default_answer, Answer::No) << "Enter alone must not overwrite";
  EXPECT_EQ(file_bytes(f), before);
  EXPECT_EQ(menus(), kNoProject);
  EXPECT_EQ(panel(1), "");
  EXPECT_FALSE(session->project_conn && session->project_conn->is_open());
}

TEST_F(ShellTest, AfterAnOpenCancelInCreateShowsTheDialogsCancelError) {
  desktop.expect_file(std::nullopt);
  desktop.expect_box(ui::FileDialog::kCancelDescription);
  main().menu("mnuopenProj").user_click();
  EXPECT_TRUE(desktop.boxes().back().system_modal);
  EXPECT_EQ(desktop.boxes().back().title, "");
  // The cancel error stays on for Create too.
  desktop.expect_file(std::nullopt);
  desktop.expect_box(ui::FileDialog::kCancelDescription);
  main().menu("mnucreateProj").user_click();
  EXPECT_EQ(desktop.boxes().back().icon, Icon::Exclamation);
  EXPECT_EQ(menus(), kNoProject);
}

TEST_F(ShellTest, OpeningACurrentDatabaseAsksNothingAndListsTheStations) {
  const auto f = make_current("current.rvg", "Route 29 Widening", "METRIC");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(f);
  EXPECT_EQ(desktop.file_dialogs().at(0).title, "Open");
  EXPECT_TRUE(desktop.file_dialogs().at(0).file_must_exist);
  EXPECT_EQ(desktop.boxes().at(0).icon, Icon::Information);
  EXPECT_EQ(panel(1), "Project Database - current.rvg");
  EXPECT_EQ(panel(2), "UNITS: METRIC");
  EXPECT_EQ(menus(), kProjectOpen);
  EXPECT_EQ(session->open_project_noaa_station, "Charlottesville");
  EXPECT_FALSE(session->shared_project);
  EXPECT_EQ(fs::path(session->rainfall_db_path).filename(), "VARMNOAA.rdb");
  ASSERT_TRUE(session->station_rs);
  EXPECT_EQ(session->station_rs->record_count(), 176);
}

TEST_F(ShellTest, TheSharedMarkerIsFoundInAnyCaseAnywhereInThePath) {
  for (const char* name : {"QMP_routes.rvg", "roads_Qmp.rvg", "plain.rvg"}) {
    const auto f = make_current(name);
    desktop.expect_box("Project Name: Route 29 Widening");
    open_file(f);
    EXPECT_EQ(session->shared_project, std::string(name) != "plain.rvg") << name;
    desktop.expect_box("Current Project Is Closed!");
    main().menu("mnucloseProj").user_click();
  }
  // Create forgets it.
  const auto f = make_current("QMP.rvg");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(f);
  desktop.expect_box("Current Project Is Closed!");
  main().menu("mnucloseProj").user_click();
  desktop.expect_file("");
  desktop.expect_box("No project database selected!");
  main().menu("mnucreateProj").user_click();
  EXPECT_FALSE(session->shared_project);
}

TEST_F(ShellTest, AnOlderDatabaseAsksEveryTimeUntilConverted) {
  const auto f = make_older("older.rvg", false);
  for (int i = 0; i < 2; ++i) {
    open_declining_upgrade(f);
    // No: the county list of the storm tables.
    EXPECT_EQ(fs::path(session->rainfall_db_path).filename(), "VARMSTORM.rdb");
    EXPECT_EQ(session->county_rs->record_count(), 95);
    desktop.expect_box("Current Project Is Closed!");
    main().menu("mnucloseProj").user_click();
  }
  EXPECT_EQ(project_columns(f).size(), 12u) << "declining changes nothing";
}

TEST_F(ShellTest, NoOnASharedOlderDatabaseListsTheCountyRainfallTable) {
  const auto f = make_older("qmp_older.rvg", true);
  open_declining_upgrade(f);
  EXPECT_EQ(fs::path(session->rainfall_db_path).filename(), "VArainfall.rdb");
  EXPECT_EQ(session->county_rs->field_names(), (std::vector<std::string>{"COUNTY_NO", "COUNTY_NAME"}));
  EXPECT_EQ(session->county_rs->record_count(), 95);
  // The Design menu does not ask for the product name of a shared project.
  EXPECT_EQ(session->open_project_product_name, "");
}

TEST_F(ShellTest, StationListOfAnEarlierOpenSurvivesTheCountyList) {
  const auto current = make_current("current.rvg");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(current);
  desktop.expect_box("Current Project Is Closed!");
  main().menu("mnucloseProj").user_click();
  const auto older = make_older("older.rvg", false);
  open_declining_upgrade(older);
  ASSERT_TRUE(session->station_rs);
  EXPECT_EQ(session->station_rs->record_count(), 176);
}

TEST_F(ShellTest, CloseClearsEveryValueCopiedFromTheProject) {
  const auto f = make_current("current.rvg");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(f);
  desktop.expect_box("Current Project Is Closed!");
  main().menu("mnucloseProj").user_click();
  EXPECT_EQ(desktop.boxes().back().icon, Icon::Information);
  EXPECT_EQ(desktop.boxes().back().title, "");
  EXPECT_EQ(menus(), kNoProject);
  EXPECT_EQ(panel(1), "");
  EXPECT_EQ(panel(2), "");
  for (const std::string* v : {&session->open_project_id, &session->open_project_name, &session->open_project_county,
                               &session->open_project_state, &session->open_project_designer, &session->unit_system,
                               &session->open_project_product_name, &session->open_project_major_release,
                               &session->open_project_noaa_station}) {
    EXPECT_EQ(*v, "");
  }
  EXPECT_FALSE(session->project_editing);
  EXPECT_FALSE(session->project_conn->is_open());
}

TEST_F(ShellTest, AnOlderSharedFileOpenedAfterACurrentOneIsTakenAsOlder) {
  const auto current = make_current("current.rvg");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(current);
  desktop.expect_box("Current Project Is Closed!");
  main().menu("mnucloseProj").user_click();
  // Its file has no MAJOR_RELEASE column: nothing of the current project may stand in.
  const auto older = make_older("qmp_older.rvg", true);
  open_declining_upgrade(older);
  EXPECT_EQ(session->open_project_major_release, "");
  EXPECT_EQ(session->open_project_noaa_station, "");
}

TEST_F(ShellTest, AFileThatIsNotAProjectOpensNothing) {
  const auto text_file = path("notes.rvg");
  { std::ofstream(text_file) << "these are not the inlets you are looking for\n"; }
  const auto other_db = path("other.rvg");
  run_sql(other_db, "CREATE TABLE SOMETHING (A TEXT);");
  for (const auto& [f, says] : {std::pair{text_file, "is not a database"}, std::pair{other_db, "no PROJECT table"}}) {
    const std::string before = file_bytes(f);
    desktop.expect_file(f.string());
    desktop.expect_box_containing(says);
    main().menu("mnuopenProj").user_click();
    ASSERT_EQ(desktop.boxes().size(), 1u) << "one box, from the connection";
    EXPECT_EQ(desktop.boxes()[0].icon, Icon::None);
    EXPECT_EQ(file_bytes(f), before);
    EXPECT_EQ(menus(), kNoProject);
    EXPECT_EQ(panel(1), "");
    EXPECT_EQ(panel(2), "");
    EXPECT_EQ(session->open_project_name, "");
    EXPECT_EQ(session->project_db_path, "");
    EXPECT_EQ(main().pointer(), ui::MousePointer::Default);
    desktop.clear_record();
  }
}

TEST_F(ShellTest, ADatabaseWithoutDetailsAsksForThemUntilSaved) {
  const auto f = path("empty.rvg");
  fs::copy_file(fs::path(RG_PROGRAM_DIR) / "Tovrel21.rdb", f);
  desktop.expect_box("No Project Found.  Please Add Project Details");
  desktop.expect_modal("frmProjectNOAA", [](ui::Form& dlg) {
    EXPECT_TRUE(dlg.control("project_id").enabled()) << "add mode";
    dlg.menu("mnuprojexit").user_click();
  });
  desktop.expect_box("Exit without saving? ", Answer::Yes);
  desktop.expect_box("Update Cancelled");
  open_file(f);
  EXPECT_EQ(desktop.boxes().at(0).title, "Quillmere");
  EXPECT_EQ(menus(), kProjectOpen);
  EXPECT_EQ(panel(1), "Project Database - empty.rvg");

  // Update Project Details without details: the same box and dialog again.
  desktop.expect_box("No Project Found.  Please Add Project Details");
  desktop.expect_modal("frmProjectNOAA", fill_and_save("P-1", "Found"));
  desktop.expect_box("Project Details are Saved!");
  main().menu("mnuupdateProj").user_click();
  EXPECT_EQ(session->open_project_name, "Found");

  // Now with details: edit mode, key fields locked.
  desktop.expect_modal("frmProjectNOAA", [](ui::Form& dlg) {
    for (const char* name : {"project_id", "units", "county", "noaa_station"}) {
      EXPECT_FALSE(dlg.control(name).enabled()) << name;
      EXPECT_EQ(dlg.control(name).back_color(), ui::kButtonFace) << name;
    }
    EXPECT_TRUE(dlg.control("project_name").enabled());
    EXPECT_TRUE(dlg.menu("mnuprojcancel").enabled());
    EXPECT_EQ(dlg.control("project_id").text(), "P-1");
    dlg.menu("mnuprojexit").user_click();
  });
  main().menu("mnuupdateProj").user_click();
  EXPECT_EQ(menus(), kProjectOpen);
}

TEST_F(ShellTest, UpdateOfAnOlderProjectShowsTheTwinWithoutStation) {
  const auto f = make_older("older.rvg", false);
  open_declining_upgrade(f);
  desktop.expect_modal("frmProject", [](ui::Form& dlg) {
    EXPECT_EQ(dlg.find("noaa_station"), nullptr);
    EXPECT_FALSE(dlg.control("county").enabled());
    EXPECT_EQ(dlg.control("county").text(), "Albemarle");
    dlg.control("designer").user_edit_text("A. Engineer");
    dlg.menu("mnuprojsave").user_click();
  });
  desktop.expect_box("Project Details are Saved!");
  main().menu("mnuupdateProj").user_click();
  EXPECT_EQ(session->open_project_designer, "A. Engineer");
  EXPECT_EQ(query_rows(f, "SELECT DESIGNER FROM PROJECT"), std::vector<std::string>{"A. Engineer"});
}

// --- The Design loop ------------------------------------------------------------

TEST_F(ShellTest, DesignRefusesWithoutAProjectAndForeignDatabases) {
  desktop.expect_box("Please Select Current Working Project!");
  main().menu("mnuInlet").user_click();
  EXPECT_EQ(desktop.boxes().back().title, "Quillmere");
  EXPECT_TRUE(desktop.modal_forms().empty());

  const auto f = make_current("foreign.rvg");
  run_sql(f, "UPDATE PROJECT SET PRODUCT_NAME = 'OTHERPROGRAM'");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(f);
  desktop.expect_box("This is an Incompatible Project Database! Please use correct version of the database");
  main().menu("mnuInlet").user_click();
  EXPECT_TRUE(desktop.modal_forms().empty());
  desktop.expect_box("Current Project Is Closed!");
  main().menu("mnucloseProj").user_click();

  // A shared project is not asked for its product name.
  const auto shared = make_current("qmp_foreign.rvg");
  run_sql(shared, "UPDATE PROJECT SET PRODUCT_NAME = 'OTHERPROGRAM'");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(shared);
  desktop.expect_modal("frminletflex", [](ui::Form& list) { list.control("cmdflexexit").user_click(); });
  main().menu("mnuInlet").user_click();
  EXPECT_EQ(desktop.modal_forms(), std::vector<std::string>{"frminletflex"});
}

TEST_F(ShellTest, TheDesignLoopShowsTheListUntilTheUserLeavesIt) {
  const auto f = make_current("loop.rvg");
  desktop.expect_box("Project Name: Route 29 Widening");
  open_file(f);

  // An empty list: Refresh stays; the close box ends the loop.
  desktop.expect_modal("frminletflex", [](ui::Form& list) {
    EXPECT_EQ(list.caption(), "Inlets");
    EXPECT_EQ(list.control("Text1").text(), "0");
    list.control("cmdflexrefreshinlet").user_click();
    EXPECT_TRUE(list.is_loaded()) << "an empty list is not reloaded";
    list.unload(ui::UnloadMode::CloseBox);
  });
  main().menu("mnuInlet").user_click();
  EXPECT_EQ(desktop.modal_forms().size(), 1u);
  EXPECT_TRUE(session->design_loop_done);

  // With inlets, Refresh reloads the list, which the loop shows again.
  run_sql(f, "INSERT INTO INLET (INLET_NUMBER) VALUES ('1'), ('2')");
  desktop.clear_record();
  desktop.expect_modal("frminletflex", [](ui::Form& list) { list.control("cmdflexrefreshinlet").user_click(); });
  desktop.expect_modal("frminletflex", [](ui::Form& list) {
    EXPECT_EQ(list.control("Text1").text(), "2");
    list.menu("mnuflexrefresh").user_click();
  });
  desktop.expect_modal("frminletflex", [](ui::Form& list) { list.menu("mnuflexexit").user_click(); });
  main().menu("mnuInlet").user_click();
  EXPECT_EQ(desktop.modal_forms().size(), 3u);
  EXPECT_EQ(session->number_format, "0.000");
}

TEST_F(ShellTest, ExitClosesTheMainWindow) {
  main().menu("mnuexit").user_click();
  EXPECT_TRUE(main().was_unloaded());
}
