// Inflow curves of one layer from reservoir properties alone: radial flow
// with a Darcy term and a non-Darcy (turbulence) term, the drawdown in
// pressure (liquid) or in gas pseudo-pressure equal to A * q + G * q * q.
// Each rate is the positive root of that quadratic.
//
// Every curve has rates[0] = 0 at pressures[0] = pr, pressures[24] = 0, and
// points 1..23 on pr - i * (pr / 24). The gas routines read the pseudo-pressure
// m(p) from the ascending table pp_pressures / pp_pseudo (pp_count entries)
// by bisection and straight-line interpolation; m at the zero-pressure point
// is taken as 0.
#pragma once

#include <cstdint>

#include "inflow/well_geometry.hpp"
#include "numerics/curve_arguments.hpp"

namespace dlv {

// Liquid layer: A = 141.2 B mu (ln(0.472 re / rw) + s) / k / h and G from the
// Firoozabadi-Katz turbulence factor. A < 0 sets rates 1..24 to 9999.9.
// changed_pressure_flag is not used.
void darcy_nondarcy_liquid_curve(const RadialLayer& radial, const LiquidLayerFluid& liquid,
                                 double reservoir_pressure, CurveOutput curve,
                                 std::int32_t changed_pressure_flag);

// Gas layer, drawdown in pseudo-pressure. k * h not above 0 gives a curve of
// zero rates on the pressure grid. gas_viscosity and changed_pressure_flag are
// not used.
void darcy_nondarcy_gas_curve(const RadialLayer& radial, double reservoir_pressure,
                              const GasLayerFluid& gas, CurveOutput curve, PseudoPressures pp,
                              std::int32_t changed_pressure_flag);

// Gas layer with a given non-Darcy coefficient D, written as the
// rate-dependent skin s + D q: D q^2 + S q = k h / (1424 TR) (m(pr) - m(p)).
// D not above 0 gives exactly darcy_nondarcy_gas_curve. gas_viscosity and
// changed_pressure_flag are not used.
void gas_curve_given_d(const RadialLayer& radial, double non_darcy_coefficient,
                       double reservoir_pressure, const GasLayerFluid& gas, CurveOutput curve,
                       PseudoPressures pp, std::int32_t changed_pressure_flag);

}  // namespace dlv
