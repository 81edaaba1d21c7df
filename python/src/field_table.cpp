#include "field_table.hpp"

#include "blocks/block_layout.hpp"

namespace dlv::python {

namespace {

namespace L = dlv::layout;
constexpr std::size_t kLayers = L::kLayers;
constexpr std::size_t kPoints = L::kPoints;

Field scalar(const char* block, const char* name, char kind, std::size_t byte) {
  return {block, name, kind, byte, 0, {}, {}};
}
Field array(const char* block, const char* name, char kind, std::size_t byte, std::size_t n) {
  return {block, name, kind, byte, 1, {n}, {kind == 'd' ? 8u : 4u}};
}

// Field names are the layout constants' own names.
#define LAYERS(block, ns, name) array(block, #name, 'd', L::ns::name * 8, kLayers)
#define DOUBLES(block, ns, name, n) array(block, #name, 'd', L::ns::name * 8, n)
#define INTS(block, ns, name, n) array(block, #name, 'i', L::ns::name * 8, n)
#define DOUBLE(block, ns, name) scalar(block, #name, 'd', L::ns::name * 8)
#define INT(block, ns, name) scalar(block, #name, 'i', L::ns::name * 8)

std::vector<Field> build() {
  std::vector<Field> f = {
      scalar("fluids", "fluid_type", 'i', L::fluids::fluid_type * 8),
      LAYERS("fluids", fluids, api_gravity),
      LAYERS("fluids", fluids, water_cut),
      LAYERS("fluids", fluids, liquid_yield),
      LAYERS("fluids", fluids, water_sg),
      LAYERS("fluids", fluids, gas_sg),
      LAYERS("fluids", fluids, oil_sg),
      LAYERS("fluids", fluids, producing_gor),
      LAYERS("fluids", fluids, oil_viscosity),
      LAYERS("fluids", fluids, water_viscosity),
      LAYERS("fluids", fluids, liquid_viscosity),
      LAYERS("fluids", fluids, gas_viscosity),
      LAYERS("fluids", fluids, oil_fvf),
      LAYERS("fluids", fluids, water_fvf),
      LAYERS("fluids", fluids, liquid_fvf),
      LAYERS("fluids", fluids, liquid_density),
      LAYERS("fluids", fluids, oil_fraction),
      LAYERS("fluids", fluids, bubble_point),
      INTS("fluids", fluids, bubble_point_given, kLayers),
      LAYERS("fluids", fluids, solution_gor),
      LAYERS("fluids", fluids, total_compressibility),
      LAYERS("fluids", fluids, gas_z_factor),
      INTS("fluids", fluids, sample_set, kLayers),
      LAYERS("fluids", fluids, sample_key),
      INTS("fluids", fluids, rs_correlation, kLayers),
      INTS("fluids", fluids, fvf_correlation, kLayers),
      INTS("fluids", fluids, viscosity_correlation, kLayers),
      INT("fluids", fluids, viscosity_mixing_rule),

      DOUBLE("separator", separator, pressure),
      DOUBLE("separator", separator, temperature),

      scalar("well", "method_code", 'i', L::well::method_code_byte),
      scalar("well", "gas_method", 'i', L::well::gas_method_byte),
      scalar("well", "gas_injection_method", 'i', L::well::gas_injection_method_byte),
      scalar("well", "water_injection_method", 'i', L::well::water_injection_method_byte),
      scalar("well", "layer_count", 'i', L::well::layer_count_byte),
      scalar("well", "deliverability_test_type", 'i', L::well::deliverability_test_type_byte),
      LAYERS("well", well, layer_temperature),
      LAYERS("well", well, permeability),
      LAYERS("well", well, thickness),
      LAYERS("well", well, drainage_radius),
      LAYERS("well", well, wellbore_radius),
      LAYERS("well", well, skin),
      LAYERS("well", well, reservoir_pressure),
      INT("well", well, test_count),
      DOUBLES("well", well, test_rate, L::well::kTestCapacity),
      DOUBLES("well", well, test_pressure, L::well::kTestCapacity),
      DOUBLES("well", well, test_shutin_pressure, L::well::kTestCapacity),
      DOUBLE("well", well, backpressure_c),
      DOUBLE("well", well, backpressure_n),
      DOUBLE("well", well, productivity_index),
      DOUBLE("well", well, level_gradient),
      DOUBLES("well", well, surface_term_factors, 2),
      DOUBLES("well", well, level_test_rate, 2),
      DOUBLES("well", well, level_reading, 2),
      LAYERS("well", well, perm_y),
      LAYERS("well", well, perm_z),
      LAYERS("well", well, drainage_area),
      LAYERS("well", well, well_start_y),
      LAYERS("well", well, box_length_y),
      LAYERS("well", well, well_position_x),
      LAYERS("well", well, box_width_x),
      LAYERS("well", well, well_elevation_z),
      LAYERS("well", well, well_length),
      LAYERS("well", well, fracture_half_length),
      LAYERS("well", well, porosity),
      LAYERS("well", well, production_time),
      LAYERS("well", well, fracture_width),
      LAYERS("well", well, fracture_permeability),
      DOUBLE("well", well, rate_multiplier),
      DOUBLE("well", well, non_darcy_coefficient),
      {"well",
       "injection_coefficients",
       'd',
       L::well::injection_coefficients * 8,
       2,
       {4, 2},
       {16, 8}},
      LAYERS("well", well, break_pressure),
      LAYERS("well", well, max_injection_rate),
      LAYERS("well", well, second_skin),
      LAYERS("well", well, injection_traverse_depth),
      LAYERS("well", well, layer_depth),
      DOUBLE("well", well, reference_depth),
      DOUBLES("well", well, ratetest_pressures, L::well::kRateTestCapacity),
      DOUBLES("well", well, ratetest_liquid_rates, L::well::kRateTestCapacity),
      DOUBLES("well", well, ratetest_gas_rates, L::well::kRateTestCapacity),
      DOUBLES("well", well, ratetest_water_rates, L::well::kRateTestCapacity),
      INT("well", well, ratetest_row_count),
      scalar("well", "backpressure_c_given", 'b', L::well::backpressure_c_given_byte),
      scalar("well", "backpressure_n_given", 'b', L::well::backpressure_n_given_byte),

      INT("completion", completion, completion_model),
      DOUBLE("completion", completion, shot_density_factor),
      LAYERS("completion", completion, gravel_permeability),
      LAYERS("completion", completion, crushed_zone_permeability),
      LAYERS("completion", completion, crushed_zone_thickness),
      LAYERS("completion", completion, shot_density),
      LAYERS("completion", completion, perforation_diameter),
      LAYERS("completion", completion, perforated_interval),
      LAYERS("completion", completion, gravel_tunnel_length),
      LAYERS("completion", completion, perforation_length),

      scalar("traverse", "first_rate", 'd', L::traverse::first_rate),
      scalar("traverse", "second_rate", 'd', L::traverse::second_rate),
      scalar("traverse", "water_cut_percent", 'd', L::traverse::water_cut_percent),
      scalar("traverse", "gas_oil_ratio", 'd', L::traverse::gas_oil_ratio),
      scalar("traverse", "start_pressure", 'd', L::traverse::start_pressure),
      scalar("traverse", "depth_setup_value", 'd', L::traverse::depth_setup_value),
      scalar("traverse", "record_type", 'i', L::traverse::record_type),
      scalar("traverse", "suppress_fluid_errors", 'i', L::traverse::suppress_fluid_errors),
      scalar("traverse", "segment_count", 'i', L::traverse::segment_count),
      scalar("traverse", "direction_flag", 'i', L::traverse::direction_flag),
      scalar("traverse", "template_reset", 'i', L::traverse::template_reset),

      DOUBLES("summary", summary, rate, kPoints),
      DOUBLES("summary", summary, pressure, kPoints),
      DOUBLES("summary", summary, drawdown, kPoints),
      DOUBLES("summary", summary, water_cut, kPoints),
      DOUBLES("summary", summary, gas_liquid, kPoints),
      DOUBLES("summary", summary, water_sg, kPoints),

      INT("results", results, result_status),
      INTS("results", results, flow_regime_flag, kLayers),
      LAYERS("results", results, effective_radius_ratio),
      LAYERS("results", results, fracture_conductivity),
      LAYERS("results", results, dimensionless_time),
      LAYERS("results", results, result_bubble_point),
  };
  // Ten property tables of the same shape, then their use flags.
  const std::size_t table = L::tables::table_slots * 8;
  const std::size_t n = L::tables::kTableCount;
  const std::size_t nt = L::tables::kTemperatureCapacity;
  const std::size_t np = L::tables::kPressureCapacity;
  f.push_back({"tables", "temperatures", 'd', L::tables::temperatures * 8, 2, {n, nt}, {table, 8}});
  f.push_back({"tables", "pressures", 'd', L::tables::pressures * 8, 2, {n, np}, {table, 8}});
  f.push_back({"tables", "values", 'd', L::tables::values * 8, 3, {n, np, nt}, {table, nt * 8, 8}});
  f.push_back({"tables", "temperature_count", 'i', L::tables::counts * 8, 1, {n}, {table}});
  f.push_back({"tables", "pressure_count", 'i', L::tables::counts * 8 + 4, 1, {n}, {table}});
  f.push_back(INTS("tables", tables, use_flags, n));
  // The three curve tables share one shape: layer-major, 50 layers of 25 points.
  for (const char* block : {"layer_curves", "completion_curves", "traverse_curves"}) {
    for (auto [name, slot] :
         {std::pair{"rate", L::curves::rate}, std::pair{"pressure", L::curves::pressure},
          std::pair{"drawdown", L::curves::drawdown}}) {
      f.push_back({block, name, 'd', slot * 8, 2, {kLayers, kPoints}, {kPoints * 8, 8}});
    }
  }
  return f;
}

}  // namespace

const std::vector<BlockSize>& block_sizes() {
  static const std::vector<BlockSize> sizes = {
      {"fluids", L::fluids::min_slots},
      {"tables", L::tables::total_bytes / 8},
      {"separator", 2},
      {"layer_curves", L::curves::total_slots},
      {"well", L::well::min_slots},
      {"mode", 1},
      {"completion", L::completion::min_slots},
      {"completion_curves", L::curves::total_slots},
      {"traverse_curves", L::curves::total_slots},
      {"traverse", L::traverse::record_bytes / 8},
      {"summary", L::summary::total_slots},
      {"results", L::results::total_slots},
  };
  return sizes;
}

const std::vector<Field>& field_table() {
  static const std::vector<Field> table = build();
  return table;
}

}  // namespace dlv::python
