// The calculation driver behind dlv_cal: one whole well calculation.
#pragma once

#include <cstdint>

namespace dlv {

// Runs one calculation over the host's blocks (the fourteen arguments of
// dlv_cal, in order) and returns 1.
std::int32_t run_calculation(double* layer_fluids, double* fluid_tables,
                             double* separator_conditions, double* layer_curves,
                             double* well_record, std::int32_t* calc_mode, double* completion_block,
                             double* completion_curves, double* traverse_curves,
                             double* traverse_block, double* well_summary, double* layer_results,
                             std::int32_t changed_pressure_flag, const char* log_path);

}  // namespace dlv
