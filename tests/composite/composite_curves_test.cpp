#include "composite/composite_curves.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <functional>

namespace {

// Curves in force, fluids and the summary columns of a well of `n` layers.
struct Well {
  std::array<double, 3750> curves{};
  std::array<double, 1426> fluids{};
  std::array<double, 50> cut{}, gor{};
  std::array<double, 25> p{}, q{}, wc{}, gl{}, sg{};
  std::int32_t n = 2;
  dlv::CurveTables tables() { return dlv::CurveTables{curves.data()}; }
  // Layer L on pressures p(i) with rates q(p).
  void layer(int L, const std::function<double(int)>& pressure,
             const std::function<double(double)>& rate) {
    for (int i = 0; i < 25; ++i) {
      tables().pressure(L)[i] = pressure(i);
      tables().rate(L)[i] = rate(pressure(i));
      tables().drawdown(L)[i] = -7.0;
    }
  }
  void liquid() {
    dlv::composite_liquid_curve(tables(), dlv::LayerFluids{fluids.data()}, cut.data(), gor.data(),
                                n, p.data(), q.data(), wc.data(), gl.data(), sg.data());
  }
  void gas() {
    dlv::composite_gas_curve(tables(), dlv::LayerFluids{fluids.data()}, cut.data(), gor.data(), n,
                             p.data(), q.data(), wc.data(), gl.data(), sg.data());
  }
  double& water_sg(int L) { return fluids[175 + L]; }
};

auto falling(double pr) {
  return [pr](int i) { return pr - i * (pr / 24.0); };
}
auto rising(double pr) {
  return [pr](int i) { return pr + 100.0 * i; };
}
auto line(double pr, double j) {
  return [pr, j](double p) { return j * (pr - p); };
}

TEST(CompositeGrid, EqualProductionLayersKeepTheFullGrid) {
  Well w;
  w.layer(0, falling(3000), line(3000, 1.0));
  w.layer(1, falling(3000), line(3000, 2.0));
  w.liquid();
  for (int k = 0; k < 25; ++k) {
    EXPECT_EQ(w.p[k], 3000.0 - 125.0 * k);
    EXPECT_EQ(w.q[k], 3.0 * (3000.0 - w.p[k]));
    EXPECT_EQ(w.tables().pressure(1)[k], w.p[k]);
    EXPECT_EQ(w.tables().drawdown(0)[k], -7.0);  // drawdowns stay on the old grids
  }
}

TEST(CompositeGrid, CrossflowStartsTheGridWhereTheTotalIsZero) {
  Well w;
  w.layer(0, falling(3000), line(3000, 1.0));
  w.layer(1, falling(2000), line(2000, 2.0));  // takes fluid above 2000
  w.liquid();
  EXPECT_NEAR(w.p[0], 7000.0 / 3.0, 1e-9);
  EXPECT_EQ(w.p[24], 0.0);
  for (int k = 0; k < 25; ++k) {
    EXPECT_NEAR(w.q[k], 7000.0 - 3.0 * w.p[k], 1e-9);
    EXPECT_EQ(w.tables().pressure(0)[k], w.p[k]);
    EXPECT_NEAR(w.tables().rate(1)[k], 2.0 * (2000.0 - w.p[k]), 1e-9);
  }
}

TEST(CompositeGrid, InjectionGridsDivideBy25ThenBy24) {
  for (bool gas : {false, true}) {
    Well w;
    w.layer(0, rising(1000), line(1000, -1.0));
    w.layer(1, rising(1500), line(1500, -1.0));
    gas ? w.gas() : w.liquid();
    // Preliminary grid 1000 + 96 i: the total 2P - 2500 turns positive at
    // 1288 and its line gives 1250; the final grid ends at 3400.
    EXPECT_EQ(w.p[0], 1250.0);
    EXPECT_NEAR(w.p[24], 3400.0, gas ? 1e-9 : 0.0);
    for (int k = 0; k < 25; ++k) EXPECT_NEAR(w.q[k], 2.0 * w.p[k] - 2500.0, 1e-9);
  }
}

TEST(CompositeGrid, InjectionWithoutPositiveTotal) {
  // Liquid: the grid starts and ends at the lowest end pressure; gas: from 0.
  for (bool gas : {false, true}) {
    Well w;
    w.layer(0, rising(1000), line(1000, 0.0));
    w.layer(1, rising(1600), line(1600, 0.0));
    gas ? w.gas() : w.liquid();
    EXPECT_EQ(w.p[0], gas ? 0.0 : 3400.0);
    EXPECT_DOUBLE_EQ(w.p[23], w.p[0] + 23 * 100.0);
    EXPECT_DOUBLE_EQ(w.p[24], gas ? 2400.0 : 3400.0);
  }
}

TEST(CompositeGrid, SignChangesAtTheLastPointAndFlatTotals) {
  Well w;  // production: negative everywhere, the grid collapses to 0
  w.layer(0, falling(3000), line(3000, 1.0));
  w.layer(1, falling(3000), [](double) { return -5000.0; });
  w.liquid();
  for (int k = 0; k < 25; ++k) EXPECT_EQ(w.p[k], 0.0);
  // Injection: on the grid 1000 + 96 i the first positive total is at point
  // 24 (3304: 9.0; 3208: -0.84); the line of the last segment gives p0.
  Well v;
  v.layer(0, rising(1000), [](double p) { return p < 3250 ? -1.0 : (p < 3350 ? 1.0 : 201.0); });
  v.layer(1, rising(1000), line(1000, 0.0));
  v.liquid();
  EXPECT_NEAR(v.p[0], 3304.0 - 9.0 / (9.84 / 96.0), 1e-9);
  Well f;  // injection: equal totals at points 0 and 1, the grid starts at point 0
  f.layer(0, rising(1000), [](double) { return 5.0; });
  f.layer(1, rising(1000), line(1000, 0.0));
  f.liquid();
  EXPECT_EQ(f.p[0], 1000.0);
}

TEST(CompositeLiquidColumns, OilFreePointsAndMixedPoints) {
  Well w;
  w.layer(0, falling(3000), line(3000, 1.0));  // water only
  w.layer(1, falling(2000), line(2000, 0.1));  // oil, takes fluid above 2000
  w.cut[0] = 1.0;
  w.gor[1] = 800.0;
  w.water_sg(0) = 1.03;
  w.water_sg(1) = 1.15;
  w.liquid();
  for (int k = 1; k < 25; ++k) {
    const bool oil = w.p[k] < 2000.0;
    EXPECT_DOUBLE_EQ(w.gl[k], oil ? 800.0 : 0.0) << k;
    EXPECT_DOUBLE_EQ(w.sg[k], oil ? 1.03 : 1.0) << k;
  }
  const double water = 3000.0 - w.p[24], oil = 0.1 * (2000.0 - w.p[24]);
  EXPECT_NEAR(w.wc[24], water / (water + oil), 1e-12);
}

TEST(CompositeLiquidColumns, GasOilRatioClampedAndPointZeroExtrapolated) {
  Well w;
  w.layer(0, falling(3000), line(3000, 1.0));
  w.layer(1, falling(3000), line(3000, 1.0));
  w.gor[0] = w.gor[1] = 2000000.0;
  w.water_sg(0) = w.water_sg(1) = 1.5;
  w.liquid();
  for (int k = 0; k < 25; ++k) EXPECT_EQ(w.gl[k], 1000000.0);
  // No water: the points take layer 0's gravity; only point 0 is bounded.
  EXPECT_EQ(w.sg[1], 1.5);
  EXPECT_EQ(w.sg[0], 1.2);
  Well z;  // no flow at all: point 0 takes point 1's values
  z.layer(0, falling(3000), line(3000, 0.0));
  z.layer(1, falling(3000), line(3000, 0.0));
  z.liquid();
  EXPECT_EQ(z.wc[0], 1.0);
  EXPECT_EQ(z.gl[0], 0.0);
  EXPECT_EQ(z.sg[0], 1.0);
}

TEST(CompositeLiquidColumns, WaterCutSmoothedOverPointsZeroToNineteen) {
  Well w;
  auto vogel = [](double p) { return 2000.0 * (1.0 - 0.2 * p / 3000 - 0.8 * p * p / 9e6); };
  w.layer(0, falling(3000), line(3000, 1.0));
  w.layer(1, falling(3000), vogel);
  w.cut[0] = 1.0;
  w.liquid();
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
  Well w;
  w.layer(0, falling(3000), line(3000, 1.0));
  w.layer(1, falling(3000), line(3000, 1.0));
  w.gor[0] = 50.0;  // liquid yields, bbl/MMscf
  w.gor[1] = 100.0;
  w.cut[0] = 0.2;
  w.cut[1] = 0.5;
  w.water_sg(0) = 1.0;
  w.water_sg(1) = 1.2;
  w.sg[0] = 42.0;
  w.wc[0] = w.gl[0] = 9.0;
  w.gas();
  EXPECT_EQ(w.sg[0], 42.0);
  EXPECT_EQ(w.wc[0], 0.0);
  EXPECT_EQ(w.gl[0], 0.0);
  for (int k = 1; k < 25; ++k) {
    EXPECT_NEAR(w.gl[k], 0.075, 1e-15);
    EXPECT_NEAR(w.wc[k], 0.4, 1e-15);
    EXPECT_NEAR(w.sg[k], (0.01 * 1.0 + 0.05 * 1.2) / 0.06, 1e-15);
  }
}

TEST(CompositeGasColumns, ZeroRateOfTheReferenceLimitsTheSourcePoints) {
  for (bool gas : {false, true}) {
    Well w;
    w.layer(0, falling(3000), [](double p) { return p > 2300.0 ? 3000.0 - p : 0.0; });
    w.layer(1, falling(3000), line(3000, 1.0));
    gas ? w.gas() : w.liquid();
    // The gas routine reads only points 0..5 of each curve; the liquid
    // routine reads all 25.
    EXPECT_EQ(w.q[5], 2.0 * 625.0);
    EXPECT_EQ(w.q[24], gas ? 0.0 : 3000.0);
  }
}

}  // namespace
