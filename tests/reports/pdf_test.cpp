// The reports as a spreadsheet program shows them: filled copies of the real
// templates, converted to PDF by LibreOffice, read back as text.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "platform/workbook/workbook.h"
#include "reports/inlet_report_writer.h"
#include "reports/ld204_writer.h"

namespace rg::reports {
namespace {

namespace fs = std::filesystem;

// The text of each workbook's pages: one LibreOffice run for all of them, under
// a fixed locale (the user's may write decimal commas), then pdftotext.
std::vector<std::string> pdf_texts(const std::vector<fs::path>& workbooks) {
  const fs::path dir = workbooks.front().parent_path();
  std::string convert = "LC_ALL=C.UTF-8 soffice --headless --norestore -env:UserInstallation=file://" +
                        (dir / "profile").string() + " --convert-to pdf --outdir '" + dir.string() + "'";
  for (const fs::path& workbook : workbooks) convert += " '" + workbook.string() + "'";
  if (std::system((convert + " >/dev/null 2>&1").c_str()) != 0) return {"<soffice failed>"};
  std::vector<std::string> texts;
  for (fs::path file : workbooks) {
    const std::string pdf = file.replace_extension(".pdf").string();
    const std::string text = file.replace_extension(".txt").string();
    if (std::system(("pdftotext -layout '" + pdf + "' '" + text + "'").c_str()) != 0) return {"<pdftotext failed>"};
    std::ostringstream out;
    out << std::ifstream(text).rdbuf();
    texts.push_back(out.str());
  }
  return texts;
}

TEST(ReportPages, EveryWrittenValueShowsOnThePageInEachUnitSystemUnderAnyLocale) {
  ASSERT_EQ(::setenv("LC_ALL", "de_DE.UTF-8", 1), 0);
  const fs::path dir = fs::temp_directory_path() / ("rg_pdf_" + std::to_string(::getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir);
  ReportProject project = {.name = "Route 29 Widening", .designer = "J. Doe", .county = "Albemarle",
                           .state = "VA", .unit_system = "ENGLISH", .major_release = "2.1",
                           .noaa_station = "Charlottesville"};
  // The combined length of grate and curb opening is the writer's sum, in the
  // decimals the design form shows lengths with; the labels name the units. Only
  // "ENGLISH" is English: any other units text is metric.
  struct Units {
    const char* system;
    const char* grate;
    const char* upstream;
    const char* combined;
    const char* label;
    const char* other_label;
  };
  for (const Units& u : {Units{"ENGLISH", "10.000", "5.000", "15.000", "OFFSET (ft):", "OFFSET (m):"},
                         Units{"METRIC", "3.0000", "1.5000", "4.5000", "OFFSET (m):", "OFFSET (ft):"},
                         Units{"SI", "3.0000", "1.5000", "4.5000", "OFFSET (m):", "OFFSET (ft):"}}) {
    SCOPED_TRACE(u.system);
    project.unit_system = u.system;
    const InletRecord inlet = {
        {"INLET_NUMBER", "QA-17"}, {"ROADWAY", "Route 29"},   {"INLET_SUBTYPE", "DI-3B"},
        {"INLET_TYPE", "Combination Curb and Grate Inlet"},    {"INLET_LOCATION", "CONTINUOUS GRADE"},
        {"STATION", "10+50"},      {"OFFSET", "12.000"},      {"OFFSET_LOCATION", "RIGHT"},
        {"GUTWIDTH", "2.000"},     {"GUTXSLOPE", "0.0833"},   {"PAVXSLOPE", "0.0200"},
        {"LOCALDEP", "2.000"},     {"TOTAL_DISCHARGE", "7.800"}, {"INLETLENGTH", u.grate},
        {"OPENLEN_GRATE", u.upstream}};
    const fs::path report_file = dir / (std::string("report_") + u.system + ".xlsx");
    auto report = workbook::Workbook::open_copy(fs::path(RG_PROGRAM_DIR) / "INLET_REPORT.xlsr", report_file);
    write_inlet_report(report.sheet(1), inlet, project, std::chrono::year{2024} / 3 / 15);
    report.save();
    const fs::path ld204_file = dir / (std::string("ld204_") + u.system + ".xlsx");
    auto ld204 = workbook::Workbook::open_copy(fs::path(RG_PROGRAM_DIR) / "LD_204.xlsr", ld204_file);
    write_ld204(ld204.active_sheet(), InletTable({inlet}), project);
    ld204.save();

    const auto texts = pdf_texts({report_file, ld204_file});
    ASSERT_EQ(texts.size(), 2u) << texts.front();
    for (const std::string& text : texts) {
      SCOPED_TRACE(text);
      for (const char* value : {"QA-17", "DI-3B", "10+50", "J. Doe", "7.800", u.combined}) {
        EXPECT_NE(text.find(value), std::string::npos) << value;
      }
    }
    EXPECT_NE(texts[0].find(u.label), std::string::npos) << texts[0];
    EXPECT_EQ(texts[0].find(u.other_label), std::string::npos) << texts[0];
  }
  fs::remove_all(dir);
}

}  // namespace
}  // namespace rg::reports
