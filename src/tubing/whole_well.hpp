// The whole-well methods of the tubing, as they are published: each solves
// the well between the wellhead and the node in one piece, from the wellhead
// pressure to the node pressure. The traverse dispatches to them (and, from
// the node, solves them backwards); callers use the traverse.
//
// - Poettmann and Carpenter (Guo's form): one interval, no slip, per stb of
//   liquid (per Mscf on the gas basis), f = 4 * 10^(1.444 - 2.5 log10(D rho v)),
//   144 (p2 - p1) = rho_bar TVD + (k_bar / rho_bar) MD solved for p2 by Brent's
//   method to 1e-6 psi; at zero rate the static column of the liquid with the
//   gas segregated (k_bar = 0).
// - Average temperature and z (Guo's form): z_bar at the mean of the end
//   pressures and temperatures, iterated from the static estimate until p_wf
//   moves by less than 0.01 psi; friction constant 6.67e-4 (Q in Mscf/d) and,
//   for a horizontal well, its limit 2.50125e-5.
// - Cullender and Smith: two trapezoid halves, then Simpson's rule over the
//   whole well with the mid-depth pressure held, each by successive
//   substitution to 1e-6 psi; friction constant 0.6666 with Q in MMscf/d.
// Both gas methods take the fully rough friction factor and the gas rate of
// the fluid (all its gas) and z from the fluid; for injectors (flow down) the
// friction term changes sign.
#pragma once

#include "tubing/correlation.hpp"
#include "tubing/survey.hpp"
#include "tubing/traverse.hpp"
#include "tubing/tubing_fluid.hpp"

namespace dlv {

// One well for a whole-well method.
struct WholeWellCase {
  Correlation method = Correlation::kPoettmannCarpenter;
  double measured_length = 0.0;  // ft, wellhead to node
  double vertical_length = 0.0;  // ft, wellhead to node
  TemperatureProfile temperatures{};
  const TubingFluid* fluid = nullptr;
  double rate = 0.0;  // by the fluid's basis
  Pipe pipe{};
  FlowDirection flow = FlowDirection::kUp;
};

struct WholeWellOutcome {
  TraverseStatus status = TraverseStatus::kFailed;
  double node_pressure = 0.0;  // psia, when status is kOk
  WholeWellDetails details{};
};

// The node pressure from the wellhead pressure by the case's method (a point
// correlation gives kBadInput). Fluid evaluations go through the cache.
WholeWellOutcome whole_well_node_pressure(const WholeWellCase& well, double wellhead_pressure,
                                          FluidCache& cache);

}  // namespace dlv
