#include "numerics/interpolation.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "support/log_capture.hpp"

namespace {

const double x4[] = {1, 2, 3, 4}, y4[] = {1, 8, 27, 64};  // y = x^3
const double rx4[] = {4, 3, 2, 1}, ry4[] = {64, 27, 8, 1};

TEST(Flagr, WindowEndsBeyondTheQueryEndsAreHeldAndBadArgumentsAreLogged) {
  // {xq, rising table, reversed table}: reversed, the window of 2.5 is (4, 3, 2).
  const double cases[][3] = {{2.5, 16, 15.25}, {1.5, 3, 3}, {3.5, 43.25, 43.25},
                             {3, 27, 27},      {0, 1, 1},   {9, 64, 64}};
  std::int32_t ierr = -1;
  for (const auto& c : cases) {
    EXPECT_EQ(dlv::flagr(x4, y4, c[0], 2, 4, ierr), c[1]) << c[0];
    EXPECT_EQ(dlv::flagr(rx4, ry4, c[0], 2, 4, ierr), c[2]) << c[0];
  }
  EXPECT_EQ(dlv::flagr(x4, y4, 2.5, 1, 4, ierr), 17.5);             // the bracketing chord
  EXPECT_NEAR(dlv::flagr(x4, y4, 2.5, 7, 4, ierr), 15.625, 1e-12);  // lowered to the cubic
  EXPECT_EQ(ierr, 0);
  double r = -1.0;
  EXPECT_EQ(fluids_test::logged([&] {
              r = dlv::flagr(x4, y4, 1.5, 0, 2, ierr);
              dlv::write_log("");  // an empty message writes nothing
            }),
            ":Illegal value input for IDEG in flagr()\r\n"
            ":Illegal value input for NPTS in flagr()\r\n");
  EXPECT_TRUE(r == 0.0 && ierr == 1);
}

TEST(PropertyTableLookup, BilinearInsideLinearOutsideZeroForBadCounts) {
  // Temperatures 100, 200 by pressures 1000, 2000 in a block-sized table:
  // values 1, 2 at 1000 psia and 3, 4 at 2000 psia.
  std::array<double, 10> ts{100, 200};
  std::array<double, 50> ps{1000, 2000};
  std::array<double, 500> v{1, 2};
  v[10] = 3;
  v[11] = 4;
  auto at = [&](double t, double p, std::int32_t nt = 2, std::int32_t np = 2) {
    return dlv::property_table_lookup(t, p, ts.data(), nt, 10, ps.data(), np, 50, v.data());
  };
  EXPECT_TRUE(at(150, 1500) == 2.5 && at(250, 1000) == 2.5 && at(50, 500) == -0.5);
  EXPECT_TRUE(at(999, 1500, 1, 2) == 2.0 && at(150, -99, 2, 1) == 1.5 && at(-1e9, 1e9, 1, 1) == 1);
  const int counts[][2] = {{0, 2}, {2, 0}, {-1, 2}, {11, 2}, {2, 51}};
  for (const auto& c : counts) EXPECT_EQ(at(150, 1500, c[0], c[1]), 0.0) << c[0] << ' ' << c[1];
  // A NaN temperature or pressure falls through to the last segment: NaN out.
  EXPECT_TRUE(std::isnan(at(std::nan(""), 1500)) && std::isnan(at(150, std::nan(""))));
  ts[1] = 100;  // a segment of no length weighs 0
  EXPECT_EQ(at(100, 1000), 2.0);
}

}  // namespace
