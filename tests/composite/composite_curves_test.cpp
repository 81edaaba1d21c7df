#include "composite/composite_curves.hpp"

#include <gtest/gtest.h>

#include <array>
#include <functional>

namespace {

using Pressures = std::function<double(int)>;
using Rates = std::function<double(double)>;

Pressures falling(double pr) {
  return [pr](int i) { return pr - i * (pr / 24.0); };
}
Pressures rising(double pr) {
  return [pr](int i) { return pr + 100.0 * i; };
}
Rates line(double pr, double j) {
  return [pr, j](double p) { return j * (pr - p); };
}

// A well of two layers (pressures p(i), rates q(p)), its fluids and the
// summary columns.
struct Well {
  std::array<double, 3750> curves{};
  std::array<double, 1426> fluids{};
  std::array<double, 50> cut{}, gor{};
  std::array<double, 25> p{}, q{}, wc{}, gl{}, sg{};
  dlv::CurveTables t{curves.data()};
  Well(Pressures p0, Rates q0, Pressures p1, Rates q1) {
    for (int i = 0; i < 25; ++i) {
      t.pressure(0)[i] = p0(i);
      t.rate(0)[i] = q0(p0(i));
      t.pressure(1)[i] = p1(i);
      t.rate(1)[i] = q1(p1(i));
      t.drawdown(0)[i] = -7.0;
    }
  }
  double& water_sg(int L) { return fluids[175 + L]; }
  void run(bool gas) {
    const std::int32_t n = 2;
    auto routine = gas ? dlv::composite_gas_curve : dlv::composite_liquid_curve;
    routine(t, dlv::LayerFluids{fluids.data()}, cut.data(), gor.data(), n, p.data(), q.data(),
            wc.data(), gl.data(), sg.data());
  }
};

TEST(CompositeGrid, EqualProductionLayersKeepTheFullGrid) {
  Well w(falling(3000), line(3000, 1.0), falling(3000), line(3000, 2.0));
  w.run(false);
  for (int k = 0; k < 25; ++k) {
    EXPECT_EQ(w.p[k], 3000.0 - 125.0 * k);
    EXPECT_EQ(w.q[k], 3.0 * (3000.0 - w.p[k]));
    EXPECT_EQ(w.t.pressure(1)[k], w.p[k]);
    EXPECT_EQ(w.t.drawdown(0)[k], -7.0);  // drawdowns stay on the old grids
  }
}

TEST(CompositeGrid, CrossflowStartsTheGridWhereTheTotalIsZero) {
  // Layer 1 takes fluid above 2000; the total 7000 - 3p is zero at 2333.3.
  Well w(falling(3000), line(3000, 1.0), falling(2000), line(2000, 2.0));
  w.run(false);
  EXPECT_NEAR(w.p[0], 7000.0 / 3.0, 1e-9);
  EXPECT_EQ(w.p[24], 0.0);
  for (int k = 0; k < 25; ++k) {
    EXPECT_NEAR(w.q[k], 7000.0 - 3.0 * w.p[k], 1e-9);
    EXPECT_EQ(w.t.pressure(0)[k], w.p[k]);
    EXPECT_NEAR(w.t.rate(1)[k], 2.0 * (2000.0 - w.p[k]), 1e-9);
  }
}

TEST(CompositeGrid, InjectionGridsDivideBy25ThenBy24) {
  for (bool gas : {false, true}) {
    // Preliminary grid 1000 + 96 i: the total 2p - 2500 turns positive at
    // 1288 and its line gives 1250; the final grid ends at 3400.
    Well w(rising(1000), line(1000, -1.0), rising(1500), line(1500, -1.0));
    w.run(gas);
    EXPECT_EQ(w.p[0], 1250.0);
    EXPECT_NEAR(w.p[24], 3400.0, gas ? 1e-9 : 0.0);
    for (int k = 0; k < 25; ++k) EXPECT_NEAR(w.q[k], 2.0 * w.p[k] - 2500.0, 1e-9);
    // No positive total: liquid from the lowest end pressure, gas from 0.
    Well z(rising(1000), line(1000, 0.0), rising(1600), line(1600, 0.0));
    z.run(gas);
    EXPECT_EQ(z.p[0], gas ? 0.0 : 3400.0);
    EXPECT_DOUBLE_EQ(z.p[23], z.p[0] + 23 * 100.0);
    EXPECT_DOUBLE_EQ(z.p[24], gas ? 2400.0 : 3400.0);
  }
}

TEST(CompositeGrid, SignChangesAtTheLastPointAndFlatTotals) {
  // Production, negative everywhere: the grid collapses to 0.
  Well w(falling(3000), line(3000, 1.0), falling(3000), [](double) { return -5000.0; });
  w.run(false);
  for (int k = 0; k < 25; ++k) EXPECT_EQ(w.p[k], 0.0);
  // Injection, first positive total at point 24 (3304: 9.0; 3208: -0.84):
  // the line of the last segment.
  auto step = [](double p) { return p < 3250 ? -1.0 : (p < 3350 ? 1.0 : 201.0); };
  Well v(rising(1000), step, rising(1000), line(1000, 0.0));
  v.run(false);
  EXPECT_NEAR(v.p[0], 3304.0 - 9.0 / (9.84 / 96.0), 1e-9);
  // Injection, equal totals at points 0 and 1: the grid starts at point 0.
  Well f(
      rising(1000), [](double) { return 5.0; }, rising(1000), line(1000, 0.0));
  f.run(false);
  EXPECT_EQ(f.p[0], 1000.0);
}

TEST(CompositeLiquidColumns, OilFreePointsAndMixedPoints) {
  // Layer 0 water only; layer 1 oil, taking fluid above 2000.
  Well w(falling(3000), line(3000, 1.0), falling(2000), line(2000, 0.1));
  w.cut[0] = 1.0;
  w.gor[1] = 800.0;
  w.water_sg(0) = 1.03;
  w.water_sg(1) = 1.15;
  w.run(false);
  for (int k = 1; k < 25; ++k) {
    const bool oil = w.p[k] < 2000.0;
    EXPECT_DOUBLE_EQ(w.gl[k], oil ? 800.0 : 0.0) << k;
    EXPECT_DOUBLE_EQ(w.sg[k], oil ? 1.03 : 1.0) << k;
  }
  const double water = 3000.0 - w.p[24], oil = 0.1 * (2000.0 - w.p[24]);
  EXPECT_NEAR(w.wc[24], water / (water + oil), 1e-12);
}

TEST(CompositeLiquidColumns, GasOilRatioClampedAndPointZeroExtrapolated) {
  Well w(falling(3000), line(3000, 1.0), falling(3000), line(3000, 1.0));
  w.gor[0] = w.gor[1] = 2000000.0;
  w.water_sg(0) = 1.5;
  w.run(false);
  for (int k = 0; k < 25; ++k) EXPECT_EQ(w.gl[k], 1000000.0);
  EXPECT_EQ(w.sg[1], 1.5);  // no water: layer 0's gravity, bounded only at point 0
  EXPECT_EQ(w.sg[0], 1.2);
  // No flow at all: point 0 takes point 1's values.
  Well z(falling(3000), line(3000, 0.0), falling(3000), line(3000, 0.0));
  z.run(false);
  EXPECT_EQ(z.wc[0], 1.0);
  EXPECT_EQ(z.gl[0], 0.0);
  EXPECT_EQ(z.sg[0], 1.0);
}

TEST(CompositeLiquidColumns, WaterCutSmoothedOverPointsZeroToNineteen) {
  auto vogel = [](double p) { return 2000.0 * (1.0 - 0.2 * p / 3000 - 0.8 * p * p / 9e6); };
  Well w(falling(3000), line(3000, 1.0), falling(3000), vogel);
  w.cut[0] = 1.0;
  w.run(false);
  double raw[25];
  for (int k = 1; k < 25; ++k) raw[k] = (3000.0 - w.p[k]) / (3000.0 - w.p[k] + vogel(w.p[k]));
  raw[0] = raw[1] + (raw[2] - raw[1]) * (w.q[1] - w.q[0]) / (w.q[2] - w.q[0]);
  for (int k = 0; k < 25; ++k) {
    const double expected =
        k < 20 ? (raw[k] + raw[k + 1] + raw[k + 2] + raw[k + 3] + raw[k + 4]) / 5.0 : raw[k];
    EXPECT_NEAR(w.wc[k], expected, 1e-14) << k;
  }
}

TEST(CompositeGasColumns, LiquidGasRatioAndUntouchedPointZero) {
  Well w(falling(3000), line(3000, 1.0), falling(3000), line(3000, 1.0));
  w.gor = {50.0, 100.0};  // liquid yields, bbl/MMscf
  w.cut = {0.2, 0.5};
  w.water_sg(0) = 1.0;
  w.water_sg(1) = 1.2;
  w.sg[0] = 42.0;
  w.wc[0] = w.gl[0] = 9.0;
  w.run(true);
  EXPECT_EQ(w.sg[0], 42.0);
  EXPECT_EQ(w.wc[0] + w.gl[0], 0.0);
  for (int k = 1; k < 25; ++k) {
    EXPECT_NEAR(w.gl[k], 0.075, 1e-15);
    EXPECT_NEAR(w.wc[k], 0.4, 1e-15);
    EXPECT_NEAR(w.sg[k], (0.01 * 1.0 + 0.05 * 1.2) / 0.06, 1e-15);
  }
}

TEST(CompositeGasColumns, LayersTakingGasAddNoLiquid) {
  Well w(falling(3000), line(3000, 1.0), falling(2000), line(2000, 2.0));
  w.gor = {50.0, 100.0};
  w.cut = {0.0, 0.5};  // the only water comes from layer 1, taking gas at point 1
  w.run(true);
  EXPECT_EQ(w.wc[1], 0.0);
  EXPECT_DOUBLE_EQ(w.gl[1], w.t.rate(0)[1] / 1000.0 * 50.0 / w.q[1]);
}

TEST(CompositeGasColumns, ZeroRateOfTheReferenceLimitsTheSourcePoints) {
  // The gas routine reads only points 0..5 of each curve, the liquid one all.
  for (bool gas : {false, true}) {
    Well w(
        falling(3000), [](double p) { return p > 2300.0 ? 3000.0 - p : 0.0; }, falling(3000),
        line(3000, 1.0));
    w.run(gas);
    EXPECT_EQ(w.q[5], 2.0 * 625.0);
    EXPECT_EQ(w.q[24], gas ? 0.0 : 3000.0);
  }
}

}  // namespace
