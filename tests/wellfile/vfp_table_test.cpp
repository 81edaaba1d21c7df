// Lift tables: the deck text against hand-written decks (tests/wellfile/data), the row order, the
// axis checks, the fill policy, the surface rates and the METRIC conversion. The tables of
// cases are in data/vfp_cases.json.
#include "wellfile/vfp_table.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <sstream>

#include "wellfile_support.hpp"

namespace wf = dlv::wellfile;
using namespace wellfile_test;

namespace {

wf::VfpTable tiny_production() {
  wf::VfpTable t;
  t.table_number = 3;
  t.datum_depth = 8000;
  t.axes = {{500, 1000}, {100, 200}, {0}, {0.3}, {0}};
  t.bhp = {1500, 1650.5, 1600, 1750.25};
  return t;
}

// A hand-written deck of tests/wellfile/data.
std::string read_deck(const std::string& name) { return read_text("tests/wellfile/data/" + name); }

// The tiny production table with a case's changes.
wf::VfpTable table_of(const json& c) {
  wf::VfpTable t = tiny_production();
  if (c.contains("types")) set_vfp_types(t, c["types"]);
  set_vfp_axes(t.axes, c.value("axes", json::object()));
  t.table_number = c.value("table_number", t.table_number);
  if (c.contains("datum_depth")) t.datum_depth = number(c["datum_depth"]);
  if (c.value("units", "") == "METRIC") t.units = wf::VfpUnits::metric;
  t.bhp = c.value("bhp", t.bhp);
  return t;
}

}  // namespace

TEST(VfpDeckText, TablesMatchTheHandWrittenDecks) {
  for (const json& c : vfp_cases()["decks"]) {
    EXPECT_EQ(wf::vfp_deck_text(table_of(c)), read_deck(c["deck"])) << c["deck"];
  }
}

// Each pressure encodes its own 1-based indices (THP WFR GFR ALQ FLO as five
// digits), so a row written under the wrong indices or in the wrong order shows.
TEST(VfpDeckText, RowsRunThpOutermostAlqInnermostWithTheirOwnPressures) {
  wf::VfpTable t;
  t.alq = wf::VfpAlq::gas_rate;
  t.axes = {{1000, 2000}, {100, 200}, {0, 0.5}, {0.5, 1}, {0, 50}};
  auto index_of = [](const std::vector<double>& axis, double v) {
    return static_cast<int>(std::find(axis.begin(), axis.end(), v) - axis.begin()) + 1;
  };
  const auto result = wf::fill_vfp_table(
      t, [&](double q, double thp, double w, double g, double a) -> std::optional<double> {
        return 10000 * index_of(t.axes.thp, thp) + 1000 * index_of(t.axes.wfr, w) +
               100 * index_of(t.axes.gfr, g) + 10 * index_of(t.axes.alq, a) +
               index_of(t.axes.flo, q);
      });
  ASSERT_TRUE(result.problems.empty()) << problems_text(result.problems);
  EXPECT_TRUE(result.filled.empty());
  const std::string text = wf::vfp_deck_text(t);
  const std::string rows = read_deck("index_rows.vfp");  // the deck's last records
  ASSERT_GE(text.size(), rows.size());
  EXPECT_EQ(text.substr(text.size() - rows.size()), rows);
}

TEST(VfpDeckText, LongRecordsWrapBelowOneHundredColumnsKeepingEveryValue) {
  wf::VfpTable t = tiny_production();
  t.axes.flo.clear();
  for (int k = 1; k <= 40; ++k) t.axes.flo.push_back(123456.789 * k);
  t.bhp.assign(2 * 40, 12345.6789);
  std::istringstream deck(wf::vfp_deck_text(t));
  std::string line;
  int pressures = 0;
  for (std::size_t at; std::getline(deck, line);) {
    EXPECT_LT(line.size(), 100u) << line;
    for (at = 0; (at = line.find("12345.6789", at)) != std::string::npos; ++at) ++pressures;
  }
  EXPECT_EQ(pressures, 80);
}

TEST(VfpTableChecks, EachBadHeaderOrAxisIsReportedAtItsPath) {
  for (const json& c : vfp_cases()["checks"]) {
    SCOPED_TRACE(c.dump());
    wf::VfpTable t = table_of(c);
    const auto problems = wf::validate_vfp_table(t);
    EXPECT_TRUE(has_problem(problems, c["path"], c["message"])) << problems_text(problems);
    EXPECT_FALSE(wf::fill_vfp_table(t, [](double, double, double, double, double) {
                   return std::optional<double>(1000);
                 }).problems.empty());
  }
  // The Mscf/stb bound itself (100 000 scf/stb) is accepted.
  wf::VfpTable t = tiny_production();
  t.axes.gfr = {0.1, 100};
  EXPECT_TRUE(wf::validate_vfp_table(t).empty()) << problems_text(wf::validate_vfp_table(t));
  // The writer refuses invalid tables and incomplete or non-finite pressures.
  t.axes.thp = {200, 100};
  EXPECT_THROW(wf::vfp_deck_text(t), std::invalid_argument);
  t = tiny_production();
  t.bhp.pop_back();
  EXPECT_THROW(wf::vfp_deck_text(t), std::invalid_argument);
  t.bhp.push_back(std::nan(""));
  EXPECT_THROW(wf::vfp_deck_text(t), std::invalid_argument);
}

// The fill policy: producers fill above the row's largest computed pressure by
// 10 %, injectors at 14.7 psia, and filling never lets a column fall as the
// wellhead pressure rises.
TEST(VfpFill, FilledEntriesFollowThePolicyAndKeepColumnsMonotone) {
  for (const json& c : vfp_cases()["fill"]) {
    SCOPED_TRACE(c["what"].get<std::string>());
    wf::VfpTable t;
    set_vfp_types(t, c["types"]);
    t.axes = {{1000, 2000, 3000}, {100, 200}, {}, {}, {}};
    if (t.kind == wf::VfpKind::production)
      t.axes = {{1000, 2000, 3000}, {100, 200}, {0}, {0.5}, {0}};
    const std::vector<double> computed = c["computed"];
    const auto r = wf::fill_vfp_table(
        t, [&](double q, double thp, double, double, double) -> std::optional<double> {
          const double v = computed[(thp == 200 ? 3 : 0) + static_cast<std::size_t>(q / 1000) - 1];
          if (v == 0) return std::nullopt;
          return v;
        });
    ASSERT_TRUE(r.problems.empty()) << problems_text(r.problems);
    const std::vector<double> expected = c["expected"];
    ASSERT_EQ(t.bhp.size(), expected.size());
    for (std::size_t k = 0; k < expected.size(); ++k) EXPECT_DOUBLE_EQ(t.bhp[k], expected[k]) << k;
    std::vector<std::size_t> filled, falls;
    for (const auto& i : r.filled) filled.push_back(t.offset(i));
    for (const auto& i : r.falls) falls.push_back(t.offset(i));
    EXPECT_EQ(filled, c["filled"].get<std::vector<std::size_t>>());
    EXPECT_EQ(falls, c["falls"].get<std::vector<std::size_t>>());
  }
}

TEST(VfpFill, NonFiniteOrNonPositiveResultsAreFilledAndNothingLiftableIsAProblem) {
  wf::VfpTable t = tiny_production();
  auto r = wf::fill_vfp_table(t, [](double q, double thp, double, double, double) {
    if (thp == 200) return std::optional<double>(q == 500 ? -5.0 : INFINITY);
    return std::optional<double>(q == 500 ? std::nan("") : 2000.0);
  });
  ASSERT_TRUE(r.problems.empty());
  EXPECT_EQ(r.filled.size(), 3u);
  EXPECT_EQ(t.bhp, (std::vector<double>{2200, 2000, 2200, 2200}));

  r = wf::fill_vfp_table(
      t, [](double, double, double, double, double) { return std::optional<double>(); });
  ASSERT_EQ(r.problems.size(), 1u);
  EXPECT_NE(r.problems[0].message.find("none of the table's rates"), std::string::npos);
  EXPECT_TRUE(t.bhp.empty());
}

TEST(VfpFalls, AnIndexIsNamedByEachAxisValueAndUnit) {
  EXPECT_EQ(wf::vfp_index_text(tiny_production(), {1, 0, 0, 0, 1}),
            "THP 2 (200 psia), WFR 1 (0 stb/stb), GFR 1 (0.3 Mscf/stb), ALQ 1 (0), FLO 2 (1000 "
            "stb/d)");
}

TEST(VfpSurfaceRates, EachRateAndRatioTypeSplitsAsItsDefinitionSays) {
  for (const json& c : vfp_cases()["surface_rates"]) {
    SCOPED_TRACE(c["what"].get<std::string>());
    wf::VfpTable t;
    set_vfp_types(t, c["types"]);
    const json& at = c["at"];
    const auto r = wf::vfp_surface_rates(t, at[0], at[1], at[2], at[3]);
    const double got[] = {r.oil, r.water, r.gas, r.lift_gas};
    const char* names[] = {"oil", "water", "gas", "lift gas"};
    for (int k = 0; k < 4; ++k) {
      const double want = c["rates"][k];
      EXPECT_NEAR(got[k], want, 1e-9 * (1 + want)) << names[k];
    }
  }
}
