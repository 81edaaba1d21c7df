#include "exports/quick_entries.hpp"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

#include "inflow/vogel.hpp"

namespace {

struct Copy {
  std::array<double, 25> q, p;
  Copy() {
    q.fill(-1.0);
    p.fill(-1.0);
    EXPECT_EQ(dlv::copy_quick_results(q.data(), p.data()), 25.0);
  }
};

// Registered first, so it runs before any quick calculation of this program.
TEST(QuickEntries, ResultsStartAtZero) {
  const Copy c;
  for (int i = 0; i < 25; ++i) EXPECT_TRUE(c.q[i] == 0.0 && c.p[i] == 0.0) << i;
}

TEST(QuickEntries, VogelThenLineOverwriteBothArraysWhole) {
  // pr 2400, test 400 at 2000, pb 1950: no water, reference call.
  const double qmax = dlv::calc_vogel_quick(2400.0, 400.0, 2000.0, 1950.0);
  EXPECT_EQ(dlv::vogel_reference_pressure, 2400.0);
  const Copy vogel;
  EXPECT_EQ(qmax, vogel.q[24]);
  EXPECT_DOUBLE_EQ(qmax, 450.0 + 1950.0 / 1.8);
  EXPECT_EQ(vogel.p[5], 1950.0);
  EXPECT_EQ(dlv::calc_pi_quick(1000.0, 2.0), 2000.0);
  const Copy line;
  for (int i = 1; i < 24; ++i) {
    EXPECT_NE(line.p[i], vogel.p[i]) << i;
    EXPECT_DOUBLE_EQ(line.q[i], (1000.0 - line.p[i]) * 2.0);
  }
  EXPECT_TRUE(std::isnan(dlv::calc_pi_quick(2400.0, std::nan(""))));
  EXPECT_EQ(dlv::copy_quick_results(nullptr, nullptr), 25.0);
}

}  // namespace
