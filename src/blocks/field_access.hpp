// Access to the argument blocks by the position a table of named fields gives
// (a slot of doubles, or the byte offset of an int32 array or a flag byte),
// and the parts of the blocks a well document fills beside such fields: the
// method code of each mode, the counts, the given-flags and the property
// tables. Const views read, mutable views write; every position and every
// step between elements is worked out here.
#pragma once

#include <cstddef>
#include <cstdint>

#include "blocks/blocks.hpp"

namespace dlv {

// How the blocks record that a host gave a field.
enum class GivenFlag {
  none,
  layer_int32,  // an int32 per layer, 1 when given
  byte,         // one flag byte, 1 when given
};

// Slot of element i of a double array that starts at a slot, and byte offset
// of element i of an int32 array that starts at a byte offset.
inline std::size_t element_slot(std::size_t slot, int i) {
  return slot + static_cast<std::size_t>(i);
}
inline std::size_t element_byte(std::size_t byte, int i) {
  return byte + 4 * static_cast<std::size_t>(i);
}

// Read access to one block by element position.
struct ConstBlockView {
  const double* base;
  // Element i of a double array that starts at a slot.
  double real(std::size_t slot, int i = 0) const { return base[element_slot(slot, i)]; }
  // Element i of an int32 array that starts at a byte offset.
  std::int32_t int32(std::size_t byte, int i = 0) const {
    return detail::load_i32(base, element_byte(byte, i));
  }
  std::uint8_t flag_byte(std::size_t byte) const { return detail::load_u8(base, byte); }
  // Whether the given-flag at a position is set for element i.
  bool given(GivenFlag kind, std::size_t byte, int i) const {
    if (kind == GivenFlag::layer_int32) return int32(byte, i) == 1;
    if (kind == GivenFlag::byte) return flag_byte(byte) != 0;
    return false;
  }
  // The same block seen as 25-point curves: column k of layer L.
  const double* curve_rate(int L) const { return column(layout::curves::rate, L); }
  const double* curve_pressure(int L) const { return column(layout::curves::pressure, L); }
  const double* curve_drawdown(int L) const { return column(layout::curves::drawdown, L); }

 private:
  const double* column(std::size_t first, int L) const {
    return base + first + static_cast<std::size_t>(L) * layout::kPoints;
  }
};

// Write access to one block by element position.
struct BlockView {
  double* base;
  operator ConstBlockView() const { return ConstBlockView{base}; }
  void set_real(std::size_t slot, int i, double v) const { base[element_slot(slot, i)] = v; }
  void set_int32(std::size_t byte, int i, std::int32_t v) const {
    detail::store_i32(base, element_byte(byte, i), v);
  }
  void set_flag_byte(std::size_t byte, std::uint8_t v) const {
    std::memcpy(reinterpret_cast<unsigned char*>(base) + byte, &v, sizeof v);
  }
  // Marks element i as given.
  void set_given(GivenFlag kind, std::size_t byte, int i) const {
    if (kind == GivenFlag::layer_int32) set_int32(byte, i, 1);
    if (kind == GivenFlag::byte) set_flag_byte(byte, 1);
  }
};

// Where the well record keeps the method code of a mode (each mode has its own).
inline std::size_t method_code_byte(CalcMode mode) {
  switch (mode) {
    case CalcMode::kGasProduction:
      return layout::well::gas_method_byte;
    case CalcMode::kWaterInjection:
      return layout::well::water_injection_method_byte;
    case CalcMode::kGasInjection:
      return layout::well::gas_injection_method_byte;
    case CalcMode::kOilProduction:
      break;
  }
  return layout::well::method_code_byte;
}

// The well record's method code, counts and coupling depths, read.
struct ConstWellInputs {
  const double* base;
  std::int32_t method(CalcMode mode) const {
    return detail::load_i32(base, method_code_byte(mode));
  }
  std::int32_t layer_count() const {
    return detail::load_i32(base, layout::well::layer_count_byte);
  }
  std::int32_t test_count() const { return detail::load_i32(base, layout::well::test_count * 8); }
  std::int32_t ratetest_row_count() const {
    return detail::load_i32(base, layout::well::ratetest_row_count * 8);
  }
  double reference_depth() const { return base[layout::well::reference_depth]; }
  double layer_depth(int L) const {
    return base[layout::well::layer_depth + static_cast<std::size_t>(L)];
  }
};

// The method code and counts, written.
struct WellInputs {
  double* base;
  void set_method(CalcMode mode, std::int32_t code) const {
    detail::store_i32(base, method_code_byte(mode), code);
  }
  void set_layer_count(std::int32_t n) const {
    detail::store_i32(base, layout::well::layer_count_byte, n);
  }
  void set_test_count(std::int32_t n) const {
    detail::store_i32(base, layout::well::test_count * 8, n);
  }
  void set_ratetest_row_count(std::int32_t n) const {
    detail::store_i32(base, layout::well::ratetest_row_count * 8, n);
  }
};

// One property table of fluid_tables, written: temperatures across, pressures
// down, a value per pressure row and temperature column.
struct PropertyTableWriter {
  double* base;
  void set_temperature(std::size_t j, double v) const {
    base[layout::tables::temperatures + j] = v;
  }
  void set_pressure(std::size_t r, double v) const { base[layout::tables::pressures + r] = v; }
  void set_value(std::size_t r, std::size_t j, double v) const {
    base[layout::tables::values + r * layout::tables::kTemperatureCapacity + j] = v;
  }
  void set_counts(std::int32_t temperatures, std::int32_t pressures) const {
    detail::store_i32(base, layout::tables::counts * 8, temperatures);
    detail::store_i32(base, layout::tables::counts * 8 + 4, pressures);
  }
};

// First slot of property table k of fluid_tables, and the byte offset of one
// of its counts (a count's offset within a table).
inline std::size_t property_table_slot(int k) {
  return static_cast<std::size_t>(k) * layout::tables::table_slots;
}
inline std::size_t property_table_byte(int k, std::size_t byte_in_table) {
  return property_table_slot(k) * 8 + byte_in_table;
}

// fluid_tables, written: table k and its use flag.
struct FluidTablesWriter {
  double* base;
  PropertyTableWriter table(int k) const {
    return PropertyTableWriter{base + property_table_slot(k)};
  }
  void set_use_table(int k) const {
    detail::store_i32(base, detail::i32_byte(layout::tables::use_flags, k), 1);
  }
};

// Value of pressure row r and temperature column j of a property table read.
inline double table_value(const PropertyTable& t, std::size_t r, std::size_t j) {
  return t.values()[r * layout::tables::kTemperatureCapacity + j];
}

}  // namespace dlv
