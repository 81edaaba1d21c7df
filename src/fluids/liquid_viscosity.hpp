// Viscosities of the liquids of one layer: dead oil, live oil at the given
// pressure (saturated below the bubble point, undersaturated above it) and
// water. Also reachable by hosts through the exported liqvis.
//
// Units: temperature in degrees F, pressures in psia, solution gas/oil ratio
// in scf/STB, viscosities in cp.
//
// Dead-oil codes: 0 Beggs and Robinson with its range checks, 1 Glaso,
// 2 the Beggs and Robinson formula without its range checks.
#pragma once

#include <cstdint>

namespace dlv {

// What the liquid viscosities of one layer depend on.
struct LiquidViscosityInput {
  double temperature;
  double api_gravity;
  double solution_gor;
  double pressure;
  double bubble_point;
};

// The water viscosity is always written. An input out of range writes its log
// message, sets ierr = 1 and leaves the dead-oil and oil viscosities
// untouched.
void liqvis(const LiquidViscosityInput& in, std::int32_t viscosity_correlation,
            double& dead_oil_viscosity, double& oil_viscosity, double& water_viscosity,
            std::int32_t& ierr);

}  // namespace dlv
