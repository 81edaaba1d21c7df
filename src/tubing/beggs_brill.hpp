// Beggs and Brill (1973) with the Payne et al. (1979) corrections, on the
// revised four-line flow-pattern map: holdup from the horizontal correlation
// of the pattern, corrected for inclination (uphill rows for a flow angle at
// or above 0, the downhill row below), interpolated across the transition
// band, then scaled by Payne's factors; the two-phase friction factor from
// the no-slip Colebrook factor, and the kinetic-energy factor.
#pragma once

#include "tubing/correlation.hpp"
#include "tubing/flow_point.hpp"

namespace dlv {

// The holdup of one pattern (segregated, intermittent or distributed) before
// the transition interpolation and the Payne factors.
struct BeggsBrillPatternHoldup {
  double horizontal = 0.0;   // H_L(0), at least lambda_L
  double coefficient = 0.0;  // C, at least 0
  double factor = 1.0;       // psi = 1 + C [sin(1.8 theta) - 0.333 sin^3(1.8 theta)]
  double inclined = 0.0;     // H_L(theta) = H_L(0) psi, within [0, 1]
};

// The state of the flow-pattern map and the holdup at a two-phase point.
struct BeggsBrillHoldup {
  FlowPattern pattern = FlowPattern::kIntermittent;
  double no_slip_holdup = 0.0;          // lambda_L
  double froude = 0.0;                  // N_FR = v_m^2 / (g D)
  double liquid_velocity_number = 0.0;  // N_LV
  double transition_weight = 0.0;       // A, the segregated share in transition; else 0
  double holdup = 0.0;                  // H_L after Payne, 1e-6 where it would be <= 0
};

// The holdup of pattern (segregated, intermittent or distributed; any other
// pattern gives NaN) at the flow angle in degrees.
BeggsBrillPatternHoldup beggs_brill_pattern_holdup(FlowPattern pattern, double no_slip_holdup,
                                                   double froude, double liquid_velocity_number,
                                                   double inclination);

// The map and holdup at a point where both phases flow (the caller has
// checked it); payne switches the 0.924/0.685 factors and the uphill floor.
BeggsBrillHoldup beggs_brill_holdup(const FlowPoint& point, bool payne);

// The Beggs and Brill gradient; single-phase and static points take the
// shared bypass. Fails when the surface tension is not positive.
Gradient beggs_brill(const FlowPoint& point, const GradientOptions& options);

}  // namespace dlv
