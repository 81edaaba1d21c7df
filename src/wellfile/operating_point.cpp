// The operating point: a grid search of the residual between the inflow curve
// and the tubing curve, every sign change refined by Brent's method, the
// tubing curve's minimum refined by golden-section search, and the slope test
// that tells a stable crossing from an unstable one.
#include "wellfile/operating_point.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>
#include <nlohmann/json.hpp>
#include <utility>

namespace dlv::wellfile {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kEpsilon = std::numeric_limits<double>::epsilon();

// The search grid: the first rate is this fraction of the largest rate, then
// largest·(k/kGridDivisions)^2 for every k whose rate lies above it.
constexpr double kGridStartFraction = 0.005;
constexpr int kGridDivisions = 39;
// Golden-section refinement never takes more steps than this, whatever the width asked.
constexpr int kMaxGoldenSteps = 100;

// Empty when the curve can be used; otherwise what is wrong with it.
std::string inflow_curve_problem(const InflowCurve& c) {
  if (c.rate.size() != c.pressure.size()) return "its rate and pressure columns differ in length";
  if (c.rate.size() < 2) return "it has fewer than two points";
  for (std::size_t i = 0; i < c.rate.size(); ++i) {
    if (!std::isfinite(c.rate[i]) || !std::isfinite(c.pressure[i]))
      return "point " + std::to_string(i) + " is not a finite number";
    if (c.rate[i] < 0) return "point " + std::to_string(i) + " has a negative rate";
    if (i > 0 && c.rate[i] < c.rate[i - 1])
      return "its rates fall at point " + std::to_string(i) + " (they must not decrease)";
  }
  if (!(c.rate.back() > 0)) return "its largest rate is not above zero";
  return "";
}

// Linear interpolation in rate; the curve has passed inflow_curve_problem and
// q lies in [0, its last rate]. Where a rate repeats, the later point holds.
double inflow_pressure_at(const InflowCurve& c, double q) {
  const auto it = std::upper_bound(c.rate.begin(), c.rate.end(), q);
  if (it == c.rate.end()) return c.pressure.back();
  if (it == c.rate.begin()) return c.pressure.front();
  const std::size_t j = static_cast<std::size_t>(it - c.rate.begin());
  const std::size_t i = j - 1;
  const double w = (q - c.rate[i]) / (c.rate[j] - c.rate[i]);
  return c.pressure[i] + w * (c.pressure[j] - c.pressure[i]);
}

// Both curves at a rate, counting every tubing evaluation.
struct Evaluator {
  const NodalProblem& problem;
  double orientation;  // +1 producer, −1 injector
  int traverses = 0;

  NodalEvaluation operator()(double q) {
    NodalEvaluation e;
    e.rate = q;
    e.inflow_pressure = inflow_pressure_at(problem.inflow, q);
    ++traverses;
    std::optional<double> p = problem.outflow ? problem.outflow(q) : std::nullopt;
    if (p && std::isfinite(*p)) {
      e.outflow_pressure = *p;
      e.residual = orientation * (e.inflow_pressure - *p);
    } else {
      e.residual = kNaN;
    }
    return e;
  }
};

bool has_outflow(const NodalEvaluation& e) { return e.outflow_pressure.has_value(); }

std::vector<double> grid_rates(double largest) {
  const double first = kGridStartFraction * largest;
  std::vector<double> q{first};
  for (int k = 1; k <= kGridDivisions; ++k) {
    const double x = static_cast<double>(k) / kGridDivisions;
    const double r = largest * x * x;
    if (r > first) q.push_back(r);
  }
  return q;
}

// The lowest tubing pressure over the grid, refined by golden-section search
// between the grid neighbours of the lowest grid point. When that point is an
// end of the grid or a neighbour failed, the grid point stands as the
// minimum: the library does not search beyond the points the grid could lift.
// A failed evaluation during the search counts as no candidate.
std::optional<NodalEvaluation> tubing_minimum(const std::vector<NodalEvaluation>& grid,
                                              Evaluator& eval, double width) {
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < grid.size(); ++i)
    if (has_outflow(grid[i]) &&
        (!best || *grid[i].outflow_pressure < *grid[*best].outflow_pressure))
      best = i;
  if (!best) return std::nullopt;
  const std::size_t i = *best;
  NodalEvaluation result = grid[i];
  if (i == 0 || i + 1 == grid.size() || !has_outflow(grid[i - 1]) || !has_outflow(grid[i + 1]))
    return result;

  const double ratio = (std::sqrt(5.0) - 1) / 2;
  auto height = [](const NodalEvaluation& e) {
    return has_outflow(e) ? *e.outflow_pressure : std::numeric_limits<double>::infinity();
  };
  double a = grid[i - 1].rate, b = grid[i + 1].rate;
  NodalEvaluation x1 = eval(b - ratio * (b - a));
  NodalEvaluation x2 = eval(a + ratio * (b - a));
  for (int step = 0; step < kMaxGoldenSteps && b - a > width; ++step) {
    if (height(x1) <= height(x2)) {
      b = x2.rate;
      x2 = x1;
      x1 = eval(b - ratio * (b - a));
    } else {
      a = x1.rate;
      x1 = x2;
      x2 = eval(a + ratio * (b - a));
    }
  }
  for (const NodalEvaluation* e : {&x1, &x2})
    if (height(*e) < height(result)) result = *e;
  return result;
}

struct RootTolerance {
  double residual;
  double width;
  int max_iterations;
};

// The bracket of Brent's method: b the best point so far, c the end on the
// other side of the root, a the previous b; d the last step, e the one before.
struct Bracket {
  NodalEvaluation a, b, c;
  double d, e;
};

// Keeps c on the other side of the root from b, and b the nearer to it.
void keep_bracketed(Bracket& k) {
  if ((k.b.residual > 0) == (k.c.residual > 0)) {
    k.c = k.a;
    k.d = k.e = k.b.rate - k.a.rate;
  }
  if (std::fabs(k.c.residual) < std::fabs(k.b.residual)) {
    k.a = k.b;
    k.b = k.c;
    k.c = k.a;
  }
}

// Inverse quadratic interpolation, or the secant when two points coincide;
// the bisection step m when the interpolated step is not small enough.
void interpolate(Bracket& k, double m, double tol1) {
  double p, q;
  const double s = k.b.residual / k.a.residual;
  if (k.a.rate == k.c.rate) {
    p = 2 * m * s;
    q = 1 - s;
  } else {
    const double qa = k.a.residual / k.c.residual, r = k.b.residual / k.c.residual;
    p = s * (2 * m * qa * (qa - r) - (k.b.rate - k.a.rate) * (r - 1));
    q = (qa - 1) * (r - 1) * (s - 1);
  }
  if (p > 0)
    q = -q;
  else
    p = -p;
  if (2 * p < std::min(3 * m * q - std::fabs(tol1 * q), std::fabs(k.e * q))) {
    k.e = k.d;
    k.d = p / q;
  } else {
    k.d = k.e = m;
  }
}

// The step from b to the next point to evaluate.
double brent_step(Bracket& k, double m, double tol1) {
  if (std::fabs(m) <= tol1) {
    // Narrow enough but the residual is still too large: halve the bracket.
    k.d = k.e = m;
  } else if (std::fabs(k.e) >= tol1 && std::fabs(k.a.residual) > std::fabs(k.b.residual)) {
    interpolate(k, m, tol1);
  } else {
    k.d = k.e = m;
  }
  if (std::fabs(m) <= tol1) return m;
  if (std::fabs(k.d) > tol1) return k.d;
  return m > 0 ? tol1 : -tol1;
}

// Brent's method on a bracket whose ends have residuals of opposite signs.
// A root is accepted only when the residual and the bracket width are both
// within tolerance, never on width alone; a bracket that cannot shrink any
// further, the iteration limit or a failed tubing evaluation inside the
// bracket ends the search unconverged at the best point found. Every value
// kept for a point comes from that point's own evaluation.
Crossing refine_root(Evaluator& eval, NodalEvaluation a, NodalEvaluation b,
                     const RootTolerance& tol) {
  Crossing out;
  Bracket k{a, b, a, b.rate - a.rate, b.rate - a.rate};
  for (;;) {
    keep_bracketed(k);
    const double m = 0.5 * (k.c.rate - k.b.rate);
    const double tol1 = 2 * kEpsilon * std::fabs(k.b.rate) + 0.5 * tol.width;
    const double width = std::fabs(k.c.rate - k.b.rate);
    if (k.b.residual == 0 || (std::fabs(k.b.residual) <= tol.residual && width <= tol.width)) {
      out.converged = true;
      break;
    }
    const bool collapsed = width <= 4 * kEpsilon * std::fabs(k.b.rate);
    if (collapsed || out.iterations >= tol.max_iterations) break;
    const double step = brent_step(k, m, tol1);
    k.a = k.b;
    NodalEvaluation next = eval(k.b.rate + step);
    ++out.iterations;
    if (!has_outflow(next)) break;
    k.b = next;
  }
  out.at = k.b;
  return out;
}

struct SlopeSettings {
  double step;
  double largest;
  double orientation;
};

// Both slopes by central differences over [q − h, q + h] clipped to
// [0, largest]. When the tubing fails at one of the two points, its slope is
// the one-sided difference with the root's own evaluation; when it fails at
// both, the slope is NaN and the crossing is not counted stable.
void classify(Crossing& x, Evaluator& eval, const InflowCurve& inflow, const SlopeSettings& s) {
  const double q = x.at.rate;
  const double lo = std::max(0.0, q - s.step), hi = std::min(s.largest, q + s.step);
  x.slope_inflow = (inflow_pressure_at(inflow, hi) - inflow_pressure_at(inflow, lo)) / (hi - lo);
  const NodalEvaluation below = eval(lo), above = eval(hi);
  if (has_outflow(below) && has_outflow(above))
    x.slope_outflow = (*above.outflow_pressure - *below.outflow_pressure) / (hi - lo);
  else if (has_outflow(above) && hi > q)
    x.slope_outflow = (*above.outflow_pressure - *x.at.outflow_pressure) / (hi - q);
  else if (has_outflow(below) && q > lo)
    x.slope_outflow = (*x.at.outflow_pressure - *below.outflow_pressure) / (q - lo);
  else
    x.slope_outflow = kNaN;
  // Stable: the residual falls through zero as the rate rises (for a
  // producer, the tubing curve rises faster than the inflow curve).
  x.stable = s.orientation * (x.slope_inflow - x.slope_outflow) < 0;
}

std::string outcome_message(NodalOutcome o, WellDirection d, bool converged) {
  const bool inj = d == WellDirection::injection;
  switch (o) {
    case NodalOutcome::flows:
      return std::string(inj ? "the well takes injection" : "the well flows") +
             " at this wellhead pressure" +
             (converged ? "" : ", but the crossing was not found to tolerance (a jump in a curve)");
    case NodalOutcome::no_stable_crossing:
      return std::string(inj ? "the well does not take injection stably"
                             : "the well does not flow stably") +
             " at this wellhead pressure: every crossing of the curves is unstable";
    case NodalOutcome::no_crossing:
      return std::string(inj ? "the well does not take injection" : "the well does not flow") +
             " at this wellhead pressure";
    case NodalOutcome::invalid_inflow_curve:
      break;
  }
  return "";
}

// The options with every tolerance that is not a positive finite number
// replaced by its default and the iteration limit kept within [1, 1000], so
// that no setting can make a search run without end.
SolverOptions usable(SolverOptions o) {
  const SolverOptions d;
  for (auto [value, fallback] : {std::pair{&o.residual_tolerance, d.residual_tolerance},
                                 std::pair{&o.root_width_fraction, d.root_width_fraction},
                                 std::pair{&o.slope_step_fraction, d.slope_step_fraction},
                                 std::pair{&o.minimum_width_fraction, d.minimum_width_fraction}})
    if (!(std::isfinite(*value) && *value > 0)) *value = fallback;
  o.max_root_iterations = std::clamp(o.max_root_iterations, 1, 1000);
  return o;
}

// Sign changes between neighbouring grid points that both lifted, each
// refined; a grid point whose residual is exactly zero is a crossing itself.
std::vector<Crossing> grid_crossings(const std::vector<NodalEvaluation>& g, Evaluator& eval,
                                     const RootTolerance& tol) {
  std::vector<Crossing> out;
  for (std::size_t i = 0; i < g.size(); ++i) {
    if (!has_outflow(g[i])) continue;
    if (g[i].residual == 0) {
      Crossing x;
      x.at = g[i];
      x.converged = true;
      out.push_back(x);
    } else if (i + 1 < g.size() && has_outflow(g[i + 1]) && g[i + 1].residual != 0 &&
               (g[i].residual > 0) != (g[i + 1].residual > 0)) {
      out.push_back(refine_root(eval, g[i], g[i + 1], tol));
    }
  }
  return out;
}

// The grid point closest to flowing: the largest residual; none when the
// tubing lifted at no grid point.
const NodalEvaluation* closest_to_flowing(const std::vector<NodalEvaluation>& g) {
  const NodalEvaluation* best = nullptr;
  for (const NodalEvaluation& e : g)
    if (has_outflow(e) && (!best || e.residual > best->residual)) best = &e;
  return best;
}

// The outcome and the point reported: the stable crossing of the largest
// rate, else the last unstable one, else the grid point closest to flowing.
void report_outcome(OperatingPoint& out) {
  const Crossing* chosen = nullptr;
  for (const Crossing& x : out.crossings)
    if (x.stable) chosen = &x;  // ascending rate: the last stable one has the largest rate
  if (chosen) {
    out.outcome = NodalOutcome::flows;
    out.flows = true;
  } else if (!out.crossings.empty()) {
    out.outcome = NodalOutcome::no_stable_crossing;
    chosen = &out.crossings.back();
  } else {
    out.outcome = NodalOutcome::no_crossing;
  }
  if (chosen) {
    out.reported = chosen->at;
    out.rate = chosen->at.rate;
    out.converged = chosen->converged;
    out.iterations = chosen->iterations;
  } else if (const NodalEvaluation* best = closest_to_flowing(out.grid)) {
    out.reported = *best;
  } else {
    out.reported.residual = kNaN;
    out.reported.inflow_pressure = kNaN;
  }
}

}  // namespace

OperatingPoint solve_operating_point(const NodalProblem& problem, const SolverOptions& given) {
  const SolverOptions options = usable(given);
  OperatingPoint out;
  out.direction = problem.direction;
  out.wellhead_pressure = problem.wellhead_pressure;
  if (const std::string why = inflow_curve_problem(problem.inflow); !why.empty()) {
    out.message = "the inflow curve cannot be used: " + why;
    return out;
  }
  const double largest = problem.inflow.rate.back();
  out.largest_rate = largest;
  Evaluator eval{problem, problem.direction == WellDirection::injection ? -1.0 : 1.0};

  out.static_column = eval(0.0);
  for (double q : grid_rates(largest)) out.grid.push_back(eval(q));
  out.minimum = tubing_minimum(out.grid, eval, options.minimum_width_fraction * largest);

  const RootTolerance tol{options.residual_tolerance, options.root_width_fraction * largest,
                          options.max_root_iterations};
  out.crossings = grid_crossings(out.grid, eval, tol);
  const SlopeSettings slopes{options.slope_step_fraction * largest, largest, eval.orientation};
  for (Crossing& x : out.crossings) classify(x, eval, problem.inflow, slopes);
  report_outcome(out);
  out.traverses = eval.traverses;
  out.message = outcome_message(out.outcome, problem.direction, out.converged);
  return out;
}

std::vector<FamilyMember> operating_point_family(
    const std::vector<double>& values, const std::function<NodalProblem(double)>& problem_for,
    const SolverOptions& options) {
  std::vector<FamilyMember> family;
  family.reserve(values.size());
  for (double v : values) family.push_back({v, solve_operating_point(problem_for(v), options)});
  return family;
}

namespace {

json number(double v) { return std::isfinite(v) ? json(v) : json(nullptr); }
json number(const std::optional<double>& v) { return v ? number(*v) : json(nullptr); }

const char* outcome_name(NodalOutcome o) {
  switch (o) {
    case NodalOutcome::flows:
      return "flows";
    case NodalOutcome::no_stable_crossing:
      return "does_not_flow_stably";
    case NodalOutcome::no_crossing:
      return "does_not_flow";
    case NodalOutcome::invalid_inflow_curve:
      break;
  }
  return "invalid_inflow_curve";
}

json body(const OperatingPoint& p) {
  json r = json::object();
  const bool crossed =
      p.outcome == NodalOutcome::flows || p.outcome == NodalOutcome::no_stable_crossing;
  r["flows"] = p.flows;
  r["converged"] = p.converged;
  r["outcome"] = outcome_name(p.outcome);
  r["message"] = p.message;
  r["direction"] = p.direction == WellDirection::injection ? "injection" : "production";
  r["rate"] = p.rate;
  r["bottomhole_pressure"] = crossed ? number(p.reported.inflow_pressure) : json(nullptr);
  r["wellhead_pressure"] = number(p.wellhead_pressure);
  r["residual"] =
      p.outcome == NodalOutcome::invalid_inflow_curve ? json(nullptr) : number(p.reported.residual);
  r["residual_rate"] = has_outflow(p.reported) ? json(p.reported.rate) : json(nullptr);
  r["iterations"] = p.iterations;
  r["traverses"] = p.traverses;
  r["minimum"] = p.minimum ? json{{"rate", p.minimum->rate},
                                  {"pressure", number(p.minimum->outflow_pressure)},
                                  {"inflow_pressure", number(p.minimum->inflow_pressure)}}
                           : json(nullptr);
  const bool evaluated = p.outcome != NodalOutcome::invalid_inflow_curve;
  r["static_pressure"] = evaluated ? number(p.static_column.outflow_pressure) : json(nullptr);
  r["static_residual"] =
      evaluated && has_outflow(p.static_column) ? number(p.static_column.residual) : json(nullptr);
  json crossings = json::array();
  for (const Crossing& x : p.crossings)
    crossings.push_back({{"rate", x.at.rate},
                         {"pressure", number(x.at.inflow_pressure)},
                         {"residual", number(x.at.residual)},
                         {"slope_outflow", number(x.slope_outflow)},
                         {"slope_inflow", number(x.slope_inflow)},
                         {"label", x.stable ? "stable" : "unstable"},
                         {"converged", x.converged},
                         {"iterations", x.iterations}});
  r["crossings"] = crossings;
  json rates = json::array(), pressures = json::array();
  for (const NodalEvaluation& e : p.grid) {
    rates.push_back(e.rate);
    pressures.push_back(number(e.outflow_pressure));
  }
  r["tubing_curve"] = {{"rate", rates}, {"pressure", pressures}};
  return r;
}

json units(const std::string& rate_unit) {
  return {{"rate", rate_unit},
          {"pressure", "psi gauge"},
          {"residual", "psi"},
          {"slope", "psi per " + rate_unit}};
}

}  // namespace

json operating_point_json(const OperatingPoint& point, const std::string& rate_unit) {
  json r = body(point);
  r["units"] = units(rate_unit);
  return r;
}

json operating_point_family_json(const std::vector<FamilyMember>& family, const std::string& field,
                                 const std::string& value_unit, const std::string& rate_unit) {
  json points = json::array();
  for (const FamilyMember& m : family) {
    json p = json::object();
    p["value"] = number(m.value);
    const json b = body(m.point);
    for (const auto& [k, v] : b.items()) p[k] = v;
    points.push_back(p);
  }
  json r = json::object();
  r["vary"] = field;
  r["value_unit"] = value_unit;
  r["points"] = points;
  r["units"] = units(rate_unit);
  return r;
}

}  // namespace dlv::wellfile
