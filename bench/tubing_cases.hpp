// The tubing traverses of the benchmarks and of the instruction counts: a
// 10 000 ft vertical oil well (2.441 in, 1500 stb/d, GLR 500, WC 30 %, Guo's
// black oil, 150 psia at the wellhead) and a 10 000 ft gas well making a
// little liquid (2.441 in, 3000 Mscf/d, 20 stb/MMscf, dry-gas fluid, 1000
// psia), each by the correlations that suit it, at the default accuracy.
#pragma once

#include <string>

#include "tubing/traverse.hpp"

namespace tubing_cases {

using dlv::Correlation;

inline dlv::TraverseRequest oil_well(Correlation correlation) {
  dlv::TraverseRequest r;
  r.correlation = correlation;
  r.geometry.node_depth = 10000.0;
  r.geometry.inside_diameter = 2.441;
  r.geometry.roughness = 0.0006;
  r.temperatures = {100.0, 200.0};
  r.fluid.model = dlv::TubingFluidModel::kGuoBlackOil;
  r.fluid.api_gravity = 35.0;
  r.fluid.gas_sg = 0.7;
  r.fluid.water_sg = 1.05;
  r.fluid.water_cut = 0.3;
  r.fluid.gas_liquid_ratio = 500.0;
  r.rate = 1500.0;
  r.start_pressure = 150.0;
  return r;
}

inline dlv::TraverseRequest gas_well(Correlation correlation) {
  dlv::TraverseRequest r;
  r.correlation = correlation;
  r.geometry.node_depth = 10000.0;
  r.geometry.inside_diameter = 2.441;
  r.geometry.roughness = 0.0006;
  r.temperatures = {90.0, 210.0};
  r.fluid.model = dlv::TubingFluidModel::kDryGas;
  r.fluid.basis = dlv::RateBasis::kGas;
  r.fluid.api_gravity = 50.0;
  r.fluid.gas_sg = 0.7;
  r.fluid.water_cut = 0.25;
  r.fluid.liquid_yield = 20.0;
  r.rate = 3000.0;
  r.start_pressure = 1000.0;
  return r;
}

inline constexpr Correlation kOilCorrelations[] = {
    Correlation::kNoSlip, Correlation::kHagedornBrown, Correlation::kHagedornBrownOriginal,
    Correlation::kBeggsBrill, Correlation::kPoettmannCarpenter};
inline constexpr Correlation kGasCorrelations[] = {
    Correlation::kNoSlip, Correlation::kBeggsBrill, Correlation::kGray,
    Correlation::kAverageTemperatureZ, Correlation::kCullenderSmith};

// "oil/hagedorn_brown", "gas/gray", ...
inline std::string case_name(bool oil, Correlation c) {
  return std::string(oil ? "oil/" : "gas/") + std::string(dlv::correlation_name(c));
}

}  // namespace tubing_cases
