#include "inflow/curve_utils.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace {

const double x5[] = {1, 2, 3, 4, 5}, y5[] = {1, 8, 27, 64, 125};  // y = x^3
const double fx5[] = {5, 4, 3, 2, 1}, fy5[] = {125, 64, 27, 8, 1};

double interpol(const double* x, const double* y, double xq, std::int32_t n = 5) {
  double yq = -1.0;
  EXPECT_EQ(dlv::interpol(x, y, n, xq, yq), n < 3 ? 0 : 1);
  return yq;
}

TEST(Interpol, QuadraticInsideStraightOutsideWithUndershootGuard) {
  EXPECT_EQ(interpol(x5, y5, 1.5, 2), -1.0);  // fewer than 3 points: untouched
  EXPECT_EQ(interpol(fx5, fy5, 2.5), 15.25);  // falling: points 4, 3, 2
  EXPECT_EQ(interpol(x5, y5, 1.5), 3.0);      // window starts at the table
  EXPECT_EQ(interpol(fx5, fy5, 2.0), 8.0);
  EXPECT_EQ(interpol(fx5, fy5, 6.0), 186.0);
  EXPECT_EQ(interpol(fx5, fy5, 0.0), -6.0);
  EXPECT_TRUE(std::isnan(interpol(x5, y5, std::nan(""))));
  const double x[] = {0, 1, 2, 3}, dip[] = {10, 0, 0, 5}, hump[] = {-10, 0, 0, 5};
  EXPECT_EQ(interpol(x, dip, 1.5, 4), 0.0);    // parabola -1.25 replaced by the line
  EXPECT_EQ(interpol(x, hump, 1.5, 4), 1.25);  // overshoot kept
  const double rx[] = {0, 1, 1.0009765625}, fx[] = {3, 2, 1.9990234375}, y[] = {0, 1, 2};
  EXPECT_NEAR(interpol(rx, y, 2.0, 3), 2.0 + 100.0 * (2.0 - rx[2]), 1e-9);  // step 0.01
  EXPECT_NEAR(interpol(fx, y, 1.0, 3), 2.0 + 100.0 * (fx[2] - 1.0), 1e-9);  // step -0.01
  EXPECT_EQ(dlv::lagrange3(1, 4, 4, 3, 6, 9, 3.0), 6.0);  // coincident abscissae: the mean
}

TEST(TableLookup, BracketsStatusAndClamp) {
  const struct {
    const double *x, *y;
    double xq;
    std::int32_t n, clamp, status;
    double want;
  } cases[] = {
      {x5, y5, 2.0, 0, 0, -1, -9.0},  {x5, y5, 2.0, -3, 0, -1, -9.0},
      {x5, y5, 2.0, 1, 0, 2, 1.0},    {x5, y5, 3.0, 2, 1, 1, 15.0},  // two points: no clamp
      {x5, y5, 1.5, 5, 0, 0, 4.5},  // first segment: line, not parabola
      {x5, y5, 2.5, 5, 0, 0, 15.25},  {x5, y5, 4.5, 5, 0, 0, 91.5},  // points 3, 4, 5
      {x5, y5, 3.0, 5, 0, 0, 27.0},   {fx5, fy5, 3.5, 5, 0, 0, 43.25},
      {x5, y5, 0.0, 5, 1, 1, 1.0},    {x5, y5, 6.0, 5, 1, 1, 125.0},
      {x5, y5, 6.0, 5, 0, 1, 186.0},  {fx5, fy5, 6.0, 5, 1, 1, 125.0},
      {fx5, fy5, 0.0, 5, 0, 1, -6.0},
  };
  for (const auto& c : cases) {
    std::int32_t status = 99;
    EXPECT_EQ(dlv::table_lookup(c.x, c.y, c.xq, c.n, c.clamp, status), c.want) << c.xq;
    EXPECT_EQ(status, c.status) << c.xq << " " << c.n;
  }
  const double x[] = {1, 2, 3, 3, 4}, y[] = {1, 2, 3, 9, 4};
  std::int32_t status = 0;
  EXPECT_EQ(dlv::table_lookup(x, y, 2.5, 5, 0, status), 2.5);  // coincident third: the line
}

TEST(ResampleCurve, LinearInsideExtendedOutsideShortSourceLeftAlone) {
  std::array<double, 25> p{}, q{}, pt{}, qt{};
  for (int k = 0; k < 25; ++k) {
    p[k] = 2400.0 - 100.0 * k;  // falling, as a production curve
    q[k] = 3.0 * k * k;
    pt[k] = 2450.0 - 100.0 * k;
  }
  pt[3] = 1200.0;
  pt[24] = -100.0;
  dlv::resample_curve(p.data(), q.data(), pt.data(), qt.data(), 25);
  EXPECT_EQ(qt[0], -1.5);
  EXPECT_EQ(qt[1], 1.5);
  EXPECT_EQ(qt[3], 432.0);  // equal to a source point
  EXPECT_EQ(qt[24], 1869.0);
  qt.fill(-7.0);
  for (int k = 0; k < 25; ++k) pt[k] = 5.0 * k - 5.0;
  dlv::resample_curve(q.data(), p.data(), pt.data(), qt.data(), 3);  // (0,2400) (3,2300) (12,2200)
  EXPECT_EQ(qt[0], 2400.0 + 5.0 * 100.0 / 3.0);
  EXPECT_DOUBLE_EQ(qt[2], 2300.0 - 200.0 / 9.0);
  EXPECT_EQ(qt[4], -7.0);  // past the end of a short source
}

TEST(Lsort2col, TieNudgeThenStableBubbleSort) {
  double k1[] = {5, 5, 3}, v1[] = {1, 2, 3};
  dlv::lsort2col(k1, v1, 3, 0);
  EXPECT_TRUE(k1[0] == 3.0 && k1[1] == 5.0 && k1[2] == 5.0 * 1.00001);
  EXPECT_TRUE(v1[0] == 3.0 && v1[1] == 2.0 && v1[2] == 1.0);
  double k2[] = {7, 7, 7, 1, 9}, v2[] = {1, 2, 3, 4, 5};
  dlv::lsort2col(k2, v2, 5, 1);  // the first two 7s nudged alike, kept in order
  const double vs[] = {5, 1, 2, 3, 4};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(v2[i], vs[i]) << i;
  EXPECT_EQ(k2[1], k2[2]);
}

TEST(BisectLookup, HitsInterpolatesExtrapolates) {
  const double xs[] = {0, 10, 20, 30, 40}, ys[] = {0, 100, 400, 900, 1600};
  EXPECT_EQ(dlv::bisect_lookup(20.0, xs, ys, 5), 400.0);
  EXPECT_EQ(dlv::bisect_lookup(25.0, xs, ys, 5), 650.0);
  EXPECT_EQ(dlv::bisect_lookup(-5.0, xs, ys, 5), -50.0);
  EXPECT_EQ(dlv::bisect_lookup(50.0, xs, ys, 5), 2300.0);
  EXPECT_EQ(dlv::bisect_lookup_inverse(650.0, xs, ys, 5), 25.0);
  EXPECT_EQ(dlv::bisect_lookup(3.0, xs, ys + 1, 1), 100.0);
  EXPECT_EQ(dlv::bisect_lookup(3.0, xs, ys + 1, 0), 0.0);
  EXPECT_TRUE(std::isnan(dlv::bisect_lookup(std::nan(""), xs, ys, 5)));
}

}  // namespace
