#include "fluids/gas_properties.hpp"

#include <cmath>

#include "numerics/interpolation.hpp"
#include "numerics/units.hpp"

namespace dlv {

namespace {

using layout::tables::Property;

constexpr int kIterations = 25;
constexpr double kDensityFloor = 0.001;
constexpr double kDensityCeiling = 0.6;
constexpr double kTolerance = 0.0001;
constexpr double kMinimumZ = 0.21;

constexpr int kSteps = 50;                // the table holds kSteps + 1 points
constexpr double kGridZFloor = 0.1;       // z floor at the grid points
constexpr double kMidpointZFloor = 0.21;  // z floor at the Simpson midpoints

double z_at(FluidTables tables, double temperature, double pressure, double gas_sg) {
  if (tables.use_table(Property::kGasZFactor))
    return property_table_value(tables, Property::kGasZFactor, temperature, pressure);
  double z = 0.0;
  zfachy(temperature, pressure, gas_sg, z);
  return z;
}

double viscosity_at(FluidTables tables, double temperature, double pressure, double gas_sg) {
  if (tables.use_table(Property::kGasViscosity)) {
    return property_table_value(tables, Property::kGasViscosity, temperature, pressure);
  }
  double mu = 0.0;
  gas_viscosity(temperature, gas_sg, pressure, mu);
  return mu;
}

// Integrand 2P/(z mu) with z raised to the given floor. A tabulated
// viscosity of 0.0 (an empty table switched on) is not guarded: the integrand
// and every pseudo-pressure above it become infinite or NaN.
double integrand(FluidTables tables, double temperature, double pressure, double gas_sg,
                 double z_floor) {
  double z = z_at(tables, temperature, pressure, gas_sg);
  if (z < z_floor) z = z_floor;
  return 2.0 * pressure / z / viscosity_at(tables, temperature, pressure, gas_sg);
}

}  // namespace

void zfachy(const double& temperature, const double& pressure, const double& gas_sg, double& z) {
  const double tpc = 169.0 + 314.0 * gas_sg;
  const double ppc = 708.75 - 57.5 * gas_sg;
  const double tpr = (temperature + kRankineOffset) / tpc;
  const double ppr = pressure / ppc;

  // At and below Tpr 1.01 (also for a NaN Tpr) the reciprocal temperature is
  // held at 1.0.
  const double t = tpr > 1.01 ? 1.0 / tpr : 1.0;
  const double a = 0.06125 * t * std::exp(-1.2 * ((1.0 - t) * (1.0 - t)));
  const double b = t * (14.76 - 9.76 * t + 4.58 * (t * t));
  const double c = t * (90.7 - 242.2 * t + 42.4 * (t * t));
  const double d = 2.18 + 2.82 * t;

  // Newton's method on the reduced density. A NaN anywhere never meets the
  // tolerance, so it ends in the non-converged z = 1.0.
  double y = kDensityFloor;
  for (int k = 1;; ++k) {
    clamp_to_range(kDensityFloor, y, kDensityCeiling);
    const double y2 = y * y;
    const double y3 = y * y * y;
    const double y4 = y * y * y * y;
    const double w = 1.0 - y;
    const double f = -a * ppr + (y + y2 + y3 - y4) / (w * w * w) - b * y2 + c * std::pow(y, d);
    if (std::fabs(f) <= kTolerance) break;
    if (k == kIterations) {
      z = 1.0;
      return;
    }
    const double df = (1.0 + 4.0 * y + 4.0 * y2 - 4.0 * y3 + y4) / (w * w * w * w) - 2.0 * b * y +
                      c * d * std::pow(y, d - 1.0);
    y = y - f / df;
    if (y > 1.0) y = kDensityCeiling;
    if (y < 0.0) {
      z = 1.0;
      return;
    }
  }
  double result = a * ppr / y;
  if (result < kMinimumZ) result = kMinimumZ;
  z = result;
}

void gas_viscosity(const double& temperature, const double& gas_sg, const double& pressure,
                   double& viscosity) {
  const double t = temperature;
  const double g = gas_sg;
  const double p = pressure;
  const double tr = t + kRankineOffset;
  const double ma = 29.0 * g;
  const double k = (9.4 + 0.02 * ma) * std::pow(tr, 1.5) / (209.0 + 19.0 * ma + tr);
  const double x = 3.5 + 986.0 / tr + 0.01 * ma;
  const double y = 2.4 - 0.2 * x;
  double z = 0.0;
  zfachy(t, p, g, z);
  const double rho = p * ma / (10.72 * z * tr * 62.4);  // g/cm3
  viscosity = k * std::exp(x * std::pow(rho, y)) / 10000.0;
}

void build_pseudo_pressure_table(const double& gas_sg, const double& temperature,
                                 const double& top_pressure, double* pp_pressures,
                                 double* pp_pseudo, std::int32_t& pp_count,
                                 FluidTables fluid_tables) {
  const double g = gas_sg;
  const double t = temperature;
  const double dp = top_pressure / static_cast<double>(kSteps);
  pp_count = kSteps + 1;
  pp_pressures[0] = 0.0;
  pp_pseudo[0] = 0.0;

  double f_prev = integrand(fluid_tables, t, kAtmosphere, g, kGridZFloor);
  for (int k = 1; k <= kSteps; ++k) {
    pp_pressures[k] = static_cast<double>(k) * dp;
    const double f_k = integrand(fluid_tables, t, pp_pressures[k] + kAtmosphere, g, kGridZFloor);
    const double pm = 0.5 * (pp_pressures[k] + pp_pressures[k - 1]) + kAtmosphere;
    const double f_m = integrand(fluid_tables, t, pm, g, kMidpointZFloor);
    pp_pseudo[k] = pp_pseudo[k - 1] + dp * (f_prev + 4.0 * f_m + f_k) / 6.0;
    f_prev = f_k;
  }
}

void gas_properties(FluidTables fluid_tables, const double& pressure, const double& temperature,
                    const double& gas_sg, std::int32_t& pp_count, double* pp_pressures,
                    double* pp_pseudo, double& viscosity, double& z) {
  // Inputs are copied before any output is written, so a caller may pass an
  // output field that also serves as an input.
  const double p = pressure;
  const double t = temperature;
  const double g = gas_sg;
  const double top = p + 100.0;
  build_pseudo_pressure_table(g, t, top, pp_pressures, pp_pseudo, pp_count, fluid_tables);
  const double p_abs = p + kAtmosphere;
  viscosity = viscosity_at(fluid_tables, t, p_abs, g);
  z = z_at(fluid_tables, t, p_abs, g);
}

}  // namespace dlv
