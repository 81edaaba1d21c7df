// The exports as a host sees them: loaded with dlopen, resolved by name.
#include <gtest/gtest.h>

#include <cstring>

#include "support/host_library.hpp"

namespace {

using QuickVogel = double (*)(double*, double*, double*, double*);
using QuickPI = double (*)(double*, double*);
using CopyArrays = double (*)(double*, double*);
using Probe = double (*)(double*);

TEST(Exports, EveryEntryPointResolvesByItsPlainName) {
  ASSERT_NE(host::library(), nullptr) << DLV_LIBRARY_PATH;
  for (const char* name :
       {"dlv_cal", "dlv_calCSharp", "dlvCalcVogel", "dlvCalcPI", "dlvGetResultRate_PrsArrays",
        "test64bitdlv", "interpol", "lsort2col", "liqvis", "zfachy", "CenterWord"}) {
    EXPECT_NE(host::address(name), nullptr) << name;
  }
  // Internal routines stay hidden.
  EXPECT_EQ(host::address("vogel_curve"), nullptr);
  EXPECT_EQ(host::address("write_log"), nullptr);
}

TEST(Exports, ProbeMultipliesBy64) {
  auto probe = host::symbol<Probe>("test64bitdlv");
  ASSERT_NE(probe, nullptr);
  double v = 1.5;
  EXPECT_EQ(probe(&v), 96.0);
}

// Runs first in this program: nothing has computed a quick curve yet.
TEST(Exports, QuickArraysStartZeroAndEachCallOverwritesThemWhole) {
  auto copy = host::symbol<CopyArrays>("dlvGetResultRate_PrsArrays");
  auto vogel = host::symbol<QuickVogel>("dlvCalcVogel");
  auto pi = host::symbol<QuickPI>("dlvCalcPI");
  ASSERT_TRUE(copy && vogel && pi);
  double rates[25], pressures[25];
  std::memset(rates, 0xff, sizeof rates);
  std::memset(pressures, 0xff, sizeof pressures);
  EXPECT_EQ(copy(rates, pressures), 25.0);
  for (int i = 0; i < 25; ++i) {
    EXPECT_EQ(rates[i], 0.0);
    EXPECT_EQ(pressures[i], 0.0);
  }

  double pr = 2400.0, q = 1000.0, pwf = 1800.0, pb = 1900.0;
  const double qmax = vogel(&pr, &q, &pwf, &pb);
  EXPECT_EQ(copy(rates, pressures), 25.0);
  EXPECT_EQ(qmax, rates[24]);
  EXPECT_EQ(pressures[0], 2400.0);
  EXPECT_EQ(pressures[24], 0.0);

  double pr2 = 1000.0, index = 2.0;
  const double qline = pi(&pr2, &index);
  double rates2[25], pressures2[25];
  copy(rates2, pressures2);
  EXPECT_EQ(qline, rates2[24]);
  EXPECT_EQ(pressures2[0], 1000.0);
  for (int i = 1; i < 24; ++i) EXPECT_NE(pressures2[i], pressures[i]) << i;
}

}  // namespace
