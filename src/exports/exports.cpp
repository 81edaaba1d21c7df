// The exported C entry points: unpack, call, return. Each holds the
// process-wide call lock for its whole run, so calls from several threads are
// serialised, and runs under a floating-point guard that masks exceptions and
// restores the caller's environment before it returns.
#include "dlv/dlv.h"
#include "driver/driver.hpp"
#include "exports/dotnet_entry.hpp"
#include "exports/quick_entries.hpp"
#include "fluids/center_word.hpp"
#include "fluids/gas_properties.hpp"
#include "fluids/liquid_viscosity.hpp"
#include "numerics/curve_utils.hpp"
#include "platform/call_lock.hpp"
#include "platform/fp_environment.hpp"

using dlv::platform::CallLock;
using dlv::platform::FpEnvironmentGuard;

extern "C" {

// The calculation only reads fluid_tables, separator_conditions and
// calc_mode; the views it builds over them are the mutable ones.
DLV_API int32_t dlv_cal(double* layer_fluids, const double* fluid_tables,
                        const double* separator_conditions, double* layer_curves,
                        double* well_record, const int32_t* calc_mode, double* completion_block,
                        double* completion_curves, double* traverse_curves, double* traverse_block,
                        double* well_summary, double* layer_results, int32_t changed_pressure_flag,
                        const char* log_path) {
  CallLock lock;
  FpEnvironmentGuard guard;
  return dlv::run_calculation({layer_fluids, const_cast<double*>(fluid_tables),
                               const_cast<double*>(separator_conditions), layer_curves, well_record,
                               const_cast<int32_t*>(calc_mode), completion_block, completion_curves,
                               traverse_curves, traverse_block, well_summary, layer_results,
                               changed_pressure_flag, log_path});
}

DLV_API int32_t dlv_calCSharp(double* layer_fluids, const double* separator_conditions,
                              double* well_record, const int32_t* calc_mode,
                              double* completion_block, double* traverse_block,
                              double* well_summary) {
  CallLock lock;
  FpEnvironmentGuard guard;
  return dlv::run_calculation_dotnet(layer_fluids, const_cast<double*>(separator_conditions),
                                     well_record, const_cast<int32_t*>(calc_mode), completion_block,
                                     traverse_block, well_summary);
}

DLV_API double dlvCalcVogel(const double* reservoir_pressure, const double* test_rate,
                            const double* test_pressure, const double* bubble_point) {
  CallLock lock;
  FpEnvironmentGuard guard;
  return guard.keep(
      dlv::calc_vogel_quick(*reservoir_pressure, *test_rate, *test_pressure, *bubble_point));
}

DLV_API double dlvCalcPI(const double* reservoir_pressure, const double* productivity_index) {
  CallLock lock;
  FpEnvironmentGuard guard;
  return guard.keep(dlv::calc_pi_quick(*reservoir_pressure, *productivity_index));
}

DLV_API double dlvGetResultRate_PrsArrays(double* rates, double* pressures) {
  CallLock lock;
  FpEnvironmentGuard guard;
  return guard.keep(dlv::copy_quick_results(rates, pressures));
}

DLV_API double test64bitdlv(const double* value) {
  CallLock lock;
  FpEnvironmentGuard guard;
  return guard.keep(*value * 64.0);
}

DLV_API int32_t interpol(const double* x, const double* y, int32_t n, const double* xq,
                         double* yq) {
  CallLock lock;
  FpEnvironmentGuard guard;
  return dlv::interpol(x, y, n, *xq, *yq);
}

DLV_API void lsort2col(double* keys, double* values, int32_t n, int32_t descending) {
  CallLock lock;
  FpEnvironmentGuard guard;
  dlv::lsort2col(keys, values, n, descending);
}

DLV_API void liqvis(double temperature, const double* api_gravity, double solution_gor,
                    double pressure, double bubble_point, double* dead_oil_viscosity,
                    double* oil_viscosity, double* water_viscosity,
                    const int32_t* viscosity_correlation, int32_t* ierr) {
  CallLock lock;
  FpEnvironmentGuard guard;
  dlv::liqvis(
      dlv::LiquidViscosityInput{temperature, *api_gravity, solution_gor, pressure, bubble_point},
      *viscosity_correlation, *dead_oil_viscosity, *oil_viscosity, *water_viscosity, *ierr);
}

DLV_API void zfachy(const double* temperature, const double* pressure, const double* gas_sg,
                    double* z) {
  CallLock lock;
  FpEnvironmentGuard guard;
  dlv::zfachy(*temperature, *pressure, *gas_sg, *z);
}

DLV_API char* CenterWord(const char* word, int32_t width) {
  CallLock lock;
  FpEnvironmentGuard guard;
  return dlv::center_word(word, width);
}

}  // extern "C"
