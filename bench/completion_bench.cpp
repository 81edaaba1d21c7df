// Cost of the completion stage on a ten-layer gas well with crushed-zone
// perforations (model 2): per layer an end-rate search on the layer curve
// and a 24-step loss table in pseudo-pressure.
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

#include "blocks/block_layout.hpp"
#include "completion/completion_stage.hpp"

namespace {

namespace lay = dlv::layout;

void BM_CompletionLossesGasModel2(benchmark::State& state) {
  std::vector<double> completion(lay::completion::min_slots), curves(lay::curves::total_slots),
      record(lay::well::min_slots), out(lay::curves::total_slots), fluids(1426);
  std::array<double, 200> pp{}, pm{};
  const std::int32_t model = 2, layers = 10, mode = 1;
  std::memcpy(completion.data(), &model, 4);
  std::memcpy(reinterpret_cast<unsigned char*>(record.data()) + lay::well::layer_count_byte,
              &layers, 4);
  const dlv::CompletionBlock cb{completion.data()};
  const dlv::CurveTables layer{curves.data()};
  const dlv::WellRecord well{record.data()};
  const dlv::LayerFluids f{fluids.data()};
  cb.shot_density_factor() = 1.0;
  for (int L = 0; L < layers; ++L) {
    cb.crushed_zone_permeability()[L] = 5.0, cb.crushed_zone_thickness()[L] = 0.4;
    cb.shot_density()[L] = 4.0, cb.perforation_diameter()[L] = 0.5;
    cb.perforated_interval()[L] = 20.0, cb.perforation_length()[L] = 6.0;
    well.layer_temperature()[L] = 200.0, f.gas_sg()[L] = 0.7, f.gas_viscosity()[L] = 0.02;
    const double pr = 2000.0 + 100.0 * L;
    for (int i = 0; i < 25; ++i) {
      const double p = pr - i * pr / 24.0;
      layer.pressure(L)[i] = p;
      layer.rate(L)[i] = 1.0e-3 * (1.0 + L) * (pr * pr - p * p);
    }
  }
  for (int i = 0; i <= 50; ++i) pp[i] = 100.0 * i, pm[i] = 100.0 * pp[i] * pp[i];

  for (auto _ : state) {
    dlv::apply_completion_losses(cb, layer, well, mode, {out.data()}, f,
                                 {pp.data(), pm.data(), 51});
    benchmark::DoNotOptimize(out.data());
    benchmark::ClobberMemory();
  }
  state.SetItemsProcessed(state.iterations() * layers);
}
BENCHMARK(BM_CompletionLossesGasModel2);

}  // namespace
