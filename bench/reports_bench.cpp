// The inlet list and the two reports for a project of 1,000 inlets.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <unistd.h>

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

// A project of 1,000 inlets, half on a grade and half in a sag, each with
// drainage sub-areas on both sides.
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
    db::Transaction t(conn);
    for (int i = 0; i < 1000; ++i) {
      const bool sag = i % 2 == 1;
      conn.execute(
          "INSERT INTO INLET (INLET_NUMBER, INLET_TYPE, INLET_LOCATION, INLETLENGTH, AREABUFSTR1, CBUFSTR1, "
          "AREABUFSTR2, CBUFSTR2, DISCHARGE1, CARRYOVER1, DISCHARGE2, CARRYOVER2, TOTALCA1, TOTALCA2, INTENSITY, "
          "PAVXSLOPE, GUTXSLOPE, GUTWIDTH, LOCALDEP, OPENSPREAD, GUTTERSPREAD, ALLOWABLE_SPREAD, HEIGHTOFCURB, "
          "INTLEN, OPENLEN_GRATE) VALUES (?, ?, ?, '10.000', '0.5,0.7,,,,,,,,,,,,,', "
          "'0.9,0.9,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3', '0.3,,,,,,,,,,,,,,', "
          "'0.8,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3,0.3', '3.0', '0.5', '1.0', '0.0', '1.080', "
          "'0.240', '6.5', '0.02', '0.0833', '2.000', '2.000', '9.2', '7.5', '8.0', '6', '20.000', '5.000')",
          {"I-" + std::to_string(1000 + i), i % 3 == 0 ? "Combination Curb and Grate Inlet" : "Curb Inlet",
           sag ? "SUMP" : "CONTINUOUS GRADE"});
    }
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

void BM_Ld204AllInlets(benchmark::State& state) {
  auto& p = project();
  const auto inlets = reports::store::load_inlets(*p.session->project.project_conn);
  const auto values = reports::report_project(*p.session);
  for (auto _ : state) {
    auto book = workbook::Workbook::open_copy(fs::path(RG_PROGRAM_DIR) / "LD_204.xlsr", p.folder / "ld204.xlsx");
    reports::write_ld204(book.active_sheet(), inlets, values);
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
