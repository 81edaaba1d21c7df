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

// The terms of the Hall-Yarborough equation and of the Lee, Gonzalez and
// Eakin viscosity that depend on the temperature and the gas gravity alone,
// worked out once for every pressure of a table.
struct GasTerms {
  // Hall-Yarborough
  double ppc;
  double a;
  double b;
  double c;
  double d;
  // Lee, Gonzalez and Eakin
  double tr;
  double ma;
  double k;
  double x;
  double y;
};

GasTerms gas_terms(double temperature, double gas_sg) {
  GasTerms g{};
  const double tpc = 169.0 + 314.0 * gas_sg;
  g.ppc = 708.75 - 57.5 * gas_sg;
  const double tpr = (temperature + kRankineOffset) / tpc;

  // At and below Tpr 1.01 (also for a NaN Tpr) the reciprocal temperature is
  // held at 1.0.
  const double t = tpr > 1.01 ? 1.0 / tpr : 1.0;
  g.a = 0.06125 * t * std::exp(-1.2 * ((1.0 - t) * (1.0 - t)));
  g.b = t * (14.76 - 9.76 * t + 4.58 * (t * t));
  g.c = t * (90.7 - 242.2 * t + 42.4 * (t * t));
  g.d = 2.18 + 2.82 * t;

  g.tr = temperature + kRankineOffset;
  g.ma = 29.0 * gas_sg;
  g.k = (9.4 + 0.02 * g.ma) * std::pow(g.tr, 1.5) / (209.0 + 19.0 * g.ma + g.tr);
  g.x = 3.5 + 986.0 / g.tr + 0.01 * g.ma;
  g.y = 2.4 - 0.2 * g.x;
  return g;
}

// z by Newton's method on the reduced density. A NaN anywhere never meets
// the tolerance, so it ends in the non-converged z = 1.0.
double hall_yarborough_z(const GasTerms& g, double pressure) {
  const double ppr = pressure / g.ppc;
  const double a = g.a;
  const double b = g.b;
  const double c = g.c;
  const double d = g.d;
  double y = kDensityFloor;
  for (int k = 1;; ++k) {
    clamp_to_range(kDensityFloor, y, kDensityCeiling);
    const double y2 = y * y;
    const double y3 = y * y * y;
    const double y4 = y * y * y * y;
    const double w = 1.0 - y;
    const double f = -a * ppr + (y + y2 + y3 - y4) / (w * w * w) - b * y2 + c * std::pow(y, d);
    if (std::fabs(f) <= kTolerance) break;
    if (k == kIterations) return 1.0;
    const double df = (1.0 + 4.0 * y + 4.0 * y2 - 4.0 * y3 + y4) / (w * w * w * w) - 2.0 * b * y +
                      c * d * std::pow(y, d - 1.0);
    y = y - f / df;
    if (y > 1.0) y = kDensityCeiling;
    if (y < 0.0) return 1.0;
  }
  double result = a * ppr / y;
  if (result < kMinimumZ) result = kMinimumZ;
  return result;
}

// Viscosity at the absolute pressure with the gas density from z, the
// correlation's own z (never a tabulated one).
double lge_viscosity(const GasTerms& g, double pressure, double z) {
  const double rho = pressure * g.ma / (10.72 * z * g.tr * 62.4);  // g/cm3
  return g.k * std::exp(g.x * std::pow(rho, g.y)) / 10000.0;
}

// z and viscosity at one absolute pressure, each from its table when the
// table is switched on; the correlation z is solved once and serves both.
struct ZAndViscosity {
  double z;
  double viscosity;
};

ZAndViscosity z_and_viscosity(FluidTables tables, const GasTerms& g, double temperature,
                              double pressure) {
  const bool z_table = tables.use_table(Property::kGasZFactor);
  const bool mu_table = tables.use_table(Property::kGasViscosity);
  double z = 0.0;
  if (!z_table || !mu_table) z = hall_yarborough_z(g, pressure);
  ZAndViscosity r{};
  r.z = z_table ? property_table_value(tables, Property::kGasZFactor, temperature, pressure) : z;
  r.viscosity = mu_table
                    ? property_table_value(tables, Property::kGasViscosity, temperature, pressure)
                    : lge_viscosity(g, pressure, z);
  return r;
}

// Integrand 2P/(z mu) with z raised to the given floor. A tabulated
// viscosity of 0.0 (an empty table switched on) is not guarded: the integrand
// and every pseudo-pressure above it become infinite or NaN.
double integrand(FluidTables tables, const GasTerms& g, double temperature, double pressure,
                 double z_floor) {
  const ZAndViscosity v = z_and_viscosity(tables, g, temperature, pressure);
  double z = v.z;
  if (z < z_floor) z = z_floor;
  return 2.0 * pressure / z / v.viscosity;
}

}  // namespace

void zfachy(const double& temperature, const double& pressure, const double& gas_sg, double& z) {
  const GasTerms g = gas_terms(temperature, gas_sg);
  z = hall_yarborough_z(g, pressure);
}

void gas_viscosity(const double& temperature, const double& gas_sg, const double& pressure,
                   double& viscosity) {
  const GasTerms g = gas_terms(temperature, gas_sg);
  const double p = pressure;
  viscosity = lge_viscosity(g, p, hall_yarborough_z(g, p));
}

void build_pseudo_pressure_table(const double& gas_sg, const double& temperature,
                                 const double& top_pressure, double* pp_pressures,
                                 double* pp_pseudo, std::int32_t& pp_count,
                                 FluidTables fluid_tables) {
  const double g = gas_sg;
  const double t = temperature;
  const double dp = top_pressure / static_cast<double>(kSteps);
  const GasTerms terms = gas_terms(t, g);
  pp_count = kSteps + 1;
  pp_pressures[0] = 0.0;
  pp_pseudo[0] = 0.0;

  double f_prev = integrand(fluid_tables, terms, t, kAtmosphere, kGridZFloor);
  for (int k = 1; k <= kSteps; ++k) {
    pp_pressures[k] = static_cast<double>(k) * dp;
    const double f_k =
        integrand(fluid_tables, terms, t, pp_pressures[k] + kAtmosphere, kGridZFloor);
    const double pm = 0.5 * (pp_pressures[k] + pp_pressures[k - 1]) + kAtmosphere;
    const double f_m = integrand(fluid_tables, terms, t, pm, kMidpointZFloor);
    pp_pseudo[k] = pp_pseudo[k - 1] + dp * (f_prev + 4.0 * f_m + f_k) / 6.0;
    f_prev = f_k;
  }
}

void layer_gas_properties(FluidTables fluid_tables, const double& pressure,
                          const double& temperature, const double& gas_sg,
                          PseudoPressureSource& table_source, std::int32_t& pp_count,
                          double& viscosity, double& z) {
  // Inputs are copied before any output is written, so a caller may pass an
  // output field that also serves as an input.
  const double p = pressure;
  const double t = temperature;
  const double g = gas_sg;
  table_source = PseudoPressureSource{g, t, p + 100.0};
  pp_count = kSteps + 1;
  const ZAndViscosity v = z_and_viscosity(fluid_tables, gas_terms(t, g), t, p + kAtmosphere);
  viscosity = v.viscosity;
  z = v.z;
}

void build_pseudo_pressure_table(const PseudoPressureSource& source, double* pp_pressures,
                                 double* pp_pseudo, std::int32_t& pp_count,
                                 FluidTables fluid_tables) {
  build_pseudo_pressure_table(source.gas_sg, source.temperature, source.top_pressure, pp_pressures,
                              pp_pseudo, pp_count, fluid_tables);
}

void gas_properties(FluidTables fluid_tables, const LayerGas& gas, std::int32_t& pp_count,
                    double* pp_pressures, double* pp_pseudo, double& viscosity, double& z) {
  PseudoPressureSource source{};
  double mu = 0.0;
  double zg = 0.0;
  layer_gas_properties(fluid_tables, gas.pressure, gas.temperature, gas.gas_sg, source, pp_count,
                       mu, zg);
  build_pseudo_pressure_table(source, pp_pressures, pp_pseudo, pp_count, fluid_tables);
  viscosity = mu;
  z = zg;
}

void gas_z_and_viscosity(FluidTables fluid_tables, const double& temperature,
                         const double& pressure, const double& gas_sg, double& z,
                         double& viscosity) {
  const ZAndViscosity r =
      z_and_viscosity(fluid_tables, gas_terms(temperature, gas_sg), temperature, pressure);
  z = r.z;
  viscosity = r.viscosity;
}

}  // namespace dlv
