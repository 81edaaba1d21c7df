// Vogel's curve from a test, the Darcy productivity with Vogel's curve, and
// the curves that need no fluid properties.
#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "inflow/darcy_vogel.hpp"
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
    EXPECT_EQ(again.q, ref.q);
    EXPECT_EQ(again.p, ref.p);
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

}  // namespace
