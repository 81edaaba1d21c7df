// The spreadsheet fluids' correlations (Standing's Rs, Guo's Bo, Beggs and
// Robinson's oil viscosity, Brill and Beggs' z, the Carr-Kobayashi-Burrows
// gas viscosity) split into the terms that depend on the temperature alone
// and the few that depend on the pressure, so that a traverse works the
// temperature terms once per temperature and each pressure costs a handful of
// exponentials of one logarithm. The values are those of the plain forms in
// fluids/spreadsheet_pvt.hpp to rounding.
//
// Units: psia, degrees F (Rankine = F + 460 inside), scf/stb, cp.
#pragma once

#include "fluids/spreadsheet_pvt.hpp"

namespace dlv {

// Brill and Beggs' z and the CKB viscosity at one temperature:
//   z = a + (1 - a) exp(-(b1 ppr + b2 ppr^2 + b6 ppr^6)) + c ppr^d,
//   mu_g = scale exp(m0 + ppr (m1 + ppr (m2 + ppr m3))).
// z is NaN when the reduced temperature is at or below 0.92 (or not finite).
struct GasTemperatureTerms {
  bool z_valid = false;
  double a = 0.0, b1 = 0.0, b2 = 0.0, b6 = 0.0, c = 0.0, d = 0.0;
  double m[4] = {0.0, 0.0, 0.0, 0.0};
  double scale = 0.0;
};
// The gas's own terms: its pseudo-critical properties and the CKB
// atmospheric viscosity's line in temperature, mu1 = slope T + intercept.
struct GasTerms {
  PseudoCritical critical{};
  double slope = 0.0;
  double intercept = 0.0;
};
GasTerms gas_terms(double gas_sg, const PseudoCritical& critical);
GasTemperatureTerms gas_temperature_terms(double temperature, const GasTerms& gas);
// ln_ppr is log(ppr), passed so that one logarithm of the pressure serves
// every power of it.
double brill_beggs_z_at(const GasTemperatureTerms& g, double ppr, double ln_ppr);
double ckb_gas_viscosity_at(const GasTemperatureTerms& g, double ppr);

// Standing's Rs in Guo's form is gas_sg exp(1.2048 ln p + rs_term(T, API)).
double standing_rs_term(double temperature, double api_gravity);
double standing_solution_gor_at(double gas_sg, double rs_term, double ln_pressure);

// Guo's Bo with sqrt(gas_sg / oil_sg) given.
double guo_oil_fvf_at(double solution_gor, double temperature, double gravity_root);

// Beggs and Robinson: the dead oil at (API, T) from the gravity's term
// 10^(3.0324 - 0.02023 API), then the live oil from the dead oil's value and
// its logarithm.
double beggs_robinson_gravity_term(double api_gravity);
double beggs_robinson_dead_oil(double gravity_term, double temperature);
double beggs_robinson_live_oil(double dead, double ln_dead, double solution_gor);

}  // namespace dlv
