#include "fluids/spreadsheet_pvt.hpp"

#include <cmath>
#include <limits>
#include <numbers>

#include "numerics/units.hpp"

namespace dlv {

namespace {

// 10^x, by the exponential (cheaper than the general power).
double exp10(double x) { return std::exp(x * std::numbers::ln10); }

}  // namespace

double standing_solution_gor(double pressure, double temperature, double api_gravity,
                             double gas_sg) {
  const double base = (pressure / 18.0) * exp10(0.0125 * api_gravity - 0.00091 * temperature);
  return gas_sg * std::pow(base, 1.2048);
}

double guo_oil_fvf(double solution_gor, double temperature, double gas_sg, double oil_sg) {
  const double x = solution_gor * std::sqrt(gas_sg / oil_sg) + 1.25 * temperature;
  return 0.971 + 0.000147 * std::pow(x, 1.175);
}

PseudoCritical ahmed_pseudo_critical(double gas_sg) {
  return {326.0 + 315.7 * (gas_sg - 0.5), 678.0 - 50.0 * (gas_sg - 0.5)};
}

PseudoCritical standing_pseudo_critical(double gas_sg) {
  return {168.0 + 325.0 * gas_sg - 12.5 * gas_sg * gas_sg,
          677.0 + 15.0 * gas_sg - 37.5 * gas_sg * gas_sg};
}

PseudoCritical hagedorn_sheet_pseudo_critical(double gas_sg) {
  return {169.0 + 314.0 * gas_sg, 708.75 - 57.7 * gas_sg};
}

double brill_beggs_z(double pressure, double temperature, const PseudoCritical& critical) {
  const double tpr = (temperature + kRankineOffset) / critical.temperature;
  const double ppr = pressure / critical.pressure;
  // The fit holds above a reduced temperature of 0.92; NaN fails this test too.
  if (!(tpr > 0.92) || !std::isfinite(tpr) || !std::isfinite(ppr)) {
    return std::numeric_limits<double>::quiet_NaN();
  }
  const double a = 1.39 * std::sqrt(tpr - 0.92) - 0.36 * tpr - 0.101;
  const double ppr2 = ppr * ppr;
  const double ppr6 = ppr2 * ppr2 * ppr2;
  const double b = (0.62 - 0.23 * tpr) * ppr + (0.066 / (tpr - 0.86) - 0.037) * ppr2 +
                   0.32 * ppr6 * exp10(-9.0 * (tpr - 1.0));
  const double c = 0.132 - 0.32 * std::log10(tpr);
  const double d = exp10(0.3106 - 0.49 * tpr + 0.1824 * tpr * tpr);
  return a + (1.0 - a) * std::exp(-b) + c * std::pow(ppr, d);
}

double ckb_gas_viscosity(double pressure, double temperature, double gas_sg,
                         const PseudoCritical& critical) {
  static constexpr double a[16] = {-2.46211820, 2.97054714,  -0.28626405, 0.00805420,
                                   2.80860949,  -3.49803305, 0.36037302,  -0.01044324,
                                   -0.79338568, 1.39643306,  -0.14914493, 0.00441016,
                                   0.08393872,  -0.18640885, 0.02033679,  -0.00060958};
  const double tpr = (temperature + kRankineOffset) / critical.temperature;
  const double ppr = pressure / critical.pressure;
  const double mu1 =
      (1.709e-5 - 2.062e-6 * gas_sg) * temperature + 8.188e-3 - 6.15e-3 * std::log10(gas_sg);
  double sum = 0.0;
  double tpower = 1.0;
  for (int i = 0; i < 4; ++i) {
    const double row = a[4 * i] + ppr * (a[4 * i + 1] + ppr * (a[4 * i + 2] + ppr * a[4 * i + 3]));
    sum += tpower * row;
    tpower *= tpr;
  }
  return mu1 * std::exp(sum) / tpr;
}

double beggs_robinson_oil_viscosity(double api_gravity, double temperature, double solution_gor) {
  const double x = exp10(3.0324 - 0.02023 * api_gravity) / std::pow(temperature, 1.163);
  const double dead = exp10(x) - 1.0;
  if (!(solution_gor > 0.0)) return dead;
  const double a = 10.715 / std::pow(solution_gor + 100.0, 0.515);
  const double b = 5.44 / std::pow(solution_gor + 150.0, 0.338);
  return a * std::pow(dead, b);
}

}  // namespace dlv
