// The pressure traverse of a well's tubing: one entry point for every tubing
// model. The point correlations are marched in pressure-averaged steps along
// the path; the whole-well methods (Poettmann-Carpenter, average temperature
// and z, Cullender-Smith) solve the whole well at once and report the
// wellhead and the node. Callers never call a correlation directly.
//
// Marching. Each segment of the path (survey stations and the node are step
// boundaries) starts with equal steps of at most max_step ft of measured depth.
// A step takes the gradient at its start as a predictor, then iterates on the
// gradient at its mid-point pressure and temperature until two pressure
// changes agree to max(0.01 psi, 1e-6 p) (at most 30 iterations). A converged
// change larger than max(50 psi, 0.02 p) cuts the step in proportion; a failed
// step (not converged, a gradient that is not finite or critical, a pressure
// at or below 14.7 psia) is halved; either way the rest of the segment is
// divided again into equal steps, never shorter than 1 ft. A 1-ft step is
// accepted whatever its change; a 1-ft step that fails ends the traverse.
// The original Hagedorn-Brown takes 29 equal explicit steps over the whole
// measured depth, as Guo's spreadsheet does.
//
// Units: psia, degrees F, ft, in; the rate as the fluid's basis says (stb/d of
// liquid or Mscf/d of gas).
#pragma once

#include <cstddef>
#include <span>

#include "tubing/correlation.hpp"
#include "tubing/flow_point.hpp"
#include "tubing/survey.hpp"
#include "tubing/tubing_fluid.hpp"

namespace dlv {

// Where the traverse starts: at the wellhead (the known wellhead pressure,
// marching down to the node) or at the node (the known node pressure,
// marching up to the wellhead).
enum class TraverseStart { kWellhead, kNode };

// The direction the fluid flows in the tubing.
enum class FlowDirection {
  kUp,    // producers
  kDown,  // injectors: the inclination of the flow is negative
};

// The tubing between the wellhead and the node.
struct TubingGeometry {
  double node_depth = 0.0;                // measured depth of the node (mid-perforation), ft
  double inside_diameter = 0.0;           // in
  double roughness = 0.0;                 // absolute, in
  double inclination = 0.0;               // degrees from vertical when there is no survey
  std::span<const SurveyStation> survey;  // (MD, TVD) stations; empty: straight hole
};

struct TraverseRequest {
  Correlation correlation = Correlation::kNoSlip;
  GradientOptions options{};
  TubingGeometry geometry{};
  TemperatureProfile temperatures{};  // wellhead and node temperatures, degrees F
  TubingFluid fluid{};
  double rate = 0.0;            // stb/d of liquid or Mscf/d of gas, by the fluid's basis
  double start_pressure = 0.0;  // psia at the start
  TraverseStart start = TraverseStart::kWellhead;
  FlowDirection flow = FlowDirection::kUp;
  double max_step = 100.0;  // ft of measured depth, the marcher's default step (1 ft at least)
};

// The state at one node of the profile. The gradient terms are -dp/dL along
// the flow in psi/ft of measured depth, at the node's pressure and temperature
// and the inclination of the step that leaves it (the arriving step's at the
// last node). The whole-well methods report no point terms (zeros), and the
// pattern "homogeneous" (Poettmann and Carpenter), "gas" (the dry-gas
// methods) or "static" at zero rate.
struct ProfileNode {
  double measured_depth = 0.0;  // ft
  double vertical_depth = 0.0;  // ft
  double pressure = 0.0;        // psia
  double temperature = 0.0;     // degrees F
  double holdup = 0.0;
  double no_slip_holdup = 0.0;
  FlowPattern pattern = FlowPattern::kStatic;
  double mixture_density = 0.0;   // lbm/ft3
  double mixture_velocity = 0.0;  // ft/s
  double elevation = 0.0;         // psi/ft
  double friction = 0.0;          // psi/ft
  double acceleration = 0.0;      // psi/ft
};

enum class TraverseStatus {
  kOk,
  // The pressure reaches 14.7 psia before the end: the well cannot lift (or
  // deliver) this rate. stop_measured_depth and stop_vertical_depth give the
  // last accepted node; end_pressure is not a result.
  kCannotLift,
  kFailed,    // a 1-ft step whose gradient is not finite or is critical (E_k >= 0.95)
  kRunaway,   // a pressure above 30 000 psia
  kBadPath,   // the path cannot be built: see path_error
  kBadInput,  // a start pressure, rate, diameter, roughness, temperature or step
              // that is not finite or out of its range, or a fluid that cannot
              // be evaluated at the start
};

// What a whole-well method computed besides the end pressure.
struct WholeWellDetails {
  // Poettmann-Carpenter: D*rho*v (lbm/(ft s)), the friction factor, k_bar
  // ((lbm/ft3)^2) and the end densities and their mean (lbm/ft3).
  double d_rho_v = 0.0;
  double friction_factor = 0.0;
  double k_bar = 0.0;
  double wellhead_density = 0.0;
  double node_density = 0.0;
  double mean_density = 0.0;
  // Average temperature and z: z_bar, s and the mean temperature (R);
  // Cullender-Smith: the mid-depth pressure of the two halves (psia).
  double mean_z = 0.0;
  double s = 0.0;
  double mean_temperature = 0.0;
  double mid_pressure = 0.0;
  int iterations = 0;  // evaluations of the end pressure after the start
};

struct TraverseResult {
  TraverseStatus status = TraverseStatus::kBadInput;
  PathError path_error = PathError::kNone;
  double end_pressure = 0.0;         // psia at the end (the node or the wellhead), when kOk
  double stop_measured_depth = 0.0;  // the last accepted node, ft
  double stop_vertical_depth = 0.0;
  int steps = 0;                 // accepted steps (1 for a whole-well method)
  int fluid_evaluations = 0;     // evaluations of the fluid at a new (p, T)
  std::size_t nodes = 0;         // nodes of the profile written
  std::size_t nodes_needed = 0;  // nodes the profile has; above nodes when the span was short
  bool profile_truncated = false;
  WholeWellDetails whole_well{};
};

// Runs the traverse the request describes and writes its profile, in marching
// order, into `profile` (as many nodes as fit; the result says when some did
// not). Allocates nothing. A zero rate gives the static column: the liquid
// density where the fluid carries liquid (the gas segregated to the top), the
// gas density for a gas-basis well; no friction.
TraverseResult traverse(const TraverseRequest& request, std::span<ProfileNode> profile);

}  // namespace dlv
