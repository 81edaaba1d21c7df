#include "inflow/vogel.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

using Curve = std::array<double, 25>;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

struct Result {
  Curve q{}, p{};
};

Result vogel(double qt, double pt, double pr, double pb, double w, int flag = 0) {
  Result r;
  r.q.fill(-1.0);
  r.p.fill(-1.0);
  dlv::vogel_curve(qt, pt, pr, pb, w, r.q.data(), r.p.data(), flag);
  return r;
}

void expect_rel(double actual, double expected) {
  EXPECT_NEAR(actual, expected, 1e-12 * std::fabs(expected));
}

void expect_grid(const Result& r, double pr) {
  EXPECT_EQ(r.p[0], pr);
  EXPECT_EQ(r.q[0], 0.0);
  EXPECT_EQ(r.p[24], 0.0);
  for (int k = 1; k < 24; ++k) EXPECT_EQ(r.p[k], pr - k * (pr / 24.0)) << k;
}

TEST(VogelFraction, EndsAndMidpoint) {
  EXPECT_EQ(dlv::vogel_fraction(0.0), 1.0);
  EXPECT_NEAR(dlv::vogel_fraction(1.0), 0.0, 1e-16);
  EXPECT_NEAR(dlv::vogel_fraction(0.5), 0.7, 1e-15);
}

TEST(VogelCurve, SaturatedCurvePassesThroughTheTest) {
  // pb = pr: Vogel from the reservoir pressure, water on a straight line.
  const Result r = vogel(1000.0, 1200.0, 2400.0, 2400.0, 0.25);
  expect_grid(r, 2400.0);
  const double qomax = 750.0 / 0.7, jw = 250.0 / 1200.0;
  expect_rel(r.q[24], qomax + jw * 2400.0);
  expect_rel(r.q[12], 1000.0);  // the test point lies on the grid
  for (int k = 1; k < 24; ++k) EXPECT_GT(r.q[k], r.q[k - 1]);
}

TEST(VogelCurve, CompositeGridPointOnBubblePointStays) {
  // pr 2400, pb 1900, test at 2000: J = 1 above the bubble point.
  const Result r = vogel(400.0, 2000.0, 2400.0, 1900.0, 0.0);
  expect_grid(r, 2400.0);
  for (int k = 1; k <= 5; ++k) EXPECT_DOUBLE_EQ(r.q[k], 100.0 * k);
  EXPECT_EQ(r.p[5], 1900.0);
  EXPECT_EQ(r.q[5], 500.0);
  EXPECT_EQ(r.p[6], 1800.0);
  expect_rel(r.q[6], 500.0 + 1900.0 / 1.8 * 33.4 / 361.0);  // V(18/19) = 33.4/361
  expect_rel(r.q[24], 500.0 + 1900.0 / 1.8);
}

TEST(VogelCurve, CompositeMovesFirstGridPointBelowBubblePoint) {
  const Result r = vogel(400.0, 2000.0, 2400.0, 1950.0, 0.0);
  EXPECT_EQ(r.p[4], 2000.0);
  EXPECT_DOUBLE_EQ(r.q[4], 400.0);
  EXPECT_EQ(r.p[5], 1950.0);  // 1900 moved onto the bubble point
  EXPECT_EQ(r.q[5], 450.0);
  EXPECT_EQ(r.p[6], 1800.0);
  const double x = 1800.0 / 1950.0;
  expect_rel(r.q[6], 450.0 + 1950.0 / 1.8 * (1.0 - 0.2 * x - 0.8 * x * x));
  for (int k = 7; k < 24; ++k) EXPECT_EQ(r.p[k], 2400.0 - 100.0 * k);
  expect_rel(r.q[24], 450.0 + 1950.0 / 1.8);
}

TEST(VogelCurve, CompositeWaterAddsItsStraightLine) {
  // Half water: J = Jw = 0.5, so the total is 1 per psi above the bubble point.
  const Result r = vogel(400.0, 2000.0, 2400.0, 1900.0, 0.5);
  EXPECT_DOUBLE_EQ(r.q[4], 400.0);
  EXPECT_EQ(r.q[5], 500.0);
  expect_rel(r.q[24], 500.0 + 0.5 * 1900.0 / 1.8 + 0.5 * 1900.0);
  const Result water = vogel(400.0, 2000.0, 2400.0, 1900.0, 1.0);  // J = 0
  for (int k = 0; k < 25; ++k) EXPECT_DOUBLE_EQ(water.q[k], 2400.0 - water.p[k]);
}

TEST(VogelCurve, ZeroBubblePointIsOneStraightLine) {
  const Result r = vogel(600.0, 1800.0, 2400.0, 0.0, 0.5);  // J = Jw = 0.5
  expect_grid(r, 2400.0);
  for (int k = 1; k < 24; ++k) EXPECT_DOUBLE_EQ(r.q[k], 100.0 * k);
  EXPECT_EQ(r.q[24], 2400.0);  // pr * (J + Jw)
}

TEST(VogelCurve, TestBelowBubblePointUsesCompositeDenominator) {
  // Test at 1000 psi (grid point 14) under pb = 1900 < pr = 2400.
  const Result r = vogel(800.0, 1000.0, 2400.0, 1900.0, 0.0);
  const double x = 1000.0 / 1900.0;
  const double j = 800.0 / (500.0 + 1900.0 * (1.0 - 0.2 * x - 0.8 * x * x) / 1.8);
  expect_rel(r.q[5], 500.0 * j);
  expect_rel(r.q[14], 800.0);  // the curve passes through the test
  expect_rel(r.q[24], 500.0 * j + 1900.0 * j / 1.8);
}

TEST(VogelCurve, AllWaterFloorsTheSaturatedOilRate) {
  const Result r = vogel(1000.0, 1200.0, 2400.0, 3000.0, 1.0);
  const double jw = 1000.0 / 1200.0;
  EXPECT_DOUBLE_EQ(r.q[24], 0.01 + jw * 2400.0);
  EXPECT_DOUBLE_EQ(r.q[12], 0.01 * 0.7 + 1000.0);
}

TEST(VogelCurve, ReferenceCallStoresPressureAndRepeatIsIdentical) {
  for (double pb : {2400.0, 1900.0}) {
    const Result ref = vogel(400.0, 2000.0, 2400.0, pb, 0.2);
    EXPECT_EQ(dlv::vogel_reference_pressure, 2400.0);
    const Result same = vogel(400.0, 2000.0, 2400.0, pb, 0.2, 1);
    EXPECT_EQ(dlv::vogel_pressure_ratio, 1.0);
    EXPECT_EQ(dlv::vogel_reference_pressure, 2400.0);
    EXPECT_EQ(same.q, ref.q);
    EXPECT_EQ(same.p, ref.p);
  }
}

TEST(VogelCurve, ChangedPressureSaturatedScalesMaximumRate) {
  const Result ref = vogel(700.0, 1200.0, 2400.0, 2400.0, 0.0);
  const Result now = vogel(700.0, 1200.0, 2000.0, 2400.0, 0.0, 1);
  EXPECT_EQ(dlv::vogel_reference_pressure, 2400.0);
  EXPECT_DOUBLE_EQ(dlv::vogel_pressure_ratio, 2000.0 / 2400.0);
  expect_grid(now, 2000.0);
  // Same dimensionless test point, maximum rate scaled by the pressure ratio.
  expect_rel(now.q[24], ref.q[24] * (2000.0 / 2400.0));
}

TEST(VogelCurve, ChangedPressureCompositeScalesTheTest) {
  vogel(400.0, 2000.0, 2400.0, 1950.0, 0.0);
  const Result now = vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0, 1);
  // The scaled test (2000 r, 400 r) sits on grid point 4 of the new curve,
  // below the bubble point, and the curve passes through it.
  const double r = 2200.0 / 2400.0;
  EXPECT_NEAR(now.p[4], 2000.0 * r, 1e-9);
  expect_rel(now.q[4], 400.0 * r);
  EXPECT_EQ(now.p[3], 1950.0);  // 1925 moved onto the bubble point
  // A reference call at 2200 with the measured test is a different curve.
  const Result plain = vogel(400.0, 2000.0, 2200.0, 1950.0, 0.0);
  EXPECT_GT(std::fabs(plain.q[24] - now.q[24]), 1.0);
}

TEST(VogelCurve, NegativeFlagSetsRatioButCompositeKeepsTestValues) {
  vogel(400.0, 2000.0, 2400.0, 1900.0, 0.0);
  const Result neg = vogel(400.0, 2000.0, 2200.0, 1900.0, 0.0, -1);
  EXPECT_DOUBLE_EQ(dlv::vogel_pressure_ratio, 2200.0 / 2400.0);
  const Result plain = vogel(400.0, 2000.0, 2200.0, 1900.0, 0.0);
  EXPECT_EQ(neg.q, plain.q);
}

TEST(VogelCurve, NonFiniteInputsRunThrough) {
  const Result nan_pb = vogel(400.0, 2000.0, 2400.0, kNaN, 0.0);
  expect_grid(nan_pb, 2400.0);  // composite: straight line all the way
  EXPECT_TRUE(std::isnan(nan_pb.q[24]));
  const Result equal = vogel(400.0, 2400.0, 2400.0, 1900.0, 0.0);
  EXPECT_FALSE(std::isfinite(equal.q[1]));
  const Result nan_pr = vogel(400.0, 2000.0, kNaN, 1900.0, 0.0);
  EXPECT_EQ(nan_pr.p[24], 0.0);
  const Result inf_q = vogel(std::numeric_limits<double>::infinity(), 1200.0, 2400.0, 2400.0, 0.0);
  EXPECT_FALSE(std::isfinite(inf_q.q[24]));
  const Result zero_pr = vogel(400.0, 1200.0, 0.0, 0.0, 0.0);
  EXPECT_EQ(zero_pr.q[0], 0.0);
  // A changed-pressure call with no reference pressure: not finite, no crash.
  dlv::vogel_reference_pressure = 0.0;
  const Result no_ref = vogel(400.0, 1200.0, 2400.0, 2400.0, 0.0, 1);
  EXPECT_FALSE(std::isfinite(dlv::vogel_pressure_ratio));
  EXPECT_EQ(no_ref.p[0], 2400.0);
}

}  // namespace
