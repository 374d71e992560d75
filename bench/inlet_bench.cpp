// The inlet design form on a project of 1,000 inlets: opening one in EDIT,
// Solve of each kind through the form against the computation alone, and Save.

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <memory>
#include <string>

#include "app/project_store.h"
#include "app/session.h"
#include "hydraulics/dispatch.h"
#include "inlet/inlet_form.h"
#include "inlet/unit_settings.h"
#include "platform/db/connection.h"
#include "platform/db/record_set.h"
#include "platform/ui/desktop.h"

namespace {

namespace fs = std::filesystem;
using rg::inlet::FrmInletMain;

// Answers every box at once: OK, or Yes to a question.
class QuietDesktop : public rg::ui::Desktop {
 public:
  rg::ui::Answer message_box(const rg::ui::MessageBox& box) override {
    return box.buttons == rg::ui::Buttons::YesNo ? rg::ui::Answer::Yes : rg::ui::Answer::OK;
  }
  bool show_modal(rg::ui::Form&) override { return false; }
  void show(rg::ui::Form&) override {}
  void refresh(rg::ui::Form&) override {}
  std::optional<std::string> choose_file(const rg::ui::FileDialogRequest&) override { return std::nullopt; }
  void beep() override {}
  void wait(double) override {}
  bool open_document(const fs::path&) override { return true; }
  bool open_url(const std::string&) override { return true; }
};

// A project file of 1,000 solved grate inlets "I0000".."I0999", the first nine
// of them turned into the nine kinds and locations.
class Project {
 public:
  Project() {
    file_ = fs::temp_directory_path() / ("rg_inlet_bench_" + std::to_string(::getpid()) + ".rvg");
    fs::copy_file(fs::path(RG_PROGRAM_DIR) / "Tovrel21.rdb", file_, fs::copy_options::overwrite_existing);
    session = std::make_unique<rg::app::Session>(desktop, RG_PROGRAM_DIR);
    session->project.project_db_path = file_.string();
    rg::app::quillmere_libraries::open_project_connection(*session);
    auto& conn = *session->project.project_conn;
    conn.execute(
        "INSERT INTO PROJECT (PROJECT_ID, PROJECT_NAME, COUNTY, STATE, UNITS, MAJOR_RELEASE) "
        "VALUES ('P-1', 'Bench', 'Albemarle', 'VA', 'ENGLISH', '2.1')");
    rg::app::quillmere_libraries::load_project_record(*session);
    rg::inlet::wire_services(*session);
    seed_inlet();
    std::string columns;
    for (const auto& c : conn.columns("INLET")) {
      if (c != "INLET_NUMBER") columns += ", " + c;
    }
    rg::db::Transaction t(conn);
    for (int i = 1; i < 1000; ++i) {
      conn.execute("INSERT INTO INLET (INLET_NUMBER" + columns + ") SELECT ?" + columns +
                       " FROM INLET WHERE INLET_NUMBER = 'I0000'",
                   {rg::db::Value(number(i))});
    }
    int i = 0;
    for (const auto& kind : rg::hyd::inlet_kinds()) {
      conn.execute("UPDATE INLET SET INLET_TYPE = ?, INLET_LOCATION = ? WHERE INLET_NUMBER = ?",
                   {rg::db::Value(kind.inlet_type), rg::db::Value(kind.inlet_location), rg::db::Value(number(i++))});
    }
    t.commit();
  }
  ~Project() {
    session.reset();
    fs::remove(file_);
  }
  static std::string number(int i) {
    std::string n = std::to_string(i);
    return "I" + std::string(4 - n.size(), '0') + n;
  }
  FrmInletMain& form() { return session->form<FrmInletMain>(); }
  // The inlet's row as the inlet list hands it over.
  void open(const std::string& inlet, rg::app::OpenMode mode) {
    rg::db::RecordSet row;
    row.open(*session->project.project_conn, "SELECT rowid FROM INLET WHERE INLET_NUMBER = ?", {inlet});
    session->handover.inlet_to_open = {row.has_current_row() ? row.value(0).integer().value_or(0) : 0, inlet};
    session->handover.inlet_open_mode = mode;
    form().load();
  }

  QuietDesktop desktop;
  std::unique_ptr<rg::app::Session> session;

 private:
  // One grate on a grade with 3 cfs, solved and saved through the form.
  void seed_inlet() {
    open("", rg::app::OpenMode::add);
    auto& f = form();
    f.control("Inlet_Number").set_text("I0000");
    f.control("inlet_type").set_list_index(1);
    f.control("input_discharge").set_value(1);
    f.control("discharge1").set_text("3");
    f.control("QTotal").set_text("3.000");
    f.control("SSTab1").set_current_tab(2);
    f.cmdsolve_Click();
    f.mnuSaveinlet_Click();
    f.unload();
  }
  fs::path file_;
};

Project& project() {
  static Project p;
  return p;
}

void BM_OpenInEdit(benchmark::State& state) {
  auto& p = project();
  for (auto _ : state) {
    p.open("I0500", rg::app::OpenMode::edit);
    state.PauseTiming();
    p.form().unload();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_OpenInEdit)->Unit(benchmark::kMillisecond);

// Solve of the inlet of kind n through the form, and (with arg 1) its
// computation alone through the same form.
void BM_Solve(benchmark::State& state) {
  auto& p = project();
  const auto index = static_cast<std::size_t>(state.range(0));
  const bool alone = state.range(1) != 0;
  const auto& kind = rg::hyd::inlet_kinds()[index];
  p.open(Project::number(static_cast<int>(index)), rg::app::OpenMode::edit);
  auto& f = p.form();
  // The seed's set-up emptied what a grate on a grade does not use.
  rg::inlet::quillmere_libraries::reset_geometry_inputs(f, *p.session);
  if (kind.inlet_location == rg::hyd::sump) {
    f.control("discharge2").set_text("1.5");
    f.control("discharge1").set_text("1.5");
  }
  f.control("SSTab1").set_current_tab(2);
  const bool done = kind.compute(f) == rg::hyd::Outcome::done;
  for (auto _ : state) {
    if (alone) {
      benchmark::DoNotOptimize(kind.compute(f));
    } else {
      f.cmdsolve_Click();
    }
  }
  state.SetLabel(std::string(kind.inlet_type) + " / " + std::string(kind.inlet_location) +
                 (done ? "" : " (failure path)"));
  f.unload();
}
BENCHMARK(BM_Solve)->ArgsProduct({{0, 1, 2, 3, 4, 5, 7, 8, 9}, {0, 1}})->Unit(benchmark::kMicrosecond);

void BM_Save(benchmark::State& state) {
  auto& p = project();
  p.open("I0500", rg::app::OpenMode::edit);
  auto& f = p.form();
  for (auto _ : state) {
    state.PauseTiming();
    if (f.screenmode() == "VIEW") f.mnuEditinlet_Click();
    f.control("SSTab1").set_current_tab(2);
    f.cmdsolve_Click();
    state.ResumeTiming();
    f.mnuSaveinlet_Click();
  }
  f.unload();
}
BENCHMARK(BM_Save)->Unit(benchmark::kMillisecond);

}  // namespace
