#include "tubing/traverse.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <numbers>
#include <random>
#include <vector>

#include "guo_wells.hpp"

namespace {

using dlv::Correlation;
using dlv::FlowDirection;
using dlv::PathError;
using dlv::ProfileNode;
using dlv::SurveyStation;
using dlv::TraverseRequest;
using dlv::TraverseResult;
using dlv::TraverseStart;
using dlv::TraverseStatus;
using dlv::TubingFluidModel;

struct Marched {
  TraverseResult result;
  std::vector<ProfileNode> profile;
};

Marched run(const TraverseRequest& r, std::size_t capacity = 2000) {
  Marched out;
  out.profile.resize(capacity);
  out.result = dlv::traverse(r, out.profile);
  out.profile.resize(out.result.nodes);
  return out;
}

double pressure_at(const Marched& r, double md) {
  for (const ProfileNode& n : r.profile) {
    if (std::fabs(n.measured_depth - md) < 1e-6) return n.pressure;
  }
  return std::numeric_limits<double>::quiet_NaN();
}

// Guo et al. (2007) Ex 4.4 spreadsheet, its 30 published node pressures,
// reproduced with the original Hagedorn-Brown and the stock-tank fluid.
TEST(Traverse, OriginalHagedornBrownReproducesGuosSpreadsheet) {
  const double published[30] = {200,  267,  338,  415,  495,  579,  667,  757,  850,  945,
                                1042, 1142, 1243, 1345, 1450, 1555, 1662, 1770, 1879, 1989,
                                2100, 2212, 2324, 2437, 2551, 2665, 2780, 2895, 3011, 3127};
  const Marched r = run(guo_wells::hagedorn_brown_sheet(Correlation::kHagedornBrownOriginal));
  ASSERT_EQ(r.result.status, TraverseStatus::kOk);
  ASSERT_EQ(r.profile.size(), 30u);
  EXPECT_EQ(r.result.steps, 29);
  for (int i = 0; i < 30; ++i) {
    EXPECT_NEAR(r.profile[i].measured_depth, 9700.0 * i / 29.0, 1e-9);
    EXPECT_NEAR(r.profile[i].pressure, published[i], 1.0) << "node " << i;
  }
}

// Own computations with the equations Guo's spreadsheet implements: the
// modified Hagedorn-Brown (97 steps of 100 ft); water injection down a
// deviated tubing (3000 bbl/d, water 1.02 at 0.6 cp, 2.992 in, 0.0006 in,
// TVD 6000, MD 6500, 1500 psia).
TEST(Traverse, MarchedCasesMatchHandComputations) {
  const Marched hb = run(guo_wells::hagedorn_brown_sheet(Correlation::kHagedornBrown));
  ASSERT_EQ(hb.result.status, TraverseStatus::kOk);
  EXPECT_EQ(hb.result.steps, 97);
  const double depths[] = {3300.0, 6700.0, 8000.0, 9700.0};
  const double expected[] = {1126.5, 2313.8, 2780.1, 3393.7};
  for (int i = 0; i < 4; ++i) {
    EXPECT_NEAR(pressure_at(hb, depths[i]), expected[i], 1.0) << depths[i];
  }

  TraverseRequest inj;
  inj.correlation = Correlation::kNoSlip;
  inj.flow = FlowDirection::kDown;
  inj.geometry.node_depth = 6500.0;
  inj.geometry.inclination = std::acos(6000.0 / 6500.0) * 180.0 / std::numbers::pi;
  inj.geometry.inside_diameter = 2.992;
  inj.geometry.roughness = 0.0006;
  inj.temperatures = {100.0, 150.0};
  inj.fluid.model = TubingFluidModel::kStockTank;
  inj.fluid.water_cut = 1.0;
  inj.fluid.water_sg = 1.02;
  inj.fluid.water_viscosity = 0.6;
  inj.rate = 3000.0;
  inj.start_pressure = 1500.0;
  const Marched w = run(inj);
  ASSERT_EQ(w.result.status, TraverseStatus::kOk);
  EXPECT_NEAR(w.result.end_pressure, 4101.48, 0.01);
  EXPECT_EQ(w.profile.back().pattern, dlv::FlowPattern::kLiquid);
}

// At zero rate every correlation gives the static column. The stock-tank
// liquid's density does not change with pressure, so the column is
// 200 + 52.88809 * 9700 / 144 psia (Poettmann and Carpenter weigh a stb of
// water as 350.17 lbm in 5.615 ft3 instead of 62.4 lbm/ft3).
TEST(Traverse, ZeroRateIsTheStaticColumnForEveryCorrelation) {
  const double column = 200.0 + 52.88809 * 9700.0 / 144.0;
  struct Row {
    Correlation correlation;
    double expected;
  };
  const Row rows[] = {
      {Correlation::kNoSlip, column},
      {Correlation::kHagedornBrown, column},
      {Correlation::kHagedornBrownOriginal, column},
      {Correlation::kBeggsBrill, column},
      {Correlation::kGray, column},
      {Correlation::kPoettmannCarpenter, 200.0 + 52.88809 * 350.17 / (62.4 * 5.615) * 9700 / 144},
  };
  for (const Row& row : rows) {
    TraverseRequest req = guo_wells::hagedorn_brown_sheet(row.correlation);
    req.rate = 0.0;
    const Marched r = run(req);
    ASSERT_EQ(r.result.status, TraverseStatus::kOk) << dlv::correlation_name(row.correlation);
    EXPECT_NEAR(r.result.end_pressure, row.expected, 0.01)
        << dlv::correlation_name(row.correlation);
    EXPECT_EQ(r.profile.front().friction, 0.0);
  }
  // A gas well at rest (0.70 gas, 8000 ft, 1000 psia): the marched gas column
  // and Cullender-Smith integrate the same column; the average T and z
  // takes z at the mean pressure and temperature, within a psi of it.
  double ends[3];
  const Correlation gas_models[] = {Correlation::kNoSlip, Correlation::kAverageTemperatureZ,
                                    Correlation::kCullenderSmith};
  for (int i = 0; i < 3; ++i) {
    TraverseRequest g = guo_wells::dry_gas(gas_models[i]);
    g.rate = 0.0;
    const Marched r = run(g);
    ASSERT_EQ(r.result.status, TraverseStatus::kOk);
    ends[i] = r.result.end_pressure;
  }
  EXPECT_NEAR(ends[0], ends[1], 1.0);
  EXPECT_NEAR(ends[0], ends[2], 0.1);
}

// Down from the wellhead and back up from the node returns the wellhead
// pressure; halving every step of a continuous case moves the node pressure
// by less than 0.1 psi.
TEST(Traverse, IdentitiesOfTheMarch) {
  for (Correlation c :
       {Correlation::kNoSlip, Correlation::kHagedornBrown, Correlation::kBeggsBrill}) {
    TraverseRequest req = guo_wells::poettmann_carpenter_field(c);
    const Marched down = run(req);
    ASSERT_EQ(down.result.status, TraverseStatus::kOk);
    req.start = TraverseStart::kNode;
    req.start_pressure = down.result.end_pressure;
    const Marched up = run(req);
    ASSERT_EQ(up.result.status, TraverseStatus::kOk);
    EXPECT_NEAR(up.result.end_pressure, 500.0, 0.5) << dlv::correlation_name(c);
    EXPECT_EQ(up.profile.back().measured_depth, 0.0);
  }
  TraverseRequest coarse = guo_wells::poettmann_carpenter_field(Correlation::kNoSlip);
  TraverseRequest fine = coarse;
  fine.max_step = 50.0;
  const Marched a = run(coarse);
  const Marched b = run(fine);
  EXPECT_NEAR(a.result.end_pressure, b.result.end_pressure, 0.1);
  // Every accepted step evaluates the fluid at new points only.
  EXPECT_LE(a.result.fluid_evaluations, 5 * a.result.steps);
}

// Guo's spreadsheet steps on a vertical 10 000 ft well (1500 stb/d, GLR
// 500, WC 30 %, 35 API, Guo's black oil): each step's dTVD / dMD may round
// above 1, and the march must still end.
TEST(Traverse, SpreadsheetStepsEndOnAVerticalWell) {
  TraverseRequest req = guo_wells::poettmann_carpenter_field(Correlation::kHagedornBrownOriginal);
  req.geometry.node_depth = 10000.0;
  req.geometry.inside_diameter = 2.441;
  req.temperatures = {100.0, 200.0};
  req.fluid.api_gravity = 35.0;
  req.fluid.gas_sg = 0.7;
  req.fluid.water_fvf = 0.0;
  req.fluid.water_cut = 0.3;
  req.fluid.gas_liquid_ratio = 500.0;
  req.rate = 1500.0;
  req.start_pressure = 150.0;
  const Marched r = run(req);
  EXPECT_EQ(r.result.status, TraverseStatus::kOk);
  EXPECT_EQ(r.result.steps, 29);
}

// A well that cannot lift its rate: from a 300-psia node at 9700 ft the
// column reaches 14.7 psia before the wellhead. The result is a flag and the
// last node, within a 1-ft step of atmospheric pressure.
TEST(Traverse, RateTheWellCannotLiftGivesTheFlagAndTheDepth) {
  TraverseRequest req = guo_wells::hagedorn_brown_sheet(Correlation::kHagedornBrown);
  req.start = TraverseStart::kNode;
  req.start_pressure = 300.0;
  const Marched r = run(req);
  EXPECT_EQ(r.result.status, TraverseStatus::kCannotLift);
  EXPECT_EQ(r.result.end_pressure, 0.0);
  // Shallower than where a column of the dead liquid alone (0.3673 psi/ft)
  // would end, 9700 - 285.3 / 0.3673 ft: the gas lightens the column.
  EXPECT_GT(r.result.stop_measured_depth, 0.0);
  EXPECT_LT(r.result.stop_measured_depth, 9700.0 - 285.3 / 0.3673);
  EXPECT_EQ(r.result.stop_measured_depth, r.profile.back().measured_depth);
  EXPECT_GT(r.profile.back().pressure, 14.7);
  EXPECT_LT(r.profile.back().pressure, 15.5);
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
  struct Row {
    std::span<const SurveyStation> survey;
    double node;
    PathError error;
  };
  const Row rows[] = {{steep, 1500.0, PathError::kVerticalExceedsMeasured},
                      {back, 1500.0, PathError::kDepthsNotIncreasing},
                      {survey, 5001.0, PathError::kNodeBeyondSurvey},
                      {{}, 0.0, PathError::kNodeNotPositive},
                      {{}, std::numeric_limits<double>::quiet_NaN(), PathError::kNotFinite}};
  for (const Row& row : rows)
    EXPECT_EQ(dlv::build_path(row.node, 0.0, row.survey, path), row.error);

  // Every station is a node of the march.
  TraverseRequest req = guo_wells::poettmann_carpenter_field(Correlation::kNoSlip);
  req.geometry.survey = survey;
  const Marched r = run(req);
  ASSERT_EQ(r.result.status, TraverseStatus::kOk);
  for (const SurveyStation& s : survey) {
    EXPECT_FALSE(std::isnan(pressure_at(r, s.measured_depth))) << s.measured_depth;
  }
  EXPECT_NEAR(r.profile.back().vertical_depth, 4672.0, 1e-9);
}

TEST(Traverse, ShortProfileIsReportedNeverOverrun) {
  const TraverseRequest req = guo_wells::hagedorn_brown_sheet(Correlation::kHagedornBrown);
  const Marched full = run(req);
  std::vector<ProfileNode> small(6);
  const ProfileNode sentinel{};
  small.push_back(sentinel);
  const TraverseResult r = dlv::traverse(req, std::span(small.data(), 5));
  EXPECT_TRUE(r.profile_truncated);
  EXPECT_EQ(r.nodes, 5u);
  EXPECT_EQ(r.nodes_needed, full.result.nodes);
  EXPECT_EQ(r.end_pressure, full.result.end_pressure);
  EXPECT_EQ(small[5].pressure, 0.0);
}

TEST(Traverse, BadInputNeverCrashes) {
  static constexpr double nan = std::numeric_limits<double>::quiet_NaN();
  static constexpr double inf = std::numeric_limits<double>::infinity();
  struct Row {
    const char* what;
    void (*change)(TraverseRequest&);
    TraverseStatus status;
  };
  const Row rows[] = {
      {"nan rate", [](TraverseRequest& r) { r.rate = nan; }, TraverseStatus::kBadInput},
      {"inf pressure", [](TraverseRequest& r) { r.start_pressure = inf; },
       TraverseStatus::kBadInput},
      {"zero diameter", [](TraverseRequest& r) { r.geometry.inside_diameter = 0.0; },
       TraverseStatus::kBadInput},
      {"below absolute zero", [](TraverseRequest& r) { r.temperatures.node = -500.0; },
       TraverseStatus::kBadInput},
      {"huge depth", [](TraverseRequest& r) { r.geometry.node_depth = 1e300; },
       TraverseStatus::kBadInput},
      {"nan depth", [](TraverseRequest& r) { r.geometry.node_depth = nan; },
       TraverseStatus::kBadInput},
      {"negative depth", [](TraverseRequest& r) { r.geometry.node_depth = -10.0; },
       TraverseStatus::kBadPath},
      {"atmospheric start", [](TraverseRequest& r) { r.start_pressure = 14.7; },
       TraverseStatus::kCannotLift},
      {"nan gravity", [](TraverseRequest& r) { r.fluid.gas_sg = nan; }, TraverseStatus::kFailed},
  };
  for (Correlation c : guo_wells::kEveryCorrelation) {
    for (const Row& row : rows) {
      TraverseRequest req = guo_wells::hagedorn_brown_sheet(c);
      row.change(req);
      const Marched r = run(req);
      EXPECT_EQ(r.result.status, row.status) << dlv::correlation_name(c) << ": " << row.what;
      EXPECT_FALSE(std::isnan(r.result.end_pressure));
    }
  }
}

// Seeded requests whose numbers are drawn from special values (NaN,
// infinities, zeros, negatives, extremes) and ordinary ones: every traverse
// ends with a status, never a NaN end pressure, never more nodes than fit.
TEST(Traverse, SpecialValuesAlwaysEndWithAStatus) {
  const double special[] = {std::numeric_limits<double>::quiet_NaN(),
                            std::numeric_limits<double>::infinity(),
                            -std::numeric_limits<double>::infinity(),
                            0.0,
                            -1.0,
                            1e-300,
                            1e300,
                            0.5,
                            30.0,
                            1000.0};
  std::mt19937 rng(20260);
  std::uniform_int_distribution<int> pick(0, 10 * std::size(special) - 1);
  auto value = [&](double ordinary) {
    const int k = pick(rng);
    return k < static_cast<int>(std::size(special)) ? special[k] : ordinary;
  };
  std::vector<ProfileNode> profile(40);
  for (int k = 0; k < 400; ++k) {
    TraverseRequest r = guo_wells::hagedorn_brown_sheet(guo_wells::kEveryCorrelation[k % 8]);
    r.geometry.node_depth = value(3000.0);
    r.geometry.inside_diameter = value(2.441);
    r.geometry.roughness = value(0.0006);
    r.geometry.inclination = value(20.0);
    r.temperatures = {value(80.0), value(180.0)};
    r.fluid.model = static_cast<TubingFluidModel>(1 + k % 3);
    r.fluid.basis = k % 5 == 0 ? dlv::RateBasis::kGas : dlv::RateBasis::kLiquid;
    r.fluid.api_gravity = value(35.0);
    r.fluid.gas_sg = value(0.7);
    r.fluid.water_sg = value(1.05);
    r.fluid.water_cut = value(0.3);
    r.fluid.gas_liquid_ratio = value(300.0);
    r.fluid.liquid_yield = value(20.0);
    r.fluid.oil_viscosity = value(2.0);
    r.fluid.surface_tension = value(20.0);
    r.rate = value(1000.0);
    r.start_pressure = value(500.0);
    r.start = k % 2 == 0 ? TraverseStart::kWellhead : TraverseStart::kNode;
    r.flow = k % 7 == 0 ? FlowDirection::kDown : FlowDirection::kUp;
    r.max_step = value(100.0);
    const TraverseResult out = dlv::traverse(r, profile);
    EXPECT_FALSE(std::isnan(out.end_pressure)) << k;
    EXPECT_LE(out.nodes, profile.size()) << k;
    if (out.status == TraverseStatus::kOk) {
      EXPECT_GT(out.end_pressure, 14.7) << k;
    }
  }
}

}  // namespace
