#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

#include "guo_wells.hpp"
#include "tubing/traverse.hpp"

namespace {

using dlv::Correlation;
using dlv::FlowDirection;
using dlv::ProfileNode;
using dlv::TraverseRequest;
using dlv::TraverseResult;
using dlv::TraverseStart;
using dlv::TraverseStatus;
using dlv::TubingFluidModel;

double degrees_from_vertical(double tvd, double md) {
  return std::acos(tvd / md) * 180.0 / std::numbers::pi;
}

// Guo's Poettmann-Carpenter spreadsheet, SI column, converted as the sheet does
// (1 MPa = 147 psi): 0.05 m, 3.5 MPa, 65 m3/d, GLR 200 m3/m3, oil SG 0.9,
// water 1.07 with Bw 1, 35 -> 60 C, 1500 m.
TraverseRequest poettmann_si_case() {
  TraverseRequest r = guo_wells::poettmann_carpenter_field();
  r.geometry.node_depth = 4921.26;
  r.geometry.inside_diameter = 1.96850;
  r.temperatures = {95.0, 140.0};
  r.fluid.api_gravity = 141.5 / 0.9 - 131.5;
  r.fluid.water_sg = 1.07;
  r.fluid.water_fvf = 1.0;
  r.fluid.gas_liquid_ratio = 1122.92;
  r.rate = 408.838;
  r.start_pressure = 514.5;
  return r;
}

TraverseResult run(const TraverseRequest& r) {
  std::array<ProfileNode, 4> profile{};
  return dlv::traverse(r, profile);
}

// Published and own values of the whole-well methods. Sources: Guo et al.
// (2007) Ex 4.2 spreadsheet (published 1907 psia for the SI column; the
// field column, the deviated, static and all-water variants are own
// computations with its equations); the dry-gas well computed by hand with
// Guo's average-T-and-z and Cullender-Smith forms.
TEST(WholeWell, PublishedAndHandComputedBottomholePressures) {
  struct Row {
    const char* source;
    TraverseRequest request;
    double expected;
    double tolerance;
  };
  TraverseRequest deviated = guo_wells::poettmann_carpenter_field();
  deviated.geometry.node_depth = 6000.0;
  deviated.geometry.inclination = degrees_from_vertical(5000.0, 6000.0);
  TraverseRequest stat = guo_wells::poettmann_carpenter_field();
  stat.rate = 0.0;
  TraverseRequest water = guo_wells::poettmann_carpenter_field();
  water.fluid.water_cut = 1.0;
  TraverseRequest nearly_water = water;
  nearly_water.fluid.water_cut = 1.0 - 1e-6;
  const Row rows[] = {
      {"Guo Ex 4.2 SI column, published 1907", poettmann_si_case(), 1907.83, 0.05},
      {"Guo Ex 4.2 field column", guo_wells::poettmann_carpenter_field(), 1699.2, 0.05},
      {"Guo Ex 4.2 field, TVD 5000 MD 6000", deviated, 1805.59, 0.01},
      {"Guo Ex 4.2 field, static column", stat, 2289.45, 0.01},
      {"Guo Ex 4.2 field, all water", water, 1666.83, 0.01},
      {"Guo Ex 4.2 field, WC 1 - 1e-6", nearly_water, 1666.83, 0.01},
      {"dry gas, average T and z", guo_wells::dry_gas(Correlation::kAverageTemperatureZ), 1342.23,
       0.01},
      {"dry gas, Cullender-Smith", guo_wells::dry_gas(Correlation::kCullenderSmith), 1341.34, 0.01},
  };
  for (const Row& row : rows) {
    const TraverseResult r = run(row.request);
    ASSERT_EQ(r.status, TraverseStatus::kOk) << row.source;
    EXPECT_NEAR(r.end_pressure, row.expected, row.tolerance) << row.source;
    EXPECT_EQ(r.nodes, 2u) << row.source;
  }
  EXPECT_NEAR(run(poettmann_si_case()).end_pressure, 1907.0, 0.001 * 1907.0);
}

TEST(WholeWell, PoettmannCarpenterReportsItsIntermediates) {
  // Own computation of Guo Ex 4.2, field column.
  const dlv::WholeWellDetails d = run(guo_wells::poettmann_carpenter_field()).whole_well;
  EXPECT_NEAR(d.d_rho_v, 79.207, 0.001);
  EXPECT_NEAR(d.friction_factor, 0.0019914, 1e-7);
  EXPECT_NEAR(d.k_bar, 293.12, 0.01);
  EXPECT_NEAR(d.wellhead_density, 10.985, 0.001);
  EXPECT_NEAR(d.node_density, 28.066, 0.001);
  EXPECT_NEAR(d.mean_density, 19.525, 0.001);
}

TEST(WholeWell, DryGasIntermediates) {
  const TraverseResult avg = run(guo_wells::dry_gas(Correlation::kAverageTemperatureZ));
  EXPECT_NEAR(avg.whole_well.mean_z, 0.847316, 1e-6);
  EXPECT_NEAR(avg.whole_well.s, 0.420070, 1e-6);
  EXPECT_EQ(avg.whole_well.iterations, 4);
  const TraverseResult cs = run(guo_wells::dry_gas(Correlation::kCullenderSmith));
  EXPECT_NEAR(cs.whole_well.mid_pressure, 1168.58, 0.01);
}

// The horizontal form (2.50125e-5, the constant of the inclined form times
// 0.0375) is the limit of the inclined one.
TEST(WholeWell, HorizontalGasWellIsTheLimitOfAnInclinedOne) {
  TraverseRequest flat = guo_wells::dry_gas(Correlation::kAverageTemperatureZ);
  flat.geometry.inclination = 90.0;
  TraverseRequest nearly = flat;
  nearly.geometry.inclination = 89.999;
  const TraverseResult a = run(flat);
  const TraverseResult b = run(nearly);
  ASSERT_EQ(a.status, TraverseStatus::kOk);
  ASSERT_EQ(b.status, TraverseStatus::kOk);
  EXPECT_NEAR(a.end_pressure, b.end_pressure, 0.05);
  EXPECT_GT(a.end_pressure, 1000.0);
  // A gas injector: friction now lowers the bottom-hole pressure.
  TraverseRequest injector = guo_wells::dry_gas(Correlation::kAverageTemperatureZ);
  injector.flow = FlowDirection::kDown;
  EXPECT_LT(run(injector).end_pressure, 1342.23);
}

// From the node up, each method finds the wellhead pressure that gives the
// node pressure.
TEST(WholeWell, FromTheNodeUpInvertsTheMethod) {
  for (TraverseRequest r :
       {guo_wells::poettmann_carpenter_field(), guo_wells::dry_gas(Correlation::kCullenderSmith),
        guo_wells::dry_gas(Correlation::kAverageTemperatureZ)}) {
    const double head = r.start_pressure;
    const TraverseResult down = run(r);
    r.start = TraverseStart::kNode;
    r.start_pressure = down.end_pressure;
    const TraverseResult up = run(r);
    ASSERT_EQ(up.status, TraverseStatus::kOk);
    EXPECT_NEAR(up.end_pressure, head, 1e-4);
  }
  TraverseRequest weak = guo_wells::poettmann_carpenter_field();
  weak.start = TraverseStart::kNode;
  weak.start_pressure = 300.0;
  EXPECT_EQ(run(weak).status, TraverseStatus::kCannotLift);
}

}  // namespace
