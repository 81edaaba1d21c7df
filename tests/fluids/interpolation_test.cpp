#include "fluids/interpolation.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "fluids/log_capture.hpp"

namespace {

const double x4[] = {1, 2, 3, 4}, y4[] = {1, 8, 27, 64};  // y = x^3
const double rx4[] = {4, 3, 2, 1}, ry4[] = {64, 27, 8, 1};

double flagr(const double* x, const double* y, double xq, std::int32_t degree = 2,
             std::int32_t n = 4) {
  std::int32_t ierr = -1;
  const double r = dlv::flagr(x, y, xq, degree, n, ierr);
  EXPECT_EQ(ierr, n >= 3 && degree >= 1 ? 0 : 1);
  return r;
}

TEST(Flagr, WindowEndsAtFirstPointBeyondQueryAndEndsAreHeld) {
  const double rising[] = {2.5, 1.5, 3.5, 3.0, 0.0, 9.0}, want[] = {16, 3, 43.25, 27, 1, 64};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(flagr(x4, y4, rising[i]), want[i]) << rising[i];
  // Reversed, the window of 2.5 is the first three points (4, 3, 2).
  const double falling[] = {2.5, 1.5, 3.5, 9.0, 0.0}, rwant[] = {15.25, 3, 43.25, 64, 1};
  for (int i = 0; i < 5; ++i) EXPECT_EQ(flagr(rx4, ry4, falling[i]), rwant[i]) << falling[i];
  EXPECT_EQ(flagr(x4, y4, 2.5, 1), 17.5);             // degree 1: the bracketing chord
  EXPECT_NEAR(flagr(x4, y4, 2.5, 7), 15.625, 1e-12);  // degree lowered to 3: the cubic
  EXPECT_TRUE(std::isnan(flagr(x4, y4, std::nan(""))));
}

TEST(Flagr, ArgumentErrorsLogBothMessagesInOrder) {
  double r = -1.0;
  EXPECT_EQ(fluids_test::logged([&] {
              r = flagr(x4, y4, 1.5, 0, 2);
              dlv::write_log("");  // an empty message writes nothing
            }),
            ":Illegal value input for IDEG in flagr()\r\n"
            ":Illegal value input for NPTS in flagr()\r\n");
  EXPECT_EQ(r, 0.0);
}

// Temperatures 100, 200 by pressures 1000, 2000 in a block-sized table:
// values 1, 2 at 1000 psia and 3, 4 at 2000 psia.
double table(double t, double p, std::int32_t nt = 2, std::int32_t np = 2, double t1 = 200) {
  std::array<double, 10> ts{100, t1};
  std::array<double, 50> ps{1000, 2000};
  std::array<double, 500> v{1, 2};
  v[10] = 3;
  v[11] = 4;
  return dlv::property_table_lookup(t, p, ts.data(), nt, 10, ps.data(), np, 50, v.data());
}

TEST(PropertyTableLookup, BilinearInsideLinearOutsideZeroForBadCounts) {
  EXPECT_TRUE(table(150, 1500) == 2.5 && table(250, 1000) == 2.5 && table(50, 500) == -0.5);
  EXPECT_EQ(table(999, 1500, 1, 2), 2.0);       // one temperature
  EXPECT_EQ(table(150, -99, 2, 1), 1.5);        // one pressure
  EXPECT_EQ(table(-1e9, 1e9, 1, 1), 1.0);       // one value
  EXPECT_EQ(table(100, 1000, 2, 2, 100), 2.0);  // zero-length segment: weight 0
  const int counts[][2] = {{0, 2}, {2, 0}, {-1, 2}, {11, 2}, {2, 51}};
  for (const auto& c : counts) EXPECT_EQ(table(150, 1500, c[0], c[1]), 0.0);
}

}  // namespace
