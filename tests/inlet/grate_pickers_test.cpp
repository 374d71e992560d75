// The grate pickers as the user meets them: opened from the design form, a row
// picked, Select or Cancel; the design form's boxes stand in as a recorder.

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "app/session.h"
#include "inlet/recorded_boxes.h"
#include "inlet/grate_pickers.h"
#include "platform/ui/scripted_desktop.h"

using namespace rg;
using test::RecordedBoxes;

namespace {

class GratePickers : public ::testing::Test {
 protected:
  void open(const std::string& units) {
    session = std::make_unique<app::Session>(desktop, RG_PROGRAM_DIR);
    session->project.unit_system = units;
    session->services.inlet_boxes = [this]() -> app::InletBoxes& { return boxes; };
  }
  void TearDown() override {
    for (const auto& f : desktop.failures()) ADD_FAILURE() << f;
  }
  using Writes = RecordedBoxes::Writes;

  ui::ScriptedDesktop desktop;
  RecordedBoxes boxes;
  std::unique_ptr<app::Session> session;
};

TEST_F(GratePickers, SelectWritesTheRowsAreaThenPerimeterAsPrinted) {
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
    boxes.writes.clear();
    desktop.expect_modal(k.form, [&](ui::Form& picker) {
      if (k.row >= 0) picker.control("gratetypelist").user_select(k.row);
      picker.control("gtselect").user_click();
    });
    inlet::show_grate_picker(*session);
    EXPECT_EQ(boxes.writes, (Writes{{"txtArea", k.area}, {"txtPeri", k.perimeter}}));
  }
}

// Select without a row asks for one and stays open; Cancel writes nothing; the
// next showing starts at the top again.
TEST_F(GratePickers, CancelWritesNothingAndSelectNeedsARow) {
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
  inlet::show_grate_picker(*session);
  EXPECT_TRUE(boxes.writes.empty());
  ASSERT_EQ(desktop.boxes().size(), 1u);
  EXPECT_EQ(desktop.boxes()[0].icon, ui::Icon::Information);
  EXPECT_EQ(desktop.boxes()[0].title, "");

  desktop.expect_modal("frmgratetypes", [](ui::Form& picker) { picker.control("gtselect").user_click(); });
  inlet::show_grate_picker(*session);
  EXPECT_EQ(boxes.writes, (Writes{{"txtArea", "2.33"}, {"txtPeri", "9.00"}}));
}

}  // namespace
