#include "inflow/darcy_vogel.hpp"

#include <cmath>
#include <cstdint>

#include "blocks/block_layout.hpp"
#include "inflow/vogel.hpp"

namespace dlv {

// A zero flow denominator (L = 0, or a zero volume factor or viscosity) is not
// caught: the productivity indices become infinite or not a number and the
// rates follow. A zero wellbore radius makes L infinite and J zero, leaving
// only the floored Vogel increment. Only the two curves and the reservoir
// pressure are written.
void darcy_vogel_curve(const RadialLayer& radial, const OilLayerFluid& fluid,
                       double& reservoir_pressure, CurveOutput curve,
                       std::int32_t /*changed_pressure_flag*/) {
  const double kh = radial.permeability * radial.thickness;
  const double b = fluid.liquid_fvf;
  const double w = fluid.water_cut;
  const double pb = fluid.bubble_point;
  double* const rates = curve.rates;
  double* const pressures = curve.pressures;

  const double fo = 1.0 - w;
  const double l = std::log(0.472 * radial.drainage_radius / radial.wellbore_radius) + radial.skin;
  const double d_oil = 141.2 * b * fluid.oil_viscosity * l;
  const double d_water = 141.2 * b * fluid.liquid_viscosity * l;
  const bool invalid = d_oil < 0.0;
  const double j = kh / d_oil;
  const double jw = (kh / d_water) * w;

  if (reservoir_pressure < 1.0) reservoir_pressure = 1.0;
  const double pr = reservoir_pressure;
  const double delta = pr / layout::kIntervals;
  pressures[0] = pr;
  rates[0] = 0.0;
  pressures[layout::kLastPoint] = 0.0;

  if (pb >= pr) {
    // Saturated: Vogel's curve from the reservoir pressure down.
    double qv = pr * j / 1.8;
    if (!(qv > 0.01)) qv = 0.01;
    qv = qv * fo;
    for (int n = 1; n <= layout::kLastGridPoint; ++n) {
      pressures[n] = pr - static_cast<double>(n) * delta;
      rates[n] = qv * vogel_fraction(pressures[n] / pr) + jw * (pr - pressures[n]);
    }
    rates[layout::kLastPoint] = qv + jw * pr;
  } else {
    // Undersaturated (or a bubble point that is not a number): straight line
    // down to the bubble point, Vogel's curve below it.
    const double qb = (pr - pb) * j * fo + (pr - pb) * jw;
    double qv = pb * j / 1.8;
    if (!(qv > 0.01)) qv = 0.01;
    qv = qv * fo;
    rates[layout::kLastPoint] = (qb + qv) + pb * jw;
    int kb = layout::kLastGridPoint;
    for (int n = 1; n <= layout::kLastGridPoint; ++n) {
      pressures[n] = pr - static_cast<double>(n) * delta;
      rates[n] = (pr - pressures[n]) * j * fo + (pr - pressures[n]) * jw;
      if (pressures[n] <= pb) {
        pressures[n] = pb;
        rates[n] = qb;
        kb = n;
        break;
      }
    }
    for (int m = kb + 1; m <= layout::kLastGridPoint; ++m) {
      pressures[m] = pr - static_cast<double>(m) * delta;
      const double x = pressures[m] / pb;
      rates[m] = (qv * vogel_fraction(x) + (pb - pressures[m]) * jw) + qb;
    }
  }

  if (invalid) {
    for (int n = 1; n <= layout::kLastPoint; ++n) rates[n] = invalid_rate;
  }
}

}  // namespace dlv
