// The operating point: crossings of a straight-line inflow curve with a
// parabolic tubing curve whose roots and slopes are worked by hand (the
// quadratic formula), an injector, a family, and inputs that must fail cleanly.
#include "wellfile/operating_point.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <optional>
#include <vector>

namespace wf = dlv::wellfile;
using wf::json;
using wf::NodalOutcome;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Tubing curve with its minimum of 1500 psi at 900 STB/d.
double parabola(double q) { return 1500 + 2.5e-4 * (q - 900) * (q - 900); }

wf::InflowCurve line(double p0, double p1, double largest) { return {{0.0, largest}, {p0, p1}}; }

struct ExpectedCrossing {
  double rate, pressure, slope_outflow, slope_inflow;
  bool stable;
};

struct SyntheticRow {
  const char* name;
  double pr, pi;         // straight line p = pr − q/pi
  double fails_above;    // the tubing fails above this rate (infinity: never)
  double failure_value;  // what the failing tubing returns (NaN means nullopt)
  double r0, r_first;    // residual at rate 0 and at the first grid rate
  NodalOutcome outcome;
  std::vector<ExpectedCrossing> crossings;
  double rate, residual_rate;  // the reported rate and the rate of the reported residual
};

// The roots solve pr − q/pi = parabola(q): q^2 − (1800 − 4000/pi)q + 810000 − 4000(pr − 1500) = 0;
// slopes are 5e-4·(q − 900) and −1/pi.
const std::vector<SyntheticRow> kRows = {
    {"root below the first grid rate is not searched",
     1690,
     10,
     kInf,
     kNaN,
     -12.5,
     15.290,
     NodalOutcome::flows,
     {{1363.325, 1553.668, 0.2317, -0.1, true}},
     1363.325,
     1363.325},
    {"single stable crossing",
     2500,
     2,
     kInf,
     kNaN,
     797.5,
     796.094,
     NodalOutcome::flows,
     {{1688.854, 1655.573, 0.3944, -0.5, true}},
     1688.854,
     1688.854},
    {"no crossing", 1400, 2, kInf, kNaN, -302.5, -303.249, NodalOutcome::no_crossing, {}, 0, 14},
    {"two crossings, the right one stable",
     1660,
     10,
     kInf,
     kNaN,
     -42.5,
     -15.172,
     NodalOutcome::flows,
     {{134.315, 1646.569, -0.3828, -0.1, false}, {1265.685, 1533.431, 0.1828, -0.1, true}},
     1265.685,
     1265.685},
    {"stable left of the tubing minimum (steep inflow)",
     1800,
     1,
     kInf,
     kNaN,
     97.5,
     92.530,
     NodalOutcome::flows,
     {{164.911, 1635.089, -0.3675, -1, true}},
     164.911,
     164.911},
    {"tubing fails above 1000, only the unstable root remains",
     1660,
     10,
     1000,
     kNaN,
     -42.5,
     -15.172,
     NodalOutcome::no_stable_crossing,
     {{134.315, 1646.569, -0.3828, -0.1, false}},
     134.315,
     134.315},
    {"tubing returns NaN above 1000",
     1660,
     10,
     1000,
     kNaN,
     -42.5,
     -15.172,
     NodalOutcome::no_stable_crossing,
     {{134.315, 1646.569, -0.3828, -0.1, false}},
     134.315,
     134.315},
    {"tubing returns infinity above 1000",
     1660,
     10,
     1000,
     kInf,
     -42.5,
     -15.172,
     NodalOutcome::no_stable_crossing,
     {{134.315, 1646.569, -0.3828, -0.1, false}},
     134.315,
     134.315},
};

}  // namespace

// Synthetic checks of the operating-point logic: parabola tubing curve,
// straight-line inflow; the root rates are rounded to 0.001, hence the
// tolerances.
TEST(OperatingPoint, SyntheticCrossingsAndOutcomes) {
  for (std::size_t n = 0; n < kRows.size(); ++n) {
    const SyntheticRow& row = kRows[n];
    SCOPED_TRACE(row.name);
    const double aof = row.pr * row.pi;
    int calls = 0;
    // The last two rows return the failure as a non-finite value instead of nullopt.
    const bool as_value = n >= 6;
    wf::NodalProblem problem{line(row.pr, 0, aof), [&](double q) -> std::optional<double> {
                               ++calls;
                               if (q > row.fails_above)
                                 return as_value ? std::optional<double>(row.failure_value)
                                                 : std::nullopt;
                               return parabola(q);
                             }};
    const wf::OperatingPoint p = wf::solve_operating_point(problem);
    EXPECT_EQ(p.outcome, row.outcome);
    EXPECT_EQ(p.flows, row.outcome == NodalOutcome::flows);
    EXPECT_EQ(p.converged, row.outcome != NodalOutcome::no_crossing);
    EXPECT_EQ(p.traverses, calls);
    EXPECT_NEAR(*p.static_column.outflow_pressure, 1702.5, 1e-9);
    EXPECT_NEAR(p.static_column.residual, row.r0, 1e-9);
    ASSERT_EQ(p.grid.size(), 38u);
    EXPECT_DOUBLE_EQ(p.grid.front().rate, 0.005 * aof);
    EXPECT_DOUBLE_EQ(p.grid.back().rate, aof);
    EXPECT_NEAR(p.grid.front().residual, row.r_first, 5e-4);
    ASSERT_TRUE(p.minimum.has_value());
    EXPECT_NEAR(p.minimum->rate, 900, 1e-3 * aof);
    EXPECT_NEAR(*p.minimum->outflow_pressure, 1500, 0.1);

    ASSERT_EQ(p.crossings.size(), row.crossings.size());
    for (std::size_t i = 0; i < row.crossings.size(); ++i) {
      const ExpectedCrossing& e = row.crossings[i];
      const wf::Crossing& x = p.crossings[i];
      EXPECT_NEAR(x.at.rate, e.rate, 0.02);
      EXPECT_NEAR(x.at.inflow_pressure, e.pressure, 0.005);
      EXPECT_NEAR(x.slope_outflow, e.slope_outflow, 1e-4);
      EXPECT_NEAR(x.slope_inflow, e.slope_inflow, 1e-9);
      EXPECT_EQ(x.stable, e.stable);
      EXPECT_TRUE(x.converged);
      // The point lies on both curves, each computed here from its formula.
      EXPECT_LT(std::fabs(row.pr - x.at.rate / row.pi - parabola(x.at.rate)), 0.01);
      EXPECT_DOUBLE_EQ(x.at.residual, x.at.inflow_pressure - *x.at.outflow_pressure);
      EXPECT_NEAR(x.at.inflow_pressure, row.pr - x.at.rate / row.pi, 1e-9);
    }
    EXPECT_NEAR(p.rate, row.rate, 0.02);
    EXPECT_NEAR(p.reported.rate, row.residual_rate, 0.02);
    if (row.outcome == NodalOutcome::no_crossing) {
      EXPECT_EQ(p.rate, 0);
      EXPECT_EQ(p.iterations, 0);
      EXPECT_NEAR(p.reported.residual, -303.249, 5e-4);
    } else {
      EXPECT_LT(std::fabs(p.reported.residual), 0.01);
      EXPECT_GT(p.iterations, 0);
    }
  }
}

// Water injector: injectivity p = 2500 + 0.25q up to 20 000 STB/d; tubing
// p = S − 5e-5·q^2, S the wellhead pressure plus the water column.
// S = 4300: 5e-5q^2 + 0.25q − 1800 = 0, i.e. (q − 4000)(q + 9000) = 0: 4000 STB/d at
// 3500 psi, tubing slope −0.4, injectivity +0.25 (stable). S = 2400: the column
// never reaches the reservoir pressure; the best grid point is the first, 100 STB/d,
// residual 2400 − 0.5 − 2525 = −125.5.
TEST(OperatingPoint, WaterInjectorByHand) {
  struct Case {
    double column;
    NodalOutcome outcome;
    double rate, pressure, residual;
  };
  for (const Case& c : {Case{4300, NodalOutcome::flows, 4000, 3500, 0},
                        Case{2400, NodalOutcome::no_crossing, 0, kNaN, -125.5}}) {
    wf::NodalProblem problem{line(2500, 7500, 20000),
                             [&](double q) { return std::optional(c.column - 5e-5 * q * q); }, 836,
                             wf::WellDirection::injection};
    const wf::OperatingPoint p = wf::solve_operating_point(problem);
    EXPECT_EQ(p.outcome, c.outcome);
    EXPECT_DOUBLE_EQ(p.static_column.residual, c.column - 2500);
    if (c.outcome == NodalOutcome::flows) {
      ASSERT_EQ(p.crossings.size(), 1u);
      EXPECT_NEAR(p.rate, c.rate, 0.02);
      EXPECT_NEAR(p.reported.inflow_pressure, c.pressure, 0.01);
      EXPECT_LT(std::fabs(p.reported.residual), 0.01);
      EXPECT_NEAR(p.crossings[0].slope_outflow, -0.4, 1e-6);
      EXPECT_NEAR(p.crossings[0].slope_inflow, 0.25, 1e-9);
      EXPECT_TRUE(p.crossings[0].stable);
      EXPECT_EQ(p.message, "the well takes injection at this wellhead pressure");
    } else {
      EXPECT_EQ(p.rate, 0);
      EXPECT_DOUBLE_EQ(p.reported.rate, 100);
      EXPECT_NEAR(p.reported.residual, c.residual, 1e-9);
      EXPECT_EQ(p.message, "the well does not take injection at this wellhead pressure");
    }
  }
}

// A tubing curve with a jump at 1500 STB/d that the inflow line passes
// through: the residual changes sign without a root, so the bracket shrinks
// to nothing while the residual stays near 500 psi. Width alone never passes.
TEST(OperatingPoint, JumpInTheTubingCurveIsNotConverged) {
  wf::NodalProblem problem{line(3000, 0, 3000),
                           [](double q) { return std::optional(q < 1500 ? 1000.0 : 2500.0); }};
  const wf::OperatingPoint p = wf::solve_operating_point(problem);
  ASSERT_EQ(p.crossings.size(), 1u);
  EXPECT_FALSE(p.converged);
  EXPECT_TRUE(p.flows);
  EXPECT_NEAR(p.rate, 1500, 1e-6 * 3000);
  EXPECT_GE(std::fabs(p.reported.residual), 499);
  EXPECT_NE(p.message.find("not found to tolerance"), std::string::npos);
}

// The library's 25-point Vogel curve (2400 psi, 2800 STB/d: pressures 2400 − 100k,
// q = 2800·(1 − 0.2x − 0.8x^2), x = p/2400) against a tubing curve that rises with
// the wellhead pressure: a higher wellhead pressure never raises the rate, and at
// 1300 psi (tubing minimum 2500 psi) the well does not flow.
TEST(OperatingPoint, RaisingTheWellheadPressureNeverRaisesTheRate) {
  wf::InflowCurve vogel;
  for (int k = 0; k <= 24; ++k) {
    const double x = (2400.0 - 100.0 * k) / 2400.0;
    vogel.rate.push_back(2800 * (1 - 0.2 * x - 0.8 * x * x));
    vogel.pressure.push_back(2400.0 - 100.0 * k);
  }
  const std::vector<double> whp = {100, 300, 500, 700, 900, 1100, 1300};
  const auto family = wf::operating_point_family(whp, [&](double w) {
    return wf::NodalProblem{
        vogel, [w](double q) { return std::optional(w + 1200 + 3e-4 * (q - 600) * (q - 600)); }, w};
  });
  ASSERT_EQ(family.size(), whp.size());
  EXPECT_TRUE(family.front().point.flows);
  EXPECT_EQ(family.back().point.outcome, NodalOutcome::no_crossing);
  for (std::size_t i = 0; i < family.size(); ++i) {
    EXPECT_EQ(family[i].value, whp[i]);
    EXPECT_EQ(family[i].point.wellhead_pressure, whp[i]);
    if (family[i].point.flows) {
      EXPECT_LT(std::fabs(family[i].point.reported.residual), 0.01);
    }
    if (i > 0) {
      EXPECT_LE(family[i].point.rate, family[i - 1].point.rate) << "at " << whp[i];
    }
  }
  const json j = wf::operating_point_family_json(family, "wellhead_pressure", "psi gauge", "STB/d");
  ASSERT_EQ(j["points"].size(), whp.size());
  EXPECT_EQ(j["points"][6]["value"], 1300.0);
  EXPECT_EQ(j["points"][6]["flows"], false);
}

TEST(OperatingPoint, UnusableInputsFailWithoutEvaluating) {
  const std::vector<std::pair<const char*, wf::InflowCurve>> curves = {
      {"NaN rate", {{0, kNaN, 100}, {100, 50, 0}}},
      {"infinite pressure", {{0, 50, 100}, {kInf, 50, 0}}},
      {"falling rate", {{0, 60, 50}, {100, 50, 0}}},
      {"negative rate", {{-1, 50}, {100, 0}}},
      {"zero largest rate", {{0, 0}, {100, 0}}},
      {"one point", {{0}, {100}}},
      {"columns of different lengths", {{0, 100}, {100}}},
  };
  for (const auto& [name, curve] : curves) {
    SCOPED_TRACE(name);
    int calls = 0;
    const auto p = wf::solve_operating_point({curve, [&](double) {
                                                ++calls;
                                                return std::optional(1.0);
                                              }});
    EXPECT_EQ(p.outcome, NodalOutcome::invalid_inflow_curve);
    EXPECT_FALSE(p.flows);
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(p.message.rfind("the inflow curve cannot be used: ", 0), 0u) << p.message;
  }
  // A tubing that fails everywhere, or no tubing at all: no crossing, nothing invented.
  for (const wf::OutflowCurve& tubing :
       {wf::OutflowCurve([](double) { return std::optional(kNaN); }), wf::OutflowCurve()}) {
    const auto p = wf::solve_operating_point({line(2000, 0, 1000), tubing});
    EXPECT_EQ(p.outcome, NodalOutcome::no_crossing);
    EXPECT_FALSE(p.minimum.has_value());
    const json j = wf::operating_point_json(p, "STB/d");
    EXPECT_TRUE(j["residual"].is_null());
    EXPECT_TRUE(j["static_pressure"].is_null());
    EXPECT_TRUE(j["minimum"].is_null());
  }
}

// The result document of the two-crossing and the no-crossing rows.
TEST(OperatingPoint, ResultDocument) {
  auto solve = [](double pr, double pi) {
    return wf::operating_point_json(
        wf::solve_operating_point(
            {line(pr, 0, pr * pi), [](double q) { return std::optional(parabola(q)); }, 200}),
        "STB/d");
  };
  const json two = solve(1660, 10);
  EXPECT_EQ(two["flows"], true);
  EXPECT_EQ(two["outcome"], "flows");
  EXPECT_EQ(two["message"], "the well flows at this wellhead pressure");
  EXPECT_EQ(two["wellhead_pressure"], 200.0);
  EXPECT_NEAR(two["rate"].get<double>(), 1265.685, 0.02);
  EXPECT_NEAR(two["bottomhole_pressure"].get<double>(), 1533.431, 0.005);
  EXPECT_EQ(two["rate"], two["residual_rate"]);
  ASSERT_EQ(two["crossings"].size(), 2u);
  EXPECT_EQ(two["crossings"][0]["label"], "unstable");
  EXPECT_EQ(two["crossings"][1]["label"], "stable");
  EXPECT_EQ(two["static_pressure"], 1702.5);
  EXPECT_EQ(two["tubing_curve"]["rate"].size(), 38u);
  EXPECT_EQ(two["units"]["pressure"], "psi gauge");

  const json none = solve(1400, 2);
  EXPECT_EQ(none["flows"], false);
  EXPECT_EQ(none["converged"], false);
  EXPECT_EQ(none["message"], "the well does not flow at this wellhead pressure");
  EXPECT_EQ(none["rate"], 0.0);
  EXPECT_TRUE(none["bottomhole_pressure"].is_null());
  EXPECT_NEAR(none["residual"].get<double>(), -303.249, 5e-4);
  EXPECT_DOUBLE_EQ(none["residual_rate"].get<double>(), 14);
  EXPECT_TRUE(none["crossings"].empty());
  EXPECT_NEAR(none["minimum"]["rate"].get<double>(), 900, 2.8);
}
