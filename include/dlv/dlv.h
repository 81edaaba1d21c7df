/* DLV: inflow performance curves of oil, gas and injection wells.
 *
 * The one public header of the library. Every export takes pointers to
 * host-owned blocks of 8-byte doubles (some slots hold 32-bit integers or
 * flag bytes) or single values; the host owns every block for the whole call.
 * The library is not reentrant: a host serialises its calls.
 *
 * Compiles as C and as C++.
 */
#ifndef DLV_DLV_H
#define DLV_DLV_H

#include <stdint.h>

/* Version of the library. The major number changes when the binary
 * interface changes (it is the soname of libDLV.so). */
#define DLV_VERSION_MAJOR 1
#define DLV_VERSION_MINOR 0
#define DLV_VERSION_PATCH 0
#define DLV_VERSION_STRING "1.0.0"

#if defined(_WIN32)
#if defined(DLV_BUILDING_LIBRARY)
#define DLV_API __declspec(dllexport)
#else
#define DLV_API __declspec(dllimport)
#endif
#else
#if defined(DLV_BUILDING_LIBRARY)
#define DLV_API __attribute__((visibility("default")))
#else
#define DLV_API
#endif
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Full calculation: fourteen arguments, returns 1. */
DLV_API int32_t dlv_cal(double* layer_fluids, double* fluid_tables, double* separator_conditions,
                        double* layer_curves, double* well_record, int32_t* calc_mode,
                        double* completion_block, double* completion_curves,
                        double* traverse_curves, double* traverse_block, double* well_summary,
                        double* layer_results, int32_t changed_pressure_flag, const char* log_path);

/* The same calculation for a .NET host; the other blocks are the library's
 * own static buffers and no log is written. */
DLV_API int32_t dlv_calCSharp(double* layer_fluids, double* separator_conditions,
                              double* well_record, int32_t* calc_mode, double* completion_block,
                              double* traverse_block, double* well_summary);

/* Quick entries: results go to two library-owned 25-point arrays. */
DLV_API double dlvCalcVogel(double* reservoir_pressure, double* test_rate, double* test_pressure,
                            double* bubble_point);
DLV_API double dlvCalcPI(double* reservoir_pressure, double* productivity_index);
DLV_API double dlvGetResultRate_PrsArrays(double* rates, double* pressures);

/* Probe: returns *value * 64.0. */
DLV_API double test64bitdlv(double* value);

/* Utilities. */
DLV_API int32_t interpol(double* x, double* y, int32_t n, double* xq, double* yq);
DLV_API void lsort2col(double* keys, double* values, int32_t n, int32_t descending);
DLV_API void liqvis(double temperature, double* api_gravity, double solution_gor, double pressure,
                    double bubble_point, double* dead_oil_viscosity, double* oil_viscosity,
                    double* water_viscosity, int32_t* viscosity_correlation, int32_t* ierr);
DLV_API void zfachy(double* temperature, double* pressure, double* gas_sg, double* z);
DLV_API char* CenterWord(const char* word, int32_t width);

#ifdef __cplusplus
}
#endif

#endif /* DLV_DLV_H */
