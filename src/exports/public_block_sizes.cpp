// The block sizes that the public header gives hosts are the sizes of the
// block layout the library works with.
#include "blocks/block_layout.hpp"
#include "dlv/dlv.h"

namespace dlv::layout {

static_assert(DLV_LAYERS == kLayers);
static_assert(DLV_POINTS == kPoints);
static_assert(DLV_LAYER_FLUIDS_SLOTS == fluids::min_slots);
static_assert(DLV_FLUID_TABLES_SLOTS * sizeof(double) == tables::total_bytes);
static_assert(DLV_FLUID_TABLES_SLOTS > tables::use_flags);
static_assert(DLV_SEPARATOR_SLOTS == separator::temperature + 1);
static_assert(DLV_CURVE_BLOCK_SLOTS == curves::total_slots);
static_assert(DLV_CURVE_BLOCK_SLOTS == 3 * DLV_LAYERS * DLV_POINTS);
static_assert(DLV_WELL_RECORD_SLOTS == well::min_slots);
static_assert(DLV_COMPLETION_SLOTS == completion::min_slots);
static_assert(DLV_TRAVERSE_SLOTS * sizeof(double) == traverse::record_bytes);
static_assert(DLV_WELL_SUMMARY_SLOTS == summary::total_slots);
static_assert(DLV_LAYER_RESULTS_SLOTS == results::total_slots);

}  // namespace dlv::layout
