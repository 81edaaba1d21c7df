// Cost of the gas-property routines: one deviation factor, one viscosity
// (which solves for z once more) and one pseudo-pressure table (101 of each).
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "blocks/block_layout.hpp"
#include "fluids/gas_properties.hpp"

namespace {

void BM_Zfachy(benchmark::State& state) {
  double t = 150.0, p = 1000.0, g = 0.7, z = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    dlv::zfachy(t, p, g, z);
    benchmark::DoNotOptimize(z);
  }
}
BENCHMARK(BM_Zfachy);

void BM_GasViscosity(benchmark::State& state) {
  double t = 150.0, p = 1000.0, g = 0.7, mu = 0.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(p);
    dlv::gas_viscosity(t, g, p, mu);
    benchmark::DoNotOptimize(mu);
  }
}
BENCHMARK(BM_GasViscosity);

void BM_BuildPseudoPressureTable(benchmark::State& state) {
  static const std::array<double, dlv::layout::tables::total_bytes / 8> tables{};
  std::array<double, 200> pressures{}, pseudo{};
  std::int32_t count = 0;
  double g = 0.7, t = 150.0, top = 3000.0;
  for (auto _ : state) {
    dlv::build_pseudo_pressure_table(g, t, top, pressures.data(), pseudo.data(), count,
                                     dlv::FluidTables{tables.data()});
    benchmark::DoNotOptimize(pseudo.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_BuildPseudoPressureTable);

}  // namespace
