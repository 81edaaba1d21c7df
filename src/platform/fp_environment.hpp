// Every export runs with floating-point exceptions masked and hands the
// caller back its own control words and status flags (SSE and x87): hosts
// that unmask exceptions must not trap on the NaN and infinities that the
// library computes by design.
#pragma once

#include <cfenv>

namespace dlv::platform {

class FpEnvironmentGuard {
 public:
  FpEnvironmentGuard() { std::feholdexcept(&saved_); }
  ~FpEnvironmentGuard() { std::fesetenv(&saved_); }
  FpEnvironmentGuard(const FpEnvironmentGuard&) = delete;
  FpEnvironmentGuard& operator=(const FpEnvironmentGuard&) = delete;

 private:
  std::fenv_t saved_;
};

}  // namespace dlv::platform
