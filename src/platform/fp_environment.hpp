// Every export runs in the library's own floating-point environment and hands
// the caller back its own control words and status flags, on both units of an
// x86-64 processor (SSE and x87):
//   - exceptions masked, so hosts that unmask them (Delphi and some .NET and
//     C hosts do) never trap on the NaN and infinities that the library
//     computes by design;
//   - round to nearest, no flush-to-zero or denormals-are-zero, and the x87
//     at 64-bit precision (the x87 serves the Windows runtime's pow, exp, log
//     and sin), so the results do not depend on what the host has set;
//   - the flags raised inside the library are discarded; the caller's flags
//     are as they were before the call.
// The x86-64 version saves and loads the registers itself: the C runtime's
// feholdexcept and fesetenv of the Windows toolchain leave MXCSR alone.
#pragma once

#if defined(__GNUC__) && defined(__x86_64__)
#include <cstdint>
#else
#include <cfenv>
#endif

namespace dlv::platform {

#if defined(__GNUC__) && defined(__x86_64__)

class FpEnvironmentGuard {
 public:
  // All six exceptions masked, round to nearest; x87 with 64-bit precision.
  static constexpr std::uint16_t kLibraryX87Control = 0x037f;
  static constexpr std::uint32_t kLibraryMxcsr = 0x1f80;

  FpEnvironmentGuard() {
    // fnstenv also masks every x87 exception; fnclex clears the x87 flags.
    __asm__ __volatile__("fnstenv %0" : "=m"(x87_) : : "memory");
    __asm__ __volatile__("stmxcsr %0" : "=m"(mxcsr_) : : "memory");
    __asm__ __volatile__("fnclex" : : : "memory");
    __asm__ __volatile__("fldcw %0" : : "m"(kLibraryX87Control) : "memory");
    __asm__ __volatile__("ldmxcsr %0" : : "m"(kLibraryMxcsr) : "memory");
  }
  ~FpEnvironmentGuard() {
    __asm__ __volatile__("fldenv %0" : : "m"(x87_) : "memory");
    __asm__ __volatile__("ldmxcsr %0" : : "m"(mxcsr_) : "memory");
  }
  FpEnvironmentGuard(const FpEnvironmentGuard&) = delete;
  FpEnvironmentGuard& operator=(const FpEnvironmentGuard&) = delete;

  // Pins a value computed under the guard before the caller's environment
  // comes back: arithmetic on registers alone is otherwise free to move past
  // the restore. `return guard.keep(*value * 64.0);`
  template <typename T>
  static T keep(T value) {
    __asm__ __volatile__("" : "+m"(value) : : "memory");
    return value;
  }

 private:
  struct X87Environment {
    std::uint16_t words[14];  // the 28-byte image of fnstenv in 64-bit mode
  };
  X87Environment x87_;
  std::uint32_t mxcsr_;
};

#else

class FpEnvironmentGuard {
 public:
  FpEnvironmentGuard() {
    std::feholdexcept(&saved_);
    std::fesetround(FE_TONEAREST);
  }
  ~FpEnvironmentGuard() { std::fesetenv(&saved_); }
  FpEnvironmentGuard(const FpEnvironmentGuard&) = delete;
  FpEnvironmentGuard& operator=(const FpEnvironmentGuard&) = delete;

  template <typename T>
  static T keep(T value) {
    volatile T pinned = value;
    return pinned;
  }

 private:
  std::fenv_t saved_;
};

#endif

}  // namespace dlv::platform
