// The drainage-area dialogs on the scripted desktop, writing into a stand-in
// for the inlet design form. W7 (15-row table, English): paved 1.25 ac at
// C 0.90, lawns 0.8 ac with C 0.4 clamped to 0.35, shoulder 0.333 ac with C
// emptied to 0.35: C x A 1.125 + 0.28 + 0.11655 = 1.52155 over 2.383 ac.

#include <gtest/gtest.h>

#include "fake_inlet_boxes.h"
#include "hydrology/area_dialog.h"

namespace rg::test {
namespace {

constexpr const char* kW7Areas = ",,,,,,,,1.250,,,0.800,,,0.333";
constexpr const char* kW7Cs = "0.80,0.65,0.50,0.40,0.40,0.35,0.30,0.20,0.90,0.50,0.35,0.35,0.20,0.40,0.35";

struct AreaDialog : HydrologyDialogTest {
  void select_side(int side) { session.handover.area_side = side == 1 ? app::AreaSide::side1 : app::AreaSide::side2; }
};

TEST_F(AreaDialog, EachSideSavesItsRowsTotalsAndDischargeAndReopensAsLeft) {
  for (const int side : {1, 2}) {
    const std::size_t s = side - 1;
    boxes.flow = {.cf = "1.0", .intensity = "4.156", .carryover = {"0", ""}, .sump = side == 2};
    select_side(side);
    auto& dialog = session.form<hydrology::FrmAreaV2>();
    run(dialog, [](ui::Form& f) {
      enter(f, "Area8", "1.25");
      enter(f, "Area11", "0.8");
      enter(f, "Cval11", "0.4");
      enter(f, "Area14", "0.333");
      enter(f, "Cval14", "");
      click(f, "cmdcomputearea");
      EXPECT_EQ(f.control("Cval11").text(), "0.35");
      EXPECT_EQ(f.control("Cval14").text(), "0.35");
      EXPECT_EQ(f.control("CA11").text(), "0.28");
      EXPECT_EQ(f.control("TAREA").text(), "2.383");
      EXPECT_EQ(f.control("TCA").text(), "1.52155");
      click(f, "cmdsavearea");
    });
    EXPECT_EQ(boxes.flow.area_str[s], kW7Areas) << side;
    EXPECT_EQ(boxes.flow.c_str[s], kW7Cs) << side;
    EXPECT_EQ(boxes.flow.total_area[s], "2.383") << side;
    EXPECT_EQ(boxes.flow.total_ca[s], "1.522") << side;
    // 1.522 x 4.156 x 1.0; side 1 of the sag has no area.
    EXPECT_EQ(boxes.flow.discharge[s], "6.325") << side;
    EXPECT_EQ(boxes.flow.qtotal, "6.325") << side;

    run(dialog, [](ui::Form& f) {
      EXPECT_EQ(f.control("Area8").text(), "1.250");
      EXPECT_EQ(f.control("CA14").text(), "0.11655");
      EXPECT_EQ(f.control("TCA").text(), "1.52155");
      click(f, "cmdcancelarea");
    });
    select_side(3 - side);
    run(dialog, [](ui::Form& f) {
      EXPECT_EQ(f.control("Area8").text(), "");
      EXPECT_EQ(f.control("TAREA").text(), "0");
      click(f, "cmdcancelarea");
    });
  }
}

// Texts saved under the other table, or cut short, fill the rows they have; a
// stored C outside its row's range (0.80 - 0.90, 0.65 - 0.75) is brought to the
// bound and a negative area left out, so C x A and the totals use what is
// shown; a box says so; nothing is written until the user saves.
TEST_F(AreaDialog, StoredTextsOfAnotherTableFillTheRowsTheyHave) {
  const struct {
    std::string areas;
    std::string cs;
    const char* said;
    const char* area1;
    const char* c1;
    const char* ca1;
    const char* total_ca;
  } cases[] = {
      // 2 x 0.90 + 1 x 0.65
      {"2.000,1.000" + std::string(22, ','), "0.95,0.55" + std::string(22, ','),
       "they hold 24 rows, this table has 15. The rows that fit are shown. A stored C outside", "1.000", "0.65",
       "0.65", "2.45"},
      // 2 x 0.80 + 1 x 0.65
      {"2.000,1.000", "", "they hold 2 rows, this table has 15", "1.000", "0.65", "0.65", "2.25"},
      // 2 x 0.80
      {"2.000,-5.000" + std::string(13, ','), "0.10" + std::string(kW7Cs).substr(4),
       "A stored C outside its row's range was brought to the range's bound. A stored area that is negative",
       "", "0.65", "", "1.6"},
  };
  for (const auto& c : cases) {
    select_side(1);
    boxes.flow = {.area_str = {c.areas, ""}, .c_str = {c.cs, ""}, .total_area = {"9.9", ""}};
    const auto before = boxes.flow;
    desktop.expect_box_containing(c.said);
    run(session.services.area_dialog(), [&c](ui::Form& f) {
      EXPECT_EQ(f.control("Area1").text(), c.area1) << c.said;
      EXPECT_EQ(f.control("Cval1").text(), c.c1) << c.said;
      EXPECT_EQ(f.control("CA1").text(), c.ca1) << c.said;
      EXPECT_EQ(f.control("TCA").text(), c.total_ca) << c.said;
      click(f, "cmdcancelarea");
    });
    EXPECT_EQ(boxes.flow, before);
  }
}

// A pasted negative area is refused in its box; two areas of 1E+308 have no
// total, and SAVE hands nothing over.
TEST_F(AreaDialog, AreasWithoutATotalAreRefused) {
  select_side(1);
  desktop.expect_box("The area of \"Schools\" cannot be negative.");
  desktop.expect_box("The total area is too large to be a number: check the areas.");  // leaving Area3
  desktop.expect_box("The total area is too large to be a number: check the areas.");  // SAVE
  run(session.services.area_dialog(), [](ui::Form& f) {
    enter(f, "Area2", "-5");
    EXPECT_FALSE(f.user_move_focus(f.control("Area3")));
    EXPECT_EQ(f.control("CA2").text(), "");
    enter(f, "Area2", "1e308");
    enter(f, "Area3", "1e308");
    click(f, "cmdsavearea");
    EXPECT_EQ(f.control("TAREA").text(), "");
    EXPECT_EQ(f.control("TCA").text(), "");
    click(f, "cmdcancelarea");
  });
  EXPECT_EQ(boxes.flow, hyd::FlowData{});
}

}  // namespace
}  // namespace rg::test
