// Slot and byte positions of every field of the argument blocks that cross
// the library boundary. Slots count 8-byte doubles from 0. This header is the
// only place in the library that knows a position; everything else goes
// through the views in blocks.hpp.
#pragma once

#include <cstddef>
#include <cstdint>

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

// Fluid selector of the injection skin curve.
enum class InjectedFluid : std::int32_t {
  kGas = 0,
  kWater = 2,
};

}  // namespace dlv

namespace dlv::layout {

inline constexpr int kLayers = 50;                  // per-layer arrays: layers 0..49
inline constexpr int kPoints = 25;                  // every curve: points 0..24
inline constexpr int kLastPoint = kPoints - 1;      // the curve's end point
inline constexpr int kLastGridPoint = kPoints - 2;  // the last point before the end point
inline constexpr double kIntervals = kLastPoint;    // intervals between the points of a curve

// layer_fluids (argument 1)
namespace fluids {
inline constexpr std::size_t fluid_type = 0;  // int32 in the first bytes of slot 0
inline constexpr std::size_t api_gravity = 25;
inline constexpr std::size_t water_cut = 75;
inline constexpr std::size_t liquid_yield = 125;
inline constexpr std::size_t water_sg = 175;
inline constexpr std::size_t gas_sg = 225;
inline constexpr std::size_t oil_sg = 275;
inline constexpr std::size_t producing_gor = 325;
inline constexpr std::size_t oil_viscosity = 375;
inline constexpr std::size_t water_viscosity = 425;
inline constexpr std::size_t liquid_viscosity = 475;
inline constexpr std::size_t gas_viscosity = 525;
inline constexpr std::size_t oil_fvf = 575;
inline constexpr std::size_t water_fvf = 625;
inline constexpr std::size_t liquid_fvf = 675;
inline constexpr std::size_t liquid_density = 725;
inline constexpr std::size_t oil_fraction = 775;
inline constexpr std::size_t bubble_point = 825;
inline constexpr std::size_t bubble_point_given = 875;  // int32[50], two per slot
inline constexpr std::size_t solution_gor = 900;
inline constexpr std::size_t total_compressibility = 950;
inline constexpr std::size_t gas_z_factor = 1000;
inline constexpr std::size_t sample_set = 1050;  // int32[50]
inline constexpr std::size_t sample_key = 1075;
inline constexpr std::size_t rs_correlation = 1125;         // int32[50]
inline constexpr std::size_t fvf_correlation = 1150;        // int32[50]
inline constexpr std::size_t viscosity_correlation = 1175;  // int32[50]
inline constexpr std::size_t viscosity_mixing_rule = 1425;  // int32
inline constexpr std::size_t min_slots = 1426;
}  // namespace fluids

// fluid_tables (argument 2): ten tables of 562 slots, then ten int32 flags.
namespace tables {
inline constexpr int kTableCount = 10;
inline constexpr int kTemperatureCapacity = 10;
inline constexpr int kPressureCapacity = 50;
inline constexpr std::size_t table_slots = 562;
inline constexpr std::size_t temperatures = 0;     // within a table
inline constexpr std::size_t pressures = 10;       // within a table
inline constexpr std::size_t values = 60;          // within a table, 50 rows of 10
inline constexpr std::size_t counts = 560;         // within a table: two int32
inline constexpr std::size_t use_flags = 5620;     // int32[10]
inline constexpr std::size_t total_bytes = 45000;  // block size in bytes
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
inline constexpr std::size_t pressure = 0;
inline constexpr std::size_t temperature = 1;
}  // namespace separator

// layer_curves, completion_curves, traverse_curves (arguments 4, 8, 9)
namespace curves {
inline constexpr std::size_t rate = 0;
inline constexpr std::size_t pressure = 1250;
inline constexpr std::size_t drawdown = 2500;
inline constexpr std::size_t total_slots = 3750;
}  // namespace curves

// well_record (argument 5)
namespace well {
inline constexpr std::size_t method_code_byte = 0;  // int32 pairs in slots 0..2
inline constexpr std::size_t gas_method_byte = 4;
inline constexpr std::size_t gas_injection_method_byte = 8;
inline constexpr std::size_t water_injection_method_byte = 12;
inline constexpr std::size_t layer_count_byte = 16;
inline constexpr std::size_t deliverability_test_type_byte = 20;
inline constexpr std::size_t layer_temperature = 3;
inline constexpr std::size_t permeability = 53;
inline constexpr std::size_t thickness = 103;
inline constexpr std::size_t drainage_radius = 153;
inline constexpr std::size_t wellbore_radius = 203;
inline constexpr std::size_t skin = 253;
inline constexpr std::size_t reservoir_pressure = 303;
inline constexpr std::size_t test_count = 407;  // int32
inline constexpr int kTestCapacity = 100;
inline constexpr std::size_t test_rate = 408;
inline constexpr std::size_t test_pressure = 508;
inline constexpr std::size_t test_shutin_pressure = 608;
inline constexpr std::size_t backpressure_c = 710;
inline constexpr std::size_t backpressure_n = 711;
inline constexpr std::size_t productivity_index = 712;
inline constexpr std::size_t level_gradient = 713;
inline constexpr std::size_t surface_term_factors = 714;  // double[2]
inline constexpr std::size_t level_test_rate = 717;       // double[2]
inline constexpr std::size_t level_reading = 719;         // double[2]
inline constexpr std::size_t perm_y = 722;
inline constexpr std::size_t perm_z = 772;
inline constexpr std::size_t drainage_area = 822;
inline constexpr std::size_t well_start_y = 872;
inline constexpr std::size_t box_length_y = 972;
inline constexpr std::size_t well_position_x = 1022;
inline constexpr std::size_t box_width_x = 1072;
inline constexpr std::size_t well_elevation_z = 1122;
inline constexpr std::size_t well_length = 1172;
inline constexpr std::size_t fracture_half_length = 1247;
inline constexpr std::size_t porosity = 1297;
inline constexpr std::size_t production_time = 1347;
inline constexpr std::size_t fracture_width = 1397;
inline constexpr std::size_t fracture_permeability = 1447;
inline constexpr std::size_t rate_multiplier = 1497;
inline constexpr std::size_t non_darcy_coefficient = 1498;
inline constexpr std::size_t injection_coefficients = 1548;  // double[4][2]
inline constexpr std::size_t break_pressure = 1556;
inline constexpr std::size_t max_injection_rate = 1606;
inline constexpr std::size_t second_skin = 1656;
inline constexpr std::size_t injection_traverse_depth = 1706;
inline constexpr std::size_t layer_depth = 1756;
inline constexpr std::size_t reference_depth = 1906;
inline constexpr std::size_t ratetest_pressures = 1907;
inline constexpr std::size_t ratetest_liquid_rates = 1932;
inline constexpr std::size_t ratetest_gas_rates = 1957;
inline constexpr std::size_t ratetest_water_rates = 1982;
inline constexpr int kRateTestCapacity = 25;
inline constexpr std::size_t ratetest_row_count = 2007;  // int32, then two flag bytes
inline constexpr std::size_t backpressure_c_given_byte = 2007 * 8 + 4;
inline constexpr std::size_t backpressure_n_given_byte = 2007 * 8 + 5;
inline constexpr std::size_t min_slots = 2008;
}  // namespace well

// completion_block (argument 7)
namespace completion {
inline constexpr std::size_t completion_model = 0;  // int32
inline constexpr std::size_t shot_density_factor = 1;
inline constexpr std::size_t gravel_permeability = 2;
inline constexpr std::size_t crushed_zone_permeability = 52;
inline constexpr std::size_t crushed_zone_thickness = 102;
inline constexpr std::size_t shot_density = 152;
inline constexpr std::size_t perforation_diameter = 202;
inline constexpr std::size_t perforated_interval = 252;
inline constexpr std::size_t gravel_tunnel_length = 302;
inline constexpr std::size_t perforation_length = 352;
inline constexpr std::size_t min_slots = 402;
}  // namespace completion

// traverse_block (argument 10) and the traverse record: byte offsets.
namespace traverse {
inline constexpr std::size_t record_bytes = 12888;
inline constexpr std::size_t first_rate = 0;
inline constexpr std::size_t second_rate = 8;
inline constexpr std::size_t water_cut_percent = 16;
inline constexpr std::size_t gas_oil_ratio = 72;
inline constexpr std::size_t start_pressure = 104;
inline constexpr std::size_t depth_setup_value = 3328;
inline constexpr std::size_t record_type = 10944;            // int32
inline constexpr std::size_t suppress_fluid_errors = 10948;  // int32, element 2737
inline constexpr std::size_t segment_count = 10952;          // int32
inline constexpr std::size_t direction_flag = 10964;         // int32
inline constexpr std::size_t segment_flags = 10968;          // int32 array
inline constexpr std::size_t template_reset = 12592;         // int32
// Scratch blocks handed to the traverse calculation.
inline constexpr std::size_t scratch_a_bytes = 70416;
inline constexpr std::size_t scratch_b_bytes = 45000;
inline constexpr std::size_t scratch_c_bytes = 11232;
inline constexpr std::size_t text_buffer_bytes = 64;
}  // namespace traverse

// well_summary (argument 11)
namespace summary {
inline constexpr std::size_t rate = 0;
inline constexpr std::size_t pressure = 25;
inline constexpr std::size_t drawdown = 50;
inline constexpr std::size_t water_cut = 75;
inline constexpr std::size_t gas_liquid = 100;
inline constexpr std::size_t water_sg = 125;
inline constexpr std::size_t total_slots = 150;
}  // namespace summary

// layer_results (argument 12)
namespace results {
inline constexpr std::size_t result_status = 0;      // int32
inline constexpr std::size_t flow_regime_flag = 25;  // int32[50]
inline constexpr std::size_t effective_radius_ratio = 50;
inline constexpr std::size_t fracture_conductivity = 100;
inline constexpr std::size_t dimensionless_time = 150;
inline constexpr std::size_t result_bubble_point = 200;
inline constexpr std::size_t total_slots = 250;
}  // namespace results

}  // namespace dlv::layout
