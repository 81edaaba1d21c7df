#include "inflow/vogel.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

struct Curve {
  std::array<double, 25> q{}, p{};
};

Curve vogel(double qt, double pt, double pr, double pb, double w, int flag = 0) {
  Curve r;
  dlv::vogel_curve(qt, pt, pr, pb, w, r.q.data(), r.p.data(), flag);
  return r;
}

double v(double x) { return 1.0 - 0.2 * x - 0.8 * x * x; }
constexpr double kTol = 1e-9;

TEST(VogelCurve, SaturatedCurvePassesThroughTheTest) {
  const Curve r = vogel(1000.0, 1200.0, 2400.0, 2400.0, 0.25);  // pb = pr
  for (int k = 0; k < 25; ++k) EXPECT_EQ(r.p[k], 2400.0 - 100.0 * k);
  EXPECT_NEAR(r.q[24], 750.0 / 0.7 + 500.0, kTol);
  EXPECT_NEAR(r.q[12], 1000.0, kTol);
  EXPECT_DOUBLE_EQ(vogel(1000.0, 1200.0, 2400.0, 3000.0, 1.0).q[24], 0.01 + 2000.0);  // floor
}

TEST(VogelCurve, CompositeBubblePointOnOrBetweenGridPoints) {
  // Test 400 at 2000 under pr 2400: J = 1 above the bubble point.
  const Curve on = vogel(400.0, 2000.0, 2400.0, 1900.0, 0.0);
  for (int k = 1; k <= 5; ++k) EXPECT_DOUBLE_EQ(on.q[k], 100.0 * k);
  EXPECT_TRUE(on.p[5] == 1900.0 && on.p[6] == 1800.0);
  EXPECT_NEAR(on.q[6], 500.0 + 1900.0 / 1.8 * v(18.0 / 19.0), kTol);
  EXPECT_NEAR(on.q[24], 500.0 + 1900.0 / 1.8, kTol);
  const Curve moved = vogel(400.0, 2000.0, 2400.0, 1950.0, 0.0);
  EXPECT_TRUE(moved.p[5] == 1950.0 && moved.q[5] == 450.0 && moved.p[6] == 1800.0);
  EXPECT_NEAR(moved.q[6], 450.0 + 1950.0 / 1.8 * v(1800.0 / 1950.0), kTol);
}

TEST(VogelCurve, CompositeWaterCutsZeroBubblePointAndTestBelowIt) {
  const Curve half = vogel(400.0, 2000.0, 2400.0, 1900.0, 0.5);  // J = Jw = 0.5
  EXPECT_DOUBLE_EQ(half.q[4], 400.0);
  EXPECT_NEAR(half.q[24], 500.0 + 0.5 * 1900.0 / 1.8 + 0.5 * 1900.0, kTol);
  const Curve water = vogel(400.0, 2000.0, 2400.0, 1900.0, 1.0);  // J = 0
  for (int k = 0; k < 25; ++k) EXPECT_DOUBLE_EQ(water.q[k], 2400.0 - water.p[k]);
  const Curve line = vogel(600.0, 1800.0, 2400.0, 0.0, 0.5);
  for (int k = 0; k < 25; ++k) EXPECT_DOUBLE_EQ(line.q[k], 100.0 * k);  // pr (J + Jw) at 24
  const Curve below = vogel(800.0, 1000.0, 2400.0, 1900.0, 0.0);
  EXPECT_NEAR(below.q[5], 500.0 * 800.0 / (500.0 + 1900.0 * v(1000.0 / 1900.0) / 1.8), kTol);
  EXPECT_NEAR(below.q[14], 800.0, kTol);  // through the test at grid point 14
}

TEST(VogelCurve, ChangedPressureCalls) {
  for (double pb : {2400.0, 1900.0}) {  // same pressure as the reference: same curve
    const Curve ref = vogel(400.0, 2000.0, 2400.0, pb, 0.2);
    const Curve again = vogel(400.0, 2000.0, 2400.0, pb, 0.2, 1);
    EXPECT_TRUE(again.q == ref.q && again.p == ref.p && dlv::vogel_pressure_ratio == 1.0);
  }
  const double sat = vogel(700.0, 1200.0, 2400.0, 2400.0, 0.0).q[24];
  EXPECT_NEAR(vogel(700.0, 1200.0, 2000.0, 2400.0, 0.0, 1).q[24], sat * (2000.0 / 2400.0), kTol);
  EXPECT_EQ(dlv::vogel_reference_pressure, 2400.0);
  // Composite: the test scaled by 2200/2400 lies on grid point 4, under pb.
  const Curve comp = vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0, 1);
  EXPECT_EQ(comp.p[3], 1950.0);
  EXPECT_NEAR(comp.q[4], 400.0 * (2200.0 / 2400.0), kTol);
  // A negative flag sets the ratio but leaves the composite test unscaled.
  const Curve neg = vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0, -1);
  EXPECT_EQ(neg.q, vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0).q);
}

TEST(VogelCurve, NonFiniteInputsRunThrough) {
  const Curve nan_pb = vogel(400.0, 2000.0, 2400.0, std::nan(""), 0.0);
  EXPECT_TRUE(nan_pb.p[23] == 100.0 && std::isnan(nan_pb.q[24]));
  EXPECT_FALSE(std::isfinite(vogel(400.0, 2400.0, 2400.0, 1900.0, 0.0).q[1]));  // pt = pr
  dlv::vogel_reference_pressure = 0.0;  // changed pressure without a reference
  EXPECT_EQ(vogel(400.0, 1200.0, 2400.0, 2400.0, 0.0, 1).p[0], 2400.0);
  EXPECT_FALSE(std::isfinite(dlv::vogel_pressure_ratio));
}

}  // namespace
