// The whole program on the scripted desktop, wired as main() wires it, with a
// user's hands on its windows.
//
// A designer's day, in each unit system: a new project, two curb inlets on a
// grade whose discharge comes from drainage areas, the time of concentration
// and the storm frequency, the second taking the first's bypass; solve, save,
// the first opened again, both reports, close.
//
// Every expected value is worked by hand from the formulas (HEC-22 curb
// opening on a uniform cross slope, the rational method, the modified
// Kirpich time) and what is typed:
//   Tc = b H^-0.38 L^1.13, b 0.00948 (ft) / 0.02311 (m)
//   I  = B / (Tc + D)^E with Charlottesville's 10-year B 41.871, D 10, E 0.6707
//        (the rainfall file's row), x 25.4 for mm/hr
//   Q  = C A I Cf / K, K 1 (ac, in/hr) / 360 (ha, mm/hr), Cf 1.0 for 10 years
//   T  = (Q n / (Ku Sx^1.67 S^0.5))^(1/2.67), Ku 0.56 / 0.376, no gutter (W 0)
//   LT = Kc Q^0.42 S^0.3 (1 / (n Sx))^0.6, Kc 0.6 / 0.817; E = 1 - (1 - L/LT)^1.8
// with S 0.01, n 0.015 and Sx 0.0208 (ft) / 0.02 (m), the new inlet's
// defaults; each box rounded to the unit system's decimals before the next
// step reads it.

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "app/shell_fixture.h"
#include "platform/workbook/workbook.h"
#include "reports/inlet_list.h"
#include "support/hands.h"

namespace rg::test {
namespace {

using reports::FrmInletFlex;

struct Walk {
  const char* units;
  // Typed: the areas of "Paved and Roof Areas" (C 0.90) and "Lawns" (C 0.25)
  // for inlet 1, Kirpich's H and L, inlet 1's length, inlet 2's area of
  // "Business" (C 0.80), its entered intensity and its length.
  const char *paved, *lawns, *height, *travel, *length1, *business, *intensity2, *length2;
  // Worked by hand, inlet 1: total area, C A, Tc, the intensity at Tc, Q; its
  // spread, LT, E, Qi and Qc (inlet 2's carry-over).
  const char *area1, *ca1, *tc, *intensity, *q1, *spread1, *lt1, *e1, *qi1, *qc1;
  // Inlet 2: Q of its area, the total with the carry-over, LT, Qi, Qc; and L / LT
  // of inlet 1 with the design form's decimals (three in English, four in metric).
  const char *q2, *total2, *lt2, *qi2, *qc2, *l_over_lt1;
};

const Walk kWalks[] = {
    // C A 0.9 x 0.5 + 0.25 x 0.3 = 0.525; Tc 0.00948 x 15^-0.38 x 800^1.13 = 6.4623;
    // I 41.871 / 16.462^0.6707 = 6.3976; Q 0.525 x 6.398 = 3.3590; T 10.8346,
    // LT 31.8175, E 1 - (1 - 10 / 31.8175)^1.8 = 0.49295, Qi 1.6558, Qc 1.7032;
    // inlet 2: 0.32 x 4.5 = 1.440, + 1.703 = 3.143, LT 30.9416, E 0.27186;
    // L / LT 10 / 31.818 = 0.3143.
    {"ENGLISH", "0.5", "0.3", "15", "800", "10", "0.4", "4.5", "5",
     "0.800", "0.525", "6.462", "6.398", "3.359", "10.835", "31.818", "0.493", "1.656", "1.703",
     "1.440", "3.143", "30.942", "0.854", "2.289", "0.314"},
    // C A 0.9 x 0.2 + 0.25 x 0.12 = 0.21; Tc 0.02311 x 5^-0.38 x 250^1.13 = 6.42486;
    // I 25.4 x 41.871 / 16.4249^0.6707 = 162.7456; Q 0.21 x 162.7456 / 360 = 0.09493;
    // T 3.38946, LT 9.91748, E 0.47714, Qi 0.04528, Qc 0.04962; inlet 2:
    // 0.128 x 110 / 360 = 0.03911, + 0.0496 = 0.0887, LT 9.6400, E 0.26246;
    // L / LT 3 / 9.9175 = 0.3025.
    {"METRIC", "0.2", "0.12", "5", "250", "3", "0.16", "110", "1.5",
     "0.3200", "0.2100", "6.4249", "162.7456", "0.0949", "3.3895", "9.9175", "0.4771", "0.0453", "0.0496",
     "0.0391", "0.0887", "9.6400", "0.0233", "0.0654", "0.3025"},
};

// The shortest text of a stored number as a spreadsheet reads its cell back.
std::string as_cell(std::string s) {
  if (s.find('.') == std::string::npos) return s;
  while (s.back() == '0') s.pop_back();
  if (s.back() == '.') s.pop_back();
  return s;
}

class DesignersDay : public ShellTest {
 protected:
  // A curb inlet on a grade, identified.
  void identify(ui::Form& f, const std::string& number, const std::string& station) {
    type(f, "Inlet_Number", number);
    type(f, "RoadWay", "Route 29");
    pick(f, "inlet_type", "Curb Inlet");
    pick(f, "inlet_location", "CONTINUOUS GRADE");
    type(f, "Station", station);
  }
  // A drainage-area dialog: one area per row, C as the row offers.
  void areas(ui::Form& f, const char* dialog, const char* button, std::vector<std::pair<const char*, const char*>> rows) {
    desktop.expect_modal(dialog, [rows](ui::Form& dlg) {
      for (const auto& [row, area] : rows) type(dlg, row, area);
      press(dlg, "cmdsavearea");
    });
    press(f, button);
  }
  // The inlet details of a curb inlet without a gutter or local depression.
  void details(ui::Form& f, const std::string& length) {
    show_tab(f, 2);
    type(f, "txtW", "0");
    type(f, "txtWa", "0");
    type(f, "cboLength", length);
    focus(f, "txtn");
  }
  // Solve, save, and leave the form, which asks nothing once the inlet is stored.
  void solve_save_and_leave(ui::Form& f, std::initializer_list<const char*> results, const Texts& expected) {
    desktop.expect_box("Solved! Please check and Save your results");
    press(f, "cmdsolve");
    EXPECT_EQ(texts(f, results), expected);
    desktop.expect_box("Record Saved");
    f.menu("mnuSaveinlet").user_click();
    f.menu("mnuExitinlet").user_click();
    EXPECT_FALSE(f.is_loaded());
  }

  // Cells of a written workbook as a spreadsheet reads them back.
  struct Cell { int row, col; std::string value; };
  static void expect_cells(const fs::path& file, const std::vector<Cell>& cells) {
    auto copy = workbook::Workbook::open_copy(file, file.parent_path() / "readback.xlsx");
    for (const Cell& c : cells) {
      EXPECT_EQ(copy.sheet(1).text(c.row, c.col), c.value) << file.filename() << " row " << c.row << " col " << c.col;
    }
  }
};

TEST_F(DesignersDay, FromANewProjectToBothReports) {
  for (const Walk& w : kWalks) {
    SCOPED_TRACE(w.units);
    create(std::string("day_") + w.units + ".rvg", [this, &w](ui::Form& dlg) {
      type(dlg, "project_id", std::string("P-") + w.units);
      type(dlg, "project_name", "Route 29 Widening");
      pick(dlg, "county", "Albemarle");
      pick(dlg, "units", w.units);
      pick(dlg, "noaa_station", "Charlottesville");
      save_details(dlg);
    });
    desktop.clear_record();
    const fs::path ld204 = path(std::string("ld204_") + w.units + ".xlsx");
    const fs::path report = path(std::string("inlet2_") + w.units + ".xlsx");

    // Inlet 1: discharge from two areas, Kirpich's time and the 10-year storm.
    auto first_inlet = [&](ui::Form& f) {
      identify(f, "1", "10+00");
      show_tab(f, 1);
      press(f, "compute_discharge");
      press(f, "compute_I");
      pick(f, "storm_frequency", "10");
      areas(f, "frmareaV2", "cmdinputArea1", {{"Area8", w.paved}, {"Area11", w.lawns}});
      EXPECT_EQ(texts(f, {"totalarea1", "totalca1"}), (Texts{w.area1, w.ca1}));
      // A Tc typed, then the dialog left without its Tc: the typed one stays.
      type(f, "ITc", "10");
      f.send_tab();
      desktop.expect_modal("frmTc", [](ui::Form& dlg) { press(dlg, "cmdcancelTc"); });
      press(f, "cmdcomputeTc");
      EXPECT_EQ(texts(f, {"ITc"}), texts(f, {"Tc"}));
      desktop.expect_modal("frmTc", [&w](ui::Form& dlg) {
        type(dlg, "txtoutlet_height", w.height);
        type(dlg, "txttravel_length", w.travel);
        press(dlg, "CheckTc4");
        press(dlg, "cmdsaveTc");
      });
      press(f, "cmdcomputeTc");
      EXPECT_EQ(texts(f, {"ITc", "Tc", "Intensity", "discharge1", "QTotal"}),
                (Texts{"5.0", w.tc, w.intensity, w.q1, w.q1}));
      details(f, w.length1);
      solve_save_and_leave(f, {"txtSpread", "txtlti", "txtE", "txtQi", "txtQc"},
                           {w.spread1, w.lt1, w.e1, w.qi1, w.qc1});
    };
    // Inlet 2: an entered intensity over one area, and inlet 1's bypass.
    auto second_inlet = [&](ui::Form& f) {
      identify(f, "2", "12+00");
      show_tab(f, 1);
      press(f, "compute_discharge");
      // The areas before the intensity: no discharge until one is entered,
      // whatever inlet 1 computed.
      areas(f, "frmareaV2", "cmdinputArea1", {{"Area0", w.business}});
      EXPECT_EQ(texts(f, {"Intensity", "discharge1"}), (Texts{"", ""}));
      type(f, "inputInt", w.intensity2);
      focus(f, "storm_frequency");
      EXPECT_EQ(texts(f, {"discharge1"}), Texts{w.q2});
      pick(f, "preinlet1", "1");
      focus(f, "storm_frequency");
      EXPECT_EQ(texts(f, {"carryover1", "QTotal"}), (Texts{w.qc1, w.total2}));
      details(f, w.length2);
      solve_save_and_leave(f, {"txtlti", "txtQi", "txtQc"}, {w.lt2, w.qi2, w.qc2});
    };
    // Inlet 1 again: its flow data come back as they were left.
    auto edit_first = [&](ui::Form& f) {
      show_tab(f, 1);
      EXPECT_FALSE(f.control("inputInt").can_take_focus()) << "the intensity is computed, not typed";
      desktop.expect_box("Exit without Saving?", Answer::Yes);
      f.menu("mnuExitinlet").user_click();
    };

    auto grid = [](FrmInletFlex& list) -> ui::Control& { return list.control("inletflex"); };
    design_loop({
        [&](FrmInletFlex& list) {
          desktop.expect_modal("frminletmain", first_inlet);
          press(list, "cmdflexaddinlet");
        },
        [&](FrmInletFlex& list) {
          EXPECT_EQ(grid(list).cell(1, 0) + " " + grid(list).cell(1, 1) + " " + grid(list).cell(1, 9),
                    std::string("1 10+00 ") + w.q1);
          desktop.expect_modal("frminletmain", second_inlet);
          press(list, "cmdflexaddinlet");
        },
        [&](FrmInletFlex& list) {
          EXPECT_EQ(grid(list).cell(2, 7) + " " + grid(list).cell(2, 9), std::string("1 ") + w.total2);
          grid(list).user_click_cell(1, 3);
          desktop.expect_modal("frminletmain", edit_first);
          press(list, "cmdflexveditinlet");
        },
        [&](FrmInletFlex& list) {
          EXPECT_EQ(list.control("Text1").text(), "2");
          desktop.expect_file(ld204.string());
          list.menu("mnuflexld204").user_click();
          grid(list).user_click_cell(2, 0);
          desktop.expect_file(report.string());
          list.menu("mnuflex_inlet_report").user_click();
          press(list, "cmdflexexit");
        },
    });
    EXPECT_EQ(desktop.opened_documents(), (std::vector<std::string>{ld204.string(), report.string()}));

    // LD 204: inlet 1's two area rows (5, 6) and its totals (7), inlet 2's
    // area row (9) and totals (10).
    expect_cells(ld204, {{5, 1, "1"}, {5, 5, as_cell(w.paved)}, {6, 6, "0.25"}, {7, 8, as_cell(w.ca1)},
                         {7, 9, as_cell(w.intensity)}, {7, 12, as_cell(w.q1)}, {7, 25, as_cell(w.length1)},
                         {7, 26, as_cell(w.l_over_lt1)}, {7, 29, as_cell(w.qc1)}, {9, 1, "2"},
                         {10, 11, as_cell(w.qc1)}, {10, 12, as_cell(w.total2)}, {2, 34, w.units}});
    // The Inlet Report of inlet 2.
    expect_cells(report, {{8, 2, "2"}, {17, 4, as_cell(w.q2)}, {17, 9, as_cell(w.intensity2)},
                          {18, 9, as_cell(w.qc1)}, {20, 9, as_cell(w.total2)}, {39, 9, as_cell(w.qi2)},
                          {40, 9, as_cell(w.qc2)}, {5, 2, "Charlottesville"}});
    close();
  }
}

// A project of an older release kept as it is, shared (its path says so): the
// county's rainfall curve I = A / (Tc + B), the 24 land uses, and a curb inlet
// in a sag draining both sides. Albemarle's 25-year A 258.51, B 28.557 at an
// entered Tc of 12 min: I = 258.51 / 40.557 = 6.3740; Cf 1.1. (Its 10-year
// A 206.23, B 25.342: I = 206.23 / 37.342 = 5.5227; Cf 1.0.)
//   left:  "Asphaltic" 0.6 ac at C 0.70: C A 0.420, Q 0.42 x 6.374 x 1.1 = 2.9448
//   right: "Concrete"  0.5 ac at C 0.80: C A 0.400, Q 0.40 x 6.374 x 1.1 = 2.8046
//   total 5.7492
// Its LD 204, named without an extension, is written where no program can open
// it, and a box says where it lies.
TEST_F(DesignersDay, ASharedProjectOfAnOlderReleaseDrainsBothSidesOfASag) {
  const fs::path project = make_current("route_qmp.rvg");
  run_sql(project, "UPDATE PROJECT SET MAJOR_RELEASE = '1.0', NOAA_STATION = NULL");
  desktop.expect_box(kConvertQuestion, Answer::No);
  open(project);
  ASSERT_TRUE(session->project.shared_project);

  auto sag_inlet = [&](ui::Form& f) {
    identify(f, "S-1", "20+00");
    pick(f, "inlet_location", "SUMP");
    show_tab(f, 1);
    press(f, "compute_discharge");
    press(f, "compute_I");
    pick(f, "storm_frequency", "25");
    type(f, "ITc", "12");
    focus(f, "storm_frequency");
    EXPECT_EQ(texts(f, {"Tc", "Intensity"}), (Texts{"12.000", "6.374"}));
    // A 5-year storm, which the county's curves lack, typed: refused where it
    // lands, the 25-year storm and its intensity kept, its text selected so
    // that the next keys replace it. The 10-year storm then works out.
    desktop.expect_box("STORM FREQ.: \"5\" - Value not present in the list... Please enter a valid value..");
    type(f, "storm_frequency", "5");
    f.send_tab();
    EXPECT_EQ(texts(f, {"storm_frequency", "Cf", "Intensity"}), (Texts{"25", "1.1", "6.374"}));
    f.control("storm_frequency").user_type("10");
    f.send_tab();
    EXPECT_EQ(texts(f, {"storm_frequency", "Cf", "Intensity"}), (Texts{"10", "1.0", "5.523"}));
    pick(f, "storm_frequency", "25");
    areas(f, "frmarea", "cmdinputArea1", {{"Area19", "0.6"}});
    areas(f, "frmarea", "cmdinputArea2", {{"Area20", "0.5"}});
    show_tab(f, 2);
    solve_save_and_leave(f, {"totalca1", "totalca2", "discharge1", "discharge2", "QTotal"},
                         {"0.420", "0.400", "2.945", "2.805", "5.749"});
  };
  desktop.fail_opens(true);
  const fs::path ld204 = path("sag.xlsx");
  const std::string unopened = "The report was saved as " + ld204.string() + ", but no program could be found to open it.";
  design_loop({
      [&](FrmInletFlex& list) {
        desktop.expect_modal("frminletmain", sag_inlet);
        press(list, "cmdflexaddinlet");
      },
      [&](FrmInletFlex& list) {
        EXPECT_EQ(list.control("inletflex").cell(1, 9), "5.749");
        desktop.expect_file(path("sag").string());
        desktop.expect_box(unopened);
        list.menu("mnuflexld204").user_click();
        // Written again over the first: Enter would have kept it.
        desktop.expect_file(ld204.string());
        desktop.expect_box("File Already Exists!   Overwrite?", Answer::Yes);
        desktop.expect_box(unopened);
        list.menu("mnuflexld204").user_click();
        EXPECT_EQ(desktop.boxes().at(desktop.boxes().size() - 2).default_answer, Answer::No);
        press(list, "cmdflexexit");
      },
  });
  // The left area row (5) and its totals (6), the right ones (7, 8), the
  // inlet's summary (9): d = 8.0 ft x 0.0208 = 0.166, h = 4 in / 12 = 0.333.
  expect_cells(ld204, {{5, 5, "0.6"}, {6, 10, "2.945"}, {6, 36, "Back/Lt."}, {7, 5, "0.5"}, {8, 10, "2.805"},
                       {9, 12, "5.749"}, {9, 31, "0.166"}, {9, 32, "0.333"}});
  close();
}

}  // namespace
}  // namespace rg::test
