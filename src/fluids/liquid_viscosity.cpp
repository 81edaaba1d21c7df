#include "fluids/liquid_viscosity.hpp"

#include <cmath>

#include "platform/diagnostic_log.hpp"

namespace dlv {

void liqvis(const LiquidViscosityInput& in, std::int32_t viscosity_correlation,
            double& dead_oil_viscosity, double& oil_viscosity, double& water_viscosity,
            std::int32_t& ierr) {
  const double t = in.temperature;
  const double api = in.api_gravity;
  const double rs = in.solution_gor;
  const double p = in.pressure;
  const double pb = in.bubble_point;
  const std::int32_t code = viscosity_correlation;

  // Every check runs, so each faulty input gets its own line in the log. A
  // NaN fails none of them and runs through to NaN results.
  ierr = 0;
  if (t < -50.0 || t > 500.0) {
    write_log(":Temperature out of range in liqvis()\r\n");
    ierr = 1;
  }

  // The water viscosity does not depend on the oil and is always written.
  water_viscosity = std::exp(1.003 - 0.01479 * t + 1.982e-5 * (t * t));

  if (api < 5.0 || api > 80.0) {
    write_log(": Illegal input value for (API gravity) in liqvis()\r\n");
    ierr = 1;
  }
  if (rs < 0.0) {
    write_log(": Illegal input value for (solution gas/oil ratio) in liqvis()\r\n");
    ierr = 1;
  }
  if (p < 0.0) {
    write_log(": Illegal input value for (pressure) in liqvis()\r\n");
    ierr = 1;
  }
  if (pb <= 0.0 || pb > 3e6) {
    write_log(": Illegal input value for (bubble point pressure) in liqvis()\r\n");
    ierr = 1;
  }
  if (code != 0 && code != 1 && code != 2) {
    write_log(": Illegal input value for (oil viscosity correlation) in liqvis()\r\n");
    ierr = 1;
  }
  if (ierr == 1) return;

  if (code == 0) {
    if (rs < 1.0 || rs > 10000.0) {
      write_log(": Solution gas/oil ratio out of range for Beggs and Robinson in liqvis()\r\n");
      ierr = 1;
    }
    if (p > 50000.0) {
      write_log(": Pressure out of range for Beggs and Robinson in liqvis()\r\n");
      ierr = 1;
    }
    if (ierr == 1) return;
  }

  // Dead oil. At or below 0 F the temperature powers and logarithm are
  // infinite or undefined; the viscosities are then the infinities or NaN
  // that the arithmetic gives.
  double dead;
  if (code == 1) {  // Glaso
    dead =
        3.141e10 * std::pow(t, -3.444) * std::pow(std::log10(api), 10.313 * std::log10(t) - 36.447);
  } else {  // Beggs and Robinson
    const double z = 3.0324 - 0.02023 * api;
    const double y = std::pow(10.0, z);
    const double x = y / std::pow(t, 1.163);
    dead = std::pow(10.0, x) - 1.0;
  }
  dead_oil_viscosity = dead;

  // Live oil saturated with rs (Beggs and Robinson).
  const double a = 10.715 / std::pow(rs + 100.0, 0.515);
  const double b = 5.44 / std::pow(rs + 150.0, 0.338);
  double live = a * std::pow(dead, b);

  // Compressed above the bubble point (Vasquez and Beggs).
  if (p > pb) {
    const double m = 2.6 * std::pow(p, 1.187) * std::pow(10.0, -0.039 * p * 0.001 - 5.0);
    live = live * std::pow(p / pb, m);
  }
  oil_viscosity = live;
}

}  // namespace dlv
