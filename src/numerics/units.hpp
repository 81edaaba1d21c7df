// Pressure and temperature units shared by the correlations.
#pragma once

namespace dlv {

// Atmospheric pressure, psi: gauge pressure plus this is absolute pressure.
inline constexpr double kAtmosphere = 14.7;

// Degrees Fahrenheit plus this are degrees Rankine.
inline constexpr double kRankineOffset = 460.0;

}  // namespace dlv
