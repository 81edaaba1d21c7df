// Gray's correlation for gas wells that make liquid: holdup from the velocity
// and diameter numbers, a pseudo roughness from the liquid film, the
// Colebrook factor at the no-slip Reynolds number, and the kinetic-energy
// factor. A well with no liquid flowing is single-phase gas exactly.
#pragma once

#include "tubing/flow_point.hpp"

namespace dlv {

// The groups and the holdup of a point where both phases flow.
struct GrayGroups {
  double velocity_number = 0.0;     // N_V
  double diameter_number = 0.0;     // N_D
  double exponent = 0.0;            // B
  double holdup_exponent = 0.0;     // A, H_L = 1 - (1 - lambda_L)(1 - e^A)
  double holdup = 0.0;              // H_L
  double relative_roughness = 0.0;  // k_e / D of the pseudo roughness, at most 0.05
  double reynolds = 0.0;            // no-slip N_Re
  double friction_factor = 0.0;     // Darcy
};

// The groups of a point where both phases flow (the caller has checked it).
GrayGroups gray_groups(const FlowPoint& point);

// The Gray gradient; single-phase and static points take the shared bypass.
// Fails when the surface tension is not positive or the liquid is not
// denser than the gas.
Gradient gray(const FlowPoint& point);

}  // namespace dlv
