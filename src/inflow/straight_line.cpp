#include "inflow/straight_line.hpp"

#include <cmath>
#include <cstdint>

#include "blocks/block_layout.hpp"
#include "inflow/vogel.hpp"

namespace dlv {

void pi_line_curve(double productivity_index, double reservoir_pressure, double* rates,
                   double* pressures, std::int32_t /*changed_pressure_flag*/) {
  const double j = productivity_index;
  const double pr = reservoir_pressure;
  // The grid step and each multiple of it are single precision.
  const float delta = static_cast<float>(pr / layout::kIntervals);
  rates[0] = 0.0;
  pressures[0] = pr;
  rates[layout::kLastPoint] = pr * j;
  pressures[layout::kLastPoint] = 0.0;
  for (int k = 1; k <= layout::kLastGridPoint; ++k) {
    const float step = static_cast<float>(k) * delta;
    pressures[k] = pr - static_cast<double>(step);
    rates[k] = (pr - pressures[k]) * j;
  }
}

void two_rate_line_curve(const LevelTests& tests, double reservoir_pressure, CurveOutput curve,
                         double& productivity_index, std::int32_t /*changed_pressure_flag*/) {
  double* const rates = curve.rates;
  double* const pressures = curve.pressures;
  const double g = tests.gradient;
  const double j = -(tests.rate_2 - tests.rate_1) / ((tests.level_2 - tests.level_1) * g);
  productivity_index = j;
  double pr = reservoir_pressure;
  if (pr == 0.0) {
    pr = (tests.level_1 * g + tests.surface_term_a * tests.surface_term_b) + tests.rate_1 / j;
  }
  const double delta = pr / layout::kIntervals;
  rates[0] = 0.0;
  pressures[0] = pr;
  rates[layout::kLastPoint] = pr * j;
  pressures[layout::kLastPoint] = 0.0;
  for (int k = 1; k <= layout::kLastGridPoint; ++k) {
    pressures[k] = pr - static_cast<double>(k) * delta;
    rates[k] = (pr - pressures[k]) * j;
  }
}

// A negative discriminant makes the solved pressure not a number; like any
// pressure not above 1.0 it is then raised to 1.0.
void vogel_two_test_curve(const TwoTests& tests, double& reservoir_pressure, double water_cut,
                          CurveOutput curve) {
  double* const rates = curve.rates;
  double* const pressures = curve.pressures;
  const double q1 = tests.rate_1, p1 = tests.pressure_1;
  const double q2 = tests.rate_2, p2 = tests.pressure_2;
  const double w = water_cut;
  const double fo = 1.0 - w;

  double dq = q2 - q1;
  const double sigma = dq < 0.0 ? -1.0 : 1.0;
  if (dq == 0.0) dq = 100.0;
  const double b = 0.2 * (p2 * q1 - p1 * q2);
  const double c = 0.8 * (q1 * (p2 * p2) - q2 * (p1 * p1));
  double pr = 0.5 * (sigma * std::sqrt(b * b - 4.0 * dq * c) - b) / dq;
  if (!(pr > 1.0)) pr = 1.0;
  reservoir_pressure = pr;

  const double x1 = p1 / pr;
  double qmax = q1 / (1.0 - 0.2 * x1 - 0.8 * x1 * x1);
  if (!(qmax > 0.01)) qmax = 0.01;

  // Water line through the two tests and its pressure of zero rate.
  const double j = dq / (p1 - p2);
  const double prw = q2 / j + p2;

  const double delta_o = pr / layout::kIntervals;
  const double delta_w = prw / layout::kIntervals;
  pressures[0] = pr * fo + prw * w;
  rates[0] = 0.0;
  pressures[layout::kLastPoint] = 0.0;
  rates[layout::kLastPoint] = qmax * fo + (prw * j) * w;
  for (int k = 1; k <= layout::kLastGridPoint; ++k) {
    const double po = pr - static_cast<double>(k) * delta_o;
    const double x = po / pr;
    const double dw = static_cast<double>(k) * delta_w;
    rates[k] = qmax * vogel_fraction(x) * fo + j * dw * w;
    pressures[k] = po * fo + (prw - dw) * w;
  }
}

}  // namespace dlv
