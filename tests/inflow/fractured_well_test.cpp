#include "inflow/fractured_well.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using Arr = std::array<double, 25>;

// k 1 md, h 50 ft, re 745 ft, rw 0.328 ft, B 1.2, 0.8 cp, pr 3000 psi, xf 300 ft,
// ct 1e-5, phi 0.1, 30 days, 180 F, 0.25 in of 50 darcies; layer 3.
struct Frac {
  double k = 1.0, h = 50.0, rw = 0.328, mu = 0.8, xf = 300.0, ct = 1e-5, phi = 0.1, t = 30.0;
  double kf = 50000.0, dz = 50.0, pb = 3000.0, m = 1.0;
  int liquid = 1, layer = 3;
  std::array<double, 250> res{};
  Arr q{}, p{};
  Frac& go() {
    std::array<double, 201> pp, mp;
    for (int i = 0; i < 201; ++i) pp[i] = 25.0 * i, mp[i] = 250.0 * pp[i] * pp[i];
    double pr = 3000.0;
    dlv::fractured_well_curve(k, h, 745.0, rw, 0.0, 1.2, mu, pr, xf, ct, phi, t, 180.0, 0.25, kf,
                              liquid, dz, pb, m, q.data(), p.data(), pp.data(), mp.data(), 201,
                              dlv::LayerResults{res.data()}, layer);
    return *this;
  }
  dlv::LayerResults view() { return dlv::LayerResults{res.data()}; }
  double td() { return view().dimensionless_time()[3]; }
  int regime() { return view().flow_regime_flag(3); }
  double ratio() { return view().effective_radius_ratio()[3]; }
};

TEST(FracturedWellCurve, StabilizedFromDimensionlessTime10000On) {
  bool below = false, exact = false;
  for (int step = -3; step <= 3; ++step) {  // unit phi, mu, ct, xf: t_D = 0.000263 t_h
    Frac r;
    r.phi = r.mu = r.ct = r.xf = 1.0;
    r.t = 10000.0 / (0.000263 * 24.0);
    for (int s = 0; s < std::abs(step); ++s) r.t = std::nextafter(r.t, step * 1e300);
    r.go();
    below |= r.td() < 10000.0, exact |= r.td() == 10000.0;
    EXPECT_EQ(r.regime(), r.td() < 10000.0 ? 0 : 1) << r.td();
    EXPECT_EQ(r.ratio(), r.regime() == 0 ? 1.0 : 0.5);  // F >= 100 when stabilized
  }
  EXPECT_TRUE(below && exact);
}

TEST(FracturedWellCurve, TransientLinearFlow) {
  Frac sat, comp, gas;  // J = xf h sqrt(k phi ct) / (4.07 B sqrt(mu t_h))
  const double j = sat.go().q[24] * 1.8 / 3000.0;
  EXPECT_NEAR(j, 0.127969, 1e-6);
  comp.pb = 1500.0;  // straight line to pb, Vogel below it
  const double x = 1375.0 / 1500.0;
  EXPECT_NEAR(comp.go().q[12], 1500.0 * j, 1e-9);
  EXPECT_NEAR(comp.q[13], 1500.0 * j * (1.0 + (1.0 - 0.2 * x - 0.8 * x * x) / 1.8), 1e-9);
  gas.liquid = 0, gas.dz = 0.9;  // (pr^2 - p^2) / (S R), R = 40.93 z (460 + T) / (xf h)
  const double sr = std::sqrt(576.0 / 1e-6) * 40.93 * 0.9 * 640.0 / 15000.0;
  EXPECT_NEAR(gas.go().q[24], 9e6 / sr, 1e-9);
}

TEST(FracturedWellCurve, EffectiveRadiusAndRadialCurves) {
  Frac wide, narrow, mid;
  wide.t = narrow.t = mid.t = 1e6;
  wide.kf = 5e6, narrow.kf = 1000.0;  // F >= 100: rw' = xf / 2; F < 0.08: rw' = rw
  Frac wide2 = wide, narrow2 = narrow;
  wide2.rw = narrow2.rw = 0.5;
  EXPECT_TRUE(wide.go().q == wide2.go().q && wide.ratio() == 0.5);
  EXPECT_TRUE(narrow.go().q != narrow2.go().q && narrow.ratio() == 0.5);
  // By hand: F = 1.10528, rw' = 53.4535 ft, folds 1.8758 and 1.4224 (the
  // smaller), G = 2.25609, k' = 0.225609 md, J = 0.1009736 at 0.35 cp.
  EXPECT_NEAR(mid.go().ratio(), 0.17817834660106752, 1e-12);
  EXPECT_NEAR(mid.q[24], 168.2893009, 1e-6);
  EXPECT_EQ(Frac(mid).go().q, mid.q);  // a later call sees the values entered
}

TEST(FracturedWellCurve, MultiplierErrorRateAndBadInput) {
  for (double t : {30.0, 1e6}) {
    Frac one, two, half;
    one.t = two.t = half.t = t, two.m = 2.0, half.m = 0.5;
    EXPECT_EQ(half.go().q, one.go().q);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(two.go().q[i], 2.0 * one.q[i]);
  }
  for (int bad = 0; bad < 2; ++bad) {  // zero permeability, zero thickness
    Frac r;
    (bad == 0 ? r.k : r.h) = 0.0, r.m = 2.0;
    r.q.fill(7.0), r.p.fill(7.0);
    EXPECT_TRUE(r.go().q[0] == dlv::fracture_error_rate && r.regime() == 0 && r.ratio() == 1.0);
    for (int i = 1; i < 25; ++i) EXPECT_TRUE(r.q[i] == 7.0 && r.p[i] == 7.0);
  }
  for (int c = 0; c < 10; ++c) {  // no crash; an index outside the block writes no result
    Frac r;
    r.t = c < 5 ? 30.0 : 1e6, r.layer = c % 2 ? -1 : 50, r.liquid = c % 3 ? 1 : 0;
    double* field[] = {&r.rw, &r.mu, &r.k, &r.xf, &r.kf};
    *field[c % 5] = c % 5 == 2 ? -1.0 : 0.0;
    EXPECT_EQ(r.go().res, (std::array<double, 250>{}));
  }
}

}  // namespace
