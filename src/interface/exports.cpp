// The exported C entry points: unpack, call, return. Each runs under a
// floating-point guard that masks exceptions and restores the caller's
// environment.
#include "dlv/dlv.h"
#include "platform/fp_environment.hpp"

using dlv::platform::FpEnvironmentGuard;

extern "C" {

DLV_API double test64bitdlv(double* value) {
  FpEnvironmentGuard guard;
  return *value * 64.0;
}

}  // extern "C"
