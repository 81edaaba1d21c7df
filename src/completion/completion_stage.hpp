// The completion stage: every layer curve of layer_curves after the pressure
// loss of the well's completion, written to completion_curves (rate,
// pressure after the loss, and the loss itself in place of the drawdown).
#pragma once

#include <cstdint>

#include "blocks/blocks.hpp"
#include "numerics/curve_arguments.hpp"

namespace dlv {

// completion_model 0 returns at once and writes nothing. Otherwise, for each
// layer below layer_count (held inside 0..50): the non-positive
// gravel_permeability, perforated_interval and perforation_diameter of the
// layer are replaced by 0.01, 0.1 and 0.001 in the block (whatever the
// model), the loss model selected by completion_model (1, 2, 3) and calc_mode
// (0, 2 liquid; 1, 3 gas) runs, and the layer's completed curve is written.
// Production curves are resampled at the loss table's rates and lose the
// loss; injection curves keep their own rates and gain it.
//
// A completion_model or calc_mode outside 0..3 has no loss model: the layer's
// curve is then written unchanged with a loss of 0 at every point.
//
// The pseudo-pressure table pp is read by the gas models only.
void apply_completion_losses(CompletionBlock completion_block, CurveTables layer_curves,
                             WellRecord well_record, const std::int32_t& calc_mode,
                             CurveTables completion_curves, LayerFluids layer_fluids,
                             PseudoPressures pp);

}  // namespace dlv
