// Injection curves of one layer. The curve runs upward from the reservoir
// pressure pr (index 0: pressure pr, rate 0) on the grid pr + k * step, with
// step = (pbk - pr) / 12 when the break pressure pbk lies above pr (grid
// point 12 then sits on pbk) and (pr / 2) / 12 otherwise. Above the break
// pressure the layer takes fluid on a second line, and the curve is extended
// at index 24 to the maximum injection rate when that second line rises.
#pragma once

#include <cstdint>

#include "inflow/well_geometry.hpp"
#include "numerics/curve_arguments.hpp"

namespace dlv {

// Curve from reservoir properties: skin below the break pressure, second_skin
// above it. fluid 2 is water (pressure differences, grid to index 24); any
// other value is gas (differences of squared pressures, grid to index 23,
// break node within 1 psi of pbk). A zero viscosity is taken as 1.0 and a
// zero wellbore radius as 0.5 ft. liquid_density and gas_sg are not used.
void injection_skin_curve(std::int32_t fluid, const RadialLayer& radial, double reservoir_pressure,
                          const InjectionFluid& properties, const InjectionBreak& above_break,
                          CurveOutput curve);

// Curve from two injectivity coefficients, below_break below and above_break
// above the break pressure. Water injection (calc_mode 2) uses the pressure
// form; otherwise method selects it: 2 pressure, 3 squared pressure, 4 gas
// pseudo-pressure from the ascending table pp (read only). Any other method
// writes index 0 only. changed_pressure_flag is not used.
void injection_coefficient_curve(std::int32_t calc_mode, std::int32_t method,
                                 double reservoir_pressure,
                                 const InjectionCoefficients& coefficients, CurveOutput curve,
                                 PseudoPressures pp, std::int32_t changed_pressure_flag);

}  // namespace dlv
