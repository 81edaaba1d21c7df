// Ties the public C field map (dlv/dlv_layout.h) to the C++ block layout:
// every position a C host can name is checked against the one the library
// uses, field by field, when this file compiles.
#include "blocks/block_layout.hpp"
#include "dlv/dlv_layout.h"

namespace dlv::layout {
namespace {
constexpr bool same(std::size_t c_value, std::size_t cpp_value) { return c_value == cpp_value; }
}  // namespace

static_assert(same(DLV_LAYERS, kLayers), "DLV_LAYERS");
static_assert(same(DLV_POINTS, kPoints), "DLV_POINTS");
static_assert(same(DLV_LAYER_FLUIDS_SLOTS, fluids::min_slots), "DLV_LAYER_FLUIDS_SLOTS");
static_assert(same(DLV_FLUID_TABLES_SLOTS * 8, tables::total_bytes), "DLV_FLUID_TABLES_SLOTS");
static_assert(same(DLV_CURVE_BLOCK_SLOTS, curves::total_slots), "DLV_CURVE_BLOCK_SLOTS");
static_assert(same(DLV_WELL_RECORD_SLOTS, well::min_slots), "DLV_WELL_RECORD_SLOTS");
static_assert(same(DLV_COMPLETION_SLOTS, completion::min_slots), "DLV_COMPLETION_SLOTS");
static_assert(same(DLV_TRAVERSE_SLOTS * 8, traverse::record_bytes), "DLV_TRAVERSE_SLOTS");
static_assert(same(DLV_WELL_SUMMARY_SLOTS, summary::total_slots), "DLV_WELL_SUMMARY_SLOTS");
static_assert(same(DLV_LAYER_RESULTS_SLOTS, results::total_slots), "DLV_LAYER_RESULTS_SLOTS");
static_assert(same(DLV_TEST_CAPACITY, well::kTestCapacity), "DLV_TEST_CAPACITY");
static_assert(same(DLV_RATETEST_CAPACITY, well::kRateTestCapacity), "DLV_RATETEST_CAPACITY");
static_assert(same(DLV_FLUID_TABLE_COUNT, tables::kTableCount), "DLV_FLUID_TABLE_COUNT");
static_assert(same(DLV_FLUID_TABLE_SLOTS, tables::table_slots), "DLV_FLUID_TABLE_SLOTS");
static_assert(same(DLV_FLUID_TABLE_TEMPERATURE_CAPACITY, tables::kTemperatureCapacity),
              "DLV_FLUID_TABLE_TEMPERATURE_CAPACITY");
static_assert(same(DLV_FLUID_TABLE_PRESSURE_CAPACITY, tables::kPressureCapacity),
              "DLV_FLUID_TABLE_PRESSURE_CAPACITY");
static_assert(same(DLV_FLUID_TABLE_TEMPERATURES, tables::temperatures),
              "DLV_FLUID_TABLE_TEMPERATURES");
static_assert(same(DLV_FLUID_TABLE_PRESSURES, tables::pressures), "DLV_FLUID_TABLE_PRESSURES");
static_assert(same(DLV_FLUID_TABLE_VALUES, tables::values), "DLV_FLUID_TABLE_VALUES");
static_assert(same(DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE, tables::counts * 8),
              "DLV_FLUID_TABLE_TEMPERATURE_COUNT_BYTE");
static_assert(same(DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE, tables::counts * 8 + 4),
              "DLV_FLUID_TABLE_PRESSURE_COUNT_BYTE");
static_assert(same(DLV_FLUID_TABLES_USE_TABLE, tables::use_flags), "DLV_FLUID_TABLES_USE_TABLE");
static_assert(same(DLV_FLUID_TABLES_USE_TABLE_BYTE, tables::use_flags * 8),
              "DLV_FLUID_TABLES_USE_TABLE_BYTE");
static_assert(same(DLV_TRAVERSE_RECORD_TYPE_BYTE, traverse::record_type),
              "DLV_TRAVERSE_RECORD_TYPE_BYTE");
static_assert(same(DLV_TRAVERSE_SUPPRESS_FLUID_ERRORS_BYTE, traverse::suppress_fluid_errors),
              "DLV_TRAVERSE_SUPPRESS_FLUID_ERRORS_BYTE");
static_assert(same(DLV_TRAVERSE_SEGMENT_COUNT_BYTE, traverse::segment_count),
              "DLV_TRAVERSE_SEGMENT_COUNT_BYTE");
static_assert(same(DLV_WELL_RECORD_METHOD_CODE * 8, well::method_code_byte / 8 * 8),
              "DLV_WELL_RECORD_METHOD_CODE");
static_assert(same(DLV_WELL_RECORD_GAS_METHOD * 8, well::gas_method_byte / 8 * 8),
              "DLV_WELL_RECORD_GAS_METHOD");
static_assert(same(DLV_WELL_RECORD_GAS_INJECTION_METHOD * 8,
                   well::gas_injection_method_byte / 8 * 8),
              "DLV_WELL_RECORD_GAS_INJECTION_METHOD");
static_assert(same(DLV_WELL_RECORD_WATER_INJECTION_METHOD * 8,
                   well::water_injection_method_byte / 8 * 8),
              "DLV_WELL_RECORD_WATER_INJECTION_METHOD");
static_assert(same(DLV_WELL_RECORD_LAYER_COUNT * 8, well::layer_count_byte / 8 * 8),
              "DLV_WELL_RECORD_LAYER_COUNT");
static_assert(same(DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE * 8,
                   well::deliverability_test_type_byte / 8 * 8),
              "DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE");
static_assert(same(DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN * 8,
                   well::backpressure_c_given_byte / 8 * 8),
              "DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN");
static_assert(same(DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN * 8,
                   well::backpressure_n_given_byte / 8 * 8),
              "DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN");
static_assert(same(DLV_LAYER_FLUIDS_FLUID_TYPE, fluids::fluid_type), "DLV_LAYER_FLUIDS_FLUID_TYPE");
static_assert(same(DLV_LAYER_FLUIDS_FLUID_TYPE_BYTE, fluids::fluid_type * 8),
              "DLV_LAYER_FLUIDS_FLUID_TYPE_BYTE");
static_assert(same(DLV_LAYER_FLUIDS_API_GRAVITY, fluids::api_gravity),
              "DLV_LAYER_FLUIDS_API_GRAVITY");
static_assert(same(DLV_LAYER_FLUIDS_WATER_CUT, fluids::water_cut), "DLV_LAYER_FLUIDS_WATER_CUT");
static_assert(same(DLV_LAYER_FLUIDS_LIQUID_YIELD, fluids::liquid_yield),
              "DLV_LAYER_FLUIDS_LIQUID_YIELD");
static_assert(same(DLV_LAYER_FLUIDS_WATER_SG, fluids::water_sg), "DLV_LAYER_FLUIDS_WATER_SG");
static_assert(same(DLV_LAYER_FLUIDS_GAS_SG, fluids::gas_sg), "DLV_LAYER_FLUIDS_GAS_SG");
static_assert(same(DLV_LAYER_FLUIDS_OIL_SG, fluids::oil_sg), "DLV_LAYER_FLUIDS_OIL_SG");
static_assert(same(DLV_LAYER_FLUIDS_PRODUCING_GOR, fluids::producing_gor),
              "DLV_LAYER_FLUIDS_PRODUCING_GOR");
static_assert(same(DLV_LAYER_FLUIDS_OIL_VISCOSITY, fluids::oil_viscosity),
              "DLV_LAYER_FLUIDS_OIL_VISCOSITY");
static_assert(same(DLV_LAYER_FLUIDS_WATER_VISCOSITY, fluids::water_viscosity),
              "DLV_LAYER_FLUIDS_WATER_VISCOSITY");
static_assert(same(DLV_LAYER_FLUIDS_LIQUID_VISCOSITY, fluids::liquid_viscosity),
              "DLV_LAYER_FLUIDS_LIQUID_VISCOSITY");
static_assert(same(DLV_LAYER_FLUIDS_GAS_VISCOSITY, fluids::gas_viscosity),
              "DLV_LAYER_FLUIDS_GAS_VISCOSITY");
static_assert(same(DLV_LAYER_FLUIDS_OIL_FVF, fluids::oil_fvf), "DLV_LAYER_FLUIDS_OIL_FVF");
static_assert(same(DLV_LAYER_FLUIDS_WATER_FVF, fluids::water_fvf), "DLV_LAYER_FLUIDS_WATER_FVF");
static_assert(same(DLV_LAYER_FLUIDS_LIQUID_FVF, fluids::liquid_fvf), "DLV_LAYER_FLUIDS_LIQUID_FVF");
static_assert(same(DLV_LAYER_FLUIDS_LIQUID_DENSITY, fluids::liquid_density),
              "DLV_LAYER_FLUIDS_LIQUID_DENSITY");
static_assert(same(DLV_LAYER_FLUIDS_OIL_FRACTION, fluids::oil_fraction),
              "DLV_LAYER_FLUIDS_OIL_FRACTION");
static_assert(same(DLV_LAYER_FLUIDS_BUBBLE_POINT, fluids::bubble_point),
              "DLV_LAYER_FLUIDS_BUBBLE_POINT");
static_assert(same(DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN, fluids::bubble_point_given),
              "DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN");
static_assert(same(DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE, fluids::bubble_point_given * 8),
              "DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE");
static_assert(same(DLV_LAYER_FLUIDS_SOLUTION_GOR, fluids::solution_gor),
              "DLV_LAYER_FLUIDS_SOLUTION_GOR");
static_assert(same(DLV_LAYER_FLUIDS_TOTAL_COMPRESSIBILITY, fluids::total_compressibility),
              "DLV_LAYER_FLUIDS_TOTAL_COMPRESSIBILITY");
static_assert(same(DLV_LAYER_FLUIDS_GAS_Z_FACTOR, fluids::gas_z_factor),
              "DLV_LAYER_FLUIDS_GAS_Z_FACTOR");
static_assert(same(DLV_LAYER_FLUIDS_SAMPLE_SET, fluids::sample_set), "DLV_LAYER_FLUIDS_SAMPLE_SET");
static_assert(same(DLV_LAYER_FLUIDS_SAMPLE_SET_BYTE, fluids::sample_set * 8),
              "DLV_LAYER_FLUIDS_SAMPLE_SET_BYTE");
static_assert(same(DLV_LAYER_FLUIDS_SAMPLE_KEY, fluids::sample_key), "DLV_LAYER_FLUIDS_SAMPLE_KEY");
static_assert(same(DLV_LAYER_FLUIDS_RS_CORRELATION, fluids::rs_correlation),
              "DLV_LAYER_FLUIDS_RS_CORRELATION");
static_assert(same(DLV_LAYER_FLUIDS_RS_CORRELATION_BYTE, fluids::rs_correlation * 8),
              "DLV_LAYER_FLUIDS_RS_CORRELATION_BYTE");
static_assert(same(DLV_LAYER_FLUIDS_FVF_CORRELATION, fluids::fvf_correlation),
              "DLV_LAYER_FLUIDS_FVF_CORRELATION");
static_assert(same(DLV_LAYER_FLUIDS_FVF_CORRELATION_BYTE, fluids::fvf_correlation * 8),
              "DLV_LAYER_FLUIDS_FVF_CORRELATION_BYTE");
static_assert(same(DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION, fluids::viscosity_correlation),
              "DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION");
static_assert(same(DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION_BYTE, fluids::viscosity_correlation * 8),
              "DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION_BYTE");
static_assert(same(DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE, fluids::viscosity_mixing_rule),
              "DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE");
static_assert(same(DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE, fluids::viscosity_mixing_rule * 8),
              "DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE");
static_assert(same(DLV_SEPARATOR_PRESSURE, separator::pressure), "DLV_SEPARATOR_PRESSURE");
static_assert(same(DLV_SEPARATOR_TEMPERATURE, separator::temperature), "DLV_SEPARATOR_TEMPERATURE");
static_assert(same(DLV_CURVES_RATE, curves::rate), "DLV_CURVES_RATE");
static_assert(same(DLV_CURVES_PRESSURE, curves::pressure), "DLV_CURVES_PRESSURE");
static_assert(same(DLV_CURVES_DRAWDOWN, curves::drawdown), "DLV_CURVES_DRAWDOWN");
static_assert(same(DLV_WELL_RECORD_METHOD_CODE_BYTE, well::method_code_byte),
              "DLV_WELL_RECORD_METHOD_CODE_BYTE");
static_assert(same(DLV_WELL_RECORD_GAS_METHOD_BYTE, well::gas_method_byte),
              "DLV_WELL_RECORD_GAS_METHOD_BYTE");
static_assert(same(DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE, well::gas_injection_method_byte),
              "DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE");
static_assert(same(DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE, well::water_injection_method_byte),
              "DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE");
static_assert(same(DLV_WELL_RECORD_LAYER_COUNT_BYTE, well::layer_count_byte),
              "DLV_WELL_RECORD_LAYER_COUNT_BYTE");
static_assert(same(DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE_BYTE,
                   well::deliverability_test_type_byte),
              "DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE_BYTE");
static_assert(same(DLV_WELL_RECORD_LAYER_TEMPERATURE, well::layer_temperature),
              "DLV_WELL_RECORD_LAYER_TEMPERATURE");
static_assert(same(DLV_WELL_RECORD_PERMEABILITY, well::permeability),
              "DLV_WELL_RECORD_PERMEABILITY");
static_assert(same(DLV_WELL_RECORD_THICKNESS, well::thickness), "DLV_WELL_RECORD_THICKNESS");
static_assert(same(DLV_WELL_RECORD_DRAINAGE_RADIUS, well::drainage_radius),
              "DLV_WELL_RECORD_DRAINAGE_RADIUS");
static_assert(same(DLV_WELL_RECORD_WELLBORE_RADIUS, well::wellbore_radius),
              "DLV_WELL_RECORD_WELLBORE_RADIUS");
static_assert(same(DLV_WELL_RECORD_SKIN, well::skin), "DLV_WELL_RECORD_SKIN");
static_assert(same(DLV_WELL_RECORD_RESERVOIR_PRESSURE, well::reservoir_pressure),
              "DLV_WELL_RECORD_RESERVOIR_PRESSURE");
static_assert(same(DLV_WELL_RECORD_TEST_COUNT, well::test_count), "DLV_WELL_RECORD_TEST_COUNT");
static_assert(same(DLV_WELL_RECORD_TEST_COUNT_BYTE, well::test_count * 8),
              "DLV_WELL_RECORD_TEST_COUNT_BYTE");
static_assert(same(DLV_WELL_RECORD_TEST_RATE, well::test_rate), "DLV_WELL_RECORD_TEST_RATE");
static_assert(same(DLV_WELL_RECORD_TEST_PRESSURE, well::test_pressure),
              "DLV_WELL_RECORD_TEST_PRESSURE");
static_assert(same(DLV_WELL_RECORD_TEST_SHUTIN_PRESSURE, well::test_shutin_pressure),
              "DLV_WELL_RECORD_TEST_SHUTIN_PRESSURE");
static_assert(same(DLV_WELL_RECORD_BACKPRESSURE_C, well::backpressure_c),
              "DLV_WELL_RECORD_BACKPRESSURE_C");
static_assert(same(DLV_WELL_RECORD_BACKPRESSURE_N, well::backpressure_n),
              "DLV_WELL_RECORD_BACKPRESSURE_N");
static_assert(same(DLV_WELL_RECORD_PRODUCTIVITY_INDEX, well::productivity_index),
              "DLV_WELL_RECORD_PRODUCTIVITY_INDEX");
static_assert(same(DLV_WELL_RECORD_LEVEL_GRADIENT, well::level_gradient),
              "DLV_WELL_RECORD_LEVEL_GRADIENT");
static_assert(same(DLV_WELL_RECORD_SURFACE_TERM_FACTORS, well::surface_term_factors),
              "DLV_WELL_RECORD_SURFACE_TERM_FACTORS");
static_assert(same(DLV_WELL_RECORD_LEVEL_TEST_RATE, well::level_test_rate),
              "DLV_WELL_RECORD_LEVEL_TEST_RATE");
static_assert(same(DLV_WELL_RECORD_LEVEL_READING, well::level_reading),
              "DLV_WELL_RECORD_LEVEL_READING");
static_assert(same(DLV_WELL_RECORD_PERM_Y, well::perm_y), "DLV_WELL_RECORD_PERM_Y");
static_assert(same(DLV_WELL_RECORD_PERM_Z, well::perm_z), "DLV_WELL_RECORD_PERM_Z");
static_assert(same(DLV_WELL_RECORD_DRAINAGE_AREA, well::drainage_area),
              "DLV_WELL_RECORD_DRAINAGE_AREA");
static_assert(same(DLV_WELL_RECORD_WELL_START_Y, well::well_start_y),
              "DLV_WELL_RECORD_WELL_START_Y");
static_assert(same(DLV_WELL_RECORD_BOX_LENGTH_Y, well::box_length_y),
              "DLV_WELL_RECORD_BOX_LENGTH_Y");
static_assert(same(DLV_WELL_RECORD_WELL_POSITION_X, well::well_position_x),
              "DLV_WELL_RECORD_WELL_POSITION_X");
static_assert(same(DLV_WELL_RECORD_BOX_WIDTH_X, well::box_width_x), "DLV_WELL_RECORD_BOX_WIDTH_X");
static_assert(same(DLV_WELL_RECORD_WELL_ELEVATION_Z, well::well_elevation_z),
              "DLV_WELL_RECORD_WELL_ELEVATION_Z");
static_assert(same(DLV_WELL_RECORD_WELL_LENGTH, well::well_length), "DLV_WELL_RECORD_WELL_LENGTH");
static_assert(same(DLV_WELL_RECORD_FRACTURE_HALF_LENGTH, well::fracture_half_length),
              "DLV_WELL_RECORD_FRACTURE_HALF_LENGTH");
static_assert(same(DLV_WELL_RECORD_POROSITY, well::porosity), "DLV_WELL_RECORD_POROSITY");
static_assert(same(DLV_WELL_RECORD_PRODUCTION_TIME, well::production_time),
              "DLV_WELL_RECORD_PRODUCTION_TIME");
static_assert(same(DLV_WELL_RECORD_FRACTURE_WIDTH, well::fracture_width),
              "DLV_WELL_RECORD_FRACTURE_WIDTH");
static_assert(same(DLV_WELL_RECORD_FRACTURE_PERMEABILITY, well::fracture_permeability),
              "DLV_WELL_RECORD_FRACTURE_PERMEABILITY");
static_assert(same(DLV_WELL_RECORD_RATE_MULTIPLIER, well::rate_multiplier),
              "DLV_WELL_RECORD_RATE_MULTIPLIER");
static_assert(same(DLV_WELL_RECORD_NON_DARCY_COEFFICIENT, well::non_darcy_coefficient),
              "DLV_WELL_RECORD_NON_DARCY_COEFFICIENT");
static_assert(same(DLV_WELL_RECORD_INJECTION_COEFFICIENTS, well::injection_coefficients),
              "DLV_WELL_RECORD_INJECTION_COEFFICIENTS");
static_assert(same(DLV_WELL_RECORD_BREAK_PRESSURE, well::break_pressure),
              "DLV_WELL_RECORD_BREAK_PRESSURE");
static_assert(same(DLV_WELL_RECORD_MAX_INJECTION_RATE, well::max_injection_rate),
              "DLV_WELL_RECORD_MAX_INJECTION_RATE");
static_assert(same(DLV_WELL_RECORD_SECOND_SKIN, well::second_skin), "DLV_WELL_RECORD_SECOND_SKIN");
static_assert(same(DLV_WELL_RECORD_INJECTION_TRAVERSE_DEPTH, well::injection_traverse_depth),
              "DLV_WELL_RECORD_INJECTION_TRAVERSE_DEPTH");
static_assert(same(DLV_WELL_RECORD_LAYER_DEPTH, well::layer_depth), "DLV_WELL_RECORD_LAYER_DEPTH");
static_assert(same(DLV_WELL_RECORD_REFERENCE_DEPTH, well::reference_depth),
              "DLV_WELL_RECORD_REFERENCE_DEPTH");
static_assert(same(DLV_WELL_RECORD_RATETEST_PRESSURES, well::ratetest_pressures),
              "DLV_WELL_RECORD_RATETEST_PRESSURES");
static_assert(same(DLV_WELL_RECORD_RATETEST_LIQUID_RATES, well::ratetest_liquid_rates),
              "DLV_WELL_RECORD_RATETEST_LIQUID_RATES");
static_assert(same(DLV_WELL_RECORD_RATETEST_GAS_RATES, well::ratetest_gas_rates),
              "DLV_WELL_RECORD_RATETEST_GAS_RATES");
static_assert(same(DLV_WELL_RECORD_RATETEST_WATER_RATES, well::ratetest_water_rates),
              "DLV_WELL_RECORD_RATETEST_WATER_RATES");
static_assert(same(DLV_WELL_RECORD_RATETEST_ROW_COUNT, well::ratetest_row_count),
              "DLV_WELL_RECORD_RATETEST_ROW_COUNT");
static_assert(same(DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE, well::ratetest_row_count * 8),
              "DLV_WELL_RECORD_RATETEST_ROW_COUNT_BYTE");
static_assert(same(DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE, well::backpressure_c_given_byte),
              "DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE");
static_assert(same(DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE, well::backpressure_n_given_byte),
              "DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE");
static_assert(same(DLV_COMPLETION_COMPLETION_MODEL, completion::completion_model),
              "DLV_COMPLETION_COMPLETION_MODEL");
static_assert(same(DLV_COMPLETION_COMPLETION_MODEL_BYTE, completion::completion_model * 8),
              "DLV_COMPLETION_COMPLETION_MODEL_BYTE");
static_assert(same(DLV_COMPLETION_SHOT_DENSITY_FACTOR, completion::shot_density_factor),
              "DLV_COMPLETION_SHOT_DENSITY_FACTOR");
static_assert(same(DLV_COMPLETION_GRAVEL_PERMEABILITY, completion::gravel_permeability),
              "DLV_COMPLETION_GRAVEL_PERMEABILITY");
static_assert(same(DLV_COMPLETION_CRUSHED_ZONE_PERMEABILITY, completion::crushed_zone_permeability),
              "DLV_COMPLETION_CRUSHED_ZONE_PERMEABILITY");
static_assert(same(DLV_COMPLETION_CRUSHED_ZONE_THICKNESS, completion::crushed_zone_thickness),
              "DLV_COMPLETION_CRUSHED_ZONE_THICKNESS");
static_assert(same(DLV_COMPLETION_SHOT_DENSITY, completion::shot_density),
              "DLV_COMPLETION_SHOT_DENSITY");
static_assert(same(DLV_COMPLETION_PERFORATION_DIAMETER, completion::perforation_diameter),
              "DLV_COMPLETION_PERFORATION_DIAMETER");
static_assert(same(DLV_COMPLETION_PERFORATED_INTERVAL, completion::perforated_interval),
              "DLV_COMPLETION_PERFORATED_INTERVAL");
static_assert(same(DLV_COMPLETION_GRAVEL_TUNNEL_LENGTH, completion::gravel_tunnel_length),
              "DLV_COMPLETION_GRAVEL_TUNNEL_LENGTH");
static_assert(same(DLV_COMPLETION_PERFORATION_LENGTH, completion::perforation_length),
              "DLV_COMPLETION_PERFORATION_LENGTH");
static_assert(same(DLV_SUMMARY_RATE, summary::rate), "DLV_SUMMARY_RATE");
static_assert(same(DLV_SUMMARY_PRESSURE, summary::pressure), "DLV_SUMMARY_PRESSURE");
static_assert(same(DLV_SUMMARY_DRAWDOWN, summary::drawdown), "DLV_SUMMARY_DRAWDOWN");
static_assert(same(DLV_SUMMARY_WATER_CUT, summary::water_cut), "DLV_SUMMARY_WATER_CUT");
static_assert(same(DLV_SUMMARY_GAS_LIQUID, summary::gas_liquid), "DLV_SUMMARY_GAS_LIQUID");
static_assert(same(DLV_SUMMARY_WATER_SG, summary::water_sg), "DLV_SUMMARY_WATER_SG");
static_assert(same(DLV_RESULTS_RESULT_STATUS, results::result_status), "DLV_RESULTS_RESULT_STATUS");
static_assert(same(DLV_RESULTS_RESULT_STATUS_BYTE, results::result_status * 8),
              "DLV_RESULTS_RESULT_STATUS_BYTE");
static_assert(same(DLV_RESULTS_FLOW_REGIME_FLAG, results::flow_regime_flag),
              "DLV_RESULTS_FLOW_REGIME_FLAG");
static_assert(same(DLV_RESULTS_FLOW_REGIME_FLAG_BYTE, results::flow_regime_flag * 8),
              "DLV_RESULTS_FLOW_REGIME_FLAG_BYTE");
static_assert(same(DLV_RESULTS_EFFECTIVE_RADIUS_RATIO, results::effective_radius_ratio),
              "DLV_RESULTS_EFFECTIVE_RADIUS_RATIO");
static_assert(same(DLV_RESULTS_FRACTURE_CONDUCTIVITY, results::fracture_conductivity),
              "DLV_RESULTS_FRACTURE_CONDUCTIVITY");
static_assert(same(DLV_RESULTS_DIMENSIONLESS_TIME, results::dimensionless_time),
              "DLV_RESULTS_DIMENSIONLESS_TIME");
static_assert(same(DLV_RESULTS_RESULT_BUBBLE_POINT, results::result_bubble_point),
              "DLV_RESULTS_RESULT_BUBBLE_POINT");
}  // namespace dlv::layout
