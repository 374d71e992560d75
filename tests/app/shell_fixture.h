#pragma once
// A session on the scripted desktop, with the program's data files, a scratch
// folder for project files, and helpers that make project databases of the
// current and of older releases.

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "app/session.h"
#include "inlet/inlet_form.h"
#include "platform/ui/scripted_desktop.h"
#include "reports/inlet_list.h"
#include "support/sqlite_rows.h"

namespace rg::test {

namespace fs = std::filesystem;

inline std::string file_bytes(const fs::path& f) {
  std::ifstream in(f, std::ios::binary);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

inline std::vector<std::string> project_columns(const fs::path& f) {
  std::vector<std::string> names;
  for (const auto& row : query_rows(f, "SELECT name FROM pragma_table_info('PROJECT')")) names.push_back(row);
  return names;
}

class ShellTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    dir_ = fs::temp_directory_path() /
           ("rg_shell_" + std::to_string(::getpid()) + "_" + info->test_suite_name() + "_" + info->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    start(RG_PROGRAM_DIR);
  }
  void TearDown() override {
    for (const auto& f : desktop.failures()) ADD_FAILURE() << f;
    session.reset();
    fs::remove_all(dir_);
  }

  // A fresh session whose program folder is the given one, with its main window
  // loaded and shown.
  void start(const fs::path& program_dir) {
    session = std::make_unique<app::Session>(desktop, program_dir);
    reports::wire_services(*session);
    inlet::wire_services(*session);
    desktop.show(main());
    desktop.clear_record();
  }

  app::FrmSoftwareMain& main() { return session->form<app::FrmSoftwareMain>(); }
  std::string panel(int n) { return main().status_bar()->panel(n).text; }
  // Create, Open, Update, Close enabled?
  std::vector<bool> menus() {
    auto& m = main();
    return {m.menu("mnucreateProj").enabled(), m.menu("mnuopenProj").enabled(), m.menu("mnuupdateProj").enabled(),
            m.menu("mnucloseProj").enabled()};
  }

  fs::path path(const std::string& name) const { return dir_ / name; }

  // A database of an older release: without NOAA_STATION, and for a shared
  // project without the five columns the upgrade adds.
  fs::path make_older(const std::string& name, bool shared_kind, const std::string& project_name = "Old Project",
                      const std::string& units = "ENGLISH") {
    const fs::path f = path(name);
    std::string sql =
        "CREATE TABLE PROJECT (PROJECT_ID TEXT, PROJECT_NAME TEXT, DESCRIPTION TEXT, LOCATION TEXT, COUNTY TEXT, "
        "STATE TEXT, UNITS TEXT, DESIGNER TEXT";
    sql += shared_kind ? ");" : ", PRODUCT_NAME TEXT(20), MAJOR_RELEASE TEXT(10), MINOR_RELEASE TEXT(10), "
                                "RELEASE_DATE TEXT(10));";
    sql += "CREATE TABLE INLET (INLET_NUMBER TEXT COLLATE NOCASE, ROADWAY TEXT, QCARRY TEXT);";
    if (!project_name.empty()) {
      sql += shared_kind ? "INSERT INTO PROJECT VALUES ('P-7', '" + project_name +
                               "', 'd', 'l', 'Albemarle', 'VA', '" + units + "', 'Designer');"
                         : "INSERT INTO PROJECT VALUES ('P-7', '" + project_name + "', 'd', 'l', 'Albemarle', 'VA', '" +
                               units + "', 'Designer', 'RAVELGRIT', '1.0', '0.0', 'MAY 2009');";
    }
    run_sql(f, sql);
    return f;
  }

  // A current project file with details, made from the template.
  fs::path make_current(const std::string& name, const std::string& project_name = "Route 29 Widening",
                        const std::string& units = "ENGLISH") {
    const fs::path f = path(name);
    fs::copy_file(fs::path(RG_PROGRAM_DIR) / "Tovrel21.rdb", f, fs::copy_options::overwrite_existing);
    run_sql(f, "INSERT INTO PROJECT (PROJECT_ID, PROJECT_NAME, COUNTY, STATE, UNITS, DESIGNER, MAJOR_RELEASE, "
               "NOAA_STATION) VALUES ('P-1', '" + project_name + "', 'Albemarle', 'VA', '" + units +
               "', 'J. Doe', '2.1', 'Charlottesville');");
    return f;
  }

  // Opens a file through the File menu.
  void open_file(const fs::path& f) {
    desktop.expect_file(f.string());
    main().menu("mnuopenProj").user_click();
  }

  // Opens a file of an older release, declining its upgrade.
  void open_declining_upgrade(const fs::path& f, const std::string& project_name = "Old Project") {
    desktop.expect_box(kConvertQuestion, ui::Answer::No);
    desktop.expect_box("Project Name: " + project_name);
    open_file(f);
  }

  static constexpr const char* kConvertQuestion =
      "Would you like to convert the current database version to comply with new DOVI Drainage Manual to include "
      "NOAA Stations?";

  ui::ScriptedDesktop desktop;
  std::unique_ptr<app::Session> session;

 private:
  fs::path dir_;
};

}  // namespace rg::test
