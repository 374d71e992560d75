// The grate pickers as the user meets them: opened from the design form, a row
// picked, Select or Cancel.

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>

#include "app/session.h"
#include "inlet/grate_pickers.h"
#include "platform/ui/scripted_desktop.h"

using namespace rg;
using inlet::GrateOpening;

namespace {

class GratePickers : public ::testing::Test {
 protected:
  void open(const std::string& units) {
    session = std::make_unique<app::Session>(desktop, RG_PROGRAM_DIR);
    session->project.unit_system = units;
  }
  void TearDown() override {
    for (const auto& f : desktop.failures()) ADD_FAILURE() << f;
  }
  ui::ScriptedDesktop desktop;
  std::unique_ptr<app::Session> session;
};

TEST_F(GratePickers, SelectGivesTheRowsAreaAndPerimeterAsPrinted) {
  struct Case {
    std::string units, form;
    int row;  // -1: Select at once
    std::string area, perimeter;
  };
  // The English picker's first row, Select at once, is met through the design form.
  const Case cases[] = {
      {"METRIC", "frmMetricgratetypes", -1, "0.22", "2.74"},
      {"ENGLISH", "frmgratetypes", 13, "8.34", "24.50"},
      {"ENGLISH", "frmgratetypes", 12, "11.24", "24.50"},
      {"METRIC", "frmMetricgratetypes", 16, "1.46", "9.91"},
      {"", "frmMetricgratetypes", 1, "0.56", "3.90"},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.form + " row " + std::to_string(k.row));
    open(k.units);
    desktop.expect_modal(k.form, [&](ui::Form& picker) {
      if (k.row >= 0) picker.control("gratetypelist").user_select(k.row);
      picker.control("gtselect").user_click();
    });
    EXPECT_EQ(inlet::show_grate_picker(*session), (GrateOpening{k.area, k.perimeter}));
  }
}

// Select without a row asks for one and stays open; Cancel gives nothing, also
// after a showing that gave a grate; the next showing starts at the top again.
TEST_F(GratePickers, CancelGivesNothingAndSelectNeedsARow) {
  open("ENGLISH");
  desktop.expect_box("Please Select an Inlet Type!");
  desktop.expect_modal("frmgratetypes", [](ui::Form& picker) {
    auto& list = picker.control("gratetypelist");
    list.set_list_index(-1);
    list.fill_text("");
    picker.control("gtselect").user_click();
    EXPECT_TRUE(picker.is_loaded());
    list.user_select(9);
    picker.control("gtcancel").user_click();
  });
  EXPECT_EQ(inlet::show_grate_picker(*session), std::nullopt);
  ASSERT_EQ(desktop.boxes().size(), 1u);
  EXPECT_EQ(desktop.boxes()[0].icon, ui::Icon::Information);
  EXPECT_EQ(desktop.boxes()[0].title, "");

  desktop.expect_modal("frmgratetypes", [](ui::Form& picker) { picker.control("gtselect").user_click(); });
  EXPECT_EQ(inlet::show_grate_picker(*session), (GrateOpening{"2.33", "9.00"}));
  desktop.expect_modal("frmgratetypes", [](ui::Form& picker) { picker.control("gtcancel").user_click(); });
  EXPECT_EQ(inlet::show_grate_picker(*session), std::nullopt);
}

}  // namespace
