// Referral of the layer curves to the reference depth by a correlation of the
// tubing room, the alternative to the traverse library that a well file may
// name. The exported functions never reach it: their blocks have no field that
// chooses it, so every host keeps the traverse library's model.
#pragma once

#include "blocks/blocks.hpp"
#include "tubing/correlation.hpp"

namespace dlv {

// The tubing between a layer and the reference depth. Its defaults are those
// of the traverse library's record left at zero: 2.441 in inside diameter,
// 0.0006 in roughness, 80 F at the surface rising 0.015 F per ft; so a named
// correlation changes the model of the flow and the fluid, not the pipe.
struct CouplingTubing {
  Correlation correlation = Correlation::kNoSlip;
  double inside_diameter = 2.441;       // in
  double roughness = 0.0006;            // in
  double surface_temperature = 80.0;    // degrees F at depth 0
  double temperature_gradient = 0.015;  // degrees F per ft of depth
};

// The well's fluid description that the tubing evaluates, layer by layer.
struct ReferralFluids {
  LayerFluids fluids;
  FluidTables tables;
  SeparatorConditions separator;
  CalcMode mode = CalcMode::kOilProduction;
};

// The same referral as refer_curves_to_reference_depth, point by point and
// with its rules for failed points and rising pressures, but each point's
// pressure at the reference depth comes from the tubing room's traverse of
// the layer's own fluid (the "well" model) at the point's rate.
void refer_curves_by_tubing(const CouplingTubing& tubing, const ReferralFluids& fluids,
                            WellRecord well, CurveTables traverse_curves, CurveTables layer_curves);

}  // namespace dlv
