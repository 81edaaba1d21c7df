// The numerical utilities shared by the curve methods, and the rate-test
// curve that refines a measured table with them.
#include "numerics/curve_utils.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "inflow/rate_test.hpp"

namespace {

using Column = std::array<double, 25>;
const double x5[] = {1, 2, 3, 4, 5}, y5[] = {1, 8, 27, 64, 125};  // y = x^3
const double fx5[] = {5, 4, 3, 2, 1}, fy5[] = {125, 64, 27, 8, 1};

TEST(CurveUtils, InterpolQuadraticInsideStraightOutsideWithUndershootGuard) {
  const double x[] = {0, 1, 2, 3}, dip[] = {10, 0, 0, 5}, hump[] = {-10, 0, 0, 5};
  const double rx[] = {0, 1, 1.0009765625}, ry[] = {0, 1, 2};
  // Fewer than three points leave yq untouched; a falling table uses points
  // 4, 3, 2; a dip of the parabola below its points becomes the line, a hump
  // stays; past the end the step is raised to 0.01.
  const struct {
    const double *x, *y;
    std::int32_t n;
    double xq, want;
  } cases[] = {{x5, y5, 2, 1.5, -1.0},    {fx5, fy5, 5, 2.5, 15.25},
               {fx5, fy5, 5, 6.0, 186.0}, {x, dip, 4, 1.5, 0.0},
               {x, hump, 4, 1.5, 1.25},   {rx, ry, 3, 2.0, 2.0 + 100.0 * (2.0 - rx[2])}};
  for (const auto& c : cases) {
    double yq = -1.0;
    EXPECT_EQ(dlv::interpol(c.x, c.y, c.n, c.xq, yq), c.n < 3 ? 0 : 1);
    EXPECT_DOUBLE_EQ(yq, c.want) << c.n << ' ' << c.xq;
  }
  EXPECT_EQ(dlv::lagrange3(1, 4, 4, 3, 6, 9, 3.0), 6.0);  // coincident abscissae: the mean
}

TEST(CurveUtils, TableLookupBracketsStatusAndClamp) {
  // {falling, n, xq, clamp, status, value}: two points give a line, unclamped;
  // the first segment the line, not the quadratic; 4.5 the points 3, 4, 5.
  const double cases[][6] = {
      {0, 0, 2, 0, -1, -9},   {0, 1, 2, 0, 2, 1},       {0, 2, 3, 1, 1, 15},
      {0, 5, 1.5, 0, 0, 4.5}, {0, 5, 4.5, 0, 0, 91.5},  {0, 5, 0, 1, 1, 1},
      {0, 5, 6, 0, 1, 186},   {1, 5, 3.5, 0, 0, 43.25}, {1, 5, 6, 1, 1, 125}};
  for (const auto& c : cases) {
    std::int32_t status = 99;
    const double r =
        dlv::table_lookup(c[0] != 0 ? fx5 : x5, c[0] != 0 ? fy5 : y5, c[2],
                          static_cast<std::int32_t>(c[1]), static_cast<std::int32_t>(c[3]), status);
    EXPECT_EQ((std::array{double(status), r}), (std::array{c[4], c[5]})) << c[1] << ' ' << c[2];
  }
}

// x^2 on the whole numbers 0..24 joined by straight lines, extended along the
// end segments.
double square_line(double t) {
  const double k = t < 0.0 ? 0.0 : (t > 23.0 ? 23.0 : std::floor(t));
  return k * k + (2.0 * k + 1.0) * (t - k);
}

TEST(ResampleCurve, EachTargetOnItsOwnSegmentInAnyOrderAndDirection) {
  // Targets back and forth, repeated, on source points, outside and NaN; a
  // 9-point curve leaves the targets past its far end untouched, one point all.
  const double targets[] = {10.5, 3.5,   20.5, 20.5, 0.5,  24.0, 30.0, -2.0, 7.0,
                            NAN,  12.25, 5.5,  5.5,  23.5, 1.0,  16.0, 17.5, 8.0};
  for (const bool falling : {false, true}) {
    for (const std::int32_t n : {25, 9, 1}) {
      Column x{}, y{}, xt{}, yt{};
      for (int k = 0; k < 25; ++k) x[k] = falling ? 24.0 - k : k, y[k] = x[k] * x[k];
      for (int j = 0; j < 25; ++j) xt[j] = targets[j % 18], yt[j] = -7.0;
      dlv::resample_curve(x.data(), y.data(), xt.data(), yt.data(), n);
      for (int j = 0; j < 25; ++j) {
        const double t = xt[j], end = x[n - 1];
        const bool past = n == 1 || (n < 25 && (falling ? t < end : t > end));
        const double want = past ? -7.0 : square_line(t);  // NaN for a NaN target
        EXPECT_EQ(std::isnan(yt[j]), std::isnan(want)) << falling << n << ' ' << t;
        if (!std::isnan(want)) {
          EXPECT_EQ(yt[j], want) << falling << n << ' ' << t;
        }
      }
    }
  }
}

TEST(CurveUtils, SortAndBisect) {
  std::array<double, 3> k1{5, 5, 3}, v1{1, 2, 3};
  std::array<double, 5> k2{7, 7, 7, 1, 9}, v2{1, 2, 3, 4, 5};
  dlv::lsort2col(k1.data(), v1.data(), 3, 0), dlv::lsort2col(k2.data(), v2.data(), 5, 1);
  EXPECT_EQ(k1, (std::array{3.0, 5.0, 5.0 * 1.00001}));  // ties nudged, then stable
  EXPECT_EQ(v1, (std::array{3.0, 2.0, 1.0}));
  EXPECT_EQ(v2, (std::array{5.0, 1.0, 2.0, 3.0, 4.0}));
  EXPECT_EQ(k2[1], k2[2]);  // the 7s nudged alike
  const double xs[] = {0, 10, 20, 30, 40}, ys[] = {0, 100, 400, 900, 1600};
  const double at[] = {20, 25, -5, 50}, want[] = {400, 650, -50, 2300};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(dlv::bisect_lookup(at[i], xs, ys, 5), want[i]) << at[i];
  EXPECT_EQ(dlv::bisect_lookup_inverse(650.0, xs, ys, 5), 25.0);
}

struct Table {
  Column p{}, liquid{}, gas{}, water{}, q{}, x{};
  Table& run(std::int32_t mode, std::int32_t rows) {
    dlv::rate_test_curve(mode, p.data(), liquid.data(), gas.data(), water.data(), rows, q.data(),
                         x.data());
    return *this;
  }
};

TEST(RateTestCurve, TwentyFourRowsAreKeptWithTheModesColumnAndExtended) {
  Table t;
  for (int i = 0; i < 24; ++i) {
    t.p[i] = 2400.0 - 100.0 * i, t.liquid[i] = 10.0 * i, t.gas[i] = 20.0 * i, t.water[i] = 30.0 * i;
  }
  const double slope[] = {10.0, 20.0, 30.0, 20.0};
  for (std::int32_t mode = 0; mode < 4; ++mode) {
    t.run(mode, 24);  // row 0 at rate 0 gives pr; injection ends at 3 pr, floored to 0.01
    for (int i = 1; i < 24; ++i) EXPECT_EQ(t.q[i], slope[mode] * i) << mode << " " << i;
    EXPECT_EQ((std::array{t.x[0], t.x[23], t.x[24]}),
              (std::array{2400.0, 100.0, mode < 2 ? 0.0 : 7200.0}));
    EXPECT_DOUBLE_EQ(t.q[24], mode < 2 ? slope[mode] * 24.0 : 0.01);
  }
}

TEST(RateTestCurve, FillingSplitsTheWidestGapBeforeTheFarEnd) {
  Table prod, inj, bend;
  double p = 2400.0;  // linear; two equal widest gaps, the one nearer index 0 split first
  for (int i = 0; i < 23; ++i) prod.p[i] = p, prod.gas[i] = 2400 - p, p -= i % 7 == 3 ? 100 : 50;
  inj.p = {1000.0, 1500.0, 2000.0}, inj.water = {0.0, 500.0, 1000.0};
  prod.run(1, 23), inj.run(2, 3);
  EXPECT_EQ((std::array{prod.x[4], prod.x[12], inj.x[23]}), (std::array{2200.0, 1750.0, 2000.0}));
  for (int i = 1; i < 25; ++i) {  // linear tables stay linear, sorted in the mode's direction
    EXPECT_LT(prod.x[i], prod.x[i - 1]);
    EXPECT_GT(inj.x[i], inj.x[i - 1]);
    EXPECT_NEAR(prod.q[i], 2400.0 - prod.x[i], 1e-9) << i;
    EXPECT_NEAR(inj.q[i], inj.x[i] - 1000.0, 1e-9) << i;
  }
  // The split at 950, next to the far end (extended to -400, floored to 0.01),
  // is the quadratic through 1062.5, 1000 and 900, not through the far end.
  bend.p = {2000.0, 1000.0, 900.0}, bend.liquid = {0.0, 100.0, 50.0};
  const Column &q = bend.run(0, 3).q, &x = bend.x;
  ASSERT_EQ(x[22], 950.0);
  EXPECT_NEAR(q[22], dlv::lagrange3(x[20], x[21], x[23], q[20], q[21], q[23], 950.0), 1e-9);
  EXPECT_EQ(q[24], 0.01);
}

}  // namespace
