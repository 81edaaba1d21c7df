#include "inflow/injection.hpp"

#include <cmath>

#include "blocks/block_layout.hpp"
#include "numerics/curve_utils.hpp"
#include "numerics/units.hpp"

namespace dlv {

namespace {

std::int32_t held_count(std::int32_t pp_count) {
  if (pp_count < 0) return 0;
  return pp_count > kPseudoPressureCapacity ? kPseudoPressureCapacity : pp_count;
}

// The grid point that lies on the break pressure when it is above pr.
constexpr int kBreakPoint = 12;
constexpr double kStepsToBreak = kBreakPoint;

// Upward grid step: twelve steps up to the break pressure when it lies above
// pr, otherwise half of pr in twelve steps.
double grid_step(double pr, double pbk) {
  if (pbk > pr) return (pbk - pr) / kStepsToBreak;
  return (pr / 2.0) / kStepsToBreak;
}

double grid_pressure(double pr, int k, double step) { return pr + static_cast<double>(k) * step; }

// Gas pseudo-pressure at p, or the pressure at pseudo-pressure p when the
// columns are swapped; values outside the table take the end value.
double clamped_lookup(const double* x, const double* y, double xq, std::int32_t n) {
  std::int32_t status = 0;
  return table_lookup(x, y, xq, n, 1, status);
}

}  // namespace

void injection_skin_curve(std::int32_t fluid, const RadialLayer& radial, double reservoir_pressure,
                          const InjectionFluid& properties, const InjectionBreak& above_break,
                          CurveOutput curve) {
  double* const rates = curve.rates;
  double* const pressures = curve.pressures;
  const double k = radial.permeability;
  const double h = radial.thickness;
  const double pr = reservoir_pressure;
  const double mu = properties.viscosity == 0.0 ? 1.0 : properties.viscosity;
  const double rw = radial.wellbore_radius == 0.0 ? 0.5 : radial.wellbore_radius;
  const double pbk = above_break.break_pressure;
  const double qmax = above_break.max_injection_rate;

  pressures[0] = pr;
  rates[0] = 0.0;
  const double step = grid_step(pr, pbk);
  const double log_term = std::log(0.472 * radial.drainage_radius / rw);

  if (static_cast<InjectedFluid>(fluid) == InjectedFluid::kWater) {
    const double bw = properties.water_fvf;
    const double j1 = 0.00708 * k * h / (mu * bw * (log_term + radial.skin));
    const double j2 = 0.00708 * k * h / (mu * bw * (log_term + above_break.second_skin));
    bool broken = false;
    double qb = 0.0;
    for (int i = 1; i < layout::kPoints; ++i) {
      const double p = grid_pressure(pr, i, step);
      pressures[i] = p;
      if (p < pbk) {
        rates[i] = (p - pr) * j1;
      } else if (!broken) {
        rates[i] = (p - pr) * j1;
        qb = rates[i];
        broken = true;
      } else {
        rates[i] = qb + (p - pbk) * j2;
      }
    }
    if (j2 > 0.0 && qmax > rates[layout::kLastPoint]) {
      rates[layout::kLastPoint] = qmax;
      pressures[layout::kLastPoint] = (qmax - qb) / j2 + pbk;
    }
    return;
  }

  const double tr = properties.temperature + kRankineOffset;
  const double z = properties.z_factor;
  const double j1 = 0.000703 * k * h / (mu * z * tr * (log_term + radial.skin));
  const double j2 = 0.000703 * k * h / (mu * z * tr * (log_term + above_break.second_skin));
  const double pr2 = pr * pr;
  const double pbk2 = pbk * pbk;
  double qb = 0.0;
  for (int i = 1; i < layout::kLastPoint; ++i) {
    const double p = grid_pressure(pr, i, step);
    pressures[i] = p;
    if (p < pbk) {
      rates[i] = (p * p - pr2) * j1;
    } else if (std::fabs(p - pbk) < 1.0) {
      rates[i] = (p * p - pr2) * j1;
      qb = rates[i];
    } else {
      rates[i] = qb + (p * p - pbk2) * j2;
    }
  }
  if (j2 > 0.0 && qmax > rates[layout::kLastGridPoint]) {
    rates[layout::kLastPoint] = qmax;
    pressures[layout::kLastPoint] = std::sqrt((qmax - qb) / j2 + pbk2);
  } else {
    rates[layout::kLastPoint] = rates[layout::kLastGridPoint];
    pressures[layout::kLastPoint] = pressures[layout::kLastGridPoint];
  }
}

void injection_coefficient_curve(std::int32_t calc_mode, std::int32_t method,
                                 double reservoir_pressure,
                                 const InjectionCoefficients& coefficients, CurveOutput curve,
                                 PseudoPressures pp, std::int32_t /*changed_pressure_flag*/) {
  enum class Form { kPressure, kSquared, kPseudo };

  double* const rates = curve.rates;
  double* const pressures = curve.pressures;
  const double pr = reservoir_pressure;
  const double pbk = coefficients.break_pressure;
  const double c1 = coefficients.below_break;
  const double c2 = coefficients.above_break;
  const double qmax = coefficients.max_injection_rate;

  pressures[0] = pr;
  rates[0] = 0.0;
  const double step = grid_step(pr, pbk);

  // Water injection always takes the pressure form; every other mode is
  // treated as gas injection and chooses the form by method.
  Form form = Form::kPressure;
  if (static_cast<CalcMode>(calc_mode) != CalcMode::kWaterInjection) {
    const GasInjectionMethod gas_method = static_cast<GasInjectionMethod>(method);
    if (gas_method == GasInjectionMethod::kCoefficientsPressure) {
      form = Form::kPressure;
    } else if (gas_method == GasInjectionMethod::kCoefficientsSquaredPressure) {
      form = Form::kSquared;
    } else if (gas_method == GasInjectionMethod::kCoefficientsPseudoPressure) {
      form = Form::kPseudo;
    } else {
      return;
    }
  }

  for (int i = 1; i < layout::kLastPoint; ++i) pressures[i] = grid_pressure(pr, i, step);

  const std::int32_t n = held_count(pp.count);
  double m12 = 0.0;
  switch (form) {
    case Form::kPressure:
      for (int i = 1; i <= kBreakPoint; ++i) rates[i] = (pressures[i] - pr) * c1;
      for (int i = kBreakPoint + 1; i < layout::kLastPoint; ++i)
        rates[i] = rates[kBreakPoint] + (pressures[i] - pressures[kBreakPoint]) * c2;
      break;
    case Form::kSquared: {
      const double pr2 = pr * pr;
      const double p12 = pressures[kBreakPoint] * pressures[kBreakPoint];
      for (int i = 1; i <= kBreakPoint; ++i) rates[i] = (pressures[i] * pressures[i] - pr2) * c1;
      for (int i = kBreakPoint + 1; i < layout::kLastPoint; ++i)
        rates[i] = rates[kBreakPoint] + (pressures[i] * pressures[i] - p12) * c2;
      break;
    }
    case Form::kPseudo: {
      // Pseudo-pressures of the grid points; the table itself stays as it is.
      double m[layout::kLastPoint];
      m[0] = clamped_lookup(pp.pressures, pp.pseudo, pr, n);
      for (int i = 1; i <= kBreakPoint; ++i) {
        m[i] = clamped_lookup(pp.pressures, pp.pseudo, pressures[i], n);
        rates[i] = (m[i] - m[0]) * c1;
      }
      m12 = m[kBreakPoint];
      for (int i = kBreakPoint + 1; i < layout::kLastPoint; ++i) {
        m[i] = clamped_lookup(pp.pressures, pp.pseudo, pressures[i], n);
        rates[i] = rates[kBreakPoint] + (m[i] - m12) * c2;
      }
      break;
    }
  }

  if (c2 > 0.0 && qmax > rates[layout::kLastGridPoint]) {
    rates[layout::kLastPoint] = qmax;
    const double dq = (qmax - rates[kBreakPoint]) / c2;
    switch (form) {
      case Form::kPressure:
        pressures[layout::kLastPoint] = dq + pbk;
        break;
      case Form::kSquared:
        pressures[layout::kLastPoint] = std::sqrt(pbk * pbk + dq);
        break;
      case Form::kPseudo:
        pressures[layout::kLastPoint] = clamped_lookup(pp.pseudo, pp.pressures, m12 + dq, n);
        break;
    }
  } else {
    rates[layout::kLastPoint] = rates[layout::kLastGridPoint];
    pressures[layout::kLastPoint] = pressures[layout::kLastGridPoint];
  }
}

}  // namespace dlv
