#include "inflow/horizontal_well.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using Arr = std::array<double, 25>;

// A 1000 ft well in the middle of a 2000 x 4000 x 100 ft box (along y),
// kx = ky = 100 md, kz = 10 md, rw 0.365 ft, pr 2400 psi (100 psi steps).
// Gas at 200 F, z 0.9, 0.02 cp; oil with B 1.2, 1 cp.
struct Hw {
  int fluid = 1;
  double rw = 0.365, mu = 0.02, y1 = 1500.0, len = 1000.0, b = 4000.0, x0 = 1000.0, a = 2000.0;
  double z0 = 50.0, pb = 0.0;
  Arr q{}, p{};
  Hw& go() {
    dlv::horizontal_well_curve(fluid, 200.0, 0.9, 100.0, 100.0, 10.0, 100.0, 80.0, rw, 0.0, 2400.0,
                               1.2, mu, y1, len, b, x0, a, z0, pb, q.data(), p.data());
    return *this;
  }
  // ln(sqrt(a h) / rw) + ln C_H - 0.75 + s_R, from the gas J = q[24] / pr^2.
  double den() { return 0.000703 * b * std::sqrt(1000.0) / (0.018 * 660.0 * go().q[24] / 5.76e6); }
};
Hw oil(double pb) {
  Hw w;
  w.fluid = 0, w.mu = 1.0, w.pb = pb;
  return w.go();
}
double v(double x) { return 1.0 - 0.2 * x - 0.8 * x * x; }

TEST(HorizontalWellCurve, BabuOdehProductivity) {
  // By hand: ln C_H = 1.28639, s_R = 31.6547 in the long box; with the box
  // turned (the well across a 4000 ft width) ln C_H = 4.23643, s_R = 8.08410.
  Hw along, across;
  EXPECT_NEAR(along.den(), 39.30195089944852, 1e-9);
  across.a = 4000.0, across.b = 2000.0, across.x0 = 2000.0, across.y1 = 500.0;
  EXPECT_NEAR(across.den(), 19.02799994690034, 1e-9);
  // Oil: 0.007078 / (mu B) in place of 0.000703 / (mu z TR).
  EXPECT_NEAR(oil(3000.0).q[24] * 1.8 / 2400.0,
              along.q[24] / 5.76e6 * 0.02 * 0.007078 / 1.2 / 0.000703 * 594.0, 1e-12);
}

TEST(HorizontalWellCurve, WellAsLongAsTheBoxHasNoPartialPenetrationSkin) {
  for (double len : {4000.0, 1000.0}) {  // rw enters s_R only through (b/L - 1)
    Hw thin, thick;
    thin.len = thick.len = len, thin.y1 = thick.y1 = 2000.0 - len / 2.0, thick.rw = 0.5;
    EXPECT_NEAR(thin.den() - thick.den(), 4000.0 / len * std::log(0.5 / 0.365), 1e-11);
  }
}

TEST(HorizontalWellCurve, OilWalkAroundTheBubblePoint) {
  const double j = oil(3000.0).q[24] * 1.8 / 2400.0;
  const Hw near = oil(1899.5);  // grid point 5 lies 0.5 psi above pb: nothing moves
  const double qb = 500.5 * j, qv = 1899.5 * j / 1.8;
  EXPECT_TRUE(near.p[5] == 1900.0 && std::fabs(near.q[4] - 400.0 * j) < 1e-9 && near.q[5] < qb);
  EXPECT_NEAR(near.q[5], qv * v(1900.0 / 1899.5) + qb, 1e-9);
  const Hw crossed = oil(1930.0);  // 30 psi below pb, 70 above: node 4 moves onto pb
  EXPECT_TRUE(crossed.p[4] == 1930.0 && crossed.q[4] == 470.0 * j && crossed.p[5] == 1900.0);
  EXPECT_NEAR(crossed.q[5], 1930.0 * j / 1.8 * v(1900.0 / 1930.0) + 470.0 * j, 1e-9);
  const Hw first = oil(2350.0);  // first grid point below pb: the shut-in point stays
  EXPECT_TRUE(first.p[0] == 2400.0 && first.q[0] == 0.0 && first.p[1] == 2300.0);
  EXPECT_NEAR(first.q[1], 2350.0 * j / 1.8 * v(2300.0 / 2350.0) + 50.0 * j, 1e-9);
}

TEST(HorizontalWellCurve, DegenerateGeometry) {
  Hw none, bottom;  // a zero extent leaves the arrays as they were
  none.a = 0.0;
  none.q.fill(7.0), none.p.fill(7.0);
  EXPECT_TRUE(none.go().q[24] == 7.0 && none.p[24] == 7.0 && none.q[0] == 7.0);
  for (double z0 : {-5.0, 150.0}) {  // elevation outside [0, h]: not a number
    Hw w;
    w.z0 = z0;
    EXPECT_TRUE(std::isnan(w.go().q[24]) && w.p[0] == 2400.0 && w.q[0] == 0.0);
  }
  bottom.z0 = 0.0, bottom.rw = 0.0;  // a zero sine or radius: no flow
  EXPECT_EQ(bottom.go().q, Arr{});
}

}  // namespace
