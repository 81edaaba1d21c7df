// The blocks a host fills for one dlv_cal call, sized by the public header,
// with named setters for the int32 fields and flag bytes that share slots.
// Shared by every test program and benchmark that fills blocks as a host does.
#pragma once

#include <cstdint>
#include <cstring>
#include <memory>

#include "dlv/dlv_layout.h"

namespace host {

inline void put_i32(double* block, std::size_t byte, std::int32_t v) {
  std::memcpy(reinterpret_cast<unsigned char*>(block) + byte, &v, sizeof v);
}
inline std::int32_t get_i32(const double* block, std::size_t byte) {
  std::int32_t v;
  std::memcpy(&v, reinterpret_cast<const unsigned char*>(block) + byte, sizeof v);
  return v;
}
inline void put_u8(double* block, std::size_t byte, std::uint8_t v) {
  std::memcpy(reinterpret_cast<unsigned char*>(block) + byte, &v, sizeof v);
}

struct Blocks {
  double fluids[DLV_LAYER_FLUIDS_SLOTS]{};
  double tables[DLV_FLUID_TABLES_SLOTS]{};
  double separator[DLV_SEPARATOR_SLOTS]{};
  double layer_curves[DLV_CURVE_BLOCK_SLOTS]{};
  double well[DLV_WELL_RECORD_SLOTS]{};
  std::int32_t mode = DLV_MODE_OIL_PRODUCTION;
  double completion[DLV_COMPLETION_SLOTS]{};
  double completion_curves[DLV_CURVE_BLOCK_SLOTS]{};
  double traverse_curves[DLV_CURVE_BLOCK_SLOTS]{};
  double traverse[DLV_TRAVERSE_SLOTS]{};
  double summary[DLV_WELL_SUMMARY_SLOTS]{};
  double results[DLV_LAYER_RESULTS_SLOTS]{};

  void set_layer_count(std::int32_t n) { put_i32(well, DLV_WELL_RECORD_LAYER_COUNT_BYTE, n); }
  void set_method(std::int32_t m) { put_i32(well, DLV_WELL_RECORD_METHOD_CODE_BYTE, m); }
  void set_gas_method(std::int32_t m) { put_i32(well, DLV_WELL_RECORD_GAS_METHOD_BYTE, m); }
  void set_gas_injection_method(std::int32_t m) {
    put_i32(well, DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE, m);
  }
  void set_water_injection_method(std::int32_t m) {
    put_i32(well, DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE, m);
  }
  void set_test_count(std::int32_t n) { put_i32(well, DLV_WELL_RECORD_TEST_COUNT_BYTE, n); }
  void set_ratetest_rows(std::int32_t n) {
    put_i32(well, DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE, n);
  }
  void set_given_flags(std::uint8_t c, std::uint8_t n) {
    put_u8(well, DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE, c);
    put_u8(well, DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE, n);
  }
  void set_fluid_type(std::int32_t t) { put_i32(fluids, DLV_LAYER_FLUIDS_FLUID_TYPE_BYTE, t); }
  void set_completion_model(std::int32_t m) {
    put_i32(completion, DLV_COMPLETION_COMPLETION_MODEL_BYTE, m);
  }
  // One test of the well record: rate and flowing pressure.
  void set_test(int k, double rate, double pressure) {
    well[DLV_WELL_RECORD_TEST_RATE + k] = rate;
    well[DLV_WELL_RECORD_TEST_PRESSURE + k] = pressure;
  }

  double* rate(int L) { return layer_curves + DLV_CURVES_RATE + L * DLV_POINTS; }
  double* pressure(int L) { return layer_curves + DLV_CURVES_PRESSURE + L * DLV_POINTS; }
  double* drawdown(int L) { return layer_curves + DLV_CURVES_DRAWDOWN + L * DLV_POINTS; }

  // A plain oil reservoir of `layers` layers with correlation fluids.
  static std::unique_ptr<Blocks> oil_well(std::int32_t layers = 1) {
    auto b = std::make_unique<Blocks>();
    b->set_layer_count(layers);
    b->set_fluid_type(DLV_FLUID_CORRELATIONS);
    b->separator[DLV_SEPARATOR_PRESSURE] = 100.0;
    b->separator[DLV_SEPARATOR_TEMPERATURE] = 80.0;
    for (int L = 0; L < layers && L < DLV_LAYERS; ++L) {
      b->fluids[DLV_LAYER_FLUIDS_API_GRAVITY + L] = 35.0;
      b->fluids[DLV_LAYER_FLUIDS_WATER_CUT + L] = 0.2;
      b->fluids[DLV_LAYER_FLUIDS_WATER_SG + L] = 1.05;
      b->fluids[DLV_LAYER_FLUIDS_GAS_SG + L] = 0.7;
      b->fluids[DLV_LAYER_FLUIDS_PRODUCING_GOR + L] = 500.0;
      b->well[DLV_WELL_RECORD_LAYER_TEMPERATURE + L] = 180.0;
      b->well[DLV_WELL_RECORD_PERMEABILITY + L] = 50.0;
      b->well[DLV_WELL_RECORD_THICKNESS + L] = 30.0;
      b->well[DLV_WELL_RECORD_DRAINAGE_RADIUS + L] = 1000.0;
      b->well[DLV_WELL_RECORD_WELLBORE_RADIUS + L] = 0.354;
      b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE + L] = 2400.0;
    }
    return b;
  }
  // The same well on Vogel's method from one test of 1000 STB/d at 1800 psig.
  static std::unique_ptr<Blocks> vogel_well() {
    auto b = oil_well();
    b->set_method(DLV_OIL_METHOD_VOGEL);
    b->set_test_count(1);
    b->set_test(0, 1000.0, 1800.0);
    return b;
  }

  // Runs dlv_cal, or any routine of its arguments, over the blocks.
  template <typename Cal>
  std::int32_t run(Cal cal, const char* log_path = nullptr, std::int32_t changed = 0) {
    return cal(fluids, tables, separator, layer_curves, well, &mode, completion, completion_curves,
               traverse_curves, traverse, summary, results, changed, log_path);
  }
};

}  // namespace host
