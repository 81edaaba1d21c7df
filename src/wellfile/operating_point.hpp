// The operating point at the bottom-hole node: the rate at which the well's
// inflow curve meets the bottom-hole pressure the tubing gives at a wellhead
// pressure, with every crossing of the two curves, their stability and the
// number of tubing evaluations (traverses) it cost.
//
// API:
//   solve_operating_point(problem, options)   one operating point
//   operating_point_family(values, problem_for, options)   one point per value
//   operating_point_json(point, rate_unit)    the result document of one point
//   operating_point_family_json(family, field, value_unit, rate_unit)
//
// Pressures are psi gauge throughout, as everywhere in the named layer: the
// inflow curve is the library's curve (0 psig at its maximum rate) and the
// outflow callable returns psi gauge (a traverse computed in psia returns its
// bottom-hole pressure less kAtmosphere). The solver itself only takes
// differences and slopes, so any one pressure unit used on both sides works.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

// A producer's inflow pressure falls with rate and its tubing pressure is the
// one the wellhead pressure needs below it; an injector's inflow (injectivity)
// pressure rises with rate and its tubing pressure is the one the wellhead
// injection pressure delivers below it.
enum class WellDirection { production, injection };

// The inflow side: (rate, bottom-hole pressure) points, rates non-decreasing
// from 0 (the library's 25-point curve), interpolated linearly between points.
// Its last rate is the largest rate the solver considers (the AOF of a
// producer, the maximum injection rate of an injector).
struct InflowCurve {
  std::vector<double> rate;
  std::vector<double> pressure;
};

// The outflow side: the bottom-hole pressure the tubing gives at a rate, or
// nullopt when the rate cannot be lifted (or injected). A non-finite value
// counts as nullopt. One call is one traverse.
using OutflowCurve = std::function<std::optional<double>(double rate)>;

struct NodalProblem {
  InflowCurve inflow;
  OutflowCurve outflow;
  double wellhead_pressure = 0;  // psi gauge; reported, the outflow callable already uses it
  WellDirection direction = WellDirection::production;
};

struct SolverOptions {
  // A root is accepted when the residual is at most this (psi) and the bracket
  // is at most root_width_fraction of the largest rate wide, both at once.
  // 0.005 psi keeps every reported point within 0.01 psi of both curves.
  double residual_tolerance = 0.005;
  double root_width_fraction = 1e-6;
  // Half-step of the central differences of the slope test, as a fraction of
  // the largest rate.
  double slope_step_fraction = 1e-5;
  // Golden-section refinement of the tubing curve's minimum stops at this
  // bracket width (fraction of the largest rate); the minimum is reported only.
  double minimum_width_fraction = 1e-3;
  int max_root_iterations = 100;
};

enum class NodalOutcome {
  flows,                // a stable crossing: the operating point
  no_stable_crossing,   // crossings, none stable: does not flow stably
  no_crossing,          // no sign change on the grid: does not flow at this wellhead pressure
  invalid_inflow_curve  // the inflow curve cannot be used; nothing evaluated
};

// One evaluation of both curves at a rate. residual is oriented so that
// positive means the driving side exceeds the other one (the rate would rise):
// inflow − outflow for a producer, outflow − inflow for an injector.
struct NodalEvaluation {
  double rate = 0;
  double inflow_pressure = 0;
  std::optional<double> outflow_pressure;  // nullopt: the tubing failed at this rate
  double residual = 0;                     // meaningful only with an outflow pressure
};

struct Crossing {
  NodalEvaluation at;                          // the final evaluation of the root refinement
  double slope_outflow = 0, slope_inflow = 0;  // psi per unit rate; NaN when unknown
  bool stable = false;                         // the residual falls through zero as the rate rises
  bool converged = false;                      // residual and bracket width both within tolerance
  int iterations = 0;  // root-refinement evaluations (0 for a grid point that is a root)
};

struct OperatingPoint {
  NodalOutcome outcome = NodalOutcome::invalid_inflow_curve;
  WellDirection direction = WellDirection::production;
  bool flows = false, converged = false;
  // The reported evaluation: the operating point, the largest-rate crossing
  // when none is stable, or the grid point with the largest residual when the
  // curves do not cross (then rate is 0 and reported.rate is that grid rate).
  double rate = 0;
  NodalEvaluation reported;
  int iterations = 0;
  int traverses = 0;  // outflow evaluations, every one counted
  double wellhead_pressure = 0;
  double largest_rate = 0;                 // last rate of the inflow curve
  NodalEvaluation static_column;           // the outflow at rate 0: reported, never bracketed
  std::optional<NodalEvaluation> minimum;  // the tubing curve's minimum over the grid, refined
  std::vector<NodalEvaluation> grid;       // the tubing curve on the search grid
  std::vector<Crossing> crossings;         // ascending rate
  std::string message;                     // plain words
};

OperatingPoint solve_operating_point(const NodalProblem& problem,
                                     const SolverOptions& options = {});

// The operating points of one problem per value (wellhead pressure, tubing
// size, water cut, ...), in the order of the values.
struct FamilyMember {
  double value = 0;
  OperatingPoint point;
};
std::vector<FamilyMember> operating_point_family(
    const std::vector<double>& values, const std::function<NodalProblem(double)>& problem_for,
    const SolverOptions& options = {});

// rate_unit: "STB/d", "Mscf/d", ... Pressures are written as psi gauge; a value
// that does not exist (a failed traverse, NaN) is written as null.
json operating_point_json(const OperatingPoint& point, const std::string& rate_unit);
json operating_point_family_json(const std::vector<FamilyMember>& family, const std::string& field,
                                 const std::string& value_unit, const std::string& rate_unit);

}  // namespace dlv::wellfile
