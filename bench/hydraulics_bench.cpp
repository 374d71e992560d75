// The shared solvers and the nine inlet computations, each through a form that
// lives in memory.

#include <benchmark/benchmark.h>

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "hydraulics/computations.h"
#include "hydraulics/port.h"
#include "hydraulics/solvers.h"

namespace {

using namespace rg::hyd;

// Looks boxes up by name without making a string of the name, as a form's
// name-to-control map would.
struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
};

class MemoryForm : public InletFormPort {
 public:
  std::string text(Box control) override {
    const auto it = boxes.find(control.name());
    return it == boxes.end() ? std::string() : it->second;
  }
  void set_text(Box control, std::string_view text) override {
    const auto it = boxes.find(control.name());
    if (it == boxes.end()) {
      boxes.emplace(control.name(), text);
    } else {
      it->second.assign(text);
    }
  }
  void set_enabled(Box, bool) override {}
  void set_back_color(Box, std::uint32_t) override {}
  void show_message(std::string_view, MessageIcon, std::string_view) override {}
  void clear_results() override {}
  void format_results() override {}
  std::string unit_system() override { return "ENGLISH"; }
  UnitCoefficients& unit_coefficients() override { return coefficients; }
  FlowData flow_data() override { return {}; }
  void write_flow(const FlowWrites&) override {}

  std::unordered_map<std::string, std::string, NameHash, std::equal_to<>> boxes = {
      {"allowable_spread", "8.0"}, {"txtS", "0.010"},    {"txtn", "0.015"},     {"txtW", "2.000"},
      {"txtSx", "0.0208"},         {"txtSw", "0.0833"},  {"txtWa", "2.000"},    {"txta", "2.000"},
      {"cboLength", "4.000"},      {"cboLCOUG", "2.000"}, {"txtWg", "2.000"},   {"txtzl", "3.000"},
      {"txtzr", "3.000"},          {"txthco", "4.000"},  {"txtPeri", "6.000"},  {"txtArea", "2.000"},
      {"txtslotw", "1.75"},        {"txtAngle", "0.00"}, {"cboType", "P-1-7/8"}, {"cboThroat", "Vertical"},
      {"cboCurb", "With Curb"},    {"cboClog", "0"},     {"QTotal", "15"},      {"discharge1", "7.5"},
      {"carryover1", "0.0"},       {"discharge2", "7.5"}, {"carryover2", "0.0"}};
  UnitCoefficients coefficients;
};

void BM_CompositeGutterSpread(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(Common_Libraries::composite_gutter_spread(
        0.56f, 3.0, 0.01, 0.015, 2.0, 0.0208, 0.0833, 2.0, 8.0));
  }
}
BENCHMARK(BM_CompositeGutterSpread);

void BM_DitchNormalDepth(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        Common_Libraries::ditch_normal_depth(1.486f, 10.0, 0.005, 0.03, 2.0, 3.0, 3.0));
  }
}
BENCHMARK(BM_DitchNormalDepth);

// About 700 steps of the 0.001 grid.
void BM_CombinationSagDepth(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(
        Common_Libraries::combination_sag_depth(15.0, 2.0, 32.16f, 1.0 / 3, 1.0 / 3, 4.0, 3, 0.0));
  }
}
BENCHMARK(BM_CombinationSagDepth);

template <Outcome (*Compute)(InletFormPort&)>
void BM_Computation(benchmark::State& state) {
  MemoryForm form;
  for (auto _ : state) benchmark::DoNotOptimize(Compute(form));
}

BENCHMARK_TEMPLATE(BM_Computation, GI_CG_RESULTS::compute)->Name("GI_CG_RESULTS");
BENCHMARK_TEMPLATE(BM_Computation, TRAP_CG_RESULTS::compute)->Name("TRAP_CG_RESULTS");
BENCHMARK_TEMPLATE(BM_Computation, COMBO_CG_RESULTS::compute)->Name("COMBO_CG_RESULTS");
BENCHMARK_TEMPLATE(BM_Computation, CISI_CG_RESULTS::compute)->Name("CISI_CG_RESULTS");
BENCHMARK_TEMPLATE(BM_Computation, CI_SU_RESULTS::compute)->Name("CI_SU_RESULTS");
BENCHMARK_TEMPLATE(BM_Computation, GI_SU_RESULTS::compute)->Name("GI_SU_RESULTS");
BENCHMARK_TEMPLATE(BM_Computation, COMBO_SU_RESULTS::compute)->Name("COMBO_SU_RESULTS");
BENCHMARK_TEMPLATE(BM_Computation, SI_SU_RESULTS::compute)->Name("SI_SU_RESULTS");
BENCHMARK_TEMPLATE(BM_Computation, TRAP_SU_RESULTS::compute)->Name("TRAP_SU_RESULTS");

}  // namespace
