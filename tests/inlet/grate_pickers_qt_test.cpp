// The grate pickers as real dialogs: laid out readably, and a row picked in the
// list widget and Enter (which presses Select) give the picked grate.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QListWidget>
#include <QTest>

#include <string>

#include "app/session.h"
#include "inlet/grate_pickers.h"
#include "layout_check.h"
#include "platform/qt/form_window.h"
#include "platform/qt/qt_desktop.h"
#include "qt_test_support.h"

using namespace rg;

namespace {

TEST(GratePickerWindows, LaidOutAndSelectWritesThePickedRow) {
  qt::testing::application();
  const struct {
    std::string units;
    int row;
    inlet::GrateOpening picked;
  } cases[] = {{"ENGLISH", 13, {"8.34", "24.50"}}, {"METRIC", 0, {"0.22", "2.74"}}};
  for (const auto& k : cases) {
    SCOPED_TRACE(k.units);
    qt::QtDesktop desktop;
    app::Session session(desktop, RG_PROGRAM_DIR);
    session.project.unit_system = k.units;
    ui::Form& picker = k.units == "ENGLISH" ? static_cast<ui::Form&>(session.form<inlet::FrmGrateTypes>())
                                            : session.form<inlet::FrmMetricGrateTypes>();
    bool shown = false;
    qt::testing::when_shown<QDialog>([&](QDialog* dialog) {
      shown = true;
      qt::FormWindow* w = desktop.window(picker);
      ASSERT_NE(w, nullptr);
      EXPECT_THAT(qt::testing::layout_problems(*w), ::testing::IsEmpty());
      auto* list = qobject_cast<QListWidget*>(w->widget("gratetypelist"));
      ASSERT_NE(list, nullptr);
      list->setCurrentRow(k.row);
      QTest::keyClick(list, Qt::Key_Return);
      if (dialog->isVisible()) dialog->close();  // Enter missed Select: no grate, and no hang
    });
    EXPECT_EQ(inlet::show_grate_picker(session), k.picked);
    EXPECT_TRUE(shown);
  }
}

}  // namespace
