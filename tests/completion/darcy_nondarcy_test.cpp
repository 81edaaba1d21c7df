#include "completion/darcy_nondarcy.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using Arr = std::array<double, 25>;
struct Curve {
  Arr q{}, p{};
};

// Pseudo-pressure table every 100 psi up to 5000 psi: m = 200 p^2 + offset.
struct Table {
  std::array<double, 51> p{}, m{};
  explicit Table(double offset = 0.0) {
    for (int i = 0; i < 51; ++i) {
      p[i] = 100.0 * i;
      m[i] = 200.0 * p[i] * p[i] + offset;
    }
  }
};

// Radial layer: k 100 md, h 50 ft, re 1490 ft, rw 0.328 ft.
Curve liquid(double k, double skin, double rw, double rho) {
  Curve c;
  dlv::darcy_nondarcy_liquid_curve(k, 50.0, 1490.0, rw, skin, 1.2, 1.0, 2400.0, rho, c.q.data(),
                                   c.p.data(), 0);
  return c;
}
Curve gas(const Table& t, double k, double h, double sg, double d = -1.0) {
  Curve c;
  if (d < 0.0) {
    dlv::darcy_nondarcy_gas_curve(k, h, 1490.0, 0.328, 2.0, 2400.0, 200.0, sg, 0.02, c.q.data(),
                                  c.p.data(), t.p.data(), t.m.data(), 51, 0);
  } else {
    dlv::gas_curve_given_d(k, h, 1490.0, 0.328, 2.0, d, 2400.0, 200.0, sg, 0.02, c.q.data(),
                           c.p.data(), t.p.data(), t.m.data(), 51, 0);
  }
  return c;
}

TEST(DarcyNonDarcyLiquidCurve, TendsToTheDarcyIndexOfARadialWell) {
  // Textbook: J = k h / (141.2 B mu ln(0.472 re / rw)) = 3.84707 STB/d/psi.
  const Curve light = liquid(100.0, 0.0, 0.328, 1e-3);
  EXPECT_NEAR(light.q[24] / 2400.0, 3.84707, 1e-5);
  for (int i = 0; i < 25; ++i) EXPECT_EQ(light.p[i], i == 24 ? 0.0 : 2400.0 - 100.0 * i);
  // Turbulence takes a growing share of the drawdown as the rate rises.
  const Curve heavy = liquid(100.0, 0.0, 0.328, 50.0);
  EXPECT_LT(heavy.q[24], light.q[24]);
  EXPECT_LT(heavy.q[24] / heavy.q[1], 24.0);
  EXPECT_NEAR(heavy.q[1] / light.q[1], 1.0, 1e-2);
}

TEST(DarcyNonDarcyLiquidCurve, NegativeDarcyCoefficientMarksEveryRate) {
  for (const Curve& c : {liquid(100.0, -9.0, 0.328, 50.0), liquid(-5.0, 0.0, 0.328, 50.0)}) {
    EXPECT_EQ(c.q[0], 0.0);
    for (int i = 1; i < 25; ++i) EXPECT_EQ(c.q[i], 9999.9);
    EXPECT_EQ(c.p[12], 1200.0);
  }
  // Zero radius, permeability or density: rates not finite, the grid intact.
  for (const Curve& c : {liquid(100.0, 0.0, 0.0, 50.0), liquid(0.0, 0.0, 0.328, 50.0),
                         liquid(100.0, 0.0, 0.328, 0.0)}) {
    EXPECT_FALSE(std::isfinite(c.q[24]));
    EXPECT_TRUE(c.p[0] == 2400.0 && c.p[24] == 0.0 && c.q[0] == 0.0);
  }
}

TEST(DarcyNonDarcyGasCurve, TendsToTheDarcyPseudoPressureEquation) {
  // q = k h (m(pr) - m(p)) / (1424 TR (ln(0.472 re / rw) + s)) without turbulence.
  const Curve c = gas(Table(), 10.0, 30.0, 2e-5);
  const double a = 1424.0 * 660.0 * (std::log(0.472 * 1490.0 / 0.328) + 2.0) / 300.0;
  for (int i = 1; i < 25; ++i) {
    EXPECT_NEAR(c.q[i], 200.0 * (2400.0 * 2400.0 - c.p[i] * c.p[i]) / a, 1e-5 * c.q[i]);
  }
}

TEST(DarcyNonDarcyGasCurve, ZeroPressurePointTakesPseudoPressureZero) {
  // An offset in the table cancels in every drawdown except the last one.
  const Curve plain = gas(Table(), 10.0, 30.0, 0.7);
  const Curve offset = gas(Table(1e8), 10.0, 30.0, 0.7);
  for (int i = 1; i < 24; ++i) EXPECT_NEAR(offset.q[i], plain.q[i], 1e-9 * plain.q[i]);
  EXPECT_GT(offset.q[24], plain.q[24] * 1.01);
}

TEST(DarcyNonDarcyGasCurve, NoFlowCapacityGivesZeroRates) {
  for (const Curve& c : {gas(Table(), 0.0, 30.0, 0.7), gas(Table(), 10.0, 0.0, 0.7),
                         gas(Table(), -10.0, 30.0, 0.7)}) {
    for (int i = 0; i < 25; ++i) {
      EXPECT_EQ(c.q[i], 0.0);
      EXPECT_EQ(c.p[i], i == 24 ? 0.0 : 2400.0 - 100.0 * i);
    }
  }
}

TEST(GasCurveGivenD, ZeroDIsTheDarcyCurveAndMatchingDReproducesIt) {
  const Table t;
  const Curve darcy = gas(t, 10.0, 30.0, 0.7);
  const Curve zero = gas(t, 10.0, 30.0, 0.7, 0.0);
  EXPECT_TRUE(zero.q == darcy.q && zero.p == darcy.p);
  // D q^2 + S q = c dm is the same quadratic when D = G c.
  const double beta = 2.6e10 / std::pow(10.0, 1.2);
  const double g = 3.166e-12 * beta * 0.7 * 660.0 / 0.328 / 900.0;
  const Curve given = gas(t, 10.0, 30.0, 0.7, g * 300.0 / (1424.0 * 660.0));
  for (int i = 1; i < 25; ++i) EXPECT_NEAR(given.q[i], darcy.q[i], 1e-9 * darcy.q[i]);
  EXPECT_TRUE(given.p == darcy.p);
}

}  // namespace
