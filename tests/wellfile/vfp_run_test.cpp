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

json read_well(const char* name) {
  return read_json(fs::path("tests/wellfile/tubing_wells") / name);
}

wf::VfpAxes ax(std::vector<double> flo, std::vector<double> thp, std::vector<double> wfr = {},
               std::vector<double> gfr = {}, std::vector<double> alq = {}) {
  return {std::move(flo), std::move(thp), std::move(wfr), std::move(gfr), std::move(alq)};
}

}  // namespace

TEST(VfpRun, PublishedTraversesSitAtTheirIndices) {
  // Each published point is the first wellhead pressure, water and gas entry
  // and the second rate of a table whose other axes differ: a conversion or an
  // index out of place moves the value far from the published one.
  struct Case {
    const char* file;
    wf::VfpAxes axes;
    wf::VfpKind kind;
    double datum;  // ft vertical
    double bhp;    // psia
    double tolerance;
    const char* source;
  };
  const Case cases[] = {
      {"guo_hagedorn_brown.json",
       ax({500, 758}, {200, 400}, {0.1, 0.3}, {83.333333333333 / 1000, 0.5}, {}),
       wf::VfpKind::production, 9700, 3127, 1.0,
       "Guo et al. (2007), Hagedorn-Brown spreadsheet, 758 STB/d, GOR 83.3 scf/STB"},
      {"dry_gas.json", ax({2000, 4000}, {1000, 1200}, {0, 0.01}, {0, 0.02}, {0}),
       wf::VfpKind::production, 8000, 1342.23, 0.05,
       "average temperature and z by hand, 4000 Mscf/d from 1000 psia"},
      {"water_injector.json", ax({1000, 3000}, {1500, 2000}, {}, {}, {}), wf::VfpKind::injection,
       6000, 4101.48, 0.05,
       "water column less Colebrook friction by hand, 6000 ft TVD, 6500 ft MD"},
  };
  for (const Case& c : cases) {
    std::size_t reports = 0, last = 0;
    wf::VfpOptions o;
    o.progress = [&](std::size_t done, std::size_t total) {
      ++reports;
      last = done;
      EXPECT_LE(done, total);
    };
    const wf::VfpBuild b = wf::build_vfp_table(read_well(c.file), c.axes, o);
    ASSERT_TRUE(b.problems.empty()) << c.file << ": " << b.problems[0].text();
    EXPECT_EQ(b.table.kind, c.kind) << c.file;
    EXPECT_EQ(b.table.datum_depth, c.datum) << c.file;
    EXPECT_TRUE(b.filled.empty()) << c.file;
    EXPECT_EQ(reports, b.table.value_count()) << c.file;
    EXPECT_EQ(last, b.table.value_count()) << c.file;
    EXPECT_NEAR(b.table.at({0, 0, 0, 0, 1}), c.bhp, c.tolerance) << c.source;
    EXPECT_TRUE(
        std::isfinite(b.table.at({1, b.table.wfr_count() - 1, b.table.gfr_count() - 1, 0, 0})))
        << c.file;
  }
}

TEST(VfpRun, DatumIsAVerticalDepthAlongTheSurvey) {
  // Water of specific gravity 1.02 standing still: 62.4 * 1.02 / 144 psi/ft.
  const double gradient = 62.4 * 1.02 / 144;
  struct Case {
    std::optional<double> datum;
    double expected;  // psia at zero rate from 1500 psia
  };
  for (const Case& c :
       {Case{std::nullopt, 1500 + 6000 * gradient}, Case{3000.0, 1500 + 3000 * gradient}}) {
    wf::VfpOptions o;
    o.datum_depth = c.datum;
    const wf::VfpBuild b =
        wf::build_vfp_table(read_well("water_injector.json"), ax({0, 1000}, {1500, 2000}), o);
    ASSERT_TRUE(b.problems.empty()) << b.problems[0].text();
    EXPECT_NEAR(b.table.at({0, 0, 0, 0, 0}), c.expected, 0.01);
    EXPECT_NEAR(b.table.at({1, 0, 0, 0, 0}), c.expected + 500, 0.01);
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
    const wf::VfpBuild b =
        wf::build_vfp_table(read_well(c["file"].get<std::string>().c_str()), axes, o);
    EXPECT_TRUE(has_problem(b.problems, c["path"], c["message"])) << problems_text(b.problems);
    EXPECT_TRUE(b.table.bhp.empty());
  }
}
