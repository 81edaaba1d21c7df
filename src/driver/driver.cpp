// The calculation driver: opens the log, brings the fluid properties up to
// date, runs the curve method of the calculation mode for each layer,
// collects the curves, runs the completion and traverse stages, assembles
// well_summary and closes the log. It decides; the routines it calls compute.
#include "driver/driver.hpp"

#include <array>
#include <cmath>

#include "blocks/blocks.hpp"
#include "completion/completion_stage.hpp"
#include "composite/composite_curves.hpp"
#include "composite/traverse_coupling.hpp"
#include "composite/tubing_referral.hpp"
#include "fluids/fluid_properties.hpp"
#include "fluids/gas_properties.hpp"
#include "inflow/backpressure.hpp"
#include "inflow/darcy_nondarcy.hpp"
#include "inflow/darcy_vogel.hpp"
#include "inflow/fractured_well.hpp"
#include "inflow/horizontal_well.hpp"
#include "inflow/injection.hpp"
#include "inflow/rate_test.hpp"
#include "inflow/straight_line.hpp"
#include "inflow/vogel.hpp"
#include "inflow/well_geometry.hpp"
#include "numerics/curve_arguments.hpp"
#include "platform/diagnostic_log.hpp"

namespace dlv {

namespace {

constexpr int kPoints = layout::kPoints;
// Oil production's horizontal well takes this gas deviation factor whatever
// the gas properties are.
constexpr double kOilHorizontalZFactor = 0.9;
// Water injected through the skin curve is given the deviation factor of an
// ideal gas, which the water curve does not read.
constexpr double kInjectedWaterZFactor = 1.0;

// Working storage of one run, zero-filled at its start.
struct Run {
  std::array<double, kPoints> work_rates{};
  std::array<double, kPoints> work_pressures{};
  std::array<double, kPseudoPressureCapacity> pp_pressures{};
  std::array<double, kPseudoPressureCapacity> pp_pseudo{};
  std::int32_t pp_count = 0;
  // The pseudo-pressure table in force is built from pp_source when a step
  // first reads it (see pseudo_pressure_table); until then pp_pending is set
  // and the arrays hold an older table.
  PseudoPressureSource pp_source;
  bool pp_pending = false;
  std::int32_t fluid_error = 0;
  double gas_pressure = 0.0;

  // The host's blocks.
  LayerFluids fluids;
  FluidTables tables;
  SeparatorConditions separator;
  CurveTables layer_curves;
  WellRecord well;
  std::int32_t* calc_mode;
  CompletionBlock completion;
  CurveTables completion_curves;
  CurveTables traverse_curves;
  TraverseRecord traverse;
  WellSummary summary;
  LayerResults results;
  std::int32_t changed_pressure_flag;
  int layer_count;  // held inside the 50 layer slots
  // The tubing that refers the layer curves instead of the traverse library;
  // null for every calculation of the exported functions.
  const CouplingTubing* coupling_tubing = nullptr;
};

// Rates, pressures and drawdowns of the working arrays into layer L of
// layer_curves, the drawdowns taken from the reservoir pressure pr.
void copy_layer(Run& run, int L, double pr) {
  auto rate = run.layer_curves.rate(L);
  auto pressure = run.layer_curves.pressure(L);
  auto drawdown = run.layer_curves.drawdown(L);
  for (int i = 0; i < kPoints; ++i) {
    rate[i] = run.work_rates[i];
    pressure[i] = run.work_pressures[i];
    drawdown[i] = pr - run.work_pressures[i];
  }
}

// Argument groups of layer L read from the well record.
RadialLayer radial_layer(const WellRecord& w, int L) {
  return RadialLayer{.permeability = w.permeability()[L],
                     .thickness = w.thickness()[L],
                     .drainage_radius = w.drainage_radius()[L],
                     .wellbore_radius = w.wellbore_radius()[L],
                     .skin = w.skin()[L]};
}

Fracture fracture(const WellRecord& w, int L) {
  return Fracture{.half_length = w.fracture_half_length()[L],
                  .width = w.fracture_width()[L],
                  .permeability = w.fracture_permeability()[L]};
}

TransientFlow transient_flow(const WellRecord& w, double total_compressibility, int L) {
  return TransientFlow{.porosity = w.porosity()[L],
                       .total_compressibility = total_compressibility,
                       .production_time = w.production_time()[L]};
}

DrainageBox drainage_box(const WellRecord& w, int L) {
  return DrainageBox{.perm_x = w.permeability()[L],
                     .perm_y = w.perm_y()[L],
                     .perm_z = w.perm_z()[L],
                     .thickness = w.thickness()[L],
                     .drainage_area = w.drainage_area()[L],
                     .box_length_y = w.box_length_y()[L],
                     .box_width_x = w.box_width_x()[L]};
}

HorizontalWellPath horizontal_well_path(const WellRecord& w, int L) {
  return HorizontalWellPath{.wellbore_radius = w.wellbore_radius()[L],
                            .skin = w.skin()[L],
                            .well_start_y = w.well_start_y()[L],
                            .well_length = w.well_length()[L],
                            .well_position_x = w.well_position_x()[L],
                            .well_elevation_z = w.well_elevation_z()[L]};
}

GasLayerFluid gas_layer(const Run& run, int L) {
  return GasLayerFluid{.temperature = run.well.layer_temperature()[L],
                       .gas_sg = run.fluids.gas_sg()[L],
                       .gas_viscosity = run.fluids.gas_viscosity()[L]};
}

InjectionBreak injection_break(const WellRecord& w, int L) {
  return InjectionBreak{.second_skin = w.second_skin()[L],
                        .break_pressure = w.break_pressure()[L],
                        .max_injection_rate = w.max_injection_rate()[L]};
}

CurveOutput work_curve(Run& run) {
  return CurveOutput{run.work_rates.data(), run.work_pressures.data()};
}

PseudoPressures pseudo_pressures(const Run& run) {
  return PseudoPressures{run.pp_pressures.data(), run.pp_pseudo.data(), run.pp_count};
}

void copy_layer(Run& run, int L) { copy_layer(run, L, run.well.reservoir_pressure()[L]); }

void fluid_stage(Run& run, int L) {
  layer_fluid_properties(run.tables, L, run.fluids, run.separator, run.well, *run.calc_mode,
                         run.fluid_error, run.traverse.suppress_fluid_errors());
}

void mixture(Run& run, int L) {
  LayerFluids& f = run.fluids;
  mix_liquid_properties(LiquidPhases{f.water_cut()[L], f.oil_viscosity()[L], f.water_viscosity()[L],
                                     f.oil_sg()[L], f.water_sg()[L]},
                        f.viscosity_mixing_rule(), f.oil_fvf()[L], f.water_fvf()[L],
                        f.liquid_fvf()[L], f.liquid_viscosity()[L], f.liquid_density()[L]);
}

void gas_stage(Run& run, int L) {
  LayerFluids& f = run.fluids;
  WellRecord& w = run.well;
  layer_gas_properties(run.tables, run.gas_pressure, w.layer_temperature()[L], f.gas_sg()[L],
                       run.pp_source, run.pp_count, f.gas_viscosity()[L], f.gas_z_factor()[L]);
  run.pp_pending = true;
}

// Brings the pseudo-pressure arrays up to the table in force; every step that
// reads them calls this first.
void pseudo_pressure_table(Run& run) {
  if (!run.pp_pending) return;
  build_pseudo_pressure_table(run.pp_source, run.pp_pressures.data(), run.pp_pseudo.data(),
                              run.pp_count, run.tables);
  run.pp_pending = false;
}

// Back-pressure equation from test data, chosen by the test count and the
// two given-flags (oil method 4, gas method 1).
void backpressure_from_tests(Run& run) {
  WellRecord& w = run.well;
  const std::int32_t count = w.test_count();
  const std::int32_t type = w.deliverability_test_type();
  const bool c_given = w.backpressure_c_given() == 1;
  const bool n_given = w.backpressure_n_given() == 1;
  const bool c_clear = w.backpressure_c_given() == 0;
  const bool n_clear = w.backpressure_n_given() == 0;
  double* rates = run.work_rates.data();
  double* pressures = run.work_pressures.data();
  const DeliverabilityTests tests{w.test_rate(), w.test_pressure(), w.test_shutin_pressure(), count,
                                  type};
  const CurveOutput curve{rates, pressures};
  if (count >= 1 && n_clear && c_clear) {
    backpressure_fit_cn(tests, w.reservoir_pressure()[0], w.backpressure_c(), w.backpressure_n(),
                        curve);
  } else if (n_given && c_clear) {
    backpressure_fit_c(tests, w.reservoir_pressure()[0], w.backpressure_c(), w.backpressure_n(),
                       curve);
  } else if (n_clear && c_given) {
    backpressure_fit_n(tests, w.reservoir_pressure()[0], w.backpressure_c(), w.backpressure_n(),
                       curve);
  } else if (n_given && c_given) {
    backpressure_curve(w.backpressure_c(), w.backpressure_n(), w.reservoir_pressure()[0], rates,
                       pressures);
  }
}

void rate_test(Run& run) {
  WellRecord& w = run.well;
  rate_test_curve(*run.calc_mode, w.ratetest_pressures(), w.ratetest_liquid_rates(),
                  w.ratetest_gas_rates(), w.ratetest_water_rates(), w.ratetest_row_count(),
                  run.work_rates.data(), run.work_pressures.data());
}

// Oil production, by method_code.
void oil_production(Run& run) {
  WellRecord& w = run.well;
  LayerFluids& f = run.fluids;
  double* rates = run.work_rates.data();
  double* pressures = run.work_pressures.data();
  const CurveOutput output{rates, pressures};
  const OilMethod method = w.oil_method();

  if (w.method_code() < 0 || method == OilMethod::kDarcyNonDarcy ||
      method == OilMethod::kDarcyVogel || method == OilMethod::kHorizontalWell ||
      method == OilMethod::kFracturedWell) {
    for (int L = 0; L < run.layer_count; ++L) {
      if (static_cast<FluidType>(f.fluid_type()) > FluidType::kNone) {
        fluid_stage(run, L);
        run.results.result_bubble_point()[L] = f.bubble_point()[L];
      }
      mixture(run, L);
      switch (method) {
        case OilMethod::kDarcyNonDarcy:
          darcy_nondarcy_liquid_curve(radial_layer(w, L),
                                      LiquidLayerFluid{.liquid_fvf = f.liquid_fvf()[L],
                                                       .liquid_viscosity = f.liquid_viscosity()[L],
                                                       .liquid_density = f.liquid_density()[L]},
                                      w.reservoir_pressure()[L], output, run.changed_pressure_flag);
          break;
        case OilMethod::kDarcyVogel:
          darcy_vogel_curve(radial_layer(w, L),
                            OilLayerFluid{.liquid_fvf = f.liquid_fvf()[L],
                                          .liquid_viscosity = f.liquid_viscosity()[L],
                                          .bubble_point = f.bubble_point()[L],
                                          .water_cut = f.water_cut()[L],
                                          .oil_viscosity = f.oil_viscosity()[L]},
                            w.reservoir_pressure()[L], output, run.changed_pressure_flag);
          break;
        case OilMethod::kHorizontalWell:
          horizontal_well_curve(*run.calc_mode,
                                HorizontalWellFluid{.temperature = w.layer_temperature()[L],
                                                    .z_factor = kOilHorizontalZFactor,
                                                    .liquid_fvf = f.liquid_fvf()[L],
                                                    .viscosity = f.liquid_viscosity()[L],
                                                    .bubble_point = f.bubble_point()[L]},
                                drainage_box(w, L), horizontal_well_path(w, L),
                                w.reservoir_pressure()[L], output);
          break;
        case OilMethod::kFracturedWell: {
          pseudo_pressure_table(run);
          const FracturedWellFluid oil{.liquid_flag = 1,
                                       .liquid_fvf = f.liquid_fvf()[0],
                                       .viscosity = f.liquid_viscosity()[0],
                                       .temperature = w.layer_temperature()[L],
                                       .density_or_z = f.liquid_density()[0],
                                       .bubble_point = f.bubble_point()[0]};
          fractured_well_curve(FracturedLayer{radial_layer(w, L), fracture(w, L),
                                              transient_flow(w, f.total_compressibility()[0], L)},
                               oil, w.reservoir_pressure()[L], w.rate_multiplier(), output,
                               pseudo_pressures(run), run.results, L);
          break;
        }
        default:  // negative codes: no method, the working arrays stand
          break;
      }
      copy_layer(run, L);
    }
    return;
  }

  switch (method) {
    case OilMethod::kVogel:
      if (f.bubble_point_given(0) == 0) {
        fluid_stage(run, 0);
        run.results.result_bubble_point()[0] = f.bubble_point()[0];
      }
      if (w.test_pressure()[0] == w.reservoir_pressure()[0]) {
        w.test_pressure()[0] = w.reservoir_pressure()[0] / 2.0;
      }
      vogel_curve(w.test_rate()[0], w.test_pressure()[0], w.reservoir_pressure()[0],
                  f.bubble_point()[0], f.water_cut()[0], rates, pressures,
                  run.changed_pressure_flag);
      break;
    case OilMethod::kVogelTwoTests:
      vogel_two_test_curve(
          TwoTests{w.test_rate()[0], w.test_pressure()[0], w.test_rate()[1], w.test_pressure()[1]},
          w.reservoir_pressure()[0], f.water_cut()[0], output);
      break;
    case OilMethod::kBackPressureFromTests:
      backpressure_from_tests(run);
      break;
    case OilMethod::kBackPressureGiven:
      backpressure_curve(w.backpressure_c(), w.backpressure_n(), w.reservoir_pressure()[0], rates,
                         pressures);
      break;
    case OilMethod::kProductivityIndex:
      pi_line_curve(w.productivity_index(), w.reservoir_pressure()[0], rates, pressures,
                    run.changed_pressure_flag);
      break;
    case OilMethod::kTwoRateLevel: {
      double* factors = w.surface_term_factors();
      double* level_rate = w.level_test_rate();
      double* reading = w.level_reading();
      two_rate_line_curve(LevelTests{w.level_gradient(), level_rate[0], reading[0], level_rate[1],
                                     reading[1], factors[1], factors[0]},
                          w.reservoir_pressure()[0], output, w.productivity_index(),
                          run.changed_pressure_flag);
      const double x = factors[1] * factors[0];
      w.test_rate()[0] = level_rate[0];
      w.test_rate()[1] = level_rate[1];
      for (int k = 0; k < 2; ++k) {
        if (w.reservoir_pressure()[0] == 0.0) {
          w.test_pressure()[k] = reading[k] * w.level_gradient() + x;
        } else {
          w.test_pressure()[k] = w.reservoir_pressure()[0] - level_rate[k] / w.productivity_index();
        }
      }
      break;
    }
    case OilMethod::kRateTest:
      rate_test(run);
      break;
    default:  // codes above the rate test: no method
      break;
  }
  // The two-rate level method works out the reservoir pressure itself when the
  // host gives none; it stays out of the well record, but the drawdowns of the
  // curve are taken from it rather than from zero.
  double drawdown_reference = w.reservoir_pressure()[0];
  if (method == OilMethod::kTwoRateLevel && drawdown_reference == 0.0)
    drawdown_reference = pressures[0];
  copy_layer(run, 0, drawdown_reference);
}

// Gas production, by gas_method.
void gas_production(Run& run) {
  WellRecord& w = run.well;
  LayerFluids& f = run.fluids;
  double* rates = run.work_rates.data();
  double* pressures = run.work_pressures.data();
  const CurveOutput output{rates, pressures};

  run.pp_pressures.fill(0.0);
  run.pp_pseudo.fill(0.0);
  run.pp_pending = false;
  for (int L = 0; L < run.layer_count; ++L) {
    if (w.layer_temperature()[L] == 0.0) w.layer_temperature()[L] = w.layer_temperature()[0];
    if (f.gas_sg()[L] == 0.0) f.gas_sg()[L] = f.gas_sg()[0];
    if (static_cast<FluidType>(f.fluid_type()) < FluidType::kCorrelations) {
      f.gas_z_factor()[L] = 1.0;
    } else {
      run.gas_pressure = w.reservoir_pressure()[L];
      gas_stage(run, L);
      fluid_stage(run, L);
    }
    mixture(run, L);
  }

  switch (w.gas_production_method()) {
    case GasMethod::kDarcyNonDarcy:
      pseudo_pressure_table(run);
      for (int L = 0; L < run.layer_count; ++L) {
        darcy_nondarcy_gas_curve(radial_layer(w, L), w.reservoir_pressure()[L], gas_layer(run, L),
                                 output, pseudo_pressures(run), run.changed_pressure_flag);
        copy_layer(run, L);
      }
      break;
    case GasMethod::kBackPressureFromTests:
      backpressure_from_tests(run);
      copy_layer(run, 0);
      break;
    case GasMethod::kBackPressureGiven:
      backpressure_curve(w.backpressure_c(), w.backpressure_n(), w.reservoir_pressure()[0], rates,
                         pressures);
      copy_layer(run, 0);
      break;
    case GasMethod::kHorizontalWell:
      for (int L = 0; L < run.layer_count; ++L) {
        horizontal_well_curve(*run.calc_mode,
                              HorizontalWellFluid{.temperature = w.layer_temperature()[L],
                                                  .z_factor = f.gas_z_factor()[L],
                                                  .liquid_fvf = f.liquid_fvf()[L],
                                                  .viscosity = f.gas_viscosity()[L],
                                                  .bubble_point = f.bubble_point()[L]},
                              drainage_box(w, L), horizontal_well_path(w, L),
                              w.reservoir_pressure()[L], output);
        copy_layer(run, L);
      }
      break;
    case GasMethod::kFracturedWell:
      pseudo_pressure_table(run);
      f.bubble_point()[0] = 0.0;
      for (int L = 0; L < run.layer_count; ++L) {
        const FracturedWellFluid gas{.liquid_flag = 0,
                                     .liquid_fvf = f.liquid_fvf()[0],
                                     .viscosity = f.gas_viscosity()[0],
                                     .temperature = w.layer_temperature()[0],
                                     .density_or_z = f.gas_z_factor()[0],
                                     .bubble_point = f.bubble_point()[0]};
        fractured_well_curve(FracturedLayer{radial_layer(w, L), fracture(w, L),
                                            transient_flow(w, f.total_compressibility()[0], L)},
                             gas, w.reservoir_pressure()[L], w.rate_multiplier(), output,
                             pseudo_pressures(run), run.results, L);
        copy_layer(run, L);
      }
      break;
    case GasMethod::kGivenNonDarcyCoefficient:
      pseudo_pressure_table(run);
      gas_curve_given_d(radial_layer(w, 0), w.non_darcy_coefficient(), w.reservoir_pressure()[0],
                        gas_layer(run, 0), output, pseudo_pressures(run),
                        run.changed_pressure_flag);
      copy_layer(run, 0);
      break;
    case GasMethod::kRateTest:
      rate_test(run);
      w.reservoir_pressure()[0] = w.ratetest_pressures()[0];
      copy_layer(run, 0);
      break;
    default:  // other codes: no method
      break;
  }
}

// injection_coefficient_curve over coefficient pair k, writing layer 0 of
// layer_curves itself.
void coefficient_injection(Run& run, int pair) {
  WellRecord& w = run.well;
  pseudo_pressure_table(run);
  injection_coefficient_curve(
      *run.calc_mode, w.gas_injection_method(), w.reservoir_pressure()[0],
      InjectionCoefficients{w.break_pressure()[0], w.injection_coefficients(pair)[0],
                            w.injection_coefficients(pair)[1], w.max_injection_rate()[0]},
      CurveOutput{run.layer_curves.rate(), run.layer_curves.pressure()}, pseudo_pressures(run),
      run.changed_pressure_flag);
}

// Water injection, by water_injection_method.
void water_injection(Run& run) {
  WellRecord& w = run.well;
  LayerFluids& f = run.fluids;
  switch (w.water_injection()) {
    case WaterInjectionMethod::kSkin:
      for (int L = 0; L < run.layer_count; ++L) {
        if (L > 0) fluid_stage(run, L);
        run.results.result_bubble_point()[L] = f.bubble_point()[L];
        const InjectionFluid water{.viscosity = f.water_viscosity()[L],
                                   .water_fvf = f.water_fvf()[L],
                                   .z_factor = kInjectedWaterZFactor,
                                   .temperature = w.layer_temperature()[L],
                                   .liquid_density = f.liquid_density()[L],
                                   .gas_sg = f.gas_sg()[L]};
        injection_skin_curve(static_cast<int>(InjectedFluid::kWater), radial_layer(w, L),
                             w.reservoir_pressure()[L], water, injection_break(w, L),
                             work_curve(run));
        copy_layer(run, L);
      }
      break;
    case WaterInjectionMethod::kCoefficients:
      coefficient_injection(run, 0);
      break;
    case WaterInjectionMethod::kRateTest:
      rate_test(run);
      copy_layer(run, 0);
      break;
    default:
      break;
  }
}

// The coefficient pair of a gas injection coefficient method: the first two
// methods share pair 1, the squared- and pseudo-pressure forms take 2 and 3.
int coefficient_pair(GasInjectionMethod method) {
  switch (method) {
    case GasInjectionMethod::kCoefficientsSquaredPressure:
      return 2;
    case GasInjectionMethod::kCoefficientsPseudoPressure:
      return 3;
    default:
      return 1;
  }
}

// Gas injection, by gas_injection_method.
void gas_injection(Run& run) {
  WellRecord& w = run.well;
  LayerFluids& f = run.fluids;
  const GasInjectionMethod method = w.gas_injection();
  switch (method) {
    case GasInjectionMethod::kSkin:
      for (int L = 0; L < run.layer_count; ++L) {
        run.gas_pressure = 4.0 * w.reservoir_pressure()[L];
        gas_stage(run, L);
        const InjectionFluid gas{.viscosity = f.gas_viscosity()[L],
                                 .water_fvf = f.water_fvf()[L],
                                 .z_factor = f.gas_z_factor()[L],
                                 .temperature = w.layer_temperature()[L],
                                 .liquid_density = f.liquid_density()[L],
                                 .gas_sg = f.gas_sg()[L]};
        injection_skin_curve(static_cast<int>(InjectedFluid::kGas), radial_layer(w, L),
                             w.reservoir_pressure()[L], gas, injection_break(w, L),
                             work_curve(run));
        copy_layer(run, L);
      }
      break;
    case GasInjectionMethod::kCoefficientsFirstPointOnly:
    case GasInjectionMethod::kCoefficientsPressure:
    case GasInjectionMethod::kCoefficientsSquaredPressure:
    case GasInjectionMethod::kCoefficientsPseudoPressure:
      run.gas_pressure = 4.0 * w.reservoir_pressure()[0];
      gas_stage(run, 0);
      coefficient_injection(run, coefficient_pair(method));
      break;
    case GasInjectionMethod::kRateTest:
      rate_test(run);
      copy_layer(run, 0);
      break;
    default:
      break;
  }
}

// The traverse coupling is wanted when a reference depth is set (NaN counts
// as set) and some used layer lies below the surface.
bool coupling_wanted(Run& run) {
  if (run.well.reference_depth() == 0.0) return false;
  for (int L = 0; L < run.layer_count; ++L) {
    if (run.well.layer_depth()[L] > 0.0) return true;
  }
  return false;
}

void one_layer_summary(Run& run, const CurveTables& curves) {
  WellSummary& s = run.summary;
  LayerFluids& f = run.fluids;
  for (int i = 0; i < kPoints; ++i) {
    s.rate()[i] = curves.rate(0)[i];
    s.pressure()[i] = curves.pressure(0)[i];
    s.drawdown()[i] = curves.drawdown(0)[i];
    s.water_cut()[i] = f.water_cut()[0];
    s.gas_liquid()[i] = f.producing_gor()[0];
    s.water_sg()[i] = f.water_sg()[0];
  }
}

void composite(Run& run, const CurveTables& curves, bool gas) {
  LayerFluids& f = run.fluids;
  WellSummary& s = run.summary;
  std::int32_t count = run.layer_count;
  if (gas) {
    composite_gas_curve(curves, f, f.water_cut().data(), f.liquid_yield().data(), count, s);
  } else {
    composite_liquid_curve(curves, f, f.water_cut().data(), f.producing_gor().data(), count, s);
  }
}

void refer_to_reference_depth(Run& run) {
  if (run.coupling_tubing != nullptr) {
    const ReferralFluids fluids{run.fluids, run.tables, run.separator,
                                static_cast<CalcMode>(*run.calc_mode)};
    refer_curves_by_tubing(*run.coupling_tubing, fluids, run.well, run.traverse_curves,
                           run.layer_curves);
    return;
  }
  refer_curves_to_reference_depth(run.well, run.fluids, run.traverse, run.traverse_curves,
                                  run.layer_curves);
}

// The layer curves as they stand before the completion stage, kept in the
// traverse curves for the referral.
void keep_for_referral(Run& run) {
  for (int L = 0; L < run.layer_count; ++L) {
    for (int i = 0; i < kPoints; ++i) {
      run.traverse_curves.rate(L)[i] = run.layer_curves.rate(L)[i];
      run.traverse_curves.pressure(L)[i] = run.layer_curves.pressure(L)[i];
      run.traverse_curves.drawdown(L)[i] = run.layer_curves.drawdown(L)[i];
    }
  }
}

// The summary of a well of two or more layers: the curves referred to the
// reference depth when wanted, water injection's tubing added (before the
// referral without a completion, after it with one), then the composite.
void multilayer_summary(Run& run, const CurveTables& in_force, bool completion_ran, bool wanted) {
  const CalcMode mode = static_cast<CalcMode>(*run.calc_mode);
  const bool liquid = is_liquid_mode(mode);
  if (!liquid && !is_gas_mode(mode)) return;
  const bool water_injection = mode == CalcMode::kWaterInjection;
  if (water_injection && !completion_ran) {
    apply_injection_traverse(run.traverse, run.well, run.layer_curves, run.layer_curves);
  }
  if (wanted) refer_to_reference_depth(run);
  if (water_injection && completion_ran) {
    apply_injection_traverse(run.traverse, run.well, run.completion_curves, run.layer_curves);
  }
  composite(run, in_force, !liquid);
}

// Result assembly: traverse copy, completion stage, summary.
void assemble_results(Run& run) {
  const bool wanted = coupling_wanted(run);
  const CalcMode mode = static_cast<CalcMode>(*run.calc_mode);
  if (wanted) keep_for_referral(run);

  const bool completion_ran = run.completion.completion_model() >= 1;
  if (completion_ran) {
    pseudo_pressure_table(run);
    apply_completion_losses(run.completion, run.layer_curves, run.well, *run.calc_mode,
                            run.completion_curves, run.fluids, pseudo_pressures(run));
  }
  const CurveTables in_force = completion_ran ? run.completion_curves : run.layer_curves;

  if (run.well.layer_count() <= 1) {
    if (!completion_ran && wanted && mode == CalcMode::kGasProduction)
      refer_to_reference_depth(run);
    one_layer_summary(run, in_force);
    return;
  }
  multilayer_summary(run, in_force, completion_ran, wanted);
}

}  // namespace

namespace {

std::int32_t calculate(const CalculationBlocks& b, const CouplingTubing* coupling_tubing) {
  const char* log_path = b.log_path;
  std::int32_t* calc_mode = b.calc_mode;
  Run run{};
  run.fluids = LayerFluids{b.layer_fluids};
  run.tables = FluidTables{b.fluid_tables};
  run.separator = SeparatorConditions{b.separator_conditions};
  run.layer_curves = CurveTables{b.layer_curves};
  run.well = WellRecord{b.well_record};
  run.calc_mode = calc_mode;
  run.completion = CompletionBlock{b.completion_block};
  run.completion_curves = CurveTables{b.completion_curves};
  run.traverse_curves = CurveTables{b.traverse_curves};
  run.traverse = TraverseRecord{b.traverse_block};
  run.summary = WellSummary{b.well_summary};
  run.results = LayerResults{b.layer_results};
  run.changed_pressure_flag = b.changed_pressure_flag;
  run.layer_count = layers(run.well);
  run.coupling_tubing = coupling_tubing;

  // Open the host's log, when it names one, and clear the status word.
  log_handle = platform::kNoLog;
  if (log_path != nullptr && log_path[0] != '\0') log_handle = platform::open_log_file(log_path);
  run.results.set_result_status(0);

  // Fluid properties of layer 0, in every calculation mode.
  LayerFluids& f = run.fluids;
  run.gas_pressure = run.well.reservoir_pressure()[0];
  gas_stage(run, 0);
  fluid_stage(run, 0);
  mixture(run, 0);
  f.set_viscosity_mixing_rule(static_cast<std::int32_t>(ViscosityMixingRule::kPhaseInversion));
  run.results.result_bubble_point()[0] = f.bubble_point()[0];

  // Build the curves by the method of the calculation mode.
  switch (static_cast<CalcMode>(*calc_mode)) {
    case CalcMode::kOilProduction:
      oil_production(run);
      break;
    case CalcMode::kGasProduction:
      gas_production(run);
      break;
    case CalcMode::kWaterInjection:
      water_injection(run);
      break;
    case CalcMode::kGasInjection:
      gas_injection(run);
      break;
    default:
      break;
  }

  // Completion losses and traverse coupling where asked for, then the well
  // summary from the curves in force.
  assemble_results(run);

  // Close the log and report a finished run.
  if (log_handle != platform::kNoLog) {
    platform::close_log_file(log_handle);
    log_handle = platform::kNoLog;
  }
  return 1;
}

}  // namespace

std::int32_t run_calculation(const CalculationBlocks& blocks) { return calculate(blocks, nullptr); }

std::int32_t run_calculation_by_tubing(const CalculationBlocks& blocks,
                                       const CouplingTubing& tubing) {
  return calculate(blocks, &tubing);
}

}  // namespace dlv
