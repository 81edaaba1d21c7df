#include "inflow/fractured_well.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "interface/blocks.hpp"

namespace {

using Arr = std::array<double, 25>;

// Fractured layer: k 1 md, h 50 ft, re 745 ft, rw 0.328 ft, B 1.2, mu 0.8 cp,
// pr 3000 psi, xf 300 ft, ct 1e-5 /psi, phi 0.1, 30 days, 180 F, a 0.25 in
// fracture of 50 darcies; 25 psi steps in the pseudo-pressure table.
struct Frac {
  double k = 1.0, h = 50.0, re = 745.0, rw = 0.328, mu = 0.8, pr = 3000.0, xf = 300.0;
  double ct = 1e-5, phi = 0.1, t = 30.0, wf = 0.25, kf = 50000.0, dz = 50.0, pb = 3000.0;
  double m = 1.0;
  int liquid = 1, layer = 3;
  std::array<double, 250> results{};
  Arr q{}, p{};
  Frac& go() {
    static std::array<double, 201> pp, mp;
    for (int i = 0; i < 201; ++i) pp[i] = 25.0 * i, mp[i] = 250.0 * pp[i] * pp[i];
    dlv::fractured_well_curve(k, h, re, rw, 0.0, 1.2, mu, pr, xf, ct, phi, t, 180.0, wf, kf, liquid,
                              dz, pb, m, q.data(), p.data(), pp.data(), mp.data(), 201,
                              dlv::LayerResults{results.data()}, layer);
    return *this;
  }
  dlv::LayerResults view() { return dlv::LayerResults{results.data()}; }
  double td() { return view().dimensionless_time()[3]; }
  int regime() { return view().flow_regime_flag(3); }
  double ratio() { return view().effective_radius_ratio()[3]; }
};
double v(double x) { return 1.0 - 0.2 * x - 0.8 * x * x; }

TEST(FracturedWellCurve, StabilizedFromDimensionlessTime10000On) {
  bool below = false, exact = false;
  for (int step = -3; step <= 3; ++step) {
    Frac r;  // unit porosity, viscosity, compressibility and half-length
    r.phi = r.mu = r.ct = r.xf = 1.0;
    r.t = 10000.0 / (0.000263 * 24.0);
    for (int s = 0; s < std::abs(step); ++s) r.t = std::nextafter(r.t, step * 1e300);
    r.go();
    below |= r.td() < 10000.0;
    exact |= r.td() == 10000.0;
    EXPECT_EQ(r.regime(), r.td() < 10000.0 ? 0 : 1) << r.td();
    EXPECT_EQ(r.ratio(), r.regime() == 0 ? 1.0 : 0.5);  // F >= 100 when stabilized
  }
  EXPECT_TRUE(below && exact);
  Frac tight;  // zero porosity: infinite time, stabilized
  tight.phi = 0.0;
  EXPECT_EQ(tight.go().regime(), 1);
  EXPECT_EQ(tight.view().fracture_conductivity()[3], 0.25 / 12.0 * 50000.0 / 300.0);
}

TEST(FracturedWellCurve, TransientLinearFlow) {
  // J = xf h sqrt(k phi ct) / (4.07 B sqrt(mu t_h)) = 0.127969 STB/d/psi.
  Frac sat;
  sat.go();
  EXPECT_NEAR(sat.q[24], 3000.0 * 0.127969 / 1.8, 1e-3);
  EXPECT_NEAR(sat.q[12], sat.q[24] * v(0.5), 1e-9);
  Frac later = sat;  // four times the time: half the rate
  later.t = 120.0;
  EXPECT_NEAR(later.go().q[7], sat.q[7] / 2.0, 1e-9);
  Frac comp = sat;  // bubble point 1500: straight line, Vogel below
  comp.pb = 1500.0;
  comp.go();
  const double j = sat.q[24] * 1.8 / 3000.0;
  for (int k = 1; k < 25; ++k) {
    const double p = 3000.0 - 125.0 * k;
    EXPECT_NEAR(comp.q[k],
                p < 1500.0 ? 1500.0 * j + 1500.0 * j / 1.8 * v(p / 1500.0) : k * 125.0 * j, 1e-9);
  }
  // Gas: (pr^2 - p^2) / (S R), R = 40.93 z (460 + T) / (xf h); also 1 / sqrt(t).
  Frac gas = sat;
  gas.liquid = 0;
  gas.dz = 0.9;
  gas.go();
  EXPECT_NEAR(gas.q[24],
              3000.0 * 3000.0 / (std::sqrt(0.8 * 720.0 / 1e-6) * 40.93 * 0.9 * 640.0 / 15000.0),
              1e-9 * gas.q[24]);
  EXPECT_NEAR(gas.q[24] / gas.q[12], 4.0 / 3.0, 1e-12);
  EXPECT_EQ(gas.ratio(), 1.0);
  EXPECT_EQ(gas.regime(), 0);
}

TEST(FracturedWellCurve, EffectiveRadiusAndRadialCurves) {
  Frac wide;  // F >= 100: rw' = xf / 2, the wellbore radius plays no part
  wide.t = 1e6;
  wide.kf = 5e6;
  Frac wide2 = wide;
  wide2.rw = 0.5;
  EXPECT_TRUE(wide.go().q == wide2.go().q && wide.ratio() == 0.5);
  Frac narrow = wide;  // F < 0.08: rw' = rw, ratio still 0.5
  narrow.kf = 1000.0;
  Frac narrow2 = narrow;
  narrow2.rw = 0.5;
  EXPECT_TRUE(narrow.go().q != narrow2.go().q && narrow.ratio() == 0.5);
  Frac mid = wide;
  mid.kf = 50000.0;
  const double f = (0.25 / 12.0) * 50000.0 / 300.0 / 3.1415;
  EXPECT_NEAR(mid.go().ratio(), 0.5 - 0.4 / std::pow(50.0, f / 18.0) - 0.008 / f, 1e-12);
  EXPECT_EQ(mid.regime(), 1);
  // Worked by hand: rw' = 53.4535 ft, folds 1.8758 and 1.4224 (McGuire-Sikora
  // the smaller), G = 2.25609, k' = 0.225609 md, J = 0.1009736 at 0.35 cp.
  EXPECT_NEAR(mid.q[24], 168.2893009, 1e-6);
  // With a bubble point the oil line runs at 0.35 cp: viscosity and density do
  // not matter; without one the non-Darcy liquid curve reads the density.
  Frac other = mid;
  other.mu = 3.0;
  other.dz = 10.0;
  EXPECT_EQ(other.go().q, mid.q);
  Frac nopb = mid, nopb2 = mid;
  nopb.pb = nopb2.pb = 0.0;
  nopb2.dz = 10.0;
  EXPECT_NE(nopb.go().q, nopb2.go().q);
  Frac gas = mid;
  gas.liquid = 0;
  EXPECT_TRUE(gas.go().q[24] > gas.q[23] && gas.q[23] > 0.0);
  const Arr first = gas.q;  // a second call, same values: nothing entered was altered
  EXPECT_EQ(gas.go().q, first);
}

TEST(FracturedWellCurve, MultiplierAndErrorRate) {
  for (double t : {30.0, 1e6}) {
    Frac one, two, half;
    one.t = two.t = half.t = t;
    two.m = 2.0;
    half.m = 0.5;
    one.go();
    EXPECT_EQ(half.go().q, one.q);
    two.go();
    for (int i = 0; i < 25; ++i) EXPECT_EQ(two.q[i], 2.0 * one.q[i]);
  }
  for (int bad = 0; bad < 2; ++bad) {  // zero permeability, zero thickness
    Frac r;
    r.k = bad == 0 ? 0.0 : 1.0;
    r.h = bad == 1 ? 0.0 : 50.0;
    r.m = 2.0;
    r.q.fill(7.0);
    r.p.fill(7.0);
    r.go();
    EXPECT_EQ(r.q[0], dlv::fracture_error_rate);
    for (int i = 1; i < 25; ++i) EXPECT_EQ(r.q[i], 7.0);
    for (int i = 0; i < 25; ++i) EXPECT_EQ(r.p[i], 7.0);
    EXPECT_TRUE(r.regime() == 0 && r.ratio() == 1.0);
  }
}

TEST(FracturedWellCurve, BadInputRunsThroughInsideTheBlocks) {
  Frac out;  // a layer index outside the block writes no result
  out.layer = 50;
  out.go();
  EXPECT_EQ(out.results, (std::array<double, 250>{}));
  EXPECT_EQ(out.p[0], 3000.0);
  for (int c = 0; c < 5; ++c) {
    for (double t : {30.0, 1e6}) {
      Frac r;
      r.t = t;
      r.layer = -1;
      if (c == 0) r.rw = 0.0;
      if (c == 1) r.mu = 0.0;
      if (c == 2) r.k = -1.0;
      if (c == 3) r.xf = 0.0;
      if (c == 4) r.liquid = 0, r.wf = 0.0;
      r.go();
      EXPECT_EQ(r.results, (std::array<double, 250>{}));
    }
  }
}

}  // namespace
