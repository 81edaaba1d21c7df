// What the numbers of a result describe (meaning.cpp): the derived fluid
// properties that have something to describe, drawdowns on the printed rows,
// and flowing pressures below 0 psi gauge after the completion loss.
#pragma once

#include <array>
#include <limits>
#include <string>
#include <vector>

#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

// Adds the unit of every derived fluid property to a result's units.
void add_fluid_property_units(json& units);
// True for the name of a derived fluid property of a layer.
bool is_fluid_output(const char* name);
// The derived fluid properties of layer L after the run; null where the
// property has nothing to describe (docs/result-format.md lists the rules).
json fluid_properties_json(const Blocks& b, const json& doc, int L);
// The same properties by name in the same order, kNoValue (NaN) where the
// object holds null; a value that is there is always finite.
inline constexpr double kNoValue = std::numeric_limits<double>::quiet_NaN();
struct FluidPropertyValue {
  const char* name;
  double value;
};
inline constexpr std::size_t kFluidPropertyCount = 16;
using FluidPropertyRow = std::array<FluidPropertyValue, kFluidPropertyCount>;
void fluid_property_values(const Blocks& b, const json& doc, int L, FluidPropertyRow& out);
// Rewrites curve["drawdown"] as reservoir_pressure minus each row's pressure
// (null where the pressure is null).
void set_drawdown(json& curve, double reservoir_pressure);
// The note that reports the points of a curve emptied below 0 psi gauge
// ("" when there are none).
std::string below_zero_note(const std::string& path, int count, double lowest);
// Nulls every pressure below 0 psi gauge of a curve, and the named columns on
// those rows; returns the note that reports them ("" when there are none).
std::string empty_pressures_below_zero(json& curve, const std::string& path,
                                       const std::vector<const char*>& with);
// Whether the well curve's water gravity at one point describes any water.
bool well_water_sg_meaningful(int mode, double water_cut, double water_sg);

}  // namespace dlv::wellfile
