#include "inflow/backpressure.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace {

using Tests = std::array<double, 100>;
using Curve = std::array<double, 25>;

double deliverability(double c, double n, double pr, double p) {
  return c * std::pow(pr * pr - p * p, n);
}

struct TestSet {
  Tests q{}, p{}, ps{};
  Curve rates{}, pressures{};
  // Four flowing points on q = c (pr^2 - p^2)^n; ps = pr.
  TestSet(double c, double n, double pr) {
    const double flowing[] = {2600.0, 2100.0, 1700.0, 900.0};
    for (int i = 0; i < 4; ++i) {
      p[i] = flowing[i];
      ps[i] = pr;
      q[i] = deliverability(c, n, pr, p[i]);
    }
  }
};

void expect_curve(const Curve& rates, const Curve& pressures, double c, double n, double pr) {
  EXPECT_EQ(pressures[0], pr);
  EXPECT_EQ(rates[0], 0.0);
  EXPECT_EQ(pressures[24], 0.0);
  EXPECT_DOUBLE_EQ(rates[24], c * std::pow(pr * pr, n));
  for (int k = 1; k < 24; ++k) {
    EXPECT_EQ(pressures[k], pr - k * (pr / 24.0));
    EXPECT_NEAR(rates[k], deliverability(c, n, pr, pressures[k]), 1e-12 * rates[24]);
  }
}

TEST(BackpressureCurve, GivenCoefficientsTabulateTheEquation) {
  Curve rates{}, pressures{};
  dlv::backpressure_curve(1.0, 1.0, 2400.0, rates.data(), pressures.data());
  for (int k = 0; k < 25; ++k) {
    EXPECT_EQ(pressures[k], 2400.0 - 100.0 * k);
    EXPECT_EQ(rates[k], 2400.0 * 2400.0 - pressures[k] * pressures[k]);
  }
}

TEST(FitLine, ExactLineAndNoSpreadFallback) {
  const double x[] = {1.0, 2.0, 4.0}, y[] = {5.0, 8.0, 14.0}, same[] = {3.0, 3.0, 3.0};
  double a = 0, b = 0;
  dlv::fit_line(x, y, a, b, 3);
  EXPECT_DOUBLE_EQ(a, 2.0);
  EXPECT_DOUBLE_EQ(b, 3.0);
  dlv::fit_line(same, y, a, b, 3);
  EXPECT_EQ(a, 1.0);
  EXPECT_EQ(b, 1.0);
}

TEST(BackpressureFitCn, FlowAfterFlowPointsOnTheCurveGiveTheirExponentAndMeanC) {
  TestSet t(0.004, 0.78, 3000.0);
  double pr = 3000.0, c = 0, n = 0;
  dlv::backpressure_fit_cn(t.q.data(), t.p.data(), t.ps.data(), 4, 0, pr, c, n, t.rates.data(),
                           t.pressures.data());
  EXPECT_NEAR(n, 0.78, 1e-12);
  double sq = 0, sd = 0;
  for (int i = 0; i < 4; ++i) sq += t.q[i], sd += pr * pr - t.p[i] * t.p[i];
  EXPECT_DOUBLE_EQ(c, (sq / 4) / std::pow(sd / 4, n));
  EXPECT_EQ(pr, 3000.0);
  expect_curve(t.rates, t.pressures, c, n, pr);
}

TEST(BackpressureFitCn, IsochronalTypesTakeCFromTheStabilizedPoint) {
  for (std::int32_t type : {1, 2}) {
    TestSet t(0.004, 0.65, 3000.0);
    for (int i = 0; i < 4; ++i) {
      t.ps[i] = 2950.0 - 10.0 * i;  // read by the modified isochronal type only
      if (type == 2) t.q[i] = 0.004 * std::pow(t.ps[i] * t.ps[i] - t.p[i] * t.p[i], 0.65);
    }
    t.p[4] = 1200.0;  // stabilized point, on a curve of C = 0.003
    t.q[4] = deliverability(0.003, 0.65, 3000.0, 1200.0);
    double pr = 3000.0, c = 0, n = 0;
    dlv::backpressure_fit_cn(t.q.data(), t.p.data(), t.ps.data(), 4, type, pr, c, n, t.rates.data(),
                             t.pressures.data());
    EXPECT_NEAR(n, 0.65, 1e-12) << type;
    EXPECT_NEAR(c, 0.003, 1e-12) << type;
  }
}

TEST(BackpressureFitCn, TestPressureAtOrAboveReservoirPressureRaisesIt) {
  TestSet t(0.004, 0.8, 3000.0);
  t.p[1] = 3000.0;
  t.p[4] = 5000.0;  // the stabilized slot takes no part
  double pr = 3000.0, c = 0, n = 0;
  dlv::backpressure_fit_cn(t.q.data(), t.p.data(), t.ps.data(), 4, 0, pr, c, n, t.rates.data(),
                           t.pressures.data());
  EXPECT_EQ(pr, 3001.0);
  expect_curve(t.rates, t.pressures, c, n, 3001.0);
}

TEST(BackpressureFitCn, SinglePointGivesUnitExponent) {
  TestSet t(0.004, 0.7, 3000.0);
  double pr = 3000.0, c = 0, n = 0;
  dlv::backpressure_fit_cn(t.q.data(), t.p.data(), t.ps.data(), 1, 0, pr, c, n, t.rates.data(),
                           t.pressures.data());
  EXPECT_EQ(n, 1.0);
  EXPECT_DOUBLE_EQ(c, t.q[0] / (pr * pr - t.p[0] * t.p[0]));
}

TEST(BackpressureFitCn, MeanCIsHeldWithin300ButStabilizedCIsNot) {
  for (double sign : {1.0, -1.0}) {
    TestSet t(sign * 500.0, 1.0, 3000.0);
    t.p[4] = 2600.0, t.q[4] = t.q[0];
    double pr = 3000.0, c = 0, n = 0;
    dlv::backpressure_fit_cn(t.q.data(), t.p.data(), t.ps.data(), 1, 0, pr, c, n, t.rates.data(),
                             t.pressures.data());
    EXPECT_EQ(c, sign * 300.0);
    EXPECT_DOUBLE_EQ(t.rates[24], sign * 300.0 * pr * pr);
    dlv::backpressure_fit_cn(t.q.data(), t.p.data(), t.ps.data(), 1, 1, pr, c, n, t.rates.data(),
                             t.pressures.data());
    EXPECT_DOUBLE_EQ(c, sign * 500.0);
  }
}

TEST(BackpressureFitCn, OversizedCountStaysInsideTheTestArrays) {
  Tests q, p, ps;
  q.fill(100.0), p.fill(1000.0), ps.fill(3000.0);
  Curve r1{}, p1{}, r2{}, p2{};
  double pr1 = 3000, c1 = 0, n1 = 0, pr2 = 3000, c2 = 0, n2 = 0;
  dlv::backpressure_fit_cn(q.data(), p.data(), ps.data(), 5000, 1, pr1, c1, n1, r1.data(),
                           p1.data());
  dlv::backpressure_fit_cn(q.data(), p.data(), ps.data(), 99, 1, pr2, c2, n2, r2.data(), p2.data());
  EXPECT_EQ(c1, c2);
  EXPECT_EQ(r1, r2);
}

TEST(BackpressureFitCn, ZeroRateAndNanPressureRunThrough) {
  TestSet t(0.004, 0.8, 3000.0);
  t.q[0] = 0.0;
  t.p[2] = std::nan("");
  double pr = 3000.0, c = 0, n = 0;
  dlv::backpressure_fit_cn(t.q.data(), t.p.data(), t.ps.data(), 4, 0, pr, c, n, t.rates.data(),
                           t.pressures.data());
  EXPECT_EQ(pr, 3000.0);
  EXPECT_EQ(t.pressures[12], 1500.0);
}

TEST(BackpressureFitCn, NonPositiveDifferenceTakesZeroLogarithm) {
  Tests q{}, p{}, ps{};
  Curve rates{}, pressures{};
  ps[0] = 1000.0, p[0] = 1000.0, q[0] = 10.0;  // d = 0: x = 0, y = 1
  ps[1] = 1000.0, p[1] = 0.0, q[1] = 1000.0;   // d = 1e6: x = 6, y = 3
  double pr = 3000.0, c = 0, n = 0;
  dlv::backpressure_fit_cn(q.data(), p.data(), ps.data(), 2, 2, pr, c, n, rates.data(),
                           pressures.data());
  EXPECT_NEAR(n, 1.0 / 3.0, 1e-15);
}

TEST(BackpressureFitC, LeastSquaresCForGivenExponent) {
  TestSet t(0.004, 0.8, 3000.0);
  double c = 0;
  dlv::backpressure_fit_c(t.q.data(), t.p.data(), t.ps.data(), 4, 0, 3000.0, c, 0.8, t.rates.data(),
                          t.pressures.data());
  EXPECT_NEAR(c, 0.004, 1e-15);
  expect_curve(t.rates, t.pressures, c, 0.8, 3000.0);
}

TEST(BackpressureFitC, ZeroDifferencesGiveZeroCurveAndEmptySetWritesNothing) {
  TestSet t(0.004, 0.8, 3000.0);
  t.p.fill(3000.0);
  double c = -1;
  dlv::backpressure_fit_c(t.q.data(), t.p.data(), t.ps.data(), 4, 0, 3000.0, c, 0.8, t.rates.data(),
                          t.pressures.data());
  EXPECT_EQ(c, 0.0);
  for (double r : t.rates) EXPECT_EQ(r, 0.0);
  c = -1;
  t.pressures.fill(-7.0);
  dlv::backpressure_fit_c(t.q.data(), t.p.data(), t.ps.data(), 0, 0, 3000.0, c, 0.8, t.rates.data(),
                          t.pressures.data());
  EXPECT_EQ(c, -1.0);
  EXPECT_EQ(t.pressures[0], -7.0);
}

TEST(BackpressureFitN, MeanLogarithmsGiveExponentExceptForModifiedIsochronal) {
  TestSet t(0.004, 0.72, 3000.0);
  double n = 0;
  dlv::backpressure_fit_n(t.q.data(), t.p.data(), t.ps.data(), 4, 1, 3000.0, 0.004, n,
                          t.rates.data(), t.pressures.data());
  EXPECT_NEAR(n, 0.72, 1e-12);
  expect_curve(t.rates, t.pressures, 0.004, n, 3000.0);
  n = 0.5;
  dlv::backpressure_fit_n(t.q.data(), t.p.data(), t.ps.data(), 4, 2, 3000.0, 0.004, n,
                          t.rates.data(), t.pressures.data());
  EXPECT_EQ(n, 0.5);
  expect_curve(t.rates, t.pressures, 0.004, 0.5, 3000.0);
  n = 0.5;
  t.pressures.fill(-7.0);
  dlv::backpressure_fit_n(t.q.data(), t.p.data(), t.ps.data(), -3, 0, 3000.0, 0.004, n,
                          t.rates.data(), t.pressures.data());
  EXPECT_EQ(n, 0.5);
  EXPECT_EQ(t.pressures[0], -7.0);
}

}  // namespace
