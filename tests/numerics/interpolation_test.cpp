#include "numerics/interpolation.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "support/log_capture.hpp"

namespace {

// y = x^3 on 1..4, rising and falling, each behind a guard point (0 or 5,
// 1000) that no window may reach.
const double gx[] = {0, 1, 2, 3, 4}, gy[] = {1000, 1, 8, 27, 64};
const double grx[] = {5, 4, 3, 2, 1}, gry[] = {1000, 64, 27, 8, 1};

TEST(Flagr, WindowEndsBeyondTheQueryEndsAreHeldAndBadArgumentsAreLogged) {
  // {falling, xq, degree, value}: falling, the parabola of 2.5 runs through 4,
  // 3, 2; a degree of the point count or more is the cubic through all four.
  const double cases[][4] = {{0, 2.5, 2, 16},    {0, 1.5, 2, 3},      {0, 3.5, 2, 43.25},
                             {0, 3, 2, 27},      {0, 0, 2, 1},        {0, 9, 2, 64},
                             {0, 2.5, 1, 17.5},  {0, 2.5, 4, 15.625}, {0, 2.5, 7, 15.625},
                             {1, 2.5, 2, 15.25}, {1, 1.5, 2, 3},      {1, 3.5, 2, 43.25},
                             {1, 2.5, 1, 17.5},  {1, 2.5, 4, 15.625}};
  std::int32_t ierr = -1;
  for (const auto& c : cases) {
    const double *x = c[0] != 0 ? grx : gx, *y = c[0] != 0 ? gry : gy;
    EXPECT_NEAR(dlv::flagr(x + 1, y + 1, c[1], static_cast<std::int32_t>(c[2]), 4, ierr), c[3],
                1e-12)
        << c[0] << ' ' << c[1] << ' ' << c[2];
  }
  EXPECT_EQ(ierr, 0);
  double r = -1.0;
  EXPECT_EQ(fluids_test::logged([&] {
              r = dlv::flagr(gx + 1, gy + 1, 1.5, 0, 2, ierr);
              dlv::write_log("");  // an empty message writes nothing
            }),
            ":Illegal value input for IDEG in flagr()\r\n"
            ":Illegal value input for NPTS in flagr()\r\n");
  EXPECT_EQ(r, 0.0);
  EXPECT_EQ(ierr, 1);
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
    return dlv::property_table_lookup(t, p, {ts.data(), nt, 10}, {ps.data(), np, 50}, v.data());
  };
  // {t, p, temperature count, pressure count, value}; an empty axis or a count
  // above its capacity gives 0.
  const double cases[][5] = {{150, 1500, 2, 2, 2.5}, {250, 1000, 2, 2, 2.5}, {50, 500, 2, 2, -0.5},
                             {999, 1500, 1, 2, 2.0}, {150, -99, 2, 1, 1.5},  {-1e9, 1e9, 1, 1, 1},
                             {150, 1500, 0, 2, 0},   {150, 1500, 2, 0, 0},   {150, 1500, -1, 2, 0},
                             {150, 1500, 11, 2, 0},  {150, 1500, 2, 51, 0}};
  for (const auto& c : cases) {
    EXPECT_EQ(at(c[0], c[1], static_cast<std::int32_t>(c[2]), static_cast<std::int32_t>(c[3])),
              c[4])
        << c[0] << ' ' << c[1] << ' ' << c[2] << ' ' << c[3];
  }
  // A NaN temperature or pressure falls through to the last segment: NaN out.
  EXPECT_TRUE(std::isnan(at(std::nan(""), 1500)));
  EXPECT_TRUE(std::isnan(at(150, std::nan(""))));
  ts[1] = 100;  // a segment of no length weighs 0
  EXPECT_EQ(at(100, 1000), 2.0);
}

}  // namespace
