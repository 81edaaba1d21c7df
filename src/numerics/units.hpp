// Pressure units shared by the fluid correlations.
#pragma once

namespace dlv {

// Atmospheric pressure, psi: gauge pressure plus this is absolute pressure.
inline constexpr double kAtmosphere = 14.7;

}  // namespace dlv
