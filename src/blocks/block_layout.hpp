// Slot and byte positions of every field of the argument blocks that cross
// the library boundary, under the names the library uses. Slots count 8-byte
// doubles from 0. The numbers are those of the public field map
// dlv/dlv_layout.h; only the traverse record's fields that hosts never name
// and the scratch sizes are given here. Everything else in the library goes
// through the views in blocks.hpp.
#pragma once

#include <cstddef>
#include <cstdint>

#include "dlv/dlv_layout.h"

namespace dlv {

// The calculation mode handed in beside the blocks.
enum class CalcMode : std::int32_t {
  kOilProduction = 0,
  kGasProduction = 1,
  kWaterInjection = 2,
  kGasInjection = 3,
};

// Modes whose stream is a liquid (oil production, water injection).
constexpr bool is_liquid_mode(CalcMode mode) {
  return mode == CalcMode::kOilProduction || mode == CalcMode::kWaterInjection;
}
// Modes whose stream is a gas (gas production, gas injection).
constexpr bool is_gas_mode(CalcMode mode) {
  return mode == CalcMode::kGasProduction || mode == CalcMode::kGasInjection;
}
// Modes that inject into the layer rather than produce from it.
constexpr bool is_injection_mode(CalcMode mode) {
  return mode == CalcMode::kWaterInjection || mode == CalcMode::kGasInjection;
}

// Curve methods of oil production (the well record's method code).
enum class OilMethod : std::int32_t {
  kDarcyNonDarcy = 0,
  kDarcyVogel = 1,
  kVogel = 2,
  kVogelTwoTests = 3,
  kBackPressureFromTests = 4,
  kBackPressureGiven = 5,
  kProductivityIndex = 6,
  kTwoRateLevel = 7,
  kHorizontalWell = 8,
  kFracturedWell = 9,
  kRateTest = 10,
};

// Curve methods of gas production.
enum class GasMethod : std::int32_t {
  kDarcyNonDarcy = 0,
  kBackPressureFromTests = 1,
  kBackPressureGiven = 2,
  kHorizontalWell = 3,
  kFracturedWell = 4,
  kGivenNonDarcyCoefficient = 5,
  kRateTest = 6,
};

// Curve methods of water injection.
enum class WaterInjectionMethod : std::int32_t {
  kSkin = 0,
  kCoefficients = 1,
  kRateTest = 2,
};

// Curve methods of gas injection. The coefficient methods differ in the form
// the coefficients multiply; the first writes only the curve's first point.
enum class GasInjectionMethod : std::int32_t {
  kSkin = 0,
  kCoefficientsFirstPointOnly = 1,
  kCoefficientsPressure = 2,
  kCoefficientsSquaredPressure = 3,
  kCoefficientsPseudoPressure = 4,
  kRateTest = 5,
};

// Completion pressure-loss models of the completion block.
enum class CompletionModel : std::int32_t {
  kNone = 0,
  kGravelPack = 1,
  kCrushedZone = 2,
  kPerforationSkin = 3,
};

// How the layer fluids' properties are found (the fluid type of layer_fluids):
// kept as given, or recomputed by correlations or from built-in crudes.
enum class FluidType : std::int32_t {
  kNone = 0,
  kCorrelations = 1,
  kCrudeSamples = 2,
  kFieldCrude = 3,
  kCorrelationsType4 = 4,
};

// Oil-water viscosity mixing rules of the liquid viscosity.
enum class ViscosityMixingRule : std::int32_t {
  kVolumeWeighted = 0,
  kFluidityWeighted = 1,
  kPhaseInversion = 2,
};

// Deliverability test types of the back-pressure fits; codes above the
// modified isochronal test count as one.
enum class DeliverabilityTestType : std::int32_t {
  kFlowAfterFlow = 0,
  kIsochronal = 1,
  kModifiedIsochronal = 2,
};

// Each code above is the code of the C field map, value by value.
#define DLV_SAME_CODE(cpp, c) static_assert(static_cast<int>(cpp) == (c), #cpp " is " #c)
DLV_SAME_CODE(CalcMode::kOilProduction, DLV_MODE_OIL_PRODUCTION);
DLV_SAME_CODE(CalcMode::kGasProduction, DLV_MODE_GAS_PRODUCTION);
DLV_SAME_CODE(CalcMode::kWaterInjection, DLV_MODE_WATER_INJECTION);
DLV_SAME_CODE(CalcMode::kGasInjection, DLV_MODE_GAS_INJECTION);
DLV_SAME_CODE(OilMethod::kDarcyNonDarcy, DLV_OIL_METHOD_DARCY_NONDARCY);
DLV_SAME_CODE(OilMethod::kDarcyVogel, DLV_OIL_METHOD_DARCY_VOGEL);
DLV_SAME_CODE(OilMethod::kVogel, DLV_OIL_METHOD_VOGEL);
DLV_SAME_CODE(OilMethod::kVogelTwoTests, DLV_OIL_METHOD_VOGEL_TWO_TEST);
DLV_SAME_CODE(OilMethod::kBackPressureFromTests, DLV_OIL_METHOD_BACKPRESSURE_FIT);
DLV_SAME_CODE(OilMethod::kBackPressureGiven, DLV_OIL_METHOD_BACKPRESSURE_GIVEN);
DLV_SAME_CODE(OilMethod::kProductivityIndex, DLV_OIL_METHOD_PI_LINE);
DLV_SAME_CODE(OilMethod::kTwoRateLevel, DLV_OIL_METHOD_TWO_RATE_LEVEL);
DLV_SAME_CODE(OilMethod::kHorizontalWell, DLV_OIL_METHOD_HORIZONTAL);
DLV_SAME_CODE(OilMethod::kFracturedWell, DLV_OIL_METHOD_FRACTURED);
DLV_SAME_CODE(OilMethod::kRateTest, DLV_OIL_METHOD_RATE_TEST);
DLV_SAME_CODE(GasMethod::kDarcyNonDarcy, DLV_GAS_METHOD_DARCY_NONDARCY);
DLV_SAME_CODE(GasMethod::kBackPressureFromTests, DLV_GAS_METHOD_BACKPRESSURE_FIT);
DLV_SAME_CODE(GasMethod::kBackPressureGiven, DLV_GAS_METHOD_BACKPRESSURE_GIVEN);
DLV_SAME_CODE(GasMethod::kHorizontalWell, DLV_GAS_METHOD_HORIZONTAL);
DLV_SAME_CODE(GasMethod::kFracturedWell, DLV_GAS_METHOD_FRACTURED);
DLV_SAME_CODE(GasMethod::kGivenNonDarcyCoefficient, DLV_GAS_METHOD_GIVEN_D);
DLV_SAME_CODE(GasMethod::kRateTest, DLV_GAS_METHOD_RATE_TEST);
DLV_SAME_CODE(WaterInjectionMethod::kSkin, DLV_WATER_INJECTION_METHOD_SKIN);
DLV_SAME_CODE(WaterInjectionMethod::kCoefficients, DLV_WATER_INJECTION_METHOD_COEFFICIENTS);
DLV_SAME_CODE(WaterInjectionMethod::kRateTest, DLV_WATER_INJECTION_METHOD_RATE_TEST);
DLV_SAME_CODE(GasInjectionMethod::kSkin, DLV_GAS_INJECTION_METHOD_SKIN);
DLV_SAME_CODE(GasInjectionMethod::kCoefficientsFirstPointOnly,
              DLV_GAS_INJECTION_METHOD_COEFFICIENTS_NONE);
DLV_SAME_CODE(GasInjectionMethod::kCoefficientsPressure,
              DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PRESSURE);
DLV_SAME_CODE(GasInjectionMethod::kCoefficientsSquaredPressure,
              DLV_GAS_INJECTION_METHOD_COEFFICIENTS_SQUARED);
DLV_SAME_CODE(GasInjectionMethod::kCoefficientsPseudoPressure,
              DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PSEUDO);
DLV_SAME_CODE(GasInjectionMethod::kRateTest, DLV_GAS_INJECTION_METHOD_RATE_TEST);
DLV_SAME_CODE(CompletionModel::kNone, DLV_COMPLETION_NONE);
DLV_SAME_CODE(CompletionModel::kGravelPack, DLV_COMPLETION_GRAVEL_PACK);
DLV_SAME_CODE(CompletionModel::kCrushedZone, DLV_COMPLETION_CRUSHED_ZONE);
DLV_SAME_CODE(CompletionModel::kPerforationSkin, DLV_COMPLETION_PERFORATION_SKINS);
DLV_SAME_CODE(FluidType::kNone, DLV_FLUID_NONE);
DLV_SAME_CODE(FluidType::kCorrelations, DLV_FLUID_CORRELATIONS);
DLV_SAME_CODE(FluidType::kCrudeSamples, DLV_FLUID_CRUDE_SAMPLES);
DLV_SAME_CODE(FluidType::kFieldCrude, DLV_FLUID_FIELD_CRUDE);
DLV_SAME_CODE(FluidType::kCorrelationsType4, DLV_FLUID_CORRELATIONS_4);
DLV_SAME_CODE(ViscosityMixingRule::kVolumeWeighted, DLV_MIXING_VOLUME_WEIGHTED);
DLV_SAME_CODE(ViscosityMixingRule::kFluidityWeighted, DLV_MIXING_FLUIDITY_WEIGHTED);
DLV_SAME_CODE(ViscosityMixingRule::kPhaseInversion, DLV_MIXING_PHASE_INVERSION);
DLV_SAME_CODE(DeliverabilityTestType::kFlowAfterFlow, DLV_TEST_FLOW_AFTER_FLOW);
DLV_SAME_CODE(DeliverabilityTestType::kIsochronal, DLV_TEST_ISOCHRONAL);
DLV_SAME_CODE(DeliverabilityTestType::kModifiedIsochronal, DLV_TEST_MODIFIED_ISOCHRONAL);

// Fluid selector of the injection skin curve.
enum class InjectedFluid : std::int32_t {
  kGas = 0,
  kWater = 2,
};

}  // namespace dlv

namespace dlv::layout {

inline constexpr int kLayers = DLV_LAYERS;          // per-layer arrays: layers 0..49
inline constexpr int kPoints = DLV_POINTS;          // every curve: points 0..24
inline constexpr int kLastPoint = kPoints - 1;      // the curve's end point
inline constexpr int kLastGridPoint = kPoints - 2;  // the last point before the end point
inline constexpr double kIntervals = kLastPoint;    // intervals between the points of a curve

// layer_fluids (argument 1)
namespace fluids {
inline constexpr std::size_t fluid_type =
    DLV_LAYER_FLUIDS_FLUID_TYPE;  // int32 in the first bytes of slot 0
inline constexpr std::size_t api_gravity = DLV_LAYER_FLUIDS_API_GRAVITY;
inline constexpr std::size_t water_cut = DLV_LAYER_FLUIDS_WATER_CUT;
inline constexpr std::size_t liquid_yield = DLV_LAYER_FLUIDS_LIQUID_YIELD;
inline constexpr std::size_t water_sg = DLV_LAYER_FLUIDS_WATER_SG;
inline constexpr std::size_t gas_sg = DLV_LAYER_FLUIDS_GAS_SG;
inline constexpr std::size_t oil_sg = DLV_LAYER_FLUIDS_OIL_SG;
inline constexpr std::size_t producing_gor = DLV_LAYER_FLUIDS_PRODUCING_GOR;
inline constexpr std::size_t oil_viscosity = DLV_LAYER_FLUIDS_OIL_VISCOSITY;
inline constexpr std::size_t water_viscosity = DLV_LAYER_FLUIDS_WATER_VISCOSITY;
inline constexpr std::size_t liquid_viscosity = DLV_LAYER_FLUIDS_LIQUID_VISCOSITY;
inline constexpr std::size_t gas_viscosity = DLV_LAYER_FLUIDS_GAS_VISCOSITY;
inline constexpr std::size_t oil_fvf = DLV_LAYER_FLUIDS_OIL_FVF;
inline constexpr std::size_t water_fvf = DLV_LAYER_FLUIDS_WATER_FVF;
inline constexpr std::size_t liquid_fvf = DLV_LAYER_FLUIDS_LIQUID_FVF;
inline constexpr std::size_t liquid_density = DLV_LAYER_FLUIDS_LIQUID_DENSITY;
inline constexpr std::size_t oil_fraction = DLV_LAYER_FLUIDS_OIL_FRACTION;
inline constexpr std::size_t bubble_point = DLV_LAYER_FLUIDS_BUBBLE_POINT;
inline constexpr std::size_t bubble_point_given =
    DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN;  // int32[50], two per slot
inline constexpr std::size_t solution_gor = DLV_LAYER_FLUIDS_SOLUTION_GOR;
inline constexpr std::size_t total_compressibility = DLV_LAYER_FLUIDS_TOTAL_COMPRESSIBILITY;
inline constexpr std::size_t gas_z_factor = DLV_LAYER_FLUIDS_GAS_Z_FACTOR;
inline constexpr std::size_t sample_set = DLV_LAYER_FLUIDS_SAMPLE_SET;  // int32[50]
inline constexpr std::size_t sample_key = DLV_LAYER_FLUIDS_SAMPLE_KEY;
inline constexpr std::size_t rs_correlation = DLV_LAYER_FLUIDS_RS_CORRELATION;    // int32[50]
inline constexpr std::size_t fvf_correlation = DLV_LAYER_FLUIDS_FVF_CORRELATION;  // int32[50]
inline constexpr std::size_t viscosity_correlation =
    DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION;  // int32[50]
inline constexpr std::size_t viscosity_mixing_rule =
    DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE;  // int32
inline constexpr std::size_t min_slots = DLV_LAYER_FLUIDS_SLOTS;
}  // namespace fluids

// fluid_tables (argument 2): ten tables of 562 slots, then ten int32 flags.
namespace tables {
inline constexpr int kTableCount = DLV_FLUID_TABLE_COUNT;
inline constexpr int kTemperatureCapacity = DLV_FLUID_TABLE_TEMPERATURE_CAPACITY;
inline constexpr int kPressureCapacity = DLV_FLUID_TABLE_PRESSURE_CAPACITY;
inline constexpr std::size_t table_slots = DLV_FLUID_TABLE_SLOTS;
inline constexpr std::size_t temperatures = DLV_FLUID_TABLE_TEMPERATURES;  // within a table
inline constexpr std::size_t pressures = DLV_FLUID_TABLE_PRESSURES;        // within a table
inline constexpr std::size_t values = DLV_FLUID_TABLE_VALUES;  // within a table, 50 rows of 10
inline constexpr std::size_t counts =
    DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE / 8;                         // within a table: two int32
inline constexpr std::size_t use_flags = DLV_FLUID_TABLES_USE_TABLE;    // int32[10]
inline constexpr std::size_t total_bytes = DLV_FLUID_TABLES_SLOTS * 8;  // block size in bytes
// The property each table holds.
enum class Property : int {
  kSolutionGor = 0,
  kOilFvf = 1,
  kOilViscosity = 4,
  kGasZFactor = 6,
  kGasViscosity = 7,
};
}  // namespace tables

// separator_conditions (argument 3)
namespace separator {
inline constexpr std::size_t pressure = DLV_SEPARATOR_PRESSURE;
inline constexpr std::size_t temperature = DLV_SEPARATOR_TEMPERATURE;
}  // namespace separator

// layer_curves, completion_curves, traverse_curves (arguments 4, 8, 9)
namespace curves {
inline constexpr std::size_t rate = DLV_CURVES_RATE;
inline constexpr std::size_t pressure = DLV_CURVES_PRESSURE;
inline constexpr std::size_t drawdown = DLV_CURVES_DRAWDOWN;
inline constexpr std::size_t total_slots = DLV_CURVE_BLOCK_SLOTS;
}  // namespace curves

// well_record (argument 5)
namespace well {
inline constexpr std::size_t method_code_byte =
    DLV_WELL_RECORD_METHOD_CODE_BYTE;  // int32 pairs in slots 0..2
inline constexpr std::size_t gas_method_byte = DLV_WELL_RECORD_GAS_METHOD_BYTE;
inline constexpr std::size_t gas_injection_method_byte = DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE;
inline constexpr std::size_t water_injection_method_byte =
    DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE;
inline constexpr std::size_t layer_count_byte = DLV_WELL_RECORD_LAYER_COUNT_BYTE;
inline constexpr std::size_t deliverability_test_type_byte =
    DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE_BYTE;
inline constexpr std::size_t layer_temperature = DLV_WELL_RECORD_LAYER_TEMPERATURE;
inline constexpr std::size_t permeability = DLV_WELL_RECORD_PERMEABILITY;
inline constexpr std::size_t thickness = DLV_WELL_RECORD_THICKNESS;
inline constexpr std::size_t drainage_radius = DLV_WELL_RECORD_DRAINAGE_RADIUS;
inline constexpr std::size_t wellbore_radius = DLV_WELL_RECORD_WELLBORE_RADIUS;
inline constexpr std::size_t skin = DLV_WELL_RECORD_SKIN;
inline constexpr std::size_t reservoir_pressure = DLV_WELL_RECORD_RESERVOIR_PRESSURE;
inline constexpr std::size_t test_count = DLV_WELL_RECORD_TEST_COUNT;  // int32
inline constexpr int kTestCapacity = DLV_TEST_CAPACITY;
inline constexpr std::size_t test_rate = DLV_WELL_RECORD_TEST_RATE;
inline constexpr std::size_t test_pressure = DLV_WELL_RECORD_TEST_PRESSURE;
inline constexpr std::size_t test_shutin_pressure = DLV_WELL_RECORD_TEST_SHUTIN_PRESSURE;
inline constexpr std::size_t backpressure_c = DLV_WELL_RECORD_BACKPRESSURE_C;
inline constexpr std::size_t backpressure_n = DLV_WELL_RECORD_BACKPRESSURE_N;
inline constexpr std::size_t productivity_index = DLV_WELL_RECORD_PRODUCTIVITY_INDEX;
inline constexpr std::size_t level_gradient = DLV_WELL_RECORD_LEVEL_GRADIENT;
inline constexpr std::size_t surface_term_factors =
    DLV_WELL_RECORD_SURFACE_TERM_FACTORS;                                        // double[2]
inline constexpr std::size_t level_test_rate = DLV_WELL_RECORD_LEVEL_TEST_RATE;  // double[2]
inline constexpr std::size_t level_reading = DLV_WELL_RECORD_LEVEL_READING;      // double[2]
inline constexpr std::size_t perm_y = DLV_WELL_RECORD_PERM_Y;
inline constexpr std::size_t perm_z = DLV_WELL_RECORD_PERM_Z;
inline constexpr std::size_t drainage_area = DLV_WELL_RECORD_DRAINAGE_AREA;
inline constexpr std::size_t well_start_y = DLV_WELL_RECORD_WELL_START_Y;
inline constexpr std::size_t box_length_y = DLV_WELL_RECORD_BOX_LENGTH_Y;
inline constexpr std::size_t well_position_x = DLV_WELL_RECORD_WELL_POSITION_X;
inline constexpr std::size_t box_width_x = DLV_WELL_RECORD_BOX_WIDTH_X;
inline constexpr std::size_t well_elevation_z = DLV_WELL_RECORD_WELL_ELEVATION_Z;
inline constexpr std::size_t well_length = DLV_WELL_RECORD_WELL_LENGTH;
inline constexpr std::size_t fracture_half_length = DLV_WELL_RECORD_FRACTURE_HALF_LENGTH;
inline constexpr std::size_t porosity = DLV_WELL_RECORD_POROSITY;
inline constexpr std::size_t production_time = DLV_WELL_RECORD_PRODUCTION_TIME;
inline constexpr std::size_t fracture_width = DLV_WELL_RECORD_FRACTURE_WIDTH;
inline constexpr std::size_t fracture_permeability = DLV_WELL_RECORD_FRACTURE_PERMEABILITY;
inline constexpr std::size_t rate_multiplier = DLV_WELL_RECORD_RATE_MULTIPLIER;
inline constexpr std::size_t non_darcy_coefficient = DLV_WELL_RECORD_NON_DARCY_COEFFICIENT;
inline constexpr std::size_t injection_coefficients =
    DLV_WELL_RECORD_INJECTION_COEFFICIENTS;  // double[4][2]
inline constexpr std::size_t break_pressure = DLV_WELL_RECORD_BREAK_PRESSURE;
inline constexpr std::size_t max_injection_rate = DLV_WELL_RECORD_MAX_INJECTION_RATE;
inline constexpr std::size_t second_skin = DLV_WELL_RECORD_SECOND_SKIN;
inline constexpr std::size_t injection_traverse_depth = DLV_WELL_RECORD_INJECTION_TRAVERSE_DEPTH;
inline constexpr std::size_t layer_depth = DLV_WELL_RECORD_LAYER_DEPTH;
inline constexpr std::size_t reference_depth = DLV_WELL_RECORD_REFERENCE_DEPTH;
inline constexpr std::size_t ratetest_pressures = DLV_WELL_RECORD_RATETEST_PRESSURES;
inline constexpr std::size_t ratetest_liquid_rates = DLV_WELL_RECORD_RATETEST_LIQUID_RATES;
inline constexpr std::size_t ratetest_gas_rates = DLV_WELL_RECORD_RATETEST_GAS_RATES;
inline constexpr std::size_t ratetest_water_rates = DLV_WELL_RECORD_RATETEST_WATER_RATES;
inline constexpr int kRateTestCapacity = DLV_RATETEST_CAPACITY;
inline constexpr std::size_t ratetest_row_count =
    DLV_WELL_RECORD_RATETEST_ROW_COUNT;  // int32, then two flag bytes
inline constexpr std::size_t backpressure_c_given_byte = DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE;
inline constexpr std::size_t backpressure_n_given_byte = DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE;
inline constexpr std::size_t min_slots = DLV_WELL_RECORD_SLOTS;
}  // namespace well

// completion_block (argument 7)
namespace completion {
inline constexpr std::size_t completion_model = DLV_COMPLETION_COMPLETION_MODEL;  // int32
inline constexpr std::size_t shot_density_factor = DLV_COMPLETION_SHOT_DENSITY_FACTOR;
inline constexpr std::size_t gravel_permeability = DLV_COMPLETION_GRAVEL_PERMEABILITY;
inline constexpr std::size_t crushed_zone_permeability = DLV_COMPLETION_CRUSHED_ZONE_PERMEABILITY;
inline constexpr std::size_t crushed_zone_thickness = DLV_COMPLETION_CRUSHED_ZONE_THICKNESS;
inline constexpr std::size_t shot_density = DLV_COMPLETION_SHOT_DENSITY;
inline constexpr std::size_t perforation_diameter = DLV_COMPLETION_PERFORATION_DIAMETER;
inline constexpr std::size_t perforated_interval = DLV_COMPLETION_PERFORATED_INTERVAL;
inline constexpr std::size_t gravel_tunnel_length = DLV_COMPLETION_GRAVEL_TUNNEL_LENGTH;
inline constexpr std::size_t perforation_length = DLV_COMPLETION_PERFORATION_LENGTH;
inline constexpr std::size_t min_slots = DLV_COMPLETION_SLOTS;
}  // namespace completion

// traverse_block (argument 10) and the traverse record: byte offsets.
namespace traverse {
inline constexpr std::size_t record_bytes = DLV_TRAVERSE_SLOTS * 8;
inline constexpr std::size_t first_rate = 0;
inline constexpr std::size_t second_rate = 8;
inline constexpr std::size_t water_cut_percent = 16;
inline constexpr std::size_t gas_oil_ratio = 72;
inline constexpr std::size_t start_pressure = 104;
inline constexpr std::size_t depth_setup_value = 3328;
inline constexpr std::size_t record_type = DLV_TRAVERSE_RECORD_TYPE_BYTE;  // int32
inline constexpr std::size_t suppress_fluid_errors =
    DLV_TRAVERSE_SUPPRESS_FLUID_ERRORS_BYTE;  // int32, element 2737
inline constexpr std::size_t segment_count = DLV_TRAVERSE_SEGMENT_COUNT_BYTE;  // int32
inline constexpr std::size_t direction_flag = 10964;                           // int32
inline constexpr std::size_t segment_flags = 10968;                            // int32 array
inline constexpr std::size_t template_reset = 12592;                           // int32
// Scratch blocks handed to the traverse calculation.
inline constexpr std::size_t scratch_a_bytes = 70416;
inline constexpr std::size_t scratch_b_bytes = 45000;
inline constexpr std::size_t scratch_c_bytes = 11232;
inline constexpr std::size_t text_buffer_bytes = 64;
}  // namespace traverse

// well_summary (argument 11)
namespace summary {
inline constexpr std::size_t rate = DLV_SUMMARY_RATE;
inline constexpr std::size_t pressure = DLV_SUMMARY_PRESSURE;
inline constexpr std::size_t drawdown = DLV_SUMMARY_DRAWDOWN;
inline constexpr std::size_t water_cut = DLV_SUMMARY_WATER_CUT;
inline constexpr std::size_t gas_liquid = DLV_SUMMARY_GAS_LIQUID;
inline constexpr std::size_t water_sg = DLV_SUMMARY_WATER_SG;
inline constexpr std::size_t total_slots = DLV_WELL_SUMMARY_SLOTS;
}  // namespace summary

// layer_results (argument 12)
namespace results {
inline constexpr std::size_t result_status = DLV_RESULTS_RESULT_STATUS;        // int32
inline constexpr std::size_t flow_regime_flag = DLV_RESULTS_FLOW_REGIME_FLAG;  // int32[50]
inline constexpr std::size_t effective_radius_ratio = DLV_RESULTS_EFFECTIVE_RADIUS_RATIO;
inline constexpr std::size_t fracture_conductivity = DLV_RESULTS_FRACTURE_CONDUCTIVITY;
inline constexpr std::size_t dimensionless_time = DLV_RESULTS_DIMENSIONLESS_TIME;
inline constexpr std::size_t result_bubble_point = DLV_RESULTS_RESULT_BUBBLE_POINT;
inline constexpr std::size_t total_slots = DLV_LAYER_RESULTS_SLOTS;
}  // namespace results

// The property of each table is the table index of the C field map.
DLV_SAME_CODE(tables::Property::kSolutionGor, DLV_TABLE_SOLUTION_GOR);
DLV_SAME_CODE(tables::Property::kOilFvf, DLV_TABLE_OIL_FVF);
DLV_SAME_CODE(tables::Property::kOilViscosity, DLV_TABLE_OIL_VISCOSITY);
DLV_SAME_CODE(tables::Property::kGasZFactor, DLV_TABLE_GAS_Z_FACTOR);
DLV_SAME_CODE(tables::Property::kGasViscosity, DLV_TABLE_GAS_VISCOSITY);
#undef DLV_SAME_CODE

// The int32 fields the library finds by slot sit at the start of that slot,
// where the field map's byte offsets put them; the two counts of a fluid table
// share one slot.
static_assert(fluids::fluid_type * 8 == DLV_LAYER_FLUIDS_FLUID_TYPE_BYTE);
static_assert(fluids::bubble_point_given * 8 == DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE);
static_assert(fluids::sample_set * 8 == DLV_LAYER_FLUIDS_SAMPLE_SET_BYTE);
static_assert(fluids::rs_correlation * 8 == DLV_LAYER_FLUIDS_RS_CORRELATION_BYTE);
static_assert(fluids::fvf_correlation * 8 == DLV_LAYER_FLUIDS_FVF_CORRELATION_BYTE);
static_assert(fluids::viscosity_correlation * 8 == DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION_BYTE);
static_assert(fluids::viscosity_mixing_rule * 8 == DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE);
static_assert(tables::use_flags * 8 == DLV_FLUID_TABLES_USE_TABLE_BYTE);
static_assert(tables::counts * 8 == DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE);
static_assert(tables::counts * 8 + 4 == DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE);
static_assert(well::test_count * 8 == DLV_WELL_RECORD_TEST_COUNT_BYTE);
static_assert(well::ratetest_row_count * 8 == DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE);
static_assert(completion::completion_model * 8 == DLV_COMPLETION_COMPLETION_MODEL_BYTE);
static_assert(results::result_status * 8 == DLV_RESULTS_RESULT_STATUS_BYTE);
static_assert(results::flow_regime_flag * 8 == DLV_RESULTS_FLOW_REGIME_FLAG_BYTE);
// The block sizes hold what the layout puts in them.
static_assert(DLV_FLUID_TABLES_SLOTS > tables::use_flags);
static_assert(DLV_SEPARATOR_SLOTS == separator::temperature + 1);
static_assert(DLV_CURVE_BLOCK_SLOTS == 3 * DLV_LAYERS * DLV_POINTS);

}  // namespace dlv::layout
