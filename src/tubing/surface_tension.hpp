// Gas-liquid surface tension in dyn/cm: dead oil by Baker and Swerdloff with
// the live-oil (dissolved gas) correction, gas-water by its curve fit between
// 74 and 280 F, and the liquid mixture by volume fractions.
//
// Temperatures in degrees F, pressures in psia. An input that is NaN,
// infinite or out of range (a negative API gravity, a pressure at or below 0,
// an oil fraction outside [0, 1]) gives NaN.
#pragma once

namespace dlv {

// Dead oil at 1 atm: 39 - 0.2571 API at 68 F, 37.5 - 0.2571 API at 100 F,
// linear in between and held constant outside 68-100 F.
double dead_oil_surface_tension(double api, double temperature);

// Live oil: the dead-oil value times 1 - 0.024 p^0.45, never below 1 dyn/cm
// (the factor reaches 0 near 3980 psia).
double live_oil_surface_tension(double api, double temperature, double pressure);

// Gas-water: 75 - 1.108 p^0.349 at 74 F, 53 - 0.1048 p^0.637 at 280 F,
// linear in between and held constant outside 74-280 F; the pressure is
// raised to 14.7 psia first and the result is never below 1 dyn/cm.
double gas_water_surface_tension(double temperature, double pressure);

// The same two tensions from the natural logarithm of the pressure (for the
// gas-water tension, of the pressure already raised to 14.7 psia) and, for
// the live oil, the dead oil's tension: one logarithm serves both.
double live_oil_surface_tension_at(double dead_tension, double ln_pressure);
double gas_water_surface_tension_at(double temperature, double ln_pressure);

// The liquid's surface tension, weighted by the in-situ oil volume fraction
// f_o: f_o sigma_o + (1 - f_o) sigma_w.
double liquid_surface_tension(double oil_fraction, double oil_tension, double water_tension);

}  // namespace dlv
