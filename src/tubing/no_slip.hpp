// The pieces every point correlation shares: the check of a flow point, the
// static column at zero rate, the single-phase gradient of a pipe carrying
// only liquid or only gas, the homogeneous (no-slip) mixture gradient, and the
// assembly of the terms into a total with the kinetic-energy factor.
#pragma once

#include <cmath>
#include <numbers>
#include <optional>

#include "tubing/flow_point.hpp"

namespace dlv {

// g in ft/s2 and gc in lbm ft/(lbf s2): equal, so g/gc = 1 lbf/lbm.
inline constexpr double kGravity = 32.174;
// lbf/ft2 per psi.
inline constexpr double kSquareInchesPerSquareFoot = 144.0;
// N_Re = 1488 rho v D / mu with rho in lbm/ft3, v in ft/s, D in ft, mu in cp.
inline constexpr double kReynoldsFactor = 1488.0;
// A kinetic-energy factor at or above this is critical flow: the point fails.
inline constexpr double kCriticalKineticEnergy = 0.95;

// True when every field is finite, the velocities, densities, viscosities,
// surface tension, roughness and mass rate are not negative, the diameter
// and pressure are positive, the angle lies in [-90, 90] degrees, and each
// flowing phase has a positive density and viscosity.
bool flow_point_is_valid(const FlowPoint& point);

// A gradient with ok = false and every number 0.
Gradient failed_gradient();

// The static column at zero rate: elevation only, with the liquid density
// when the point has one (H_L = 1, the gas gathered at the top), else the gas
// density (H_L = 0); pattern kStatic. Fails when both densities are 0.
Gradient static_column(const FlowPoint& point);

// The gradient of the one phase that flows (v_sg = 0: liquid; v_sL = 0: gas):
// its density in the elevation term, the Moody factor at its own Reynolds
// number, no acceleration; pattern kLiquid or kGas.
Gradient single_phase_gradient(const FlowPoint& point);

// What every two-phase correlation does before its own map: a failed gradient
// for an invalid point, the static column at v_m = 0, the single-phase
// gradient when one superficial velocity is 0; nothing when both phases flow.
std::optional<Gradient> gradient_without_two_phases(const FlowPoint& point);

// The homogeneous mixture: H_L = lambda_L, the no-slip density and viscosity,
// the Moody factor at the no-slip Reynolds number, no acceleration.
Gradient no_slip_gradient(const FlowPoint& point);

// Fills total and acceleration of a gradient whose elevation and friction
// terms are set: total = (elevation + friction) / (1 - E_k). Marks the
// gradient failed (total 0) when E_k >= 0.95 or a number is not finite.
void finish_gradient(Gradient& gradient, double kinetic_energy_factor);

// Inside diameter in ft.
inline double diameter_ft(const FlowPoint& point) { return point.inside_diameter / 12.0; }
// sin(theta) of the flow direction; exactly +-1 for vertical flow, as the
// sine of the rounded right angle is, without working it out.
inline double sine_of_inclination(const FlowPoint& point) {
  if (point.inclination == 90.0) return 1.0;
  if (point.inclination == -90.0) return -1.0;
  return std::sin(point.inclination * std::numbers::pi / 180.0);
}
// eps/D of the pipe.
inline double relative_roughness(const FlowPoint& point) {
  return point.roughness / point.inside_diameter;
}

}  // namespace dlv
