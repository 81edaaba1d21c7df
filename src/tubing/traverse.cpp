#include "tubing/traverse.hpp"

#include <cmath>
#include <numbers>

#include "numerics/root_finding.hpp"
#include "numerics/units.hpp"
#include "tubing/whole_well.hpp"

namespace dlv {

namespace {

constexpr double kLowestPressure = 14.7;      // psia: at or below, the well cannot lift
constexpr double kHighestPressure = 30000.0;  // psia: above, the march ran away
constexpr double kMinStep = 1.0;              // ft
constexpr double kStepSlack = 1e-9;           // relative, so 1 ft after a division is 1 ft
constexpr int kMaxIterations = 30;
constexpr int kSpreadsheetSteps = 29;
constexpr double kMaxNodeDepth = 100000.0;  // ft: deeper nodes are refused, so a march ends
constexpr long kMaxSteps = 1000000;
constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;

// Everything one march reads, and the fluid cache it fills.
struct March {
  const TraverseRequest& request;
  const WellPath& path;
  std::span<ProfileNode> profile;
  FluidCache cache{};
  Pipe pipe{};
  double flow_sign = 1.0;   // +1 upward flow, -1 downward
  double march_sign = 1.0;  // +1 against the flow (pressure rises along the march)
  // The flow angle of the last stretch, in degrees, kept while the sine is
  // the same.
  double angle_sine = std::nan("");
  double angle = 0.0;
  TraverseResult result{};
};

// -dp/dL along the flow at (p, T) on a stretch whose upward-flow sine is
// `sine`. Zero rate is the static column.
Gradient gradient_at(March& m, double p, double t, double sine) {
  Gradient g;
  const FluidState& s = cached_fluid(m.request.fluid, p, t, m.cache);
  if (!s.ok) {
    g.ok = false;
    return g;
  }
  // Rounding may put a vertical step's dTVD / dMD a little above 1.
  const double clamped = sine <= 1.0 ? (sine >= -1.0 ? sine : -1.0) : 1.0;  // NaN: 1, as fmin
  const double flow_sine = m.flow_sign * clamped;
  if (m.request.rate == 0.0) {
    const bool liquid = m.request.fluid.basis == RateBasis::kLiquid;
    const double rho = liquid ? s.liquid_density : s.gas_density;
    g.elevation = rho * flow_sine / 144.0;
    g.total = g.elevation;
    g.holdup = liquid ? 1.0 : 0.0;
    g.no_slip_holdup = g.holdup;
    g.mixture_density = rho;
    g.pattern = FlowPattern::kStatic;
    return g;
  }
  if (!(flow_sine == m.angle_sine)) {
    m.angle_sine = flow_sine;
    m.angle = std::asin(flow_sine) * kDegreesPerRadian;
  }
  const FlowPoint point = flow_point(s, m.request.rate, m.pipe, m.angle);
  g = point_gradient(m.request.correlation, point, m.request.options);
  if (!std::isfinite(g.total)) g.ok = false;
  return g;
}

void record(March& m, double md, double p, double t, const Gradient& g) {
  ProfileNode n;
  n.measured_depth = md;
  n.vertical_depth = m.path.vertical_depth_at(md);
  n.pressure = p;
  n.temperature = t;
  n.holdup = g.holdup;
  n.no_slip_holdup = g.no_slip_holdup;
  n.pattern = g.pattern;
  n.mixture_density = g.mixture_density;
  n.mixture_velocity = g.mixture_velocity;
  n.elevation = g.elevation;
  n.friction = g.friction;
  n.acceleration = g.acceleration;
  TraverseResult& r = m.result;
  if (r.nodes < m.profile.size()) {
    m.profile[r.nodes] = n;
    ++r.nodes;
  } else {
    r.profile_truncated = true;
  }
  ++r.nodes_needed;
  r.stop_measured_depth = md;
  r.stop_vertical_depth = n.vertical_depth;
}

enum class StepFailure { kNone, kPressure, kGradient };

struct Step {
  double dp = 0.0;
  StepFailure failure = StepFailure::kNone;
};

// One pressure-averaged step of length dl from (md, p) with the predictor g0.
Step try_step(March& m, double md, double p, double dl, double sine, double direction,
              const Gradient& g0) {
  Step st;
  if (!g0.ok) {
    st.failure = StepFailure::kGradient;
    return st;
  }
  const double s = m.march_sign;
  const double t_mid = temperature_at(m.path, m.request.temperatures, md + direction * dl / 2.0);
  const double tolerance = 1e-6 * p > 0.01 ? 1e-6 * p : 0.01;  // p is finite here
  double dp = s * g0.total * dl;
  for (int k = 0; k < kMaxIterations; ++k) {
    const double p_mid = p + dp / 2.0;
    if (!(p_mid > kLowestPressure)) {
      st.failure = StepFailure::kPressure;
      return st;
    }
    const Gradient g = gradient_at(m, p_mid, t_mid, sine);
    if (!g.ok) {
      st.failure = StepFailure::kGradient;
      return st;
    }
    const double next = s * g.total * dl;
    const bool done = std::fabs(next - dp) <= tolerance;
    dp = next;
    if (done) {
      st.dp = dp;
      if (!(p + dp > kLowestPressure)) st.failure = StepFailure::kPressure;
      return st;
    }
  }
  st.failure = StepFailure::kGradient;
  return st;
}

// Equal steps of at most h over length; h is at least 1 ft and the length at
// most the deepest node, so the count stays small.
long steps_for(double length, double h) {
  const double n = std::ceil(length / h - kStepSlack);
  return n < static_cast<double>(kMaxSteps) ? static_cast<long>(n) : kMaxSteps;
}

// Where the march stands: depth, pressure, temperature, and the gradient
// there (the next step's predictor).
struct Position {
  double md;
  double p;
  double t;
  Gradient g0;
};

// One segment of the path as the march crosses it.
struct Segment {
  std::size_t index;
  double sine;
  double end;  // measured depth where the march leaves it
  double direction;
  bool last;  // the path's last segment in the march's order
};

// Sets the status that ends the march after a step to p, if any.
bool stopped_after_step(TraverseResult& r, double p) {
  if (p > kHighestPressure) {
    r.status = TraverseStatus::kRunaway;
    return true;
  }
  if (r.steps > kMaxSteps) {
    r.status = TraverseStatus::kFailed;
    return true;
  }
  return false;
}

// What is left of a segment: its length and the steps it is to take.
struct SegmentSteps {
  double remaining;
  long left;
};

// Moves the march by a taken step of length dl and pressure change dp, and
// takes the gradient at the new node: the next step's predictor and the
// node's record. Returns false when the march stops (its status set).
bool advance(March& m, const Segment& seg, Position& at, SegmentSteps& steps, double dl,
             double dp) {
  TraverseResult& r = m.result;
  at.p += dp;
  --steps.left;
  steps.remaining = steps.left > 0 ? steps.remaining - dl : 0.0;
  at.md = steps.left > 0 ? at.md + seg.direction * dl : seg.end;
  at.t = temperature_at(m.path, m.request.temperatures, at.md);
  ++r.steps;
  if (stopped_after_step(r, at.p)) return false;
  // At a segment's end the gradient is taken at the next segment's angle,
  // at the last node at the arriving one.
  if (steps.left > 0 || seg.last) {
    at.g0 = gradient_at(m, at.p, at.t, seg.sine);
  } else {
    const std::size_t next_i = seg.direction > 0.0 ? seg.index + 1 : seg.index - 1;
    at.g0 = gradient_at(m, at.p, at.t, m.path.sine(next_i));
  }
  record(m, at.md, at.p, at.t, at.g0);
  return true;
}

// Crosses one segment in equal steps, halving them on failure and shortening
// them where the pressure would change too much. Returns false when the
// march stops (its status set).
bool march_segment(March& m, const Segment& seg, Position& at) {
  TraverseResult& r = m.result;
  SegmentSteps steps{.remaining = std::fabs(seg.end - at.md), .left = 0};
  steps.left = steps_for(steps.remaining, std::fmax(m.request.max_step, kMinStep));
  while (steps.left > 0) {
    const double dl = steps.remaining / static_cast<double>(steps.left);
    const bool at_floor = dl <= kMinStep * (1.0 + kStepSlack);
    const Step st = try_step(m, at.md, at.p, dl, seg.sine, seg.direction, at.g0);
    if (st.failure != StepFailure::kNone) {
      if (at_floor) {
        r.status = st.failure == StepFailure::kPressure ? TraverseStatus::kCannotLift
                                                        : TraverseStatus::kFailed;
        return false;
      }
      steps.left = steps_for(steps.remaining, std::fmax(dl / 2.0, kMinStep));
      continue;
    }
    const double limit = 0.02 * at.p > 50.0 ? 0.02 * at.p : 50.0;  // p is finite here
    if (std::fabs(st.dp) > limit && !at_floor) {
      steps.left = steps_for(steps.remaining, std::fmax(dl * limit / std::fabs(st.dp), kMinStep));
      continue;
    }
    if (!advance(m, seg, at, steps, dl, st.dp)) return false;
  }
  return true;
}

// Marches the path segment by segment. p: the start pressure.
void march(March& m, double p) {
  const TraverseRequest& req = m.request;
  const WellPath& path = m.path;
  const bool down = req.start == TraverseStart::kWellhead;
  const double direction = down ? 1.0 : -1.0;
  const std::size_t n = path.segment_count;
  Position at{.md = down ? 0.0 : path.node_depth(), .p = p, .t = 0.0, .g0 = {}};
  at.t = temperature_at(path, req.temperatures, at.md);
  for (std::size_t k = 0; k < n; ++k) {
    const std::size_t i = down ? k : n - 1 - k;
    const Segment seg{.index = i,
                      .sine = path.sine(i),
                      .end = down ? path.measured[i + 1] : path.measured[i],
                      .direction = direction,
                      .last = k + 1 == n};
    // The gradient at the node that starts the march: the predictor and the
    // node's record.
    if (k == 0) {
      at.g0 = gradient_at(m, at.p, at.t, seg.sine);
      record(m, at.md, at.p, at.t, at.g0);
    }
    if (!march_segment(m, seg, at)) return;
  }
  m.result.status = TraverseStatus::kOk;
  m.result.end_pressure = at.p;
}

// Guo's spreadsheet: 29 equal explicit steps over the whole measured depth,
// the gradient at each step's start, sin(theta) of the step.
void march_spreadsheet(March& m, double p) {
  const TraverseRequest& req = m.request;
  const WellPath& path = m.path;
  const bool down = req.start == TraverseStart::kWellhead;
  const double total = path.node_depth();
  const double dl = total / kSpreadsheetSteps;
  TraverseResult& r = m.result;
  auto depth = [&](int i) {
    const double from_head = total * static_cast<double>(i) / kSpreadsheetSteps;
    return down ? from_head : total - from_head;
  };
  auto step_sine = [&](int i) {
    const double a = std::fmin(depth(i), depth(i + 1));
    const double b = std::fmax(depth(i), depth(i + 1));
    return (path.vertical_depth_at(b) - path.vertical_depth_at(a)) / (b - a);
  };
  double md = depth(0);
  double t = temperature_at(path, req.temperatures, md);
  for (int i = 0; i < kSpreadsheetSteps; ++i) {
    const Gradient g = gradient_at(m, p, t, step_sine(i));
    record(m, md, p, t, g);
    if (!g.ok) {
      r.status = TraverseStatus::kFailed;
      return;
    }
    const double next = p + m.march_sign * g.total * dl;
    if (!(next > kLowestPressure)) {
      r.status = TraverseStatus::kCannotLift;
      return;
    }
    if (next > kHighestPressure) {
      r.status = TraverseStatus::kRunaway;
      return;
    }
    p = next;
    md = depth(i + 1);
    t = temperature_at(path, req.temperatures, md);
    ++r.steps;
  }
  record(m, md, p, t, gradient_at(m, p, t, step_sine(kSpreadsheetSteps - 1)));
  r.status = TraverseStatus::kOk;
  r.end_pressure = p;
}

// The whole-well methods: forward from the wellhead, or from the node by
// finding the wellhead pressure whose node pressure is the one given.
void whole_well(March& m, double p) {
  const TraverseRequest& req = m.request;
  const WellPath& path = m.path;
  WholeWellCase w;
  w.method = req.correlation;
  w.measured_length = path.node_depth();
  w.vertical_length = path.node_vertical_depth();
  w.temperatures = req.temperatures;
  w.fluid = &req.fluid;
  w.rate = req.rate;
  w.pipe = m.pipe;
  w.flow = req.flow;
  TraverseResult& r = m.result;
  double p_head = p;
  WholeWellOutcome o;
  if (req.start == TraverseStart::kWellhead) {
    o = whole_well_node_pressure(w, p_head, m.cache);
  } else {
    auto miss = [&](double head) {
      const WholeWellOutcome f = whole_well_node_pressure(w, head, m.cache);
      return f.status == TraverseStatus::kOk ? f.node_pressure - p : std::nan("");
    };
    const double low = miss(kLowestPressure);
    if (std::isfinite(low) && low > 0.0) {
      r.status = TraverseStatus::kCannotLift;
      r.stop_measured_depth = path.node_depth();
      r.stop_vertical_depth = path.node_vertical_depth();
      return;
    }
    // The upper end of the bracket: the node pressure itself for a producer,
    // doubled until the node pressure is passed (an injector's wellhead may
    // stand above its node).
    double high = p;
    double at_high = miss(high);
    while (std::isfinite(at_high) && at_high < 0.0 && high < kHighestPressure) {
      high = std::fmin(2.0 * high, kHighestPressure);
      at_high = miss(high);
    }
    const RootResult root = brent_root(miss, kLowestPressure, high, 1e-6);
    if (!root.converged) {
      r.status = TraverseStatus::kFailed;
      return;
    }
    p_head = root.root;
    o = whole_well_node_pressure(w, p_head, m.cache);
  }
  r.status = o.status;
  r.whole_well = o.details;
  if (o.status != TraverseStatus::kOk) return;
  r.steps = 1;
  const double p_node = o.node_pressure;
  // No point terms: the static pattern at zero rate, else the no-slip mixture
  // of Poettmann and Carpenter or the gas of the dry-gas methods.
  Gradient g;
  g.pattern = req.correlation == Correlation::kPoettmannCarpenter ? FlowPattern::kHomogeneous
                                                                  : FlowPattern::kGas;
  if (!(req.rate > 0.0)) g.pattern = FlowPattern::kStatic;
  const bool down = req.start == TraverseStart::kWellhead;
  const double node_md = path.node_depth();
  const TemperatureProfile& temps = req.temperatures;
  if (down) {
    record(m, 0.0, p_head, temps.wellhead, g);
    record(m, node_md, p_node, temps.node, g);
    r.end_pressure = p_node;
  } else {
    record(m, node_md, p_node, temps.node, g);
    record(m, 0.0, p_head, temps.wellhead, g);
    r.end_pressure = p_head;
  }
}

bool finite_positive(double x) { return std::isfinite(x) && x > 0.0; }

}  // namespace

TraverseResult traverse(const TraverseRequest& request, std::span<ProfileNode> profile) {
  TraverseResult bad;
  bad.status = TraverseStatus::kBadInput;
  const TubingGeometry& geo = request.geometry;
  const TemperatureProfile& temps = request.temperatures;
  if (!finite_positive(geo.inside_diameter) || !std::isfinite(geo.roughness) ||
      geo.roughness < 0.0 || !std::isfinite(request.rate) || request.rate < 0.0 ||
      !std::isfinite(request.start_pressure) || !(temps.wellhead > -kRankineOffset) ||
      !(temps.node > -kRankineOffset) || !std::isfinite(temps.wellhead) ||
      !std::isfinite(temps.node) || !finite_positive(request.max_step) ||
      !(geo.node_depth <= kMaxNodeDepth)) {
    return bad;
  }
  WellPath path;
  const PathError error = build_path(geo.node_depth, geo.inclination, geo.survey, path);
  if (error != PathError::kNone) {
    bad.status = TraverseStatus::kBadPath;
    bad.path_error = error;
    return bad;
  }
  March m{request, path, profile};
  m.pipe = Pipe{geo.inside_diameter, geo.roughness};
  m.flow_sign = request.flow == FlowDirection::kUp ? 1.0 : -1.0;
  const bool down = request.start == TraverseStart::kWellhead;
  m.march_sign = down == (request.flow == FlowDirection::kUp) ? 1.0 : -1.0;
  const double p = request.start_pressure;
  if (!(p > kLowestPressure)) {
    m.result.status = TraverseStatus::kCannotLift;
    m.result.stop_measured_depth = down ? 0.0 : path.node_depth();
    m.result.stop_vertical_depth = down ? 0.0 : path.node_vertical_depth();
    return m.result;
  }
  if (p > kHighestPressure) return bad;

  if (!is_point_correlation(request.correlation)) {
    whole_well(m, p);
  } else if (request.correlation == Correlation::kHagedornBrownOriginal) {
    march_spreadsheet(m, p);
  } else {
    march(m, p);
  }
  m.result.fluid_evaluations = m.cache.evaluations;
  if (m.result.status != TraverseStatus::kOk) m.result.end_pressure = 0.0;
  return m.result;
}

}  // namespace dlv
