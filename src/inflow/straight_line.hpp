// Curves that need no fluid properties: the straight line of a productivity
// index, the straight line through two level tests, and Vogel's curve
// through two tests with the reservoir pressure solved for.
//
// Every curve has rates[0] = 0 at its shut-in pressure and pressures[24] = 0
// with the largest rate.
#pragma once

#include <cstdint>

#include "numerics/curve_arguments.hpp"

namespace dlv {

// rates = (pr - p) * J on the grid p = pr - k * (pr / 24), the step held in
// single precision. changed_pressure_flag has no effect.
void pi_line_curve(double productivity_index, double reservoir_pressure, double* rates,
                   double* pressures, std::int32_t changed_pressure_flag);

// Two level tests: the gradient that turns a level into a pressure, each
// test's rate and level, and the two factors of the surface term.
struct LevelTests {
  double gradient;
  double rate_1;
  double level_1;
  double rate_2;
  double level_2;
  double surface_term_a;
  double surface_term_b;
};

// Straight line through two tests whose flowing pressures are
// level * gradient + surface_term_a * surface_term_b. Writes the productivity
// index; a reservoir_pressure of 0 makes the curve start at the pressure of
// zero rate on that line (the argument itself is not written).
// changed_pressure_flag is not used.
void two_rate_line_curve(const LevelTests& tests, double reservoir_pressure, CurveOutput curve,
                         double& productivity_index, std::int32_t changed_pressure_flag);

// Two flowing tests: rates and flowing pressures.
struct TwoTests {
  double rate_1;
  double pressure_1;
  double rate_2;
  double pressure_2;
};

// Solves Vogel's equation through two tests for the reservoir pressure
// (written back, at least 1.0) and writes the water-cut blend of the oil
// curve and the straight water line through the tests.
void vogel_two_test_curve(const TwoTests& tests, double& reservoir_pressure, double water_cut,
                          CurveOutput curve);

}  // namespace dlv
