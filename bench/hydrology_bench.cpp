// The hydrology formulas, the stored strings and the rainfall look-up.

#include <benchmark/benchmark.h>

#include <filesystem>

#include "hydrology/formulas.h"
#include "hydrology/land_use.h"
#include "hydrology/rainfall_store.h"
#include "hydrology/tc_strings.h"
#include "platform/db/connection.h"

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

}  // namespace
