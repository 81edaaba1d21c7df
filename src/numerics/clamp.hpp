// Bounding a value to a range, shared by the gas properties and the composite
// curve.
#pragma once

namespace dlv {

// Bounds value to low..high in that order (raised to low first, then lowered
// to high), stores the result through the reference and returns it. A NaN
// value is left as it is.
inline double clamp_to_range(double low, double& value, double high) {
  if (value < low) value = low;
  if (value > high) value = high;
  return value;
}

}  // namespace dlv
