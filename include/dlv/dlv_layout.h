/*
 * dlv_layout.h - the field map of the argument blocks of dlv_cal, for C hosts.
 *
 * Every block is a flat array of 8-byte doubles. A field's position is given
 * as its first slot (an index into the block, counting doubles from 0):
 *   DLV_<BLOCK>_<FIELD>        first slot of the field
 *   DLV_<BLOCK>_<FIELD>_BYTE   byte offset, for int32 and flag-byte fields;
 *                              an int32 array has element k at _BYTE + 4 * k
 * Per-layer arrays hold DLV_LAYERS elements (layer L at slot + L); curves hold
 * DLV_POINTS points. Units: psi gauge, degrees F, STB/d for liquids, Mscf/d
 * for gas, ft, md, cp (see docs/fields.md for every field with its unit).
 *
 * Write an int32 field with memcpy((char *)block + DLV_..._BYTE, &value, 4)
 * and a flag byte with ((unsigned char *)block)[DLV_..._BYTE] = 1.
 *
 * C99; usable from C++. Includes dlv.h.
 */
#ifndef DLV_DLV_LAYOUT_H
#define DLV_DLV_LAYOUT_H

/* ---- sizes ------------------------------------------------------------- */
/* The block sizes (DLV_LAYERS, DLV_POINTS, DLV_<BLOCK>_SLOTS) are those of
 * dlv.h, the one place they are written. */
#include "dlv.h"

#define DLV_TEST_CAPACITY 100    /* test_rate, test_pressure, test_shutin_pressure */
#define DLV_RATETEST_CAPACITY 25 /* rows of the rate-test table */
#define DLV_INJECTION_COEFFICIENT_PAIRS 4

/* ---- calculation modes (argument 6, calc_mode) -------------------------- */
typedef enum DlvMode {
  DLV_MODE_OIL_PRODUCTION = 0,
  DLV_MODE_GAS_PRODUCTION = 1,
  DLV_MODE_WATER_INJECTION = 2,
  DLV_MODE_GAS_INJECTION = 3
} DlvMode;

/* ---- method_code: oil production ---------------------------------------- */
typedef enum DlvOilMethod {
  DLV_OIL_METHOD_DARCY_NONDARCY = 0, /* per layer, from reservoir properties */
  DLV_OIL_METHOD_DARCY_VOGEL = 1,    /* per layer, Darcy PI above pb, Vogel below */
  DLV_OIL_METHOD_VOGEL = 2,          /* one test */
  DLV_OIL_METHOD_VOGEL_TWO_TEST = 3, /* two tests */
  DLV_OIL_METHOD_BACKPRESSURE_FIT = 4,
  DLV_OIL_METHOD_BACKPRESSURE_GIVEN = 5,
  DLV_OIL_METHOD_PI_LINE = 6,
  DLV_OIL_METHOD_TWO_RATE_LEVEL = 7,
  DLV_OIL_METHOD_HORIZONTAL = 8, /* per layer */
  DLV_OIL_METHOD_FRACTURED = 9,  /* per layer */
  DLV_OIL_METHOD_RATE_TEST = 10
} DlvOilMethod;

/* ---- gas_method: gas production ----------------------------------------- */
typedef enum DlvGasMethod {
  DLV_GAS_METHOD_DARCY_NONDARCY = 0, /* per layer */
  DLV_GAS_METHOD_BACKPRESSURE_FIT = 1,
  DLV_GAS_METHOD_BACKPRESSURE_GIVEN = 2,
  DLV_GAS_METHOD_HORIZONTAL = 3, /* per layer */
  DLV_GAS_METHOD_FRACTURED = 4,  /* per layer */
  DLV_GAS_METHOD_GIVEN_D = 5,    /* Darcy with a given non-Darcy coefficient */
  DLV_GAS_METHOD_RATE_TEST = 6
} DlvGasMethod;

/* ---- water_injection_method --------------------------------------------- */
typedef enum DlvWaterInjectionMethod {
  DLV_WATER_INJECTION_METHOD_SKIN = 0, /* per layer */
  DLV_WATER_INJECTION_METHOD_COEFFICIENTS = 1,
  DLV_WATER_INJECTION_METHOD_RATE_TEST = 2
} DlvWaterInjectionMethod;

/* ---- gas_injection_method ----------------------------------------------- */
typedef enum DlvGasInjectionMethod {
  DLV_GAS_INJECTION_METHOD_SKIN = 0,                  /* per layer */
  DLV_GAS_INJECTION_METHOD_COEFFICIENTS_NONE = 1,     /* pair 1; writes only the first point */
  DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PRESSURE = 2, /* pair 1, rate ~ p - pr */
  DLV_GAS_INJECTION_METHOD_COEFFICIENTS_SQUARED = 3,  /* pair 2, rate ~ p^2 - pr^2 */
  DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PSEUDO = 4,   /* pair 3, rate ~ m(p) - m(pr) */
  DLV_GAS_INJECTION_METHOD_RATE_TEST = 5
} DlvGasInjectionMethod;

/* ---- deliverability_test_type (well record) ----------------------------- */
typedef enum DlvDeliverabilityTestType {
  DLV_TEST_FLOW_AFTER_FLOW = 0,
  DLV_TEST_ISOCHRONAL = 1,
  DLV_TEST_MODIFIED_ISOCHRONAL = 2 /* and above */
} DlvDeliverabilityTestType;

/* ---- viscosity_mixing_rule (layer_fluids) -------------------------------- */
typedef enum DlvViscosityMixingRule {
  DLV_MIXING_VOLUME_WEIGHTED = 0,
  DLV_MIXING_FLUIDITY_WEIGHTED = 1,
  DLV_MIXING_PHASE_INVERSION = 2
} DlvViscosityMixingRule;

/* ---- completion_model (first int32 of the completion block) -------------- */
typedef enum DlvCompletionModel {
  DLV_COMPLETION_NONE = 0,
  DLV_COMPLETION_GRAVEL_PACK = 1,
  DLV_COMPLETION_CRUSHED_ZONE = 2,
  DLV_COMPLETION_PERFORATION_SKINS = 3
} DlvCompletionModel;

/* ---- fluid_type (first int32 of layer_fluids) ---------------------------- */
typedef enum DlvFluidType {
  DLV_FLUID_NONE = 0, /* no fluid recomputation */
  DLV_FLUID_CORRELATIONS = 1,
  DLV_FLUID_CRUDE_SAMPLES = 2,
  DLV_FLUID_FIELD_CRUDE = 3,
  DLV_FLUID_CORRELATIONS_4 = 4
} DlvFluidType;

/* ---- layer_fluids (argument 1) ------------------------------------------ */
#define DLV_LAYER_FLUIDS_FLUID_TYPE 0 /* int32 */
#define DLV_LAYER_FLUIDS_FLUID_TYPE_BYTE 0
#define DLV_LAYER_FLUIDS_API_GRAVITY 25
#define DLV_LAYER_FLUIDS_WATER_CUT 75
#define DLV_LAYER_FLUIDS_LIQUID_YIELD 125
#define DLV_LAYER_FLUIDS_WATER_SG 175
#define DLV_LAYER_FLUIDS_GAS_SG 225
#define DLV_LAYER_FLUIDS_OIL_SG 275
#define DLV_LAYER_FLUIDS_PRODUCING_GOR 325
#define DLV_LAYER_FLUIDS_OIL_VISCOSITY 375
#define DLV_LAYER_FLUIDS_WATER_VISCOSITY 425
#define DLV_LAYER_FLUIDS_LIQUID_VISCOSITY 475
#define DLV_LAYER_FLUIDS_GAS_VISCOSITY 525
#define DLV_LAYER_FLUIDS_OIL_FVF 575
#define DLV_LAYER_FLUIDS_WATER_FVF 625
#define DLV_LAYER_FLUIDS_LIQUID_FVF 675
#define DLV_LAYER_FLUIDS_LIQUID_DENSITY 725
#define DLV_LAYER_FLUIDS_OIL_FRACTION 775
#define DLV_LAYER_FLUIDS_BUBBLE_POINT 825
#define DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN 875 /* int32[50] */
#define DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE 7000
#define DLV_LAYER_FLUIDS_SOLUTION_GOR 900
#define DLV_LAYER_FLUIDS_TOTAL_COMPRESSIBILITY 950
#define DLV_LAYER_FLUIDS_GAS_Z_FACTOR 1000
#define DLV_LAYER_FLUIDS_SAMPLE_SET 1050 /* int32[50] */
#define DLV_LAYER_FLUIDS_SAMPLE_SET_BYTE 8400
#define DLV_LAYER_FLUIDS_SAMPLE_KEY 1075
#define DLV_LAYER_FLUIDS_RS_CORRELATION 1125 /* int32[50] */
#define DLV_LAYER_FLUIDS_RS_CORRELATION_BYTE 9000
#define DLV_LAYER_FLUIDS_FVF_CORRELATION 1150 /* int32[50] */
#define DLV_LAYER_FLUIDS_FVF_CORRELATION_BYTE 9200
#define DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION 1175 /* int32[50] */
#define DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION_BYTE 9400
#define DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE 1425 /* int32 */
#define DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE 11400

/* ---- fluid_tables (argument 2): ten tables, then ten int32 use flags ----- */
#define DLV_FLUID_TABLE_COUNT 10
#define DLV_FLUID_TABLE_SLOTS 562 /* one table; table k starts at slot k * 562 */
#define DLV_FLUID_TABLE_TEMPERATURE_CAPACITY 10
#define DLV_FLUID_TABLE_PRESSURE_CAPACITY 50
#define DLV_FLUID_TABLE_TEMPERATURES 0 /* within a table, F */
#define DLV_FLUID_TABLE_PRESSURES 10   /* within a table, psia */
#define DLV_FLUID_TABLE_VALUES 60      /* within a table: row r, column j at r * 10 + j */
#define DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE 4480 /* int32, within a table */
#define DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE 4484    /* int32, within a table */
#define DLV_FLUID_TABLES_USE_TABLE 5620             /* int32[10] */
#define DLV_FLUID_TABLES_USE_TABLE_BYTE 44960
/* Table index of each property that a table can replace. */
typedef enum DlvFluidTableProperty {
  DLV_TABLE_SOLUTION_GOR = 0,
  DLV_TABLE_OIL_FVF = 1,
  DLV_TABLE_OIL_VISCOSITY = 4,
  DLV_TABLE_GAS_Z_FACTOR = 6,
  DLV_TABLE_GAS_VISCOSITY = 7
} DlvFluidTableProperty;

/* ---- separator_conditions (argument 3) ---------------------------------- */
#define DLV_SEPARATOR_PRESSURE 0    /* psi gauge */
#define DLV_SEPARATOR_TEMPERATURE 1 /* F */

/* ---- layer_curves, completion_curves, traverse_curves (4, 8, 9) ----------- */
/* Point i of layer L of a table is at table slot + L * DLV_POINTS + i. */
#define DLV_CURVES_RATE 0
#define DLV_CURVES_PRESSURE 1250
#define DLV_CURVES_DRAWDOWN 2500 /* completion_curves: the completion loss */

/* ---- well_record (argument 5) ------------------------------------------- */
#define DLV_WELL_RECORD_METHOD_CODE 0 /* int32 */
#define DLV_WELL_RECORD_METHOD_CODE_BYTE 0
#define DLV_WELL_RECORD_GAS_METHOD 0 /* int32 */
#define DLV_WELL_RECORD_GAS_METHOD_BYTE 4
#define DLV_WELL_RECORD_GAS_INJECTION_METHOD 1 /* int32 */
#define DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE 8
#define DLV_WELL_RECORD_WATER_INJECTION_METHOD 1 /* int32 */
#define DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE 12
#define DLV_WELL_RECORD_LAYER_COUNT 2 /* int32 */
#define DLV_WELL_RECORD_LAYER_COUNT_BYTE 16
#define DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE 2 /* int32 */
#define DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE_BYTE 20
#define DLV_WELL_RECORD_LAYER_TEMPERATURE 3
#define DLV_WELL_RECORD_PERMEABILITY 53
#define DLV_WELL_RECORD_THICKNESS 103
#define DLV_WELL_RECORD_DRAINAGE_RADIUS 153
#define DLV_WELL_RECORD_WELLBORE_RADIUS 203
#define DLV_WELL_RECORD_SKIN 253
#define DLV_WELL_RECORD_RESERVOIR_PRESSURE 303
#define DLV_WELL_RECORD_TEST_COUNT 407 /* int32 */
#define DLV_WELL_RECORD_TEST_COUNT_BYTE 3256
#define DLV_WELL_RECORD_TEST_RATE 408 /* double[100] */
#define DLV_WELL_RECORD_TEST_PRESSURE 508
#define DLV_WELL_RECORD_TEST_SHUTIN_PRESSURE 608
#define DLV_WELL_RECORD_BACKPRESSURE_C 710
#define DLV_WELL_RECORD_BACKPRESSURE_N 711
#define DLV_WELL_RECORD_PRODUCTIVITY_INDEX 712
#define DLV_WELL_RECORD_LEVEL_GRADIENT 713
#define DLV_WELL_RECORD_SURFACE_TERM_FACTORS 714 /* double[2]: b, a */
#define DLV_WELL_RECORD_LEVEL_TEST_RATE 717      /* double[2] */
#define DLV_WELL_RECORD_LEVEL_READING 719        /* double[2] */
#define DLV_WELL_RECORD_PERM_Y 722
#define DLV_WELL_RECORD_PERM_Z 772
#define DLV_WELL_RECORD_DRAINAGE_AREA 822
#define DLV_WELL_RECORD_WELL_START_Y 872
#define DLV_WELL_RECORD_BOX_LENGTH_Y 972
#define DLV_WELL_RECORD_WELL_POSITION_X 1022
#define DLV_WELL_RECORD_BOX_WIDTH_X 1072
#define DLV_WELL_RECORD_WELL_ELEVATION_Z 1122
#define DLV_WELL_RECORD_WELL_LENGTH 1172
#define DLV_WELL_RECORD_FRACTURE_HALF_LENGTH 1247
#define DLV_WELL_RECORD_POROSITY 1297
#define DLV_WELL_RECORD_PRODUCTION_TIME 1347
#define DLV_WELL_RECORD_FRACTURE_WIDTH 1397
#define DLV_WELL_RECORD_FRACTURE_PERMEABILITY 1447
#define DLV_WELL_RECORD_RATE_MULTIPLIER 1497
#define DLV_WELL_RECORD_NON_DARCY_COEFFICIENT 1498
#define DLV_WELL_RECORD_INJECTION_COEFFICIENTS 1548 /* double[4][2] */
#define DLV_WELL_RECORD_BREAK_PRESSURE 1556
#define DLV_WELL_RECORD_MAX_INJECTION_RATE 1606
#define DLV_WELL_RECORD_SECOND_SKIN 1656
#define DLV_WELL_RECORD_INJECTION_TRAVERSE_DEPTH 1706
#define DLV_WELL_RECORD_LAYER_DEPTH 1756
#define DLV_WELL_RECORD_REFERENCE_DEPTH 1906
#define DLV_WELL_RECORD_RATETEST_PRESSURES 1907 /* double[25] */
#define DLV_WELL_RECORD_RATETEST_LIQUID_RATES 1932
#define DLV_WELL_RECORD_RATETEST_GAS_RATES 1957
#define DLV_WELL_RECORD_RATETEST_WATER_RATES 1982
#define DLV_WELL_RECORD_RATETEST_ROW_COUNT 2007 /* int32 */
#define DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE 16056
#define DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN 2007 /* flag byte */
#define DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE 16060
#define DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN 2007 /* flag byte */
#define DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE 16061

/* ---- completion_block (argument 7) -------------------------------------- */
#define DLV_COMPLETION_COMPLETION_MODEL 0 /* int32 */
#define DLV_COMPLETION_COMPLETION_MODEL_BYTE 0
#define DLV_COMPLETION_SHOT_DENSITY_FACTOR 1
#define DLV_COMPLETION_GRAVEL_PERMEABILITY 2
#define DLV_COMPLETION_CRUSHED_ZONE_PERMEABILITY 52
#define DLV_COMPLETION_CRUSHED_ZONE_THICKNESS 102
#define DLV_COMPLETION_SHOT_DENSITY 152
#define DLV_COMPLETION_PERFORATION_DIAMETER 202
#define DLV_COMPLETION_PERFORATED_INTERVAL 252
#define DLV_COMPLETION_GRAVEL_TUNNEL_LENGTH 302
#define DLV_COMPLETION_PERFORATION_LENGTH 352

/* ---- traverse_block (argument 10): the fields the library touches -------- */
#define DLV_TRAVERSE_RECORD_TYPE_BYTE 10944           /* int32 */
#define DLV_TRAVERSE_SUPPRESS_FLUID_ERRORS_BYTE 10948 /* int32 */
#define DLV_TRAVERSE_SEGMENT_COUNT_BYTE 10952         /* int32 */

/* ---- well_summary (argument 11) ----------------------------------------- */
#define DLV_SUMMARY_RATE 0
#define DLV_SUMMARY_PRESSURE 25
#define DLV_SUMMARY_DRAWDOWN 50
#define DLV_SUMMARY_WATER_CUT 75
#define DLV_SUMMARY_GAS_LIQUID 100 /* GOR, or liquid/gas ratio for a gas composite */
#define DLV_SUMMARY_WATER_SG 125

/* ---- layer_results (argument 12) ---------------------------------------- */
#define DLV_RESULTS_RESULT_STATUS 0 /* int32, always 0 */
#define DLV_RESULTS_RESULT_STATUS_BYTE 0
#define DLV_RESULTS_FLOW_REGIME_FLAG 25 /* int32[50] */
#define DLV_RESULTS_FLOW_REGIME_FLAG_BYTE 200
#define DLV_RESULTS_EFFECTIVE_RADIUS_RATIO 50
#define DLV_RESULTS_FRACTURE_CONDUCTIVITY 100
#define DLV_RESULTS_DIMENSIONLESS_TIME 150
#define DLV_RESULTS_RESULT_BUBBLE_POINT 200

/* ---- every field, for hosts that walk the blocks ------------------------ */
/*
 * DLV_FIELDS(X) expands X(BLOCK, FIELD, KIND, COUNT) once for every field
 * named above, block by block (the fluid tables and curves last), for hosts that
 * print, compare or serialise blocks field by field:
 *   BLOCK, FIELD  the two parts of the field's constant DLV_<BLOCK>_<FIELD>;
 *                 #FIELD is the field's name
 *   KIND          DLV_DOUBLE, DLV_INT32 or DLV_FLAG (one byte); these tokens
 *                 are never defined as macros
 *   COUNT         elements in the field, 1 for a single value
 * DLV_FIELD_BYTE(BLOCK, FIELD, KIND) is the field's byte offset, whatever its
 * kind. Two block names stand for more than one place: the CURVES fields are
 * in each of the three curve blocks (point i of layer L at element
 * L * DLV_POINTS + i), and the FLUID_TABLE fields are in each of the
 * DLV_FLUID_TABLE_COUNT tables of fluid_tables, table k starting at slot
 * k * DLV_FLUID_TABLE_SLOTS (VALUES: pressure row r, temperature column j at
 * element r * DLV_FLUID_TABLE_TEMPERATURE_CAPACITY + j).
 *
 * For example, listing every field with its byte offset:
 *   #define LIST_FIELD(B, F, K, N) \
 *     printf("%s %s byte %d count %d\n", #B, #F, DLV_FIELD_BYTE(B, F, K), N);
 *   DLV_FIELDS(LIST_FIELD)
 */
#define DLV_FIELD_BYTE(BLOCK, FIELD, KIND) DLV_FIELD_BYTE_##KIND(BLOCK, FIELD)
#define DLV_FIELD_BYTE_DLV_DOUBLE(BLOCK, FIELD) (DLV_##BLOCK##_##FIELD * 8)
#define DLV_FIELD_BYTE_DLV_INT32(BLOCK, FIELD) DLV_##BLOCK##_##FIELD##_BYTE
#define DLV_FIELD_BYTE_DLV_FLAG(BLOCK, FIELD) DLV_##BLOCK##_##FIELD##_BYTE

#define DLV_FIELDS(X)                                                                       \
  X(LAYER_FLUIDS, FLUID_TYPE, DLV_INT32, 1)                                                 \
  X(LAYER_FLUIDS, API_GRAVITY, DLV_DOUBLE, DLV_LAYERS)                                      \
  X(LAYER_FLUIDS, WATER_CUT, DLV_DOUBLE, DLV_LAYERS)                                        \
  X(LAYER_FLUIDS, LIQUID_YIELD, DLV_DOUBLE, DLV_LAYERS)                                     \
  X(LAYER_FLUIDS, WATER_SG, DLV_DOUBLE, DLV_LAYERS)                                         \
  X(LAYER_FLUIDS, GAS_SG, DLV_DOUBLE, DLV_LAYERS)                                           \
  X(LAYER_FLUIDS, OIL_SG, DLV_DOUBLE, DLV_LAYERS)                                           \
  X(LAYER_FLUIDS, PRODUCING_GOR, DLV_DOUBLE, DLV_LAYERS)                                    \
  X(LAYER_FLUIDS, OIL_VISCOSITY, DLV_DOUBLE, DLV_LAYERS)                                    \
  X(LAYER_FLUIDS, WATER_VISCOSITY, DLV_DOUBLE, DLV_LAYERS)                                  \
  X(LAYER_FLUIDS, LIQUID_VISCOSITY, DLV_DOUBLE, DLV_LAYERS)                                 \
  X(LAYER_FLUIDS, GAS_VISCOSITY, DLV_DOUBLE, DLV_LAYERS)                                    \
  X(LAYER_FLUIDS, OIL_FVF, DLV_DOUBLE, DLV_LAYERS)                                          \
  X(LAYER_FLUIDS, WATER_FVF, DLV_DOUBLE, DLV_LAYERS)                                        \
  X(LAYER_FLUIDS, LIQUID_FVF, DLV_DOUBLE, DLV_LAYERS)                                       \
  X(LAYER_FLUIDS, LIQUID_DENSITY, DLV_DOUBLE, DLV_LAYERS)                                   \
  X(LAYER_FLUIDS, OIL_FRACTION, DLV_DOUBLE, DLV_LAYERS)                                     \
  X(LAYER_FLUIDS, BUBBLE_POINT, DLV_DOUBLE, DLV_LAYERS)                                     \
  X(LAYER_FLUIDS, BUBBLE_POINT_GIVEN, DLV_INT32, DLV_LAYERS)                                \
  X(LAYER_FLUIDS, SOLUTION_GOR, DLV_DOUBLE, DLV_LAYERS)                                     \
  X(LAYER_FLUIDS, TOTAL_COMPRESSIBILITY, DLV_DOUBLE, DLV_LAYERS)                            \
  X(LAYER_FLUIDS, GAS_Z_FACTOR, DLV_DOUBLE, DLV_LAYERS)                                     \
  X(LAYER_FLUIDS, SAMPLE_SET, DLV_INT32, DLV_LAYERS)                                        \
  X(LAYER_FLUIDS, SAMPLE_KEY, DLV_DOUBLE, DLV_LAYERS)                                       \
  X(LAYER_FLUIDS, RS_CORRELATION, DLV_INT32, DLV_LAYERS)                                    \
  X(LAYER_FLUIDS, FVF_CORRELATION, DLV_INT32, DLV_LAYERS)                                   \
  X(LAYER_FLUIDS, VISCOSITY_CORRELATION, DLV_INT32, DLV_LAYERS)                             \
  X(LAYER_FLUIDS, VISCOSITY_MIXING_RULE, DLV_INT32, 1)                                      \
  X(SEPARATOR, PRESSURE, DLV_DOUBLE, 1)                                                     \
  X(SEPARATOR, TEMPERATURE, DLV_DOUBLE, 1)                                                  \
  X(WELL_RECORD, METHOD_CODE, DLV_INT32, 1)                                                 \
  X(WELL_RECORD, GAS_METHOD, DLV_INT32, 1)                                                  \
  X(WELL_RECORD, GAS_INJECTION_METHOD, DLV_INT32, 1)                                        \
  X(WELL_RECORD, WATER_INJECTION_METHOD, DLV_INT32, 1)                                      \
  X(WELL_RECORD, LAYER_COUNT, DLV_INT32, 1)                                                 \
  X(WELL_RECORD, DELIVERABILITY_TEST_TYPE, DLV_INT32, 1)                                    \
  X(WELL_RECORD, LAYER_TEMPERATURE, DLV_DOUBLE, DLV_LAYERS)                                 \
  X(WELL_RECORD, PERMEABILITY, DLV_DOUBLE, DLV_LAYERS)                                      \
  X(WELL_RECORD, THICKNESS, DLV_DOUBLE, DLV_LAYERS)                                         \
  X(WELL_RECORD, DRAINAGE_RADIUS, DLV_DOUBLE, DLV_LAYERS)                                   \
  X(WELL_RECORD, WELLBORE_RADIUS, DLV_DOUBLE, DLV_LAYERS)                                   \
  X(WELL_RECORD, SKIN, DLV_DOUBLE, DLV_LAYERS)                                              \
  X(WELL_RECORD, RESERVOIR_PRESSURE, DLV_DOUBLE, DLV_LAYERS)                                \
  X(WELL_RECORD, TEST_COUNT, DLV_INT32, 1)                                                  \
  X(WELL_RECORD, TEST_RATE, DLV_DOUBLE, DLV_TEST_CAPACITY)                                  \
  X(WELL_RECORD, TEST_PRESSURE, DLV_DOUBLE, DLV_TEST_CAPACITY)                              \
  X(WELL_RECORD, TEST_SHUTIN_PRESSURE, DLV_DOUBLE, DLV_TEST_CAPACITY)                       \
  X(WELL_RECORD, BACKPRESSURE_C, DLV_DOUBLE, 1)                                             \
  X(WELL_RECORD, BACKPRESSURE_N, DLV_DOUBLE, 1)                                             \
  X(WELL_RECORD, PRODUCTIVITY_INDEX, DLV_DOUBLE, 1)                                         \
  X(WELL_RECORD, LEVEL_GRADIENT, DLV_DOUBLE, 1)                                             \
  X(WELL_RECORD, SURFACE_TERM_FACTORS, DLV_DOUBLE, 2)                                       \
  X(WELL_RECORD, LEVEL_TEST_RATE, DLV_DOUBLE, 2)                                            \
  X(WELL_RECORD, LEVEL_READING, DLV_DOUBLE, 2)                                              \
  X(WELL_RECORD, PERM_Y, DLV_DOUBLE, DLV_LAYERS)                                            \
  X(WELL_RECORD, PERM_Z, DLV_DOUBLE, DLV_LAYERS)                                            \
  X(WELL_RECORD, DRAINAGE_AREA, DLV_DOUBLE, DLV_LAYERS)                                     \
  X(WELL_RECORD, WELL_START_Y, DLV_DOUBLE, DLV_LAYERS)                                      \
  X(WELL_RECORD, BOX_LENGTH_Y, DLV_DOUBLE, DLV_LAYERS)                                      \
  X(WELL_RECORD, WELL_POSITION_X, DLV_DOUBLE, DLV_LAYERS)                                   \
  X(WELL_RECORD, BOX_WIDTH_X, DLV_DOUBLE, DLV_LAYERS)                                       \
  X(WELL_RECORD, WELL_ELEVATION_Z, DLV_DOUBLE, DLV_LAYERS)                                  \
  X(WELL_RECORD, WELL_LENGTH, DLV_DOUBLE, DLV_LAYERS)                                       \
  X(WELL_RECORD, FRACTURE_HALF_LENGTH, DLV_DOUBLE, DLV_LAYERS)                              \
  X(WELL_RECORD, POROSITY, DLV_DOUBLE, DLV_LAYERS)                                          \
  X(WELL_RECORD, PRODUCTION_TIME, DLV_DOUBLE, DLV_LAYERS)                                   \
  X(WELL_RECORD, FRACTURE_WIDTH, DLV_DOUBLE, DLV_LAYERS)                                    \
  X(WELL_RECORD, FRACTURE_PERMEABILITY, DLV_DOUBLE, DLV_LAYERS)                             \
  X(WELL_RECORD, RATE_MULTIPLIER, DLV_DOUBLE, 1)                                            \
  X(WELL_RECORD, NON_DARCY_COEFFICIENT, DLV_DOUBLE, 1)                                      \
  X(WELL_RECORD, INJECTION_COEFFICIENTS, DLV_DOUBLE, (DLV_INJECTION_COEFFICIENT_PAIRS * 2)) \
  X(WELL_RECORD, BREAK_PRESSURE, DLV_DOUBLE, DLV_LAYERS)                                    \
  X(WELL_RECORD, MAX_INJECTION_RATE, DLV_DOUBLE, DLV_LAYERS)                                \
  X(WELL_RECORD, SECOND_SKIN, DLV_DOUBLE, DLV_LAYERS)                                       \
  X(WELL_RECORD, INJECTION_TRAVERSE_DEPTH, DLV_DOUBLE, DLV_LAYERS)                          \
  X(WELL_RECORD, LAYER_DEPTH, DLV_DOUBLE, DLV_LAYERS)                                       \
  X(WELL_RECORD, REFERENCE_DEPTH, DLV_DOUBLE, 1)                                            \
  X(WELL_RECORD, RATETEST_PRESSURES, DLV_DOUBLE, DLV_RATETEST_CAPACITY)                     \
  X(WELL_RECORD, RATETEST_LIQUID_RATES, DLV_DOUBLE, DLV_RATETEST_CAPACITY)                  \
  X(WELL_RECORD, RATETEST_GAS_RATES, DLV_DOUBLE, DLV_RATETEST_CAPACITY)                     \
  X(WELL_RECORD, RATETEST_WATER_RATES, DLV_DOUBLE, DLV_RATETEST_CAPACITY)                   \
  X(WELL_RECORD, RATETEST_ROW_COUNT, DLV_INT32, 1)                                          \
  X(WELL_RECORD, BACKPRESSURE_C_GIVEN, DLV_FLAG, 1)                                         \
  X(WELL_RECORD, BACKPRESSURE_N_GIVEN, DLV_FLAG, 1)                                         \
  X(COMPLETION, COMPLETION_MODEL, DLV_INT32, 1)                                             \
  X(COMPLETION, SHOT_DENSITY_FACTOR, DLV_DOUBLE, 1)                                         \
  X(COMPLETION, GRAVEL_PERMEABILITY, DLV_DOUBLE, DLV_LAYERS)                                \
  X(COMPLETION, CRUSHED_ZONE_PERMEABILITY, DLV_DOUBLE, DLV_LAYERS)                          \
  X(COMPLETION, CRUSHED_ZONE_THICKNESS, DLV_DOUBLE, DLV_LAYERS)                             \
  X(COMPLETION, SHOT_DENSITY, DLV_DOUBLE, DLV_LAYERS)                                       \
  X(COMPLETION, PERFORATION_DIAMETER, DLV_DOUBLE, DLV_LAYERS)                               \
  X(COMPLETION, PERFORATED_INTERVAL, DLV_DOUBLE, DLV_LAYERS)                                \
  X(COMPLETION, GRAVEL_TUNNEL_LENGTH, DLV_DOUBLE, DLV_LAYERS)                               \
  X(COMPLETION, PERFORATION_LENGTH, DLV_DOUBLE, DLV_LAYERS)                                 \
  X(TRAVERSE, RECORD_TYPE, DLV_INT32, 1)                                                    \
  X(TRAVERSE, SUPPRESS_FLUID_ERRORS, DLV_INT32, 1)                                          \
  X(TRAVERSE, SEGMENT_COUNT, DLV_INT32, 1)                                                  \
  X(SUMMARY, RATE, DLV_DOUBLE, DLV_POINTS)                                                  \
  X(SUMMARY, PRESSURE, DLV_DOUBLE, DLV_POINTS)                                              \
  X(SUMMARY, DRAWDOWN, DLV_DOUBLE, DLV_POINTS)                                              \
  X(SUMMARY, WATER_CUT, DLV_DOUBLE, DLV_POINTS)                                             \
  X(SUMMARY, GAS_LIQUID, DLV_DOUBLE, DLV_POINTS)                                            \
  X(SUMMARY, WATER_SG, DLV_DOUBLE, DLV_POINTS)                                              \
  X(RESULTS, RESULT_STATUS, DLV_INT32, 1)                                                   \
  X(RESULTS, FLOW_REGIME_FLAG, DLV_INT32, DLV_LAYERS)                                       \
  X(RESULTS, EFFECTIVE_RADIUS_RATIO, DLV_DOUBLE, DLV_LAYERS)                                \
  X(RESULTS, FRACTURE_CONDUCTIVITY, DLV_DOUBLE, DLV_LAYERS)                                 \
  X(RESULTS, DIMENSIONLESS_TIME, DLV_DOUBLE, DLV_LAYERS)                                    \
  X(RESULTS, RESULT_BUBBLE_POINT, DLV_DOUBLE, DLV_LAYERS)                                   \
  X(FLUID_TABLE, TEMPERATURES, DLV_DOUBLE, DLV_FLUID_TABLE_TEMPERATURE_CAPACITY)            \
  X(FLUID_TABLE, PRESSURES, DLV_DOUBLE, DLV_FLUID_TABLE_PRESSURE_CAPACITY)                  \
  X(FLUID_TABLE, VALUES, DLV_DOUBLE,                                                        \
    (DLV_FLUID_TABLE_PRESSURE_CAPACITY * DLV_FLUID_TABLE_TEMPERATURE_CAPACITY))             \
  X(FLUID_TABLE, TEMPERATURE_COUNT, DLV_INT32, 1)                                           \
  X(FLUID_TABLE, PRESSURE_COUNT, DLV_INT32, 1)                                              \
  X(FLUID_TABLES, USE_TABLE, DLV_INT32, DLV_FLUID_TABLE_COUNT)                              \
  X(CURVES, RATE, DLV_DOUBLE, (DLV_LAYERS * DLV_POINTS))                                    \
  X(CURVES, PRESSURE, DLV_DOUBLE, (DLV_LAYERS * DLV_POINTS))                                \
  X(CURVES, DRAWDOWN, DLV_DOUBLE, (DLV_LAYERS * DLV_POINTS))

#endif /* DLV_DLV_LAYOUT_H */
