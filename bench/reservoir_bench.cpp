// Cost of one reservoir-property curve: the Darcy and non-Darcy gas curve
// (24 pseudo-pressure lookups in a 51-entry table built by the gas-property
// routine) and the Darcy-Vogel oil curve.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "blocks/block_layout.hpp"
#include "fluids/gas_properties.hpp"
#include "inflow/darcy_nondarcy.hpp"
#include "inflow/darcy_vogel.hpp"

namespace {

void BM_DarcyNonDarcyGasCurve(benchmark::State& state) {
  static const std::array<double, dlv::layout::tables::total_bytes / 8> tables{};
  std::array<double, 200> pp{}, mp{};
  std::int32_t count = 0;
  const double sg = 0.7, t = 200.0, top = 2500.0;
  dlv::build_pseudo_pressure_table(sg, t, top, pp.data(), mp.data(), count,
                                   dlv::FluidTables{tables.data()});
  std::array<double, 25> q{}, p{};
  double pr = 2400.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pr);
    dlv::darcy_nondarcy_gas_curve({10.0, 30.0, 1490.0, 0.328, 2.0}, pr, {t, sg, 0.02},
                                  {q.data(), p.data()}, {pp.data(), mp.data(), count}, 0);
    benchmark::DoNotOptimize(q.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DarcyNonDarcyGasCurve);

void BM_DarcyVogelCurve(benchmark::State& state) {
  std::array<double, 25> q{}, p{};
  double pr = 2400.0;
  for (auto _ : state) {
    benchmark::DoNotOptimize(pr);
    dlv::darcy_vogel_curve({100.0, 50.0, 1490.0, 0.328, 0.0}, {1.2, 0.5, 1950.0, 0.3, 1.0}, pr,
                           {q.data(), p.data()}, 0);
    benchmark::DoNotOptimize(q.data());
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DarcyVogelCurve);

}  // namespace
