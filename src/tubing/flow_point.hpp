// The in-situ state of a multiphase flow at one point of the tubing, and the
// pressure gradient a correlation gives there. Every point correlation of the
// tubing room takes a FlowPoint and returns a Gradient; the traverse marches
// with them and knows nothing of any correlation.
//
// Units are oilfield units throughout: ft/s, lbm/ft3, cp, dyn/cm, inches for
// the pipe, psia for the pressure, degrees for the angle.
#pragma once

namespace dlv {

// The flow pattern a correlation reports at a point.
enum class FlowPattern {
  kStatic,        // no flow: the static column
  kLiquid,        // single-phase liquid
  kGas,           // single-phase gas
  kHomogeneous,   // no-slip mixture
  kSegregated,    // Beggs and Brill
  kTransition,    // Beggs and Brill
  kIntermittent,  // Beggs and Brill
  kDistributed,   // Beggs and Brill
  kBubble,        // Hagedorn and Brown with Griffith's bubble flow
  kSlug,          // Hagedorn and Brown outside bubble flow
  kMist,          // Gray: gas with entrained liquid
};

// Lower-case name of a flow pattern ("intermittent", "bubble", ...).
const char* flow_pattern_name(FlowPattern pattern);

struct FlowPoint {
  double superficial_liquid_velocity = 0.0;  // v_sL, ft/s
  double superficial_gas_velocity = 0.0;     // v_sg, ft/s
  double liquid_density = 0.0;               // lbm/ft3
  double gas_density = 0.0;                  // lbm/ft3
  double liquid_viscosity = 0.0;             // cp
  double gas_viscosity = 0.0;                // cp
  double surface_tension = 0.0;              // gas-liquid, dyn/cm
  double inside_diameter = 0.0;              // in
  double roughness = 0.0;                    // absolute, in
  double inclination = 90.0;                 // degrees above horizontal of the flow direction
  double pressure = 0.0;                     // psia
  // Total mass rate (lbm/d) for the Hagedorn-Brown friction forms; 0 means
  // the in-situ value 86400·A·(rho_L·v_sL + rho_g·v_sg).
  double mass_rate = 0.0;
};

// -dp/dL along the flow direction, in psi/ft of measured length: positive when
// the pressure falls along the flow. total = elevation + friction +
// acceleration, where acceleration is what the kinetic-energy factor adds:
// total = (elevation + friction) / (1 - kinetic_energy_factor).
struct Gradient {
  double elevation = 0.0;
  double friction = 0.0;
  double acceleration = 0.0;
  double total = 0.0;
  double kinetic_energy_factor = 0.0;  // E_k, 0 where a correlation has no acceleration term
  double holdup = 0.0;                 // liquid holdup H_L
  double no_slip_holdup = 0.0;         // lambda_L
  double mixture_density = 0.0;        // slip density used in the elevation term, lbm/ft3
  double mixture_velocity = 0.0;       // v_m, ft/s
  FlowPattern pattern = FlowPattern::kStatic;
  // False when the point cannot be computed: an input that is not finite or
  // out of range, a gradient that is not finite, or a kinetic-energy factor at
  // or above 0.95 (critical flow). A failed gradient has total = 0.
  bool ok = true;
};

}  // namespace dlv
