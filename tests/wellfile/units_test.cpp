// Unit systems: the conversion factors against hand calculation and published
// equivalences, metric twins of example wells against their field wells, by
// name and by the command. (Metric wells checked in metric are among the cases
// of data/refusals.json; a unit system the command does not know and a quick
// curve in metric are in data/commands.json.)
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "wellfile/run_outcome.hpp"
#include "wellfile/tubing_run.hpp"
#include "wellfile/units_table.hpp"
#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;
using wf::Quantity;

// The rows of data/unit_factors.json, each quantity found by its name.
TEST(UnitsTable, FactorsMatchHandCalculationAndPublishedEquivalences) {
  for (const json& r : data_file("unit_factors.json")["factors"]) {
    SCOPED_TRACE(r.dump());
    int k = 0;
    while (r["quantity"] != wf::quantity_units(static_cast<Quantity>(k)).name &&
           static_cast<Quantity>(k) != Quantity::surface_term)
      ++k;
    const Quantity q = static_cast<Quantity>(k);
    const double field = r["field"], metric = r["metric"];
    ASSERT_EQ(r["quantity"], std::string(wf::quantity_units(q).name));
    EXPECT_NEAR(wf::to_metric(q, field), metric, 1e-6 * std::fabs(metric) + 1e-12);
    EXPECT_NEAR(wf::to_field(q, wf::to_metric(q, field)), field, 1e-12 * std::fabs(field) + 1e-12);
  }
  // Gauge and absolute pressures keep distinct texts in both systems.
  EXPECT_STRNE(wf::unit_text(Quantity::pressure_gauge, wf::UnitSystem::metric),
               wf::unit_text(Quantity::pressure_absolute, wf::UnitSystem::metric));
}

TEST(UnitsTable, MetricTwinsGiveTheFieldResults) {
  for (const std::string name : {"vogel_oil", "darcy_gas"}) {
    const fs::path file = kSource / "examples/wells" / (name + ".json");
    const json field = read_json(file);
    const json metric = read_json(kSource / "examples/wells" / (name + "_metric.json"));
    const wf::RunOutcome f = wf::run_well(field), m = wf::run_well(metric);
    ASSERT_EQ(problems_text(f.problems) + problems_text(m.problems), "") << name;
    EXPECT_TRUE(m.fallbacks.empty()) << name;
    EXPECT_EQ(m.result["units"]["pressure"], "bar gauge");
    // The metric result is the field result converted; asked for in field
    // units, the metric well gives the field result itself.
    expect_close(m.result, wf::convert_result(f.result, wf::UnitSystem::metric), name, 1e-9, true);
    expect_close(wf::run_well(metric, wf::UnitSystem::field).result, f.result, name, 1e-9, true);
    // The command asked for metric units gives the metric twin's result.
    const Command got = run_dlv("run " + file.string() + " --units metric --format json");
    EXPECT_EQ(got.status, 0);
    expect_close(json::parse(got.out), m.result, "cli", 1e-9, true);
  }
}

TEST(UnitsTable, MetricTubingTraversesLikeItsFieldTwin) {
  // Guo's Hagedorn-Brown well with every number in metric units by hand.
  const json field = read_well("guo_hagedorn_brown.json");
  const json metric = read_json("tests/wellfile/data/guo_hagedorn_brown_metric.json");
  EXPECT_EQ(wf::to_field_document(field), field);  // a field document is returned as it is
  const auto wellhead = dlv::TraverseStart::kWellhead;
  const wf::RunOutcome f = wf::run_traverse(field, {758, wellhead, std::nullopt});
  const wf::RunOutcome m = wf::run_traverse(metric, {758 * 0.158987294928, wellhead, std::nullopt},
                                            wf::UnitSystem::field);
  ASSERT_EQ(problems_text(f.problems) + problems_text(m.problems), "");
  expect_close(m.result, f.result, "traverse", 1e-9, true);
}
