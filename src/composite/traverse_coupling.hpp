// Coupling of the layer curves to the pressure-traverse library: referral of
// every layer curve to a common reference depth, and the tubing correction
// of water-injection curves.
#pragma once

#include "blocks/blocks.hpp"

namespace dlv {

// For every point of every layer asks the traverse library for the pressure
// at reference_depth given the point's pressure (from traverse_curves) and
// the layer's rates and fluid ratios, and writes it into layer_curves with
// the drawdowns of both tables. The template traverse_block is copied for
// each layer; its int32 at the reset offset is set to 0.
void refer_curves_to_reference_depth(WellRecord well, LayerFluids fluids,
                                     TraverseRecord traverse_block, CurveTables traverse_curves,
                                     CurveTables layer_curves);

// Water injection: adds to every point's pressure of the source curves the
// pressure change of an injection tubing over the layer's
// injection_traverse_depth at the point's rate, into the destination curves
// (which may be the source curves themselves).
void apply_injection_traverse(TraverseRecord traverse_block, WellRecord well,
                              CurveTables destination, CurveTables source);

}  // namespace dlv
