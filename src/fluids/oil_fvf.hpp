// Oil formation volume factor, oil compressibility above the bubble point
// and water formation volume factor of one layer.
//
// Units: pressures in psia, temperatures in degrees F, gas/oil ratios in
// scf/STB, volume factors in reservoir barrels per stock-tank barrel,
// compressibility in 1/psi.
//
// The saturated oil's correlation is chosen by the code the layer's fluid
// block holds: Vasquez and Beggs (code 0), Standing (1) or Glaso (2); code 3
// is accepted and selects none.
#pragma once

#include <cstdint>

namespace dlv {

// What the volume factors of one layer depend on: temperature, pressure, oil
// and gas gravities, the gas gravity at 100 psig, bubble point, producing and
// solution gas/oil ratios.
struct OilVolumeInput {
  double temperature;
  double pressure;
  double api_gravity;
  double gas_sg;
  double sg100;
  double bubble_point;
  double producing_gor;
  double solution_gor;
};

// Bo, co and Bw at the layer's pressure. Bo starts at 1.1; an input out of
// range writes its log message, sets ierr = 1 and returns with Bo = 1.1 and
// co, Bw untouched.
void calfvf(const OilVolumeInput& in, std::int32_t fvf_correlation, double& oil_compressibility,
            double& oil_fvf, double& water_fvf, std::int32_t& ierr);

}  // namespace dlv
