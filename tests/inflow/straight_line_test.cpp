#include "inflow/straight_line.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

using Curve = std::array<double, 25>;

TEST(PiLineCurve, ExactGridAndSinglePrecisionStep) {
  Curve q{}, p{};
  dlv::pi_line_curve(1.5, 2400.0, q.data(), p.data(), 0);
  for (int k = 0; k < 25; ++k) EXPECT_TRUE(p[k] == 2400.0 - 100.0 * k && q[k] == 150.0 * k);
  dlv::pi_line_curve(2.0, 1000.0, q.data(), p.data(), 1);
  EXPECT_EQ(p[1], 958.3333320617676);  // 1000/24 in single precision: 41.66666793823242
  EXPECT_EQ(p[23], 41.6666259765625);
  EXPECT_EQ(q[1], (1000.0 - p[1]) * 2.0);
  dlv::pi_line_curve(std::nan(""), 1e300, q.data(), p.data(), 0);  // float step overflows
  EXPECT_TRUE(p[0] == 1e300 && std::isnan(q[24]));
}

TEST(TwoRateLineCurve, SolvedOrGivenReservoirPressure) {
  // Pressures 2000 * 0.5 + 10 * 5 = 1050 and 550 at rates 100 and 200: J = 0.2.
  Curve q{}, p{};
  double j = 0.0;
  dlv::two_rate_line_curve(0.5, 100, 2000, 200, 1000, 0.0, 10, 5, q.data(), p.data(), j, 0);
  EXPECT_DOUBLE_EQ(j, 0.2);
  EXPECT_DOUBLE_EQ(p[0], 1550.0);
  EXPECT_DOUBLE_EQ(q[24], 310.0);
  dlv::two_rate_line_curve(0.5, 100, 2000, 200, 1000, 2400, 10, 5, q.data(), p.data(), j, 0);
  EXPECT_TRUE(p[7] == 1700.0 && q[24] == 2400.0 * j);
}

struct TwoTest {
  Curve q{}, p{};
  double pr = -1.0;
  TwoTest(double q1, double p1, double q2, double p2, double w) {
    dlv::vogel_two_test_curve(q1, p1, q2, p2, pr, 1234.0, w, q.data(), p.data());
  }
};

// Both tests lie on Vogel's curve of pr = 2000, qmax = 1000.
TEST(VogelTwoTestCurve, WaterCutBlendsVogelAndTheTestLine) {
  const TwoTest oil(400, 1500, 700, 1000, 0.0), water(400, 1500, 700, 1000, 1.0);
  const TwoTest half(400, 1500, 700, 1000, 0.5);
  EXPECT_NEAR(oil.pr, 2000.0, 1e-9);
  EXPECT_NEAR(oil.q[24], 1000.0, 1e-9);
  EXPECT_NEAR(oil.q[6], 400.0, 1e-9);
  EXPECT_EQ(oil.p[5], oil.pr - 5 * (oil.pr / 24.0));
  const double j = 0.6, prw = 700.0 / j + 1000.0;  // water line through both tests
  EXPECT_NEAR(water.p[9], prw - 9 * (prw / 24.0), 1e-9);
  EXPECT_NEAR(water.q[9], j * 9 * (prw / 24.0), 1e-9);
  for (int k : {0, 9, 24}) EXPECT_NEAR(half.p[k], 0.5 * oil.p[k] + 0.5 * water.p[k], 1e-9);
  EXPECT_NEAR(half.q[9], 0.5 * oil.q[9] + 0.5 * water.q[9], 1e-9);
}

TEST(VogelTwoTestCurve, GuardsEqualRatesLowAndUnsolvablePressure) {
  // dq = 100: 100 pr^2 - 50000 pr - 5e8 = 0 gives 2500; J = 0.2 reaches 0 at 3500.
  const TwoTest same(500, 1500, 500, 1000, 1.0);
  EXPECT_NEAR(same.pr, 2500.0, 1e-9);
  EXPECT_NEAR(same.p[0], 3500.0, 1e-9);
  EXPECT_NEAR(same.q[24], 700.0, 1e-9);
  const TwoTest low(70, 0.25, 92.8, 0.1, 0.0);  // Vogel of pr = 0.5
  EXPECT_EQ(low.pr, 1.0);
  EXPECT_NEAR(low.q[24], 70.0 / 0.9, 1e-12);
  const TwoTest bad(100, 1000, 200, 2000, 0.0);  // negative discriminant
  EXPECT_TRUE(bad.pr == 1.0 && bad.q[24] == 0.01);
  const TwoTest nan(std::nan(""), 1500, 700, 1000, 0.0);
  EXPECT_TRUE(nan.pr == 1.0 && nan.p[24] == 0.0);
}

}  // namespace
