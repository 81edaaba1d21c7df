#include "inflow/horizontal_well.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using Arr = std::array<double, 25>;

// A 1000 ft well in the middle of a 2000 x 4000 x 100 ft box (along y),
// kx = ky = 100 md, kz = 10 md, rw 0.365 ft; pr 2400 psi, so the grid falls
// by 100 psi. Gas at 200 F, z 0.9, 0.02 cp; oil with B 1.2, 1 cp.
struct Hw {
  int fluid = 1;
  double kx = 100.0, ky = 100.0, kz = 10.0, h = 100.0, rw = 0.365, skin = 0.0, mu = 0.02;
  double y1 = 1500.0, len = 1000.0, b = 4000.0, x0 = 1000.0, a = 2000.0, z0 = 50.0, pb = 0.0;
  Arr q{}, p{};
  Hw& go() {
    dlv::horizontal_well_curve(fluid, 200.0, 0.9, kx, ky, kz, h, 80.0, rw, skin, 2400.0, 1.2, mu,
                               y1, len, b, x0, a, z0, pb, q.data(), p.data());
    return *this;
  }
  // ln(sqrt(a h) / rw) + ln C_H - 0.75 + s_R + s, from J = q[24] / pr^2 of the gas curve.
  double denominator() {
    go();
    return 0.000703 * b * std::sqrt(kx * kz) / (mu * 0.9 * 660.0 * (q[24] / (2400.0 * 2400.0)));
  }
};
Hw oil(double pb) {
  Hw w;
  w.fluid = 0;
  w.mu = 1.0;
  w.pb = pb;
  return w.go();
}
double v(double x) { return 1.0 - 0.2 * x - 0.8 * x * x; }

TEST(HorizontalWellCurve, BabuOdehProductivityOfAPartlyPenetratingWell) {
  // Worked by hand from Babu and Odeh's formulas: ln C_H = 1.28639, s_R = 31.6547
  // for the long box; ln C_H = 4.23643, s_R = 8.08410 with the box turned.
  Hw along;
  EXPECT_NEAR(along.denominator(), 39.30195089944852, 1e-9);
  Hw across;
  across.a = 4000.0, across.b = 2000.0, across.x0 = 2000.0, across.y1 = 500.0;
  EXPECT_NEAR(across.denominator(), 19.02799994690034, 1e-9);
  Hw skinned;
  skinned.skin = 5.0;
  EXPECT_NEAR(skinned.denominator(), 44.30195089944852, 1e-9);
  // Oil: the same geometry with 0.007078 / B in place of 0.000703 / (z TR).
  const double j_gas = along.q[24] / (2400.0 * 2400.0) * 0.02;
  EXPECT_NEAR(oil(3000.0).q[24] * 1.8 / 2400.0, j_gas * 0.007078 / 1.2 / 0.000703 * 594.0, 1e-12);
  EXPECT_NEAR(along.q[12], along.q[24] * 0.75, 1e-9 * along.q[24]);
}

TEST(HorizontalWellCurve, WellAsLongAsTheBoxAndCentredWell) {
  for (double len : {4000.0, 1000.0}) {  // rw enters s_R only through (b/L - 1)
    Hw thin, thick;
    thin.len = thick.len = len;
    thin.y1 = thick.y1 = 2000.0 - len / 2.0;
    thick.rw = 0.5;
    EXPECT_NEAR(thin.denominator() - thick.denominator(), 4000.0 / len * std::log(0.5 / 0.365),
                1e-11);
  }
  Hw full;  // full length: x0 acts through ln C_H alone (P'_xy = 0)
  full.len = 4000.0, full.y1 = 0.0;
  const double centre = full.denominator();
  full.x0 = 500.0;
  const double quarter = full.denominator();
  EXPECT_NEAR(quarter - centre, 6.28 * 20.0 * std::sqrt(0.1) * 0.0625, 1e-11);
  full.x0 = 1500.0;
  EXPECT_NEAR(full.denominator(), quarter, 1e-11);
  full.x0 = 1000.0, full.z0 = 25.0;
  EXPECT_GT(full.denominator(), centre);
}

TEST(HorizontalWellCurve, OilWalkAroundTheBubblePoint) {
  const double j = oil(3000.0).q[24] * 1.8 / 2400.0;
  const Hw near = oil(1899.5);  // grid point 5 lies 0.5 psi above pb: nothing moves
  EXPECT_EQ(near.p[5], 1900.0);
  EXPECT_NEAR(near.q[4], 400.0 * j, 1e-9);
  const double qb = 500.5 * j, qv = 1899.5 * j / 1.8;
  EXPECT_NEAR(near.q[5], qv * v(1900.0 / 1899.5) + qb, 1e-9);
  EXPECT_LT(near.q[5], qb);
  EXPECT_NEAR(near.q[6], qv * v(1800.0 / 1899.5) + qb, 1e-9);
  const Hw crossed = oil(1930.0);  // 30 psi below pb, 70 above: node 4 moves onto pb
  EXPECT_TRUE(crossed.p[4] == 1930.0 && crossed.q[4] == 470.0 * j && crossed.p[5] == 1900.0);
  EXPECT_NEAR(crossed.q[5], 1930.0 * j / 1.8 * v(1900.0 / 1930.0) + 470.0 * j, 1e-9);
  const Hw first = oil(2350.0);  // first grid point below pb: the shut-in point stays
  EXPECT_TRUE(first.p[0] == 2400.0 && first.q[0] == 0.0 && first.p[1] == 2300.0);
  EXPECT_NEAR(first.q[1], 2350.0 * j / 1.8 * v(2300.0 / 2350.0) + 50.0 * j, 1e-9);
  const Hw low = oil(50.0);  // never reached: straight line to 23, end point q_b + q_v
  EXPECT_NEAR(low.q[23], 2300.0 * j, 1e-9);
  EXPECT_TRUE(low.p[24] == 0.0 && low.q[24] == 2350.0 * j + 50.0 * j / 1.8);
}

TEST(HorizontalWellCurve, DegenerateGeometry) {
  Hw none;  // a zero extent leaves the arrays as they were
  none.a = 0.0;
  none.q.fill(7.0);
  none.p.fill(7.0);
  none.go();
  for (int i = 0; i < 25; ++i) EXPECT_TRUE(none.q[i] == 7.0 && none.p[i] == 7.0);
  for (double z0 : {-5.0, 150.0}) {  // elevation outside [0, h]: not a number
    Hw w;
    w.z0 = z0;
    EXPECT_TRUE(std::isnan(w.go().q[24]) && w.p[0] == 2400.0 && w.q[0] == 0.0);
  }
  // On the bottom the sine is 0 and the well yields nothing; at the top the
  // truncated pi leaves a small positive sine and a poor but finite well.
  Hw bottom, top, centre;
  bottom.z0 = 0.0, top.z0 = 100.0;
  EXPECT_EQ(bottom.go().q, Arr{});
  EXPECT_TRUE(top.go().q[24] > 0.0 && top.q[24] < 0.5 * centre.go().q[24]);
  for (int c = 0; c < 3; ++c) {  // zero radius, negative permeability, zero viscosity
    Hw w = oil(1000.0);
    if (c == 0) w.rw = 0.0;
    if (c == 1) w.kz = -10.0;
    if (c == 2) w.mu = 0.0;
    w.go();
    EXPECT_TRUE(w.p[0] == 2400.0 && w.q[0] == 0.0);
  }
}

}  // namespace
