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

// Runs first in this program: nothing has computed a quick curve yet. The
// entry points were found by the test before.
TEST(Exports, QuickArraysStartZeroAndEachCallOverwritesThemWhole) {
  auto copy = host::symbol<CopyArrays>("dlvGetResultRate_PrsArrays");
  auto vogel = host::symbol<QuickVogel>("dlvCalcVogel");
  auto pi = host::symbol<QuickPI>("dlvCalcPI");
  std::vector<double> q(50, -1.0), line_q(50);  // rates, then pressures from 25 on
  double *p = q.data() + 25, *line_p = line_q.data() + 25;
  EXPECT_EQ(copy(q.data(), p), 25.0);
  EXPECT_EQ(q, std::vector<double>(50, 0.0));

  const double recorded[4] = {2400.0, 1000.0, 1800.0, 1900.0};  // the .NET host's call
  const double qmax = vogel(&recorded[0], &recorded[1], &recorded[2], &recorded[3]);
  EXPECT_NEAR(qmax, 2602.7397260273974, 1e-12 * qmax);
  const double pr = 2400.0, rate = 400.0, pwf = 2000.0, pb = 1950.0;  // no water
  EXPECT_DOUBLE_EQ(vogel(&pr, &rate, &pwf, &pb), 450.0 + 1950.0 / 1.8);
  EXPECT_EQ(copy(q.data(), p), 25.0);
  EXPECT_EQ((std::array{q[24], p[0], p[5], p[24]}),
            (std::array{450.0 + 1950.0 / 1.8, 2400.0, 1950.0, 0.0}));

  const double line_pr = 1000.0, index = 2.0, nan = std::numeric_limits<double>::quiet_NaN();
  EXPECT_EQ(pi(&line_pr, &index), 2000.0);
  copy(line_q.data(), line_p);
  EXPECT_EQ((std::array{line_q[24], line_p[0]}), (std::array{2000.0, 1000.0}));
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

// Every output of a run of exports under the given control words: the probe
// overflowing, Vogel's curve of zeros, the viscosities at 0 F, a well without
// reservoir pressure (its water line divides 0 by 0), and a Vogel well with z.
std::vector<double> outputs_under(std::uint32_t mxcsr, std::uint16_t x87) {
  auto cal = host::symbol<host::CalFn>("dlv_cal");
  auto probe = host::symbol<Probe>("test64bitdlv");
  auto vogel = host::symbol<QuickVogel>("dlvCalcVogel");
  auto liqvis =
      host::symbol<void (*)(double, const double*, double, double, double, double*, double*,
                            double*, const std::int32_t*, std::int32_t*)>("liqvis");
  auto zfachy =
      host::symbol<void (*)(const double*, const double*, const double*, double*)>("zfachy");
  const double big = 1e308, zero = 0.0, api = 35.0, t = 171.1, sg = 0.6931, p = 1234.5;
  const std::int32_t code = 1;
  std::int32_t ierr = 0, dry_result = 0, vogel_result = 0;
  std::vector<double> out(5, 0.0);
  auto dry = host::Blocks::oil_well(), vogel_well = host::Blocks::vogel_well();
  dry->set_method(DLV_OIL_METHOD_VOGEL);
  dry->set_test_count(1);
  dry->well[DLV_WELL_RECORD_RESERVOIR_PRESSURE] = 0.0;
  under(mxcsr, x87, [&] {
    out[0] = probe(&big);
    out[1] = vogel(&zero, &zero, &zero, &zero);
    liqvis(0.0, &api, 500.0, 3000.0, 2000.0, &out[2], &out[3], &out[4], &code, &ierr);
    dry_result = dry->run(cal);
    vogel_result = vogel_well->run(cal);
    zfachy(&t, &p, &sg, &vogel_well->summary[DLV_SUMMARY_WATER_SG + DLV_POINTS - 1]);
  });
  out.insert(out.end(), {double(ierr), double(dry_result), double(vogel_result)});
  out.insert(out.end(), std::begin(dry->summary), std::end(dry->summary));
  out.insert(out.end(), std::begin(vogel_well->summary), std::end(vogel_well->summary));
  out.insert(out.end(), std::begin(vogel_well->fluids), std::end(vogel_well->fluids));
  return out;
}

// A host that unmasks invalid, divide-by-zero and overflow traps, or sets
// rounding upward, flush-to-zero and 53-bit x87 precision, gets its control
// words and flags back and the results of the default environment, bit for bit.
TEST(FpEnvironment, HostControlWordsComeBackAndResultsStayTheSame) {
  const std::vector<double> plain = outputs_under(0x1f80, 0x037f);
  EXPECT_TRUE(std::isinf(plain[0]));
  EXPECT_TRUE(std::isnan(plain[1]));
  EXPECT_EQ((std::array{plain[6], plain[7]}), (std::array{1.0, 1.0}));
  EXPECT_TRUE(std::any_of(plain.begin() + 8, plain.begin() + 8 + DLV_WELL_SUMMARY_SLOTS,
                          [](double v) { return std::isnan(v); }));
  const std::uint32_t unmasked_mxcsr = 0x1f80 & ~0x0680u, odd_mxcsr = 0x1f80 | 0x4000 | 0x8040;
  const std::uint16_t unmasked_x87 = 0x037f & ~0x0d, odd_x87 = (0x037f & ~0x0300) | 0x0200;
  for (const auto& [mxcsr, x87] :
       {std::pair{unmasked_mxcsr, unmasked_x87}, std::pair{odd_mxcsr, odd_x87}}) {
    const std::vector<double> got = outputs_under(mxcsr, x87);
    ASSERT_EQ(got.size(), plain.size());
    for (std::size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(std::memcmp(&got[i], &plain[i], sizeof(double)), 0)
          << std::hex << mxcsr << ' ' << std::dec << i << ": " << got[i] << " vs " << plain[i];
    }
  }
}

}  // namespace
