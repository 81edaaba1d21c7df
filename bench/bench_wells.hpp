// The benchmark wells: whole calculations through the driver, each filled as
// a host fills its blocks. Shared by the Google Benchmark programs and by the
// fixed-count caller that the instruction counts run under callgrind.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <memory>

#include "driver/driver.hpp"

namespace bench_wells {

inline void put_i32(double* block, std::size_t byte, std::int32_t v) {
  std::memcpy(reinterpret_cast<unsigned char*>(block) + byte, &v, sizeof v);
}

struct Well {
  double fluids[1426]{};
  double tables[45000 / 8]{};
  double separator[2]{100.0, 80.0};
  double layer_curves[3750]{};
  double well[2008]{};
  std::int32_t mode = 0;
  double completion[402]{};
  double completion_curves[3750]{};
  double traverse_curves[3750]{};
  double traverse[12888 / 8]{};
  double summary[150]{};
  double results[250]{};

  explicit Well(std::int32_t mode_, std::int32_t layers) : mode(mode_) {
    put_i32(well, 16, layers);
    put_i32(fluids, 0, 1);
    for (int L = 0; L < layers; ++L) {
      fluids[25 + L] = 32.0 + 0.1 * L;
      fluids[75 + L] = 0.3;
      fluids[175 + L] = 1.05;
      fluids[225 + L] = 0.72;
      fluids[325 + L] = 600.0;
      well[3 + L] = 170.0 + L;
      well[53 + L] = 20.0 + L;
      well[103 + L] = 25.0;
      well[153 + L] = 1500.0;
      well[203 + L] = 0.354;
      well[253 + L] = 1.0;
      well[303 + L] = 3000.0 - 10.0 * L;
      well[1756 + L] = 8000.0 + 20.0 * L;
    }
  }
  void run() {
    dlv::run_calculation({fluids, tables, separator, layer_curves, well, &mode, completion,
                          completion_curves, traverse_curves, traverse, summary, results, 0,
                          nullptr});
  }
};

inline std::unique_ptr<Well> OneLayerVogelOil() {
  auto w = std::make_unique<Well>(0, 1);
  put_i32(w->well, 0, 2);
  put_i32(w->well, 407 * 8, 1);
  w->well[408] = 1000.0;
  w->well[508] = 1800.0;
  return w;
}

inline std::unique_ptr<Well> OneLayerBackPressureGas() {
  auto w = std::make_unique<Well>(1, 1);
  put_i32(w->well, 4, 1);
  put_i32(w->well, 407 * 8, 4);
  const double p[4] = {2700.0, 2400.0, 2000.0, 1600.0};
  for (int k = 0; k < 4; ++k) {
    w->well[508 + k] = p[k];
    w->well[408 + k] = 0.003 * std::pow(3000.0 * 3000.0 - p[k] * p[k], 0.8);
  }
  return w;
}

inline std::unique_ptr<Well> FiftyLayerGasDarcy() {
  auto w = std::make_unique<Well>(1, 50);
  put_i32(w->well, 4, 0);
  return w;
}

inline std::unique_ptr<Well> FiftyLayerOilDarcyVogel() {
  auto w = std::make_unique<Well>(0, 50);
  put_i32(w->well, 0, 1);
  return w;
}

inline std::unique_ptr<Well> TenLayerGasCompletionModel2() {
  auto w = std::make_unique<Well>(1, 10);
  put_i32(w->well, 4, 0);
  put_i32(w->completion, 0, 2);
  w->completion[1] = 1.0;
  for (int L = 0; L < 10; ++L) {
    w->completion[52 + L] = 20.0;   // crushed-zone permeability
    w->completion[102 + L] = 0.5;   // crushed-zone thickness
    w->completion[152 + L] = 4.0;   // shots per foot
    w->completion[202 + L] = 0.4;   // perforation diameter
    w->completion[252 + L] = 20.0;  // perforated interval
    w->completion[352 + L] = 10.0;  // perforation length
  }
  return w;
}

inline std::unique_ptr<Well> FiftyLayerOilCompositeWithCoupling() {
  auto w = std::make_unique<Well>(0, 50);
  put_i32(w->well, 0, 0);
  w->well[1906] = 7000.0;  // reference depth
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
