// The hydrology formulas, the stored strings, the rainfall look-up, and the two
// dialogs opening on stored strings.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/session.h"
#include "hydrology/area_dialog.h"
#include "hydrology/formulas.h"
#include "hydrology/land_use.h"
#include "hydrology/rainfall_store.h"
#include "hydrology/tc_dialog.h"
#include "hydrology/tc_strings.h"
#include "platform/db/connection.h"
#include "platform/ui/scripted_desktop.h"

namespace {

using namespace rg::hydrology;

void BM_SegmentTimes(benchmark::State& state) {
  for (auto _ : state) {
    benchmark::DoNotOptimize(kinematic_wave_time({100, 10.5, 10.0}, 0.015, Units::English));
    benchmark::DoNotOptimize(gutter_flow_time({300, 12.0, 10.5}, 0.016, 0.2, Units::English));
    benchmark::DoNotOptimize(seeley_time({150, 20.0, 17.0}, 0.35, Units::English));
    benchmark::DoNotOptimize(kirpich_time(20, 1000, Units::English));
  }
}
BENCHMARK(BM_SegmentTimes);

void BM_IntensityAndDischarge(benchmark::State& state) {
  const RainfallCoefficients c{RainfallCoefficients::Formula::Storm, 0, 60, 10, 0.8};
  for (auto _ : state) {
    benchmark::DoNotOptimize(rainfall_intensity(c, 12.0, Units::English));
    benchmark::DoNotOptimize(compute_discharge({1.75, 0.9, 4.922, 1.1, 0.35, 0.0, true}, Units::English));
  }
}
BENCHMARK(BM_IntensityAndDischarge);

void BM_DecodeStoredStrings(benchmark::State& state) {
  const std::string tcstr =
      "80.000,20.400,20.000,0.0050,Sparce Vegetation (0.05 - 0.13),0.13,10.705,250.000,15.000,13.000,"
      "0.0080,0.016,0.150,1.777,0.000,0.0,0.0,,Paved,0.9,0.0,12.000,600.000,"
      "Natural basin with well defined channel,1.0,5.082,17.564";
  for (auto _ : state) {
    benchmark::DoNotOptimize(decode_tcstr(tcstr));
    benchmark::DoNotOptimize(decode_tcoptionstr("1,1,0,1"));
    benchmark::DoNotOptimize(decode_area_rows(LandUseTable::Rows15, ",,,,,,,,1.250,,,0.800,,,0.333",
                                              "0.80,0.65,0.50,0.40,0.40,0.35,0.30,0.20,0.90,0.50,0.35,0.35,0.20,0.40,0.35"));
  }
}
BENCHMARK(BM_DecodeStoredStrings);

void BM_RainfallLookUp(benchmark::State& state) {
  rg::db::Connection noaa;
  noaa.open(std::filesystem::path(RG_PROGRAM_DIR) / "VARMNOAA.rdb", rg::db::Access::ReadOnly);
  for (auto _ : state) {
    benchmark::DoNotOptimize(look_up_rainfall(noaa, RainfallSource::Station, "Stuart's Draft", "25"));
  }
}
BENCHMARK(BM_RainfallLookUp);

// The inlet design form's flow data, as the dialogs read them when they open.
class StoredBoxes : public rg::hyd::InletFormPort {
 public:
  rg::hyd::FlowData flow_data() override {
    return {.tc_str = "80.000,20.400,20.000,0.0050,Sparce Vegetation (0.05 - 0.13),0.13,10.705,250.000,15.000,"
                      "13.000,0.0080,0.016,0.150,1.777,0.000,0.0,0.0,,Paved,0.9,0.0,12.000,600.000,"
                      "Natural basin with well defined channel,1.0,5.082,17.564",
            .tc_option_str = "1,1,0,1",
            .area_str = {",,,,,,,,1.250,,,0.800,,,0.333", ""},
            .c_str = {"0.80,0.65,0.50,0.40,0.40,0.35,0.30,0.20,0.90,0.50,0.35,0.35,0.20,0.40,0.35", ""}};
  }
  void write_flow(const rg::hyd::FlowWrites&) override {}
  std::string text(rg::hyd::Box) override { return {}; }
  void set_text(rg::hyd::Box, std::string_view) override {}
  void set_enabled(rg::hyd::Box, bool) override {}
  void set_back_color(rg::hyd::Box, std::uint32_t) override {}
  void show_message(std::string_view, rg::hyd::MessageIcon, std::string_view) override {}
  void clear_results() override {}
  void format_results() override {}
  std::string unit_system() override { return "ENGLISH"; }
  rg::hyd::UnitCoefficients& unit_coefficients() override { return coefficients_; }

 private:
  rg::hyd::UnitCoefficients coefficients_;
};

// Loading (design, stored strings decoded, included segments computed) and
// unloading.
template <class Dialog>
void BM_OpenDialog(benchmark::State& state) {
  rg::ui::ScriptedDesktop desktop;
  rg::app::Session session(desktop, RG_PROGRAM_DIR);
  StoredBoxes boxes;
  session.services.inlet_boxes = [&boxes]() -> rg::hyd::InletFormPort& { return boxes; };
  session.project.unit_system = "ENGLISH";
  session.handover.area_side = rg::app::AreaSide::side1;
  auto& dialog = session.form<Dialog>();
  for (auto _ : state) {
    dialog.load();
    dialog.unload();
  }
}
BENCHMARK(BM_OpenDialog<FrmTc>);
BENCHMARK(BM_OpenDialog<FrmAreaV2>);

}  // namespace
