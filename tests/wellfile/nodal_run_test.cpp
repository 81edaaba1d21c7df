// Operating points by name: the published Hagedorn-Brown spreadsheet point,
// every point on both curves, the wellhead pressure never raising the rate,
// wells with no crossing and two crossings, and a sensitivity read.
// (Fall-backs of a sensitivity are among the cases of data/refusals.json.)
#include "wellfile/nodal_run.hpp"

#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "wellfile/run_outcome.hpp"
#include "wellfile/tubing_run.hpp"
#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

namespace {

const fs::path kExamples = "examples/wells";

wf::NodalAsk varying(const char* field, std::vector<double> values) {
  wf::NodalAsk ask;
  ask.vary = wf::NodalVary{field, std::move(values)};
  return ask;
}

}  // namespace

TEST(NodalByName, GuoHagedornBrownSpreadsheetPoint) {
  // Guo, Lyons and Ghalambor (2007), Hagedorn-Brown spreadsheet: 758 STB/d
  // gives 3127 psia at 9700 ft from 200 psia. A straight line through that
  // point from 4000 psia (J = 758/873) must meet the tubing there.
  const wf::RunOutcome out = wf::run_nodal(read_well("guo_hagedorn_brown.json"));
  ASSERT_TRUE(out.problems.empty()) << out.problems[0].text();
  const json& r = out.result;
  EXPECT_TRUE(r["flows"].get<bool>());
  EXPECT_NEAR(r["rate"].get<double>(), 758, 758 * 0.005);
  EXPECT_NEAR(r["bottomhole_pressure"].get<double>() + 14.7, 3127, 3127 * 0.005);
  // Water cut 0.1: nine tenths of the liquid is oil.
  EXPECT_NEAR(r["oil_rate"].get<double>(), 0.9 * r["rate"].get<double>(), 1e-9);
  EXPECT_EQ(r["traverse"]["status"], "ok");
  EXPECT_NEAR(r["traverse"]["profile"]["pressure"].back().get<double>(),
              r["bottomhole_pressure"].get<double>(), 0.01);
}

TEST(NodalByName, EveryPointLiesOnBothCurves) {
  for (const std::string path : data_file("operating_points.json")["wells"]) {
    SCOPED_TRACE(path);
    const json doc = read_json(path);
    const wf::RunOutcome out = wf::run_nodal(doc);
    ASSERT_TRUE(out.problems.empty()) << out.problems[0].text();
    EXPECT_TRUE(out.fallbacks.empty());
    const json& r = out.result;
    ASSERT_TRUE(r["flows"].get<bool>());
    const double q = r["rate"].get<double>(), p = r["bottomhole_pressure"].get<double>();
    EXPECT_LT(std::abs(r["residual"].get<double>()), 0.01);
    // The inflow side, read afresh from the well's own curve.
    EXPECT_NEAR(*wf::well_curve_pressure(wf::run_well(doc).result, q), p, 0.01);
    // The tubing side, traversed afresh from the wellhead.
    const wf::TubingInput tubing_input = *wf::read_tubing(doc);
    const wf::PreparedTubing tubing(doc, tubing_input);
    const wf::TraverseRun run = wf::run_tubing(tubing, q, tubing_input.wellhead_pressure + 14.7,
                                               dlv::TraverseStart::kWellhead);
    EXPECT_NEAR(run.result.end_pressure - 14.7, p, 0.01);
    EXPECT_LE(r["traverses"].get<int>(), 70);
  }
}

TEST(NodalByName, HarderLiftingNeverRaisesTheRate) {
  for (const json& c : data_file("operating_points.json")["harder_lifting"]) {
    SCOPED_TRACE(c.dump());
    const std::vector<double> values = c["values"];
    const wf::RunOutcome out =
        wf::run_nodal(read_json(c["file"].get<std::string>()),
                      varying(c["field"].get<std::string>().c_str(), values));
    ASSERT_TRUE(out.problems.empty()) << out.problems[0].text();
    const json& points = out.result["points"];
    ASSERT_EQ(points.size(), values.size());
    for (std::size_t i = 1; i < points.size(); ++i)
      EXPECT_LE(points[i]["rate"].get<double>(), points[i - 1]["rate"].get<double>())
          << "at " << values[i];
  }
}

TEST(NodalByName, NoCrossingAndTwoCrossingsAreAnswers) {
  // 2400 psi gauge at the wellhead: the liquid column alone (about 0.37 psi/ft
  // over 9700 ft) already exceeds the 3985 psi gauge reservoir (the command's
  // exit status 0 for it is in data/commands.json).
  const json none = wf::run_nodal(read_json("tests/wellfile/data/command/no_flow.json")).result;
  EXPECT_FALSE(none["flows"].get<bool>());
  EXPECT_EQ(none["outcome"], "does_not_flow");
  EXPECT_EQ(none["rate"], 0);
  EXPECT_TRUE(none["traverse"].is_null());
  EXPECT_FALSE(none["minimum"].is_null());

  // Poettmann and Carpenter's friction grows without bound as the rate falls
  // to zero, so its tubing curve crosses the inflow a second time at low rate.
  const json two = wf::run_nodal(read_well("guo_poettmann_carpenter.json")).result;
  ASSERT_EQ(two["crossings"].size(), 2u);
  EXPECT_EQ(two["crossings"][0]["label"], "unstable");
  EXPECT_EQ(two["crossings"][1]["label"], "stable");
  EXPECT_TRUE(two["flows"].get<bool>());
  EXPECT_EQ(two["rate"], two["crossings"][1]["rate"]);
}

// (Wells and sensitivities refused before anything is computed are among the
// cases of data/refusals.json; unreadable sensitivities and the command's exit
// statuses are in data/commands.json.)
TEST(NodalByName, ASensitivityReadsAsAFieldAndItsValues) {
  std::vector<wf::Problem> problems;
  const auto vary = wf::parse_nodal_vary("water_cut=0,0.25,0.5", problems);
  ASSERT_TRUE(vary);
  EXPECT_EQ(vary->field, "water_cut");
  EXPECT_EQ(vary->values, (std::vector<double>{0, 0.25, 0.5}));
}
