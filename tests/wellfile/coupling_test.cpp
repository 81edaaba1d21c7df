// The traverse coupling's model named in the well file: the default is the
// traverse library's, unchanged; a tubing correlation refers each point as a
// traverse by name of the same fluid over the same interval does. (Names the
// mode cannot use are among the cases of data/refusals.json.)
#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>
#include <tuple>

#include "wellfile/run_outcome.hpp"
#include "wellfile/tubing_run.hpp"
#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

namespace {

// Two oil layers around a reference depth of 8000 ft: one 150 ft below, one
// 100 ft above.
json two_layer_well() { return refusals()["wells"]["two_layer_oil"]; }

}  // namespace

TEST(CouplingByName, DefaultAndPtravKeepTheTraverseLibrarysCurves) {
  json doc = two_layer_well();
  const wf::RunOutcome plain = wf::run_well(doc);
  ASSERT_TRUE(plain.problems.empty()) << plain.problems[0].text();
  doc["traverse"]["correlation"] = "ptrav";
  const wf::RunOutcome named = wf::run_well(doc);
  ASSERT_TRUE(named.problems.empty());
  EXPECT_EQ(plain.result.dump(), named.result.dump());
  EXPECT_EQ(plain.blocks.traverse_curves, named.blocks.traverse_curves);
  EXPECT_TRUE(plain.result["summary"]["traverse_coupling"].get<bool>());
}

TEST(CouplingByName, EachPointIsTheTraverseOfTheLayersFluidOverItsInterval) {
  // Layer 0 lies below the reference (traversed up from the layer), layer 1
  // above it (traversed down from the layer); point 0 is the static column.
  // The coupling's tubing: 2.441 in, 0.0006 in, 80 F plus 0.015 F/ft.
  // The layer, the interval's top and bottom (ft) and the end a traverse starts from.
  const std::tuple<int, double, double, dlv::TraverseStart> cases[] = {
      {0, 8000, 8150, dlv::TraverseStart::kNode}, {1, 7900, 8000, dlv::TraverseStart::kWellhead}};
  for (const char* correlation : {"hagedorn_brown", "beggs_brill", "no_slip"}) {
    json doc = two_layer_well();
    doc["traverse"]["correlation"] = correlation;
    const wf::RunOutcome out = wf::run_well(doc);
    ASSERT_TRUE(out.problems.empty()) << out.problems[0].text();
    EXPECT_EQ(out.result["summary"]["traverse_coupling_correlation"], correlation);
    for (const auto& [layer, top, bottom, from] : cases) {
      const json& t = out.result["layers"][layer]["traverse_curve"];
      json one = two_layer_well();
      one["layers"] = json::array({one["layers"][layer]});
      one.erase("well");
      one["layers"][0].erase("layer_depth");
      for (int i : {0, 6}) {
        const double rate = t["rate"][i].get<double>();
        const double start = t["pressure"][i].get<double>();
        const double referred = start - t["drawdown"][i].get<double>();
        one["tubing"] = {{"correlation", correlation},
                         {"wellhead_pressure", start},
                         {"wellhead_temperature", 80 + 0.015 * top},
                         {"bottomhole_temperature", 80 + 0.015 * bottom},
                         {"depth", bottom - top},
                         {"inside_diameter", 2.441},
                         {"roughness", 0.0006}};
        const wf::RunOutcome trav = wf::run_traverse(one, {rate, from, start});
        ASSERT_TRUE(trav.problems.empty()) << trav.problems[0].text();
        const char* end = layer == 0 ? "wellhead_pressure" : "bottomhole_pressure";
        EXPECT_NEAR(referred, trav.result[end].get<double>(), 1e-9)
            << correlation << " layer " << layer << " point " << i;
        // The oil column's weight by hand: about 0.3 psi/ft, lower up the well.
        const double per_ft = std::abs(referred - start) / (bottom - top);
        EXPECT_GT(per_ft, 0.25);
        EXPECT_LT(per_ft, 0.40);
        EXPECT_EQ(referred < start, layer == 0);
      }
    }
  }
}
