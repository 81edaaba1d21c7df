// The operating point: straight-line inflow curves against a parabolic tubing
// curve whose roots and slopes are worked by hand (the quadratic formula), an
// injector, a family, and inputs that must fail cleanly.
#include "wellfile/operating_point.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <optional>
#include <vector>

#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using wf::json;
using wf::NodalOutcome;
using namespace wellfile_test;

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

// Tubing curve with its minimum of 1500 psi at 900 STB/d; 1702.5 psi at rate 0.
double parabola(double q) { return 1500 + 2.5e-4 * (q - 900) * (q - 900); }

wf::InflowCurve line(double p0, double p1, double largest) { return {{0.0, largest}, {p0, p1}}; }

}  // namespace

// The rows of data/operating_points.json; root rates are rounded to 0.001, hence the tolerances.
TEST(OperatingPoint, SyntheticCrossingsAndOutcomes) {
  for (const json& row : data_file("operating_points.json")["rows"]) {
    SCOPED_TRACE(row["what"].get<std::string>());
    const double pr = row["pr"], pi = row["pi"], aof = pr * pi;
    const double fails_above = number(row["fails_above"]);
    const std::string fails_as = row["fails_as"];
    const std::string outcomes[] = {"flows", "no_stable_crossing", "no_crossing"};
    const auto outcome = static_cast<NodalOutcome>(
        std::find(std::begin(outcomes), std::end(outcomes), row["outcome"]) - outcomes);
    const json& report = row["report"];
    int calls = 0;
    const auto tubing = [&](double q) -> std::optional<double> {
      ++calls;
      if (q <= fails_above) return parabola(q);
      if (fails_as == "nothing") return std::nullopt;
      return fails_as == "nan" ? kNaN : kInf;
    };
    const wf::OperatingPoint p = wf::solve_operating_point({line(pr, 0, aof), tubing});
    EXPECT_EQ(p.outcome, outcome);
    EXPECT_EQ(p.flows, outcome == NodalOutcome::flows);
    EXPECT_EQ(p.converged, outcome != NodalOutcome::no_crossing);
    EXPECT_EQ(p.traverses, calls);
    EXPECT_NEAR(p.static_column.residual, report[0].get<double>(), 1e-9);
    ASSERT_EQ(p.grid.size(), 38u);
    EXPECT_DOUBLE_EQ(p.grid.front().rate, 0.005 * aof);
    EXPECT_DOUBLE_EQ(p.grid.back().rate, aof);
    EXPECT_NEAR(p.grid.front().residual, report[1].get<double>(), 5e-4);
    EXPECT_NEAR(*p.minimum->outflow_pressure, 1500, 0.1);
    if (std::isinf(fails_above)) {
      EXPECT_NEAR(p.minimum->rate, 900, 1e-3 * aof);
    }
    ASSERT_EQ(p.crossings.size(), row["roots"].size());
    for (std::size_t i = 0; i < p.crossings.size(); ++i) {
      const wf::Crossing& x = p.crossings[i];
      const json& root = row["roots"][i];
      EXPECT_NEAR(x.at.rate, root[0].get<double>(), 0.02);
      EXPECT_NEAR(x.slope_outflow, root[1].get<double>(), 1e-4);
      EXPECT_EQ(x.stable, root[2].get<bool>());
      // On both curves, each from its formula, and every value from one evaluation.
      EXPECT_LT(std::fabs(pr - x.at.rate / pi - parabola(x.at.rate)), 0.01);
      EXPECT_NEAR(x.at.inflow_pressure, pr - x.at.rate / pi, 1e-9);
      EXPECT_DOUBLE_EQ(x.at.residual, x.at.inflow_pressure - *x.at.outflow_pressure);
    }
    EXPECT_NEAR(p.rate, report[2].get<double>(), 0.02);
    EXPECT_NEAR(p.reported.residual, report[3].get<double>(), 0.01);
    // No crossing: rate 0, the residual of the first grid rate (the largest on the grid).
    if (outcome == NodalOutcome::no_crossing) {
      EXPECT_DOUBLE_EQ(p.reported.rate, 0.005 * aof);
    }
  }
}

// Injectivity p = 2500 + 0.25q up to 20 000 STB/d; tubing p = S − 5e-5q^2.
// S = 4300: 5e-5q^2 + 0.25q − 1800 = 0, (q − 4000)(q + 9000) = 0: 4000 STB/d at
// 3500 psi, tubing slope −0.4 below the injectivity's +0.25, stable. S = 2400: no
// crossing; the best grid point is the first, 2400 − 0.5 − 2525 = −125.5 at 100 STB/d.
TEST(OperatingPoint, WaterInjectorByHand) {
  for (const double s : {4300.0, 2400.0}) {
    const auto p = wf::solve_operating_point(
        {line(2500, 7500, 20000), [s](double q) { return std::optional(s - 5e-5 * q * q); }, 836,
         wf::WellDirection::injection});
    EXPECT_DOUBLE_EQ(p.static_column.residual, s - 2500);
    if (s == 4300) {
      ASSERT_EQ(p.outcome, NodalOutcome::flows);
      EXPECT_NEAR(p.rate, 4000, 0.02);
      EXPECT_NEAR(p.reported.inflow_pressure, 3500, 0.01);
      EXPECT_LT(std::fabs(p.reported.residual), 0.01);
      EXPECT_NEAR(p.crossings[0].slope_outflow, -0.4, 1e-6);
      EXPECT_EQ(p.message, "the well takes injection at this wellhead pressure");
    } else {
      ASSERT_EQ(p.outcome, NodalOutcome::no_crossing);
      EXPECT_DOUBLE_EQ(p.reported.rate, 100);
      EXPECT_NEAR(p.reported.residual, -125.5, 1e-9);
    }
  }
}

// A jump in the tubing curve at 1500 STB/d that the inflow line passes: the sign
// changes with no root, the bracket shrinks to nothing and the residual stays near
// 500 psi. Width alone never makes a root. And a tubing that fails at every rate
// after the grid: the crossing of the first row stays at the grid end nearer to
// zero, 16900·(11/39)^2 = 12100/9 STB/d, unconverged, with no slope to call it stable.
TEST(OperatingPoint, RootsThatCannotBeRefinedAreNotConverged) {
  const auto jump = wf::solve_operating_point(
      {line(3000, 0, 3000), [](double q) { return std::optional(q < 1500 ? 1000.0 : 2500.0); }});
  ASSERT_EQ(jump.crossings.size(), 1u);
  EXPECT_FALSE(jump.converged);
  EXPECT_NEAR(jump.rate, 1500, 1e-6 * 3000);
  EXPECT_GE(std::fabs(jump.reported.residual), 499);

  int calls = 0;
  const auto cut =
      wf::solve_operating_point({line(1690, 0, 16900), [&](double q) {
                                   return ++calls > 39 ? std::nullopt : std::optional(parabola(q));
                                 }});
  ASSERT_EQ(cut.crossings.size(), 1u);
  EXPECT_EQ(cut.outcome, NodalOutcome::no_stable_crossing);
  EXPECT_FALSE(cut.converged);
  EXPECT_DOUBLE_EQ(cut.rate, 16900 * 121 / 1521.0);
  EXPECT_NEAR(cut.reported.residual, 500 / 81.0, 1e-9);  // 500/9 − 2.5e-4·(4000/9)^2
  EXPECT_TRUE(std::isnan(cut.crossings[0].slope_outflow));
}

// Three crossings: inflow p = 3000 − q and tubing p = 3000 − q + 1e-6(q − 500)(q − 1200)(q − 2000).
// Tubing slopes −1 + 1e-6·(product derivative): 0.05 at 500 (stable), −1.56 at 1200
// (unstable), 0.2 at 2000 (stable); the operating point is the largest stable one.
TEST(OperatingPoint, ThreeCrossingsTakeTheLargestStable) {
  const auto p = wf::solve_operating_point(
      {line(3000, 0, 3000), [](double q) {
         return std::optional(3000 - q + 1e-6 * (q - 500) * (q - 1200) * (q - 2000));
       }});
  ASSERT_EQ(p.crossings.size(), 3u);
  const double rates[] = {500, 1200, 2000}, slopes[] = {0.05, -1.56, 0.2};
  for (int i = 0; i < 3; ++i) {
    EXPECT_NEAR(p.crossings[i].at.rate, rates[i], 0.02);
    EXPECT_NEAR(p.crossings[i].slope_outflow, slopes[i], 1e-4);
    EXPECT_EQ(p.crossings[i].stable, i != 1);
  }
  EXPECT_TRUE(p.flows);
  EXPECT_NEAR(p.rate, 2000, 0.02);
}

// The library's 25-point Vogel curve (2400 psi, 2800 STB/d) against a tubing curve
// that rises with the wellhead pressure: the rate never rises, and at 1300 psi (tubing
// minimum 2500 psi, above the reservoir pressure) the well does not flow.
TEST(OperatingPoint, RaisingTheWellheadPressureNeverRaisesTheRate) {
  wf::InflowCurve vogel;
  for (int k = 0; k <= 24; ++k) {
    const double x = (24 - k) / 24.0;
    vogel.rate.push_back(2800 * (1 - 0.2 * x - 0.8 * x * x));
    vogel.pressure.push_back(2400 * x);
  }
  const std::vector<double> whp = {100, 300, 500, 700, 900, 1100, 1300};
  const auto family = wf::operating_point_family(whp, [&](double w) {
    return wf::NodalProblem{
        vogel, [w](double q) { return std::optional(w + 1200 + 3e-4 * (q - 600) * (q - 600)); }, w};
  });
  ASSERT_EQ(family.size(), whp.size());
  EXPECT_TRUE(family.front().point.flows);
  EXPECT_EQ(family.back().point.outcome, NodalOutcome::no_crossing);
  for (std::size_t i = 1; i < family.size(); ++i) {
    EXPECT_LE(family[i].point.rate, family[i - 1].point.rate) << "at " << whp[i];
  }
  const json j = wf::operating_point_family_json(family, "wellhead_pressure", "psi gauge", "STB/d");
  EXPECT_EQ(j["points"][6]["value"], 1300.0);
  EXPECT_EQ(j["points"][6]["wellhead_pressure"], 1300.0);
}

TEST(OperatingPoint, UnusableInflowCurvesFailWithoutATraverse) {
  for (const json& c : data_file("operating_points.json")["unusable_inflow"]) {
    wf::InflowCurve curve;
    for (const json& v : c[0]) curve.rate.push_back(number(v));
    for (const json& v : c[1]) curve.pressure.push_back(number(v));
    int calls = 0;
    const auto p = wf::solve_operating_point({curve, [&](double) {
                                                ++calls;
                                                return std::optional(1.0);
                                              }});
    EXPECT_EQ(p.outcome, NodalOutcome::invalid_inflow_curve) << c;
    EXPECT_EQ(calls, 0);
    EXPECT_EQ(p.message.rfind("the inflow curve cannot be used: ", 0), 0u) << p.message;
  }
}

// The documents of the two-crossing row, of the no-crossing row and of a tubing
// that fails at every rate (nothing invented: nulls).
TEST(OperatingPoint, ResultDocument) {
  auto solve = [](double pr, double pi, bool fails) {
    const auto tubing = [fails](double q) { return std::optional(fails ? kNaN : parabola(q)); };
    return wf::operating_point_json(wf::solve_operating_point({line(pr, 0, pr * pi), tubing, 200}),
                                    "STB/d");
  };
  const json two = solve(1660, 10, false);
  EXPECT_NEAR(two["bottomhole_pressure"].get<double>(), 1533.431, 0.005);
  EXPECT_EQ(two["crossings"][0]["label"], "unstable");
  EXPECT_EQ(two["static_pressure"], 1702.5);

  const json none = solve(1400, 2, false);
  EXPECT_EQ(none["message"], "the well does not flow at this wellhead pressure");
  EXPECT_TRUE(none["bottomhole_pressure"].is_null());
  EXPECT_DOUBLE_EQ(none["residual_rate"].get<double>(), 14);

  const json failed = solve(1400, 2, true);
  for (const char* key : {"residual", "residual_rate", "static_pressure", "minimum"})
    EXPECT_TRUE(failed[key].is_null()) << key;
}
