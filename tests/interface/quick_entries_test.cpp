#include "interface/quick_entries.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <limits>

#include "inflow/vogel.hpp"

namespace {

using Curve = std::array<double, 25>;

struct Copy {
  Curve q{}, p{};
  Copy() {
    std::memset(q.data(), 0xff, sizeof(double) * 25);
    std::memset(p.data(), 0xff, sizeof(double) * 25);
    EXPECT_EQ(dlv::copy_quick_results(q.data(), p.data()), 25.0);
  }
};

// Registered first, so it runs before any quick calculation of this program.
TEST(QuickEntries, ResultsStartAtZero) {
  const Copy c;
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(c.q[i], 0.0);
    EXPECT_EQ(c.p[i], 0.0);
  }
}

TEST(QuickEntries, VogelIsAReferenceCallWithoutWater) {
  // pr 2400, test 400 at 2000, pb 1950: straight line of J = 1 down to 1950.
  const double qmax = dlv::calc_vogel_quick(2400.0, 400.0, 2000.0, 1950.0);
  EXPECT_EQ(dlv::vogel_reference_pressure, 2400.0);
  const Copy c;
  EXPECT_EQ(qmax, c.q[24]);
  EXPECT_DOUBLE_EQ(qmax, 450.0 + 1950.0 / 1.8);
  EXPECT_EQ(c.p[5], 1950.0);
  EXPECT_DOUBLE_EQ(c.q[4], 400.0);
  EXPECT_EQ(c.p[0], 2400.0);
}

TEST(QuickEntries, EachCalculationOverwritesBothArraysWhole) {
  dlv::calc_vogel_quick(2400.0, 400.0, 2000.0, 1950.0);
  const Copy vogel;
  const double qline = dlv::calc_pi_quick(1000.0, 2.0);
  const Copy line;
  EXPECT_EQ(qline, 2000.0);
  EXPECT_EQ(line.q[24], 2000.0);
  EXPECT_EQ(line.p[0], 1000.0);
  for (int i = 1; i < 24; ++i) {
    EXPECT_NE(line.p[i], vogel.p[i]) << i;
    EXPECT_NE(line.q[i], vogel.q[i]) << i;
    EXPECT_DOUBLE_EQ(line.q[i], (1000.0 - line.p[i]) * 2.0);
  }
}

TEST(QuickEntries, CopySkipsNullDestinations) {
  dlv::calc_pi_quick(2400.0, 1.5);
  Curve p{};
  EXPECT_EQ(dlv::copy_quick_results(nullptr, p.data()), 25.0);
  EXPECT_EQ(p[1], 2300.0);
  EXPECT_EQ(dlv::copy_quick_results(nullptr, nullptr), 25.0);
}

TEST(QuickEntries, NonFiniteInputsRunThrough) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_TRUE(std::isnan(dlv::calc_vogel_quick(nan, 400.0, 2000.0, 1950.0)));
  EXPECT_TRUE(std::isnan(dlv::calc_pi_quick(2400.0, nan)));
  const Copy c;
  EXPECT_EQ(c.p[24], 0.0);
}

}  // namespace
