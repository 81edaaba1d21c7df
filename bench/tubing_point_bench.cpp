// Cost of one point gradient of each tubing correlation at an oil-well point
// (2.441 in tubing, about 29 % liquid by volume, vertical upflow).
#include <benchmark/benchmark.h>

#include <string>

#include "tubing/correlation.hpp"

namespace {

dlv::FlowPoint oil_well_point() {
  dlv::FlowPoint p;
  p.superficial_liquid_velocity = 0.79;
  p.superficial_gas_velocity = 1.93;
  p.liquid_density = 49.9;
  p.gas_density = 1.79;
  p.liquid_viscosity = 3.0;
  p.gas_viscosity = 0.02;
  p.surface_tension = 8.0;
  p.inside_diameter = 2.441;
  p.roughness = 0.0006;
  p.pressure = 361.3;
  return p;
}

void BM_PointGradient(benchmark::State& state) {
  const auto correlation = static_cast<dlv::Correlation>(state.range(0));
  state.SetLabel(std::string(dlv::correlation_name(correlation)));
  dlv::FlowPoint point = oil_well_point();
  for (auto _ : state) {
    benchmark::DoNotOptimize(point);
    const dlv::Gradient g = dlv::point_gradient(correlation, point);
    benchmark::DoNotOptimize(g);
  }
}
BENCHMARK(BM_PointGradient)
    ->Arg(static_cast<int>(dlv::Correlation::kNoSlip))
    ->Arg(static_cast<int>(dlv::Correlation::kBeggsBrill))
    ->Arg(static_cast<int>(dlv::Correlation::kHagedornBrown))
    ->Arg(static_cast<int>(dlv::Correlation::kHagedornBrownOriginal))
    ->Arg(static_cast<int>(dlv::Correlation::kGray));

}  // namespace
