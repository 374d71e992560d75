// The inlet list and the two reports for a project of 5,000 inlets.

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

#include "app/session.h"
#include "platform/db/connection.h"
#include "platform/ui/scripted_desktop.h"
#include "platform/workbook/workbook.h"
#include "reports/inlet_list.h"
#include "reports/inlet_list_store.h"
#include "reports/inlet_report_writer.h"
#include "reports/report_frame.h"
#include "reports/ld204_writer.h"

namespace {

namespace fs = std::filesystem;
using namespace rg;

constexpr int kInlets = 5000;

// Every field LD 204 shows, filled as a designed inlet has them.
constexpr const char* kFields[] = {
    "INLET_NUMBER", "ROADWAY",       "INLET_TYPE",   "INLET_LOCATION", "INLET_SUBTYPE", "STATION",
    "OFFSET",       "OFFSET_LOCATION", "INLETLENGTH", "OPENLEN_GRATE",  "INTLEN",        "AREABUFSTR1",
    "CBUFSTR1",     "AREABUFSTR2",   "CBUFSTR2",     "TOTALCA1",       "TOTALCA2",      "INTENSITY",
    "DISCHARGE1",   "DISCHARGE2",    "CARRYOVER1",   "CARRYOVER2",     "TOTAL_DISCHARGE", "LONGSLOPE",
    "PAVXSLOPE",    "GUTXSLOPE",     "GUTWIDTH",     "LOCALDEP",       "FLOWRATIO",     "DEPXSLOPE",
    "COMPXSLOPE",   "OPENSPREAD",    "GUTTERSPREAD", "ALLOWABLE_SPREAD", "HEIGHTOFCURB", "GRATEWIDTH",
    "EFFICIENCY",   "QINT",          "QCARRY",       "CURBDEPTH",      "DSBH",          "DEPTHATINLET",
    "INLETPERF"};

std::string fixed(double v, int decimals) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%.*f", decimals, v);
  return buffer;
}

// The values of inlet i in the order of kFields: curb, combination and ditch
// inlets on a grade and curb and grate inlets in a sag, with sub-areas on both sides.
std::vector<db::Value> inlet_values(int i) {
  static constexpr const char* types[] = {"Curb Inlet", "Combination Curb and Grate Inlet", "Grate Inlet in a Ditch",
                                          "Curb Inlet", "Grate Inlet"};
  const bool sag = i % 5 >= 3;
  const double k = 1.0 + (i % 37) / 100.0;
  const std::string areas = fixed(0.5 * k, 2) + "," + fixed(0.7 * k, 2) + "," + fixed(0.2 * k, 2) + ",,,,,,,,,,,,";
  const std::string cs = "0.90,0.30,0.50,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3";
  return {"I-" + std::to_string(10000 + i), "Route 29", types[i % 5], sag ? "SUMP" : "CONTINUOUS GRADE", "DI-3B",
          std::to_string(10 + i) + "+" + fixed(i % 100, 0), fixed(12 * k, 3), i % 2 ? "RIGHT" : "LEFT",
          fixed(10 * k, 3), "5.000", fixed(20 * k, 3), areas, cs, areas, cs, fixed(0.66 * k, 3), fixed(0.6 * k, 3),
          fixed(6.5 * k, 3), fixed(4.3 * k, 3), fixed(3.9 * k, 3), fixed(0.2 * k, 3), fixed(0.1 * k, 3),
          fixed(4.5 * k, 3), fixed(0.01 * k, 4), "0.0200", "0.0833", "2.000", "2.000", fixed(0.6 * k, 3), "0.0417",
          "0.0500", fixed(7.5 * k, 1), fixed(6.8 * k, 1), "8.0", "6", "1.500", fixed(0.8 / k, 3), fixed(3.6 * k, 3),
          fixed(0.9 * k, 3), fixed(3 * k, 3), "0.5", fixed(0.3 * k, 3), sag ? "OK" : ""};
}

// A project of 5,000 inlets in a temporary folder.
struct Project {
  fs::path folder = fs::temp_directory_path() / ("rg_reports_bench_" + std::to_string(::getpid()));
  fs::path file = folder / "bench.rvg";
  ui::ScriptedDesktop desktop;
  std::unique_ptr<app::Session> session;

  Project() {
    fs::create_directories(folder);
    fs::copy_file(fs::path(RG_PROGRAM_DIR) / "Tovrel21.rdb", file, fs::copy_options::overwrite_existing);
    session = std::make_unique<app::Session>(desktop, RG_PROGRAM_DIR);
    session->project.open_project_name = "Bench";
    session->project.unit_system = "ENGLISH";
    session->project.project_conn = std::make_unique<db::Connection>();
    auto& conn = *session->project.project_conn;
    conn.open(file, db::Access::ReadWrite);
    std::string names, marks;
    for (const char* name : kFields) {
      names += std::string(names.empty() ? "" : ", ") + name;
      marks += marks.empty() ? "?" : ", ?";
    }
    const std::string insert = "INSERT INTO INLET (" + names + ") VALUES (" + marks + ")";
    db::Transaction t(conn);
    for (int i = 0; i < kInlets; ++i) conn.execute(insert, inlet_values(i));
    t.commit();
    reports::wire_services(*session);
  }
  ~Project() {
    session.reset();
    fs::remove_all(folder);
  }
};

Project& project() {
  static Project p;
  return p;
}

void BM_ListOpens(benchmark::State& state) {
  auto& list = project().session->form<reports::FrmInletFlex>();
  for (auto _ : state) {
    list.load();
    list.unload();
  }
}
BENCHMARK(BM_ListOpens)->Unit(benchmark::kMillisecond);

// From the loaded list to the saved file, as the list's LD 204 command does it.
void BM_Ld204AllInlets(benchmark::State& state) {
  auto& p = project();
  const auto inlets = reports::store::load_inlets(*p.session->project.project_conn);
  const auto values = reports::report_project(*p.session);
  for (auto _ : state) {
    auto book = workbook::Workbook::open_copy(fs::path(RG_PROGRAM_DIR) / "LD_204.xlsr", p.folder / "ld204.xlsx");
    reports::write_ld204(book.active_sheet(), inlets, values);
    book.activate(1);
    book.save();
  }
}
BENCHMARK(BM_Ld204AllInlets)->Unit(benchmark::kMillisecond);

void BM_InletReport(benchmark::State& state) {
  auto& p = project();
  const auto inlets = reports::store::load_inlets(*p.session->project.project_conn);
  const auto values = reports::report_project(*p.session);
  for (auto _ : state) {
    auto book =
        workbook::Workbook::open_copy(fs::path(RG_PROGRAM_DIR) / "INLET_REPORT.xlsr", p.folder / "inlet.xlsx");
    reports::write_inlet_report(book.sheet(1), inlets[500], values, std::chrono::year{2024} / 3 / 15);
    book.save();
  }
}
BENCHMARK(BM_InletReport)->Unit(benchmark::kMillisecond);

}  // namespace
