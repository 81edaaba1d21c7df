#include "tubing/beggs_brill.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <numbers>

#include "tubing/friction.hpp"
#include "tubing/no_slip.hpp"

namespace dlv {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
// A holdup that the downhill correction leaves at or below 0 is replaced by
// this in the density and the friction factor.
constexpr double kSmallestHoldup = 1e-6;
// The ratio lambda_L / H_L^2 of the two-phase friction factor is raised to
// this, below which the published S function has a pole.
constexpr double kSmallestHoldupRatio = 1e-3;

struct MapLines {
  double l1, l2, l3, l4;
};

MapLines map_lines(double lambda) {
  return {316.0 * std::pow(lambda, 0.302), 0.0009252 * std::pow(lambda, -2.4684),
          0.10 * std::pow(lambda, -1.4516), 0.5 * std::pow(lambda, -6.738)};
}

// The revised four-line map; the first pattern whose condition holds wins,
// and intermittent takes whatever no condition claims.
FlowPattern map_pattern(double lambda, double froude, const MapLines& l) {
  if ((lambda < 0.01 && froude < l.l1) || (lambda >= 0.01 && froude < l.l2)) {
    return FlowPattern::kSegregated;
  }
  if (lambda >= 0.01 && l.l2 <= froude && froude <= l.l3) return FlowPattern::kTransition;
  if ((lambda >= 0.01 && lambda < 0.4 && l.l3 < froude && froude <= l.l1) ||
      (lambda >= 0.4 && l.l3 < froude && froude <= l.l4)) {
    return FlowPattern::kIntermittent;
  }
  if ((lambda < 0.4 && froude >= l.l1) || (lambda >= 0.4 && froude > l.l4)) {
    return FlowPattern::kDistributed;
  }
  return FlowPattern::kIntermittent;
}

// The two-phase friction factor's exponent S at y = lambda_L / H_L^2.
double friction_exponent(double y) {
  y = std::max(y, kSmallestHoldupRatio);
  if (y > 1.0 && y < 1.2) return std::log(2.2 * y - 1.2);
  const double ln_y = std::log(y);
  const double ln_y2 = ln_y * ln_y;
  return ln_y / (-0.0523 + 3.182 * ln_y - 0.8725 * ln_y2 + 0.01853 * ln_y2 * ln_y2);
}

}  // namespace

BeggsBrillPatternHoldup beggs_brill_pattern_holdup(FlowPattern pattern, double lambda,
                                                   double froude, double liquid_velocity_number,
                                                   double inclination) {
  // H_L(0) = a lambda^b / N_FR^c.
  struct Horizontal {
    double a, b, c;
  };
  // C = (1 - lambda) ln(d lambda^e N_LV^f N_FR^g); d = 0 gives C = 0.
  struct Inclination {
    double d, e, f, g;
  };
  constexpr Inclination kDownhill{4.70, -0.3692, 0.1244, -0.5056};
  Horizontal horizontal{};
  Inclination uphill{};
  switch (pattern) {
    case FlowPattern::kSegregated:
      horizontal = {0.98, 0.4846, 0.0868};
      uphill = {0.011, -3.768, 3.539, -1.614};
      break;
    case FlowPattern::kIntermittent:
      horizontal = {0.845, 0.5351, 0.0173};
      uphill = {2.96, 0.305, -0.4473, 0.0978};
      break;
    case FlowPattern::kDistributed:
      horizontal = {1.065, 0.5824, 0.0609};
      break;
    default:
      return {kNaN, kNaN, kNaN, kNaN};
  }
  const Inclination k = inclination < 0.0 ? kDownhill : uphill;
  BeggsBrillPatternHoldup h;
  h.horizontal = std::max(
      horizontal.a * std::pow(lambda, horizontal.b) / std::pow(froude, horizontal.c), lambda);
  const double argument =
      k.d * std::pow(lambda, k.e) * std::pow(liquid_velocity_number, k.f) * std::pow(froude, k.g);
  h.coefficient = argument > 0.0 ? std::max((1.0 - lambda) * std::log(argument), 0.0) : 0.0;
  const double s = std::sin(1.8 * inclination * std::numbers::pi / 180.0);
  h.factor = 1.0 + h.coefficient * (s - 0.333 * s * s * s);
  h.inclined = std::clamp(h.horizontal * h.factor, 0.0, 1.0);
  return h;
}

BeggsBrillHoldup beggs_brill_holdup(const FlowPoint& point, bool payne) {
  const double v_sl = point.superficial_liquid_velocity;
  const double v_m = v_sl + point.superficial_gas_velocity;
  BeggsBrillHoldup h;
  h.no_slip_holdup = v_sl / v_m;
  h.froude = v_m * v_m / (kGravity * diameter_ft(point));
  h.liquid_velocity_number =
      1.938 * v_sl * std::pow(point.liquid_density / point.surface_tension, 0.25);
  const MapLines lines = map_lines(h.no_slip_holdup);
  h.pattern = map_pattern(h.no_slip_holdup, h.froude, lines);
  const auto inclined = [&](FlowPattern pattern) {
    return beggs_brill_pattern_holdup(pattern, h.no_slip_holdup, h.froude, h.liquid_velocity_number,
                                      point.inclination)
        .inclined;
  };
  double holdup = 0.0;
  if (h.pattern == FlowPattern::kTransition) {
    h.transition_weight = (lines.l3 - h.froude) / (lines.l3 - lines.l2);
    holdup = h.transition_weight * inclined(FlowPattern::kSegregated) +
             (1.0 - h.transition_weight) * inclined(FlowPattern::kIntermittent);
  } else {
    holdup = inclined(h.pattern);
  }
  if (payne && point.inclination > 0.0) holdup = std::max(0.924 * holdup, h.no_slip_holdup);
  if (payne && point.inclination < 0.0) holdup *= 0.685;
  h.holdup = holdup <= 0.0 ? kSmallestHoldup : holdup;  // a NaN stays NaN and fails
  return h;
}

Gradient beggs_brill(const FlowPoint& point, const GradientOptions& options) {
  if (auto bypass = gradient_without_two_phases(point)) return *bypass;
  if (!(point.surface_tension > 0.0)) return failed_gradient();
  const BeggsBrillHoldup h = beggs_brill_holdup(point, options.payne);
  const double lambda = h.no_slip_holdup;
  const double v_m = point.superficial_liquid_velocity + point.superficial_gas_velocity;
  const double d = diameter_ft(point);
  const double rho_s = point.liquid_density * h.holdup + point.gas_density * (1.0 - h.holdup);
  const double rho_ns = point.liquid_density * lambda + point.gas_density * (1.0 - lambda);
  const double mu_ns = point.liquid_viscosity * lambda + point.gas_viscosity * (1.0 - lambda);
  const double f_n =
      moody_darcy_factor(kReynoldsFactor * rho_ns * v_m * d / mu_ns, relative_roughness(point));
  const double f_tp = f_n * std::exp(friction_exponent(lambda / (h.holdup * h.holdup)));
  Gradient gradient;
  gradient.pattern = h.pattern;
  gradient.holdup = h.holdup;
  gradient.no_slip_holdup = lambda;
  gradient.mixture_density = rho_s;
  gradient.mixture_velocity = v_m;
  gradient.elevation = rho_s * sine_of_inclination(point) / kSquareInchesPerSquareFoot;
  gradient.friction = f_tp * rho_ns * v_m * v_m / (2.0 * kGravity * d) / kSquareInchesPerSquareFoot;
  finish_gradient(gradient, rho_s * v_m * point.superficial_gas_velocity /
                                (kGravity * kSquareInchesPerSquareFoot * point.pressure));
  return gradient;
}

}  // namespace dlv
