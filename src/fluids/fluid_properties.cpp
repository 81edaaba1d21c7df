#include "fluids/fluid_properties.hpp"

#include <cmath>

#include "fluids/crude_samples.hpp"
#include "fluids/liquid_viscosity.hpp"
#include "fluids/oil_fvf.hpp"
#include "fluids/solution_gor.hpp"
#include "numerics/interpolation.hpp"
#include "numerics/units.hpp"

namespace dlv {

namespace {

using layout::tables::Property;

constexpr double kPressureCap = 22500.0;  // psia, for the volume factor and viscosities

// Oil with gas (fluid types 1 and 4): correlations, each replaceable by its
// table. p is the absolute reservoir pressure.
void oil_with_gas(FluidTables tables, int L, LayerFluids f, SeparatorConditions sep, double t,
                  double p, std::int32_t& fluid_error) {
  double sg100 = 0.0;
  ProducedGasSplit gas{f.solution_gor()[L], 0.0, 0.0, 0.0};
  calrs(SolutionGasInput{p, t, f.gas_sg()[L], sep.pressure(), sep.temperature(), f.api_gravity()[L],
                         f.oil_fraction()[L], f.water_cut()[L], f.producing_gor()[L]},
        f.rs_correlation(L), gas, sg100, f.bubble_point()[L], fluid_error);
  f.solution_gor()[L] = gas.solution_gor;
  if (tables.use_table(Property::kSolutionGor)) {
    f.solution_gor()[L] = property_table_value(tables, Property::kSolutionGor, t, p);
    fluid_error = 0;
  }
  const double rs = f.solution_gor()[L];

  // The volume factor and the viscosities work at no more than 22 500 psia.
  // A NaN pressure is not below the cap either and takes it.
  if (!(p < kPressureCap)) p = kPressureCap;

  double oil_compressibility = 0.0;
  calfvf(OilVolumeInput{t, p, f.api_gravity()[L], f.gas_sg()[L], sg100, f.bubble_point()[L],
                        f.producing_gor()[L], rs},
         f.fvf_correlation(L), oil_compressibility, f.oil_fvf()[L], f.water_fvf()[L], fluid_error);
  if (tables.use_table(Property::kOilFvf)) {
    f.oil_fvf()[L] = property_table_value(tables, Property::kOilFvf, t, p);
    fluid_error = 0;
  }

  if (tables.use_table(Property::kOilViscosity)) {
    const double mu = property_table_value(tables, Property::kOilViscosity, t, p);
    f.oil_viscosity()[L] = mu;
    f.water_viscosity()[L] = mu;
  } else {
    double dead_oil_viscosity = 0.0;
    liqvis(LiquidViscosityInput{t, f.api_gravity()[L], rs, p, f.bubble_point()[L]},
           f.viscosity_correlation(L), dead_oil_viscosity, f.oil_viscosity()[L],
           f.water_viscosity()[L], fluid_error);
  }
  // Range problems of the correlations are reported in the log only.
  fluid_error = 0;
}

}  // namespace

void layer_fluid_properties(FluidTables fluid_tables, std::int32_t L, LayerFluids layer_fluids,
                            SeparatorConditions separator_conditions, WellRecord well_record,
                            const std::int32_t& calc_mode, std::int32_t& fluid_error,
                            std::int32_t suppress_fluid_errors) {
  // The flag only lets a run go on after a fluid error, and this stage never
  // ends one with an error standing.
  static_cast<void>(suppress_fluid_errors);
  fluid_error = 0;
  if (L < 0 || L >= layout::kLayers) return;

  LayerFluids f = layer_fluids;
  const double t = well_record.layer_temperature()[L];
  const double saved_bubble_point = f.bubble_point()[L];
  const double p = well_record.reservoir_pressure()[L] + kAtmosphere;

  f.water_fvf()[L] = 1.07;
  f.water_viscosity()[L] = std::exp(1.003 - 0.01479 * t + 1.982e-5 * (t * t));

  const CalcMode mode = static_cast<CalcMode>(calc_mode);
  if (mode == CalcMode::kOilProduction) {
    f.oil_sg()[L] = 141.5 / (131.5 + f.api_gravity()[L]);
    // A cut above 1 is a percentage.
    if (f.water_cut()[L] > 1.0) f.water_cut()[L] = f.water_cut()[L] / 100.0;
    f.oil_fraction()[L] = 1.0 - f.water_cut()[L];

    const auto type = static_cast<FluidType>(f.fluid_type());
    if (type == FluidType::kCorrelations || type == FluidType::kCorrelationsType4) {
      oil_with_gas(fluid_tables, L, f, separator_conditions, t, p, fluid_error);
    } else if (type == FluidType::kCrudeSamples) {
      crude_sample_properties(p, t, f.sample_set(L), f.sample_key()[L], f.oil_viscosity()[L],
                              f.oil_fvf()[L], f.solution_gor()[L]);
      if (f.producing_gor()[L] >= f.solution_gor()[L]) f.bubble_point()[L] = p - kAtmosphere;
      f.water_fvf()[L] = 1.02;
      f.water_sg()[L] = 1.02;
      f.gas_sg()[L] = 0.678;
      f.oil_sg()[L] = 0.91;
    } else if (type == FluidType::kFieldCrude) {
      field_crude_properties(p, t, f.oil_viscosity()[L], f.oil_fvf()[L], f.solution_gor()[L]);
      f.bubble_point()[L] = p - kAtmosphere;
      f.water_fvf()[L] = 1.07;
      f.water_sg()[L] = 1.07;
      f.gas_sg()[L] = 0.678;
      f.oil_sg()[L] = 0.89;
    }
  } else if (mode == CalcMode::kGasProduction || mode == CalcMode::kWaterInjection ||
             mode == CalcMode::kGasInjection) {
    if (f.oil_fvf()[L] == 0.0) f.oil_fvf()[L] = 1.07;
    if (f.oil_sg()[L] == 0.0) f.oil_sg()[L] = 0.89;
    f.liquid_density()[L] = 1.02;
    f.liquid_fvf()[L] = 1.02;
    f.liquid_viscosity()[L] = f.water_viscosity()[L];
  }

  // A bubble point that the host gave survives; the volume factor and the
  // viscosities above were computed with the one from calrs.
  if (f.bubble_point_given(L) == 1 && saved_bubble_point > 0.0) {
    f.bubble_point()[L] = saved_bubble_point;
  }
}

void mix_liquid_properties(const LiquidPhases& phases, std::int32_t mixing_rule, double& oil_fvf,
                           double& water_fvf, double& liquid_fvf, double& liquid_viscosity,
                           double& liquid_density) {
  const double fw = phases.water_cut;
  const double mu_o = phases.oil_viscosity;
  const double mu_w = phases.water_viscosity;

  if (fw > 0.0) {
    liquid_fvf = fw * water_fvf + (1.0 - fw) * oil_fvf;
    const auto rule = static_cast<ViscosityMixingRule>(mixing_rule);
    if (rule == ViscosityMixingRule::kVolumeWeighted) {
      liquid_viscosity = (1.0 - fw) * mu_o + fw * mu_w;
    } else if (rule == ViscosityMixingRule::kFluidityWeighted) {
      liquid_viscosity = 1.0 / ((1.0 - fw) / mu_o + fw / mu_w);
    } else if (rule == ViscosityMixingRule::kPhaseInversion) {
      const double d = mu_o - mu_w;
      if (fw < 0.25) {
        liquid_viscosity = mu_o - d * fw * 0.1;
      } else if (fw > 0.75) {
        liquid_viscosity = mu_w + d * (1.0 - fw) * 0.1;
      } else {
        liquid_viscosity =
            (1.0 - fw) * (mu_o - d * 0.25 * 0.1) + fw * (mu_w + d * (1.0 - 0.75) * 0.1);
      }
    }
  } else {
    liquid_fvf = oil_fvf;
    liquid_viscosity = mu_o;
  }

  // The liquid volume factor above uses the factors as they came in.
  if (oil_fvf < 1.0) oil_fvf = 1.0;
  if (water_fvf < 1.0) water_fvf = 1.0;

  if (fw == 1.0) {
    liquid_density = 62.4 * phases.water_sg * fw / water_fvf;
  } else {
    double density = 62.4 * (1.0 - fw) * phases.oil_sg / oil_fvf;
    if (fw > 0.0) density = density + 62.4 * phases.water_sg * fw / water_fvf;
    liquid_density = density;
  }
}

}  // namespace dlv
