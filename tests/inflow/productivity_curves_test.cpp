// Vogel's curve from a test, the Darcy productivity with Vogel's curve, the
// curves that need no fluid properties, and the fractured-well and
// horizontal-well curves.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "inflow/darcy_vogel.hpp"
#include "inflow/fractured_well.hpp"
#include "inflow/horizontal_well.hpp"
#include "inflow/straight_line.hpp"
#include "inflow/vogel.hpp"
#include "support/near.hpp"

namespace {

struct Curve {
  std::array<double, 25> q{}, p{};
  double pr = 0.0, j = 0.0;
};

Curve vogel(double qt, double pt, double pr, double pb, double w, int flag = 0) {
  Curve r;
  dlv::vogel_curve(qt, pt, pr, pb, w, r.q.data(), r.p.data(), flag);
  return r;
}

double v(double x) { return 1.0 - 0.2 * x - 0.8 * (x * x); }

TEST(VogelCurve, SaturatedCurveThroughTheTestWithTheSquareFormedFirst) {
  const Curve r = vogel(700.0, 1200.0, 2400.0, 2400.0, 0.0);  // pb = pr: Vogel from pr
  EXPECT_NEAR(r.q[12], 700.0, 1e-9);
  for (int k = 1; k < 24; ++k) EXPECT_EQ(r.q[k], r.q[24] * v(r.p[k] / 2400.0)) << k;  // exact
  EXPECT_DOUBLE_EQ(vogel(1000.0, 1200.0, 2400.0, 3000.0, 1.0).q[24], 0.01 + 2000.0);  // floor
}

TEST(VogelCurve, CompositeBubblePointOnOrBetweenGridPointsAndWaterLine) {
  const Curve on = vogel(400.0, 2000.0, 2400.0, 1900.0, 0.0);  // J = 1 above pb
  EXPECT_EQ((std::array{on.q[4], on.p[5], on.q[5], on.p[6]}),
            (std::array{400.0, 1900.0, 500.0, 1800.0}));
  expect_near({on.q[6], on.q[24]}, {500.0 + 1900.0 / 1.8 * v(18.0 / 19.0), 500.0 + 1900.0 / 1.8},
              1e-9);
  const Curve moved = vogel(400.0, 2000.0, 2400.0, 1950.0, 0.0);
  EXPECT_EQ((std::array{moved.p[5], moved.q[5], moved.p[6]}), (std::array{1950.0, 450.0, 1800.0}));
  const Curve water = vogel(400.0, 2000.0, 2400.0, 1900.0, 1.0);  // J = 0
  const Curve line = vogel(600.0, 1800.0, 2400.0, 0.0, 0.5);      // pb = 0: pr (J + Jw) at 24
  for (int k = 0; k < 25; ++k) {
    EXPECT_DOUBLE_EQ(water.q[k], 2400.0 - water.p[k]);
    EXPECT_DOUBLE_EQ(line.q[k], 100.0 * k);
  }
  const Curve below = vogel(800.0, 1000.0, 2400.0, 1900.0, 0.0);  // test under pb: J from D
  EXPECT_NEAR(below.q[5], 500.0 * 800.0 / (500.0 + 1900.0 * v(1000.0 / 1900.0) / 1.8), 1e-9);
}

TEST(VogelCurve, ChangedPressureCallsUseTheStoredReference) {
  for (double pb : {2400.0, 1900.0}) {  // same pressure as the reference: same curve
    const Curve ref = vogel(400.0, 2000.0, 2400.0, pb, 0.2);
    const Curve again = vogel(400.0, 2000.0, 2400.0, pb, 0.2, 1);
    EXPECT_EQ((std::array{again.q, again.p}), (std::array{ref.q, ref.p})) << pb;
    EXPECT_EQ(dlv::vogel_pressure_ratio, 1.0);
  }
  const double sat = vogel(700.0, 1200.0, 2400.0, 2400.0, 0.0).q[24];
  EXPECT_NEAR(vogel(700.0, 1200.0, 2000.0, 2400.0, 0.0, 1).q[24], sat * (2000.0 / 2400.0), 1e-9);
  EXPECT_EQ(dlv::vogel_reference_pressure, 2400.0);                 // only flag 0 replaces it
  const Curve comp = vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0, 1);  // test scaled to point 4
  expect_near({comp.p[3], comp.q[4]}, {1950.0, 400.0 * (2200.0 / 2400.0)}, 1e-9);
  const Curve neg = vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0, -1);  // composite scales on > 0
  EXPECT_EQ(neg.q, vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0).q);
}

// h 50 ft, re 1490 ft, B 1.2, oil 1 cp; k 100 md, rw 0.328 ft give J = 3.847074.
Curve dv(double pr, double pb, double w, double k = 100.0, double skin = 0.0, double mu_l = 1.0) {
  Curve c{{}, {}, pr};
  dlv::darcy_vogel_curve({k, 50.0, 1490.0, 0.328, skin}, {1.2, mu_l, pb, w, 1.0}, c.pr,
                         {c.q.data(), c.p.data()}, 0);
  return c;
}

TEST(DarcyVogelCurve, DarcyIndexCompositeNodeWaterLineAndSentinel) {
  const double j = 3.8470742623722507;      // textbook Darcy index of this layer
  const Curve line = dv(2400.0, 0.0, 0.0);  // pb = 0: the end point keeps the 0.01 floor
  for (int k = 0; k < 25; ++k) EXPECT_NEAR(line.q[k], j * k * 100.0 + (k == 24) * 0.01, 1e-8);
  const Curve on = dv(2400.0, 1900.0, 0.0), moved = dv(2400.0, 1950.0, 0.0);
  EXPECT_EQ((std::array{on.p[5], on.p[6], moved.p[5]}), (std::array{1900.0, 1800.0, 1950.0}));
  // Half water at half the viscosity: Jw = J; the floor of 0.01 precedes f_o.
  expect_near({moved.q[5], on.q[6], dv(2400.0, 3000.0, 0.5, 100.0, 0.0, 0.5).q[12],
               dv(2400.0, 3000.0, 0.5, 1e-9).q[24] / 100.0},  // to 1e-7
              {450.0 * j, 500.0 * j + 1900.0 * j / 1.8 * v(18.0 / 19.0),
               0.35 * 2400.0 * j / 1.8 + j * 1200.0, 0.005 / 100.0},
              1e-9);
  const Curve neg = dv(2400.0, 1900.0, 0.2, 100.0, -9.0);  // L < 0: every rate the sentinel
  for (int k = 0; k < 25; ++k) EXPECT_EQ(neg.q[k], k == 0 ? 0.0 : dlv::invalid_rate);
  EXPECT_EQ(neg.p[5], 1900.0);
  // Below 1 psi the reservoir pressure is raised to 1 psi and written back.
  const Curve zero = dv(0.0, 1900.0, 0.0), low = dv(1.5, 1900.0, 0.0);
  EXPECT_EQ((std::array{zero.pr, zero.p[0], low.pr, low.p[0]}), (std::array{1.0, 1.0, 1.5, 1.5}));
}

TEST(StraightLines, PiLineOnASinglePrecisionStepAndTwoLevelTests) {
  Curve a, b, c;
  dlv::pi_line_curve(1.5, 2400.0, a.q.data(), a.p.data(), 0);
  for (int k = 0; k < 25; ++k) {
    EXPECT_EQ((std::array{a.p[k], a.q[k]}), (std::array{2400.0 - 100.0 * k, 150.0 * k})) << k;
  }
  dlv::pi_line_curve(2.0, 1000.0, b.q.data(), b.p.data(), 1);
  EXPECT_EQ(b.p[1], 958.3333320617676);  // 1000/24 in single precision: 41.66666793823242
  EXPECT_EQ((std::array{b.p[23], b.q[1]}), (std::array{41.6666259765625, (1000.0 - b.p[1]) * 2.0}));
  // Pressures 2000 * 0.5 + 10 * 5 = 1050 and 550 at rates 100 and 200: J = 0.2.
  const dlv::LevelTests two{0.5, 100, 2000, 200, 1000, 10, 5};
  dlv::two_rate_line_curve(two, 0.0, {c.q.data(), c.p.data()}, c.j, 0);
  EXPECT_EQ((std::array{c.j, c.p[0], c.q[24]}), (std::array{0.2, 1550.0, 310.0}));  // 1050 + 500
}

Curve two_test(double q1, double p1, double q2, double p2, double w) {
  Curve c;
  dlv::vogel_two_test_curve({q1, p1, q2, p2}, c.pr, w, {c.q.data(), c.p.data()});
  return c;
}

TEST(VogelTwoTestCurve, SolvedPressureWaterLineAndEqualRates) {
  // Both tests lie on Vogel's curve of pr = 2000, qmax = 1000.
  const Curve oil = two_test(400, 1500, 700, 1000, 0.0), water = two_test(400, 1500, 700, 1000, 1);
  // Equal rates, dq = 100: 100 pr^2 - 50000 pr - 5e8 = 0 gives 2500; J = 0.2 ends at 3500.
  const Curve same = two_test(500, 1500, 500, 1000, 1.0);
  const double j = 0.6, prw = 700.0 / j + 1000.0;  // water line through both tests
  expect_near({oil.pr, oil.q[24], oil.q[6], water.p[9], water.q[9], same.pr, same.p[0]},
              {2000.0, 1000.0, 400.0, prw * 15 / 24, j * 9 * prw / 24, 2500.0, 3500.0}, 1e-9);
}

// k 1 md, h 50 ft, re 745 ft, rw 0.328 ft, B 1.2, 0.8 cp, pr 3000 psi, xf 300 ft,
// ct 1e-5, phi 0.1, 30 days, 180 F, 0.25 in of 50 darcies; layer 3.
struct Frac {
  double k = 1.0, h = 50.0, rw = 0.328, mu = 0.8, xf = 300.0, ct = 1e-5, phi = 0.1, t = 30.0;
  double kf = 50000.0, dz = 50.0, pb = 3000.0, m = 1.0;
  int liquid = 1;
  std::array<double, 250> res{};
  std::array<double, 25> q{}, p{};
  Frac& go() {
    std::array<double, 201> pp, mp;
    for (int i = 0; i < 201; ++i) pp[i] = 25.0 * i, mp[i] = 250.0 * pp[i] * pp[i];
    double pr = 3000.0;
    dlv::fractured_well_curve({{k, h, 745.0, rw, 0.0}, {xf, 0.25, kf}, {phi, ct, t}},
                              {liquid, 1.2, mu, 180.0, dz, pb}, pr, m, {q.data(), p.data()},
                              {pp.data(), mp.data(), 201}, dlv::LayerResults{res.data()}, 3);
    return *this;
  }
  double td() { return res[153]; }
  double ratio() { return res[53]; }
  int regime() { return dlv::LayerResults{res.data()}.flow_regime_flag(3); }
};

TEST(FracturedWellCurve, StabilizedFromDimensionlessTime10000On) {
  Frac r, dry;  // unit phi, mu, ct, xf: t_D = 0.000263 t_h
  r.phi = r.mu = r.ct = r.xf = 1.0, r.t = 10000.0 / (0.000263 * 24.0);
  while (r.go().td() >= 10000.0) r.t = std::nextafter(r.t, 0.0);
  EXPECT_EQ((std::array{r.regime() * 1.0, r.ratio()}), (std::array{0.0, 1.0}));  // transient
  while (r.go().td() < 10000.0) r.t = std::nextafter(r.t, 1e300);
  dry.phi = 0.0;  // zero porosity: infinite t_D, stabilized; F >= 100 gives the ratio 0.5
  EXPECT_EQ((std::array{r.td(), r.regime() * 1.0, r.ratio(), dry.go().regime() * 1.0}),
            (std::array{10000.0, 1.0, 0.5, 1.0}));
}

TEST(FracturedWellCurve, TransientLinearFlow) {
  // J = xf h sqrt(k phi ct) / (4.07 B sqrt(mu t_h)) = sqrt(k) / 7.8144; the
  // Vogel increment pr J / 1.8 is held at 0.01 or more.
  for (const double k : {1.0, 4e-9, 1e-9}) {
    Frac low;
    low.k = k;
    const double qv = 3000.0 * (std::sqrt(k) / 7.8144) / 1.8;
    EXPECT_NEAR(low.go().q[24], qv > 0.01 ? qv : 0.01, 1e-9 * qv) << k;
  }
  Frac sat, comp, gas;
  const double j = sat.go().q[24] * 1.8 / 3000.0, x = 1375.0 / 1500.0;
  comp.pb = 1500.0;              // straight line to pb, Vogel below it
  gas.liquid = 0, gas.dz = 0.9;  // (pr^2 - p^2) / (S R), R = 40.93 z (460 + T) / (xf h)
  const double sr = std::sqrt(576.0 / 1e-6) * 40.93 * 0.9 * 640.0 / 15000.0;
  // The conductivity at [100 + layer].
  expect_near(
      {sat.res[103], comp.go().q[12], comp.q[13], gas.go().q[24]},
      {0.25 / 12.0 * 50000.0 / 300.0, 1500.0 * j, 1500.0 * j * (1.0 + v(x) / 1.8), 9e6 / sr}, 1e-9);
}

TEST(FracturedWellCurve, EffectiveRadiusAndRadialCurve) {
  Frac wide, narrow, mid;
  wide.t = narrow.t = mid.t = 1e6;
  wide.kf = 5e6, narrow.kf = 1000.0;  // F >= 100: rw' = xf / 2; F < 0.08: rw' = rw
  Frac wide2 = wide, narrow2 = narrow;
  wide2.rw = narrow2.rw = 0.5;
  EXPECT_EQ(wide.go().q, wide2.go().q);
  EXPECT_NE(narrow.go().q, narrow2.go().q);
  EXPECT_EQ((std::array{wide.ratio(), narrow.ratio()}), (std::array{0.5, 0.5}));
  // By hand: F = 1.10528, rw' = 53.4535 ft, folds 1.8758 and 1.4224 (the
  // smaller), G = 2.25609, k' = 0.225609 md, J = 0.1009736 at 0.35 cp.
  expect_near({mid.go().ratio(), mid.q[24] / 1e6}, {0.17817834660106752, 168.2893009 / 1e6}, 1e-12);
}

TEST(FracturedWellCurve, MultiplierAndErrorRate) {
  for (double t : {30.0, 1e6}) {
    Frac one, two, half;
    one.t = two.t = half.t = t, two.m = 2.0, half.m = 0.5;
    EXPECT_EQ(half.go().q, one.go().q);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(two.go().q[i], 2.0 * one.q[i]);
  }
  // Zero permeability, or a liquid with zero production time (t_D 0, so
  // transient, with S R = 0): the error rate in rates[0] alone, no multiplier.
  for (bool zero_time : {false, true}) {
    Frac r;
    (zero_time ? r.t : r.k) = 0.0;
    r.m = 2.0, r.q.fill(7.0), r.p.fill(7.0);
    EXPECT_EQ((std::array{r.go().q[0], r.regime() * 1.0, r.p[24]}),
              (std::array{dlv::fracture_error_rate, 0.0, 7.0}));
    for (int i = 1; i < 25; ++i) EXPECT_EQ(r.q[i], 7.0) << zero_time << ' ' << i;
  }
}

// A 1000 ft well in the middle of a 2000 x 4000 x 100 ft box (along y),
// kx = ky = 100 md, kz = 10 md, rw 0.365 ft, pr 2400 psi (100 psi steps).
// Gas at 200 F, z 0.9, 0.02 cp; oil with B 1.2, 1 cp.
struct Hw {
  int fluid = 1;
  double rw = 0.365, mu = 0.02, y1 = 1500.0, len = 1000.0, b = 4000.0, x0 = 1000.0, a = 2000.0;
  double pb = 0.0;
  std::array<double, 25> q{}, p{};
  Hw& go() {
    dlv::horizontal_well_curve(fluid, {200.0, 0.9, 1.2, mu, pb},
                               {100.0, 100.0, 10.0, 100.0, 80.0, b, a},
                               {rw, 0.0, y1, len, x0, 50.0}, 2400.0, {q.data(), p.data()});
    return *this;
  }
  Hw& oil(double bubble_point) { return fluid = 0, mu = 1.0, pb = bubble_point, go(); }
  // ln(sqrt(a h) / rw) + ln C_H - 0.75 + s_R, from the gas J = q[24] / pr^2.
  double den() { return 0.000703 * b * std::sqrt(1000.0) / (0.018 * 660.0 * go().q[24] / 5.76e6); }
};

TEST(HorizontalWellCurve, BabuOdehProductivityInBothBoxShapes) {
  // By hand: ln C_H = 1.28639, s_R = 31.6547 in the long box; with the box
  // turned (the well across a 4000 ft width) ln C_H = 4.23643, s_R = 8.08410.
  Hw along, across;
  across.a = 4000.0, across.b = 2000.0, across.x0 = 2000.0, across.y1 = 500.0;
  expect_near({along.den(), across.den()}, {39.30195089944852, 19.02799994690034}, 1e-9);
  // Oil: 0.007078 / (mu B) in place of 0.000703 / (mu z TR), Vogel from pr.
  EXPECT_NEAR(Hw().oil(3000.0).q[24] * 1.8 / 2400.0,
              along.q[24] / 5.76e6 * 0.02 * 0.007078 / 1.2 / 0.000703 * 594.0, 1e-12);
}

TEST(HorizontalWellCurve, OilWalkAroundTheBubblePoint) {
  const double j = Hw().oil(3000.0).q[24] * 1.8 / 2400.0;
  const Hw near = Hw().oil(1899.5);  // grid point 5 lies 0.5 psi above pb: nothing moves
  const double qb = 500.5 * j, qv = 1899.5 * j / 1.8;
  const Hw crossed = Hw().oil(1930.0);  // 30 psi below pb, 70 above: node 4 moves onto pb
  EXPECT_EQ((std::array{near.p[5], crossed.p[4], crossed.p[5], crossed.p[24]}),
            (std::array{1900.0, 1930.0, 1900.0, 0.0}));
  expect_near({near.q[4], near.q[5], crossed.q[4], crossed.q[5], crossed.q[24]},
              {400.0 * j, qv * v(1900.0 / 1899.5) + qb, 470.0 * j,
               1930.0 * j / 1.8 * v(1900.0 / 1930.0) + 470.0 * j, (470.0 + 1930.0 / 1.8) * j},
              1e-9);
}

}  // namespace
