// The time-of-concentration dialog on the scripted desktop, writing into a
// stand-in for the inlet design form. Times are the worked values W4 (kinematic
// wave 10.705), W5 (gutter flow 1.777) and W6 (Kirpich 5.082); Kirpich with
// H 20, L 1000 gives 7.454.

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>
#include <vector>

#include "fake_inlet_boxes.h"
#include "hydrology/tc_dialog.h"
#include "platform/db/connection.h"

namespace rg::test {
namespace {

using ui::Answer;

// W4 to W6 as saved from an English project, Seeley untouched.
constexpr const char* kWorked =
    "80.000,20.400,20.000,0.0050,Sparce Vegetation (0.05 - 0.13),0.13,10.705,250.000,15.000,13.000,0.0080,0.016,"
    "0.150,1.777,0.000,0.0,0.0,,Paved,0.9,0.0,12.000,600.000,Natural basin with well defined channel,1.0,5.082,"
    "17.564";

std::vector<std::string> fields(const std::string& s) {
  std::vector<std::string> out;
  std::stringstream in(s);
  for (std::string f; std::getline(in, f, ',');) out.push_back(f);
  if (!s.empty() && s.back() == ',') out.emplace_back();
  return out;
}

// kWorked with some fields (numbered from 1) replaced.
std::string worked_with(std::initializer_list<std::pair<int, const char*>> changes) {
  auto f = fields(kWorked);
  for (const auto& [n, text] : changes) f.at(static_cast<std::size_t>(n - 1)) = text;
  std::string joined;
  for (std::size_t i = 0; i < f.size(); ++i) joined += (i ? "," : "") + f[i];
  return joined;
}

struct TcDialog : HydrologyDialogTest {
  hydrology::FrmTc& dialog() { return session.form<hydrology::FrmTc>(); }
  void store(const std::string& tcstr, const std::string& options) {
    boxes.flow.tc_str = tcstr;
    boxes.flow.tc_option_str = options;
  }
};

TEST_F(TcDialog, OpensAsStoredAndSaveHandsTheTotalIntensityAndDischargeBack) {
  // The 10-year storm of Stuart's Draft: B 41.822, D 10.0, E 0.6753.
  session.rainfall.rainfall_conn = std::make_unique<db::Connection>();
  session.rainfall.rainfall_conn->open(std::filesystem::path(RG_PROGRAM_DIR) / "VARMNOAA.rdb", db::Access::ReadOnly);
  session.project.open_project_noaa_station = "Stuart's Draft";
  boxes.flow = {.storm_frequency = "10", .cf = "1.0", .tc = "5.0", .total_ca = {"1.522", ""}, .carryover = {"0", ""}};
  store(worked_with({{22, "0.0"}, {23, "0.0"}, {26, "0.0"}, {27, "12.482"}}), "1,1,0,0");
  run(dialog(), [](ui::Form& f) {
    EXPECT_EQ(f.control("CheckTc1").value(), 1);
    EXPECT_EQ(f.control("txtTc1").text(), "10.705");
    EXPECT_EQ(f.control("txtTc2").text(), "1.777");
    EXPECT_EQ(f.control("computedTc").text(), "12.482");
    enter(f, "txtoutlet_height", "12");
    enter(f, "txttravel_length", "600");
    click(f, "CheckTc4");
    EXPECT_EQ(f.control("computedTc").text(), "17.564");
    click(f, "cmdsaveTc");
  });
  EXPECT_FALSE(dialog().is_loaded());
  EXPECT_EQ(boxes.flow.tc, "17.564");
  EXPECT_EQ(boxes.flow.tc_str, kWorked);
  EXPECT_EQ(boxes.flow.tc_option_str, "1,1,0,1");
  EXPECT_EQ(boxes.flow.tc_computed, 1);
  // I = 41.822 / (17.564 + 10)^0.6753 = 4.454; Q = 1.522 x 4.454 x 1.0.
  EXPECT_EQ(boxes.flow.intensity, "4.454");
  EXPECT_EQ(boxes.flow.discharge[0], "6.779");
  EXPECT_EQ(boxes.flow.qtotal, "6.779");
}

// An included segment's time and the total follow its inputs as they are left,
// so the total shown is the one SAVE Tc hands over. Seeley, C 0.9: L 20, S 0.05
// gives 0.225 x 3.519108 x 1.766834 / 0.9 = 1.554; L 150, S 0.02 gives
// 0.225 x 8.202728 x 2.102831 / 0.9 = 4.312. Equal elevations give no time
// until SAVE Tc refuses the segment.
TEST_F(TcDialog, TheTotalShownIsTheOneSaveHandsOver) {
  desktop.expect_box("Compute Error!  Upper Elevation is lower than Lower Elevation");
  run(dialog(), [](ui::Form& f) {
    enter(f, "flow_distance3", "20");
    enter(f, "upper_elevation3", "101");
    enter(f, "lower_elevation3", "100");
    click(f, "CheckTc3");
    EXPECT_EQ(f.control("computedTc").text(), "1.554");
    enter(f, "flow_distance3", "150");
    enter(f, "upper_elevation3", "103");
    enter(f, "txtoutlet_height", "20");
    enter(f, "txttravel_length", "1000");
    click(f, "CheckTc4");
    EXPECT_EQ(f.control("computedTc").text(), "11.766");  // 4.312 + 7.454
    enter(f, "lower_elevation3", "103");
    f.user_move_focus(f.control("rational_C_value"));
    EXPECT_EQ(f.control("slope3").text(), "0.0000");
    EXPECT_EQ(f.control("txtTc3").text(), "");
    EXPECT_EQ(f.control("computedTc").text(), "");
    click(f, "cmdsaveTc");
    EXPECT_EQ(f.control("CheckTc3").value(), 0);
    EXPECT_EQ(f.control("computedTc").text(), "7.454");
    click(f, "cmdsaveTc");
  });
  EXPECT_EQ(boxes.flow.tc, "7.454");
}

// Cancel in the question keeps the dialog open; its CANCEL then writes nothing.
TEST_F(TcDialog, ATotalOfFiveMinutesOrLessAsksForTheDefault) {
  for (const Answer answer : {Answer::OK, Answer::Cancel}) {
    boxes.flow = {.tc = "7.5", .tc_computed = 1};
    const auto before = boxes.flow;
    desktop.expect_box("Computed Tc < 5 min, Default 5 Min will be used", answer);
    run(dialog(), [answer](ui::Form& f) {
      click(f, "cmdsaveTc");
      EXPECT_EQ(f.is_loaded(), answer == Answer::Cancel);
      if (f.is_loaded()) click(f, "cmdcancelTc");
    });
    EXPECT_EQ(boxes.flow, answer == Answer::OK ? hyd::FlowData{.tc = "5.0"} : before);
  }
}

// A segment stored beyond its method's length limit (Seeley, 61 m in a metric
// project) is not computed when the dialog opens: the limit is said and the
// segment is switched off.
TEST_F(TcDialog, AStoredSegmentBeyondItsLimitIsFlaggedAtOpen) {
  session.project.unit_system = "METRIC";
  store(worked_with({{15, "61.5000"}, {16, "10.0"}, {17, "9.0"}}), "0,0,1,0");
  desktop.expect_box("Maximum Flow Distance must be less than  61 m!");
  // The distance has the focus at open: leaving it says the limit again.
  desktop.expect_box("Maximum Flow Distance must be less than  61 m!");
  run(dialog(), [](ui::Form& f) {
    EXPECT_EQ(f.control("CheckTc3").value(), 0);
    EXPECT_EQ(f.control("txtTc3").text(), "0.0");
    click(f, "cmdcancelTc");
  });
}

TEST_F(TcDialog, TheCBoxTakesTheNumericKeyFilter) {
  run(dialog(), [](ui::Form& f) {
    ui::Control& c = f.control("rational_C_value");
    f.user_move_focus(c);
    c.user_type("-0.45,");
    EXPECT_EQ(c.text(), "0.45");
    click(f, "cmdcancelTc");
  });
}

}  // namespace
}  // namespace rg::test
