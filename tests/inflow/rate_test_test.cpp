#include "inflow/rate_test.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace {

using Column = std::array<double, 25>;

struct Table {
  Column p{}, liquid{}, gas{}, water{};
  Column rates{}, pressures{};
  std::int32_t run(std::int32_t mode, std::int32_t rows) {
    return dlv::rate_test_curve(mode, p.data(), liquid.data(), gas.data(), water.data(), rows,
                                rates.data(), pressures.data());
  }
  // Rows on the straight line rate = j * |p - p0|, in the given rate column.
  void line(Column& column, const std::initializer_list<double> ps, double j) {
    int i = 0;
    for (double v : ps) p[i] = v, column[i++] = j * std::fabs(v - *ps.begin());
  }
};

TEST(RateTestCurve, TwentyFourRowsAreKeptAndExtendedToZeroPressure) {
  Table t;
  for (int i = 0; i < 24; ++i) t.p[i] = 2400.0 - 100.0 * i, t.liquid[i] = 10.0 * i;
  EXPECT_EQ(t.run(0, 24), 1);
  EXPECT_EQ(t.pressures[0], 2400.0);  // row 0 at rate 0 is the shut-in point
  EXPECT_EQ(t.rates[0], 0.0);
  for (int i = 1; i < 24; ++i) {
    EXPECT_EQ(t.pressures[i], t.p[i]);
    EXPECT_EQ(t.rates[i], t.liquid[i]);
  }
  EXPECT_EQ(t.pressures[24], 0.0);
  EXPECT_DOUBLE_EQ(t.rates[24], 240.0);
}

TEST(RateTestCurve, ModeChoosesTheRateColumn) {
  Table t;
  for (int i = 0; i < 24; ++i) {
    t.p[i] = 2400.0 - 100.0 * i;
    t.liquid[i] = 1.0 * i, t.gas[i] = 2.0 * i, t.water[i] = 3.0 * i;
  }
  const double expected[] = {1.0, 2.0, 3.0, 2.0};
  for (std::int32_t mode = 0; mode < 4; ++mode) {
    t.run(mode, 24);
    EXPECT_EQ(t.rates[1], expected[mode]) << mode;
  }
}

TEST(RateTestCurve, ProductionFillSplitsWidestGapsAndStaysOnALinearTable) {
  Table t;
  t.line(t.liquid, {2000.0, 1500.0, 1200.0, 1000.0}, 0.5);
  t.run(0, 4);
  for (int i = 0; i < 25; ++i) {
    if (i > 0) {
      EXPECT_LT(t.pressures[i], t.pressures[i - 1]) << i;
    }
    EXPECT_NEAR(t.rates[i], 0.5 * (2000.0 - t.pressures[i]), 1e-9) << i;
  }
  EXPECT_EQ(t.pressures[23], 1000.0);  // the segment to the far end is never split
  EXPECT_EQ(t.pressures[24], 0.0);
}

TEST(RateTestCurve, EqualWidestGapsSplitTheOneNearerTheShutInPointFirst) {
  Table t;
  double p = 2400.0;
  for (int i = 0; i < 23; ++i) {
    t.p[i] = p, t.gas[i] = 2400.0 - p;
    p -= (i == 3 || i == 10) ? 100.0 : 50.0;
  }
  t.run(1, 23);  // one fill
  EXPECT_EQ(t.pressures[4], 2200.0);
  EXPECT_NEAR(t.rates[4], 200.0, 1e-9);
  EXPECT_EQ(t.pressures[11], 1850.0);  // the equal gap further down stays whole
  EXPECT_EQ(t.pressures[12], 1750.0);
}

TEST(RateTestCurve, InjectionRunsUpToThreeTimesReservoirPressure) {
  Table t;
  t.line(t.water, {1000.0, 1500.0, 2000.0}, 1.0);
  t.liquid.fill(7.0);
  t.run(2, 3);
  EXPECT_EQ(t.pressures[0], 1000.0);
  EXPECT_EQ(t.pressures[23], 2000.0);
  EXPECT_EQ(t.pressures[24], 3000.0);
  EXPECT_NEAR(t.rates[24], 2000.0, 1e-9);
  for (int i = 1; i < 25; ++i) {
    EXPECT_GT(t.pressures[i], t.pressures[i - 1]) << i;
    EXPECT_NEAR(t.rates[i], t.pressures[i] - 1000.0, 1e-9) << i;
  }
}

TEST(RateTestCurve, FarEndRateIsFlooredAndNeverEntersTheLookups) {
  Table t;
  t.p = {2000.0, 1000.0, 900.0};
  t.liquid = {0.0, 100.0, 50.0};  // the last two rows extend to -400 at zero pressure
  t.run(0, 3);
  EXPECT_EQ(t.pressures[24], 0.0);
  EXPECT_EQ(t.rates[24], 0.01);
  // Filled rates come from the points before the far end: the first split, at
  // 1500, is the quadratic through the three rows; the split at 950, between
  // the last row and the far end, the quadratic through 1062.5, 1000 and 900.
  EXPECT_EQ(t.pressures[13], 1500.0);
  EXPECT_NEAR(t.rates[13], 2050.0 / 11.0, 1e-9);
  ASSERT_EQ(t.pressures[22], 950.0);
  const auto& p = t.pressures;
  const auto& r = t.rates;
  const double l20 = (950 - p[21]) * (950 - p[23]) / ((p[20] - p[21]) * (p[20] - p[23]));
  const double l21 = (950 - p[20]) * (950 - p[23]) / ((p[21] - p[20]) * (p[21] - p[23]));
  const double l23 = (950 - p[20]) * (950 - p[21]) / ((p[23] - p[20]) * (p[23] - p[21]));
  EXPECT_NEAR(r[22], r[20] * l20 + r[21] * l21 + r[23] * l23, 1e-9);
}

TEST(RateTestCurve, RowCountsOutsideTheTableAreHeldInside) {
  Table t;
  for (int i = 0; i < 25; ++i) t.p[i] = 2400.0 - 90.0 * i, t.liquid[i] = 10.0 * i;
  Table ref = t;
  ref.run(0, 24);
  t.run(0, 400);
  EXPECT_EQ(t.rates, ref.rates);
  EXPECT_EQ(t.pressures, ref.pressures);
  ref.run(0, 2);
  for (std::int32_t rows : {1, 0, -5}) {
    t.run(0, rows);
    EXPECT_EQ(t.rates, ref.rates) << rows;
    EXPECT_EQ(t.pressures, ref.pressures) << rows;
  }
}

TEST(RateTestCurve, UnknownModeLeavesCurveAndNanRowsRunThrough) {
  Table t;
  t.line(t.liquid, {2000.0, 1500.0, 1000.0}, 1.0);
  t.rates.fill(-3.0);
  EXPECT_EQ(t.run(4, 3), 1);
  EXPECT_EQ(t.rates[10], -3.0);
  t.p[1] = std::nan("");
  t.liquid[2] = 0.0;
  EXPECT_EQ(t.run(0, 3), 1);
}

}  // namespace
