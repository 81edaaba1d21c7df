// Solution gas/oil ratio and bubble-point pressure of one layer, with the
// split of the produced gas into gas dissolved in the oil, gas dissolved in
// the water and free gas.
//
// Units: pressures in psia, temperatures in degrees F, gas/oil and gas/water
// ratios in scf/STB, gas gravities relative to air, oil gravity in API.
//
// The correlation is chosen by the code the layer's fluid block holds: Lasater's
// table (code 0), Standing (1), Vasquez and Beggs (2) or Glaso (3); code 4 is
// accepted and computes nothing.
#pragma once

#include <cstdint>

namespace dlv {

// The conditions of one layer that set its dissolved gas. Only
// oil_rate : water_rate matters.
struct SolutionGasInput {
  double pressure;
  double temperature;
  double gas_sg;
  double separator_pressure;
  double separator_temperature;
  double api_gravity;
  double oil_rate;
  double water_rate;
  double producing_gor;
};

// How the produced gas divides: the solution gas/oil ratio Rs, the gas
// solubility in water Rsw and the gravities of the dissolved and the free
// gas.
struct ProducedGasSplit {
  double solution_gor;
  double solution_gwr;
  double dissolved_gas_sg;
  double free_gas_sg;
};

// Solution gas/oil ratio at the layer's pressure and the bubble point
// consistent with the producing gas/oil ratio. Inputs out of range write one
// log message each, set ierr = 1 and leave every output but the bubble point
// untouched; the bubble point is then only limited to twice the pressure. A
// gas well (producing_gor above 999999) returns Rs = Rp without any check.
void calrs(const SolutionGasInput& in, std::int32_t rs_correlation, ProducedGasSplit& gas,
           double& sg100, double& bubble_point, std::int32_t& ierr);

// Splits the produced gas once gas.solution_gor has been computed: limits Rs
// to 0..Rp, sets the gas solubility in water and the gravities of the
// dissolved and the free gas. The separator conditions are not read.
void split_produced_gas(const SolutionGasInput& in, ProducedGasSplit& gas);

}  // namespace dlv
