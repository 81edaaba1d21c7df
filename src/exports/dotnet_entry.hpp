// The .NET entry: the seven arguments a .NET host passes, with the library's
// own static buffers in place of the other blocks of a full calculation.
#pragma once

#include <cstdint>

namespace dlv {

std::int32_t run_calculation_dotnet(double* layer_fluids, double* separator_conditions,
                                    double* well_record, std::int32_t* calc_mode,
                                    double* completion_block, double* traverse_block,
                                    double* well_summary);

}  // namespace dlv
