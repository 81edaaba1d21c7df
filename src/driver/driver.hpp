// The calculation driver behind dlv_cal: one whole well calculation.
#pragma once

#include <cstdint>

#include "composite/tubing_referral.hpp"

namespace dlv {

// The fourteen arguments of dlv_cal, in order.
struct CalculationBlocks {
  double* layer_fluids;
  double* fluid_tables;
  double* separator_conditions;
  double* layer_curves;
  double* well_record;
  std::int32_t* calc_mode;
  double* completion_block;
  double* completion_curves;
  double* traverse_curves;
  double* traverse_block;
  double* well_summary;
  double* layer_results;
  std::int32_t changed_pressure_flag;
  const char* log_path;
};

// Runs one calculation over the host's blocks and returns 1.
std::int32_t run_calculation(const CalculationBlocks& blocks);

// The same calculation, with the layer curves referred to the reference depth
// by the given tubing instead of the traverse library. Only the named layer
// calls it, under the exports' call lock and floating-point guard; the
// exported functions always use the traverse library.
std::int32_t run_calculation_by_tubing(const CalculationBlocks& blocks,
                                       const CouplingTubing& tubing);

}  // namespace dlv
