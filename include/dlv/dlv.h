/* DLV: inflow performance curves of oil, gas and injection wells.
 *
 * For each layer of a well the library tabulates, at DLV_POINTS points, the
 * flowing bottom-hole pressure against the rate the layer delivers (or takes,
 * for injectors), and for a well of two or more layers the composite curve of
 * the commingled stream. This is its one public header; it compiles as C (C99
 * and later) and as C++.
 *
 * Blocks. Every export takes pointers to blocks of 8-byte doubles (some slots
 * hold 32-bit integers or flag bytes) or to single values. The host allocates
 * and owns every block for the whole call; the library keeps no pointer after
 * the call returns. Each block must hold at least the number of doubles named
 * by its DLV_..._SLOTS constant below. The field positions inside the blocks
 * are those of the library's block layout, src/blocks/block_layout.hpp.
 *
 * Units: oilfield units. Pressures in the blocks and in every curve are gauge
 * pressures in psi (psig); the exported fluid correlations (liqvis, zfachy)
 * take absolute pressures in psia. Temperatures in degrees F, liquid rates in
 * STB/d, gas rates in Mscf/d, viscosities in cp.
 *
 * Unusable input never stops a call and no export returns an error: pointers
 * and sizes are not checked, a code outside its listed values runs nothing
 * and leaves the outputs it would have written untouched, and a value outside
 * a correlation's range leaves that correlation's outputs as documented below
 * and, during dlv_cal, writes one line to the diagnostic log.
 *
 * Threads: the library keeps process-wide state between calls (the quick
 * result arrays, the .NET entry's buffers, the log handle, the CenterWord
 * result). Calls from several threads are serialised inside the library;
 * run independent wells in separate processes for parallel speed.
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

/* Block sizes, in 8-byte slots (doubles). */
#define DLV_LAYERS 50               /* per-layer arrays: layers 0..49 */
#define DLV_POINTS 25               /* every curve: points 0..24 */
#define DLV_LAYER_FLUIDS_SLOTS 1426 /* layer_fluids */
#define DLV_FLUID_TABLES_SLOTS 5625 /* fluid_tables: 10 tables of 562, then 10 int32 flags */
#define DLV_SEPARATOR_SLOTS 2       /* separator_conditions: pressure, temperature */
#define DLV_CURVE_BLOCK_SLOTS 3750  /* layer, completion and traverse curves: 3 x 50 x 25 */
#define DLV_WELL_RECORD_SLOTS 2008  /* well_record */
#define DLV_COMPLETION_SLOTS 402    /* completion_block */
#define DLV_TRAVERSE_SLOTS 1611     /* traverse_block */
#define DLV_WELL_SUMMARY_SLOTS 150  /* well_summary: six 25-point columns */
#define DLV_LAYER_RESULTS_SLOTS 250 /* layer_results */

#ifdef __cplusplus
extern "C" {
#endif

/* dlv_cal: the full calculation of one well.
 *
 *   layer_fluids          read+write  DLV_LAYER_FLUIDS_SLOTS; the fluid of each
 *                                     layer; the derived properties (bubble
 *                                     point, solution GOR, FVFs, viscosities,
 *                                     z factor) are written back.
 *   fluid_tables          read        DLV_FLUID_TABLES_SLOTS; host property
 *                                     tables that replace a correlation where
 *                                     their use flag is 1.
 *   separator_conditions  read        DLV_SEPARATOR_SLOTS; separator
 *                                     pressure (psig), temperature (F).
 *   layer_curves          write       DLV_CURVE_BLOCK_SLOTS; rate, pressure
 *                                     (psig) and drawdown (psi) tables of
 *                                     DLV_LAYERS x DLV_POINTS, element
 *                                     layer * DLV_POINTS + point.
 *   well_record           read+write  DLV_WELL_RECORD_SLOTS; method codes,
 *                                     layer count, reservoir and test data;
 *                                     some values are floored in place.
 *   calc_mode             read        one int32: 0 oil production, 1 gas
 *                                     production, 2 water injection, 3 gas
 *                                     injection; any other value builds no
 *                                     curve.
 *   completion_block      read+write  DLV_COMPLETION_SLOTS; its first int32
 *                                     selects the completion pressure-loss
 *                                     model, below 1 for none.
 *   completion_curves     write       DLV_CURVE_BLOCK_SLOTS; the layer curves
 *                                     after the completion pressure loss.
 *   traverse_curves       write       DLV_CURVE_BLOCK_SLOTS; the layer curves
 *                                     as handed to the traverse coupling.
 *   traverse_block        read+write  DLV_TRAVERSE_SLOTS; the traverse record.
 *   well_summary          write       DLV_WELL_SUMMARY_SLOTS; rate, pressure,
 *                                     drawdown, water cut, gas/liquid ratio and
 *                                     water specific gravity of the well's
 *                                     (composite) curve, DLV_POINTS each.
 *   layer_results         write       DLV_LAYER_RESULTS_SLOTS; status word and
 *                                     per-layer results (bubble point, psig).
 *   changed_pressure_flag read        0 for a reference calculation, non-zero
 *                                     for one at a changed reservoir pressure.
 *   log_path              read        path of the diagnostic log, opened for
 *                                     appending and closed before the call
 *                                     returns; NULL or "" writes no log.
 *
 * Returns 1: every run goes to the end. */
DLV_API int32_t dlv_cal(double* layer_fluids, const double* fluid_tables,
                        const double* separator_conditions, double* layer_curves,
                        double* well_record, const int32_t* calc_mode, double* completion_block,
                        double* completion_curves, double* traverse_curves, double* traverse_block,
                        double* well_summary, double* layer_results, int32_t changed_pressure_flag,
                        const char* log_path);

/* dlv_calCSharp: dlv_cal for a .NET host, with the seven blocks a .NET host
 * passes (same sizes and directions as in dlv_cal). The other blocks are the
 * library's own static buffers (all table use flags clear, so every property
 * comes from its correlation), changed_pressure_flag is 0 and no log file is
 * ever written. The host sees its results only in layer_fluids, well_record
 * and well_summary. Returns what dlv_cal returns, 1. */
DLV_API int32_t dlv_calCSharp(double* layer_fluids, const double* separator_conditions,
                              double* well_record, const int32_t* calc_mode,
                              double* completion_block, double* traverse_block,
                              double* well_summary);

/* dlvCalcVogel: one Vogel curve into the library's two DLV_POINTS result
 * arrays (read them with dlvGetResultRate_PrsArrays); water cut 0, reference
 * calculation.
 *
 *   reservoir_pressure  read  psig
 *   test_rate           read  STB/d
 *   test_pressure       read  flowing bottom-hole pressure of the test, psig
 *   bubble_point        read  psig
 *
 * Returns the curve's largest rate (point DLV_POINTS - 1, at zero pressure),
 * STB/d. Nothing is checked: values that make the formulas meaningless give
 * what the formulas give, possibly inf or NaN. */
DLV_API double dlvCalcVogel(const double* reservoir_pressure, const double* test_rate,
                            const double* test_pressure, const double* bubble_point);

/* dlvCalcPI: one straight productivity-index line into the library's two
 * result arrays.
 *
 *   reservoir_pressure  read  psig
 *   productivity_index  read  STB/d/psi
 *
 * Returns the curve's largest rate (point DLV_POINTS - 1, at zero pressure),
 * STB/d. Nothing is checked. */
DLV_API double dlvCalcPI(const double* reservoir_pressure, const double* productivity_index);

/* dlvGetResultRate_PrsArrays: copies the result arrays of the last
 * dlvCalcVogel or dlvCalcPI (zeros before the first).
 *
 *   rates      write  DLV_POINTS doubles, STB/d
 *   pressures  write  DLV_POINTS doubles, psig
 *
 * Returns DLV_POINTS as a double (25.0). */
DLV_API double dlvGetResultRate_PrsArrays(double* rates, double* pressures);

/* test64bitdlv: load probe.
 *
 *   value  read  any double
 *
 * Returns *value * 64.0. */
DLV_API double test64bitdlv(const double* value);

/* interpol: quadratic interpolation in a table.
 *
 *   x   read   n abscissae, rising or falling
 *   y   read   n ordinates
 *   n   read   number of points
 *   xq  read   the abscissa looked up
 *   yq  write  the interpolated ordinate
 *
 * Returns 1, or 0 when n < 3 (yq untouched). */
DLV_API int32_t interpol(const double* x, const double* y, int32_t n, const double* xq, double* yq);

/* lsort2col: sorts two parallel columns by the first.
 *
 *   keys        read+write  n doubles
 *   values      read+write  n doubles, moved with their keys
 *   n           read        number of rows
 *   descending  read        non-zero for falling keys, 0 for rising */
DLV_API void lsort2col(double* keys, double* values, int32_t n, int32_t descending);

/* liqvis: dead-oil, live-oil and water viscosities of one liquid.
 *
 *   temperature            read   degrees F
 *   api_gravity            read   degrees API
 *   solution_gor           read   scf/STB
 *   pressure               read   psia
 *   bubble_point           read   psia
 *   dead_oil_viscosity     write  cp
 *   oil_viscosity          write  cp (saturated below the bubble point,
 *                                 undersaturated above it)
 *   water_viscosity        write  cp, written whatever the checks find
 *   viscosity_correlation  read   dead-oil correlation: 0 Beggs and Robinson,
 *                                 1 Glaso, 2 Beggs and Robinson unchecked
 *   ierr                   write  0 success, 1 an input out of range
 *
 * On an out-of-range input ierr is 1 and the dead-oil and oil viscosities
 * are left untouched. Called directly, it writes no log. */
DLV_API void liqvis(double temperature, const double* api_gravity, double solution_gor,
                    double pressure, double bubble_point, double* dead_oil_viscosity,
                    double* oil_viscosity, double* water_viscosity,
                    const int32_t* viscosity_correlation, int32_t* ierr);

/* zfachy: gas deviation factor by Hall and Yarborough.
 *
 *   temperature  read   degrees F
 *   pressure     read   psia
 *   gas_sg       read   gas specific gravity, air = 1
 *   z            write  deviation factor
 *
 * Never fails: when the solution does not converge z is 1.0. */
DLV_API void zfachy(const double* temperature, const double* pressure, const double* gas_sg,
                    double* z);

/* CenterWord: left-pads a word with spaces so that it sits near the middle
 * of a field.
 *
 *   word   read  NUL-terminated text
 *   width  read  field width in characters
 *
 * Returns a pointer to a library-owned area of at most 11 characters and a
 * NUL, overwritten by the next call; the host must not free it. A word
 * longer than the width comes back unpadded. */
DLV_API char* CenterWord(const char* word, int32_t width);

#ifdef __cplusplus
}
#endif

#endif /* DLV_DLV_H */
