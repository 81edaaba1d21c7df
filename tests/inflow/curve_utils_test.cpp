#include "inflow/curve_utils.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

TEST(Lagrange3, ReproducesAParabolaAndAveragesOnCoincidentAbscissae) {
  // y = x^2 - 3x + 5 through x = 1, 2, 4.
  EXPECT_DOUBLE_EQ(dlv::lagrange3(1, 2, 4, 3, 3, 9, 3.0), 5.0);
  EXPECT_DOUBLE_EQ(dlv::lagrange3(1, 2, 4, 3, 3, 9, 0.0), 5.0);
  EXPECT_EQ(dlv::lagrange3(1, 1, 4, 3, 6, 9, 3.0), 6.0);
  EXPECT_EQ(dlv::lagrange3(1, 4, 4, 3, 6, 9, 3.0), 6.0);
}

double interpol(const double* x, const double* y, std::int32_t n, double xq) {
  double yq = -12345.0;
  EXPECT_EQ(dlv::interpol(x, y, n, xq, yq), 1);
  return yq;
}

TEST(Interpol, FewerThanThreePointsLeavesResultUntouched) {
  const double x[] = {1, 2}, y[] = {3, 4};
  double yq = 7.5;
  EXPECT_EQ(dlv::interpol(x, y, 2, 1.5, yq), 0);
  EXPECT_EQ(dlv::interpol(x, y, -4, 1.5, yq), 0);
  EXPECT_EQ(yq, 7.5);
}

TEST(Interpol, FallingTableInterpolatesThroughPointsEndingBelowQuery) {
  const double p[] = {4, 3, 2, 1, 0}, q[] = {64, 27, 8, 1, 0};
  EXPECT_EQ(interpol(p, q, 5, 2.5), 15.25);  // parabola through 4, 3, 2
  EXPECT_EQ(interpol(p, q, 5, 2.0), 8.0);    // exact hit
  EXPECT_EQ(interpol(p, q, 5, 0.0), 0.0);
}

TEST(Interpol, RisingTableAndExactHits) {
  const double x[] = {1, 2, 3, 4}, y[] = {1, 8, 27, 64};
  EXPECT_EQ(interpol(x, y, 4, 3.5), 43.25);
  EXPECT_EQ(interpol(x, y, 4, 1.5), 3.0);  // first window is points 0..2
  EXPECT_EQ(interpol(x, y, 4, 4.0), 64.0);
  EXPECT_EQ(interpol(x, y, 4, 1.0), 1.0);
}

TEST(Interpol, UndershootFallsBackToLineButOvershootStays) {
  const double x[] = {0, 1, 2, 3};
  const double dip[] = {10, 0, 0, 5}, hump[] = {-10, 0, 0, 5};
  EXPECT_EQ(interpol(x, dip, 4, 1.5), 0.0);    // parabola gives -1.25
  EXPECT_EQ(interpol(x, hump, 4, 1.5), 1.25);  // above every y: kept
}

TEST(Interpol, StraightLinesOutsideTheTable) {
  const double x[] = {1, 2, 3}, y[] = {2, 4, 7};
  EXPECT_EQ(interpol(x, y, 3, 0.0), 0.0);   // first segment, slope 2
  EXPECT_EQ(interpol(x, y, 3, 5.0), 13.0);  // last segment, slope 3
  const double fx[] = {3, 2, 1}, fy[] = {0, 1, 3};
  EXPECT_EQ(interpol(fx, fy, 3, 4.0), -1.0);  // before a falling table
  EXPECT_EQ(interpol(fx, fy, 3, 0.0), 5.0);   // past its end
}

TEST(Interpol, ShortLastStepIsFlooredInBothDirections) {
  const double x[] = {0, 1, 1.0009765625}, y[] = {0, 1, 2};
  EXPECT_NEAR(interpol(x, y, 3, 2.0), 2.0 + 100.0 * (2.0 - 1.0009765625), 1e-9);
  const double fx[] = {3, 2, 1.9990234375}, fy[] = {0, 1, 2};
  EXPECT_NEAR(interpol(fx, fy, 3, 1.0), 2.0 + 100.0 * (1.9990234375 - 1.0), 1e-9);
}

TEST(Interpol, NonFiniteQueryRunsThrough) {
  const double x[] = {1, 2, 3, 4}, y[] = {1, 8, 27, 64};
  EXPECT_TRUE(std::isnan(interpol(x, y, 4, kNaN)));
  EXPECT_EQ(interpol(x, y, 4, kInf), kInf);
}

double lookup(const double* x, const double* y, double xq, std::int32_t n, std::int32_t clamp,
              std::int32_t expected_status) {
  std::int32_t status = 99;
  const double r = dlv::table_lookup(x, y, xq, n, clamp, status);
  EXPECT_EQ(status, expected_status) << "xq = " << xq << ", n = " << n;
  return r;
}

TEST(TableLookup, SmallTablesReportTheirStatus) {
  const double x[] = {1, 3, 5}, y[] = {10, 30, 40};
  EXPECT_EQ(lookup(x, y, 2.0, 0, 0, -1), -9.0);
  EXPECT_EQ(lookup(x, y, 2.0, -3, 0, -1), -9.0);
  EXPECT_EQ(lookup(x, y, 2.0, 1, 0, 2), 10.0);
  EXPECT_EQ(lookup(x, y, 2.0, 2, 0, 0), 20.0);
  EXPECT_EQ(lookup(x, y, 4.0, 2, 1, 1), 40.0);  // straight line even when clamping
  EXPECT_EQ(lookup(x, y, 0.0, 2, 0, 1), 0.0);
  const double same[] = {2, 2};
  EXPECT_EQ(lookup(same, y, 7.0, 2, 0, 0), 10.0);
}

TEST(TableLookup, QuadraticInsideRisingTable) {
  const double x[] = {1, 2, 3, 4, 5}, y[] = {1, 8, 27, 64, 125};
  EXPECT_EQ(lookup(x, y, 1.5, 5, 0, 0), 4.5);  // first segment: straight line
  EXPECT_EQ(lookup(x, y, 1.0, 5, 0, 0), 1.0);
  EXPECT_EQ(lookup(x, y, 2.5, 5, 0, 0), 15.25);  // parabola through 2, 3, 4
  EXPECT_EQ(lookup(x, y, 3.0, 5, 0, 0), 27.0);   // met by the search
  EXPECT_EQ(lookup(x, y, 4.5, 5, 0, 0), 91.5);   // parabola through 3, 4, 5
}

TEST(TableLookup, QuadraticInsideFallingTable) {
  const double x[] = {5, 4, 3, 2, 1}, y[] = {125, 64, 27, 8, 1};
  EXPECT_EQ(lookup(x, y, 3.5, 5, 0, 0), 43.25);  // parabola through 4, 3, 2
  EXPECT_EQ(lookup(x, y, 1.5, 5, 0, 0), 3.0);    // parabola through 3, 2, 1
}

TEST(TableLookup, OutsideClampsOrExtrapolates) {
  const double x[] = {1, 2, 3, 4}, y[] = {1, 8, 27, 64};
  EXPECT_EQ(lookup(x, y, 0.0, 4, 1, 1), 1.0);
  EXPECT_EQ(lookup(x, y, 6.0, 4, 1, 1), 64.0);
  EXPECT_EQ(lookup(x, y, 0.0, 4, 0, 1), -6.0);
  EXPECT_EQ(lookup(x, y, 6.0, 4, 0, 1), 138.0);
  const double fx[] = {4, 3, 2, 1}, fy[] = {64, 27, 8, 1};
  EXPECT_EQ(lookup(fx, fy, 6.0, 4, 1, 1), 64.0);
  EXPECT_EQ(lookup(fx, fy, 0.0, 4, 1, 1), 1.0);
  EXPECT_EQ(lookup(fx, fy, 0.0, 4, 0, 1), -6.0);
}

TEST(TableLookup, CoincidentAbscissaeFallBackToTheBracket) {
  const double x[] = {1, 2, 3, 3, 4}, y[] = {1, 2, 3, 9, 4};
  EXPECT_EQ(lookup(x, y, 2.5, 5, 0, 0), 2.5);  // 2, 3, 3: straight line on 2..3
  const double flat[] = {1, 1, 1, 1}, v[] = {5, 6, 7, 8};
  EXPECT_EQ(lookup(flat, v, 1.0, 4, 0, 0), 5.0);
}

TEST(TableLookup, NonFiniteQueryRunsThrough) {
  const double x[] = {1, 2, 3, 4}, y[] = {1, 8, 27, 64};
  std::int32_t status = 0;
  EXPECT_TRUE(std::isnan(dlv::table_lookup(x, y, kNaN, 4, 0, status)));
  EXPECT_EQ(dlv::table_lookup(x, y, kInf, 4, 1, status), 64.0);
  EXPECT_EQ(status, 1);
}

using Curve = std::array<double, 25>;

TEST(ResampleCurve, LinearOnBracketingSegmentAndExtendedEnds) {
  Curve p{}, q{}, pt{}, qt{};
  for (int k = 0; k < 25; ++k) {
    p[k] = 2400.0 - 100.0 * k;  // falling, as a production curve
    q[k] = 3.0 * k * k;
  }
  for (int j = 0; j < 25; ++j) pt[j] = 2450.0 - 100.0 * j;  // halfway, one step beyond
  pt[3] = 1200.0;                                           // equal to a source point
  pt[24] = -100.0;                                          // past the end
  dlv::resample_curve(p.data(), q.data(), pt.data(), qt.data(), 25);
  EXPECT_EQ(qt[0], -1.5);  // before the start: first segment extended (0 .. 3)
  EXPECT_EQ(qt[1], 1.5);
  EXPECT_EQ(qt[2], 7.5);
  EXPECT_EQ(qt[3], 432.0);
  EXPECT_EQ(qt[24], 1728.0 + 141.0);  // last segment (1587 .. 1728) extended
}

TEST(ResampleCurve, RisingTableExtendsBothEnds) {
  Curve x{}, y{}, xt{}, yt{};
  for (int k = 0; k < 25; ++k) {
    x[k] = 10.0 * k;
    y[k] = k % 2 == 0 ? 0.0 : 1.0;
  }
  for (int j = 0; j < 25; ++j) xt[j] = 10.0 * j + 5.0;
  xt[0] = -5.0;
  dlv::resample_curve(x.data(), y.data(), xt.data(), yt.data(), 25);
  EXPECT_EQ(yt[0], -0.5);
  EXPECT_EQ(yt[1], 0.5);
  EXPECT_EQ(yt[24], -0.5);  // 245: past 240 along the falling last segment
}

TEST(ResampleCurve, ShortSourceLeavesTargetsPastItsEndAlone) {
  Curve x{}, y{}, xt{}, yt{};
  x[0] = 0;
  x[1] = 10;
  x[2] = 20;
  y[0] = 0;
  y[1] = 1;
  y[2] = 4;
  yt.fill(-7.0);
  for (int j = 0; j < 25; ++j) xt[j] = 5.0 * j;
  dlv::resample_curve(x.data(), y.data(), xt.data(), yt.data(), 3);
  EXPECT_EQ(yt[1], 0.5);
  EXPECT_EQ(yt[3], 2.5);
  EXPECT_EQ(yt[4], 4.0);
  EXPECT_EQ(yt[5], -7.0);
  yt.fill(-7.0);
  dlv::resample_curve(x.data(), y.data(), xt.data(), yt.data(), 1);
  dlv::resample_curve(x.data(), y.data(), xt.data(), yt.data(), -1);
  for (double v : yt) EXPECT_EQ(v, -7.0);
}

TEST(Lsort2col, NudgesTiesThenSortsStably) {
  double keys[] = {5, 5, 3}, values[] = {1, 2, 3};
  dlv::lsort2col(keys, values, 3, 0);
  EXPECT_EQ(keys[0], 3.0);
  EXPECT_EQ(keys[1], 5.0);
  EXPECT_EQ(keys[2], 5.0 * 1.00001);
  EXPECT_EQ(values[0], 3.0);
  EXPECT_EQ(values[1], 2.0);
  EXPECT_EQ(values[2], 1.0);
}

TEST(Lsort2col, ThreeEqualKeysKeepTheFirstTwoEqual) {
  double keys[] = {7, 7, 7}, values[] = {1, 2, 3};
  dlv::lsort2col(keys, values, 3, 1);  // descending: the equal pair keeps its order
  EXPECT_EQ(keys[0], 7.0 * 1.00001);
  EXPECT_EQ(keys[1], 7.0 * 1.00001);
  EXPECT_EQ(keys[2], 7.0);
  EXPECT_EQ(values[0], 1.0);
  EXPECT_EQ(values[1], 2.0);
  EXPECT_EQ(values[2], 3.0);
}

TEST(Lsort2col, DescendingSortOfTwentyFivePoints) {
  std::array<double, 25> keys{}, values{};
  for (int i = 0; i < 25; ++i) {
    keys[i] = (i * 7) % 25;  // a permutation of 0..24
    values[i] = 100.0 + keys[i];
  }
  dlv::lsort2col(keys.data(), values.data(), 25, 1);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(keys[i], 24.0 - i);
    EXPECT_EQ(values[i], 124.0 - i);
  }
}

TEST(Lsort2col, FewerThanTwoKeysChangeNothing) {
  double keys[] = {2, 1}, values[] = {3, 4};
  dlv::lsort2col(keys, values, 1, 0);
  dlv::lsort2col(keys, values, 0, 0);
  dlv::lsort2col(keys, values, -5, 1);
  EXPECT_EQ(keys[0], 2.0);
  EXPECT_EQ(keys[1], 1.0);
  EXPECT_EQ(values[0], 3.0);
}

TEST(BisectLookup, HitsInterpolatesAndExtrapolates) {
  const double xs[] = {0, 10, 20, 30, 40}, ys[] = {0, 100, 400, 900, 1600};
  EXPECT_EQ(dlv::bisect_lookup(20.0, xs, ys, 5), 400.0);  // met by the first step
  EXPECT_EQ(dlv::bisect_lookup(10.0, xs, ys, 5), 100.0);
  EXPECT_EQ(dlv::bisect_lookup(25.0, xs, ys, 5), 650.0);
  EXPECT_EQ(dlv::bisect_lookup(-5.0, xs, ys, 5), -50.0);
  EXPECT_EQ(dlv::bisect_lookup(50.0, xs, ys, 5), 2300.0);
  EXPECT_EQ(dlv::bisect_lookup(0.0, xs, ys, 5), 0.0);
  EXPECT_EQ(dlv::bisect_lookup(40.0, xs, ys, 5), 1600.0);
}

TEST(BisectLookup, InverseSearchesTheOtherTable) {
  const double xs[] = {0, 10, 20, 30, 40}, ys[] = {0, 100, 400, 900, 1600};
  EXPECT_EQ(dlv::bisect_lookup_inverse(650.0, xs, ys, 5), 25.0);
  EXPECT_EQ(dlv::bisect_lookup_inverse(400.0, xs, ys, 5), 20.0);
}

TEST(BisectLookup, DegenerateCountsAndNonFiniteQueries) {
  const double xs[] = {0, 10, 20}, ys[] = {5, 6, 7};
  EXPECT_EQ(dlv::bisect_lookup(3.0, xs, ys, 1), 5.0);
  EXPECT_EQ(dlv::bisect_lookup(3.0, xs, ys, 0), 0.0);
  EXPECT_EQ(dlv::bisect_lookup(3.0, xs, ys, -2), 0.0);
  EXPECT_EQ(dlv::bisect_lookup(3.0, xs, ys, 2), 5.3);
  EXPECT_TRUE(std::isnan(dlv::bisect_lookup(kNaN, xs, ys, 3)));
  EXPECT_EQ(dlv::bisect_lookup(kInf, xs, ys, 3), kInf);
}

}  // namespace
