// Argument groups shared by the curve routines: the curve a routine writes
// and the gas pseudo-pressure table it reads.
#pragma once

#include <cstdint>

namespace dlv {

// The 25 rates and pressures a curve routine writes.
struct CurveOutput {
  double* rates;
  double* pressures;
};

// The ascending gas pseudo-pressure table: pressures, their pseudo-pressures
// and the number of entries in use.
struct PseudoPressures {
  const double* pressures;
  const double* pseudo;
  std::int32_t count;
};

}  // namespace dlv
