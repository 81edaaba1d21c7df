#include "composite/traverse_coupling.hpp"

#include <cstdint>
#include <cstring>

#include "numerics/units.hpp"
#include "platform/scratch_memory.hpp"
#include "platform/traverse_library.hpp"
#include "ptrav.h"

namespace dlv {

namespace {

constexpr int kPoints = layout::kPoints;
constexpr int kLastPoint = layout::kLastPoint;

// The traverse library reads the record at its own offsets; both names of
// every shared field must agree.
namespace tl = layout::traverse;
static_assert(tl::record_bytes == PTRAV_RECORD_BYTES);
static_assert(tl::first_rate == PTRAV_RATE_1);
static_assert(tl::second_rate == PTRAV_RATE_2);
static_assert(tl::water_cut_percent == PTRAV_WATER_CUT);
static_assert(tl::gas_oil_ratio == PTRAV_GAS_OIL_RATIO);
static_assert(tl::start_pressure == PTRAV_START_PRESSURE);
static_assert(tl::depth_setup_value == PTRAV_SHALLOW_DEPTH);
static_assert(tl::record_type == PTRAV_RECORD_TYPE);
static_assert(tl::segment_count == PTRAV_SEGMENT_COUNT);
static_assert(tl::direction_flag == PTRAV_DIRECTION);
static_assert(tl::segment_flags == PTRAV_SEGMENT_FLAGS);
static_assert(kRankineOffset == PTRAV_RANKINE_OFFSET);

// The water column of an injection tubing: its inside diameter (inches), the
// water's specific gravity and viscosity (cp), the water phase, and downward
// flow.
constexpr double kInjectionTubingDiameter = 2.441;
constexpr double kInjectedWaterSg = 1.0;
constexpr double kInjectedWaterViscosity = 0.7;
constexpr std::int32_t kWaterPhase = 1;
constexpr std::int32_t kDownwardFlow = -1;

// Traverse results that mark a failed traverse.
constexpr double kColumnEmpty = 14.7;
constexpr double kTraverseFailed = 99999.0;
static_assert(kColumnEmpty == PTRAV_COLUMN_EMPTY && kTraverseFailed == PTRAV_FAILED);

// The segment flags run from their offset to the end of the record; a
// segment count outside 1..kMaxSegments (a library that breaks its contract)
// is held to that range so that the flag writes stay inside the record.
constexpr int kMaxSegments =
    static_cast<int>((layout::traverse::record_bytes - layout::traverse::segment_flags) / 4);

int last_segment(const TraverseRecord& record) {
  const std::int32_t n = record.segment_count();
  if (n < 1) return 0;
  if (n > kMaxSegments) return kMaxSegments - 1;
  return n - 1;
}

// The working record's depth set-up for a layer at depth z referred to the
// reference depth zr, and the flags of its first and last segment.
void set_up_depths(const platform::TraverseEntryPoints& ptrav, const TraverseRecord& record,
                   double z, double zr) {
  // A depth that is not a number takes neither branch: the working record
  // keeps the template's depth set-up and the traverse runs on it.
  if (z <= zr) {
    ptrav.setup_deep(record.base, zr);
    ptrav.setup_shallow(record.base, z);
    record.set_direction_flag(0);
    record.set_segment_flag(last_segment(record), 1);
  }
  if (z > zr) {
    record.set_direction_flag(1);
    ptrav.setup_deep(record.base, z);
    ptrav.setup_shallow(record.base, zr);
    record.set_segment_flag(last_segment(record), record.depth_setup_value() <= 0.0 ? 1 : 0);
  }
  record.set_segment_flag(0, record.segment_flag(last_segment(record)));
}

// The rates and fluid ratios of layer L at a point of rate `rate` into the
// working record (record types 1 and 3 take the rate second and the liquid
// yield first).
void set_point_rates(const TraverseRecord& record, const LayerFluids& fluids, int L, double rate) {
  const std::int32_t type = record.record_type();
  if (type == 1 || type == 3) {
    record.set_second_rate(rate);
    record.set_first_rate(fluids.liquid_yield()[L]);
  } else {
    record.set_first_rate(rate);
    record.set_gas_oil_ratio(fluids.producing_gor()[L]);
  }
  record.set_water_cut_percent(fluids.water_cut()[L] * 100.0);
}

}  // namespace

void refer_curves_to_reference_depth(WellRecord well, LayerFluids fluids,
                                     TraverseRecord traverse_block, CurveTables traverse_curves,
                                     CurveTables layer_curves) {
  using platform::ScratchBlock;
  ScratchBlock blocks[4] = {platform::acquire_scratch(tl::record_bytes),
                            platform::acquire_scratch(tl::scratch_a_bytes),
                            platform::acquire_scratch(tl::scratch_b_bytes),
                            platform::acquire_scratch(tl::scratch_c_bytes)};
  bool obtained = true;
  for (const ScratchBlock& b : blocks) obtained = obtained && b.data != nullptr;
  // Without its scratch memory the coupling leaves every block as it was.
  // No input leads here: only an allocator that refuses these four blocks
  // of fixed size does, and no test starves the allocator.
  if (!obtained) {
    for (ScratchBlock& b : blocks) platform::release_scratch(b);
    return;
  }
  char text[tl::text_buffer_bytes] = {};
  text[0] = '\0';
  traverse_block.set_template_reset(0);

  const platform::TraverseEntryPoints& ptrav = platform::traverse_library();
  const TraverseRecord record{blocks[0].data};
  const int n = layers(well);
  const double zr = well.reference_depth();

  for (int L = 0; L < n; ++L) {
    std::memcpy(record.base, traverse_block.base, tl::record_bytes);
    set_up_depths(ptrav, record, well.layer_depth()[L], zr);

    const ReferredLayer c = referred_layer(traverse_curves, layer_curves, L);
    const double* t_rate = c.t_rate;
    const double* t_pressure = c.t_pressure;

    for (int i = 0; i < kPoints; ++i) {
      set_point_rates(record, fluids, L, t_rate[i] == 0.0 ? 10.0 : t_rate[i]);
      const double start = t_pressure[i];
      record.set_start_pressure(start);

      double result = 0.0;
      if (start > 0.0) {
        ptrav.traverse(record.base, &result, blocks[1].data, blocks[2].data, blocks[3].data, 0,
                       text);
      }
      store_referred_point(c, i, start, result,
                           result != kColumnEmpty && result != kTraverseFailed);
    }
    keep_referred_pressures_falling(c);
  }

  for (ScratchBlock& b : blocks) platform::release_scratch(b);
}

void apply_injection_traverse(TraverseRecord traverse_block, WellRecord well,
                              CurveTables destination, CurveTables source) {
  const platform::TraverseEntryPoints& ptrav = platform::traverse_library();
  std::int32_t status = 1;  // handed to every tubing call of this run, not reset
  const int n = layers(well);
  for (int L = 0; L < n; ++L) {
    const double v = well.injection_traverse_depth()[L];
    if (v <= -1.0) continue;
    double* s_rate = source.rate(L).data();
    const double* s_pressure = source.pressure(L).data();
    double* d_pressure = destination.pressure(L).data();
    if (v > 0.0) {
      for (int i = 0; i < kPoints; ++i) {
        traverse_block.set_first_rate(s_rate[i]);
        double change = 0.0;
        ptrav.injection_change(traverse_block.base, 0.0, v, kInjectionTubingDiameter,
                               kInjectedWaterSg, kRankineOffset, kInjectedWaterViscosity,
                               kWaterPhase, kDownwardFlow, s_pressure[i], &change, &status);
        d_pressure[i] = s_pressure[i] + change;
      }
    } else {
      // A depth in (-1, 0] (or not a number) asks for no tubing: the layer's
      // source rates become 0 and its pressures carry over unchanged.
      for (int i = 0; i < kPoints; ++i) {
        s_rate[i] = 0.0;
        d_pressure[i] = s_pressure[i];
      }
    }
  }
}

ReferredLayer referred_layer(CurveTables traverse_curves, CurveTables layer_curves, int layer) {
  return {traverse_curves.rate(layer).data(),     traverse_curves.pressure(layer).data(),
          traverse_curves.drawdown(layer).data(), layer_curves.rate(layer).data(),
          layer_curves.pressure(layer).data(),    layer_curves.drawdown(layer).data()};
}

void store_referred_point(const ReferredLayer& c, int i, double start, double result,
                          bool referred) {
  if (i == 0 || referred) {
    c.t_drawdown[i] = start - result;
    c.l_drawdown[i] = start - result;
    c.l_pressure[i] = result;
  } else {
    c.l_rate[i] = c.t_rate[i - 1];
    c.l_pressure[i] = 0.0;
    c.l_drawdown[i] = 0.0;
    c.t_drawdown[i] = c.t_pressure[i];
  }
}

void keep_referred_pressures_falling(const ReferredLayer& c) {
  const double step = c.l_pressure[0] / 50.0;
  for (int i = 1; i < kLastPoint; ++i) {
    if (c.l_pressure[i] > c.l_pressure[i - 1]) c.l_pressure[i] = c.l_pressure[i - 1] - step;
  }
}

}  // namespace dlv
