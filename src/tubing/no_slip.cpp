#include "tubing/no_slip.hpp"

#include <cmath>
#include <limits>

#include "tubing/friction.hpp"

namespace dlv {

namespace {

// Elevation and friction of a homogeneous fluid of density rho, viscosity mu
// and velocity v in the pipe of the point, in psi/ft.
void homogeneous_terms(const FlowPoint& point, double rho, double mu, double v,
                       Gradient& gradient) {
  const double d = diameter_ft(point);
  const double reynolds = kReynoldsFactor * rho * v * d / mu;
  const double f = moody_darcy_factor(reynolds, relative_roughness(point));
  gradient.elevation = rho * sine_of_inclination(point) / kSquareInchesPerSquareFoot;
  gradient.friction = f * rho * v * v / (2.0 * kGravity * d) / kSquareInchesPerSquareFoot;
  gradient.mixture_density = rho;
}

}  // namespace

namespace {

// Finite and not negative; NaN fails both comparisons.
bool finite_non_negative(double x) { return x >= 0.0 && x <= std::numeric_limits<double>::max(); }
bool finite_positive(double x) { return x > 0.0 && x <= std::numeric_limits<double>::max(); }

}  // namespace

bool flow_point_is_valid(const FlowPoint& p) {
  if (!(finite_non_negative(p.superficial_liquid_velocity) &&
        finite_non_negative(p.superficial_gas_velocity) && finite_non_negative(p.liquid_density) &&
        finite_non_negative(p.gas_density) && finite_non_negative(p.liquid_viscosity) &&
        finite_non_negative(p.gas_viscosity) && finite_non_negative(p.surface_tension) &&
        finite_non_negative(p.roughness) && finite_non_negative(p.mass_rate) &&
        finite_positive(p.inside_diameter) && finite_positive(p.pressure))) {
    return false;
  }
  if (!(std::fabs(p.inclination) <= 90.0)) return false;
  if (p.superficial_liquid_velocity > 0.0 &&
      !(p.liquid_density > 0.0 && p.liquid_viscosity > 0.0)) {
    return false;
  }
  if (p.superficial_gas_velocity > 0.0 && !(p.gas_density > 0.0 && p.gas_viscosity > 0.0)) {
    return false;
  }
  return true;
}

Gradient failed_gradient() {
  Gradient gradient;
  gradient.ok = false;
  return gradient;
}

Gradient static_column(const FlowPoint& point) {
  if (!flow_point_is_valid(point)) return failed_gradient();
  const bool liquid = point.liquid_density > 0.0;
  const double rho = liquid ? point.liquid_density : point.gas_density;
  if (!(rho > 0.0)) return failed_gradient();
  Gradient gradient;
  gradient.pattern = FlowPattern::kStatic;
  gradient.holdup = liquid ? 1.0 : 0.0;
  gradient.no_slip_holdup = gradient.holdup;
  gradient.mixture_density = rho;
  gradient.elevation = rho * sine_of_inclination(point) / kSquareInchesPerSquareFoot;
  finish_gradient(gradient, 0.0);
  return gradient;
}

Gradient single_phase_gradient(const FlowPoint& point) {
  if (!flow_point_is_valid(point)) return failed_gradient();
  const bool liquid = point.superficial_gas_velocity == 0.0;
  if (liquid == (point.superficial_liquid_velocity == 0.0)) return failed_gradient();
  Gradient gradient;
  gradient.pattern = liquid ? FlowPattern::kLiquid : FlowPattern::kGas;
  gradient.holdup = liquid ? 1.0 : 0.0;
  gradient.no_slip_holdup = gradient.holdup;
  const double v = liquid ? point.superficial_liquid_velocity : point.superficial_gas_velocity;
  gradient.mixture_velocity = v;
  if (liquid) {
    homogeneous_terms(point, point.liquid_density, point.liquid_viscosity, v, gradient);
  } else {
    homogeneous_terms(point, point.gas_density, point.gas_viscosity, v, gradient);
  }
  finish_gradient(gradient, 0.0);
  return gradient;
}

std::optional<Gradient> gradient_without_two_phases(const FlowPoint& point) {
  if (!flow_point_is_valid(point)) return failed_gradient();
  const bool liquid = point.superficial_liquid_velocity > 0.0;
  const bool gas = point.superficial_gas_velocity > 0.0;
  if (!liquid && !gas) return static_column(point);
  if (!liquid || !gas) return single_phase_gradient(point);
  return std::nullopt;
}

Gradient no_slip_gradient(const FlowPoint& point) {
  if (auto bypass = gradient_without_two_phases(point)) return *bypass;
  const double v_m = point.superficial_liquid_velocity + point.superficial_gas_velocity;
  const double lambda = point.superficial_liquid_velocity / v_m;
  const double rho = lambda * point.liquid_density + (1.0 - lambda) * point.gas_density;
  const double mu = lambda * point.liquid_viscosity + (1.0 - lambda) * point.gas_viscosity;
  Gradient gradient;
  gradient.pattern = FlowPattern::kHomogeneous;
  gradient.holdup = lambda;
  gradient.no_slip_holdup = lambda;
  gradient.mixture_velocity = v_m;
  homogeneous_terms(point, rho, mu, v_m, gradient);
  finish_gradient(gradient, 0.0);
  return gradient;
}

void finish_gradient(Gradient& gradient, double kinetic_energy_factor) {
  gradient.kinetic_energy_factor = kinetic_energy_factor;
  const double sum = gradient.elevation + gradient.friction;
  const double total = sum / (1.0 - kinetic_energy_factor);
  gradient.ok = kinetic_energy_factor < kCriticalKineticEnergy && std::isfinite(sum) &&
                std::isfinite(total) && std::isfinite(gradient.holdup) &&
                std::isfinite(gradient.mixture_density);
  gradient.total = gradient.ok ? total : 0.0;
  gradient.acceleration = gradient.ok ? total - sum : 0.0;
}

}  // namespace dlv
