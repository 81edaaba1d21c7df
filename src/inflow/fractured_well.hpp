// Inflow curve of one layer of a well completed with a propped vertical
// fracture: transient linear flow into the fracture below a dimensionless
// time of 10000, from then on stabilized radial flow to an effective wellbore
// radius with an effective permeability.
#pragma once

#include <cstdint>

#include "blocks/blocks.hpp"
#include "inflow/well_geometry.hpp"
#include "numerics/curve_arguments.hpp"

namespace dlv {

// Written into rates[0], and nothing else into the curve, when the transient
// regime would divide by zero (k * phi * ct = 0, xf * h = 0, or a zero
// liquid productivity).
inline constexpr double fracture_error_rate = 9999.9;

// Writes the 25-point curve (rates[0] = 0 at pr, rates rising as the pressure
// falls to 0 at index 24) and, for layer_index, the dimensionless fracture
// conductivity, the dimensionless time, the effective-radius ratio (1.0 in
// transient flow) and the flow-regime flag (0 transient, 1 stabilized) into
// layer_results. A rate_multiplier above 1.0 scales every rate of the finished
// curve. The pseudo-pressure table serves the stabilized gas curve.
// reservoir_pressure is written only by the stabilized liquid curve with a
// bubble point, which raises a pressure below 1.0 to 1.0. Permeability, radius
// and production time are read only.
void fractured_well_curve(const FracturedLayer& layer, const FracturedWellFluid& fluid,
                          double& reservoir_pressure, double rate_multiplier, CurveOutput curve,
                          PseudoPressures pp, LayerResults layer_results, std::int32_t layer_index);

}  // namespace dlv
