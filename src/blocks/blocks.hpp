// Typed views of the argument blocks. A view holds the host's pointer and
// names the fields; int32 fields that share a slot and flag bytes are read
// and written with std::memcpy, so no access depends on aliasing or
// alignment. Per-layer arrays come back as fixed-extent spans.
#pragma once

#include <cstdint>
#include <cstring>
#include <span>

#include "blocks/block_layout.hpp"

namespace dlv {

using LayerArray = std::span<double, layout::kLayers>;
using CurveArray = std::span<double, layout::kPoints>;

namespace detail {
inline std::int32_t load_i32(const double* base, std::size_t byte_offset) {
  std::int32_t v;
  std::memcpy(&v, reinterpret_cast<const unsigned char*>(base) + byte_offset, sizeof v);
  return v;
}
inline void store_i32(double* base, std::size_t byte_offset, std::int32_t v) {
  std::memcpy(reinterpret_cast<unsigned char*>(base) + byte_offset, &v, sizeof v);
}
inline std::uint8_t load_u8(const double* base, std::size_t byte_offset) {
  std::uint8_t v;
  std::memcpy(&v, reinterpret_cast<const unsigned char*>(base) + byte_offset, sizeof v);
  return v;
}
// Index of element i of an int32 array that starts at a slot.
inline std::size_t i32_byte(std::size_t slot, int i) {
  return slot * 8 + static_cast<std::size_t>(i) * 4;
}
}  // namespace detail

#define DLV_LAYER_FIELD(name, ns) \
  LayerArray name() const { return LayerArray(base + layout::ns::name, layout::kLayers); }
#define DLV_SCALAR_FIELD(name, ns) \
  double& name() const { return base[layout::ns::name]; }

// layer_fluids (argument 1)
struct LayerFluids {
  double* base;
  std::int32_t fluid_type() const { return detail::load_i32(base, layout::fluids::fluid_type * 8); }
  DLV_LAYER_FIELD(api_gravity, fluids)
  DLV_LAYER_FIELD(water_cut, fluids)
  DLV_LAYER_FIELD(liquid_yield, fluids)
  DLV_LAYER_FIELD(water_sg, fluids)
  DLV_LAYER_FIELD(gas_sg, fluids)
  DLV_LAYER_FIELD(oil_sg, fluids)
  DLV_LAYER_FIELD(producing_gor, fluids)
  DLV_LAYER_FIELD(oil_viscosity, fluids)
  DLV_LAYER_FIELD(water_viscosity, fluids)
  DLV_LAYER_FIELD(liquid_viscosity, fluids)
  DLV_LAYER_FIELD(gas_viscosity, fluids)
  DLV_LAYER_FIELD(oil_fvf, fluids)
  DLV_LAYER_FIELD(water_fvf, fluids)
  DLV_LAYER_FIELD(liquid_fvf, fluids)
  DLV_LAYER_FIELD(liquid_density, fluids)
  DLV_LAYER_FIELD(oil_fraction, fluids)
  DLV_LAYER_FIELD(bubble_point, fluids)
  DLV_LAYER_FIELD(solution_gor, fluids)
  DLV_LAYER_FIELD(total_compressibility, fluids)
  DLV_LAYER_FIELD(gas_z_factor, fluids)
  DLV_LAYER_FIELD(sample_key, fluids)
  std::int32_t bubble_point_given(int L) const {
    return detail::load_i32(base, detail::i32_byte(layout::fluids::bubble_point_given, L));
  }
  std::int32_t sample_set(int L) const {
    return detail::load_i32(base, detail::i32_byte(layout::fluids::sample_set, L));
  }
  std::int32_t rs_correlation(int L) const {
    return detail::load_i32(base, detail::i32_byte(layout::fluids::rs_correlation, L));
  }
  std::int32_t fvf_correlation(int L) const {
    return detail::load_i32(base, detail::i32_byte(layout::fluids::fvf_correlation, L));
  }
  std::int32_t viscosity_correlation(int L) const {
    return detail::load_i32(base, detail::i32_byte(layout::fluids::viscosity_correlation, L));
  }
  std::int32_t viscosity_mixing_rule() const {
    return detail::load_i32(base, layout::fluids::viscosity_mixing_rule * 8);
  }
  void set_viscosity_mixing_rule(std::int32_t v) const {
    detail::store_i32(base, layout::fluids::viscosity_mixing_rule * 8, v);
  }
};

// One table of fluid_tables.
struct PropertyTable {
  const double* base;
  const double* temperatures() const { return base + layout::tables::temperatures; }
  const double* pressures() const { return base + layout::tables::pressures; }
  const double* values() const { return base + layout::tables::values; }
  std::int32_t temperature_count() const {
    return detail::load_i32(base, layout::tables::counts * 8);
  }
  std::int32_t pressure_count() const {
    return detail::load_i32(base, layout::tables::counts * 8 + 4);
  }
};

// fluid_tables (argument 2): ten property tables and ten use flags.
struct FluidTables {
  const double* base;
  // Table k of the ten and whether the host switched it on.
  PropertyTable table(int k) const {
    return PropertyTable{base + static_cast<std::size_t>(k) * layout::tables::table_slots};
  }
  bool use_table(int k) const {
    return detail::load_i32(base, detail::i32_byte(layout::tables::use_flags, k)) == 1;
  }
  // The same by the property the table holds.
  PropertyTable table(layout::tables::Property property) const {
    return table(static_cast<int>(property));
  }
  bool use_table(layout::tables::Property property) const {
    return use_table(static_cast<int>(property));
  }
};

// separator_conditions (argument 3)
struct SeparatorConditions {
  double* base;
  DLV_SCALAR_FIELD(pressure, separator)
  DLV_SCALAR_FIELD(temperature, separator)
};

// layer_curves, completion_curves, traverse_curves (arguments 4, 8, 9)
struct CurveTables {
  double* base;
  double* rate() const { return base + layout::curves::rate; }
  double* pressure() const { return base + layout::curves::pressure; }
  double* drawdown() const { return base + layout::curves::drawdown; }
  // The 25 points of layer L.
  CurveArray rate(int L) const { return CurveArray(rate() + L * layout::kPoints, layout::kPoints); }
  CurveArray pressure(int L) const {
    return CurveArray(pressure() + L * layout::kPoints, layout::kPoints);
  }
  CurveArray drawdown(int L) const {
    return CurveArray(drawdown() + L * layout::kPoints, layout::kPoints);
  }
};

// well_record (argument 5)
struct WellRecord {
  double* base;
  std::int32_t method_code() const {
    return detail::load_i32(base, layout::well::method_code_byte);
  }
  std::int32_t gas_method() const { return detail::load_i32(base, layout::well::gas_method_byte); }
  std::int32_t gas_injection_method() const {
    return detail::load_i32(base, layout::well::gas_injection_method_byte);
  }
  std::int32_t water_injection_method() const {
    return detail::load_i32(base, layout::well::water_injection_method_byte);
  }
  // The same four codes as the methods they select; any int32 value passes.
  OilMethod oil_method() const { return static_cast<OilMethod>(method_code()); }
  GasMethod gas_production_method() const { return static_cast<GasMethod>(gas_method()); }
  WaterInjectionMethod water_injection() const {
    return static_cast<WaterInjectionMethod>(water_injection_method());
  }
  GasInjectionMethod gas_injection() const {
    return static_cast<GasInjectionMethod>(gas_injection_method());
  }
  // The host's layer count as given; see layers() for the count the library uses.
  std::int32_t layer_count() const {
    return detail::load_i32(base, layout::well::layer_count_byte);
  }
  std::int32_t deliverability_test_type() const {
    return detail::load_i32(base, layout::well::deliverability_test_type_byte);
  }
  std::int32_t test_count() const { return detail::load_i32(base, layout::well::test_count * 8); }
  std::int32_t ratetest_row_count() const {
    return detail::load_i32(base, layout::well::ratetest_row_count * 8);
  }
  std::uint8_t backpressure_c_given() const {
    return detail::load_u8(base, layout::well::backpressure_c_given_byte);
  }
  std::uint8_t backpressure_n_given() const {
    return detail::load_u8(base, layout::well::backpressure_n_given_byte);
  }
  DLV_LAYER_FIELD(layer_temperature, well)
  DLV_LAYER_FIELD(permeability, well)
  DLV_LAYER_FIELD(thickness, well)
  DLV_LAYER_FIELD(drainage_radius, well)
  DLV_LAYER_FIELD(wellbore_radius, well)
  DLV_LAYER_FIELD(skin, well)
  DLV_LAYER_FIELD(reservoir_pressure, well)
  double* test_rate() const { return base + layout::well::test_rate; }
  double* test_pressure() const { return base + layout::well::test_pressure; }
  double* test_shutin_pressure() const { return base + layout::well::test_shutin_pressure; }
  DLV_SCALAR_FIELD(backpressure_c, well)
  DLV_SCALAR_FIELD(backpressure_n, well)
  DLV_SCALAR_FIELD(productivity_index, well)
  DLV_SCALAR_FIELD(level_gradient, well)
  double* surface_term_factors() const { return base + layout::well::surface_term_factors; }
  double* level_test_rate() const { return base + layout::well::level_test_rate; }
  double* level_reading() const { return base + layout::well::level_reading; }
  DLV_LAYER_FIELD(perm_y, well)
  DLV_LAYER_FIELD(perm_z, well)
  DLV_LAYER_FIELD(drainage_area, well)
  DLV_LAYER_FIELD(well_start_y, well)
  DLV_LAYER_FIELD(box_length_y, well)
  DLV_LAYER_FIELD(well_position_x, well)
  DLV_LAYER_FIELD(box_width_x, well)
  DLV_LAYER_FIELD(well_elevation_z, well)
  DLV_LAYER_FIELD(well_length, well)
  DLV_LAYER_FIELD(fracture_half_length, well)
  DLV_LAYER_FIELD(porosity, well)
  DLV_LAYER_FIELD(production_time, well)
  DLV_LAYER_FIELD(fracture_width, well)
  DLV_LAYER_FIELD(fracture_permeability, well)
  DLV_SCALAR_FIELD(rate_multiplier, well)
  DLV_SCALAR_FIELD(non_darcy_coefficient, well)
  // Pair k (0..3) of injectivity coefficients: below and above the break pressure.
  double* injection_coefficients(int k) const {
    return base + layout::well::injection_coefficients + 2 * k;
  }
  DLV_LAYER_FIELD(break_pressure, well)
  DLV_LAYER_FIELD(max_injection_rate, well)
  DLV_LAYER_FIELD(second_skin, well)
  DLV_LAYER_FIELD(injection_traverse_depth, well)
  DLV_LAYER_FIELD(layer_depth, well)
  DLV_SCALAR_FIELD(reference_depth, well)
  double* ratetest_pressures() const { return base + layout::well::ratetest_pressures; }
  double* ratetest_liquid_rates() const { return base + layout::well::ratetest_liquid_rates; }
  double* ratetest_gas_rates() const { return base + layout::well::ratetest_gas_rates; }
  double* ratetest_water_rates() const { return base + layout::well::ratetest_water_rates; }
};

// Number of layers the library works on: a layer count held inside the 50
// layer slots of every block (a negative count means none).
inline int held_layer_count(std::int32_t n) {
  return n < 0 ? 0 : (n > layout::kLayers ? layout::kLayers : n);
}
inline int layers(const WellRecord& w) { return held_layer_count(w.layer_count()); }

// completion_block (argument 7)
struct CompletionBlock {
  double* base;
  std::int32_t completion_model() const {
    return detail::load_i32(base, layout::completion::completion_model * 8);
  }
  DLV_SCALAR_FIELD(shot_density_factor, completion)
  DLV_LAYER_FIELD(gravel_permeability, completion)
  DLV_LAYER_FIELD(crushed_zone_permeability, completion)
  DLV_LAYER_FIELD(crushed_zone_thickness, completion)
  DLV_LAYER_FIELD(shot_density, completion)
  DLV_LAYER_FIELD(perforation_diameter, completion)
  DLV_LAYER_FIELD(perforated_interval, completion)
  DLV_LAYER_FIELD(gravel_tunnel_length, completion)
  DLV_LAYER_FIELD(perforation_length, completion)
};

// traverse_block (argument 10) and its working copies: the traverse record,
// addressed by byte offset.
struct TraverseRecord {
  void* base;
  unsigned char* bytes() const { return static_cast<unsigned char*>(base); }
  double get_f64(std::size_t off) const {
    double v;
    std::memcpy(&v, bytes() + off, sizeof v);
    return v;
  }
  void set_f64(std::size_t off, double v) const { std::memcpy(bytes() + off, &v, sizeof v); }
  std::int32_t get_i32(std::size_t off) const {
    std::int32_t v;
    std::memcpy(&v, bytes() + off, sizeof v);
    return v;
  }
  void set_i32(std::size_t off, std::int32_t v) const { std::memcpy(bytes() + off, &v, sizeof v); }

  double first_rate() const { return get_f64(layout::traverse::first_rate); }
  void set_first_rate(double v) const { set_f64(layout::traverse::first_rate, v); }
  void set_second_rate(double v) const { set_f64(layout::traverse::second_rate, v); }
  void set_water_cut_percent(double v) const { set_f64(layout::traverse::water_cut_percent, v); }
  void set_gas_oil_ratio(double v) const { set_f64(layout::traverse::gas_oil_ratio, v); }
  void set_start_pressure(double v) const { set_f64(layout::traverse::start_pressure, v); }
  double depth_setup_value() const { return get_f64(layout::traverse::depth_setup_value); }
  std::int32_t record_type() const { return get_i32(layout::traverse::record_type); }
  std::int32_t suppress_fluid_errors() const {
    return get_i32(layout::traverse::suppress_fluid_errors);
  }
  std::int32_t segment_count() const { return get_i32(layout::traverse::segment_count); }
  void set_direction_flag(std::int32_t v) const { set_i32(layout::traverse::direction_flag, v); }
  std::int32_t segment_flag(int k) const {
    return get_i32(layout::traverse::segment_flags + 4 * static_cast<std::size_t>(k));
  }
  void set_segment_flag(int k, std::int32_t v) const {
    set_i32(layout::traverse::segment_flags + 4 * static_cast<std::size_t>(k), v);
  }
  void set_template_reset(std::int32_t v) const { set_i32(layout::traverse::template_reset, v); }
};

// well_summary (argument 11)
struct WellSummary {
  double* base;
  double* rate() const { return base + layout::summary::rate; }
  double* pressure() const { return base + layout::summary::pressure; }
  double* drawdown() const { return base + layout::summary::drawdown; }
  double* water_cut() const { return base + layout::summary::water_cut; }
  double* gas_liquid() const { return base + layout::summary::gas_liquid; }
  double* water_sg() const { return base + layout::summary::water_sg; }
};

// layer_results (argument 12)
struct LayerResults {
  double* base;
  void set_result_status(std::int32_t v) const {
    detail::store_i32(base, layout::results::result_status * 8, v);
  }
  std::int32_t result_status() const {
    return detail::load_i32(base, layout::results::result_status * 8);
  }
  std::int32_t flow_regime_flag(int L) const {
    return detail::load_i32(base, detail::i32_byte(layout::results::flow_regime_flag, L));
  }
  void set_flow_regime_flag(int L, std::int32_t v) const {
    detail::store_i32(base, detail::i32_byte(layout::results::flow_regime_flag, L), v);
  }
  DLV_LAYER_FIELD(effective_radius_ratio, results)
  DLV_LAYER_FIELD(fracture_conductivity, results)
  DLV_LAYER_FIELD(dimensionless_time, results)
  DLV_LAYER_FIELD(result_bubble_point, results)
};

#undef DLV_LAYER_FIELD
#undef DLV_SCALAR_FIELD

}  // namespace dlv
