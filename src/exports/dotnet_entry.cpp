#include "exports/dotnet_entry.hpp"

#include "blocks/block_layout.hpp"
#include "driver/driver.hpp"

namespace dlv {

namespace {

// Static buffers of the .NET entry: zero at load, keeping whatever the last
// calculation wrote. The table block's use flags stay clear, so every
// property comes from its correlation.
struct DotnetBuffers {
  double fluid_tables[layout::tables::total_bytes / sizeof(double)];
  double layer_curves[layout::curves::total_slots];
  double completion_curves[layout::curves::total_slots];
  double traverse_curves[layout::curves::total_slots];
  double layer_results[layout::results::total_slots];
};
DotnetBuffers dotnet_buffers{};

}  // namespace

std::int32_t run_calculation_dotnet(double* layer_fluids, double* separator_conditions,
                                    double* well_record, std::int32_t* calc_mode,
                                    double* completion_block, double* traverse_block,
                                    double* well_summary) {
  static const char kNoLog[] = "";
  return run_calculation({layer_fluids, dotnet_buffers.fluid_tables, separator_conditions,
                          dotnet_buffers.layer_curves, well_record, calc_mode, completion_block,
                          dotnet_buffers.completion_curves, dotnet_buffers.traverse_curves,
                          traverse_block, well_summary, dotnet_buffers.layer_results, 0, kNoLog});
}

}  // namespace dlv
