// Inflow curve of one oil layer from reservoir and fluid properties: the
// productivity index of pseudo-steady-state radial flow (Darcy), the oil share
// on Vogel's curve (a straight line above the bubble point when the reservoir
// is undersaturated), the water share on a straight line.
#pragma once

#include <cstdint>

#include "inflow/well_geometry.hpp"
#include "numerics/curve_arguments.hpp"

namespace dlv {

// Rate of every point 1..24 of a curve that cannot be built (negative oil
// flow denominator).
inline constexpr double invalid_rate = -9999.9;

// Writes rates[0] = 0 at pressures[0] = pr, pressures[24] = 0 with the largest
// rate and points 1..23 on pr - k * (pr / 24), the first grid point at or below
// an undersaturated bubble point moved onto it. J = k h / (141.2 B mu_o L) and
// Jw = w k h / (141.2 B mu_l L) with L = ln(0.472 re / rw) + s.
// reservoir_pressure is raised to 1.0 when below it, and written back.
// changed_pressure_flag is not used.
void darcy_vogel_curve(const RadialLayer& radial, const OilLayerFluid& fluid,
                       double& reservoir_pressure, CurveOutput curve,
                       std::int32_t changed_pressure_flag);

}  // namespace dlv
