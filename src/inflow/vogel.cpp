#include "inflow/vogel.hpp"

#include <cstdint>

#include "blocks/block_layout.hpp"

namespace dlv {

double vogel_reference_pressure = 0.0;
double vogel_pressure_ratio = 0.0;

// A call with a non-zero flag before any reference call divides by the
// reference pressure 0: the ratio and the curve are then not finite. The
// arithmetic runs through regardless; nothing is read or written outside the
// two curve arrays.
void vogel_curve(double test_rate, double test_pressure, double reservoir_pressure,
                 double bubble_point, double water_cut, double* rates, double* pressures,
                 std::int32_t changed_pressure_flag) {
  double qt = test_rate;
  double pt = test_pressure;
  const double pr = reservoir_pressure;
  const double pb = bubble_point;
  const double w = water_cut;

  const double fo = 1.0 - w;
  if (changed_pressure_flag == 0) {
    vogel_reference_pressure = pr;
  } else {
    vogel_pressure_ratio = pr / vogel_reference_pressure;
  }
  const double r = vogel_pressure_ratio;
  const double delta = pr / layout::kIntervals;
  pressures[0] = pr;
  rates[0] = 0.0;
  pressures[layout::kLastPoint] = 0.0;
  // Water flows on a straight line of productivity index jw.
  double jw = qt * w / (pr - pt);

  if (pb >= pr) {
    // Saturated: Vogel's curve from the reservoir pressure down.
    const bool scaled = changed_pressure_flag != 0 && pr != vogel_reference_pressure;
    double x = pt / pr;
    if (scaled) x = (pt / pr) * r;
    double qomax = qt * fo / vogel_fraction(x);
    if (scaled) qomax = (qt * fo / vogel_fraction(x)) * r;
    if (!(qomax > 0.01)) qomax = 0.01;
    const double qwmax = jw * pr;
    rates[layout::kLastPoint] = qomax + qwmax;
    for (int k = 1; k <= layout::kLastGridPoint; ++k) {
      pressures[k] = pr - static_cast<double>(k) * delta;
      rates[k] = qomax * vogel_fraction(pressures[k] / pr) + jw * (pr - pressures[k]);
    }
    return;
  }

  // Undersaturated (or a bubble point that is not a number): straight line
  // down to the bubble point, Vogel's curve below it.
  if (changed_pressure_flag > 0) {
    qt = qt * r;
    pt = pt * r;
  }
  double j;
  if (pt > pb || pb == 0.0) {
    j = qt * fo / (pr - pt);
  } else {
    const double x = pt / pb;
    const double d = (pr - pb) + pb * vogel_fraction(x) / 1.8;
    j = qt * fo / d;
  }
  jw = qt * w / (pr - pt);
  const double qb = (pr - pb) * j + (pr - pb) * jw;
  const double qv = pb * j / 1.8;

  int kb = layout::kLastGridPoint;
  for (int k = 1; k <= layout::kLastGridPoint; ++k) {
    pressures[k] = pr - static_cast<double>(k) * delta;
    rates[k] = (pr - pressures[k]) * j + (pr - pressures[k]) * jw;
    if (pressures[k] <= pb) {
      pressures[k] = pb;
      rates[k] = qb;
      kb = k;
      break;
    }
  }
  for (int m = kb + 1; m <= layout::kLastGridPoint; ++m) {
    pressures[m] = pr - static_cast<double>(m) * delta;
    const double x = pressures[m] / pb;
    rates[m] = (qv * vogel_fraction(x) + (pb - pressures[m]) * jw) + qb;
  }
  rates[layout::kLastPoint] = (qb + qv) + jw * pb;
}

}  // namespace dlv
