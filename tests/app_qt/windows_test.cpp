// The program's own windows rendered as a user sees them: every control has its
// widget, shown where the form shows it, and nothing overlaps or is cut off.

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "app/help_about.h"
#include "app/main_window.h"
#include "app/project_details.h"
#include "app/project_store.h"
#include "app/project_update.h"
#include "app/session.h"
#include "hydrology/area_dialog.h"
#include "hydrology/hydrology_fixture.h"
#include "hydrology/tc_dialog.h"
#include "inlet/grate_pickers.h"
#include "platform/qt/qt_desktop.h"
#include "qt_test_support.h"
#include "reports/inlet_list.h"
#include "support/sqlite_rows.h"

using namespace rg;
namespace fs = std::filesystem;
namespace lib = rg::app::quillmere_libraries;

namespace {

class ProgramWindows : public ::testing::Test {
 protected:
  void SetUp() override {
    qt::testing::application();
    dir_ = fs::temp_directory_path() / ("rg_windows_" + std::to_string(::getpid()));
    fs::create_directories(dir_);
    session_ = std::make_unique<app::Session>(desktop_, RG_PROGRAM_DIR);
    reports::wire_services(*session_);
  }
  void TearDown() override {
    session_.reset();
    fs::remove_all(dir_);
  }

  // A project file of the current release with details, or an older one, open in
  // the session with the lists its kind uses.
  void open_project(bool current) {
    const fs::path f = dir_ / (current ? "current.rvg" : "older.rvg");
    fs::copy_file(fs::path(RG_PROGRAM_DIR) / "Tovrel21.rdb", f, fs::copy_options::overwrite_existing);
    test::run_sql(f, "INSERT INTO PROJECT (PROJECT_ID, PROJECT_NAME, COUNTY, STATE, UNITS, MAJOR_RELEASE, "
                     "NOAA_STATION) VALUES ('P-1', 'Route 29 Widening', 'Albemarle', 'VA', 'ENGLISH', '" +
                         std::string(current ? "2.1" : "1.0") + "', 'Charlottesville');");
    session_->project.project_db_path = f.string();
    ASSERT_TRUE(lib::open_project_connection(*session_));
    lib::load_project_record(*session_);
    session_->project.project_editing = true;
    current ? lib::open_noaa_lists(*session_) : lib::open_county_list(*session_);
  }

  // Shows the form, checks what a user would see (on a screen of 1024x728 at
  // least), and closes it again.
  void check(ui::Form& form) {
    desktop_.show(form);
    qt::FormWindow* w = desktop_.window(form);
    ASSERT_NE(w, nullptr) << form.name();
    QApplication::processEvents();
    EXPECT_THAT(qt::testing::layout_problems(*w), ::testing::IsEmpty()) << form.name();
    const QSize least = w->window()->minimumSizeHint();
    EXPECT_TRUE(least.width() <= 1024 && least.height() <= 728) << form.name();
    // RG_SHOT_DIR=folder keeps a picture of each window for a look by eye.
    if (const char* shots = std::getenv("RG_SHOT_DIR")) {
      w->window()->grab().save(QString::fromStdString((fs::path(shots) / (form.name() + ".png")).string()));
    }
    form.unload(ui::UnloadMode::Code);
    QApplication::processEvents();
  }

  qt::QtDesktop desktop_;
  std::unique_ptr<app::Session> session_;
  fs::path dir_;
};

}  // namespace

TEST_F(ProgramWindows, SplashMainWindowAboutAndTheInletList) {
  check(session_->form<app::FrmQuillmereSplash>());
  check(session_->form<app::FrmAbout>());
  open_project(true);
  check(session_->form<reports::FrmInletFlex>());
  check(session_->form<reports::FrmInletModify>());
  check(session_->form<app::FrmSoftwareMain>());
}

TEST_F(ProgramWindows, TheDetailsDialogsAndTheUpgrade) {
  open_project(true);
  check(session_->form<app::FrmProjectNOAA>());
  open_project(false);
  check(session_->form<app::FrmProject>());
  check(session_->form<app::FrmProjectUpdate>());
}

TEST_F(ProgramWindows, TheHydrologyDialogsAndTheGratePickers) {
  test::FakeInletForm boxes;
  test::wire_fake_boxes(*session_, boxes);
  session_->project.unit_system = "ENGLISH";
  check(session_->form<hydrology::FrmTc>());
  check(session_->form<hydrology::FrmAreaV2>());
  check(session_->form<hydrology::FrmArea>());
  check(session_->form<inlet::FrmGrateTypes>());
  session_->project.unit_system = "METRIC";
  check(session_->form<inlet::FrmMetricGrateTypes>());
}
