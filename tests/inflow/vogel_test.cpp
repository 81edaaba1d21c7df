#include "inflow/vogel.hpp"

#include <gtest/gtest.h>

#include <array>

namespace {

struct Curve {
  std::array<double, 25> q{}, p{};
};

Curve vogel(double qt, double pt, double pr, double pb, double w, int flag = 0) {
  Curve r;
  dlv::vogel_curve(qt, pt, pr, pb, w, r.q.data(), r.p.data(), flag);
  return r;
}

double v(double x) { return 1.0 - 0.2 * x - 0.8 * (x * x); }
constexpr double kTol = 1e-9;

TEST(VogelCurve, SaturatedCurveThroughTheTestWithTheSquareFormedFirst) {
  const Curve r = vogel(700.0, 1200.0, 2400.0, 2400.0, 0.0);  // pb = pr: Vogel from pr
  EXPECT_NEAR(r.q[12], 700.0, kTol);
  for (int k = 1; k < 24; ++k) EXPECT_EQ(r.q[k], r.q[24] * v(r.p[k] / 2400.0)) << k;  // exact
  EXPECT_NEAR(vogel(1000.0, 1200.0, 2400.0, 2400.0, 0.25).q[24], 750.0 / 0.7 + 500.0, kTol);
  EXPECT_DOUBLE_EQ(vogel(1000.0, 1200.0, 2400.0, 3000.0, 1.0).q[24], 0.01 + 2000.0);  // floor
}

TEST(VogelCurve, CompositeBubblePointOnOrBetweenGridPointsAndWaterLine) {
  const Curve on = vogel(400.0, 2000.0, 2400.0, 1900.0, 0.0);  // J = 1 above pb
  EXPECT_TRUE(on.q[4] == 400.0 && on.p[5] == 1900.0 && on.q[5] == 500.0 && on.p[6] == 1800.0);
  EXPECT_NEAR(on.q[6], 500.0 + 1900.0 / 1.8 * v(18.0 / 19.0), kTol);
  EXPECT_NEAR(on.q[24], 500.0 + 1900.0 / 1.8, kTol);
  const Curve moved = vogel(400.0, 2000.0, 2400.0, 1950.0, 0.0);
  EXPECT_TRUE(moved.p[5] == 1950.0 && moved.q[5] == 450.0 && moved.p[6] == 1800.0);
  EXPECT_NEAR(moved.q[6], 450.0 + 1950.0 / 1.8 * v(1800.0 / 1950.0), kTol);
  const Curve water = vogel(400.0, 2000.0, 2400.0, 1900.0, 1.0);  // J = 0
  const Curve line = vogel(600.0, 1800.0, 2400.0, 0.0, 0.5);      // pb = 0: pr (J + Jw) at 24
  for (int k = 0; k < 25; ++k) {
    EXPECT_DOUBLE_EQ(water.q[k], 2400.0 - water.p[k]);
    EXPECT_DOUBLE_EQ(line.q[k], 100.0 * k);
  }
  const Curve below = vogel(800.0, 1000.0, 2400.0, 1900.0, 0.0);  // test under pb: J from D
  EXPECT_NEAR(below.q[5], 500.0 * 800.0 / (500.0 + 1900.0 * v(1000.0 / 1900.0) / 1.8), kTol);
}

TEST(VogelCurve, ChangedPressureCallsUseTheStoredReference) {
  for (double pb : {2400.0, 1900.0}) {  // same pressure as the reference: same curve
    const Curve ref = vogel(400.0, 2000.0, 2400.0, pb, 0.2);
    const Curve again = vogel(400.0, 2000.0, 2400.0, pb, 0.2, 1);
    EXPECT_TRUE(again.q == ref.q && again.p == ref.p && dlv::vogel_pressure_ratio == 1.0);
  }
  const double sat = vogel(700.0, 1200.0, 2400.0, 2400.0, 0.0).q[24];
  EXPECT_NEAR(vogel(700.0, 1200.0, 2000.0, 2400.0, 0.0, 1).q[24], sat * (2000.0 / 2400.0), kTol);
  EXPECT_EQ(dlv::vogel_reference_pressure, 2400.0);                 // only flag 0 replaces it
  const Curve comp = vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0, 1);  // test scaled to point 4
  EXPECT_EQ(comp.p[3], 1950.0);
  EXPECT_NEAR(comp.q[4], 400.0 * (2200.0 / 2400.0), kTol);
  const Curve neg = vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0, -1);  // composite scales on > 0
  EXPECT_EQ(neg.q, vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0).q);
  EXPECT_EQ(dlv::vogel_reference_pressure, 2200.0);
}

}  // namespace
