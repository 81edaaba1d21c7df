#include "inflow/horizontal_well.hpp"

#include <cmath>
#include <cstdint>

#include "blocks/block_layout.hpp"
#include "inflow/vogel.hpp"
#include "numerics/units.hpp"

namespace dlv {

namespace {

// Partial-penetration function of the well's end positions along y.
double end_function(double u) {
  if (u <= 1.0) return -u * (0.145 + std::log(u) - 0.137 * (u * u));
  const double v = 2.0 - u;
  return v * (0.145 + std::log(v) - 0.137 * (v * v));
}

}  // namespace

void horizontal_well_curve(std::int32_t fluid, const HorizontalWellFluid& properties,
                           const DrainageBox& box, const HorizontalWellPath& well,
                           double reservoir_pressure, CurveOutput curve) {
  double* const rates = curve.rates;
  double* const pressures = curve.pressures;
  const double kx = box.perm_x;
  const double ky = box.perm_y;
  const double kz = box.perm_z;
  const double h = box.thickness;
  const double a = box.box_width_x;
  const double b = box.box_length_y;
  const double z0 = well.well_elevation_z;
  const double rw = well.wellbore_radius;
  const double pr = reservoir_pressure;
  const double pb = properties.bubble_point;

  if (kx * h * a * ky * b == 0.0) return;

  const double y1 = well.well_start_y;
  const double y2 = well.well_length + y1;
  const double len = y2 - y1;
  const double y_mid = (y1 + y2) / 2.0;

  // Shape factor ln C_H of the well's position across the box.
  const double xa = well.well_position_x / a;
  const double ln_ch = 6.28 * (a / h) * std::sqrt(kz / kx) * (0.333 - xa + xa * xa) -
                       std::log(std::sin(3.1415926 * z0 / h)) -
                       0.5 * std::log((a / h) * std::sqrt(kz / kx)) - 1.088;

  // Partial-penetration skin.
  const double p_xyz = (b / len - 1.0) * (std::log(h / rw) + 0.25 * std::log(kx / kz) -
                                          std::log(std::sin(3.1415 * z0 / h)) - 1.84);
  const double u5 = (4.0 * y_mid - len) / (2.0 * b);
  const double u6 = (4.0 * y_mid + len) / (2.0 * b);
  double s_r;
  if ((a / std::sqrt(kx)) / (b / std::sqrt(ky)) > 0.75) {
    const double u8 = len / (2.0 * b);
    const double p_y = (2.0 * (b * b) / (len * h)) * std::sqrt(kz / ky) *
                       (-u8 * (0.145 + std::log(u8) - 0.137 * (u8 * u8)) +
                        0.5 * (end_function(u6) - end_function(u5)));
    s_r = p_xyz + p_y;
  } else {
    const double yb = y_mid / b;
    const double p_y = (6.28 * (b * b) / (a * h)) * (std::sqrt(kx * kz) / ky) *
                       (0.3333 - yb + yb * yb + (len / (24.0 * b)) * (len / b - 3.0));
    const double p_xy =
        (b / len - 1.0) * 6.28 * (a / h) * std::sqrt(kz / kx) * (0.3333 - xa + xa * xa);
    s_r = p_xyz + p_y + p_xy;
  }

  const bool oil = fluid == 0;
  const double kconst = oil ? 0.007078 : 0.000703;
  const double f =
      oil ? properties.liquid_fvf : properties.z_factor * (properties.temperature + kRankineOffset);
  const double j = kconst * b * std::sqrt(kx * kz) /
                   (properties.viscosity * f *
                    (std::log(std::sqrt(a * h) / rw) + ln_ch - 0.75 + s_r + well.skin));

  pressures[0] = pr;
  rates[0] = 0.0;
  pressures[layout::kLastPoint] = 0.0;
  const double delta = pr / layout::kIntervals;

  if (!oil) {
    for (int n = 1; n <= layout::kLastPoint; ++n) {
      pressures[n] = pr - static_cast<double>(n) * delta;
      rates[n] = (pr * pr - pressures[n] * pressures[n]) * j;
    }
    return;
  }

  // The Vogel increment is held at 0.01 or more; an increment that is not a
  // number stays so.
  if (pb >= pr) {
    double qv = pr * j / 1.8;
    if (qv < 0.01) qv = 0.01;
    for (int n = 1; n <= layout::kLastPoint; ++n) {
      pressures[n] = pr - static_cast<double>(n) * delta;
      rates[n] = qv * vogel_fraction(pressures[n] / pr);
    }
    return;
  }

  // Undersaturated (or a bubble point that is not a number): straight line
  // down to the bubble point, Vogel's curve below it. A grid point less than
  // 1 psi from the bubble point counts as lying on it; when the grid crosses
  // the bubble point by 1 psi or more, the last grid node above it is pulled
  // down onto the bubble point.
  const double qb = (pr - pb) * j;
  double qv = pb * j / 1.8;
  if (qv < 0.01) qv = 0.01;
  rates[layout::kLastPoint] = qb + qv;

  int stop = 0;
  for (int n = 1; n <= layout::kLastGridPoint; ++n) {
    pressures[n] = pr - static_cast<double>(n) * delta;
    // Truncated toward zero in double precision, so a difference that is not
    // a number or out of integer range keeps the walk on the straight line.
    const double d = std::trunc(pressures[n] - pb);
    if (d < 0.0) {
      // The node above moves onto the bubble point, unless it is the shut-in
      // point: index 0 always keeps pr and rate 0, and the curve then runs
      // from the shut-in point straight onto Vogel's curve at index 1.
      if (n > 1) pressures[n - 1] = pb;
      stop = n;
      break;
    }
    if (d == 0.0) {
      stop = n;
      break;
    }
    rates[n] = (pr - pressures[n]) * j;
  }
  if (stop == 0) return;  // the straight line reaches index 23

  if (stop > 1) rates[stop - 1] = (pr - pressures[stop - 1]) * j;
  for (int m = stop; m <= layout::kLastGridPoint; ++m) {
    pressures[m] = pr - static_cast<double>(m) * delta;
    rates[m] = qv * vogel_fraction(pressures[m] / pb) + qb;
  }
}

}  // namespace dlv
