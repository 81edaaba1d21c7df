// The benchmark wells: whole calculations through the driver, each filled as
// a host fills its blocks. Shared by the Google Benchmark programs and by the
// fixed-count caller that the instruction counts run under callgrind.
#pragma once

#include <cmath>
#include <cstdint>
#include <memory>

#include "driver/driver.hpp"
#include "support/host_blocks.hpp"

namespace bench_wells {

// Blocks of the host's sizes: `layers` layers of an oil with correlation fluids.
struct Well : host::Blocks {
  explicit Well(std::int32_t mode_, std::int32_t layers) {
    mode = mode_;
    separator[DLV_SEPARATOR_PRESSURE] = 100.0;
    separator[DLV_SEPARATOR_TEMPERATURE] = 80.0;
    set_layer_count(layers);
    set_fluid_type(DLV_FLUID_CORRELATIONS);
    for (int L = 0; L < layers; ++L) {
      fluids[DLV_LAYER_FLUIDS_API_GRAVITY + L] = 32.0 + 0.1 * L;
      fluids[DLV_LAYER_FLUIDS_WATER_CUT + L] = 0.3;
      fluids[DLV_LAYER_FLUIDS_WATER_SG + L] = 1.05;
      fluids[DLV_LAYER_FLUIDS_GAS_SG + L] = 0.72;
      fluids[DLV_LAYER_FLUIDS_PRODUCING_GOR + L] = 600.0;
      well[DLV_WELL_RECORD_LAYER_TEMPERATURE + L] = 170.0 + L;
      well[DLV_WELL_RECORD_PERMEABILITY + L] = 20.0 + L;
      well[DLV_WELL_RECORD_THICKNESS + L] = 25.0;
      well[DLV_WELL_RECORD_DRAINAGE_RADIUS + L] = 1500.0;
      well[DLV_WELL_RECORD_WELLBORE_RADIUS + L] = 0.354;
      well[DLV_WELL_RECORD_SKIN + L] = 1.0;
      well[DLV_WELL_RECORD_RESERVOIR_PRESSURE + L] = 3000.0 - 10.0 * L;
      well[DLV_WELL_RECORD_LAYER_DEPTH + L] = 8000.0 + 20.0 * L;
    }
  }
  void run() {
    dlv::run_calculation({fluids, tables, separator, layer_curves, well, &mode, completion,
                          completion_curves, traverse_curves, traverse, summary, results, 0,
                          nullptr});
  }
};

inline std::unique_ptr<Well> OneLayerVogelOil() {
  auto w = std::make_unique<Well>(DLV_MODE_OIL_PRODUCTION, 1);
  w->set_method(DLV_OIL_METHOD_VOGEL);
  w->set_test_count(1);
  w->set_test(0, 1000.0, 1800.0);
  return w;
}

inline std::unique_ptr<Well> OneLayerBackPressureGas() {
  auto w = std::make_unique<Well>(DLV_MODE_GAS_PRODUCTION, 1);
  w->set_gas_method(DLV_GAS_METHOD_BACKPRESSURE_FIT);
  w->set_test_count(4);
  const double p[4] = {2700.0, 2400.0, 2000.0, 1600.0};
  for (int k = 0; k < 4; ++k)
    w->set_test(k, 0.003 * std::pow(3000.0 * 3000.0 - p[k] * p[k], 0.8), p[k]);
  return w;
}

inline std::unique_ptr<Well> FiftyLayerGasDarcy() {
  auto w = std::make_unique<Well>(DLV_MODE_GAS_PRODUCTION, 50);
  w->set_gas_method(DLV_GAS_METHOD_DARCY_NONDARCY);
  return w;
}

inline std::unique_ptr<Well> FiftyLayerOilDarcyVogel() {
  auto w = std::make_unique<Well>(DLV_MODE_OIL_PRODUCTION, 50);
  w->set_method(DLV_OIL_METHOD_DARCY_VOGEL);
  return w;
}

inline std::unique_ptr<Well> TenLayerGasCompletionModel2() {
  auto w = std::make_unique<Well>(DLV_MODE_GAS_PRODUCTION, 10);
  w->set_gas_method(DLV_GAS_METHOD_DARCY_NONDARCY);
  w->set_completion_model(DLV_COMPLETION_CRUSHED_ZONE);
  w->completion[DLV_COMPLETION_SHOT_DENSITY_FACTOR] = 1.0;
  for (int L = 0; L < 10; ++L) {
    w->completion[DLV_COMPLETION_CRUSHED_ZONE_PERMEABILITY + L] = 20.0;
    w->completion[DLV_COMPLETION_CRUSHED_ZONE_THICKNESS + L] = 0.5;
    w->completion[DLV_COMPLETION_SHOT_DENSITY + L] = 4.0;
    w->completion[DLV_COMPLETION_PERFORATION_DIAMETER + L] = 0.4;
    w->completion[DLV_COMPLETION_PERFORATED_INTERVAL + L] = 20.0;
    w->completion[DLV_COMPLETION_PERFORATION_LENGTH + L] = 10.0;
  }
  return w;
}

inline std::unique_ptr<Well> FiftyLayerOilCompositeWithCoupling() {
  auto w = std::make_unique<Well>(DLV_MODE_OIL_PRODUCTION, 50);
  w->set_method(DLV_OIL_METHOD_DARCY_NONDARCY);
  w->well[DLV_WELL_RECORD_REFERENCE_DEPTH] = 7000.0;
  return w;
}

struct Entry {
  const char* name;
  std::unique_ptr<Well> (*make)();
};

// Every benchmark well by its benchmark name.
inline constexpr Entry kWells[] = {
    {"BM_OneLayerVogelOil", OneLayerVogelOil},
    {"BM_OneLayerBackPressureGas", OneLayerBackPressureGas},
    {"BM_FiftyLayerGasDarcy", FiftyLayerGasDarcy},
    {"BM_FiftyLayerOilDarcyVogel", FiftyLayerOilDarcyVogel},
    {"BM_TenLayerGasCompletionModel2", TenLayerGasCompletionModel2},
    {"BM_FiftyLayerOilCompositeWithCoupling", FiftyLayerOilCompositeWithCoupling},
};

}  // namespace bench_wells
