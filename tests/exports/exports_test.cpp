// The exports as a host sees them: loaded with dlopen or LoadLibrary, resolved by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>

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
  EXPECT_NEAR(qmax, 2602.7397260273974, 1e-12 * qmax);  // the .NET host checks it too
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

// The exports under a host's floating-point environment: a host that unmasks
// invalid, divide-by-zero and overflow traps on neither unit and gets its
// control words and flags back; rounding, flush-to-zero and x87 precision
// set by the host leave the results unchanged.
struct FpState {
  std::uint32_t mxcsr;
  std::uint16_t x87_control, x87_flags;
  bool operator==(const FpState&) const = default;
};

FpState read_state() {
  FpState s{};
  std::uint16_t status = 0;
  __asm__ __volatile__("stmxcsr %0" : "=m"(s.mxcsr));
  __asm__ __volatile__("fnstcw %0" : "=m"(s.x87_control));
  __asm__ __volatile__("fnstsw %0" : "=m"(status));
  s.x87_flags = status & 0x3f;
  return s;
}

void load_state(std::uint32_t mxcsr, std::uint16_t x87_control) {
  __asm__ __volatile__("fnclex");
  __asm__ __volatile__("fldcw %0" : : "m"(x87_control));
  __asm__ __volatile__("ldmxcsr %0" : : "m"(mxcsr));
}

// Runs call under the host state, then puts the default state back; returns
// the state found after the call, which must equal the one before it.
FpState under(std::uint32_t mxcsr, std::uint16_t x87_control, const std::function<void()>& call) {
  load_state(mxcsr, x87_control);
  const FpState before = read_state();
  call();
  const FpState after = read_state();
  load_state(0x1f80, 0x037f);
  EXPECT_EQ(before, after) << std::hex << "mxcsr " << before.mxcsr << " -> " << after.mxcsr
                           << ", x87 " << before.x87_control << " -> " << after.x87_control;
  return after;
}

// Invalid, divide-by-zero and overflow unmasked on both units; the inexact
// flag is raised as the host's own.
constexpr std::uint32_t kUnmaskedMxcsr = (0x1f80 & ~0x0680u) | 0x20;
constexpr std::uint16_t kUnmaskedX87 = 0x037f & ~0x0d;
// Round upward, flush-to-zero and denormals-are-zero; x87 at 53 bits.
constexpr std::uint32_t kOddMxcsr = 0x1f80 | 0x4000 | 0x8040;
constexpr std::uint16_t kOddX87 = (0x037f & ~0x0300) | 0x0200;

TEST(FpEnvironment, UnmaskedHostNeitherTrapsNorLosesItsState) {
  auto cal = host::symbol<host::CalFn>("dlv_cal");
  auto probe = host::symbol<double (*)(const double*)>("test64bitdlv");
  auto vogel = host::symbol<double (*)(const double*, const double*, const double*, const double*)>(
      "dlvCalcVogel");
  auto liqvis =
      host::symbol<void (*)(double, const double*, double, double, double, double*, double*,
                            double*, const std::int32_t*, std::int32_t*)>("liqvis");
  ASSERT_TRUE(cal && probe && vogel && liqvis);
  const double big = 1e308, zero = 0.0, api = 35.0;
  double r = 0.0, mu[3] = {};
  const std::int32_t code = 1;
  std::int32_t ierr = 0;
  under(kUnmaskedMxcsr, kUnmaskedX87, [&] { r = probe(&big); });
  EXPECT_TRUE(std::isinf(r));
  under(kUnmaskedMxcsr, kUnmaskedX87, [&] { r = vogel(&zero, &zero, &zero, &zero); });
  EXPECT_TRUE(std::isnan(r));
  under(kUnmaskedMxcsr, kUnmaskedX87,
        [&] { liqvis(0.0, &api, 500.0, 3000.0, 2000.0, &mu[0], &mu[1], &mu[2], &code, &ierr); });
  auto b = host::Blocks::oil_well();
  b->set_method(2);
  b->set_test_count(1);
  b->well[303] = 0.0;  // no reservoir pressure: the water line divides 0 by 0
  std::int32_t result = 0;
  under(kUnmaskedMxcsr, kUnmaskedX87, [&] { result = b->run(cal); });
  EXPECT_EQ(result, 1);
  EXPECT_TRUE(std::any_of(b->summary, b->summary + 150, [](double v) { return std::isnan(v); }));
}

TEST(FpEnvironment, HostRoundingAndPrecisionLeaveResultsUnchanged) {
  auto cal = host::symbol<host::CalFn>("dlv_cal");
  auto zfachy =
      host::symbol<void (*)(const double*, const double*, const double*, double*)>("zfachy");
  ASSERT_TRUE(cal && zfachy);
  auto results = [&](std::uint32_t mxcsr, std::uint16_t x87) {
    auto b = host::Blocks::oil_well();
    b->set_method(2);
    b->set_test_count(1);
    b->well[408] = 1000.0;
    b->well[508] = 1800.0;
    const double t = 171.1, sg = 0.6931, p = 1234.5;
    double z = 0.0;
    under(mxcsr, x87, [&] {
      b->run(cal);
      zfachy(&t, &p, &sg, &z);
    });
    b->summary[149] = z;
    return b;
  };
  const auto plain = results(0x1f80, 0x037f), odd = results(kOddMxcsr, kOddX87);
  EXPECT_EQ(std::memcmp(plain->summary, odd->summary, sizeof plain->summary), 0);
  EXPECT_EQ(std::memcmp(plain->fluids, odd->fluids, sizeof plain->fluids), 0);
}

}  // namespace
