// Gas side of the fluid description: the deviation factor z by the
// Hall-Yarborough equation, the gas viscosity by Lee, Gonzalez and Eakin, the
// real-gas pseudo-pressure table m(p) = integral of 2p/(mu z) dp, and the
// per-layer entry that fills all three, each property optionally read from
// the host's tables 6 (z) and 7 (viscosity).
//
// Units: temperature in degrees F (Rankine = F + 460), pressure in psia unless
// marked gauge, viscosity in cp, pseudo-pressure in psia^2/cp, gas gravity
// relative to air.
#pragma once

#include <cstdint>

#include "blocks/blocks.hpp"
#include "numerics/clamp.hpp"

namespace dlv {

// Gas deviation factor by Hall-Yarborough with pseudo-critical properties
// linear in the gas gravity. Never fails: when Newton's method on the reduced
// density does not converge within 25 iterations, or the density goes
// negative, z = 1.0; a converged z is at least 0.21.
void zfachy(const double& temperature, const double& pressure, const double& gas_sg, double& z);

// Gas viscosity by Lee, Gonzalez and Eakin at the absolute pressure, with the
// gas density from zfachy.
void gas_viscosity(const double& temperature, const double& gas_sg, const double& pressure,
                   double& viscosity);

// z and viscosity of the gas at one absolute pressure, each from its table
// (6 for z, 7 for the viscosity) when the host switched it on, otherwise by
// Hall-Yarborough and by Lee, Gonzalez and Eakin with the correlation's own z;
// Hall-Yarborough is solved once for both.
void gas_z_and_viscosity(FluidTables fluid_tables, const double& temperature,
                         const double& pressure, const double& gas_sg, double& z,
                         double& viscosity);

// Fills the pseudo-pressure table: 51 gauge pressures k * top_pressure / 50
// (k = 0..50) in pp_pressures and m(p) from 14.7 psia in pp_pseudo, by
// Simpson's rule over each step; pp_count = 51. Both arrays must hold at least
// 51 elements. z and viscosity come from tables 6 and 7 when their use flags
// are set.
void build_pseudo_pressure_table(const double& gas_sg, const double& temperature,
                                 const double& top_pressure, double* pp_pressures,
                                 double* pp_pseudo, std::int32_t& pp_count,
                                 FluidTables fluid_tables);

// What the pseudo-pressure table of a layer depends on, kept so that the
// table can be built when a step first reads it.
struct PseudoPressureSource {
  double gas_sg = 0.0;
  double temperature = 0.0;
  double top_pressure = 0.0;  // psig
};

// Gas properties of one layer at a gauge pressure without the table: the
// viscosity and z at pressure + 14.7 psia as gas_properties gives them, the
// table's dependencies in table_source and its count (51) in pp_count.
void layer_gas_properties(FluidTables fluid_tables, const double& pressure,
                          const double& temperature, const double& gas_sg,
                          PseudoPressureSource& table_source, std::int32_t& pp_count,
                          double& viscosity, double& z);

// The table that gas_properties would have built for table_source.
void build_pseudo_pressure_table(const PseudoPressureSource& source, double* pp_pressures,
                                 double* pp_pseudo, std::int32_t& pp_count,
                                 FluidTables fluid_tables);

// The gas of one layer: gauge pressure (psig), temperature and gravity.
struct LayerGas {
  double pressure;
  double temperature;
  double gas_sg;
};

// Gas properties of one layer at a gauge pressure: builds the pseudo-pressure
// table up to pressure + 100 psi and returns the viscosity and z at
// pressure + 14.7 psia, each from its correlation or from its table. The
// driver takes the two halves above instead (the table only when a step reads
// it); this whole form is the routine they are checked against.
void gas_properties(FluidTables fluid_tables, const LayerGas& gas, std::int32_t& pp_count,
                    double* pp_pressures, double* pp_pseudo, double& viscosity, double& z);

}  // namespace dlv
