#include "composite/composite_curves.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <vector>

#include "support/near.hpp"

namespace {

using Pressures = std::function<double(int)>;
using Rates = std::function<double(double)>;

Pressures falling(double pr) {
  return [pr](int i) { return pr - i * (pr / 24.0); };
}
// Falling from pr, the first step without width.
Pressures flat_start(double pr) {
  return [pr](int i) { return i == 0 ? pr : pr - (i - 1) * (pr / 24.0); };
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
  std::array<double, 150> summary{};
  dlv::WellSummary s{summary.data()};
  double *p = s.pressure(), *q = s.rate(), *wc = s.water_cut(), *gl = s.gas_liquid(),
         *sg = s.water_sg();
  dlv::CurveTables t{curves.data()};
  Well(Pressures p0, Rates q0, Pressures p1, Rates q1) {
    for (int i = 0; i < 25; ++i) {
      t.pressure(0)[i] = p0(i), t.rate(0)[i] = q0(p0(i));
      t.pressure(1)[i] = p1(i), t.rate(1)[i] = q1(p1(i));
      t.drawdown(0)[i] = -7.0;
    }
  }
  double& water_sg(int L) { return fluids[DLV_LAYER_FLUIDS_WATER_SG + L]; }
  void run(bool gas) {
    const std::int32_t n = 2;
    auto routine = gas ? dlv::composite_gas_curve : dlv::composite_liquid_curve;
    routine(t, dlv::LayerFluids{fluids.data()}, cut.data(), gor.data(), n, s);
  }
};

TEST(CompositeCurve, CommonGridFromTheSignChangeOfTheTotalRate) {
  const Rates none = line(0.0, 0.0);
  auto step = [](double p) { return p < 3250 ? -1.0 : (p < 3350 ? 1.0 : 201.0); };
  auto inject = [](double p) { return 2.0 * p - 2500.0; };
  const double last = 3304.0 - 9.0 / (9.84 / 96.0);
  struct Case {
    const char* name;
    int routines;  // 1 liquid, 2 gas, 3 both
    Pressures p0, p1;
    Rates q0, q1, total;
    double first, step, last;
  } const cases[] = {
      // Equal reservoir pressures: the full grid of layer 0.
      {"equal", 1, falling(3000), falling(3000), line(3000, 1), line(3000, 2), line(3000, 3), 3000,
       -125, 0},
      // Equal pressures at points 0 and 1 of layer 0 make a production grid, down to 0.
      {"flat start", 1, flat_start(3000), flat_start(3000), line(3000, 1), line(3000, 1), nullptr,
       3000, -125, 0},
      // Layer 1 takes fluid above 2000: the total 7000 - 3p is zero at 2333.3.
      {"crossflow", 1, falling(3000), falling(2000), line(3000, 1), line(2000, 2),
       [](double p) { return 7000.0 - 3.0 * p; }, 7000.0 / 3.0, -7000.0 / 72.0, 0},
      // Injection: preliminary grid 1000 + 96 i, the total 2p - 2500 turns
      // positive at 1288 and its line gives 1250; the grid ends at 3400.
      {"inject", 3, rising(1000), rising(1500), line(1000, -1), line(1500, -1), inject, 1250,
       2150.0 / 24, 3400},
      // No positive total: a liquid starts at the lowest end pressure, a gas at 0.
      {"no sign", 1, rising(1000), rising(1600), none, none, none, 3400, 100, 3400},
      {"no sign gas", 2, rising(1000), rising(1600), none, none, none, 0, 100, 2400},
      // Negative everywhere: the grid collapses onto its lowest pressure.
      {"all negative", 3, falling(3000), falling(3000), line(3000, 1),
       [](double) { return -5000.0; }, [](double p) { return -2000.0 - p; }, 0, 0, 0},
      // The first positive total at point 24 (3304: 9.0; 3208: -0.84): the
      // line of the last segment (the rates there are not a line in p).
      {"last point", 1, rising(1000), rising(1000), step, none, nullptr, last, (3400 - last) / 24,
       3400},
  };
  for (int run = 0; run < 2 * int(std::size(cases)); ++run) {
    const Case& c = cases[run / 2];
    const bool gas = run % 2;
    if (!(c.routines & (1 << run % 2))) continue;
    Well w(c.p0, c.q0, c.p1, c.q1);
    w.run(gas);
    SCOPED_TRACE(gas ? "gas" : "liquid");
    EXPECT_NEAR(w.p[0], c.first, 1e-9) << c.name;
    EXPECT_NEAR(w.p[24], c.last, 1e-9) << c.name;
    for (int k = 0; k < 25; ++k) {
      if (k > 0 && k < 24) {
        EXPECT_NEAR(w.p[k] - w.p[k - 1], c.step, 1e-9) << c.name << k;
      }
      if (c.total) {
        EXPECT_NEAR(w.q[k], k ? c.total(w.p[k]) : std::max(0.0, c.total(w.p[k])), 1e-9) << c.name;
      }
      for (int L : {0, 1}) EXPECT_EQ(w.t.pressure(L)[k], w.p[k]) << c.name << k;
      // The rewritten layers add up to the total, which reads 0 at point 0 when negative.
      const double sum = w.t.rate(0)[k] + w.t.rate(1)[k];
      EXPECT_NEAR(k ? sum : std::max(0.0, sum), w.q[k], 1e-9) << c.name << k;
      EXPECT_EQ(w.t.drawdown(0)[k], -7.0);  // drawdowns stay on the old grids
    }
  }
}

TEST(CompositeLiquidColumns, OilFreePointsMixedPointsAndClamps) {
  // Layer 0 water only; layer 1 oil, taking fluid above 2000.
  Well w(falling(3000), line(3000, 1.0), falling(2000), line(2000, 0.1));
  w.cut[0] = 1.0, w.gor[1] = 800.0, w.water_sg(0) = 1.03, w.water_sg(1) = 1.15;
  w.run(false);
  for (int k = 1; k < 25; ++k) {
    const bool oil = w.p[k] < 2000.0;
    EXPECT_DOUBLE_EQ(w.gl[k], oil ? 800.0 : 0.0) << k;
    EXPECT_DOUBLE_EQ(w.sg[k], oil ? 1.03 : 1.0) << k;
  }
  const double water = 3000.0 - w.p[24], oil = 0.1 * (2000.0 - w.p[24]);
  EXPECT_NEAR(w.wc[24], water / (water + oil), 1e-12);
  Well r(falling(3000), line(3000, 1.0), falling(2000), line(2000, 2.0));
  r.cut[1] = 1.0;  // water taken in above 2000: a negative cut, clamped
  r.run(false);
  for (int k = 0; k < 25; ++k) EXPECT_GE(r.wc[k], 0.0) << k;

  Well d(falling(3000), line(3000, 1.0), falling(3000), line(3000, 1.0));  // oil, no water
  d.gor[0] = d.gor[1] = 2000000.0, d.water_sg(0) = 1.5;
  d.run(false);
  for (int k = 0; k < 25; ++k) EXPECT_EQ(d.gl[k], 1000000.0);
  EXPECT_EQ((std::array{d.sg[0], d.sg[1]}), (std::array{1.2, 1.5}));  // layer 0's, bounded at 0
  Well z(falling(3000), line(3000, 0.0), falling(3000), line(3000, 0.0));  // no flow at all
  z.run(false);
  EXPECT_EQ((std::vector<double>{z.wc[0], z.gl[0], z.sg[0]}),
            (std::vector<double>{1, 0, 1}));  // point 1's values
}

// A water layer and a Vogel oil layer (2000 stb/d open flow) on the grid
// 3000 - 125 k, by hand: the raw cut (3000 - p) / (3000 - p + q_o(p)), point 0
// extrapolated along the total rate, points 0 to 19 the mean of five.
TEST(CompositeLiquidColumns, WaterCutSmoothedOverPointsZeroToNineteen) {
  Well w(falling(3000), line(3000, 1.0), falling(3000),
         [](double p) { return 2000.0 * (1.0 - 0.2 * p / 3000 - 0.8 * p * p / 9e6); });
  w.cut[0] = 1.0;
  w.run(false);
  const int k[] = {0, 1, 10, 19, 20, 24};
  const double cut[] = {0.465422082138145, 0.468851762804844, 0.517378114372288,
                        0.577112835532223, 0.569620253164557, 0.6};
  for (int i = 0; i < 6; ++i) EXPECT_NEAR(w.wc[k[i]], cut[i], 1e-14) << k[i];
}

TEST(CompositeGasColumns, LiquidGasRatioUntouchedPointZeroAndLayersTakingGas) {
  Well w(falling(3000), line(3000, 1.0), falling(3000), line(3000, 1.0));
  w.gor = {50.0, 100.0}, w.cut = {0.2, 0.5};  // liquid yields, bbl/MMscf
  w.water_sg(0) = 1.0, w.water_sg(1) = 1.2, w.sg[0] = 42.0, w.wc[0] = w.gl[0] = 9.0;
  w.run(true);
  EXPECT_EQ((std::vector<double>{w.sg[0], w.wc[0], w.gl[0]}), (std::vector<double>{42, 0, 0}));
  for (int k = 1; k < 25; ++k) {
    expect_near({w.gl[k], w.wc[k], w.sg[k]}, {0.075, 0.4, (0.01 * 1.0 + 0.05 * 1.2) / 0.06}, 1e-15,
                std::to_string(k));
  }
  Well x(falling(3000), line(3000, 1.0), falling(2000), line(2000, 2.0));
  x.gor = {50.0, 100.0}, x.cut = {0.0, 0.5};  // the only water: layer 1, taking gas at point 1
  x.run(true);
  expect_near({x.wc[1], x.sg[1], x.gl[1]}, {0.0, 1.0, x.t.rate(0)[1] / 1000.0 * 50.0 / x.q[1]},
              1e-15);
}

TEST(CompositeGasColumns, ZeroRateOfTheReferenceLimitsTheSourcePoints) {
  // The gas routine reads only points 0..5 of each curve, the liquid one all.
  for (bool gas : {false, true}) {
    Well w(
        falling(3000), [](double p) { return p > 2300.0 ? 3000.0 - p : 0.0; }, falling(3000),
        line(3000, 1.0));
    w.run(gas);
    // The gas routine resamples nothing from point 6 on.
    EXPECT_EQ((std::array{w.q[5], w.q[6], w.q[24]}),
              (std::array{2.0 * 625.0, gas ? 0.0 : 750.0, gas ? 0.0 : 3000.0}));
  }
}

}  // namespace
