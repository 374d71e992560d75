// The program's own windows rendered as a user sees them: every control has its
// widget, shown where the form shows it, nothing overlaps or is cut off, and
// each fits a screen of 1024x728.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

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
#include "support/scratch_dir.h"
#include "support/sqlite_rows.h"

using namespace rg;

namespace {

class ProgramWindows : public test::ScratchTest {
 protected:
  // A project file of the current release with details, or an older one, open in
  // the session with the lists its kind uses.
  void open_project(bool current) {
    const std::filesystem::path f = dir / (current ? "current.rvg" : "older.rvg");
    test::make_project(f, "ENGLISH", current ? "2.1" : "1.0");
    session.project.project_db_path = f.string();
    ASSERT_TRUE(rg::app::quillmere_libraries::open_project_connection(session));
    rg::app::quillmere_libraries::load_project_record(session);
    session.project.project_editing = true;
    current ? rg::app::quillmere_libraries::open_noaa_lists(session)
            : rg::app::quillmere_libraries::open_county_list(session);
  }

  // Shows the form, checks what a user would see, and closes it again.
  void check(ui::Form& form) {
    desktop.show(form);
    qt::FormWindow* w = desktop.window(form);
    ASSERT_NE(w, nullptr) << form.name();
    QApplication::processEvents();
    EXPECT_THAT(qt::testing::layout_problems(*w), ::testing::IsEmpty()) << form.name();
    EXPECT_TRUE(QRect(0, 0, 1024, 728).contains(QRect({}, w->window()->minimumSizeHint()))) << form.name();
    form.unload(ui::UnloadMode::Code);
  }

  QApplication& app = qt::testing::application();
  qt::QtDesktop desktop;
  app::Session session{desktop, RG_PROGRAM_DIR};
};

}  // namespace

TEST_F(ProgramWindows, AreLaidOutAsAUserSeesThem) {
  reports::wire_services(session);
  check(session.form<app::FrmQuillmereSplash>());
  check(session.form<app::FrmAbout>());
  open_project(true);
  check(session.form<reports::FrmInletFlex>());
  check(session.form<reports::FrmInletModify>());
  check(session.form<app::FrmProjectNOAA>());
  check(session.form<app::FrmSoftwareMain>());
  open_project(false);
  check(session.form<app::FrmProject>());
  check(session.form<app::FrmProjectUpdate>());
  test::FakeInletForm boxes;
  test::wire_fake_boxes(session, boxes);
  check(session.form<hydrology::FrmTc>());
  check(session.form<hydrology::FrmAreaV2>());
  check(session.form<hydrology::FrmArea>());
  check(session.form<inlet::FrmGrateTypes>());
  session.project.unit_system = "METRIC";
  check(session.form<inlet::FrmMetricGrateTypes>());
}
