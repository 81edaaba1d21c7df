// Composite curve of a well of two or more layers: the layer curves are
// summed on one common 25-point pressure grid (a layer whose reservoir
// pressure lies below the wellbore pressure takes fluid and counts
// negative), every layer curve in force is rewritten onto that grid, and the
// fluid mix of the commingled stream is derived point by point.
//
// Both routines take the curves in force (rate and pressure tables rewritten,
// drawdown table left alone), the layer fluid block (water_sg per layer), the
// per-layer water cuts, the per-layer producing gas/oil ratios (liquid) or
// liquid yields in barrels per million standard cubic feet (gas), the layer
// count, and the well summary whose pressure, rate, water cut, gas/liquid and
// water gravity columns they write (the drawdowns are left alone).
#pragma once

#include <cstdint>

#include "blocks/blocks.hpp"

namespace dlv {

// Oil production and water injection: water cut, gas/oil ratio and water
// specific gravity of the stream.
void composite_liquid_curve(CurveTables curves, LayerFluids fluids, const double* water_cut,
                            const double* producing_gor, const std::int32_t& layer_count,
                            WellSummary summary);

// Gas production and gas injection: water cut of the produced liquid,
// liquid/gas ratio in barrels per thousand standard cubic feet, and water
// specific gravity (point 0 of the last column is not written).
void composite_gas_curve(CurveTables curves, LayerFluids fluids, const double* water_cut,
                         const double* liquid_yield, const std::int32_t& layer_count,
                         WellSummary summary);

}  // namespace dlv
