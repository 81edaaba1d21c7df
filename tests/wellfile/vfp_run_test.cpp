// Lift tables of well files: published traverses found at their place in a
// table, the datum as a vertical depth, the fill of rates the tubing cannot
// carry, and the refusals of bad axes.
#include "wellfile/vfp_run.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <nlohmann/json.hpp>

#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

namespace {

wf::VfpAxes ax(std::vector<double> flo, std::vector<double> thp, std::vector<double> wfr = {},
               std::vector<double> gfr = {}, std::vector<double> alq = {}) {
  return {std::move(flo), std::move(thp), std::move(wfr), std::move(gfr), std::move(alq)};
}

}  // namespace

// Each published point is the first wellhead pressure, water and gas entry and
// the second rate of a table whose other axes differ: a conversion or an index
// out of place moves the value far from the published one.
TEST(VfpRun, PublishedTraversesSitAtTheirIndices) {
  for (const json& c : data_file("published.json")["lift_tables"]) {
    SCOPED_TRACE(c["source"].get<std::string>());
    wf::VfpAxes axes;
    set_vfp_axes(axes, c["axes"]);
    std::size_t reports = 0, last = 0;
    wf::VfpOptions o;
    o.progress = [&](std::size_t done, std::size_t total) {
      ++reports;
      last = done;
      EXPECT_LE(done, total);
    };
    const wf::VfpBuild b = wf::build_vfp_table(read_well(c["file"]), axes, o);
    ASSERT_TRUE(b.problems.empty()) << b.problems[0].text();
    EXPECT_EQ(b.table.kind,
              c["kind"] == "VFPINJ" ? wf::VfpKind::injection : wf::VfpKind::production);
    EXPECT_EQ(b.table.datum_depth, c["datum"].get<double>());
    EXPECT_TRUE(b.filled.empty());
    EXPECT_EQ(reports, b.table.value_count());
    EXPECT_EQ(last, b.table.value_count());
    EXPECT_NEAR(b.table.at({0, 0, 0, 0, 1}), c["bhp"].get<double>(), c["tolerance"].get<double>());
    EXPECT_TRUE(
        std::isfinite(b.table.at({1, b.table.wfr_count() - 1, b.table.gfr_count() - 1, 0, 0})));
  }
}

TEST(VfpRun, DatumIsAVerticalDepthAlongTheSurvey) {
  // Water of specific gravity 1.02 standing still: 62.4 * 1.02 / 144 psi/ft.
  const double gradient = 62.4 * 1.02 / 144;
  // The datum given and the pressure (psia) at zero rate from 1500 psia.
  const std::pair<std::optional<double>, double> cases[] = {{std::nullopt, 1500 + 6000 * gradient},
                                                            {3000.0, 1500 + 3000 * gradient}};
  for (const auto& [datum, expected] : cases) {
    wf::VfpOptions o;
    o.datum_depth = datum;
    const wf::VfpBuild b =
        wf::build_vfp_table(read_well("water_injector.json"), ax({0, 1000}, {1500, 2000}), o);
    ASSERT_TRUE(b.problems.empty()) << b.problems[0].text();
    EXPECT_NEAR(b.table.at({0, 0, 0, 0, 0}), expected, 0.01);
    EXPECT_NEAR(b.table.at({1, 0, 0, 0, 0}), expected + 500, 0.01);
  }
}

TEST(VfpRun, RatesTheTubingCannotCarryAreFilledAndReported) {
  // 200 000 stb/d in 2-in. tubing runs the pressure past 30 000 psia.
  const wf::VfpBuild b = wf::build_vfp_table(read_well("guo_hagedorn_brown.json"),
                                             ax({758, 200000}, {200, 400}, {0.1}, {0.1}, {0}), {});
  ASSERT_TRUE(b.problems.empty()) << b.problems[0].text();
  ASSERT_EQ(b.filled.size(), 2u);
  for (const wf::VfpIndex& i : b.filled) EXPECT_EQ(i.flo, 1u);
  EXPECT_GT(b.table.at({0, 0, 0, 0, 1}), b.table.at({0, 0, 0, 0, 0}));
  EXPECT_TRUE(b.falls.empty());
}

TEST(VfpRun, BadAxesAndOptionsAreRefusedBeforeAnyTraverse) {
  for (const json& c : vfp_cases()["build"]) {
    SCOPED_TRACE(c.dump());
    wf::VfpAxes axes;
    set_vfp_axes(axes, c["axes"]);
    wf::VfpOptions o;
    if (c.contains("datum_depth")) o.datum_depth = c["datum_depth"].get<double>();
    const wf::VfpBuild b = wf::build_vfp_table(read_well(c["file"]), axes, o);
    EXPECT_TRUE(has_problem(b.problems, c["path"], c["message"])) << problems_text(b.problems);
    EXPECT_TRUE(b.table.bhp.empty());
  }
}
