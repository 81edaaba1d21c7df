// The black-oil and gas correlations of Guo's published spreadsheets
// (Guo, Lyons and Ghalambor, Petroleum Production Engineering, 2007), in the
// forms those spreadsheets print: Standing's solution gas/oil ratio, Guo's
// oil volume factor, three sets of gas pseudo-critical properties, the
// Brill-Beggs deviation factor and the Carr-Kobayashi-Burrows gas viscosity
// with Dempsey's fit.
//
// Units: pressure in psia, temperature in degrees F (Rankine = F + 460 inside),
// gas/oil ratio in scf/STB, viscosity in cp, gravities relative to air and
// water.
#pragma once

namespace dlv {

struct PseudoCritical {
  double temperature = 0.0;  // degrees R
  double pressure = 0.0;     // psia
};

// Standing's solution gas/oil ratio in Guo's form:
// Rs = gamma_g * ((p / 18) * 10^(0.0125 API) / 10^(0.00091 T))^1.2048.
double standing_solution_gor(double pressure, double temperature, double api_gravity,
                             double gas_sg);

// Guo's oil volume factor:
// Bo = 0.971 + 0.000147 * (Rs * (gamma_g / gamma_o)^0.5 + 1.25 T)^1.175.
double guo_oil_fvf(double solution_gor, double temperature, double gas_sg, double oil_sg);

// Pseudo-critical properties of a sweet gas by gravity: Ahmed's (the
// Poettmann-Carpenter spreadsheet), Standing's (dry gas) and the pair of
// Guo's Hagedorn-Brown spreadsheet (Tpc = 169 + 314 g, Ppc = 708.75 - 57.7 g).
PseudoCritical ahmed_pseudo_critical(double gas_sg);
PseudoCritical standing_pseudo_critical(double gas_sg);
PseudoCritical hagedorn_sheet_pseudo_critical(double gas_sg);

// Brill and Beggs' explicit deviation factor at (p, T) for the given
// pseudo-critical properties. Meant for reduced temperatures above 0.92; below
// it (or for inputs that are not finite) the result is NaN.
double brill_beggs_z(double pressure, double temperature, const PseudoCritical& critical);

// Gas viscosity by Carr, Kobayashi and Burrows with Dempsey's fit, the reduced
// temperature and pressure taken from the given pseudo-critical properties.
double ckb_gas_viscosity(double pressure, double temperature, double gas_sg,
                         const PseudoCritical& critical);

// Oil viscosity by Beggs and Robinson: the dead oil at (API, T) and, for
// solution_gor > 0, the saturated live oil. The simplified fluids of the
// tubing take it when no oil viscosity is given.
double beggs_robinson_oil_viscosity(double api_gravity, double temperature, double solution_gor);

}  // namespace dlv
