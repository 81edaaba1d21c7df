/* PTRAV - pressure traverse along a well.
 *
 * A small C library with four entry points. Linux: libPTRAV.so exports them
 * under the names below. Windows: PTRAV.dll exports them by ordinal only
 * (1 ptrav_traverse, 6 ptrav_injection_change, 15 ptrav_setup_deep,
 * 16 ptrav_setup_shallow; see ptrav.def), and callers import them by ordinal.
 *
 * THE RECORD
 * Every call works on a caller-owned record of PTRAV_RECORD_BYTES bytes,
 * addressed by the byte offsets below (doubles and int32 values, native
 * byte order, read and written with memcpy so no alignment is required).
 * The caller fills the flow fields; PTRAV's own set-up fields are written by
 * the two depth set-up calls. A model field left at 0.0 takes the default
 * shown. Depths are measured downward from the surface, in feet; pressures
 * are gauge pressures in psi; temperatures in degrees Fahrenheit.
 *
 * THE MODEL (ptrav_traverse)
 * The stream is a homogeneous no-slip mixture of stock-tank oil, water and
 * gas. At each pressure p and temperature T along the well:
 *   - gas dissolved in the oil: Standing's solution gas/oil ratio, never more
 *     than the producing gas/oil ratio; the rest of the gas is free;
 *   - oil volume factor: Standing's correlation; water volume factor 1.0;
 *   - free-gas density: real gas, rho_g = 28.97 gamma_g p / (z 10.7316 T),
 *     z from Papay's explicit correlation with Sutton's pseudo-critical
 *     properties (z held to at least 0.2);
 *   - mixture density: mass rate over in-situ volume rate (no slip), the
 *     mass being stock-tank oil, water and all the gas (0.0764 gamma_g
 *     lbm/scf);
 *   - gradient: rho_m / 144 psi/ft (hydrostatic) plus the wall friction
 *     f rho_m v^2 / (2 g_c D) / 144, with v the in-situ mixture velocity,
 *     f = 64/Re below Re = 2000 and the Swamee-Jain friction factor above,
 *     Re = 1488 rho_m v D / mu_m, mu_m the no-slip (volume-weighted) mixture
 *     viscosity.
 * The flow is upward: going up the pressure falls by the gradient, going
 * down it rises by it. The traverse is integrated over the segments set up
 * by the two depth calls with Heun's predictor-corrector step, the
 * temperature at depth z being surface temperature + gradient * z.
 *
 * THE INJECTION CHANGE (ptrav_injection_change)
 * Water flowing down an injection tubing: the pressure change from the top
 * to the bottom depth is the hydrostatic head of the water,
 * 62.4 gamma_w (1 + 3.0e-6 p) / 144 psi/ft, plus direction times the wall
 * friction of the same form as above in a tubing of the given inside
 * diameter (direction -1: flow downward, so the friction is subtracted).
 */
#ifndef PTRAV_PTRAV_H
#define PTRAV_PTRAV_H

#include <stdint.h>

#if defined(_WIN32)
#define PTRAV_API /* exported by ordinal through ptrav.def */
#else
#define PTRAV_API __attribute__((visibility("default")))
#endif

/* Size of the record. */
#define PTRAV_RECORD_BYTES 12888

/* Flow fields, set by the caller for each traverse (double unless noted). */
#define PTRAV_RATE_1 0         /* liquid rate, STB/d; record types 1, 3: liquid yield, bbl/MMscf */
#define PTRAV_RATE_2 8         /* record types 1, 3: gas rate, Mscf/d */
#define PTRAV_WATER_CUT 16     /* water fraction of the liquid, percent (0..100) */
#define PTRAV_GAS_OIL_RATIO 72 /* producing gas/oil ratio, scf/STB (not types 1, 3) */
#define PTRAV_START_PRESSURE 104 /* pressure at the starting end, psig */

/* Model fields (double), each with its default when 0.0. */
#define PTRAV_OIL_API 24              /* oil gravity, degrees API: 35 */
#define PTRAV_GAS_SG 32               /* gas specific gravity, air = 1: 0.7 */
#define PTRAV_WATER_SG 40             /* water specific gravity: 1.07 */
#define PTRAV_TUBING_ID 48            /* tubing inside diameter, inches: 2.441 */
#define PTRAV_ROUGHNESS 56            /* absolute wall roughness, inches: 0.0006 */
#define PTRAV_SURFACE_TEMPERATURE 64  /* temperature at depth 0, F: 80 */
#define PTRAV_TEMPERATURE_GRADIENT 80 /* F per ft of depth: 0.015 */
#define PTRAV_OIL_VISCOSITY 88        /* cp: 2.0 */
#define PTRAV_WATER_VISCOSITY 96      /* cp: 0.8 */
#define PTRAV_GAS_VISCOSITY 112       /* cp: 0.018 */
#define PTRAV_SEGMENT_LENGTH 120      /* longest segment, ft: 100 */

/* Set-up fields. */
#define PTRAV_DEEP_DEPTH 3320    /* double, written by ptrav_setup_deep */
#define PTRAV_SHALLOW_DEPTH 3328 /* double, written by ptrav_setup_shallow */
#define PTRAV_RECORD_TYPE 10944  /* int32: 1 or 3 selects the gas-well rate layout */
#define PTRAV_SEGMENT_COUNT                                             \
  10952 /* int32, written by ptrav_setup_shallow: 1..PTRAV_MAX_SEGMENTS \
         */
#define PTRAV_DIRECTION \
  10964 /* int32: 1 the start is the deep end (traverse upward), 0 the shallow end */
#define PTRAV_SEGMENT_FLAGS                                             \
  10968 /* int32 array, one per segment: the caller's markers, not read \
         */
#define PTRAV_MAX_SEGMENTS 400

/* Degrees Fahrenheit plus this are degrees Rankine. */
#define PTRAV_RANKINE_OFFSET 460.0

/* Results of ptrav_traverse that mark a failed traverse. */
#define PTRAV_COLUMN_EMPTY 14.7 /* the pressure reaches 0 psig before the other end */
#define PTRAV_FAILED 99999.0    /* unusable input or no finite answer */

#ifdef __cplusplus
extern "C" {
#endif

/* Ordinal 15: records the deeper end of the traverse. */
PTRAV_API void ptrav_setup_deep(void* record, double depth);

/* Ordinal 16: records the shallower end and divides the interval into
 * segments no longer than the segment length (at least 1). */
PTRAV_API void ptrav_setup_shallow(void* record, double depth);

/* Ordinal 1: the pressure at the other end of the traverse, stored in
 * *result (psig), or PTRAV_COLUMN_EMPTY, or PTRAV_FAILED.
 * work_a (at least 70416 bytes, may be null) receives the profile: for
 * k = 0..n, the depth of boundary k at double 2k and its pressure at double
 * 2k + 1, from the starting end. work_b and work_c are reserved. options must
 * be 0. message (at least 64 bytes, may be null) receives an empty string or
 * the reason for a failure. */
PTRAV_API void ptrav_traverse(void* record, double* result, void* work_a, void* work_b,
                              void* work_c, int32_t options, char* message);

/* Ordinal 6: the pressure change from top_depth to bottom_depth of water
 * flowing at the rate in the record's first double (bbl/d) through a tubing
 * of inside_diameter inches, stored in *result (psi). water_sg and
 * water_viscosity (cp) describe the water; rankine_offset is accepted for the
 * temperature scale and not used by the water model; phase must be 1
 * (water); direction -1 for downward flow, +1 for upward; pressure (psig)
 * sets the water's compression. *status becomes 0 for a computed change and 2
 * when the inputs are unusable (the change is then 0.0); PTRAV does not read
 * it. */
PTRAV_API void ptrav_injection_change(void* record, double top_depth, double bottom_depth,
                                      double inside_diameter, double water_sg,
                                      double rankine_offset, double water_viscosity, int32_t phase,
                                      int32_t direction, double pressure, double* result,
                                      int32_t* status);

#ifdef __cplusplus
}
#endif

#endif /* PTRAV_PTRAV_H */
