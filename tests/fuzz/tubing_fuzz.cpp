// libFuzzer target over the tubing room's entry points and the named layer's solvers that
// stand on it: the point gradient of every correlation, the traverse with fuzzed requests
// (path, survey, temperatures, fluid models and given values, rate, start pressure and end,
// flow direction, step) into a caller-owned profile of fuzzed capacity, the traverse
// coupling's referral by a tubing correlation, the operating-point solver and the lift-table
// writer. Every value is drawn from its plausible range or, often, replaced by NaN, an
// infinity, zero, a negative or an extreme. Arrays have their exact sizes so that the
// sanitizers see any access beyond them. After each call it checks that the result is
// finite where it claims to be computed, or flagged.
#include <cmath>
#include <nlohmann/json.hpp>
#include <optional>
#include <stdexcept>
#include <vector>

#include "blocks/blocks.hpp"
#include "composite/tubing_referral.hpp"
#include "dlv/dlv.h"
#include "dlv/dlv_layout.h"
#include "fuzz_support.hpp"
#include "tubing/correlation.hpp"
#include "tubing/survey.hpp"
#include "tubing/traverse.hpp"
#include "tubing/tubing_fluid.hpp"
#include "wellfile/operating_point.hpp"
#include "wellfile/vfp_table.hpp"

namespace {

using dlv::Correlation;
namespace wf = dlv::wellfile;

// Bounds on the work of one input: the harness's guards, not the library's.
constexpr std::size_t kMaxStations = 300;      // a path holds 256 segments: some inputs exceed it
constexpr std::size_t kMaxProfileNodes = 600;  // profile capacity
constexpr double kMaxStepsPerInput = 20000;    // node depth / max step
constexpr std::size_t kMaxCurvePoints = 40;    // inflow curve points
constexpr std::size_t kMaxAxis = 6;            // entries per lift-table axis

using fuzz_support::all_finite;
using fuzz_support::fault;
using fuzz_support::value;

Correlation any_correlation(FuzzedDataProvider& in) {
  return static_cast<Correlation>(
      in.ConsumeIntegralInRange(0, static_cast<int>(Correlation::kCullenderSmith)));
}

void check_gradient(const dlv::Gradient& g) {
  if (g.ok) {
    if (!all_finite({g.total, g.elevation, g.friction, g.acceleration, g.holdup, g.no_slip_holdup}))
      fault("a gradient flagged ok has a term that is not finite");
  } else if (g.total != 0.0) {
    fault("a failed gradient has a total other than 0");
  }
}

void point_gradients(FuzzedDataProvider& in) {
  using P = dlv::FlowPoint;
  static constexpr fuzz_support::Range<P> kFields[] = {// clang-format off
      {&P::superficial_liquid_velocity, 0, 50}, {&P::superficial_gas_velocity, 0, 200},
      {&P::liquid_density, 30, 80}, {&P::gas_density, 0, 30}, {&P::liquid_viscosity, 0.1, 100},
      {&P::gas_viscosity, 0.005, 0.05}, {&P::surface_tension, 0, 80},
      {&P::inside_diameter, 0.5, 8}, {&P::roughness, 0, 0.01}, {&P::inclination, -90, 90},
      {&P::pressure, 14.7, 10000}};
  // clang-format on
  P p;
  for (const auto& f : kFields) p.*f.field = value(in, f.lo, f.hi);
  p.mass_rate = in.ConsumeBool() ? 0.0 : value(in, 0, 1e7);
  dlv::GradientOptions options;
  options.payne = in.ConsumeBool();
  for (int c = 0; c <= static_cast<int>(Correlation::kCullenderSmith); ++c)
    check_gradient(dlv::point_gradient(static_cast<Correlation>(c), p, options));
}

// A fluid block, tables and separator of exact sizes (a vector built with its size holds no
// more), zero but for a few fuzzed slots and bytes (correlation codes, table flags and values).
struct FluidBlocks {
  std::vector<double> fluids = std::vector<double>(DLV_LAYER_FLUIDS_SLOTS),
                      tables = std::vector<double>(DLV_FLUID_TABLES_SLOTS),
                      separator = std::vector<double>(DLV_SEPARATOR_SLOTS);
  void fuzz(FuzzedDataProvider& in) {
    fuzz_support::overrides(in, {fluids, tables, separator}, 12);
  }
};

dlv::TubingFluid fuzz_fluid(FuzzedDataProvider& in, FluidBlocks& blocks) {
  using F = dlv::TubingFluid;
  // Each value in its range; the last four, often, 0 for "the correlation's".
  static constexpr fuzz_support::Range<F> kFields[] = {
      // clang-format off
      {&F::api_gravity, 8, 60}, {&F::gas_sg, 0.55, 1.5}, {&F::water_sg, 1.0, 1.2},
      {&F::water_cut, 0, 1}, {&F::gas_liquid_ratio, 0, 20000}, {&F::liquid_yield, 0, 500},
      {&F::water_fvf, 1, 1.1}, {&F::oil_viscosity, 0.1, 100}, {&F::water_viscosity, 0.2, 2},
      {&F::surface_tension, 1, 80}};
  // clang-format on
  F f;
  f.model = static_cast<dlv::TubingFluidModel>(in.ConsumeIntegralInRange(0, 3));
  f.basis = in.ConsumeBool() ? dlv::RateBasis::kGas : dlv::RateBasis::kLiquid;
  for (std::size_t k = 0; k < std::size(kFields); ++k)
    f.*kFields[k].field =
        k >= 6 && in.ConsumeBool() ? 0.0 : value(in, kFields[k].lo, kFields[k].hi);
  if (in.ConsumeBool()) {
    blocks.fuzz(in);
    f.well = dlv::WellCorrelations{dlv::LayerFluids{blocks.fluids.data()},
                                   dlv::FluidTables{blocks.tables.data()},
                                   dlv::SeparatorConditions{blocks.separator.data()},
                                   in.ConsumeIntegralInRange(0, DLV_LAYERS - 1)};
  }
  return f;
}

void check_traverse(const dlv::TraverseResult& r, std::span<const dlv::ProfileNode> profile) {
  if (r.nodes > profile.size()) fault("the traverse wrote more nodes than the profile holds");
  if (r.nodes_needed < r.nodes) fault("fewer nodes needed than written");
  if (r.profile_truncated != (r.nodes_needed > profile.size()))
    fault("the truncation flag disagrees with the profile's capacity");
  if (r.status == dlv::TraverseStatus::kOk &&
      !(std::isfinite(r.end_pressure) && r.end_pressure > 0.0 && r.end_pressure <= 30000.0))
    fault("a traverse flagged ok has an end pressure that is not a finite pressure");
  for (std::size_t i = 0; i < r.nodes; ++i) {
    const dlv::ProfileNode& n = profile[i];
    if (!all_finite({n.pressure, n.measured_depth, n.vertical_depth, n.temperature}))
      fault("a profile node is not finite");
  }
}

void traverses(FuzzedDataProvider& in) {
  const std::size_t stations =
      in.ConsumeBool() ? 0 : in.ConsumeIntegralInRange<std::size_t>(0, kMaxStations);
  std::vector<dlv::SurveyStation> survey(stations);
  double md = 0.0, tvd = 0.0;
  for (std::size_t i = 0; i < stations; ++i) {
    // Mostly a plausible survey (depths increasing, TVD below MD), sometimes not.
    md += value(in, 1, 2000);
    tvd += value(in, 0, 1) * (in.ConsumeBool() ? md - tvd : 1000.0);
    survey[i] = {md, tvd};
  }

  FluidBlocks blocks;
  dlv::TraverseRequest r;
  r.correlation = any_correlation(in);
  r.options.payne = in.ConsumeBool();
  r.geometry.node_depth = value(in, 0, 30000);
  r.geometry.inside_diameter = value(in, 0.5, 8);
  r.geometry.roughness = value(in, 0, 0.01);
  r.geometry.inclination = value(in, 0, 90);
  r.geometry.survey = survey;
  r.temperatures = {value(in, 30, 200), value(in, 60, 400)};
  r.fluid = fuzz_fluid(in, blocks);
  r.rate = value(in, 0, 50000);
  r.start_pressure = value(in, 14.7, 10000);
  r.start = in.ConsumeBool() ? dlv::TraverseStart::kNode : dlv::TraverseStart::kWellhead;
  r.flow = in.ConsumeBool() ? dlv::FlowDirection::kDown : dlv::FlowDirection::kUp;
  r.max_step = value(in, 1, 1000);
  // Bounded work: no more than kMaxStepsPerInput planned steps.
  if (all_finite({r.geometry.node_depth, r.max_step}) && r.max_step > 0 &&
      std::fabs(r.geometry.node_depth) / r.max_step > kMaxStepsPerInput)
    r.max_step = std::fabs(r.geometry.node_depth) / kMaxStepsPerInput;

  std::vector<dlv::ProfileNode> profile(
      in.ConsumeIntegralInRange<std::size_t>(0, kMaxProfileNodes));
  check_traverse(dlv::traverse(r, profile), profile);
}

void referrals(FuzzedDataProvider& in) {
  FluidBlocks fluids;
  fluids.fuzz(in);
  std::vector<double> well_block(DLV_WELL_RECORD_SLOTS), traverse_block(DLV_CURVE_BLOCK_SLOTS),
      layer_block(DLV_CURVE_BLOCK_SLOTS);
  const dlv::WellRecord well{well_block.data()};
  // At most three layers, within 600 ft of the reference depth: every point of every layer is
  // a traverse over the distance between the two.
  fuzz_support::put_i32(well_block, DLV_WELL_RECORD_LAYER_COUNT_BYTE,
                        in.ConsumeIntegralInRange(-1, 3));
  well.reference_depth() = value(in, 0, 12000);
  const dlv::CurveTables traverse_curves{traverse_block.data()}, layer_curves{layer_block.data()};
  const dlv::LayerFluids lf{fluids.fluids.data()};
  for (int L = 0; L < 3; ++L) {
    well.layer_depth()[L] = well.reference_depth() + value(in, -600, 600);
    lf.api_gravity()[L] = value(in, 8, 60);
    lf.gas_sg()[L] = value(in, 0.55, 1.5);
    lf.water_cut()[L] = value(in, 0, 1);
    lf.producing_gor()[L] = value(in, 0, 5000);
    lf.liquid_yield()[L] = value(in, 0, 300);
    double q = 0.0, p = value(in, 0, 6000);
    for (int i = 0; i < DLV_POINTS; ++i) {
      traverse_curves.rate(L)[i] = q;
      traverse_curves.pressure(L)[i] = p;
      q += value(in, 0, 500);
      p -= value(in, 0, 300);
    }
  }
  dlv::CouplingTubing tubing;
  tubing.correlation = any_correlation(in);
  tubing.inside_diameter = value(in, 1, 6);
  const dlv::ReferralFluids rf{lf, dlv::FluidTables{fluids.tables.data()},
                               dlv::SeparatorConditions{fluids.separator.data()},
                               static_cast<dlv::CalcMode>(in.ConsumeIntegralInRange(0, 3))};
  dlv::refer_curves_by_tubing(tubing, rf, well, traverse_curves, layer_curves);
}

void operating_points(FuzzedDataProvider& in) {
  wf::NodalProblem problem;
  const std::size_t n = in.ConsumeIntegralInRange<std::size_t>(0, kMaxCurvePoints);
  double q = 0.0, p = value(in, 0, 6000);
  for (std::size_t i = 0; i < n; ++i) {
    problem.inflow.rate.push_back(q);
    problem.inflow.pressure.push_back(p);
    q += value(in, 0, 1000);
    p -= value(in, -50, 500);
  }
  if (in.ConsumeBool() && n > 0) problem.inflow.pressure.pop_back();  // columns of unequal length
  // The tubing: a quadratic in the rate, failing at some rates.
  const double a = value(in, 0, 4000), b = value(in, -1, 1), c = value(in, 0, 1e-3);
  const double fails_above = value(in, 0, 20000);
  const bool nan_instead = in.ConsumeBool();
  problem.outflow = [=](double rate) -> std::optional<double> {
    if (!(rate > fails_above)) return a + b * rate + c * rate * rate;
    return nan_instead ? std::optional(std::numeric_limits<double>::quiet_NaN()) : std::nullopt;
  };
  problem.wellhead_pressure = value(in, 0, 3000);
  problem.direction =
      in.ConsumeBool() ? wf::WellDirection::injection : wf::WellDirection::production;
  const wf::OperatingPoint point = wf::solve_operating_point(problem);
  if (point.flows) {
    const double largest = problem.inflow.rate.empty() ? 0.0 : problem.inflow.rate.back();
    if (!(std::isfinite(point.rate) && point.rate >= 0.0 && point.rate <= largest))
      fault("an operating point that flows has a rate outside the inflow curve");
  }
  (void)wf::operating_point_json(point, "STB/d").dump();
}

std::vector<double> axis(FuzzedDataProvider& in, double lo, double hi, std::size_t least) {
  std::vector<double> v(in.ConsumeIntegralInRange<std::size_t>(least, kMaxAxis));
  double x = value(in, lo, hi);
  for (double& e : v) {
    e = x;
    x += value(in, 0, (hi - lo) / 4);
  }
  return v;
}

void lift_tables(FuzzedDataProvider& in) {
  wf::VfpTable t;
  t.kind = in.ConsumeBool() ? wf::VfpKind::injection : wf::VfpKind::production;
  t.table_number = in.ConsumeIntegralInRange(-2, 10001);
  t.datum_depth = value(in, 0, 20000);
  t.flo = static_cast<wf::VfpFlo>(in.ConsumeIntegralInRange(0, 3));
  t.wfr = static_cast<wf::VfpWfr>(in.ConsumeIntegralInRange(0, 2));
  t.gfr = static_cast<wf::VfpGfr>(in.ConsumeIntegralInRange(0, 2));
  t.alq = static_cast<wf::VfpAlq>(in.ConsumeIntegralInRange(0, 3));
  t.units = in.ConsumeBool() ? wf::VfpUnits::metric : wf::VfpUnits::field;
  t.axes.flo = axis(in, 0, 10000, 0);
  t.axes.thp = axis(in, 14.7, 3000, 0);
  if (t.kind == wf::VfpKind::production || in.ConsumeBool()) {
    t.axes.wfr = axis(in, 0, 1, 0);
    t.axes.gfr = axis(in, 0, 5, 0);
    t.axes.alq = axis(in, 0, 1000, 0);
  }
  if (!wf::validate_vfp_table(t).empty()) {
    // An invalid table writes no deck text: it says so.
    try {
      (void)wf::vfp_deck_text(t);
      fault("an invalid lift table was written as deck text");
    } catch (const std::invalid_argument&) {
    }
    return;
  }
  const double base = value(in, 0, 5000), per_rate = value(in, -1, 1);
  const double fails_above = value(in, 0, 20000);
  const wf::VfpFillResult filled = wf::fill_vfp_table(
      t, [=](double flo, double thp, double, double, double) -> std::optional<double> {
        if (flo > fails_above) return std::nullopt;
        return base + thp + per_rate * flo;
      });
  if (filled.problems.empty()) {
    for (double p : t.bhp)
      if (!std::isfinite(p)) fault("a filled lift table holds a pressure that is not finite");
    (void)wf::vfp_deck_text(t);
  }
  (void)wf::vfp_surface_rates(t, t.axes.flo.front(), t.axes.wfr.empty() ? 0 : t.axes.wfr.front(),
                              t.axes.gfr.empty() ? 0 : t.axes.gfr.front(),
                              t.axes.alq.empty() ? 0 : t.axes.alq.front());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static constexpr void (*kEntries[])(FuzzedDataProvider&) = {
      point_gradients, traverses, operating_points, referrals, lift_tables};
  FuzzedDataProvider in(data, size);
  kEntries[in.ConsumeIntegralInRange<std::size_t>(0, std::size(kEntries) - 1)](in);
  return 0;
}
