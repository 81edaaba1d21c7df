#include "inflow/darcy_nondarcy.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using Arr = std::array<double, 25>;
struct Curve {
  Arr q{}, p{};
};
// h 50 ft (liquid) or 30 ft (gas), re 1490 ft, pr 2400 psi; m = 200 p^2 + offset.
Curve liquid(double k, double skin, double rw, double rho) {
  Curve c;
  dlv::darcy_nondarcy_liquid_curve({k, 50.0, 1490.0, rw, skin}, {1.2, 1.0, rho}, 2400.0,
                                   {c.q.data(), c.p.data()}, 0);
  return c;
}
Curve gas(double kh, double sg, double d = -1.0, double offset = 0.0) {
  std::array<double, 51> pp, mp;
  for (int i = 0; i < 51; ++i) pp[i] = 100.0 * i, mp[i] = 200.0 * pp[i] * pp[i] + offset;
  Curve c;
  if (d < 0.0) {
    dlv::darcy_nondarcy_gas_curve({kh / 30.0, 30.0, 1490.0, 0.328, 2.0}, 2400.0, {200.0, sg, 0.0},
                                  {c.q.data(), c.p.data()}, {pp.data(), mp.data(), 51}, 0);
  } else {
    dlv::gas_curve_given_d({kh / 30.0, 30.0, 1490.0, 0.328, 2.0}, d, 2400.0, {200.0, sg, 0.0},
                           {c.q.data(), c.p.data()}, {pp.data(), mp.data(), 51}, 0);
  }
  return c;
}

TEST(DarcyNonDarcyLiquidCurve, DarcyIndexAndNegativeCoefficientSentinel) {
  // Textbook: J = k h / (141.2 B mu ln(0.472 re / rw)) = 3.84707 STB/d/psi.
  const Curve light = liquid(100.0, 0.0, 0.328, 1e-3), heavy = liquid(100.0, 0.0, 0.328, 50.0);
  EXPECT_NEAR(light.q[24] / 2400.0, 3.84707, 1e-5);
  EXPECT_NEAR(heavy.q[24], 9165.2209387801, 1e-9 * 9165.0);  // worked by hand, non-Darcy 17 psi
  EXPECT_EQ(light.p[12], 1200.0);
  for (const Curve& c : {liquid(100.0, -9.0, 0.328, 50.0), liquid(-5.0, 0.0, 0.328, 50.0)}) {
    for (int i = 0; i < 25; ++i) EXPECT_EQ(c.q[i], i == 0 ? 0.0 : 9999.9);  // A < 0
  }
}

TEST(DarcyNonDarcyGasCurve, PseudoPressureDrawdownZeroAtTheLastPoint) {
  // Near Darcy: q = k h (m(pr) - m(p)) / (1424 TR (ln(0.472 re / rw) + s)).
  const Curve c = gas(300.0, 2e-5);
  const double a = 1424.0 * 660.0 * (std::log(0.472 * 1490.0 / 0.328) + 2.0) / 300.0;
  for (int i = 1; i < 25; ++i) {
    EXPECT_NEAR(c.q[i], 200.0 * (5.76e6 - c.p[i] * c.p[i]) / a, 1e-5 * c.q[i]);
  }
  const Curve plain = gas(300.0, 0.7), offset = gas(300.0, 0.7, -1.0, 1e8);
  for (int i = 1; i < 24; ++i) EXPECT_NEAR(offset.q[i], plain.q[i], 1e-9 * plain.q[i]);
  EXPECT_GT(offset.q[24], plain.q[24] * 1.01);  // m(0) taken as 0, not looked up
  EXPECT_EQ(gas(0.0, 0.7).q, Arr{});
  EXPECT_EQ(gas(-10.0, 0.7).q, Arr{});
  EXPECT_EQ(gas(0.0, 0.7).p, plain.p);
}

TEST(GasCurveGivenD, ZeroDIsTheDarcyCurveAndMatchingDReproducesIt) {
  const Curve darcy = gas(300.0, 0.7), zero = gas(300.0, 0.7, 0.0);
  EXPECT_EQ(zero.q, darcy.q);
  EXPECT_EQ(zero.p, darcy.p);
  // D q^2 + S q = c dm is the Darcy quadratic divided by A when D = G c.
  const double g = 3.166e-12 * (2.6e10 / std::pow(10.0, 1.2)) * 0.7 * 660.0 / 0.328 / 900.0;
  const Curve given = gas(300.0, 0.7, g * 300.0 / (1424.0 * 660.0));
  for (int i = 1; i < 25; ++i) EXPECT_NEAR(given.q[i], darcy.q[i], 1e-9 * darcy.q[i]);
}

}  // namespace
