// Gas deliverability from back-pressure tests, the Darcy and non-Darcy
// curves, and injection curves.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "inflow/backpressure.hpp"
#include "inflow/darcy_nondarcy.hpp"
#include "inflow/injection.hpp"

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
  EXPECT_EQ((std::array{gas(0.0, 0.7).q, gas(-10.0, 0.7).q, gas(0.0, 0.7).p}),
            (std::array{Arr{}, Arr{}, plain.p}));
}

TEST(GasCurveGivenD, ZeroDIsTheDarcyCurveAndMatchingDReproducesIt) {
  const Curve darcy = gas(300.0, 0.7), zero = gas(300.0, 0.7, 0.0);
  EXPECT_EQ((std::array{zero.q, zero.p}), (std::array{darcy.q, darcy.p}));
  // D q^2 + S q = c dm is the Darcy quadratic divided by A when D = G c.
  const double g = 3.166e-12 * (2.6e10 / std::pow(10.0, 1.2)) * 0.7 * 660.0 / 0.328 / 900.0;
  const Curve given = gas(300.0, 0.7, g * 300.0 / (1424.0 * 660.0));
  for (int i = 1; i < 25; ++i) EXPECT_NEAR(given.q[i], darcy.q[i], 1e-9 * darcy.q[i]);
}

// k = 100 md, h = 20 ft, re = 1000 ft, mu = 1 cp (water, given as 0) or 0.02 cp
// (gas), z = 0.9, T = 150 F, skin 0 below and 5 above the break pressure;
// rw = 0 counts as 0.5 ft.
struct Skin {
  Arr q{}, p{};
  double j1, j2;
  Skin(std::int32_t fluid, double pr, double pbk, double qmax) {
    dlv::injection_skin_curve(fluid, {100.0, 20.0, 1000.0, 0.0, 0.0}, pr,
                              {fluid == 2 ? 0.0 : 0.02, 1.0, 0.9, 150.0, 62.0, 0.7},
                              {5.0, pbk, qmax}, {q.data(), p.data()});
    const double f = fluid == 2 ? 0.00708 * 2000.0 : 0.000703 * 2000.0 / (0.02 * 0.9 * 610.0);
    j1 = f / std::log(944.0), j2 = f / (std::log(944.0) + 5.0);
  }
};

TEST(InjectionSkinCurve, BreakNodeSecondLineAndEndPoint) {
  const Skin w(2, 2000.0, 2600.0, 1.0e5), wl(2, 2000.0, 2600.0, 10.0);
  EXPECT_EQ((std::array{w.p[0], w.q[0], w.p[12], w.q[24]}),
            (std::array{2000.0, 0.0, 2600.0, 1.0e5}));
  EXPECT_NEAR(w.q[12], 600.0 * w.j1, 1e-12 * w.q[12]);  // the break node is on the first line
  EXPECT_NEAR(w.q[23] - w.q[12], 550.0 * w.j2, 1e-9 * w.q[23]);
  EXPECT_NEAR((w.q[24] - w.q[12]) / (w.p[24] - 2600.0), w.j2, 1e-12 * w.j2);
  EXPECT_EQ(wl.p[24], 3200.0);  // a low maximum leaves the grid end
  EXPECT_LT(wl.q[24], 1.0e5);
  const Skin g(0, 2000.0, 2600.0, 1.0e5), gl(0, 2000.0, 2600.0, 10.0);
  const double qb = (2600.0 * 2600.0 - 2000.0 * 2000.0) * g.j1;
  EXPECT_NEAR(g.q[12], qb, 1e-12 * qb);
  EXPECT_NEAR((1.0e5 - qb) / (g.p[24] * g.p[24] - 2600.0 * 2600.0), g.j2, 1e-12 * g.j2);
  EXPECT_EQ((std::array{gl.q[24], gl.p[24]}), (std::array{gl.q[23], gl.p[23]}));  // point 23 again
  // Steps of 1.5 psi: node 13 lies outside the 1-psi window of the break and
  // stays on the second line.
  const Skin gs(0, 2000.0, 2018.0, 1.0e9);
  const double dq = (2019.5 * 2019.5 - 2018.0 * 2018.0) * gs.j2;
  EXPECT_EQ((std::array{gs.p[12], gs.p[13]}), (std::array{2018.0, 2019.5}));
  EXPECT_NEAR(gs.q[13] - gs.q[12], dq, 1e-9 * dq);
  // Break pressure at or below pr: the half-pressure grid. Water breaks on
  // node 1; gas never meets the 1-psi window and runs on the second line.
  const Skin wb(2, 2400.0, 1000.0, 0.0), gb(0, 2400.0, 2400.0, 1.0e9);
  EXPECT_EQ(wb.p[1], 2500.0);
  EXPECT_NEAR(wb.q[1], 100.0 * wb.j1, 1e-12 * wb.q[1]);
  EXPECT_NEAR(gb.p[24] * gb.p[24], 1.0e9 / gb.j2 + 2400.0 * 2400.0, 1e-9 * gb.p[24] * gb.p[24]);
}

// pr = 2000, pbk = 2600; pseudo-pressure table m(p) = p^2 on 0..5000 psi.
struct Coefficient {
  Arr q, p;
  std::array<double, 200> pp{}, pm{};
  Coefficient(std::int32_t mode, std::int32_t method, double c2, double qmax, std::int32_t n = 51) {
    q.fill(-7.0), p.fill(-7.0);
    for (int i = 0; i <= 50; ++i) pp[i] = 100.0 * i, pm[i] = pp[i] * pp[i];
    dlv::injection_coefficient_curve(mode, method, 2000.0, {2600.0, 2.0, c2, qmax},
                                     {q.data(), p.data()}, {pp.data(), pm.data(), n}, 0);
  }
};

TEST(InjectionCoefficientCurve, ThreeFormsEndPointsAndClampedTable) {
  const Coefficient c(2, 1, 0.5, 2000.0), flat(3, 2, 0.0, 1.0e6);  // water ignores the method
  EXPECT_EQ((std::array{c.q[12], c.q[23], c.q[24], c.p[24]}),
            (std::array{1200.0, 1475.0, 2000.0, 4200.0}));
  EXPECT_EQ((std::array{flat.q[24], flat.q[23], flat.p[24]}),
            (std::array{1200.0, 1200.0, flat.p[23]}));
  const Coefficient other(3, 1, 0.5, 2000.0);  // gas method 1: the shut-in point only
  EXPECT_EQ((std::array{other.p[0], other.q[0], other.q[1], other.p[24]}),
            (std::array{2000.0, 0.0, -7.0, -7.0}));
  const Coefficient sq(3, 3, 1.0, 2.0e7), ps(3, 4, 1.0, 2.0e7);
  for (int i = 0; i < 25; ++i) {  // pseudo-pressures of squares: the squared form again
    EXPECT_NEAR(ps.q[i], sq.q[i], 0.02) << i;
    EXPECT_NEAR(ps.p[i], sq.p[i], 0.5) << i;
  }
  EXPECT_EQ((std::array{sq.q[12], sq.q[24]}), (std::array{2.0 * (2600.0 * 2600.0 - 4e6), 2.0e7}));
  EXPECT_NEAR(sq.p[24] * sq.p[24], 2600.0 * 2600.0 + (2.0e7 - sq.q[12]), 1e-6);
  const Coefficient clamp(3, 4, 1.0, 0.0, 29);  // table only up to 2800 psi
  for (int i = 17; i < 24; ++i) EXPECT_EQ(clamp.q[i], clamp.q[16]) << i;
}

// Four flowing points on q = c0 d^n0, d against pr = 3000 (types 0, 1) or each
// point's own shut-in pressure (type 2); index 4 holds a stabilized point on
// the curve of 0.75 c0 against pr.
struct TestSet {
  std::array<double, 100> q{}, p{2600.0, 2100.0, 1700.0, 900.0, 1200.0}, ps{};
  std::array<double, 25> r{}, pw{};
  double pr = 3000.0, c = -1.0, n = -1.0;
  TestSet(double c0, double n0, std::int32_t type) {
    for (int i = 0; i < 5; ++i) {
      ps[i] = 2950.0 - 10.0 * i;
      const double top = (type >= 2 && i < 4) ? ps[i] * ps[i] : pr * pr;
      q[i] = (i < 4 ? c0 : 0.75 * c0) * std::pow(top - p[i] * p[i], n0);
    }
  }
  enum Fit { kBoth, kC, kN };  // C and n, C against n = 0.8, or n against C = 0.004
  void fit(Fit what, std::int32_t count, std::int32_t type) {
    const dlv::DeliverabilityTests tests{q.data(), p.data(), ps.data(), count, type};
    const dlv::CurveOutput out{r.data(), pw.data()};
    if (what == kBoth) dlv::backpressure_fit_cn(tests, pr, c, n, out);
    if (what == kC) dlv::backpressure_fit_c(tests, pr, c, 0.8, out);
    if (what == kN) dlv::backpressure_fit_n(tests, pr, 0.004, n, out);
  }
};

TEST(BackpressureFitCn, PointsOnTheCurveGiveTheirExponentAndTheTypesC) {
  for (std::int32_t type : {0, 1, 2}) {
    TestSet t(0.004, 0.7, type);
    t.fit(TestSet::kBoth, 4, type);
    EXPECT_NEAR(t.n, 0.7, 1e-12) << type;
    double sq = 0, sd = 0;  // flow-after-flow: mean(q) / mean(d)^n; else the stabilized point
    for (int i = 0; i < 4; ++i) sq += t.q[i], sd += t.pr * t.pr - t.p[i] * t.p[i];
    EXPECT_NEAR(t.c, type == 0 ? (sq / 4) / std::pow(sd / 4, t.n) : 0.003, 1e-12) << type;
    EXPECT_DOUBLE_EQ(t.r[24], t.c * std::pow(3000.0 * 3000.0, t.n));
    EXPECT_DOUBLE_EQ(t.r[6], t.c * std::pow(3000.0 * 3000.0 - 2250.0 * 2250.0, t.n));
  }
}

TEST(BackpressureFitCn, RaisedPrUnitExponentAndHeldMeanC) {
  TestSet t(500.0, 1.0, 0);
  t.p[1] = 5000.0;              // the stabilized slot takes no part in the pr check
  t.fit(TestSet::kBoth, 1, 0);  // one point: no spread, so n = 1; C = 500 is held at 300
  EXPECT_EQ((std::array{t.n, t.c, t.pr}), (std::array{1.0, 300.0, 3000.0}));
  t.p[0] = 3000.0, t.p[1] = 2100.0;
  t.fit(TestSet::kBoth, 1,
        1);  // pr raised and written back; C from the stabilized point is not held
  EXPECT_EQ((std::array{t.pr, t.pw[0], t.pw[12]}),
            (std::array{3001.0, 3001.0, 3001.0 - 12 * (3001.0 / 24.0)}));
  EXPECT_NEAR(t.c, 500.0 * (9e6 - 2100.0 * 2100.0) / (3001.0 * 3001.0 - 2100.0 * 2100.0), 1e-9);
}

TEST(BackpressureGivenCOrN, FitTheOther) {
  TestSet t(0.004, 0.8, 2);
  t.fit(TestSet::kC, 4, 2);
  EXPECT_NEAR(t.c, 0.004, 1e-15);
  t.n = 0.5, t.pr = 2950.0;
  t.fit(TestSet::kN, 1, 2);  // the modified isochronal type keeps the given n
  EXPECT_EQ(t.n, 0.5);
  t.fit(TestSet::kN, 1, 1);  // point 0 lies on the curve against 2950
  EXPECT_NEAR(t.n, 0.8, 1e-12);
  t.c = -1.0, t.n = -1.0, t.pw[0] = -7.0;  // empty test sets write nothing
  t.fit(TestSet::kC, 0, 0), t.fit(TestSet::kN, 0, 0);
  EXPECT_EQ((std::array{t.c, t.n, t.pw[0]}), (std::array{-1.0, -1.0, -7.0}));
  t.p.fill(2950.0);  // no pressure-square differences: C = 0, zero curve
  t.fit(TestSet::kC, 4, 0);
  EXPECT_EQ(t.c, 0.0);
  EXPECT_EQ(t.r, decltype(t.r){});
}

}  // namespace
