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

// Slots of each column of the pseudo-pressure table that the driver owns; a
// reader holds a larger count at this so that no lookup leaves the arrays.
inline constexpr std::int32_t kPseudoPressureCapacity = 200;

// The ascending gas pseudo-pressure table: pressures, their pseudo-pressures
// and the number of entries in use.
struct PseudoPressures {
  const double* pressures;
  const double* pseudo;
  std::int32_t count;
};

}  // namespace dlv
