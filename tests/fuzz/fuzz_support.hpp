// What the fuzzing targets share: the failure, the special values an input
// draws from, and the watch on file descriptors.
#pragma once

#include <fcntl.h>
#include <fuzzer/FuzzedDataProvider.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>

#include "../support/open_descriptors.hpp"

namespace fuzz_support {

[[noreturn]] inline void fault(const char* what) {
  std::fprintf(stderr, "fuzz target: %s\n", what);
  std::abort();
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
