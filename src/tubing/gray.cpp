#include "tubing/gray.hpp"

#include <algorithm>
#include <cmath>

#include "tubing/friction.hpp"
#include "tubing/no_slip.hpp"

namespace dlv {

namespace {

// dyn/cm to lbm/s2 is 0.00220462; its inverse turns the groups dimensionless.
constexpr double kPerDynePerCm = 453.592;
// Below this liquid-to-gas velocity ratio the pseudo roughness blends toward
// the pipe's own.
constexpr double kFilmRatio = 0.007;
constexpr double kLeastRoughnessFt = 2.77e-5;

}  // namespace

GrayGroups gray_groups(const FlowPoint& point) {
  const double v_sl = point.superficial_liquid_velocity;
  const double v_sg = point.superficial_gas_velocity;
  const double v_m = v_sl + v_sg;
  const double lambda = v_sl / v_m;
  const double rho_ns = lambda * point.liquid_density + (1.0 - lambda) * point.gas_density;
  const double mu_ns = lambda * point.liquid_viscosity + (1.0 - lambda) * point.gas_viscosity;
  const double sigma = point.surface_tension;
  const double density_difference = point.liquid_density - point.gas_density;
  const double d = diameter_ft(point);
  const double ratio = v_sl / v_sg;
  GrayGroups g;
  g.velocity_number =
      kPerDynePerCm * rho_ns * rho_ns * std::pow(v_m, 4) / (kGravity * sigma * density_difference);
  g.diameter_number = kPerDynePerCm * kGravity * density_difference * d * d / sigma;
  g.exponent = 0.0814 * (1.0 - 0.0554 * std::log(1.0 + 730.0 * ratio / (ratio + 1.0)));
  g.holdup_exponent =
      -2.314 * std::pow(g.velocity_number * (1.0 + 205.0 / g.diameter_number), g.exponent);
  g.holdup = 1.0 - (1.0 - lambda) * (1.0 - std::exp(g.holdup_exponent));
  const double film = 28.5 * sigma / (kPerDynePerCm * rho_ns * v_m * v_m);
  const double pipe = point.roughness / 12.0;
  double roughness = ratio >= kFilmRatio ? film : pipe + ratio * (film - pipe) / kFilmRatio;
  roughness = std::max(roughness, kLeastRoughnessFt);
  g.relative_roughness = std::min(roughness / d, kMaxRelativeRoughness);
  g.reynolds = kReynoldsFactor * rho_ns * v_m * d / mu_ns;
  g.friction_factor = moody_darcy_factor(g.reynolds, g.relative_roughness);
  return g;
}

Gradient gray(const FlowPoint& point) {
  if (auto bypass = gradient_without_two_phases(point)) return *bypass;
  if (!(point.surface_tension > 0.0 && point.liquid_density > point.gas_density)) {
    return failed_gradient();
  }
  const GrayGroups g = gray_groups(point);
  const double v_sg = point.superficial_gas_velocity;
  const double v_m = point.superficial_liquid_velocity + v_sg;
  const double lambda = point.superficial_liquid_velocity / v_m;
  const double rho_ns = lambda * point.liquid_density + (1.0 - lambda) * point.gas_density;
  Gradient gradient;
  gradient.pattern = FlowPattern::kMist;
  gradient.holdup = g.holdup;
  gradient.no_slip_holdup = lambda;
  gradient.mixture_velocity = v_m;
  gradient.mixture_density = point.liquid_density * g.holdup + point.gas_density * (1.0 - g.holdup);
  gradient.elevation =
      gradient.mixture_density * sine_of_inclination(point) / kSquareInchesPerSquareFoot;
  gradient.friction = g.friction_factor * rho_ns * v_m * v_m /
                      (2.0 * kGravity * diameter_ft(point)) / kSquareInchesPerSquareFoot;
  finish_gradient(gradient,
                  rho_ns * v_m * v_sg / (kGravity * kSquareInchesPerSquareFoot * point.pressure));
  return gradient;
}

}  // namespace dlv
