#include "inflow/darcy_vogel.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

struct Curve {
  std::array<double, 25> q{}, p{};
  double pr = 0.0;
};

// Radial layer: h 50 ft, re 1490 ft, B 1.2, oil and liquid viscosity 1 cp
// unless given; with k 100 md and no skin J = 3.847074 STB/d/psi.
Curve dv(double pr, double pb, double w, double k = 100.0, double skin = 0.0, double rw = 0.328,
         double mu_liquid = 1.0, double mu_oil = 1.0) {
  Curve c;
  c.pr = pr;
  dlv::darcy_vogel_curve(k, 50.0, 1490.0, rw, skin, 1.2, mu_liquid, c.pr, pb, w, mu_oil, 0.5,
                         c.q.data(), c.p.data(), 0);
  return c;
}
const double kJ = 100.0 * 50.0 / (141.2 * 1.2 * std::log(0.472 * 1490.0 / 0.328));
double v(double x) { return 1.0 - 0.2 * x - 0.8 * x * x; }

TEST(DarcyVogelCurve, DarcyIndexOfARadialWellOnTheStraightLine) {
  EXPECT_NEAR(kJ, 3.847074, 1e-6);  // textbook value of this layer
  const Curve c = dv(2400.0, 0.0, 0.0);
  for (int k = 0; k < 24; ++k) EXPECT_NEAR(c.q[k], kJ * (2400.0 - c.p[k]), 1e-9 * c.q[23]);
  // The end point carries the floored Vogel increment of a zero bubble point.
  EXPECT_NEAR(c.q[24], kJ * 2400.0 + 0.01, 1e-9 * c.q[24]);
}

TEST(DarcyVogelCurve, CompositeNodeOnTheBubblePointAndVogelBelow) {
  const Curve on = dv(2400.0, 1900.0, 0.0);  // grid point 5 is the bubble point
  EXPECT_TRUE(on.p[5] == 1900.0 && on.p[6] == 1800.0);
  EXPECT_NEAR(on.q[5], 500.0 * kJ, 1e-9);
  EXPECT_NEAR(on.q[6], 500.0 * kJ + 1900.0 * kJ / 1.8 * v(18.0 / 19.0), 1e-9);
  EXPECT_NEAR(on.q[24], 500.0 * kJ + 1900.0 * kJ / 1.8, 1e-9);
  const Curve moved = dv(2400.0, 1950.0, 0.0);  // grid point 5 moves up to pb
  EXPECT_TRUE(moved.p[5] == 1950.0 && moved.q[5] == (2400.0 - 1950.0) * kJ * 1.0);
}

TEST(DarcyVogelCurve, WaterLineUsesTheLiquidViscosity) {
  // Water cut 0.5, water line at half the oil viscosity: Jw = J.
  const Curve sat = dv(2400.0, 3000.0, 0.5, 100.0, 0.0, 0.328, 0.5, 1.0);
  EXPECT_NEAR(sat.q[24], 0.5 * 2400.0 * kJ / 1.8 + kJ * 2400.0, 1e-9);
  EXPECT_NEAR(sat.q[12], 0.5 * 2400.0 * kJ / 1.8 * v(0.5) + kJ * 1200.0, 1e-9);
  const Curve water = dv(2400.0, 1900.0, 1.0);  // the oil part vanishes, floor included
  for (int k = 0; k < 25; ++k) EXPECT_NEAR(water.q[k], kJ * (2400.0 - water.p[k]), 1e-9);
  // The 0.01 floor applies before the oil fraction: a tight layer keeps 0.005.
  EXPECT_NEAR(dv(2400.0, 3000.0, 0.5, 1e-9).q[24], 0.005, 1e-7);
}

TEST(DarcyVogelCurve, SentinelFloorAndBadGeometry) {
  const Curve neg = dv(2400.0, 1900.0, 0.2, 100.0, -9.0);  // L < 0
  EXPECT_EQ(neg.q[0], 0.0);
  for (int k = 1; k < 25; ++k) EXPECT_EQ(neg.q[k], dlv::invalid_rate);
  EXPECT_TRUE(neg.p[5] == 1900.0 && neg.p[6] == 1800.0);
  const Curve zero = dv(0.0, 1900.0, 0.0);  // raised to 1 psi and written back
  EXPECT_TRUE(zero.pr == 1.0 && zero.p[0] == 1.0 && zero.p[24] == 0.0);
  // Zero radius: J = 0, only the floored increment flows.
  EXPECT_NEAR(dv(2400.0, 3000.0, 0.0, 100.0, 0.0, 0.0).q[24], 0.01, 1e-15);
  // Zero viscosity, negative permeability: no crash, grid and shut-in point kept.
  for (const Curve& c :
       {dv(2400.0, 1900.0, 0.3, 100.0, 0.0, 0.328, 0.0, 0.0), dv(2400.0, 1900.0, 0.3, -100.0)}) {
    EXPECT_TRUE(c.p[0] == 2400.0 && c.q[0] == 0.0 && c.p[23] == 100.0);
  }
}

}  // namespace
