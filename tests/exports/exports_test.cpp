// The exports as a host sees them: loaded with dlopen or LoadLibrary, resolved
// by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <limits>
#include <vector>

#include "support/host_library.hpp"

namespace {

using QuickVogel = double (*)(const double*, const double*, const double*, const double*);
using QuickPI = double (*)(const double*, const double*);
using CopyArrays = double (*)(double*, double*);
using Probe = double (*)(const double*);

TEST(Exports, EveryEntryPointResolvesByItsPlainNameAndTheProbeMultipliesBy64) {
  ASSERT_NE(host::library(), nullptr) << DLV_LIBRARY_PATH;
  for (const char* name :
       {"dlv_cal", "dlv_calCSharp", "dlvCalcVogel", "dlvCalcPI", "dlvGetResultRate_PrsArrays",
        "test64bitdlv", "interpol", "lsort2col", "liqvis", "zfachy", "CenterWord"}) {
    EXPECT_NE(host::address(name), nullptr) << name;
  }
  // Internal routines stay hidden.
  EXPECT_EQ(host::address("vogel_curve"), nullptr);
  EXPECT_EQ(host::address("write_log"), nullptr);
  const double v = 1.5;
  EXPECT_EQ(host::symbol<Probe>("test64bitdlv")(&v), 96.0);
}

// Runs first in this program: nothing has computed a quick curve yet.
TEST(Exports, QuickArraysStartZeroAndEachCallOverwritesThemWhole) {
  auto copy = host::symbol<CopyArrays>("dlvGetResultRate_PrsArrays");
  auto vogel = host::symbol<QuickVogel>("dlvCalcVogel");
  auto pi = host::symbol<QuickPI>("dlvCalcPI");
  ASSERT_NE(copy, nullptr);
  ASSERT_NE(vogel, nullptr);
  ASSERT_NE(pi, nullptr);
  double q[25], p[25], line_q[25], line_p[25];
  std::memset(q, 0xff, sizeof q);
  std::memset(p, 0xff, sizeof p);
  EXPECT_EQ(copy(q, p), 25.0);
  EXPECT_EQ(std::vector<double>(q, q + 25), std::vector<double>(25, 0.0));
  EXPECT_EQ(std::vector<double>(p, p + 25), std::vector<double>(25, 0.0));

  const double recorded[4] = {2400.0, 1000.0, 1800.0, 1900.0};  // the .NET host's call
  const double qmax = vogel(&recorded[0], &recorded[1], &recorded[2], &recorded[3]);
  EXPECT_NEAR(qmax, 2602.7397260273974, 1e-12 * qmax);
  const double pr = 2400.0, rate = 400.0, pwf = 2000.0, pb = 1950.0;  // no water
  EXPECT_DOUBLE_EQ(vogel(&pr, &rate, &pwf, &pb), 450.0 + 1950.0 / 1.8);
  EXPECT_EQ(copy(q, p), 25.0);
  EXPECT_EQ((std::array{q[24], p[0], p[5], p[24]}),
            (std::array{450.0 + 1950.0 / 1.8, 2400.0, 1950.0, 0.0}));

  const double line_pr = 1000.0, index = 2.0, nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(pi(&line_pr, &index), 2000.0);
  copy(line_q, line_p);
  EXPECT_EQ(line_q[24], 2000.0);
  EXPECT_EQ(line_p[0], 1000.0);
  for (int i = 1; i < 24; ++i) {
    EXPECT_NE(line_p[i], p[i]) << i;
    EXPECT_DOUBLE_EQ(line_q[i], (1000.0 - line_p[i]) * 2.0) << i;
  }
  EXPECT_TRUE(std::isnan(pi(&pr, &nan)));
  EXPECT_EQ(copy(nullptr, nullptr), 25.0);
}

// The exports under a host's floating-point environment: a host that unmasks
// invalid, divide-by-zero and overflow traps on neither unit and gets its
// control words and flags back; rounding, flush-to-zero and x87 precision
// set by the host leave the results unchanged.
struct FpState {
  std::uint32_t mxcsr;
  std::uint16_t x87_control, x87_status;
  bool operator==(const FpState&) const = default;
};

FpState read_state() {
  FpState s{};
  __asm__ __volatile__("stmxcsr %0" : "=m"(s.mxcsr));
  __asm__ __volatile__("fnstcw %0" : "=m"(s.x87_control));
  __asm__ __volatile__("fnstsw %0" : "=m"(s.x87_status));
  return s;
}

// Runs call under the host's control words with the inexact flag raised as
// the host's own, checks that the call hands them back, then restores the
// default environment.
void under(std::uint32_t mxcsr, std::uint16_t x87_control, const std::function<void()>& call) {
  mxcsr |= 0x20;
  __asm__ __volatile__("fnclex\n\tfldcw %0\n\tldmxcsr %1" : : "m"(x87_control), "m"(mxcsr));
  const FpState before = read_state();
  call();
  const FpState after = read_state();
  const std::uint16_t x87_default = 0x037f;
  const std::uint32_t mxcsr_default = 0x1f80;
  __asm__ __volatile__("fnclex\n\tfldcw %0\n\tldmxcsr %1" : : "m"(x87_default), "m"(mxcsr_default));
  EXPECT_EQ(before, after) << std::hex << "mxcsr " << before.mxcsr << " -> " << after.mxcsr
                           << ", x87 " << before.x87_control << " -> " << after.x87_control;
}

constexpr std::uint32_t kUnmaskedMxcsr = 0x1f80 & ~0x0680u;  // invalid, zero divide, overflow
constexpr std::uint16_t kUnmaskedX87 = 0x037f & ~0x0d;
constexpr std::uint32_t kOddMxcsr = 0x1f80 | 0x4000 | 0x8040;   // upward, FTZ and DAZ
constexpr std::uint16_t kOddX87 = (0x037f & ~0x0300) | 0x0200;  // 53-bit precision

TEST(FpEnvironment, UnmaskedHostNeitherTrapsNorLosesItsState) {
  auto cal = host::symbol<host::CalFn>("dlv_cal");
  auto probe = host::symbol<Probe>("test64bitdlv");
  auto vogel = host::symbol<QuickVogel>("dlvCalcVogel");
  auto liqvis =
      host::symbol<void (*)(double, const double*, double, double, double, double*, double*,
                            double*, const std::int32_t*, std::int32_t*)>("liqvis");
  ASSERT_NE(cal, nullptr);
  ASSERT_NE(probe, nullptr);
  ASSERT_NE(vogel, nullptr);
  ASSERT_NE(liqvis, nullptr);
  const double big = 1e308, zero = 0.0, api = 35.0;
  double r = 0.0, mu[3] = {};
  const std::int32_t code = 1;
  std::int32_t ierr = 0, result = 0;
  under(kUnmaskedMxcsr, kUnmaskedX87, [&] { r = probe(&big); });
  EXPECT_TRUE(std::isinf(r));
  under(kUnmaskedMxcsr, kUnmaskedX87, [&] { r = vogel(&zero, &zero, &zero, &zero); });
  EXPECT_TRUE(std::isnan(r));
  under(kUnmaskedMxcsr, kUnmaskedX87,
        [&] { liqvis(0.0, &api, 500.0, 3000.0, 2000.0, &mu[0], &mu[1], &mu[2], &code, &ierr); });
  auto b = host::Blocks::oil_well();
  b->set_method(DLV_OIL_METHOD_VOGEL);
  b->set_test_count(1);
  b->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] =
      0.0;  // no reservoir pressure: the water line divides 0 by 0
  under(kUnmaskedMxcsr, kUnmaskedX87, [&] { result = b->run(cal); });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(
      std::any_of(b->summary, std::end(b->summary), [](double v) { return std::isnan(v); }));
}

TEST(FpEnvironment, HostRoundingAndPrecisionLeaveResultsUnchanged) {
  auto cal = host::symbol<host::CalFn>("dlv_cal");
  auto zfachy =
      host::symbol<void (*)(const double*, const double*, const double*, double*)>("zfachy");
  ASSERT_NE(cal, nullptr);
  ASSERT_NE(zfachy, nullptr);
  auto results = [&](std::uint32_t mxcsr, std::uint16_t x87) {
    auto b = host::Blocks::vogel_well();
    const double t = 171.1, sg = 0.6931, p = 1234.5;
    under(mxcsr, x87, [&] {
      b->run(cal);
      zfachy(&t, &p, &sg, &b->summary[DLV_SUMMARY_WATER_SG + DLV_POINTS - 1]);
    });
    return b;
  };
  const auto plain = results(0x1f80, 0x037f), odd = results(kOddMxcsr, kOddX87);
  EXPECT_EQ(std::memcmp(plain->summary, odd->summary, sizeof plain->summary), 0);
  EXPECT_EQ(std::memcmp(plain->fluids, odd->fluids, sizeof plain->fluids), 0);
}

}  // namespace
