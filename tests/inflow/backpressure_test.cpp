#include "inflow/backpressure.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

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
