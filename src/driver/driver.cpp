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
#include "platform/diagnostic_log.hpp"

namespace dlv {

namespace {

constexpr int kPoints = layout::kPoints;
constexpr int kPseudoSlots = 200;

// Working storage of one run, zero-filled at its start.
struct Run {
  std::array<double, kPoints> work_rates{};
  std::array<double, kPoints> work_pressures{};
  std::array<double, kPseudoSlots> pp_pressures{};
  std::array<double, kPseudoSlots> pp_pseudo{};
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

void copy_layer(Run& run, int L) { copy_layer(run, L, run.well.reservoir_pressure()[L]); }

void fluid_stage(Run& run, int L) {
  layer_fluid_properties(run.tables, L, run.fluids, run.separator, run.well, *run.calc_mode,
                         run.fluid_error, run.traverse.suppress_fluid_errors());
}

void mixture(Run& run, int L) {
  LayerFluids& f = run.fluids;
  mix_liquid_properties(f.water_cut()[L], f.oil_fvf()[L], f.water_fvf()[L], f.oil_viscosity()[L],
                        f.water_viscosity()[L], f.oil_sg()[L], f.water_sg()[L], f.liquid_fvf()[L],
                        f.liquid_viscosity()[L], f.liquid_density()[L], f.viscosity_mixing_rule());
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
  if (count >= 1 && n_clear && c_clear) {
    backpressure_fit_cn(w.test_rate(), w.test_pressure(), w.test_shutin_pressure(), count, type,
                        w.reservoir_pressure()[0], w.backpressure_c(), w.backpressure_n(), rates,
                        pressures);
  } else if (n_given && c_clear) {
    backpressure_fit_c(w.test_rate(), w.test_pressure(), w.test_shutin_pressure(), count, type,
                       w.reservoir_pressure()[0], w.backpressure_c(), w.backpressure_n(), rates,
                       pressures);
  } else if (n_clear && c_given) {
    backpressure_fit_n(w.test_rate(), w.test_pressure(), w.test_shutin_pressure(), count, type,
                       w.reservoir_pressure()[0], w.backpressure_c(), w.backpressure_n(), rates,
                       pressures);
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
  const std::int32_t method = w.method_code();

  if (method < 0 || method == 0 || method == 1 || method == 8 || method == 9) {
    for (int L = 0; L < run.layer_count; ++L) {
      if (f.fluid_type() > 0) {
        fluid_stage(run, L);
        run.results.result_bubble_point()[L] = f.bubble_point()[L];
      }
      mixture(run, L);
      switch (method) {
        case 0:
          darcy_nondarcy_liquid_curve(
              w.permeability()[L], w.thickness()[L], w.drainage_radius()[L], w.wellbore_radius()[L],
              w.skin()[L], f.liquid_fvf()[L], f.liquid_viscosity()[L], w.reservoir_pressure()[L],
              f.liquid_density()[L], rates, pressures, run.changed_pressure_flag);
          break;
        case 1:
          darcy_vogel_curve(w.permeability()[L], w.thickness()[L], w.drainage_radius()[L],
                            w.wellbore_radius()[L], w.skin()[L], f.liquid_fvf()[L],
                            f.liquid_viscosity()[L], w.reservoir_pressure()[L], f.bubble_point()[L],
                            f.water_cut()[L], f.oil_viscosity()[L], f.water_viscosity()[L], rates,
                            pressures, run.changed_pressure_flag);
          break;
        case 8:
          horizontal_well_curve(
              *run.calc_mode, w.layer_temperature()[L], 0.9, w.permeability()[L], w.perm_y()[L],
              w.perm_z()[L], w.thickness()[L], w.drainage_area()[L], w.wellbore_radius()[L],
              w.skin()[L], w.reservoir_pressure()[L], f.liquid_fvf()[L], f.liquid_viscosity()[L],
              w.well_start_y()[L], w.well_length()[L], w.box_length_y()[L], w.well_position_x()[L],
              w.box_width_x()[L], w.well_elevation_z()[L], f.bubble_point()[L], rates, pressures);
          break;
        case 9: {
          pseudo_pressure_table(run);
          double bubble_point = f.bubble_point()[0];
          fractured_well_curve(
              w.permeability()[L], w.thickness()[L], w.drainage_radius()[L], w.wellbore_radius()[L],
              w.skin()[L], f.liquid_fvf()[0], f.liquid_viscosity()[0], w.reservoir_pressure()[L],
              w.fracture_half_length()[L], f.total_compressibility()[0], w.porosity()[L],
              w.production_time()[L], w.layer_temperature()[L], w.fracture_width()[L],
              w.fracture_permeability()[L], 1, f.liquid_density()[0], bubble_point,
              w.rate_multiplier(), rates, pressures, run.pp_pressures.data(), run.pp_pseudo.data(),
              run.pp_count, run.results, L);
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
    case 2:
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
    case 3:
      vogel_two_test_curve(w.test_rate()[0], w.test_pressure()[0], w.test_rate()[1],
                           w.test_pressure()[1], w.reservoir_pressure()[0], f.bubble_point()[0],
                           f.water_cut()[0], rates, pressures);
      break;
    case 4:
      backpressure_from_tests(run);
      break;
    case 5:
      backpressure_curve(w.backpressure_c(), w.backpressure_n(), w.reservoir_pressure()[0], rates,
                         pressures);
      break;
    case 6:
      pi_line_curve(w.productivity_index(), w.reservoir_pressure()[0], rates, pressures,
                    run.changed_pressure_flag);
      break;
    case 7: {
      double* factors = w.surface_term_factors();
      double* level_rate = w.level_test_rate();
      double* reading = w.level_reading();
      two_rate_line_curve(w.level_gradient(), level_rate[0], reading[0], level_rate[1], reading[1],
                          w.reservoir_pressure()[0], factors[1], factors[0], rates, pressures,
                          w.productivity_index(), run.changed_pressure_flag);
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
    case 10:
      rate_test(run);
      break;
    default:  // codes above 10: no method
      break;
  }
  // The two-rate level method works out the reservoir pressure itself when the
  // host gives none; it stays out of the well record, but the drawdowns of the
  // curve are taken from it rather than from zero.
  double drawdown_reference = w.reservoir_pressure()[0];
  if (method == 7 && drawdown_reference == 0.0) drawdown_reference = pressures[0];
  copy_layer(run, 0, drawdown_reference);
}

// Gas production, by gas_method.
void gas_production(Run& run) {
  WellRecord& w = run.well;
  LayerFluids& f = run.fluids;
  double* rates = run.work_rates.data();
  double* pressures = run.work_pressures.data();

  run.pp_pressures.fill(0.0);
  run.pp_pseudo.fill(0.0);
  run.pp_pending = false;
  for (int L = 0; L < run.layer_count; ++L) {
    if (w.layer_temperature()[L] == 0.0) w.layer_temperature()[L] = w.layer_temperature()[0];
    if (f.gas_sg()[L] == 0.0) f.gas_sg()[L] = f.gas_sg()[0];
    if (f.fluid_type() < 1) {
      f.gas_z_factor()[L] = 1.0;
    } else {
      run.gas_pressure = w.reservoir_pressure()[L];
      gas_stage(run, L);
      fluid_stage(run, L);
    }
    mixture(run, L);
  }

  const std::int32_t method = w.gas_method();
  switch (method) {
    case 0:
      pseudo_pressure_table(run);
      for (int L = 0; L < run.layer_count; ++L) {
        darcy_nondarcy_gas_curve(w.permeability()[L], w.thickness()[L], w.drainage_radius()[L],
                                 w.wellbore_radius()[L], w.skin()[L], w.reservoir_pressure()[L],
                                 w.layer_temperature()[L], f.gas_sg()[L], f.gas_viscosity()[L],
                                 rates, pressures, run.pp_pressures.data(), run.pp_pseudo.data(),
                                 run.pp_count, run.changed_pressure_flag);
        copy_layer(run, L);
      }
      break;
    case 1:
      backpressure_from_tests(run);
      copy_layer(run, 0);
      break;
    case 2:
      backpressure_curve(w.backpressure_c(), w.backpressure_n(), w.reservoir_pressure()[0], rates,
                         pressures);
      copy_layer(run, 0);
      break;
    case 3:
      for (int L = 0; L < run.layer_count; ++L) {
        horizontal_well_curve(*run.calc_mode, w.layer_temperature()[L], f.gas_z_factor()[L],
                              w.permeability()[L], w.perm_y()[L], w.perm_z()[L], w.thickness()[L],
                              w.drainage_area()[L], w.wellbore_radius()[L], w.skin()[L],
                              w.reservoir_pressure()[L], f.liquid_fvf()[L], f.gas_viscosity()[L],
                              w.well_start_y()[L], w.well_length()[L], w.box_length_y()[L],
                              w.well_position_x()[L], w.box_width_x()[L], w.well_elevation_z()[L],
                              f.bubble_point()[L], rates, pressures);
        copy_layer(run, L);
      }
      break;
    case 4:
      pseudo_pressure_table(run);
      f.bubble_point()[0] = 0.0;
      for (int L = 0; L < run.layer_count; ++L) {
        fractured_well_curve(
            w.permeability()[L], w.thickness()[L], w.drainage_radius()[L], w.wellbore_radius()[L],
            w.skin()[L], f.liquid_fvf()[0], f.gas_viscosity()[0], w.reservoir_pressure()[L],
            w.fracture_half_length()[L], f.total_compressibility()[0], w.porosity()[L],
            w.production_time()[L], w.layer_temperature()[0], w.fracture_width()[L],
            w.fracture_permeability()[L], 0, f.gas_z_factor()[0], f.bubble_point()[0],
            w.rate_multiplier(), rates, pressures, run.pp_pressures.data(), run.pp_pseudo.data(),
            run.pp_count, run.results, L);
        copy_layer(run, L);
      }
      break;
    case 5:
      pseudo_pressure_table(run);
      gas_curve_given_d(w.permeability()[0], w.thickness()[0], w.drainage_radius()[0],
                        w.wellbore_radius()[0], w.skin()[0], w.non_darcy_coefficient(),
                        w.reservoir_pressure()[0], w.layer_temperature()[0], f.gas_sg()[0],
                        f.gas_viscosity()[0], rates, pressures, run.pp_pressures.data(),
                        run.pp_pseudo.data(), run.pp_count, run.changed_pressure_flag);
      copy_layer(run, 0);
      break;
    case 6:
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
  LayerFluids& f = run.fluids;
  pseudo_pressure_table(run);
  injection_coefficient_curve(*run.calc_mode, w.gas_injection_method(), w.reservoir_pressure()[0],
                              w.layer_temperature()[0], f.gas_sg()[0], w.break_pressure()[0],
                              w.injection_coefficients(pair)[0], w.injection_coefficients(pair)[1],
                              w.max_injection_rate()[0], run.layer_curves.rate(),
                              run.layer_curves.pressure(), run.pp_pressures.data(),
                              run.pp_pseudo.data(), run.pp_count, run.changed_pressure_flag);
}

// Water injection, by water_injection_method.
void water_injection(Run& run) {
  WellRecord& w = run.well;
  LayerFluids& f = run.fluids;
  switch (w.water_injection_method()) {
    case 0:
      for (int L = 0; L < run.layer_count; ++L) {
        if (L > 0) fluid_stage(run, L);
        run.results.result_bubble_point()[L] = f.bubble_point()[L];
        injection_skin_curve(2, w.permeability()[L], w.thickness()[L], w.reservoir_pressure()[L],
                             f.water_viscosity()[L], f.water_fvf()[L], 1.0,
                             w.layer_temperature()[L], f.liquid_density()[L], f.gas_sg()[L],
                             w.drainage_radius()[L], w.wellbore_radius()[L], w.skin()[L],
                             w.second_skin()[L], w.break_pressure()[L], w.max_injection_rate()[L],
                             run.work_rates.data(), run.work_pressures.data());
        copy_layer(run, L);
      }
      break;
    case 1:
      coefficient_injection(run, 0);
      break;
    case 2:
      rate_test(run);
      copy_layer(run, 0);
      break;
    default:
      break;
  }
}

// Gas injection, by gas_injection_method.
void gas_injection(Run& run) {
  WellRecord& w = run.well;
  LayerFluids& f = run.fluids;
  const std::int32_t method = w.gas_injection_method();
  switch (method) {
    case 0:
      for (int L = 0; L < run.layer_count; ++L) {
        run.gas_pressure = 4.0 * w.reservoir_pressure()[L];
        gas_stage(run, L);
        injection_skin_curve(
            method, w.permeability()[L], w.thickness()[L], w.reservoir_pressure()[L],
            f.gas_viscosity()[L], f.water_fvf()[L], f.gas_z_factor()[L], w.layer_temperature()[L],
            f.liquid_density()[L], f.gas_sg()[L], w.drainage_radius()[L], w.wellbore_radius()[L],
            w.skin()[L], w.second_skin()[L], w.break_pressure()[L], w.max_injection_rate()[L],
            run.work_rates.data(), run.work_pressures.data());
        copy_layer(run, L);
      }
      break;
    case 1:
    case 2:
    case 3:
    case 4:
      run.gas_pressure = 4.0 * w.reservoir_pressure()[0];
      gas_stage(run, 0);
      coefficient_injection(run, method <= 2 ? 1 : method - 1);
      break;
    case 5:
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
    composite_gas_curve(curves, f, f.water_cut().data(), f.liquid_yield().data(), count,
                        s.pressure(), s.rate(), s.water_cut(), s.gas_liquid(), s.water_sg());
  } else {
    composite_liquid_curve(curves, f, f.water_cut().data(), f.producing_gor().data(), count,
                           s.pressure(), s.rate(), s.water_cut(), s.gas_liquid(), s.water_sg());
  }
}

void refer_to_reference_depth(Run& run) {
  refer_curves_to_reference_depth(run.well, run.fluids, run.traverse, run.traverse_curves,
                                  run.layer_curves);
}

// Result assembly: traverse copy, completion stage, summary.
void assemble_results(Run& run) {
  const bool wanted = coupling_wanted(run);
  const std::int32_t mode = *run.calc_mode;

  if (wanted) {
    for (int L = 0; L < run.layer_count; ++L) {
      for (int i = 0; i < kPoints; ++i) {
        run.traverse_curves.rate(L)[i] = run.layer_curves.rate(L)[i];
        run.traverse_curves.pressure(L)[i] = run.layer_curves.pressure(L)[i];
        run.traverse_curves.drawdown(L)[i] = run.layer_curves.drawdown(L)[i];
      }
    }
  }

  const bool completion_ran = run.completion.completion_model() >= 1;
  if (completion_ran) {
    pseudo_pressure_table(run);
    apply_completion_losses(run.completion, run.separator, run.layer_curves, run.well,
                            *run.calc_mode, run.completion_curves, run.fluids,
                            run.pp_pressures.data(), run.pp_pseudo.data(), run.pp_count);
  }
  const CurveTables in_force = completion_ran ? run.completion_curves : run.layer_curves;
  const bool liquid = mode == 0 || mode == 2;
  const bool gas = mode == 1 || mode == 3;

  if (run.well.layer_count() <= 1) {
    if (!completion_ran && wanted && mode == 1) refer_to_reference_depth(run);
    one_layer_summary(run, in_force);
    return;
  }
  if (completion_ran) {
    if (liquid) {
      if (wanted) refer_to_reference_depth(run);
      if (mode == 2) {
        apply_injection_traverse(run.traverse, run.well, run.completion_curves, run.layer_curves);
      }
      composite(run, in_force, false);
    } else if (gas) {
      if (wanted) refer_to_reference_depth(run);
      composite(run, in_force, true);
    }
    return;
  }
  if (liquid) {
    if (mode == 2) {
      apply_injection_traverse(run.traverse, run.well, run.layer_curves, run.layer_curves);
    }
    if (wanted) refer_to_reference_depth(run);
    composite(run, in_force, false);
  } else if (gas) {
    if (wanted) refer_to_reference_depth(run);
    composite(run, in_force, true);
  }
}

}  // namespace

std::int32_t run_calculation(double* layer_fluids, double* fluid_tables,
                             double* separator_conditions, double* layer_curves,
                             double* well_record, std::int32_t* calc_mode, double* completion_block,
                             double* completion_curves, double* traverse_curves,
                             double* traverse_block, double* well_summary, double* layer_results,
                             std::int32_t changed_pressure_flag, const char* log_path) {
  Run run{};
  run.fluids = LayerFluids{layer_fluids};
  run.tables = FluidTables{fluid_tables};
  run.separator = SeparatorConditions{separator_conditions};
  run.layer_curves = CurveTables{layer_curves};
  run.well = WellRecord{well_record};
  run.calc_mode = calc_mode;
  run.completion = CompletionBlock{completion_block};
  run.completion_curves = CurveTables{completion_curves};
  run.traverse_curves = CurveTables{traverse_curves};
  run.traverse = TraverseRecord{traverse_block};
  run.summary = WellSummary{well_summary};
  run.results = LayerResults{layer_results};
  run.changed_pressure_flag = changed_pressure_flag;
  run.layer_count = layers(run.well);

  // 1. Start: the log, the status word.
  log_handle = platform::kNoLog;
  if (log_path != nullptr && log_path[0] != '\0') log_handle = platform::open_log_file(log_path);
  run.results.set_result_status(0);

  // 2. Layer-0 fluid properties, in every mode.
  LayerFluids& f = run.fluids;
  run.gas_pressure = run.well.reservoir_pressure()[0];
  gas_stage(run, 0);
  fluid_stage(run, 0);
  mixture(run, 0);
  f.set_viscosity_mixing_rule(2);
  run.results.result_bubble_point()[0] = f.bubble_point()[0];

  // 3. Dispatch on the calculation mode.
  switch (*calc_mode) {
    case 0:
      oil_production(run);
      break;
    case 1:
      gas_production(run);
      break;
    case 2:
      water_injection(run);
      break;
    case 3:
      gas_injection(run);
      break;
    default:
      break;
  }

  // 8. Result assembly.
  assemble_results(run);

  // 9. End.
  if (log_handle != platform::kNoLog) {
    platform::close_log_file(log_handle);
    log_handle = platform::kNoLog;
  }
  return 1;
}

}  // namespace dlv
