#include "inflow/straight_line.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>

namespace {

using Curve = std::array<double, 25>;
const double kNaN = std::numeric_limits<double>::quiet_NaN();

void expect_rel(double actual, double expected) {
  EXPECT_NEAR(actual, expected, 1e-12 * std::fabs(expected));
}

TEST(PiLineCurve, ExactGridAndRates) {
  Curve q{}, p{};
  dlv::pi_line_curve(1.5, 2400.0, q.data(), p.data(), 0);
  for (int k = 0; k < 25; ++k) {
    EXPECT_EQ(p[k], 2400.0 - 100.0 * k);
    EXPECT_EQ(q[k], 150.0 * k);
  }
}

TEST(PiLineCurve, GridStepIsSinglePrecision) {
  Curve q{}, p{};
  dlv::pi_line_curve(2.0, 1000.0, q.data(), p.data(), 7);  // the flag changes nothing
  EXPECT_EQ(p[0], 1000.0);
  EXPECT_EQ(p[24], 0.0);
  EXPECT_EQ(q[24], 2000.0);
  // 1000/24 in single precision is 41.66666793823242.
  EXPECT_EQ(p[1], 958.3333320617676);
  EXPECT_NE(p[1], 1000.0 - 1000.0 / 24.0);
  EXPECT_EQ(p[23], 41.6666259765625);
  EXPECT_EQ(q[1], (1000.0 - p[1]) * 2.0);
  for (int k = 1; k < 24; ++k) EXPECT_NEAR(p[k], 1000.0 - k * (1000.0 / 24.0), 1e-4);
}

TEST(PiLineCurve, NonFiniteInputsRunThrough) {
  Curve q{}, p{};
  dlv::pi_line_curve(kNaN, 2400.0, q.data(), p.data(), 0);
  EXPECT_EQ(p[5], 1900.0);
  EXPECT_TRUE(std::isnan(q[5]));
  dlv::pi_line_curve(1.0, 1e300, q.data(), p.data(), 0);  // the single-precision step overflows
  EXPECT_EQ(p[0], 1e300);
  EXPECT_EQ(q[0], 0.0);
}

TEST(TwoRateLineCurve, SolvesReservoirPressureWhenZero) {
  // Pressures 2000 * 0.5 + 10 * 5 = 1050 and 550 at rates 100 and 200.
  Curve q{}, p{};
  double j = 0.0;
  dlv::two_rate_line_curve(0.5, 100.0, 2000.0, 200.0, 1000.0, 0.0, 10.0, 5.0, q.data(), p.data(), j,
                           0);
  EXPECT_DOUBLE_EQ(j, 0.2);
  EXPECT_DOUBLE_EQ(p[0], 1550.0);
  EXPECT_EQ(q[0], 0.0);
  EXPECT_EQ(p[24], 0.0);
  EXPECT_DOUBLE_EQ(q[24], 310.0);
  for (int k = 1; k < 24; ++k) {
    EXPECT_EQ(p[k], p[0] - k * (p[0] / 24.0));
    expect_rel(q[k], (p[0] - p[k]) * j);
  }
}

TEST(TwoRateLineCurve, GivenReservoirPressureKeepsOnlyTheSlope) {
  Curve q{}, p{};
  double j = 0.0;
  dlv::two_rate_line_curve(0.5, 100.0, 2000.0, 200.0, 1000.0, 2400.0, 10.0, 5.0, q.data(), p.data(),
                           j, 0);
  EXPECT_DOUBLE_EQ(j, 0.2);
  for (int k = 0; k < 25; ++k) {
    EXPECT_EQ(p[k], 2400.0 - 100.0 * k);
    EXPECT_DOUBLE_EQ(q[k], 20.0 * k);
  }
}

TEST(TwoRateLineCurve, EqualReadingsRunThrough) {
  Curve q{}, p{};
  double j = 0.0;
  dlv::two_rate_line_curve(0.5, 100.0, 1000.0, 200.0, 1000.0, 0.0, 0.0, 0.0, q.data(), p.data(), j,
                           0);
  EXPECT_TRUE(std::isinf(j));
  EXPECT_EQ(q[0], 0.0);
}

struct TwoTest {
  Curve q{}, p{};
  double pr = -1.0;
  TwoTest(double q1, double p1, double q2, double p2, double w) {
    dlv::vogel_two_test_curve(q1, p1, q2, p2, pr, 1234.0, w, q.data(), p.data());
  }
};

// Both tests on Vogel's curve of pr = 2000, qmax = 1000: 400 at 1500, 700 at 1000.
TEST(VogelTwoTestCurve, PureOilRecoversVogelCurve) {
  const TwoTest t(400.0, 1500.0, 700.0, 1000.0, 0.0);
  expect_rel(t.pr, 2000.0);
  expect_rel(t.q[24], 1000.0);
  EXPECT_EQ(t.q[0], 0.0);
  EXPECT_EQ(t.p[24], 0.0);
  for (int k = 0; k < 24; ++k) {
    EXPECT_EQ(t.p[k], t.pr - k * (t.pr / 24.0));
  }
  expect_rel(t.q[6], 400.0);   // 1500 psi
  expect_rel(t.q[12], 700.0);  // 1000 psi
}

TEST(VogelTwoTestCurve, PureWaterIsTheLineThroughTheTests) {
  const TwoTest t(400.0, 1500.0, 700.0, 1000.0, 1.0);
  const double j = 300.0 / 500.0, prw = 700.0 / j + 1000.0;  // 2166.67
  expect_rel(t.pr, 2000.0);
  expect_rel(t.p[0], prw);
  expect_rel(t.q[24], prw * j);
  for (int k = 1; k < 24; ++k) {
    expect_rel(t.p[k], prw - k * (prw / 24.0));
    expect_rel(t.q[k], j * (prw - t.p[k]));
  }
}

TEST(VogelTwoTestCurve, HalfWaterBlendsPressuresAndRates) {
  const TwoTest oil(400.0, 1500.0, 700.0, 1000.0, 0.0);
  const TwoTest water(400.0, 1500.0, 700.0, 1000.0, 1.0);
  const TwoTest half(400.0, 1500.0, 700.0, 1000.0, 0.5);
  for (int k = 0; k < 25; ++k) {
    expect_rel(half.p[k], 0.5 * oil.p[k] + 0.5 * water.p[k]);
    expect_rel(half.q[k], 0.5 * oil.q[k] + 0.5 * water.q[k]);
  }
}

TEST(VogelTwoTestCurve, EqualRatesUseDifferenceOfOneHundred) {
  // dq = 100: pr solves 100 pr^2 - 50000 pr - 5e8 = 0, i.e. 2500; the water
  // line has J = 100 / 500 and reaches zero rate at 3500.
  const TwoTest t(500.0, 1500.0, 500.0, 1000.0, 1.0);
  expect_rel(t.pr, 2500.0);
  expect_rel(t.p[0], 3500.0);
  expect_rel(t.q[24], 700.0);
}

TEST(VogelTwoTestCurve, SolvedPressureIsRaisedToOne) {
  // Tests on Vogel's curve of pr = 0.5, qmax = 100.
  const TwoTest small(70.0, 0.25, 92.8, 0.1, 0.0);
  EXPECT_EQ(small.pr, 1.0);
  EXPECT_EQ(small.p[0], 1.0);
  expect_rel(small.q[24], 70.0 / 0.9);  // qmax from test 1 at x = 0.25
  // Rate rising with pressure: negative discriminant, raised likewise.
  const TwoTest bad(100.0, 1000.0, 200.0, 2000.0, 0.0);
  EXPECT_EQ(bad.pr, 1.0);
  EXPECT_EQ(bad.q[24], 0.01);  // Vogel's maximum floored
}

TEST(VogelTwoTestCurve, NonFiniteInputsRunThrough) {
  const TwoTest t(kNaN, 1500.0, 700.0, 1000.0, 0.0);
  EXPECT_EQ(t.pr, 1.0);
  EXPECT_EQ(t.q[0], 0.0);
  EXPECT_EQ(t.p[24], 0.0);
  const TwoTest same_p(400.0, 1000.0, 700.0, 1000.0, 0.5);
  EXPECT_EQ(same_p.q[0], 0.0);
}

}  // namespace
