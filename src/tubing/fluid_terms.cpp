#include "tubing/fluid_terms.hpp"

#include <cmath>
#include <numbers>

#include "numerics/units.hpp"

namespace dlv {

namespace {

double exp10(double x) { return std::exp(x * std::numbers::ln10); }

constexpr double kRsExponent = 1.2048;

// The Dempsey coefficients of the CKB fit, by powers of Tpr (rows) and Ppr
// (columns).
constexpr double kDempsey[4][4] = {{-2.46211820, 2.97054714, -0.28626405, 0.00805420},
                                   {2.80860949, -3.49803305, 0.36037302, -0.01044324},
                                   {-0.79338568, 1.39643306, -0.14914493, 0.00441016},
                                   {0.08393872, -0.18640885, 0.02033679, -0.00060958}};

}  // namespace

GasTerms gas_terms(double gas_sg, const PseudoCritical& critical) {
  return {critical, 1.709e-5 - 2.062e-6 * gas_sg, 8.188e-3 - 6.15e-3 * std::log10(gas_sg)};
}

GasTemperatureTerms gas_temperature_terms(double temperature, const GasTerms& gas) {
  GasTemperatureTerms g;
  const double tpr = (temperature + kRankineOffset) / gas.critical.temperature;
  g.z_valid = tpr > 0.92 && std::isfinite(tpr);
  if (g.z_valid) {
    g.a = 1.39 * std::sqrt(tpr - 0.92) - 0.36 * tpr - 0.101;
    g.b1 = 0.62 - 0.23 * tpr;
    g.b2 = 0.066 / (tpr - 0.86) - 0.037;
    g.b6 = 0.32 * exp10(-9.0 * (tpr - 1.0));
    g.c = 0.132 - 0.32 * (std::log(tpr) / std::numbers::ln10);
    g.d = exp10(0.3106 - 0.49 * tpr + 0.1824 * tpr * tpr);
  }
  // The CKB sum rearranged as a cubic in Ppr whose coefficients are cubics in
  // Tpr.
  for (int j = 0; j < 4; ++j) {
    g.m[j] =
        kDempsey[0][j] + tpr * (kDempsey[1][j] + tpr * (kDempsey[2][j] + tpr * kDempsey[3][j]));
  }
  g.scale = (gas.slope * temperature + gas.intercept) / tpr;
  return g;
}

double brill_beggs_z_at(const GasTemperatureTerms& g, double ppr, double ln_ppr) {
  if (!g.z_valid || !std::isfinite(ppr)) return std::nan("");
  const double ppr2 = ppr * ppr;
  const double ppr6 = ppr2 * ppr2 * ppr2;
  const double b = g.b1 * ppr + g.b2 * ppr2 + g.b6 * ppr6;
  return g.a + (1.0 - g.a) * std::exp(-b) + g.c * std::exp(g.d * ln_ppr);
}

double ckb_gas_viscosity_at(const GasTemperatureTerms& g, double ppr) {
  return g.scale * std::exp(g.m[0] + ppr * (g.m[1] + ppr * (g.m[2] + ppr * g.m[3])));
}

double standing_rs_term(double temperature, double api_gravity) {
  return kRsExponent *
         ((0.0125 * api_gravity - 0.00091 * temperature) * std::numbers::ln10 - std::log(18.0));
}

double standing_solution_gor_at(double gas_sg, double rs_term, double ln_pressure) {
  return gas_sg * std::exp(kRsExponent * ln_pressure + rs_term);
}

double guo_oil_fvf_at(double solution_gor, double temperature, double gravity_root) {
  const double x = solution_gor * gravity_root + 1.25 * temperature;
  return 0.971 + 0.000147 * std::exp(1.175 * std::log(x));
}

double beggs_robinson_gravity_term(double api_gravity) {
  return exp10(3.0324 - 0.02023 * api_gravity);
}

double beggs_robinson_dead_oil(double gravity_term, double temperature) {
  const double x = gravity_term * std::exp(-1.163 * std::log(temperature));
  return exp10(x) - 1.0;
}

double beggs_robinson_live_oil(double dead, double ln_dead, double solution_gor) {
  if (!(solution_gor > 0.0)) return dead;
  const double a = 10.715 * std::exp(-0.515 * std::log(solution_gor + 100.0));
  const double b = 5.44 * std::exp(-0.338 * std::log(solution_gor + 150.0));
  return a * std::exp(b * ln_dead);
}

}  // namespace dlv
