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

// The map's lines from ln(lambda_L): only those the map reads at this
// lambda_L (L1 below 0.4, L2 and L3 from 0.01, L4 from 0.4); the others NaN.
MapLines map_lines(double lambda, double ln_lambda) {
  MapLines l{kNaN, kNaN, kNaN, kNaN};
  if (lambda < 0.4) l.l1 = 316.0 * std::exp(0.302 * ln_lambda);
  if (lambda >= 0.01) {
    l.l2 = 0.0009252 * std::exp(-2.4684 * ln_lambda);
    l.l3 = 0.10 * std::exp(-1.4516 * ln_lambda);
  }
  if (lambda >= 0.4) l.l4 = 0.5 * std::exp(-6.738 * ln_lambda);
  return l;
}

// The logarithms of the groups that every power of the holdup correlation
// takes, and the inclination's sin(1.8 theta) - 0.333 sin^3(1.8 theta).
struct HoldupLogs {
  double lambda = 0.0;
  double froude = 0.0;
  double velocity_number = 0.0;
  double angle_term = 0.0;
};

double angle_term_of_sine(double s) { return s - 0.333 * s * s * s; }

// sin(1.8 theta) at theta = 90 degrees, sin(162 degrees) = (sqrt(5) - 1) / 4.
constexpr double kVerticalSine = 0.30901699437494742;

double angle_term(double inclination) {
  if (inclination == 90.0) return angle_term_of_sine(kVerticalSine);
  return angle_term_of_sine(std::sin(1.8 * inclination * std::numbers::pi / 180.0));
}

// The holdup of one pattern, every power taken as the exponential of a sum of
// logarithms: C = (1 - lambda) ln(d lambda^e N_LV^f N_FR^g) is worked as
// (1 - lambda)(ln d + e ln lambda + f ln N_LV + g ln N_FR).
BeggsBrillPatternHoldup pattern_holdup(FlowPattern pattern, double lambda, double inclination,
                                       const HoldupLogs& ln) {
  // H_L(0) = a lambda^b / N_FR^c.
  struct Horizontal {
    double a, b, c;
  };
  // C = (1 - lambda) ln(d lambda^e N_LV^f N_FR^g) with ln d given; d = 0
  // gives C = 0.
  struct Inclination {
    double d, ln_d, e, f, g;
  };
  constexpr Inclination kDownhill{4.70, 1.547562508716013, -0.3692, 0.1244, -0.5056};
  Horizontal horizontal{};
  Inclination uphill{};
  switch (pattern) {
    case FlowPattern::kSegregated:
      horizontal = {0.98, 0.4846, 0.0868};
      uphill = {0.011, -4.509860006183766, -3.768, 3.539, -1.614};
      break;
    case FlowPattern::kIntermittent:
      horizontal = {0.845, 0.5351, 0.0173};
      uphill = {2.96, 1.085189268335969, 0.305, -0.4473, 0.0978};
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
      horizontal.a * std::exp(horizontal.b * ln.lambda - horizontal.c * ln.froude), lambda);
  if (k.d > 0.0) {
    const double ln_argument =
        k.ln_d + k.e * ln.lambda + k.f * ln.velocity_number + k.g * ln.froude;
    // A NaN logarithm (a group at or below 0) gives C = 0, as a power would.
    h.coefficient = std::isnan(ln_argument) ? 0.0 : std::max((1.0 - lambda) * ln_argument, 0.0);
  }
  h.factor = 1.0 + h.coefficient * ln.angle_term;
  h.inclined = std::clamp(h.horizontal * h.factor, 0.0, 1.0);
  return h;
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
  const HoldupLogs ln{std::log(lambda), std::log(froude), std::log(liquid_velocity_number),
                      angle_term(inclination)};
  return pattern_holdup(pattern, lambda, inclination, ln);
}

BeggsBrillHoldup beggs_brill_holdup(const FlowPoint& point, bool payne) {
  const double v_sl = point.superficial_liquid_velocity;
  const double v_m = v_sl + point.superficial_gas_velocity;
  BeggsBrillHoldup h;
  h.no_slip_holdup = v_sl / v_m;
  h.froude = v_m * v_m / (kGravity * diameter_ft(point));
  h.liquid_velocity_number =
      1.938 * v_sl * std::sqrt(std::sqrt(point.liquid_density / point.surface_tension));
  const HoldupLogs ln{std::log(h.no_slip_holdup), std::log(h.froude),
                      std::log(h.liquid_velocity_number), angle_term(point.inclination)};
  const MapLines lines = map_lines(h.no_slip_holdup, ln.lambda);
  h.pattern = map_pattern(h.no_slip_holdup, h.froude, lines);
  const auto inclined = [&](FlowPattern pattern) {
    return pattern_holdup(pattern, h.no_slip_holdup, point.inclination, ln).inclined;
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
