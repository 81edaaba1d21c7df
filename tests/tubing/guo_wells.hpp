// Guo et al. (2007)'s two published tubing wells and a dry-gas well, as
// traverse requests that the tubing suites share.
#pragma once

#include "tubing/traverse.hpp"

namespace guo_wells {

// Ex 4.4, the Hagedorn-Brown spreadsheet: 9700 ft of 1.995 in tubing (eps/D
// 0.0006), 200 psia and 80 F at the wellhead, 180 F at the shoe, 758 stb/d,
// WC 10 %, GLR 75, 40 API, 5 cp, gas 0.7, water 1.05, 30 dyn/cm; the
// stock-tank fluid of the spreadsheet.
inline dlv::TraverseRequest hagedorn_brown_sheet(dlv::Correlation correlation) {
  dlv::TraverseRequest r;
  r.correlation = correlation;
  r.geometry.node_depth = 9700.0;
  r.geometry.inside_diameter = 1.995;
  r.geometry.roughness = 0.0006 * 1.995;
  r.temperatures = {80.0, 180.0};
  r.fluid.model = dlv::TubingFluidModel::kStockTank;
  r.fluid.api_gravity = 40.0;
  r.fluid.gas_sg = 0.7;
  r.fluid.water_sg = 1.05;
  r.fluid.water_cut = 0.1;
  r.fluid.gas_liquid_ratio = 75.0;
  r.fluid.oil_viscosity = 5.0;
  r.fluid.surface_tension = 30.0;
  r.rate = 758.0;
  r.start_pressure = 200.0;
  return r;
}

// Ex 4.2, the Poettmann-Carpenter spreadsheet, field column: 1.66 in (0.0006
// in roughness for the marched correlations), 500 psia, 2000 stb/d, GLR
// 1000, WC 25 %, 30 API, water 1.05 with Bw 1.2, gas 0.65, 100 -> 150 F,
// 5000 ft; Guo's black oil.
inline dlv::TraverseRequest poettmann_carpenter_field(
    dlv::Correlation correlation = dlv::Correlation::kPoettmannCarpenter) {
  dlv::TraverseRequest r;
  r.correlation = correlation;
  r.geometry.node_depth = 5000.0;
  r.geometry.inside_diameter = 1.66;
  r.geometry.roughness = 0.0006;
  r.temperatures = {100.0, 150.0};
  r.fluid.model = dlv::TubingFluidModel::kGuoBlackOil;
  r.fluid.api_gravity = 30.0;
  r.fluid.gas_sg = 0.65;
  r.fluid.water_sg = 1.05;
  r.fluid.water_fvf = 1.2;
  r.fluid.water_cut = 0.25;
  r.fluid.gas_liquid_ratio = 1000.0;
  r.rate = 2000.0;
  r.start_pressure = 500.0;
  return r;
}

// The dry-gas well: gas 0.70, 2.441 in, eps/D 0.0006, vertical 8000 ft,
// 1000 psia, 90 -> 170 F, 4000 Mscf/d, Standing pseudo-criticals and
// Brill-Beggs z.
inline dlv::TraverseRequest dry_gas(dlv::Correlation correlation) {
  dlv::TraverseRequest r;
  r.correlation = correlation;
  r.geometry.node_depth = 8000.0;
  r.geometry.inside_diameter = 2.441;
  r.geometry.roughness = 0.0006 * 2.441;
  r.temperatures = {90.0, 170.0};
  r.fluid.model = dlv::TubingFluidModel::kDryGas;
  r.fluid.basis = dlv::RateBasis::kGas;
  r.fluid.gas_sg = 0.7;
  r.rate = 4000.0;
  r.start_pressure = 1000.0;
  return r;
}

// Every correlation, point and whole-well.
inline constexpr dlv::Correlation kEveryCorrelation[] = {dlv::Correlation::kNoSlip,
                                                         dlv::Correlation::kHagedornBrown,
                                                         dlv::Correlation::kHagedornBrownOriginal,
                                                         dlv::Correlation::kBeggsBrill,
                                                         dlv::Correlation::kGray,
                                                         dlv::Correlation::kPoettmannCarpenter,
                                                         dlv::Correlation::kAverageTemperatureZ,
                                                         dlv::Correlation::kCullenderSmith};

}  // namespace guo_wells
