#include "inflow/rate_test.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>

namespace {

using Column = std::array<double, 25>;

struct Table {
  Column p{}, liquid{}, gas{}, water{}, rates{}, pressures{};
  std::int32_t run(std::int32_t mode, std::int32_t rows) {
    return dlv::rate_test_curve(mode, p.data(), liquid.data(), gas.data(), water.data(), rows,
                                rates.data(), pressures.data());
  }
};

TEST(RateTestCurve, TwentyFourRowsAreKeptWithTheModesColumnAndExtended) {
  Table t;
  for (int i = 0; i < 24; ++i) {
    t.p[i] = 2400.0 - 100.0 * i, t.liquid[i] = 10.0 * i, t.gas[i] = 20.0 * i, t.water[i] = 30.0 * i;
  }
  const Column* column[] = {&t.liquid, &t.gas, &t.water, &t.gas};
  for (std::int32_t mode = 0; mode < 4; ++mode) {
    EXPECT_EQ(t.run(mode, mode == 3 ? 400 : 24), 1);  // a count above 24 is held at 24
    EXPECT_EQ(t.pressures[0], 2400.0);                // row 0 at rate 0 is the shut-in point
    for (int i = 1; i < 24; ++i) EXPECT_EQ(t.rates[i], (*column[mode])[i]) << mode << " " << i;
    EXPECT_EQ(t.pressures[23], 100.0);
    EXPECT_EQ(t.pressures[24], mode < 2 ? 0.0 : 7200.0);                         // injection: 3 pr
    EXPECT_DOUBLE_EQ(t.rates[24], mode < 2 ? (*column[mode])[1] * 24.0 : 0.01);  // floor
  }
}

TEST(RateTestCurve, FillingStaysOnALinearTableAndNeverSplitsTheFarSegment) {
  Table prod, inj;
  prod.p = {2000.0, 1500.0, 1200.0, 1000.0}, prod.liquid = {0.0, 250.0, 400.0, 500.0};
  inj.p = {1000.0, 1500.0, 2000.0}, inj.water = {0.0, 500.0, 1000.0}, inj.liquid.fill(7.0);
  prod.run(0, 4);
  inj.run(2, 3);
  EXPECT_EQ(prod.pressures[23], 1000.0);
  EXPECT_EQ(inj.pressures[23], 2000.0);
  EXPECT_EQ(inj.pressures[24], 3000.0);
  for (int i = 1; i < 25; ++i) {
    EXPECT_LT(prod.pressures[i], prod.pressures[i - 1]) << i;
    EXPECT_NEAR(prod.rates[i], 0.5 * (2000.0 - prod.pressures[i]), 1e-9) << i;
    EXPECT_GT(inj.pressures[i], inj.pressures[i - 1]) << i;
    EXPECT_NEAR(inj.rates[i], inj.pressures[i] - 1000.0, 1e-9) << i;
  }
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
  EXPECT_EQ(t.pressures[12], 1750.0);  // the equal gap further down stays whole
}

TEST(RateTestCurve, FilledRatesComeFromThePointsBeforeTheFarEnd) {
  Table t;
  t.p = {2000.0, 1000.0, 900.0};
  t.liquid = {0.0, 100.0, 50.0};  // the last two rows extend to -400, floored to 0.01
  t.run(0, 3);
  // The split at 950, next to the far end, is the quadratic through the
  // points 1062.5, 1000 and 900 before it, not through the far end.
  ASSERT_EQ(t.pressures[22], 950.0);
  const Column &p = t.pressures, &r = t.rates;
  const double l20 = (950 - p[21]) * (950 - p[23]) / ((p[20] - p[21]) * (p[20] - p[23]));
  const double l21 = (950 - p[20]) * (950 - p[23]) / ((p[21] - p[20]) * (p[21] - p[23]));
  const double l23 = (950 - p[20]) * (950 - p[21]) / ((p[23] - p[20]) * (p[23] - p[21]));
  EXPECT_NEAR(r[22], r[20] * l20 + r[21] * l21 + r[23] * l23, 1e-9);
}

TEST(RateTestCurve, LowCountsUnknownModesAndNanRowsStayInsideTheArrays) {
  Table t, ref;
  t.p = ref.p = {2400.0, 2300.0, 2200.0}, t.liquid = ref.liquid = {0.0, 10.0, 20.0};
  ref.run(0, 2);
  for (std::int32_t rows : {1, 0, -5}) {
    t.run(0, rows);  // taken as two rows
    EXPECT_EQ(t.pressures, ref.pressures) << rows;
  }
  EXPECT_EQ(t.run(4, 3), 1);  // an unknown mode leaves the curve as it stands
  EXPECT_EQ(t.pressures, ref.pressures);
  t.p[1] = std::nan(""), t.liquid[2] = 0.0;
  EXPECT_EQ(t.run(0, 3), 1);
}

}  // namespace
