#include "tubing/surface_tension.hpp"

#include <cmath>
#include <limits>

namespace dlv {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kFloor = 1.0;  // dyn/cm, the value near miscibility

// The value at temperature on the line between (t_low, low) and
// (t_high, high), held at the end values outside.
double between_temperatures(double temperature, double t_low, double low, double t_high,
                            double high) {
  if (temperature <= t_low) return low;
  if (temperature >= t_high) return high;
  return low - (temperature - t_low) * (low - high) / (t_high - t_low);
}

// The tension raised to the floor; NaN gives the floor, as fmax would.
double at_least_floor(double sigma) { return sigma >= kFloor ? sigma : kFloor; }

}  // namespace

double dead_oil_surface_tension(double api, double temperature) {
  if (!std::isfinite(api) || api < 0.0 || !std::isfinite(temperature)) return kNaN;
  return between_temperatures(temperature, 68.0, 39.0 - 0.2571 * api, 100.0, 37.5 - 0.2571 * api);
}

double live_oil_surface_tension(double api, double temperature, double pressure) {
  if (!std::isfinite(pressure) || pressure <= 0.0) return kNaN;
  return live_oil_surface_tension_at(dead_oil_surface_tension(api, temperature),
                                     std::log(pressure));
}

double live_oil_surface_tension_at(double dead_tension, double ln_pressure) {
  if (std::isnan(dead_tension)) return kNaN;
  return at_least_floor((1.0 - 0.024 * std::exp(0.45 * ln_pressure)) * dead_tension);
}

double gas_water_surface_tension(double temperature, double pressure) {
  if (!std::isfinite(temperature) || !std::isfinite(pressure) || pressure <= 0.0) return kNaN;
  return gas_water_surface_tension_at(temperature, std::log(std::fmax(pressure, 14.7)));
}

double gas_water_surface_tension_at(double temperature, double ln_pressure) {
  if (!std::isfinite(temperature)) return kNaN;
  // Only the end lines the temperature needs are worked out.
  const auto low = [&] { return 75.0 - 1.108 * std::exp(0.349 * ln_pressure); };
  const auto high = [&] { return 53.0 - 0.1048 * std::exp(0.637 * ln_pressure); };
  double sigma = 0.0;
  if (temperature <= 74.0) {
    sigma = low();
  } else if (temperature >= 280.0) {
    sigma = high();
  } else {
    sigma = between_temperatures(temperature, 74.0, low(), 280.0, high());
  }
  return at_least_floor(sigma);
}

double liquid_surface_tension(double oil_fraction, double oil_tension, double water_tension) {
  if (!(oil_fraction >= 0.0 && oil_fraction <= 1.0)) return kNaN;
  if (!std::isfinite(oil_tension) || !std::isfinite(water_tension)) return kNaN;
  if (oil_tension < 0.0 || water_tension < 0.0) return kNaN;
  return oil_fraction * oil_tension + (1.0 - oil_fraction) * water_tension;
}

}  // namespace dlv
