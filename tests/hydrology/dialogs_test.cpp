// The rainfall procedures and the drainage-area and time-of-concentration
// dialogs on the scripted desktop, writing into a stand-in for the inlet design
// form: the worked discharges, a look-up that finds nothing, and the dialogs.
//
// Area, W7 (15-row table, English): paved 1.25 ac at C 0.90, lawns 0.8 ac with
// C 0.4 clamped to 0.35, shoulder 0.333 ac with C emptied to 0.35: C x A
// 1.125 + 0.28 + 0.11655 = 1.52155 over 2.383 ac.
//
// Tc: the worked values W4 (kinematic wave 10.705), W5 (gutter flow 1.777) and
// W6 (Kirpich 5.082); Kirpich with H 20, L 1000 gives 7.454.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "hydrology/area_dialog.h"
#include "hydrology/tc_dialog.h"
#include "hydrology_fixture.h"

namespace rg::test {
namespace {

struct Computations : HydrologyDialogTest {};

TEST_F(Computations, WorkedDischarges) {
  const struct {
    hyd::FlowData in;
    Texts out;  // the two discharges and the total
    const char* said = nullptr;
  } cases[] = {
      {{.cf = "1.1", .total_ca = {"2.5", ""}, .intensity = "5.123", .carryover = {"1.2", ""}, .discharge = {"", "9.9"}},
       {"14.088", "9.9", "15.288"}},
      // Both sides of a sag, the total of the unrounded discharges, are walked
      // in the scenarios; no intensity is met below, after a failed look-up.
      {{.total_ca = {"1.0", ""}, .intensity = "5.0", .discharge = {"5.000", ""}, .qtotal = "5.000"}, {"", "", ""},
       "The frequency factor Cf holds no number: the discharge cannot be computed."},
  };
  session.number_format = "0.000";
  for (const auto& c : cases) {
    boxes.flow = c.in;
    if (c.said) desktop.expect_box(c.said);
    session.services.compute_discharge();
    const auto& w = boxes.flow;
    EXPECT_EQ((Texts{w.discharge[0], w.discharge[1], w.qtotal}), c.out);
    EXPECT_EQ(w.carryover[1], "0.0");
  }
}

// The rainfall file a project's kind reads, and a station's intensity, are
// worked through the scenarios. What the look-up does not find is said and
// leaves no intensity and no discharge.
TEST_F(Computations, ARainfallLookUpThatFindsNothingLeavesNoIntensity) {
  open_station_file("Atlantis");
  boxes.flow = {.cf = "1.0", .tc = "60", .total_ca = {"1.0", ""}, .intensity = "4.000", .qtotal = "4.000"};
  desktop.expect_box(
      "The rainfall data hold no row for the NOAA station \"Atlantis\": the rainfall intensity cannot be computed.");
  EXPECT_FALSE(session.services.compute_intensity(10));
  session.services.compute_discharge();
  EXPECT_EQ((Texts{boxes.flow.intensity, boxes.flow.qtotal}), (Texts{"", ""}));
}

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
    desktop.expect_box("The C of \"Shoulder and Ditch Areas\" is not a number; it is taken as 0.35, the low end of its "
                       "range.");
    run(dialog, [](ui::Form& f) {
      type(f, "Area8", "1.25");
      type(f, "Area11", "0.8\n");  // as copied from a spreadsheet cell
      type(f, "Cval11", "0.4");
      type(f, "Area14", "0.333");
      type(f, "Cval14", "");
      press(f, "cmdcomputearea");
      EXPECT_EQ(texts(f, {"Cval11", "Cval14", "CA11", "TAREA", "TCA"}),
                (Texts{"0.35", "0.35", "0.28", "2.383", "1.52155"}));
      press(f, "cmdsavearea");
    });
    const auto& w = boxes.flow;
    // Q = 1.522 x 4.156 x 1.0; side 1 of the sag has no area.
    EXPECT_EQ((Texts{w.area_str[s], w.c_str[s], w.total_area[s], w.total_ca[s], w.discharge[s], w.qtotal}),
              (Texts{kW7Areas, kW7Cs, "2.383", "1.522", "6.325", "6.325"})) << side;
    run(dialog, [](ui::Form& f) {
      EXPECT_EQ(texts(f, {"Area8", "CA14", "TCA"}), (Texts{"1.250", "0.11655", "1.52155"}));
      press(f, "cmdcancelarea");
    });
    select_side(3 - side);
    run(dialog, [](ui::Form& f) {
      EXPECT_EQ(texts(f, {"Area8", "TAREA"}), (Texts{"", "0"}));
      press(f, "cmdcancelarea");
    });
  }
}

// Texts saved under the other table fill the rows they have; a stored C
// outside its row's range (0.80 - 0.90, 0.65 - 0.75) is brought to the bound
// and a negative area left out, so C x A and the total use what is shown
// (2 x 0.90); a box says so; nothing is written until the user saves.
TEST_F(AreaDialog, StoredTextsOfAnotherTableFillTheRowsTheyHave) {
  select_side(1);
  boxes.flow = {.area_str = {"2.000,-5.000" + std::string(22, ','), ""},
                .c_str = {"0.95,0.55" + std::string(22, ','), ""}, .total_area = {"9.9", ""}};
  const auto before = boxes.flow;
  desktop.expect_box_containing("they hold 24 rows, this table has 15. The rows that fit are shown. A stored C "
                                "outside its row's range was brought to the range's bound. A stored area that is "
                                "negative");
  run(session.services.area_dialog(), [](ui::Form& f) {
    EXPECT_EQ(texts(f, {"Area0", "Cval0", "Area1", "Cval1", "CA1", "TCA"}),
              (Texts{"2.000", "0.90", "", "0.65", "", "1.8"}));
    press(f, "cmdcancelarea");
  });
  EXPECT_EQ(boxes.flow, before);
}

// A pasted area that is negative or no number is refused in its box, and a
// pasted C that the key filter could not have typed, each named by its land
// use; two areas of 1E+308 have no total, and SAVE hands nothing over; CANCEL
// closes over a refused box.
TEST_F(AreaDialog, AreasWithoutATotalAreRefused) {
  select_side(1);
  desktop.expect_box("Schools: \"-3\" cannot be entered here. Please enter digits with at most one decimal point.");
  desktop.expect_box("The area of \"Schools\" cannot be negative.");
  desktop.expect_box("Schools: \"1,234.5\" is not a number. Please enter a number.");
  desktop.expect_box("The total area is too large to be a number: check the areas.");  // leaving Area3
  desktop.expect_box("The total area is too large to be a number: check the areas.");  // SAVE
  run(session.services.area_dialog(), [](ui::Form& f) {
    paste(f, "Cval2", "-3");
    EXPECT_EQ(f.control("Cval2").text(), "0.50");
    for (const char* pasted : {"-5", "1,234.5"}) {
      type(f, "Area2", pasted);
      EXPECT_FALSE(f.user_move_focus(f.control("Area3")));
      EXPECT_EQ(f.control("CA2").text(), "");
    }
    const std::string huge = "1" + std::string(308, '0');
    type(f, "Area2", huge);
    type(f, "Area3", huge);
    press(f, "cmdsavearea");
    EXPECT_EQ(texts(f, {"TAREA", "TCA"}), (Texts{"", ""}));
    type(f, "Area3", "-1.5");
    press(f, "cmdcancelarea");
  });
  EXPECT_EQ(boxes.flow, hyd::FlowData{});
}

using ui::Answer;

// W4 to W6 as saved from an English project, Seeley untouched.
constexpr const char* kWorked =
    "80.000,20.400,20.000,0.0050,Sparce Vegetation (0.05 - 0.13),0.13,10.705,250.000,15.000,13.000,0.0080,0.016,"
    "0.150,1.777,0.000,0.0,0.0,,Paved,0.9,0.0,12.000,600.000,Natural basin with well defined channel,1.0,5.082,"
    "17.564";

// As stored before Kirpich's segment was added (fields 22, 23, 26 and 27).
constexpr const char* kBeforeKirpich =
    "80.000,20.400,20.000,0.0050,Sparce Vegetation (0.05 - 0.13),0.13,10.705,250.000,15.000,13.000,0.0080,0.016,"
    "0.150,1.777,0.000,0.0,0.0,,Paved,0.9,0.0,0.0,0.0,Natural basin with well defined channel,1.0,0.0,12.482";

struct TcDialog : HydrologyDialogTest {
  hydrology::FrmTc& dialog() { return session.form<hydrology::FrmTc>(); }
  // Opened as the design form's COMPUTE Tc opens it: whether its Tc was taken.
  bool take(std::function<void(ui::Form&)> script) {
    desktop.expect_modal(dialog().name(), std::move(script));
    return session.services.tc_dialog();
  }
  void store(const std::string& tcstr, const std::string& options) {
    boxes.flow.tc_str = tcstr;
    boxes.flow.tc_option_str = options;
  }
};

TEST_F(TcDialog, OpensAsStoredAndSaveHandsTheTotalIntensityAndDischargeBack) {
  // The 10-year storm of Stuart's Draft: B 41.822, D 10.0, E 0.6753.
  open_station_file("Stuart's Draft");
  boxes.flow = {.storm_frequency = "10", .cf = "1.0", .tc = "5.0", .total_ca = {"1.522", ""}, .carryover = {"0", ""}};
  store(kBeforeKirpich, "1,1,0,0");
  EXPECT_TRUE(take([](ui::Form& f) {
    EXPECT_EQ(f.control("CheckTc1").value(), 1);
    EXPECT_EQ(texts(f, {"txtTc1", "txtTc2", "computedTc"}), (Texts{"10.705", "1.777", "12.482"}));
    type(f, "txtoutlet_height", "12");
    type(f, "txttravel_length", "600");
    press(f, "CheckTc4");
    EXPECT_EQ(f.control("computedTc").text(), "17.564");
    press(f, "cmdsaveTc");
  }));
  EXPECT_FALSE(dialog().is_loaded());
  const auto& w = boxes.flow;
  EXPECT_EQ(w.tc_computed, 1);
  // I = 41.822 / (17.564 + 10)^0.6753 = 4.454; Q = 1.522 x 4.454 x 1.0.
  EXPECT_EQ((Texts{w.tc, w.tc_str, w.tc_option_str, w.intensity, w.discharge[0], w.qtotal}),
            (Texts{"17.564", kWorked, "1,1,0,1", "4.454", "6.779", "6.779"}));
}

// An included segment's time and the total follow its inputs as they are left,
// so the total shown is the one SAVE Tc hands over. Seeley, C 0.9: L 20, S 0.05
// gives 0.225 x 3.519108 x 1.766834 / 0.9 = 1.554; L 150, S 0.02 gives
// 0.225 x 8.202728 x 2.102831 / 0.9 = 4.312. Equal elevations give no time
// until SAVE Tc refuses the segment. A pasted number the boxes' key filter
// could not have let in is refused; a spreadsheet cell's line end is not.
TEST_F(TcDialog, TheTotalShownIsTheOneSaveHandsOver) {
  desktop.expect_box_containing("\"1e3\" cannot be entered here.");
  desktop.expect_box("Compute Error!  Upper Elevation is lower than Lower Elevation");
  run(dialog(), [](ui::Form& f) {
    type(f, "flow_distance3", "20");
    type(f, "upper_elevation3", "101");
    type(f, "lower_elevation3", "100");
    press(f, "CheckTc3");
    EXPECT_EQ(f.control("computedTc").text(), "1.554");
    type(f, "flow_distance3", "150");
    type(f, "upper_elevation3", "103");
    type(f, "txtoutlet_height", "20\n");
    paste(f, "txttravel_length", "1e3");
    EXPECT_EQ(f.control("txttravel_length").text(), "0.0");
    paste(f, "txttravel_length", "1000\r\n");
    press(f, "CheckTc4");
    EXPECT_EQ(f.control("computedTc").text(), "11.766");  // 4.312 + 7.454
    type(f, "lower_elevation3", "103");
    focus(f, "rational_C_value");
    EXPECT_EQ(texts(f, {"slope3", "txtTc3", "computedTc"}), (Texts{"0.0000", "", ""}));
    press(f, "cmdsaveTc");
    EXPECT_EQ(f.control("CheckTc3").value(), 0);
    EXPECT_EQ(f.control("computedTc").text(), "7.454");
    press(f, "cmdsaveTc");
  });
  EXPECT_EQ(boxes.flow.tc, "7.454");
}

// Cancel in the question keeps the dialog open; its CANCEL then writes
// nothing, and the dialog's Tc is not taken.
TEST_F(TcDialog, ATotalOfFiveMinutesOrLessAsksForTheDefault) {
  for (const Answer answer : {Answer::OK, Answer::Cancel}) {
    boxes.flow = {.tc = "7.5", .tc_computed = 1};
    const auto before = boxes.flow;
    desktop.expect_box("Computed Tc < 5 min, Default 5 Min will be used", answer);
    const bool taken = take([answer](ui::Form& f) {
      press(f, "cmdsaveTc");
      EXPECT_EQ(f.is_loaded(), answer == Answer::Cancel);
      if (f.is_loaded()) press(f, "cmdcancelTc");
    });
    EXPECT_EQ(taken, answer == Answer::OK);
    EXPECT_EQ(boxes.flow, answer == Answer::OK ? hyd::FlowData{.tc = "5.0"} : before);
  }
}

// A segment stored beyond its method's length limit (Seeley, 61 m in a metric
// project) is not computed when the dialog opens: the limit is said and the
// segment is switched off.
TEST_F(TcDialog, AStoredSegmentBeyondItsLimitIsFlaggedAtOpen) {
  session.project.unit_system = "METRIC";
  // Seeley's segment stored 61.5 m long from 10.0 to 9.0 (fields 15 to 17).
  std::string stored = kWorked;
  store(stored.replace(stored.find(",0.000,0.0,0.0,"), 15, ",61.5000,10.0,9.0,"), "0,0,1,0");
  desktop.expect_box("Maximum Flow Distance must be less than  61 m!");
  // The distance has the focus at open: leaving it says the limit again.
  desktop.expect_box("Maximum Flow Distance must be less than  61 m!");
  run(dialog(), [](ui::Form& f) {
    EXPECT_EQ(f.control("CheckTc3").value(), 0);
    EXPECT_EQ(f.control("txtTc3").text(), "0.0");
    f.send_tab();
    press(f, "cmdcancelTc");
  });
}

}  // namespace
}  // namespace rg::test
