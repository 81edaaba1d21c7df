#include "tubing/traverse.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <string>
#include <vector>

#include "tables.hpp"

namespace {

using data_table::Row;
using dlv::Correlation;
using dlv::PathError;
using dlv::ProfileNode;
using dlv::SurveyStation;
using dlv::TraverseRequest;
using dlv::TraverseResult;
using dlv::TraverseStart;
using dlv::TraverseStatus;

struct Marched {
  TraverseResult result;
  std::vector<ProfileNode> profile;
};

Marched run(const TraverseRequest& r) {
  Marched out{{}, std::vector<ProfileNode>(2000)};
  out.result = dlv::traverse(r, out.profile);
  out.profile.resize(out.result.nodes);
  return out;
}

const ProfileNode* node_at(const Marched& m, double md) {
  for (const ProfileNode& n : m.profile) {
    if (std::fabs(n.measured_depth - md) < 1e-6) return &n;
  }
  return nullptr;
}

// One traverse of a case of traverse_cases.csv against what the case expects.
void check(const Row& row, const std::string& label, const Marched& m,
           const std::vector<Row>& nodes) {
  const char* const statuses[] = {"ok",      "cannot_lift", "failed",
                                  "runaway", "bad_path",    "bad_input"};
  const TraverseResult& r = m.result;
  const dlv::WholeWellDetails& d = r.whole_well;
  const ProfileNode first = m.profile.empty() ? ProfileNode{} : m.profile.front();
  const ProfileNode last = m.profile.empty() ? ProfileNode{} : m.profile.back();
  EXPECT_EQ(statuses[static_cast<int>(r.status)], row.text("status")) << label;
  EXPECT_FALSE(std::isnan(r.end_pressure)) << label;
  data_table::expect(
      row, label,
      {"steps", "nodes", "end_pressure", "stop_md", "last_pressure", "first_friction",
       "evaluations_per_step", "d_rho_v", "friction_factor", "k_bar", "wellhead_density",
       "node_density", "mean_density", "mean_z", "s", "iterations", "mid_pressure"},
      {double(r.steps), double(r.nodes), r.end_pressure, r.stop_measured_depth, last.pressure,
       first.friction, double(r.fluid_evaluations) / r.steps, d.d_rho_v, d.friction_factor, d.k_bar,
       d.wellhead_density, d.node_density, d.mean_density, d.mean_z, d.s, double(d.iterations),
       d.mid_pressure});
  if (row.has("last_pattern")) {
    EXPECT_EQ(dlv::flow_pattern_name(last.pattern), row.text("last_pattern")) << label;
  }
  if (row.has("stop_md")) {
    EXPECT_EQ(r.stop_measured_depth, last.measured_depth) << label;
  }
  for (const Row& n : nodes) {
    if (n.text("case") != row.text("case")) continue;
    const ProfileNode* at = node_at(m, n.number("md"));
    ASSERT_NE(at, nullptr) << n.where;
    data_table::expect(n, label, {"pressure"}, {at->pressure});
  }
}

// Published, hand-computed and bad-input traverses; see the table's notes.
TEST(Traverse, TableOfCases) {
  const std::vector<Row> nodes = data_table::read("traverse_nodes.csv");
  std::map<std::string, double> ends;
  for (const Row& row : data_table::read("traverse_cases.csv")) {
    for (Correlation c : guo_wells::correlations(row, false)) {
      TraverseRequest req = guo_wells::well(row.text("well"), c);
      guo_wells::set_fields(row, req);
      const std::string label = row.text("case") + " " + std::string(dlv::correlation_name(c));
      const Marched m = run(req);
      check(row, label, m, nodes);
      ends[row.text("case")] = m.result.end_pressure;
      if (!row.has("round_trip")) continue;
      req.start = TraverseStart::kNode;  // and back up from the node
      req.start_pressure = m.result.end_pressure;
      const Marched up = run(req);
      data_table::expect(row, label, {"round_trip", "round_trip_md"},
                         {up.result.end_pressure, up.profile.back().measured_depth});
    }
    if (row.has("same_as")) {
      const std::string& same = row.text("same_as");
      const auto pm = same.find("+-");
      EXPECT_NEAR(ends[row.text("case")], ends.at(same.substr(0, pm)),
                  std::stod(same.substr(pm + 2)))
          << row.where;
    }
    EXPECT_EQ(row.unread(), "") << row.where;
  }
}

// Survey stations (MD, TVD): (0, 0), (1000, 1000), (2000, 1990),
// (3000, 2940), (4000, 3806), (5000, 4672): dTVD/dMD = 1, 0.99, 0.95, 0.866,
// 0.866; bad surveys are refused.
TEST(Traverse, SurveyGeometry) {
  const SurveyStation survey[] = {{0, 0},       {1000, 1000}, {2000, 1990},
                                  {3000, 2940}, {4000, 3806}, {5000, 4672}};
  dlv::WellPath path;
  ASSERT_EQ(dlv::build_path(5000.0, 0.0, survey, path), PathError::kNone);
  ASSERT_EQ(path.segment_count, 5u);
  const double sines[] = {1.0, 0.99, 0.95, 0.866, 0.866};
  for (std::size_t i = 0; i < 5; ++i) EXPECT_NEAR(path.sine(i), sines[i], 1e-12);
  ASSERT_EQ(dlv::build_path(2500.0, 0.0, survey, path), PathError::kNone);
  EXPECT_EQ(path.segment_count, 3u);
  EXPECT_NEAR(path.node_vertical_depth(), 2465.0, 1e-9);
  EXPECT_NEAR(dlv::temperature_at(path, {80.0, 180.0}, 1500.0), 80.0 + 100.0 * 1495.0 / 2465.0,
              1e-9);

  const SurveyStation steep[] = {{1000, 1000}, {2000, 2000.1}};
  const SurveyStation back[] = {{1000, 1000}, {1000, 1000}, {2000, 1900}};
  const struct {
    std::span<const SurveyStation> survey;
    double node;
    PathError error;
  } rows[] = {{steep, 1500.0, PathError::kVerticalExceedsMeasured},
              {back, 1500.0, PathError::kDepthsNotIncreasing},
              {survey, 5001.0, PathError::kNodeBeyondSurvey},
              {{}, 0.0, PathError::kNodeNotPositive},
              {{}, std::numeric_limits<double>::quiet_NaN(), PathError::kNotFinite}};
  for (const auto& row : rows)
    EXPECT_EQ(dlv::build_path(row.node, 0.0, row.survey, path), row.error);

  // Every station is a node of the march.
  TraverseRequest req = guo_wells::well("poettmann_carpenter_field");
  req.geometry.survey = survey;
  const Marched r = run(req);
  ASSERT_EQ(r.result.status, TraverseStatus::kOk);
  for (const SurveyStation& s : survey)
    EXPECT_NE(node_at(r, s.measured_depth), nullptr) << s.measured_depth;
  EXPECT_NEAR(r.profile.back().vertical_depth, 4672.0, 1e-9);
}

TEST(Traverse, ShortProfileIsReportedNeverOverrun) {
  const TraverseRequest req = guo_wells::well("hagedorn_brown_sheet", Correlation::kHagedornBrown);
  const Marched full = run(req);
  std::vector<ProfileNode> small(6);
  const TraverseResult r = dlv::traverse(req, std::span(small.data(), 5));
  EXPECT_TRUE(r.profile_truncated);
  EXPECT_EQ(r.nodes, 5u);
  EXPECT_EQ(r.nodes_needed, full.result.nodes);
  EXPECT_EQ(r.end_pressure, full.result.end_pressure);
  EXPECT_EQ(small[5].pressure, 0.0);
}

}  // namespace
