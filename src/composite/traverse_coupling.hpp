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

// One layer's curves as a referral reads and writes them: the traverse curve
// it starts from and the layer curve it refers.
struct ReferredLayer {
  double* t_rate;
  double* t_pressure;
  double* t_drawdown;
  double* l_rate;
  double* l_pressure;
  double* l_drawdown;
};
ReferredLayer referred_layer(CurveTables traverse_curves, CurveTables layer_curves, int layer);

// Writes point i of a referred layer: the referred pressure `result` when the
// traverse gave one (point 0 always takes it); otherwise the curve ends there
// at the previous point's rate.
void store_referred_point(const ReferredLayer& c, int i, double start, double result,
                          bool referred);

// Referred pressures must fall with the index: a rise is pushed below the
// previous point by one fiftieth of the pressure at point 0.
void keep_referred_pressures_falling(const ReferredLayer& c);

// Water injection: adds to every point's pressure of the source curves the
// pressure change of an injection tubing over the layer's
// injection_traverse_depth at the point's rate, into the destination curves
// (which may be the source curves themselves).
void apply_injection_traverse(TraverseRecord traverse_block, WellRecord well,
                              CurveTables destination, CurveTables source);

}  // namespace dlv
