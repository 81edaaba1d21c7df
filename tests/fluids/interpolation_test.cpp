#include "fluids/interpolation.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "fluids/log.hpp"

namespace {

const double kNaN = std::numeric_limits<double>::quiet_NaN();

// Runs `body` with a fresh log file open and returns what it wrote.
template <typename F>
std::string logged(F body) {
  const std::string path = ::testing::TempDir() + "interpolation_test.log";
  std::remove(path.c_str());
  dlv::log_handle = dlv::platform::open_log_file(path.c_str());
  body();
  dlv::platform::close_log_file(dlv::log_handle);
  dlv::log_handle = dlv::platform::kNoLog;
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

double cubic(double xq, const double* x, const double* y, std::int32_t degree = 2) {
  const std::int32_t n = 4;
  std::int32_t ierr = -1;
  const double r = dlv::flagr(x, y, xq, degree, n, ierr);
  EXPECT_EQ(ierr, 0);
  return r;
}

TEST(Flagr, RisingTableUsesWindowEndingAtFirstPointBeyond) {
  const double x[] = {1, 2, 3, 4}, y[] = {1, 8, 27, 64};
  EXPECT_EQ(cubic(2.5, x, y), 16.0);   // points 1, 2, 3
  EXPECT_EQ(cubic(1.5, x, y), 3.0);    // points 1, 2, 3 (window starts at the table)
  EXPECT_EQ(cubic(3.5, x, y), 43.25);  // points 2, 3, 4
  EXPECT_EQ(cubic(3.0, x, y), 27.0);   // exact hit
}

TEST(Flagr, FallingTableUsesItsOwnWindow) {
  const double x[] = {4, 3, 2, 1}, y[] = {64, 27, 8, 1};
  EXPECT_EQ(cubic(2.5, x, y), 15.25);  // abscissae 4, 3, 2
  EXPECT_EQ(cubic(1.5, x, y), 3.0);
  EXPECT_EQ(cubic(3.5, x, y), 43.25);
}

TEST(Flagr, HoldsEndValuesOutsideTheTable) {
  const double x[] = {1, 2, 3, 4}, y[] = {1, 8, 27, 64};
  const double rx[] = {4, 3, 2, 1}, ry[] = {64, 27, 8, 1};
  EXPECT_EQ(cubic(0.0, x, y), 1.0);
  EXPECT_EQ(cubic(9.0, x, y), 64.0);
  EXPECT_EQ(cubic(1.0, x, y), 1.0);
  EXPECT_EQ(cubic(9.0, rx, ry), 64.0);
  EXPECT_EQ(cubic(0.0, rx, ry), 1.0);
}

TEST(Flagr, LinearDegreeInterpolatesBetweenBracketingPoints) {
  const double x[] = {1, 2, 3, 4}, y[] = {1, 8, 27, 64};
  EXPECT_DOUBLE_EQ(cubic(2.5, x, y, 1), 17.5);
}

TEST(Flagr, DegreeBeyondTableUsesAllPoints) {
  const double x[] = {1, 2, 3, 4}, y[] = {1, 8, 27, 64};
  EXPECT_NEAR(cubic(2.5, x, y, 7), 15.625, 1e-12);  // the cubic itself
}

TEST(Flagr, ArgumentErrorsLogBothMessagesInOrder) {
  const double x[] = {1, 2}, y[] = {1, 8};
  std::int32_t ierr = 0;
  double r = -1.0;
  const std::int32_t two = 2;
  const std::string text = logged([&] { r = dlv::flagr(x, y, 1.5, 0, two, ierr); });
  EXPECT_EQ(r, 0.0);
  EXPECT_EQ(ierr, 1);
  EXPECT_EQ(text,
            ":Illegal value input for IDEG in flagr()\r\n"
            ":Illegal value input for NPTS in flagr()\r\n");

  const double x4[] = {1, 2, 3, 4}, y4[] = {1, 8, 27, 64};
  const std::int32_t four = 4;
  EXPECT_EQ(logged([&] { r = dlv::flagr(x4, y4, 2.5, -3, four, ierr); }),
            ":Illegal value input for IDEG in flagr()\r\n");
  EXPECT_EQ(ierr, 1);
  // A good call clears the flag and writes nothing.
  EXPECT_EQ(logged([&] { r = dlv::flagr(x4, y4, 2.5, 2, four, ierr); }), "");
  EXPECT_EQ(ierr, 0);
  EXPECT_EQ(r, 16.0);
}

TEST(Flagr, NonFiniteInputsRunThrough) {
  const double x[] = {1, 2, 3, 4}, y[] = {1, 8, 27, 64};
  EXPECT_TRUE(std::isnan(cubic(kNaN, x, y)));
  EXPECT_EQ(cubic(std::numeric_limits<double>::infinity(), x, y), 64.0);
  const double repeated[] = {1, 2, 2, 4};
  std::int32_t ierr = 0;
  const std::int32_t four = 4;
  EXPECT_FALSE(std::isfinite(dlv::flagr(repeated, y, 2.5, 2, four, ierr)));
}

// A fluid table sized as the blocks hold it: 10 temperatures, 50 pressures,
// 50 rows of 10 values.
struct Table {
  std::array<double, 10> t{};
  std::array<double, 50> p{};
  std::array<double, 500> v{};
  double at(double temperature, double pressure, std::int32_t nt, std::int32_t np) const {
    return dlv::property_table_lookup(temperature, pressure, t.data(), nt, 10, p.data(), np, 50,
                                      v.data());
  }
};

Table two_by_two() {
  Table tab;
  tab.t[0] = 100;
  tab.t[1] = 200;
  tab.p[0] = 1000;
  tab.p[1] = 2000;
  tab.v[0] = 1;   // 100 F, 1000 psia
  tab.v[1] = 2;   // 200 F, 1000 psia
  tab.v[10] = 3;  // 100 F, 2000 psia
  tab.v[11] = 4;  // 200 F, 2000 psia
  return tab;
}

TEST(PropertyTableLookup, BilinearInsideAndLinearOutside) {
  const Table tab = two_by_two();
  EXPECT_EQ(tab.at(150, 1500, 2, 2), 2.5);
  EXPECT_EQ(tab.at(250, 1000, 2, 2), 2.5);  // extrapolated in temperature
  EXPECT_EQ(tab.at(100, 2000, 2, 2), 3.0);  // a corner
  EXPECT_EQ(tab.at(50, 500, 2, 2), -0.5);   // below both axes
  EXPECT_EQ(tab.at(200, 3000, 2, 2), 6.0);  // above the pressure axis
}

TEST(PropertyTableLookup, SingleRowOrColumnInterpolatesAlongTheOtherAxis) {
  const Table tab = two_by_two();
  EXPECT_EQ(tab.at(999, 1500, 1, 2), 2.0);  // one temperature: 1 .. 3 over pressure
  EXPECT_EQ(tab.at(150, -999, 2, 1), 1.5);  // one pressure: 1 .. 2 over temperature
  EXPECT_EQ(tab.at(300, 1000, 2, 1), 3.0);
}

TEST(PropertyTableLookup, SinglePointTableReturnsItsValue) {
  const Table tab = two_by_two();
  EXPECT_EQ(tab.at(-1e9, 1e9, 1, 1), 1.0);
  EXPECT_EQ(tab.at(kNaN, kNaN, 1, 1), 1.0);
}

TEST(PropertyTableLookup, EmptyOrOverlongAxisGivesZero) {
  const Table tab = two_by_two();
  EXPECT_EQ(tab.at(150, 1500, 0, 2), 0.0);
  EXPECT_EQ(tab.at(150, 1500, 2, 0), 0.0);
  EXPECT_EQ(tab.at(150, 1500, -1, 2), 0.0);
  EXPECT_EQ(tab.at(150, 1500, 11, 2), 0.0);
  EXPECT_EQ(tab.at(150, 1500, 2, 51), 0.0);
}

TEST(PropertyTableLookup, RepeatedAxisEntryTakesTheUpperEntry) {
  Table tab = two_by_two();
  tab.t[1] = 100;  // a segment of no length: weight 0, the upper entry counts
  EXPECT_EQ(tab.at(100, 1000, 2, 2), 2.0);
}

TEST(PropertyTableLookup, NonFiniteQueriesRunThrough) {
  const Table tab = two_by_two();
  EXPECT_TRUE(std::isnan(tab.at(kNaN, 1500, 2, 2)));
  EXPECT_TRUE(std::isnan(tab.at(150, kNaN, 2, 2)));
  EXPECT_FALSE(std::isfinite(tab.at(std::numeric_limits<double>::infinity(), 1500, 2, 2)));
}

}  // namespace
