// Inflow curve of one layer of a well completed with a propped vertical
// fracture: transient linear flow into the fracture below a dimensionless
// time of 10000, from then on stabilized radial flow to an effective wellbore
// radius with an effective permeability.
#pragma once

#include <cstdint>

#include "blocks/blocks.hpp"

namespace dlv {

// Written into rates[0], and nothing else into the curve, when the transient
// regime would divide by zero (k * phi * ct = 0, xf * h = 0, or a zero
// liquid productivity).
inline constexpr double fracture_error_rate = 9999.9;

// Writes the 25-point curve (rates[0] = 0 at pr, rates rising as the pressure
// falls to 0 at index 24) and, for layer L, the dimensionless fracture
// conductivity, the dimensionless time, the effective-radius ratio (1.0 in
// transient flow) and the flow-regime flag (0 transient, 1 stabilized) into
// layer_results. liquid_flag 0 is gas (density_or_z is then the gas
// deviation factor), any other value liquid (density_or_z the liquid
// density). A rate_multiplier above 1.0 scales every rate of the finished
// curve. The pseudo-pressure table serves the stabilized gas curve.
// reservoir_pressure is written only by the stabilized liquid curve with a
// bubble point, which raises a pressure below 1.0 to 1.0. Permeability, radius
// and production time are read only.
void fractured_well_curve(double permeability, double thickness, double drainage_radius,
                          double wellbore_radius, double skin, double liquid_fvf, double viscosity,
                          double& reservoir_pressure, double fracture_half_length,
                          double total_compressibility, double porosity, double production_time,
                          double temperature, double fracture_width, double fracture_permeability,
                          std::int32_t liquid_flag, double density_or_z, double bubble_point,
                          double rate_multiplier, double* rates, double* pressures,
                          const double* pp_pressures, const double* pp_pseudo,
                          std::int32_t pp_count, LayerResults layer_results, std::int32_t layer);

}  // namespace dlv
