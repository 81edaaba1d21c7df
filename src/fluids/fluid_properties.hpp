// The fluid-property stage of one layer and the oil-water mixture properties
// that the curve methods use.
#pragma once

#include <cstdint>

#include "blocks/blocks.hpp"

namespace dlv {

// Brings the fluid properties of layer L up to date in layer_fluids: in oil
// production the solution gas/oil ratio and bubble point, the oil and water
// volume factors and viscosities (by correlations, user tables 0, 1 and 4, or
// the built-in crudes of fluid types 2 and 3); in the other modes the
// defaults of the liquid. Range problems of the correlations go to the log
// only: fluid_error is 0 on return. suppress_fluid_errors changes no result.
// A layer index outside 0..49 names no layer and writes nothing but
// fluid_error.
void layer_fluid_properties(FluidTables fluid_tables, std::int32_t L, LayerFluids layer_fluids,
                            SeparatorConditions separator_conditions, WellRecord well_record,
                            const std::int32_t& calc_mode, std::int32_t& fluid_error,
                            std::int32_t suppress_fluid_errors);

// The two liquid phases of a layer: water cut fw, viscosities and specific
// gravities of the oil and the water.
struct LiquidPhases {
  double water_cut;
  double oil_viscosity;
  double water_viscosity;
  double oil_sg;
  double water_sg;
};

// Liquid (oil-water) volume factor, viscosity and density from the water cut
// and the phase properties. Viscosity rules: 0 volume-weighted, 1 harmonic,
// 2 with phase-inversion weighting; another rule leaves the liquid viscosity
// unwritten when fw > 0. After the liquid volume factor is formed, oil_fvf and
// water_fvf are raised to at least 1.0 and written back.
void mix_liquid_properties(const LiquidPhases& phases, std::int32_t mixing_rule, double& oil_fvf,
                           double& water_fvf, double& liquid_fvf, double& liquid_viscosity,
                           double& liquid_density);

}  // namespace dlv
