// The two report writers against a recording sheet: which cell gets which
// value, worked by hand from the forms' rules.

#include <gtest/gtest.h>

#include <cstdio>
#include <initializer_list>
#include <string>
#include <utility>

#include "platform/workbook/recording_sheet.h"
#include "reports/inlet_report_writer.h"
#include "reports/ld204_writer.h"
#include "reports/report_cells.h"

namespace rg::reports {
namespace {

using workbook::RecordingSheet;

// The cell as a spreadsheet shows it under General: a text as written, a
// number with its fixed decimals or in its shortest form; "-" when never written.
std::string shown(const RecordingSheet& sheet, int row, int col) {
  const auto* cell = sheet.find(row, col);
  if (cell == nullptr) return "-";
  if (cell->kind != RecordingSheet::Kind::Number || !cell->decimals) return sheet.text(row, col);
  char text[64];
  std::snprintf(text, sizeof text, "%.*f", *cell->decimals, cell->number);
  return text;
}

struct Cell { int row, col; const char* shown; };
void expect_cells(const RecordingSheet& sheet, std::initializer_list<Cell> cells) {
  for (const Cell& c : cells) EXPECT_EQ(shown(sheet, c.row, c.col), c.shown) << "at " << c.row << "," << c.col;
}

ReportProject project(std::string units) {
  return {.name = "Route 29", .designer = "J. Doe", .county = "Albemarle", .state = "VA",
          .unit_system = std::move(units), .major_release = "2.1", .noaa_station = "Charlottesville"};
}

TEST(ReportCells, StoredTextsBecomeNumbersOnlyWhereTheyShowExactlyAsStored) {
  const char* const texts[] = {"0.500", "-12", "3.25",  // the numbers; texts from here on
                               "007", "+2", "1E5", ".5", "5.", "-0.0", "1234567890123456", "=A1", " 2", ""};
  for (int i = 0; i < static_cast<int>(std::size(texts)); ++i) {
    RecordingSheet sheet;
    put_text(sheet, 1, 1, texts[i]);
    EXPECT_EQ(shown(sheet, 1, 1), texts[i]);
    EXPECT_EQ(sheet.find(1, 1)->kind == RecordingSheet::Kind::Number, i < 3) << texts[i];
  }
}

// --- Form LD 204 -------------------------------------------------------------------

const InletRecord kCombinationOnGrade = {
    {"INLET_NUMBER", "1"}, {"ROADWAY", "Route 29"}, {"INLET_SUBTYPE", "DI-3B"}, {"STATION", "10+50"},
    {"INLET_TYPE", "Combination Curb and Grate Inlet"}, {"INLET_LOCATION", "CONTINUOUS GRADE"},
    {"INLETLENGTH", "10.000"}, {"OPENLEN_GRATE", "5.000"}, {"INTLEN", "20.000"}, {"OFFSET", "12.000"},
    {"OFFSET_LOCATION", "RIGHT"}, {"GUTWIDTH", "2.000"}, {"GUTXSLOPE", "0.0833"}, {"PAVXSLOPE", "0.0200"},
    {"LOCALDEP", "2.000"}, {"OPENSPREAD", "9.2"}, {"ALLOWABLE_SPREAD", "8.0"}, {"TOTALCA1", "1.200"},
    {"INTENSITY", "6.500"}, {"DISCHARGE1", "7.800"}, {"CARRYOVER1", "0.000"}, {"TOTAL_DISCHARGE", "7.800"},
    {"GRATEWIDTH", "1.500"}};

TEST(Ld204, RowsOfEveryKindOnAGradeAndInASagInAnEnglishProject) {
  // Curb on a grade: three non-empty sub-areas among fifteen fields; its spread equals the allowable.
  const InletRecord curb_on_grade = {
      {"INLET_NUMBER", "2"}, {"INLET_TYPE", "Curb Inlet"}, {"INLET_LOCATION", "CONTINUOUS GRADE"},
      {"INLETLENGTH", "8.000"}, {"AREABUFSTR1", ",1.5,,2.0,0.5,,,,,,,,,,"}, {"TOTALCA1", "2.550"},
      {"CBUFSTR1", "0.30,0.90,0.30,0.50,0.40,0.30,0.30,0.30,0.30,0.30,0.30,0.30,0.30,0.30,0.30"},
      {"OPENSPREAD", "8.0"}, {"ALLOWABLE_SPREAD", "8.0"}, {"PAVXSLOPE", "0.02"}, {"GUTWIDTH", "2.000"},
      {"GUTXSLOPE", "0.0833"}};
  const InletRecord ditch_on_grade = {
      {"INLET_NUMBER", "3"}, {"INLET_TYPE", "Grate Inlet in a Ditch"}, {"INLET_LOCATION", "CONTINUOUS GRADE"},
      {"INLETLENGTH", "3.000"}, {"GRATEWIDTH", "2.000"}, {"GUTWIDTH", "4.000"}, {"PAVXSLOPE", "0.02"},
      {"OPENSPREAD", "12.0"}, {"ALLOWABLE_SPREAD", "8.0"}, {"CURBDEPTH", "3.000"}, {"DSBH", "0.5"}};
  // Curb in a sag: two side-1 and three side-2 sub-areas; equal flows on both sides.
  const InletRecord curb_in_sag = {
      {"INLET_NUMBER", "4"}, {"INLET_TYPE", "Curb Inlet"}, {"INLET_LOCATION", "SUMP"}, {"INLETLENGTH", "5.000"},
      {"AREABUFSTR1", "1.0,2.0,,,,,,,,,,,,,"}, {"CBUFSTR1", "0.5,0.5,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3"},
      {"AREABUFSTR2", ",,1.0,1.0,1.0,,,,,,,,,,"},
      {"CBUFSTR2", "0.3,0.3,0.2,0.4,0.6,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3"},
      {"DISCHARGE1", "2.0"}, {"CARRYOVER1", "0.0"}, {"DISCHARGE2", "1.5"}, {"CARRYOVER2", "0.5"},
      {"TOTALCA2", "1.200"}, {"HEIGHTOFCURB", "6"}, {"PAVXSLOPE", "0.02"}, {"ALLOWABLE_SPREAD", "8.0"},
      {"GUTTERSPREAD", "7.5"}, {"GUTWIDTH", "2.000"}, {"OPENSPREAD", "9.2"}, {"INLETPERF", "Weir"}};
  // Grate in a sag: no sub-areas; side 2 brings more.
  const InletRecord grate_in_sag = {
      {"INLET_NUMBER", "5"}, {"INLET_TYPE", "Grate Inlet"}, {"INLET_LOCATION", "SUMP"}, {"INLETLENGTH", "2.000"},
      {"DISCHARGE1", "2.0"}, {"CARRYOVER1", "0.0"}, {"DISCHARGE2", "1.5"}, {"CARRYOVER2", "0.6"},
      {"PAVXSLOPE", "0.02"}, {"ALLOWABLE_SPREAD", "8.0"}, {"GUTTERSPREAD", "7.5"}, {"OPENSPREAD", "8.0"},
      {"GUTWIDTH", "2.000"}, {"INLETPERF", "Orifice"}};
  const InletRecord ditch_in_sag = {
      {"INLET_NUMBER", "6"}, {"INLET_TYPE", "Grate Inlet in a Ditch"}, {"INLET_LOCATION", "SUMP"},
      {"DISCHARGE1", "x"}, {"PAVXSLOPE", "0.02"}, {"ALLOWABLE_SPREAD", "8.0"}, {"GUTTERSPREAD", "20.0"},
      {"OPENSPREAD", "8.5"}, {"INLETPERF", "Weir"}};
  RecordingSheet sheet;
  write_ld204(sheet, InletTable({kCombinationOnGrade, curb_on_grade, ditch_on_grade, curb_in_sag, grate_in_sag,
                                 ditch_in_sag}),
              project("ENGLISH"));
  expect_cells(sheet, {{1, 3, "Route 29"}, {1, 12, "Route 29"}, {1, 28, "J. Doe"}, {2, 34, "ENGLISH"}});
  // Combination on a grade, row 5: its length column holds 5 + 10.
  expect_cells(sheet, {{5, 1, "1"}, {5, 3, "15.000"}, {6, 4, "12.000'RIGHT"}, {5, 8, "1.200"}, {5, 25, "10.000"},
                       {5, 26, "0.750"}, {5, 21, "3.52"}, {5, 16, "2.000"}, {5, 17, "0.217"}, {5, 19, "4.165"},
                       {5, 36, "T > 8.0 ft"}});
  // Curb on a grade from row 7: sub-areas on 7 to 9, totals on 10.
  expect_cells(sheet, {{7, 5, "1.5"}, {7, 6, "0.90"}, {7, 7, "1.350"}, {8, 5, "2.0"}, {8, 7, "1.000"},
                       {9, 7, "0.200"}, {10, 8, "2.550"}, {7, 1, "2"}, {10, 25, "8.000"}, {10, 26, ""},
                       {10, 21, "-"}, {10, 36, "-"}, {8, 4, "'"}});
  // Ditch on a grade from row 12.
  expect_cells(sheet, {{12, 16, "2.000"}, {12, 14, "-"}, {12, 15, "-"}, {12, 17, "-"}, {12, 24, "-"},
                       {12, 26, "-"}, {12, 30, "0.250"}, {12, 36, "BHt.=0.500'"}});
  // Curb in a sag from row 14: side 1 on 14, 15, totals 16; side 2 on 17 to 19,
  // totals 20; summary 21. Equal flows keep the gutter columns on side 1.
  expect_cells(sheet, {{14, 36, "Back/Lt."}, {15, 7, "1.000"}, {16, 36, "Back/Lt."}, {17, 5, "1.0"},
                       {17, 7, "0.200"}, {19, 7, "0.600"}, {19, 36, "Ahead/Rt."}, {20, 8, "1.200"},
                       {20, 36, "Ahead/Rt."}, {16, 15, "7.5"}, {20, 15, "-"}, {21, 32, "0.500"},
                       {21, 31, "0.160"}, {21, 33, "0.320"}, {21, 25, "5.000"}, {21, 36, "T > 8.0 ft"}});
  // Grate in a sag from row 22: side 2 brings more, so its totals row 23 takes
  // the gutter columns; summary row 24.
  expect_cells(sheet, {{22, 15, "-"}, {23, 15, "7.5"}, {23, 36, "Ahead/Rt."}, {24, 32, ""}, {24, 33, "-"},
                       {24, 36, "Orifice"}, {25, 1, "6"}});
  // Ditch in a sag from row 25, flows not numbers: no gutter columns; its own
  // spread at the opening alone exceeds the allowable.
  for (int row = 25; row <= 26; ++row) {
    for (int col = 13; col <= 23; ++col) EXPECT_EQ(shown(sheet, row, col), "-") << row << "," << col;
  }
  expect_cells(sheet, {{27, 36, "T > 8.0 ft"}, {27, 31, "0.160"}});
}

// Stored texts keep their four decimals; computed lengths take the form's four.
// Only "ENGLISH" is English: a project whose units read otherwise is metric.
TEST(Ld204, MetricProjectsUseMetresAndMillimetres) {
  const InletRecord curb = {
      {"INLET_NUMBER", "1"}, {"INLET_TYPE", "Curb Inlet"}, {"INLET_LOCATION", "SUMP"}, {"HEIGHTOFCURB", "150"},
      {"PAVXSLOPE", "0.02"}, {"ALLOWABLE_SPREAD", "3.0"}, {"GUTWIDTH", "0.6"}, {"GUTXSLOPE", "0.08"},
      {"LOCALDEP", "50"}, {"DISCHARGE1", "0.0064"}, {"CARRYOVER1", "0.0000"}, {"DISCHARGE2", "0"},
      {"CARRYOVER2", "0"}, {"OPENSPREAD", "3.5"}, {"INLETLENGTH", "1.5000"}};
  const InletRecord ditch = {{"INLET_NUMBER", "2"}, {"INLET_TYPE", "Grate Inlet in a Ditch"},
                             {"INLET_LOCATION", "CONTINUOUS GRADE"}, {"CURBDEPTH", "76"}, {"DSBH", "0.15"}};
  // A slotted inlet has no curb height, whatever its record still holds: h and d/h stay empty.
  const InletRecord slotted = {{"INLET_NUMBER", "3"}, {"INLET_TYPE", "Slotted Inlet"}, {"INLET_LOCATION", "SUMP"},
                               {"PAVXSLOPE", "0.02"}, {"ALLOWABLE_SPREAD", "3.0"}, {"HEIGHTOFCURB", "150"}};
  for (const char* units : {"METRIC", "SI", ""}) {
    SCOPED_TRACE(units);
    RecordingSheet sheet;
    write_ld204(sheet, InletTable({curb, ditch, slotted}), project(units));
    // Curb: t1 5, t2 6, summary 7; ditch at 8; slotted: t1 10, t2 11, summary 12.
    // a = 50 + 1000 (0.08 - 0.02) 0.6 = 86 mm; h = 150 / 1000 m.
    expect_cells(sheet, {{7, 32, "0.150"}, {7, 31, "0.060"}, {7, 33, "0.400"}, {5, 21, "86.00"},
                         {5, 10, "0.0064"}, {5, 11, "0.0000"}, {7, 25, "1.5000"}, {7, 36, "T > 3.0 m"},
                         {8, 30, "76"}, {8, 36, "BHt.=0.1500M"}, {12, 31, "0.060"}, {12, 32, ""}, {12, 33, "-"}});
  }
}

// A computed number keeps its decimals however many digits it has:
// 13,000,000,000,000 x 0.9 = 11,700,000,000,000.
TEST(Ld204, AComputedNumberOfAnySizeIsANumberCell) {
  const InletRecord huge = {{"INLET_NUMBER", "1"}, {"INLET_LOCATION", "CONTINUOUS GRADE"},
                            {"AREABUFSTR1", "13000000000000"}, {"CBUFSTR1", "0.9"}};
  RecordingSheet sheet;
  write_ld204(sheet, InletTable({huge}), project("ENGLISH"));
  expect_cells(sheet, {{5, 7, "11700000000000.000"}});
  EXPECT_EQ(sheet.find(5, 7)->kind, RecordingSheet::Kind::Number);
}

TEST(Ld204, AValueOneInletLacksIsNeverTakenFromTheInletBefore) {
  const InletRecord first = {{"INLET_NUMBER", "1"}, {"INLET_LOCATION", "CONTINUOUS GRADE"}, {"INLETLENGTH", "4.000"},
                             {"OPENSPREAD", "0"}, {"LOCALDEP", "1.0"}, {"GUTXSLOPE", "0.08"},
                             {"PAVXSLOPE", "0.02"}, {"GUTWIDTH", "2.0"}};
  const InletRecord second = {{"INLET_NUMBER", "2"}, {"INLET_LOCATION", "CONTINUOUS GRADE"},
                              {"INLETLENGTH", "long"}, {"INTLEN", "5.000"}};
  // Its C text stops short of its second area: that row gets no C and no C x A.
  // Its areas were saved under the 24-row table: the 24th gets its row too.
  const InletRecord third = {{"INLET_NUMBER", "3"}, {"INLET_LOCATION", "CONTINUOUS GRADE"},
                             {"AREABUFSTR1", "1.0,2.0,,,,,,,,,,,,,,,,,,,,,,3.0"}, {"CBUFSTR1", "0.5"}};
  RecordingSheet sheet;
  write_ld204(sheet, InletTable({first, second, third}), project("ENGLISH"));
  // A spread of 0 leaves W/T unwritten while the columns after it are written.
  expect_cells(sheet, {{5, 17, "-"}, {5, 18, "0.08"}, {5, 21, "2.44"}, {5, 25, "4.000"}});
  expect_cells(sheet, {{7, 3, "long"}, {7, 21, "-"}, {7, 25, "-"}, {7, 26, "-"}});
  expect_cells(sheet, {{9, 7, "0.500"}, {10, 5, "2.0"}, {10, 6, "-"}, {10, 7, "-"}, {11, 5, "3.0"}});
}

// --- Inlet Report --------------------------------------------------------------------

TEST(InletReport, HeaderIdentificationFlowAndTheComputedCells) {
  const auto day = std::chrono::year{2024} / 3 / 15;
  RecordingSheet sheet;
  write_inlet_report(sheet, kCombinationOnGrade, project("ENGLISH"), day);
  expect_cells(sheet, {{1, 10, "ENGLISH"}, {2, 10, "45366"}, {3, 2, "Route 29"}, {4, 7, "VA"},
                       {5, 1, "NOAA STATION"}, {5, 2, "Charlottesville"}, {8, 2, "1"}, {9, 5, "CONTINUOUS GRADE"},
                       {10, 2, "15.000"}, {27, 9, "10.000"}, {29, 9, "5.000"}, {24, 9, "3.52"}, {17, 3, "1.200"},
                       {18, 2, "-"}, {19, 9, "-"}});
  EXPECT_EQ(sheet.find(2, 10)->kind, RecordingSheet::Kind::Date);

  ReportProject older = project("ENGLISH");
  older.major_release = "1.0";
  const InletRecord without_upstream = {{"INLET_TYPE", "Combination Curb and Grate Inlet"},
                                        {"INLET_LOCATION", "CONTINUOUS GRADE"}, {"INLETLENGTH", "10.000"},
                                        {"GUTWIDTH", "0.000"}, {"GUTXSLOPE", "0.08"}, {"PAVXSLOPE", "0.02"},
                                        {"LOCALDEP", "2"}};
  sheet.clear();
  write_inlet_report(sheet, without_upstream, older, day);
  expect_cells(sheet, {{10, 2, "10.000"}, {24, 9, "2.00"}, {5, 1, "-"}, {5, 2, "-"}});

  const InletRecord in_sag = {{"INLET_TYPE", "Combination Curb and Grate Inlet"}, {"INLET_LOCATION", "SUMP"},
                              {"INLETLENGTH", "10.000"}, {"TOTALAREA2", "0.75"}, {"CARRYOVER2", "0.10"}};
  sheet.clear();
  write_inlet_report(sheet, in_sag, project("ENGLISH"), day);
  // No combined length in a sag; no false zero for a depression with no inputs.
  expect_cells(sheet, {{10, 2, "10.000"}, {18, 2, "0.75"}, {19, 9, "0.10"}, {24, 9, "-"}});
}

}  // namespace
}  // namespace rg::reports
