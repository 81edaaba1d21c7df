#include "inflow/darcy_nondarcy.hpp"

#include <cmath>
#include <cstdint>

#include "blocks/block_layout.hpp"
#include "numerics/curve_utils.hpp"
#include "numerics/units.hpp"

namespace dlv {

namespace {

// Rate of every point 1..24 of a liquid curve whose Darcy coefficient is
// negative.
constexpr double kNegativeDarcyRate = 9999.9;

// Positive root q of g q^2 + a q = dm.
double quadratic_rate(double a, double g, double dm) {
  return 0.5 * (std::sqrt(a * a + 4.0 * g * dm) - a) / g;
}

}  // namespace

// A zero wellbore radius, permeability or density, and a pseudo-pressure table
// that does not reach pr, are not caught: the formulas run through and give
// non-finite or extrapolated rates. Nothing outside the two curves is written.
void darcy_nondarcy_liquid_curve(const RadialLayer& radial, const LiquidLayerFluid& liquid,
                                 double reservoir_pressure, CurveOutput curve,
                                 std::int32_t /*changed_pressure_flag*/) {
  const double k = radial.permeability;
  const double h = radial.thickness;
  const double rw = radial.wellbore_radius;
  const double b = liquid.liquid_fvf;
  const double pr = reservoir_pressure;

  // Turbulence factor after Firoozabadi and Katz.
  const double beta = 2.6e10 / std::pow(k, 1.2);
  const double a = 141.2 * b * liquid.liquid_viscosity *
                   (std::log(0.472 * radial.drainage_radius / rw) + radial.skin) / k / h;
  const bool negative = a < 0.0;
  const double g = 2.307e-14 * beta * liquid.liquid_density * (b * b) / rw / (h * h);

  curve.pressures[0] = pr;
  curve.rates[0] = 0.0;
  curve.pressures[layout::kLastPoint] = 0.0;
  curve.rates[layout::kLastPoint] = quadratic_rate(a, g, pr);
  const double delta = pr / layout::kIntervals;
  for (int i = 1; i <= layout::kLastGridPoint; ++i) {
    curve.pressures[i] = pr - static_cast<double>(i) * delta;
    curve.rates[i] = quadratic_rate(a, g, pr - curve.pressures[i]);
  }
  if (negative) {
    for (int i = 1; i <= layout::kLastPoint; ++i) curve.rates[i] = kNegativeDarcyRate;
  }
}

void darcy_nondarcy_gas_curve(const RadialLayer& radial, double reservoir_pressure,
                              const GasLayerFluid& gas, CurveOutput curve, PseudoPressures pp,
                              std::int32_t /*changed_pressure_flag*/) {
  const double k = radial.permeability;
  const double h = radial.thickness;
  const double pr = reservoir_pressure;
  double* const rates = curve.rates;
  double* const pressures = curve.pressures;

  pressures[0] = pr;
  rates[0] = 0.0;
  const double mr = bisect_lookup(pr, pp.pressures, pp.pseudo, pp.count);
  pressures[layout::kLastPoint] = 0.0;
  const double delta = pr / layout::kIntervals;

  if (k * h > 0.0) {
    const double beta = 2.6e10 / std::pow(k, 1.2);
    const double tr = gas.temperature + kRankineOffset;
    const double a =
        1424.0 * tr *
        (std::log(0.472 * radial.drainage_radius / radial.wellbore_radius) + radial.skin) / k / h;
    const double g = 3.166e-12 * beta * gas.gas_sg * tr / radial.wellbore_radius / (h * h);
    rates[layout::kLastPoint] = quadratic_rate(a, g, mr);
    for (int i = 1; i <= layout::kLastGridPoint; ++i) {
      pressures[i] = pr - static_cast<double>(i) * delta;
      const double m = bisect_lookup(pressures[i], pp.pressures, pp.pseudo, pp.count);
      rates[i] = quadratic_rate(a, g, mr - m);
    }
  } else {
    // No flow capacity (k * h zero, negative or not a number): zero rates.
    for (int i = 1; i <= layout::kLastGridPoint; ++i)
      pressures[i] = pr - static_cast<double>(i) * delta;
    for (int i = 1; i <= layout::kLastPoint; ++i) rates[i] = 0.0;
  }
}

void gas_curve_given_d(const RadialLayer& radial, double non_darcy_coefficient,
                       double reservoir_pressure, const GasLayerFluid& gas, CurveOutput curve,
                       PseudoPressures pp, std::int32_t changed_pressure_flag) {
  const double d = non_darcy_coefficient;
  // A D that is not a number goes the given-D way and gives non-finite rates.
  if (d <= 0.0) {
    darcy_nondarcy_gas_curve(radial, reservoir_pressure, gas, curve, pp, changed_pressure_flag);
    return;
  }
  double* const rates = curve.rates;
  double* const pressures = curve.pressures;
  const double pr = reservoir_pressure;
  const double tr = gas.temperature + kRankineOffset;
  const double s = std::log(0.472 * radial.drainage_radius / radial.wellbore_radius) + radial.skin;
  const double c = radial.permeability * radial.thickness / (1424.0 * tr);
  pressures[0] = pr;
  rates[0] = 0.0;
  pressures[layout::kLastPoint] = 0.0;
  const double mr = bisect_lookup(pr, pp.pressures, pp.pseudo, pp.count);

  rates[layout::kLastPoint] = 0.5 * (std::sqrt(s * s + 4.0 * d * c * mr) - s) / d;
  for (int i = 1; i <= layout::kLastGridPoint; ++i) {
    pressures[i] = pr - static_cast<double>(i) * (pr / layout::kIntervals);
    const double m = bisect_lookup(pressures[i], pp.pressures, pp.pseudo, pp.count);
    rates[i] = 0.5 * (std::sqrt(s * s + 4.0 * d * c * (mr - m)) - s) / d;
  }
}

}  // namespace dlv
