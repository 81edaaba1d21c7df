#include "wellfile/fields.hpp"

#include <array>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "dlv/dlv_layout.h"

namespace dlv::wellfile {
namespace {

constexpr double kMaxPressure = 30000;  // psi gauge
constexpr double kMaxLength = 1e6;      // ft
constexpr double kMaxRate = 1e8;

constexpr NamedCode kModes[] = {{"oil_production", DLV_MODE_OIL_PRODUCTION},
                                {"gas_production", DLV_MODE_GAS_PRODUCTION},
                                {"water_injection", DLV_MODE_WATER_INJECTION},
                                {"gas_injection", DLV_MODE_GAS_INJECTION}};
constexpr NamedCode kOilMethods[] = {{"darcy_nondarcy", DLV_OIL_METHOD_DARCY_NONDARCY},
                                     {"darcy_vogel", DLV_OIL_METHOD_DARCY_VOGEL},
                                     {"vogel", DLV_OIL_METHOD_VOGEL},
                                     {"vogel_two_test", DLV_OIL_METHOD_VOGEL_TWO_TEST},
                                     {"backpressure_fit", DLV_OIL_METHOD_BACKPRESSURE_FIT},
                                     {"backpressure_given", DLV_OIL_METHOD_BACKPRESSURE_GIVEN},
                                     {"pi_line", DLV_OIL_METHOD_PI_LINE},
                                     {"two_rate_level", DLV_OIL_METHOD_TWO_RATE_LEVEL},
                                     {"horizontal", DLV_OIL_METHOD_HORIZONTAL},
                                     {"fractured", DLV_OIL_METHOD_FRACTURED},
                                     {"rate_test", DLV_OIL_METHOD_RATE_TEST}};
constexpr NamedCode kGasMethods[] = {{"darcy_nondarcy", DLV_GAS_METHOD_DARCY_NONDARCY},
                                     {"backpressure_fit", DLV_GAS_METHOD_BACKPRESSURE_FIT},
                                     {"backpressure_given", DLV_GAS_METHOD_BACKPRESSURE_GIVEN},
                                     {"horizontal", DLV_GAS_METHOD_HORIZONTAL},
                                     {"fractured", DLV_GAS_METHOD_FRACTURED},
                                     {"darcy_given_d", DLV_GAS_METHOD_GIVEN_D},
                                     {"rate_test", DLV_GAS_METHOD_RATE_TEST}};
constexpr NamedCode kWaterInjectionMethods[] = {
    {"skin", DLV_WATER_INJECTION_METHOD_SKIN},
    {"coefficients", DLV_WATER_INJECTION_METHOD_COEFFICIENTS},
    {"rate_test", DLV_WATER_INJECTION_METHOD_RATE_TEST}};
// Gas injection code 1 writes only the first point of the curve; the well
// file does not offer it.
constexpr NamedCode kGasInjectionMethods[] = {
    {"skin", DLV_GAS_INJECTION_METHOD_SKIN},
    {"coefficients_pressure", DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PRESSURE},
    {"coefficients_squared_pressure", DLV_GAS_INJECTION_METHOD_COEFFICIENTS_SQUARED},
    {"coefficients_pseudo_pressure", DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PSEUDO},
    {"rate_test", DLV_GAS_INJECTION_METHOD_RATE_TEST}};
constexpr NamedCode kFluidTypes[] = {{"none", DLV_FLUID_NONE},
                                     {"correlations", DLV_FLUID_CORRELATIONS},
                                     {"crude_samples", DLV_FLUID_CRUDE_SAMPLES},
                                     {"field_crude", DLV_FLUID_FIELD_CRUDE},
                                     {"correlations_type_4", DLV_FLUID_CORRELATIONS_4}};
constexpr NamedCode kMixingRules[] = {{"volume_weighted", DLV_MIXING_VOLUME_WEIGHTED},
                                      {"fluidity_weighted", DLV_MIXING_FLUIDITY_WEIGHTED},
                                      {"phase_inversion", DLV_MIXING_PHASE_INVERSION}};
constexpr NamedCode kTestTypes[] = {{"flow_after_flow", DLV_TEST_FLOW_AFTER_FLOW},
                                    {"isochronal", DLV_TEST_ISOCHRONAL},
                                    {"modified_isochronal", DLV_TEST_MODIFIED_ISOCHRONAL}};
constexpr NamedCode kCompletionModels[] = {{"none", DLV_COMPLETION_NONE},
                                           {"gravel_pack", DLV_COMPLETION_GRAVEL_PACK},
                                           {"crushed_zone", DLV_COMPLETION_CRUSHED_ZONE},
                                           {"perforation_skins", DLV_COMPLETION_PERFORATION_SKINS}};
constexpr NamedCode kTableProperties[] = {{"solution_gor", DLV_TABLE_SOLUTION_GOR},
                                          {"oil_fvf", DLV_TABLE_OIL_FVF},
                                          {"oil_viscosity", DLV_TABLE_OIL_VISCOSITY},
                                          {"gas_z_factor", DLV_TABLE_GAS_Z_FACTOR},
                                          {"gas_viscosity", DLV_TABLE_GAS_VISCOSITY}};

constexpr const char* kInjectionPairNames[] = {"water coefficients", "gas pressure form",
                                               "gas squared-pressure form",
                                               "gas pseudo-pressure form"};
constexpr PairShape kInjectionPairs = {"below, above", "break_pressure", kInjectionPairNames};
constexpr UnitPartner kBackpressureExponent = {"backpressure_n", "n"};

using B = BlockId;
using G = Group;
using K = Kind;
using Q = Quantity;

const Field kFields[] = {
    // --- fluid description (layer_fluids) ---
    {"fluid_type", G::fluid, B::layer_fluids, K::named, DLV_LAYER_FLUIDS_FLUID_TYPE_BYTE, 1,
     Q::dimensionless, 0, 4, 1, "how the fluid properties of every layer are computed", kFluidTypes,
     GivenFlag::none, 0, Emit::always},
    {"viscosity_mixing_rule", G::fluid, B::layer_fluids, K::named,
     DLV_LAYER_FLUIDS_VISCOSITY_MIXING_RULE_BYTE, 1, Q::dimensionless, 0, 2, 0,
     "oil-water viscosity mixing rule of layer 0 (later layers use phase_inversion)", kMixingRules,
     GivenFlag::none, 0, Emit::always},
    // --- per layer: well record ---
    {"reservoir_pressure", G::layer, B::well_record, K::real, DLV_WELL_RECORD_RESERVOIR_PRESSURE, 1,
     Q::pressure_gauge, 0, kMaxPressure, 0, "average reservoir pressure of the layer"},
    {"layer_temperature", G::layer, B::well_record, K::real, DLV_WELL_RECORD_LAYER_TEMPERATURE, 1,
     Q::temperature, -60, 700, 0,
     "reservoir temperature; in gas production 0 takes layer 0's value"},
    {"permeability", G::layer, B::well_record, K::real, DLV_WELL_RECORD_PERMEABILITY, 1,
     Q::permeability, 0, 1e5, 0,
     "permeability (horizontal, across the well for a horizontal well)"},
    {"thickness", G::layer, B::well_record, K::real, DLV_WELL_RECORD_THICKNESS, 1, Q::length, 0,
     1e4, 0, "net thickness"},
    {"drainage_radius", G::layer, B::well_record, K::real, DLV_WELL_RECORD_DRAINAGE_RADIUS, 1,
     Q::length, 0, kMaxLength, 0, "drainage radius"},
    {"wellbore_radius", G::layer, B::well_record, K::real, DLV_WELL_RECORD_WELLBORE_RADIUS, 1,
     Q::length, 0, 10, 0, "wellbore radius"},
    {"skin", G::layer, B::well_record, K::real, DLV_WELL_RECORD_SKIN, 1, Q::dimensionless, -10,
     1000, 0, "skin factor (dimensionless)"},
    {"perm_y", G::layer, B::well_record, K::real, DLV_WELL_RECORD_PERM_Y, 1, Q::permeability, 0,
     1e5, 0, "horizontal well: permeability along the well"},
    {"perm_z", G::layer, B::well_record, K::real, DLV_WELL_RECORD_PERM_Z, 1, Q::permeability, 0,
     1e5, 0, "horizontal well: vertical permeability"},
    {"drainage_area", G::layer, B::well_record, K::real, DLV_WELL_RECORD_DRAINAGE_AREA, 1, Q::area,
     0, 1e6, 0, "horizontal well: drainage area (not used by the method)"},
    {"well_start_y", G::layer, B::well_record, K::real, DLV_WELL_RECORD_WELL_START_Y, 1, Q::length,
     0, kMaxLength, 0, "horizontal well: where the well begins along its axis"},
    {"box_length_y", G::layer, B::well_record, K::real, DLV_WELL_RECORD_BOX_LENGTH_Y, 1, Q::length,
     0, kMaxLength, 0, "horizontal well: extent of the drainage box along the well"},
    {"well_position_x", G::layer, B::well_record, K::real, DLV_WELL_RECORD_WELL_POSITION_X, 1,
     Q::length, 0, kMaxLength, 0, "horizontal well: distance of the well from the box side"},
    {"box_width_x", G::layer, B::well_record, K::real, DLV_WELL_RECORD_BOX_WIDTH_X, 1, Q::length, 0,
     kMaxLength, 0, "horizontal well: extent of the box across the well"},
    {"well_elevation_z", G::layer, B::well_record, K::real, DLV_WELL_RECORD_WELL_ELEVATION_Z, 1,
     Q::length, 0, 1e4, 0, "horizontal well: height of the well above the bottom of the layer"},
    {"well_length", G::layer, B::well_record, K::real, DLV_WELL_RECORD_WELL_LENGTH, 1, Q::length, 0,
     kMaxLength, 0, "horizontal well: length of the well"},
    {"fracture_half_length", G::layer, B::well_record, K::real,
     DLV_WELL_RECORD_FRACTURE_HALF_LENGTH, 1, Q::length, 0, 1e5, 0, "fractured well: half-length"},
    {"porosity", G::layer, B::well_record, K::real, DLV_WELL_RECORD_POROSITY, 1, Q::fraction, 0, 1,
     0, "fractured well: porosity"},
    {"production_time", G::layer, B::well_record, K::real, DLV_WELL_RECORD_PRODUCTION_TIME, 1,
     Q::time_day, 0, 1e5, 0, "fractured well: production time"},
    {"fracture_width", G::layer, B::well_record, K::real, DLV_WELL_RECORD_FRACTURE_WIDTH, 1,
     Q::short_length, 0, 100, 0, "fractured well: fracture width"},
    {"fracture_permeability", G::layer, B::well_record, K::real,
     DLV_WELL_RECORD_FRACTURE_PERMEABILITY, 1, Q::permeability, 0, 1e9, 0,
     "fractured well: fracture permeability"},
    {"break_pressure", G::layer, B::well_record, K::real, DLV_WELL_RECORD_BREAK_PRESSURE, 1,
     Q::pressure_gauge, 0, kMaxPressure, 0,
     "injection: pressure above which the second skin or coefficient applies"},
    {"max_injection_rate", G::layer, B::well_record, K::real, DLV_WELL_RECORD_MAX_INJECTION_RATE, 1,
     Q::mode_rate, 0, kMaxRate, 0, "injection: rate the curve is extended to reach"},
    {"second_skin", G::layer, B::well_record, K::real, DLV_WELL_RECORD_SECOND_SKIN, 1,
     Q::dimensionless, -10, 1000, 0, "injection: skin above the break pressure"},
    {"injection_traverse_depth", G::layer, B::well_record, K::real,
     DLV_WELL_RECORD_INJECTION_TRAVERSE_DEPTH, 1, Q::length, -1e5, 1e5, 0,
     "water injection: depth of the injection traverse correction; -1 or less leaves it out"},
    {"layer_depth", G::layer, B::well_record, K::real, DLV_WELL_RECORD_LAYER_DEPTH, 1, Q::length, 0,
     1e5, 0, "depth of the layer; with a reference_depth asks for the traverse coupling"},
    // --- per layer: fluid description ---
    {"api_gravity", G::layer, B::layer_fluids, K::real, DLV_LAYER_FLUIDS_API_GRAVITY, 1,
     Q::api_gravity, 0, 100, 0, "oil gravity"},
    {"water_cut", G::layer, B::layer_fluids, K::real, DLV_LAYER_FLUIDS_WATER_CUT, 1, Q::fraction, 0,
     1, 0, "water fraction of the liquid"},
    {"liquid_yield", G::layer, B::layer_fluids, K::real, DLV_LAYER_FLUIDS_LIQUID_YIELD, 1,
     Q::liquid_yield, 0, 1e5, 0, "liquid produced with the gas (gas modes)"},
    {"water_sg", G::layer, B::layer_fluids, K::real, DLV_LAYER_FLUIDS_WATER_SG, 1,
     Q::specific_gravity_water, 0, 2, 0, "water specific gravity"},
    {"gas_sg", G::layer, B::layer_fluids, K::real, DLV_LAYER_FLUIDS_GAS_SG, 1,
     Q::specific_gravity_air, 0, 3, 0, "gas specific gravity"},
    {"producing_gor", G::layer, B::layer_fluids, K::real, DLV_LAYER_FLUIDS_PRODUCING_GOR, 1,
     Q::gas_oil_ratio, 0, 1e6, 0, "producing gas/oil ratio"},
    {"oil_fvf", G::layer, B::layer_fluids, K::real, DLV_LAYER_FLUIDS_OIL_FVF, 1,
     Q::formation_volume_factor, 0, 10, 0,
     "oil formation volume factor (fluid_type none: used as given)"},
    {"water_fvf", G::layer, B::layer_fluids, K::real, DLV_LAYER_FLUIDS_WATER_FVF, 1,
     Q::formation_volume_factor, 0, 5, 0,
     "water formation volume factor (fluid_type none: used as given)"},
    {"bubble_point",
     G::layer,
     B::layer_fluids,
     K::real,
     DLV_LAYER_FLUIDS_BUBBLE_POINT,
     1,
     Q::pressure_gauge,
     0,
     kMaxPressure,
     0,
     "bubble-point pressure; when given it is kept (bubble_point_given is set)",
     {},
     GivenFlag::layer_int32,
     DLV_LAYER_FLUIDS_BUBBLE_POINT_GIVEN_BYTE,
     Emit::when_given},
    {"total_compressibility", G::layer, B::layer_fluids, K::real,
     DLV_LAYER_FLUIDS_TOTAL_COMPRESSIBILITY, 1, Q::compressibility, 0, 0.1, 0,
     "total compressibility (fractured well, layer 0)"},
    {"sample_set", G::layer, B::layer_fluids, K::integer, DLV_LAYER_FLUIDS_SAMPLE_SET_BYTE, 1,
     Q::dimensionless, 0, 2, 0, "fluid_type crude_samples: built-in sample set"},
    {"sample_key", G::layer, B::layer_fluids, K::real, DLV_LAYER_FLUIDS_SAMPLE_KEY, 1,
     Q::dimensionless, -1e9, 1e9, 0,
     "fluid_type crude_samples: key at which the two samples are blended"},
    {"rs_correlation", G::layer, B::layer_fluids, K::integer, DLV_LAYER_FLUIDS_RS_CORRELATION_BYTE,
     1, Q::dimensionless, 0, 4, 0, "solution gas/oil ratio correlation code"},
    {"fvf_correlation", G::layer, B::layer_fluids, K::integer,
     DLV_LAYER_FLUIDS_FVF_CORRELATION_BYTE, 1, Q::dimensionless, 0, 3, 0,
     "formation volume factor correlation code"},
    {"viscosity_correlation", G::layer, B::layer_fluids, K::integer,
     DLV_LAYER_FLUIDS_VISCOSITY_CORRELATION_BYTE, 1, Q::dimensionless, 0, 2, 0,
     "oil viscosity correlation code"},
    // --- per layer: completion ---
    {"gravel_permeability", G::layer, B::completion, K::real, DLV_COMPLETION_GRAVEL_PERMEABILITY, 1,
     Q::permeability_darcy, 0, 1e5, 0, "gravel_pack: permeability of the gravel in the tunnels"},
    {"crushed_zone_permeability", G::layer, B::completion, K::real,
     DLV_COMPLETION_CRUSHED_ZONE_PERMEABILITY, 1, Q::permeability, 0, 1e5, 0,
     "crushed_zone, perforation_skins: crushed-zone permeability"},
    {"crushed_zone_thickness", G::layer, B::completion, K::real,
     DLV_COMPLETION_CRUSHED_ZONE_THICKNESS, 1, Q::short_length, 0, 100, 0,
     "crushed_zone, perforation_skins: crushed-zone thickness"},
    {"shot_density", G::layer, B::completion, K::real, DLV_COMPLETION_SHOT_DENSITY, 1,
     Q::shot_density, 0, 100, 0, "shot density"},
    {"perforation_diameter", G::layer, B::completion, K::real, DLV_COMPLETION_PERFORATION_DIAMETER,
     1, Q::short_length, 0, 10, 0, "perforation diameter"},
    {"perforated_interval", G::layer, B::completion, K::real, DLV_COMPLETION_PERFORATED_INTERVAL, 1,
     Q::length, 0, 1e4, 0, "perforated length of the layer"},
    {"gravel_tunnel_length", G::layer, B::completion, K::real, DLV_COMPLETION_GRAVEL_TUNNEL_LENGTH,
     1, Q::short_length, 0, 1000, 0, "gravel_pack: length of the gravel-filled flow path"},
    {"perforation_length", G::layer, B::completion, K::real, DLV_COMPLETION_PERFORATION_LENGTH, 1,
     Q::short_length, 0, 1000, 0, "crushed_zone, perforation_skins: perforation tunnel length"},
    // --- tests ---
    {"test_rate",
     G::test,
     B::well_record,
     K::real,
     DLV_WELL_RECORD_TEST_RATE,
     1,
     Q::mode_rate,
     0,
     kMaxRate,
     0,
     "rate of the test",
     {},
     GivenFlag::none,
     0,
     Emit::always,
     Shape::list,
     nullptr,
     nullptr,
     true},
    {"test_pressure",
     G::test,
     B::well_record,
     K::real,
     DLV_WELL_RECORD_TEST_PRESSURE,
     1,
     Q::pressure_gauge,
     0,
     kMaxPressure,
     0,
     "flowing bottom-hole pressure of the test",
     {},
     GivenFlag::none,
     0,
     Emit::always,
     Shape::list,
     nullptr,
     nullptr,
     true},
    {"test_shutin_pressure", G::test, B::well_record, K::real, DLV_WELL_RECORD_TEST_SHUTIN_PRESSURE,
     1, Q::pressure_gauge, 0, kMaxPressure, 0,
     "shut-in pressure before the flow period (modified isochronal tests)"},
    // --- rate-test table ---
    {"ratetest_pressures",
     G::rate_test,
     B::well_record,
     K::real,
     DLV_WELL_RECORD_RATETEST_PRESSURES,
     DLV_RATETEST_CAPACITY,
     Q::pressure_gauge,
     0,
     kMaxPressure,
     0,
     "flowing bottom-hole pressures; row 0 is the shut-in row",
     {},
     GivenFlag::none,
     0,
     Emit::when_not_default,
     Shape::list,
     nullptr,
     nullptr,
     true},
    {"ratetest_liquid_rates", G::rate_test, B::well_record, K::real,
     DLV_WELL_RECORD_RATETEST_LIQUID_RATES, DLV_RATETEST_CAPACITY, Q::liquid_rate, 0, kMaxRate, 0,
     "rates read in oil production"},
    {"ratetest_gas_rates", G::rate_test, B::well_record, K::real,
     DLV_WELL_RECORD_RATETEST_GAS_RATES, DLV_RATETEST_CAPACITY, Q::gas_rate, 0, kMaxRate, 0,
     "rates read in gas production and gas injection"},
    {"ratetest_water_rates", G::rate_test, B::well_record, K::real,
     DLV_WELL_RECORD_RATETEST_WATER_RATES, DLV_RATETEST_CAPACITY, Q::liquid_rate, 0, kMaxRate, 0,
     "rates read in water injection"},
    // --- well ---
    {"deliverability_test_type", G::well, B::well_record, K::named,
     DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE_BYTE, 1, Q::dimensionless, 0, 2, 0,
     "test type of the back-pressure fits", kTestTypes},
    {"backpressure_c",
     G::well,
     B::well_record,
     K::real,
     DLV_WELL_RECORD_BACKPRESSURE_C,
     1,
     Q::backpressure_coefficient,
     0,
     1e9,
     0,
     "coefficient C of q = C (pr^2 - pwf^2)^n; given, not fitted",
     {},
     GivenFlag::byte,
     DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE,
     Emit::when_given_unless_fitted,
     Shape::list,
     nullptr,
     &kBackpressureExponent},
    {"backpressure_n",
     G::well,
     B::well_record,
     K::real,
     DLV_WELL_RECORD_BACKPRESSURE_N,
     1,
     Q::dimensionless,
     0,
     2,
     0,
     "exponent n of the back-pressure equation; given, not fitted",
     {},
     GivenFlag::byte,
     DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE,
     Emit::when_given_unless_fitted},
    {"productivity_index", G::well, B::well_record, K::real, DLV_WELL_RECORD_PRODUCTIVITY_INDEX, 1,
     Q::productivity_index, 0, 1e6, 0, "productivity index of the straight-line method"},
    {"level_gradient", G::well, B::well_record, K::real, DLV_WELL_RECORD_LEVEL_GRADIENT, 1,
     Q::pressure_gradient, 0, 10, 0, "two-rate level method: pressure per unit of level reading"},
    {"surface_term_factors", G::well, B::well_record, K::real, DLV_WELL_RECORD_SURFACE_TERM_FACTORS,
     2, Q::surface_term, -1e6, 1e6, 0,
     "two-rate level method: factors b and a of the surface term a*b (psi)"},
    {"level_test_rate", G::well, B::well_record, K::real, DLV_WELL_RECORD_LEVEL_TEST_RATE, 2,
     Q::liquid_rate, 0, kMaxRate, 0, "two-rate level method: rates of the two level tests"},
    {"level_reading", G::well, B::well_record, K::real, DLV_WELL_RECORD_LEVEL_READING, 2, Q::length,
     0, 1e5, 0, "two-rate level method: level readings of the two tests"},
    {"rate_multiplier", G::well, B::well_record, K::real, DLV_WELL_RECORD_RATE_MULTIPLIER, 1,
     Q::dimensionless, 0, 1000, 0, "fractured well: a factor above 1 scales the finished curve"},
    {"non_darcy_coefficient", G::well, B::well_record, K::real,
     DLV_WELL_RECORD_NON_DARCY_COEFFICIENT, 1, Q::non_darcy_coefficient, 0, 10, 0,
     "gas darcy_given_d: non-Darcy coefficient D"},
    {"injection_coefficients",
     G::well,
     B::well_record,
     K::real,
     DLV_WELL_RECORD_INJECTION_COEFFICIENTS,
     2 * DLV_INJECTION_COEFFICIENT_PAIRS,
     Q::injection_coefficient,
     0,
     1e9,
     0,
     "four pairs [below, above break_pressure]: water coefficients; gas pressure form; gas "
     "squared-pressure form; gas pseudo-pressure form",
     {},
     GivenFlag::none,
     0,
     Emit::when_not_default,
     Shape::pairs,
     &kInjectionPairs},
    {"reference_depth", G::well, B::well_record, K::real, DLV_WELL_RECORD_REFERENCE_DEPTH, 1,
     Q::length, 0, 1e5, 0,
     "depth the traverse coupling refers the layer curves to; 0 switches it off"},
    // --- separator ---
    {"separator_pressure", G::separator, B::separator, K::real, DLV_SEPARATOR_PRESSURE, 1,
     Q::pressure_gauge, 0, 5000, 0, "separator pressure"},
    {"separator_temperature", G::separator, B::separator, K::real, DLV_SEPARATOR_TEMPERATURE, 1,
     Q::temperature, -60, 400, 0, "separator temperature"},
    // --- completion ---
    {"completion_model", G::completion, B::completion, K::named,
     DLV_COMPLETION_COMPLETION_MODEL_BYTE, 1, Q::dimensionless, 0, 3, 0,
     "completion pressure-loss model", kCompletionModels},
    {"shot_density_factor", G::completion, B::completion, K::real,
     DLV_COMPLETION_SHOT_DENSITY_FACTOR, 1, Q::dimensionless, 0, 100, 1,
     "factor applied to every layer's shot density"},
    // --- traverse record ---
    {"record_type", G::traverse, B::traverse, K::integer, DLV_TRAVERSE_RECORD_TYPE_BYTE, 1,
     Q::dimensionless, 0, 100, 0, "traverse record type; 1 or 3 select the gas rate layout"},
    {"suppress_fluid_errors", G::traverse, B::traverse, K::integer,
     DLV_TRAVERSE_SUPPRESS_FLUID_ERRORS_BYTE, 1, Q::dimensionless, 0, 1, 0,
     "handed to the fluid-property stage; changes no result"},
    {"segment_count", G::traverse, B::traverse, K::integer, DLV_TRAVERSE_SEGMENT_COUNT_BYTE, 1,
     Q::dimensionless, 0, 400, 0, "traverse segment count"},
};

// Every other field of the C field map: codes and counts the well file
// writes from its structure, values the library computes, and results.
constexpr HostOnlyField kHostOnlyFields[] = {
    {"LAYER_FLUIDS", "OIL_SG", "computed from api_gravity by the fluid stage"},
    {"LAYER_FLUIDS", "OIL_VISCOSITY", "computed by the fluid stage or read from a table"},
    {"LAYER_FLUIDS", "WATER_VISCOSITY", "computed by the fluid stage"},
    {"LAYER_FLUIDS", "LIQUID_VISCOSITY", "computed by the fluid stage from the mixing rule"},
    {"LAYER_FLUIDS", "GAS_VISCOSITY", "computed by the fluid stage or read from a table"},
    {"LAYER_FLUIDS", "LIQUID_FVF", "computed by the fluid stage"},
    {"LAYER_FLUIDS", "LIQUID_DENSITY", "computed by the fluid stage"},
    {"LAYER_FLUIDS", "OIL_FRACTION", "computed by the fluid stage"},
    {"LAYER_FLUIDS", "BUBBLE_POINT_GIVEN", "set for every layer whose bubble_point is given"},
    {"LAYER_FLUIDS", "SOLUTION_GOR", "computed by the fluid stage or read from a table"},
    {"LAYER_FLUIDS", "GAS_Z_FACTOR", "computed by the fluid stage or read from a table"},
    {"FLUID_TABLE", "TEMPERATURES", "written from the fluid tables of the document"},
    {"FLUID_TABLE", "PRESSURES", "written from the fluid tables of the document"},
    {"FLUID_TABLE", "VALUES", "written from the fluid tables of the document"},
    {"FLUID_TABLE", "TEMPERATURE_COUNT", "the length of a table's temperature axis"},
    {"FLUID_TABLE", "PRESSURE_COUNT", "the length of a table's pressure axis"},
    {"FLUID_TABLES", "USE_TABLE", "set for every property the document gives a table of"},
    {"WELL_RECORD", "METHOD_CODE", "written from the method's name in oil production"},
    {"WELL_RECORD", "GAS_METHOD", "written from the method's name in gas production"},
    {"WELL_RECORD", "GAS_INJECTION_METHOD", "written from the method's name in gas injection"},
    {"WELL_RECORD", "WATER_INJECTION_METHOD", "written from the method's name in water injection"},
    {"WELL_RECORD", "LAYER_COUNT", "the number of layers of the document"},
    {"WELL_RECORD", "TEST_COUNT", "the number of tests of the document"},
    {"WELL_RECORD", "RATETEST_ROW_COUNT", "the number of rate-test rows of the document"},
    {"WELL_RECORD", "BACKPRESSURE_C_GIVEN", "set when backpressure_c is given"},
    {"WELL_RECORD", "BACKPRESSURE_N_GIVEN", "set when backpressure_n is given"},
    {"CURVES", "RATE", "curve results"},
    {"CURVES", "PRESSURE", "curve results"},
    {"CURVES", "DRAWDOWN", "curve results"},
    {"SUMMARY", "RATE", "well curve result"},
    {"SUMMARY", "PRESSURE", "well curve result"},
    {"SUMMARY", "DRAWDOWN", "well curve result"},
    {"SUMMARY", "WATER_CUT", "well curve result"},
    {"SUMMARY", "GAS_LIQUID", "well curve result"},
    {"SUMMARY", "WATER_SG", "well curve result"},
    {"RESULTS", "RESULT_STATUS", "layer result, always 0"},
    {"RESULTS", "FLOW_REGIME_FLAG", "layer result"},
    {"RESULTS", "EFFECTIVE_RADIUS_RATIO", "layer result"},
    {"RESULTS", "FRACTURE_CONDUCTIVITY", "layer result"},
    {"RESULTS", "DIMENSIONLESS_TIME", "layer result"},
    {"RESULTS", "RESULT_BUBBLE_POINT", "layer result"},
};

using L = std::vector<const char*>;
const L kDarcy = {"reservoir_pressure", "permeability", "thickness", "drainage_radius",
                  "wellbore_radius"};
const L kGasDarcy = {"reservoir_pressure", "permeability",      "thickness", "drainage_radius",
                     "wellbore_radius",    "layer_temperature", "gas_sg"};
const L kHorizontal = {"reservoir_pressure", "permeability",    "perm_y",          "perm_z",
                       "thickness",          "wellbore_radius", "well_length",     "box_length_y",
                       "box_width_x",        "well_position_x", "well_elevation_z"};
const L kFractured = {
    "reservoir_pressure", "permeability",          "thickness",        "drainage_radius",
    "wellbore_radius",    "fracture_half_length",  "porosity",         "production_time",
    "fracture_width",     "fracture_permeability", "layer_temperature"};
L plus(L a, const L& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}
const L kPr = {"reservoir_pressure"};
const L kInjection = {"reservoir_pressure", "break_pressure", "max_injection_rate"};
const L kFitted = {"backpressure_c", "backpressure_n"};

const std::vector<MethodNeeds>& needs_table() {
  static const std::vector<MethodNeeds> t = {
      {DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_DARCY_NONDARCY, true, kDarcy, {}, 0, 0, nullptr},
      {DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_DARCY_VOGEL, true, kDarcy, {}, 0, 0, nullptr},
      {DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_VOGEL, false, kPr, {}, 1, 0, nullptr},
      {DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_VOGEL_TWO_TEST, false, kPr, {}, 2, 0, nullptr},
      {DLV_MODE_OIL_PRODUCTION,
       DLV_OIL_METHOD_BACKPRESSURE_FIT,
       false,
       kPr,
       {},
       1,
       0,
       nullptr,
       -1,
       kFitted,
       2},
      {DLV_MODE_OIL_PRODUCTION,
       DLV_OIL_METHOD_BACKPRESSURE_GIVEN,
       false,
       kPr,
       {"backpressure_c", "backpressure_n"},
       0,
       0,
       nullptr},
      {DLV_MODE_OIL_PRODUCTION,
       DLV_OIL_METHOD_PI_LINE,
       false,
       kPr,
       {"productivity_index"},
       0,
       0,
       nullptr},
      {DLV_MODE_OIL_PRODUCTION,
       DLV_OIL_METHOD_TWO_RATE_LEVEL,
       false,
       {},
       {"level_gradient", "surface_term_factors", "level_test_rate", "level_reading"},
       0,
       0,
       nullptr},
      {DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_HORIZONTAL, true, kHorizontal, {}, 0, 0, nullptr},
      {DLV_MODE_OIL_PRODUCTION, DLV_OIL_METHOD_FRACTURED, true, kFractured, {}, 0, 0, nullptr},
      {DLV_MODE_OIL_PRODUCTION,
       DLV_OIL_METHOD_RATE_TEST,
       false,
       {},
       {},
       0,
       2,
       "ratetest_liquid_rates"},
      {DLV_MODE_GAS_PRODUCTION, DLV_GAS_METHOD_DARCY_NONDARCY, true, kGasDarcy, {}, 0, 0, nullptr},
      {DLV_MODE_GAS_PRODUCTION,
       DLV_GAS_METHOD_BACKPRESSURE_FIT,
       false,
       kPr,
       {},
       1,
       0,
       nullptr,
       -1,
       kFitted,
       2},
      {DLV_MODE_GAS_PRODUCTION,
       DLV_GAS_METHOD_BACKPRESSURE_GIVEN,
       false,
       kPr,
       {"backpressure_c", "backpressure_n"},
       0,
       0,
       nullptr},
      {DLV_MODE_GAS_PRODUCTION,
       DLV_GAS_METHOD_HORIZONTAL,
       true,
       plus(kHorizontal, {"layer_temperature", "gas_sg"}),
       {},
       0,
       0,
       nullptr},
      {DLV_MODE_GAS_PRODUCTION,
       DLV_GAS_METHOD_FRACTURED,
       true,
       plus(kFractured, {"gas_sg"}),
       {},
       0,
       0,
       nullptr},
      {DLV_MODE_GAS_PRODUCTION,
       DLV_GAS_METHOD_GIVEN_D,
       false,
       kGasDarcy,
       {"non_darcy_coefficient"},
       0,
       0,
       nullptr},
      {DLV_MODE_GAS_PRODUCTION,
       DLV_GAS_METHOD_RATE_TEST,
       false,
       {},
       {},
       0,
       2,
       "ratetest_gas_rates"},
      {DLV_MODE_WATER_INJECTION,
       DLV_WATER_INJECTION_METHOD_SKIN,
       true,
       plus(kDarcy, {"break_pressure", "max_injection_rate"}),
       {},
       0,
       0,
       nullptr},
      {DLV_MODE_WATER_INJECTION,
       DLV_WATER_INJECTION_METHOD_COEFFICIENTS,
       false,
       kInjection,
       {"injection_coefficients"},
       0,
       0,
       nullptr,
       0},
      {DLV_MODE_WATER_INJECTION,
       DLV_WATER_INJECTION_METHOD_RATE_TEST,
       false,
       {},
       {},
       0,
       2,
       "ratetest_water_rates"},
      {DLV_MODE_GAS_INJECTION,
       DLV_GAS_INJECTION_METHOD_SKIN,
       true,
       plus(kGasDarcy, {"break_pressure", "max_injection_rate"}),
       {},
       0,
       0,
       nullptr},
      {DLV_MODE_GAS_INJECTION,
       DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PRESSURE,
       false,
       plus(kInjection, {"layer_temperature", "gas_sg"}),
       {"injection_coefficients"},
       0,
       0,
       nullptr,
       1},
      {DLV_MODE_GAS_INJECTION,
       DLV_GAS_INJECTION_METHOD_COEFFICIENTS_SQUARED,
       false,
       plus(kInjection, {"layer_temperature", "gas_sg"}),
       {"injection_coefficients"},
       0,
       0,
       nullptr,
       2},
      {DLV_MODE_GAS_INJECTION,
       DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PSEUDO,
       false,
       plus(kInjection, {"layer_temperature", "gas_sg"}),
       {"injection_coefficients"},
       0,
       0,
       nullptr,
       3},
      {DLV_MODE_GAS_INJECTION,
       DLV_GAS_INJECTION_METHOD_RATE_TEST,
       false,
       {},
       {},
       0,
       2,
       "ratetest_gas_rates"},
  };
  return t;
}

const std::vector<ChoiceNeeds>& choice_table() {
  static const std::vector<ChoiceNeeds> t = {
      {G::fluid,
       "fluid_type",
       {DLV_FLUID_CORRELATIONS, DLV_FLUID_CORRELATIONS_4},
       DLV_MODE_OIL_PRODUCTION,
       true,
       {"api_gravity", "gas_sg", "layer_temperature", "reservoir_pressure"},
       {"producing_gor", "bubble_point"},
       "required by fluid_type correlations in oil_production"},
      {G::completion,
       "completion_model",
       {DLV_COMPLETION_GRAVEL_PACK},
       -1,
       false,
       {"gravel_permeability", "gravel_tunnel_length", "shot_density", "perforation_diameter",
        "perforated_interval"},
       {},
       nullptr},
      {G::completion,
       "completion_model",
       {DLV_COMPLETION_CRUSHED_ZONE, DLV_COMPLETION_PERFORATION_SKINS},
       -1,
       false,
       {"crushed_zone_permeability", "crushed_zone_thickness", "shot_density",
        "perforation_diameter", "perforated_interval", "perforation_length"},
       {},
       nullptr},
  };
  return t;
}

const TableValues kTableValues[] = {{"solution_gor", Q::gas_oil_ratio, 0, 1e6, false},
                                    {"oil_fvf", Q::formation_volume_factor, 0, 10, true},
                                    {"oil_viscosity", Q::viscosity, 0, 1e6, true},
                                    {"gas_z_factor", Q::dimensionless, 0, 5, true},
                                    {"gas_viscosity", Q::viscosity, 0, 10, true}};

}  // namespace

std::span<const ChoiceNeeds> choice_needs() { return choice_table(); }

const TableValues* table_values(const std::string& property) {
  for (const TableValues& v : kTableValues)
    if (property == v.property) return &v;
  return nullptr;
}

const char* block_name(BlockId b) {
  switch (b) {
    case BlockId::layer_fluids:
      return "layer_fluids";
    case BlockId::fluid_tables:
      return "fluid_tables";
    case BlockId::separator:
      return "separator_conditions";
    case BlockId::well_record:
      return "well_record";
    case BlockId::completion:
      return "completion_block";
    case BlockId::traverse:
      return "traverse_block";
  }
  return "";
}

std::span<const Field> all_fields() { return kFields; }
std::span<const HostOnlyField> host_only_fields() { return kHostOnlyFields; }

const char* field_unit(const Field& f, UnitSystem s) { return unit_text(f.quantity, s); }

FieldRange field_range(const Field& f, UnitSystem s, int mode) {
  const Quantity q = rate_quantity(f.quantity, mode);
  if (s == UnitSystem::field || !simple_quantity(q)) return {f.min, f.max};
  return {to_metric(q, f.min), to_metric(q, f.max)};
}

const Field* find_field(Group g, std::string_view name) {
  // Every field by its name, in table order: the checks and the mapping look
  // up each key of a document here.
  static const std::unordered_map<std::string_view, std::vector<const Field*>> by_name = [] {
    std::unordered_map<std::string_view, std::vector<const Field*>> m;
    for (const Field& f : kFields) m[f.name].push_back(&f);
    return m;
  }();
  const auto it = by_name.find(name);
  if (it == by_name.end()) return nullptr;
  for (const Field* f : it->second)
    if (f->group == g) return f;
  return nullptr;
}

std::span<const NamedCode> mode_names() { return kModes; }

std::span<const NamedCode> method_names(int mode) {
  switch (mode) {
    case DLV_MODE_OIL_PRODUCTION:
      return kOilMethods;
    case DLV_MODE_GAS_PRODUCTION:
      return kGasMethods;
    case DLV_MODE_WATER_INJECTION:
      return kWaterInjectionMethods;
    case DLV_MODE_GAS_INJECTION:
      return kGasInjectionMethods;
  }
  return {};
}

std::span<const NamedCode> table_property_names() { return kTableProperties; }

const char* code_name(std::span<const NamedCode> names, int code) {
  for (const NamedCode& n : names)
    if (n.code == code) return n.name;
  return nullptr;
}

int name_code(std::span<const NamedCode> names, const std::string& name) {
  for (const NamedCode& n : names)
    if (name == n.name) return n.code;
  return -1;
}

const MethodNeeds& method_needs(int mode, int method) {
  for (const MethodNeeds& m : needs_table())
    if (m.mode == mode && m.method == method) return m;
  throw std::out_of_range("no such method");
}

const char* rate_unit(int mode) {
  return (mode == DLV_MODE_GAS_PRODUCTION || mode == DLV_MODE_GAS_INJECTION) ? "Mscf/d" : "STB/d";
}

std::size_t element_pos(const Field& f, int i) {
  return f.kind == Kind::real ? element_slot(f.pos, i) : element_byte(f.pos, i);
}

std::string group_key(Group g) {
  switch (g) {
    case Group::well:
      return "well";
    case Group::layer:
      return "layers";
    case Group::test:
      return "tests";
    case Group::rate_test:
      return "rate_test";
    case Group::fluid:
      return "fluid";
    case Group::separator:
      return "separator";
    case Group::completion:
      return "completion";
    case Group::traverse:
      return "traverse";
  }
  return "";
}

}  // namespace dlv::wellfile
