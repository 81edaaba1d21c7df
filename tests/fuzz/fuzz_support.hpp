// What the fuzzing targets share: the failure, the check of finite values, a code put at a
// byte, the values an input draws (special ones, codes in and out of their ranges, raw
// overrides of a block's slots and bytes), the host's floating-point environment around a
// call, and the watch on file descriptors.
#pragma once

#include <fcntl.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <initializer_list>
#include <limits>
#include <span>

#include "../support/open_descriptors.hpp"

namespace fuzz_support {

[[noreturn]] inline void fault(const char* what) {
  std::fprintf(stderr, "fuzz target: %s\n", what);
  std::abort();
}

// Whether every value is finite.
inline bool all_finite(std::initializer_list<double> values) {
  for (const double v : values)
    if (!std::isfinite(v)) return false;
  return true;
}

// A 32-bit code at a byte of a block, when it fits there.
inline void put_i32(std::span<double> block, std::size_t byte, std::int32_t v) {
  if (byte + sizeof v <= block.size_bytes())
    std::memcpy(reinterpret_cast<unsigned char*>(block.data()) + byte, &v, sizeof v);
}

// NaN, the infinities, the zeros, the extremes, -1, or any double.
inline double special(FuzzedDataProvider& in) {
  using limits = std::numeric_limits<double>;
  static constexpr double kFixed[] = {limits::quiet_NaN(),
                                      limits::infinity(),
                                      -limits::infinity(),
                                      0.0,
                                      -0.0,
                                      limits::denorm_min(),
                                      limits::max(),
                                      -1.0,
                                      1e-300};
  const int choice = in.ConsumeIntegralInRange(0, 11);
  if (choice < 9) return kFixed[choice];
  if (choice == 9) return in.ConsumeFloatingPointInRange(-1e4, 1e4);
  if (choice == 10) return in.ConsumeFloatingPoint<double>();
  double d;
  const std::uint64_t bits = in.ConsumeIntegral<std::uint64_t>();
  std::memcpy(&d, &bits, sizeof d);
  return d;
}

// A value in [lo, hi] three times in four, otherwise a special one.
inline double value(FuzzedDataProvider& in, double lo, double hi) {
  if (in.ConsumeIntegralInRange(0, 3) == 0) return special(in);
  return in.ConsumeFloatingPointInRange(lo, hi);
}

// A member of T and the range value() draws it from.
template <class T>
struct Range {
  double T::*field;
  double lo, hi;
};

// A count or code: mostly inside [lo, hi], sometimes just outside or far away.
inline std::int32_t code(FuzzedDataProvider& in, std::int32_t lo, std::int32_t hi) {
  using limits = std::numeric_limits<std::int32_t>;
  const std::int32_t edges[] = {lo - 1, hi + 1, limits::min(), limits::max()};
  const int choice = in.ConsumeIntegralInRange(0, 7);
  if (choice < 4) return edges[choice];
  return choice == 4 ? in.ConsumeIntegral<std::int32_t>() : in.ConsumeIntegralInRange(lo, hi);
}

// Up to `most` raw overrides: a slot of one of the blocks takes a special value, or a code
// (small, or up to 60 for counts) goes to any four bytes, or a byte goes anywhere.
inline void overrides(FuzzedDataProvider& in, std::initializer_list<std::span<double>> blocks,
                      int most) {
  const int count = in.ConsumeIntegralInRange(0, most);
  for (int k = 0; k < count && in.remaining_bytes() > 0; ++k) {
    const std::span<double> block =
        blocks.begin()[in.ConsumeIntegralInRange<std::size_t>(0, blocks.size() - 1)];
    const std::size_t bytes = block.size_bytes();
    auto* raw = reinterpret_cast<unsigned char*>(block.data());
    const int kind = in.ConsumeIntegralInRange(0, 2);
    if (kind == 0) {
      block[in.ConsumeIntegralInRange<std::size_t>(0, block.size() - 1)] = special(in);
    } else if (kind == 1) {
      const std::int32_t v = code(in, -2, in.ConsumeBool() ? 12 : 60);
      std::memcpy(raw + 4 * in.ConsumeIntegralInRange<std::size_t>(0, bytes / 4 - 1), &v, 4);
    } else {
      raw[in.ConsumeIntegralInRange<std::size_t>(0, bytes - 1)] =
          in.ConsumeIntegral<std::uint8_t>();
    }
  }
}

// The x87 control and status words and the SSE control and status register.
struct FpState {
  std::uint16_t x87_control, x87_status;
  std::uint32_t mxcsr;
  bool operator==(const FpState&) const = default;
};

inline FpState read_fp() {
  FpState s{};
  __asm__ __volatile__("fnstcw %0" : "=m"(s.x87_control));
  __asm__ __volatile__("fnstsw %0" : "=m"(s.x87_status));
  __asm__ __volatile__("stmxcsr %0" : "=m"(s.mxcsr));
  return s;
}

inline void load_fp(std::uint16_t cw, std::uint32_t csr) {
  __asm__ __volatile__("fnclex");
  __asm__ __volatile__("fldcw %0" : : "m"(cw));
  __asm__ __volatile__("ldmxcsr %0" : : "m"(csr));
}

// Runs `call` in host environment `choice` (the default, every exception unmasked, rounding
// down with flush-to-zero, or sticky flags already raised), puts the fuzzer's own back, and
// faults when the call changed the host's control or status words. Only the call runs there:
// a check's own arithmetic would raise flags.
template <class Call>
auto in_host_environment(int choice, Call call) {
  static constexpr std::uint16_t x87[] = {0x037f, 0x0340, 0x077f, 0x027f};
  static constexpr std::uint32_t sse[] = {0x1f80, 0x0000, 0xbf80, 0x1fbf};
  const FpState own = read_fp();
  load_fp(x87[choice], sse[choice]);
  const FpState before = read_fp();
  const auto result = call();
  const FpState after = read_fp();
  load_fp(own.x87_control, own.mxcsr);
  if (!(before == after)) fault("the host's floating-point environment changed");
  return result;
}

// Faults when an input leaves a file descriptor open (or closes one it did
// not open). Every input: the lowest free descriptor, which any descriptor
// opened and left behind takes, is the same after the input as before (two
// system calls). Every 256th input also: the full count of the process's
// descriptors, which sees one left above a gap too.
class DescriptorWatch {
 public:
  void before() {
    full_ = ++inputs_ % 256 == 1;
    lowest_ = lowest_free();
    if (full_) count_ = test_support::open_descriptors();
  }
  void after() const {
    if (lowest_free() != lowest_ || (full_ && test_support::open_descriptors() != count_))
      fault("a file descriptor was left open");
  }

 private:
  static int lowest_free() {
    static const int probe = open("/dev/null", O_RDONLY | O_CLOEXEC);
    const int fd = fcntl(probe, F_DUPFD_CLOEXEC, 0);
    close(fd);
    return fd;
  }
  unsigned long inputs_ = 0;
  int lowest_ = 0, count_ = 0;
  bool full_ = false;
};

}  // namespace fuzz_support
