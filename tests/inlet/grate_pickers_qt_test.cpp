// The grate pickers as real dialogs: laid out readably, a row picked in the
// list widget and Select pressed by Enter give the picked grate. With
// RG_SHOT_DIR set, each dialog is also saved as a picture to look at.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDialog>
#include <QListWidget>
#include <QTest>

#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

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
  struct Case {
    std::string units, form;
    int row;
    std::string area, perimeter;
  };
  const Case cases[] = {{"ENGLISH", "frmgratetypes", 13, "8.34", "24.50"},
                        {"METRIC", "frmMetricgratetypes", 0, "0.22", "2.74"}};
  for (const Case& k : cases) {
    SCOPED_TRACE(k.form);
    qt::QtDesktop desktop;
    app::Session session(desktop, RG_PROGRAM_DIR);
    session.project.unit_system = k.units;
    bool shown = false;
    qt::testing::when_shown<QDialog>([&](QDialog* dialog) {
      shown = true;
      ui::Form* picker = nullptr;
      for (ui::Form* f : {static_cast<ui::Form*>(&session.form<inlet::FrmGrateTypes>()),
                          static_cast<ui::Form*>(&session.form<inlet::FrmMetricGrateTypes>())}) {
        if (f->is_loaded()) picker = f;
      }
      ASSERT_NE(picker, nullptr);
      EXPECT_EQ(picker->name(), k.form);
      qt::FormWindow* w = desktop.window(*picker);
      ASSERT_NE(w, nullptr);
      EXPECT_EQ(dialog->windowTitle().toStdString(), "DOVI GRATE TYPES");
      EXPECT_THAT(qt::testing::layout_problems(*w), ::testing::IsEmpty());
      auto* list = qobject_cast<QListWidget*>(w->widget("gratetypelist"));
      ASSERT_NE(list, nullptr);
      EXPECT_EQ(list->currentRow(), 0);
      list->setCurrentRow(k.row);
      if (const char* dir = std::getenv("RG_SHOT_DIR")) {
        dialog->grab().save(QString::fromStdString(std::string(dir) + "/" + k.form + ".png"));
      }
      // Enter on the list presses Select.
      QTest::keyClick(list, Qt::Key_Return);
      if (dialog->isVisible()) dialog->close();
    });
    EXPECT_EQ(inlet::show_grate_picker(session), (inlet::GrateOpening{k.area, k.perimeter}));
    EXPECT_TRUE(shown);
  }
}

}  // namespace
