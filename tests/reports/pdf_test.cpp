// The reports as a spreadsheet program shows them: filled copies of the real
// templates, converted to PDF by LibreOffice, read back as text.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/workbook/workbook.h"
#include "reports/inlet_report_writer.h"
#include "reports/ld204_writer.h"

namespace rg::reports {
namespace {

namespace fs = std::filesystem;

// The text of the workbook's pages, through LibreOffice and pdftotext.
std::string pdf_text(const fs::path& workbook_file) {
  const fs::path dir = workbook_file.parent_path();
  const std::string profile = "file://" + (dir / "profile").string();
  const std::string convert = "soffice --headless --norestore -env:UserInstallation=" + profile +
                              " --convert-to pdf --outdir '" + dir.string() + "' '" + workbook_file.string() +
                              "' >/dev/null 2>&1";
  if (std::system(convert.c_str()) != 0) return "<soffice failed>";
  fs::path pdf = workbook_file;
  pdf.replace_extension(".pdf");
  const fs::path text = dir / (workbook_file.stem().string() + ".txt");
  const std::string extract = "pdftotext -layout '" + pdf.string() + "' '" + text.string() + "'";
  if (std::system(extract.c_str()) != 0) return "<pdftotext failed>";
  std::ifstream in(text);
  std::ostringstream out;
  out << in.rdbuf();
  return out.str();
}

TEST(ReportPages, EveryWrittenValueShowsOnThePage) {
  const fs::path dir = fs::temp_directory_path() / ("rg_pdf_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  const InletRecord inlet = {
      {"INLET_NUMBER", "QA-17"},   {"ROADWAY", "Route 29"},      {"INLET_SUBTYPE", "DI-3B"},
      {"INLET_TYPE", "Combination Curb and Grate Inlet"},        {"INLET_LOCATION", "CONTINUOUS GRADE"},
      {"INLETLENGTH", "10.000"},   {"OPENLEN_GRATE", "5.000"},   {"STATION", "10+50"},
      {"OFFSET", "12.000"},        {"OFFSET_LOCATION", "RIGHT"}, {"GUTWIDTH", "2.000"},
      {"GUTXSLOPE", "0.0833"},     {"PAVXSLOPE", "0.0200"},      {"LOCALDEP", "2.000"},
      {"TOTAL_DISCHARGE", "7.800"}};
  const ReportProject project = {.name = "Route 29 Widening", .designer = "J. Doe", .county = "Albemarle",
                                 .state = "VA", .unit_system = "ENGLISH", .major_release = "2.1",
                                 .noaa_station = "Charlottesville"};

  auto report = workbook::Workbook::open_copy(fs::path(RG_PROGRAM_DIR) / "INLET_REPORT.xlsr", dir / "report.xlsx");
  write_inlet_report(report.sheet(1), inlet, project, std::chrono::year{2024} / 3 / 15);
  report.save();
  auto ld204 = workbook::Workbook::open_copy(fs::path(RG_PROGRAM_DIR) / "LD_204.xlsr", dir / "ld204.xlsx");
  write_ld204(ld204.active_sheet(), InletTable({inlet}), project);
  ld204.save();

  const std::string report_text = pdf_text(dir / "report.xlsx");
  const std::string ld204_text = pdf_text(dir / "ld204.xlsx");
  for (const std::string* text : {&report_text, &ld204_text}) {
    SCOPED_TRACE(*text);
    for (const char* value : {"QA-17", "DI-3B", "10+50", "J. Doe", "7.800"}) {
      EXPECT_NE(text->find(value), std::string::npos) << value;
    }
  }
  // The depression in inches: a + 12 W (Sw - Sx) = 2 + 12 x 2 x 0.0633 = 3.519.
  EXPECT_NE(report_text.find("3.52"), std::string::npos) << report_text;
  fs::remove_all(dir);
}

}  // namespace
}  // namespace rg::reports
