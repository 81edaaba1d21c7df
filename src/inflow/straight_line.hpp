// Curves that need no fluid properties: the straight line of a productivity
// index, the straight line through two level tests, and Vogel's curve
// through two tests with the reservoir pressure solved for.
//
// Every curve has rates[0] = 0 at its shut-in pressure and pressures[24] = 0
// with the largest rate.
#pragma once

#include <cstdint>

namespace dlv {

// rates = (pr - p) * J on the grid p = pr - k * (pr / 24), the step held in
// single precision. changed_pressure_flag has no effect.
void pi_line_curve(double productivity_index, double reservoir_pressure, double* rates,
                   double* pressures, std::int32_t changed_pressure_flag);

// Straight line through two tests whose flowing pressures are
// level * gradient + surface_term_a * surface_term_b. Writes the productivity
// index; a reservoir_pressure of 0 makes the curve start at the pressure of
// zero rate on that line (the argument itself is not written).
// changed_pressure_flag is not used.
void two_rate_line_curve(double gradient, double rate_1, double level_1, double rate_2,
                         double level_2, double reservoir_pressure, double surface_term_a,
                         double surface_term_b, double* rates, double* pressures,
                         double& productivity_index, std::int32_t changed_pressure_flag);

// Solves Vogel's equation through two tests for the reservoir pressure
// (written back, at least 1.0) and writes the water-cut blend of the oil
// curve and the straight water line through the tests. bubble_point is not
// used.
void vogel_two_test_curve(double test_rate_1, double test_pressure_1, double test_rate_2,
                          double test_pressure_2, double& reservoir_pressure, double bubble_point,
                          double water_cut, double* rates, double* pressures);

}  // namespace dlv
