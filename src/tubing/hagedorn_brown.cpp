#include "tubing/hagedorn_brown.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tubing/friction.hpp"
#include "tubing/no_slip.hpp"

namespace dlv {

namespace {

// The guards of the modified form: the range of each fit where it follows
// the chart (H_L/psi rises from 0 to its maximum over the X range).
constexpr double kViscosityNumberMin = 0.002, kViscosityNumberMax = 0.5;
constexpr double kXMin = 1.608e-6, kXMax = 4.699e-3;
constexpr double kYMin = 0.012, kYMax = 0.09;

// Fanning friction over the mass rate: f w^2 / (7.413e10 D^5 rho) in
// lbf/ft2 per ft, w in lbm/d, D in ft.
constexpr double kMassFrictionConstant = 7.413e10;
// N_Re = 0.022 w / (D mu), w in lbm/d, D in ft, mu in cp.
constexpr double kMassReynoldsFactor = 0.022;

// Griffith's bubble-flow slip velocity, ft/s, and the least bubble-flow limit.
constexpr double kBubbleSlipVelocity = 0.8;
constexpr double kBubbleLimitMin = 0.13;

double mass_rate(const FlowPoint& p) {
  if (p.mass_rate > 0.0) return p.mass_rate;
  const double d = diameter_ft(p);
  const double area = std::numbers::pi * d * d / 4.0;
  return 86400.0 * area *
         (p.liquid_density * p.superficial_liquid_velocity +
          p.gas_density * p.superficial_gas_velocity);
}

double friction_gradient(double fanning, double w, double d, double rho) {
  const double d2 = d * d;
  return fanning * w * w / (kMassFrictionConstant * (d2 * d2 * d) * rho) /
         kSquareInchesPerSquareFoot;
}

double exp10(double x) { return std::exp(x * std::numbers::ln10); }
double log10_of(double x) { return std::log(x) / std::numbers::ln10; }

// log10 CN_L as a polynomial in log10 N_L + 3.
double log_viscosity_correction(double log_viscosity_number) {
  const double x = log_viscosity_number + 3.0;
  return -2.69851 + 0.1584095 * x - 0.5509976 * x * x + 0.5478492 * x * x * x -
         0.1219458 * x * x * x * x;
}

// H_L/psi as a polynomial in log10 X + 6.
double holdup_ratio_of_log(double log_x) {
  const double u = log_x + 6.0;
  return -0.10306578 + 0.617774 * u - 0.632946 * u * u + 0.29598 * u * u * u -
         0.0401 * u * u * u * u;
}

}  // namespace

double hagedorn_brown_viscosity_correction(double viscosity_number) {
  return exp10(log_viscosity_correction(std::log10(viscosity_number)));
}

double hagedorn_brown_holdup_ratio(double x) { return holdup_ratio_of_log(std::log10(x)); }

double hagedorn_brown_psi(double y) {
  y = std::max(y, kYMin);
  return 0.9116257 - 4.821756 * y + 1232.25 * y * y - 22253.58 * y * y * y +
         116174.3 * y * y * y * y;
}

namespace {

// The groups and the holdup; CN_L and X are left 0, their logarithms given,
// for the caller that reports them.
struct GroupLogs {
  double viscosity_correction = 0.0;  // log10 CN_L
  double x = 0.0;                     // log10 X, as the holdup fit takes it
};
HagedornBrownGroups groups(const FlowPoint& point, HagedornBrownForm form, GroupLogs& logs) {
  const bool modified = form == HagedornBrownForm::kModified;
  const double rho_l = point.liquid_density;
  const double sigma = point.surface_tension;
  const double v_sl = point.superficial_liquid_velocity;
  const double v_m = v_sl + point.superficial_gas_velocity;
  HagedornBrownGroups g;
  // The groups' powers are worked from their logarithms: X and Y as sums of
  // log10 terms, the fourth roots as square roots of square roots.
  const double root = std::sqrt(rho_l / sigma);
  const double velocity_scale = 1.938 * std::sqrt(root);
  g.liquid_velocity_number = velocity_scale * v_sl;
  g.gas_velocity_number = velocity_scale * point.superficial_gas_velocity;
  g.diameter_number = 120.872 * diameter_ft(point) * root;
  g.viscosity_number =
      0.15726 * point.liquid_viscosity / std::sqrt(std::sqrt(rho_l * sigma * sigma * sigma));
  const double log_nl = log10_of(g.viscosity_number);
  const double log_ngv = log10_of(g.gas_velocity_number);
  const double log_nd = log10_of(g.diameter_number);
  // The modified form bounds N_L inside CN_L only; Y takes it unbounded.
  const double log_cnl =
      log_viscosity_correction(modified ? std::clamp(log_nl, std::log10(kViscosityNumberMin),
                                                     std::log10(kViscosityNumberMax))
                                        : log_nl);
  logs.viscosity_correction = log_cnl;
  double log_x = log10_of(g.liquid_velocity_number / g.diameter_number) - 0.575 * log_ngv +
                 0.1 * log10_of(point.pressure / 14.7) + log_cnl;
  if (modified) log_x = std::clamp(log_x, std::log10(kXMin), std::log10(kXMax));
  logs.x = log_x;
  g.holdup_ratio = holdup_ratio_of_log(log_x);
  if (modified) g.holdup_ratio = std::clamp(g.holdup_ratio, 0.0, 1.0);
  g.y = exp10(log_ngv + 0.38 * log_nl - 2.14 * log_nd);
  g.psi = hagedorn_brown_psi(modified ? std::min(g.y, kYMax) : g.y);
  // Both forms keep the holdup within [0, 1]; the spreadsheet's cases never
  // leave it.
  g.holdup = std::clamp(g.holdup_ratio * g.psi, 0.0, 1.0);
  if (modified) g.holdup = std::max(g.holdup, v_sl / v_m);
  return g;
}

}  // namespace

HagedornBrownGroups hagedorn_brown_groups(const FlowPoint& point, HagedornBrownForm form) {
  GroupLogs logs;
  HagedornBrownGroups g = groups(point, form, logs);
  g.viscosity_correction = exp10(logs.viscosity_correction);
  g.x = exp10(logs.x);
  return g;
}

Gradient hagedorn_brown(const FlowPoint& point, HagedornBrownForm form) {
  if (auto bypass = gradient_without_two_phases(point)) return *bypass;
  if (!(point.surface_tension > 0.0)) return failed_gradient();
  const bool modified = form == HagedornBrownForm::kModified;
  const double v_sg = point.superficial_gas_velocity;
  const double v_m = point.superficial_liquid_velocity + v_sg;
  const double d = diameter_ft(point);
  const double w = mass_rate(point);
  const double eps = relative_roughness(point);
  Gradient gradient;
  gradient.no_slip_holdup = point.superficial_liquid_velocity / v_m;
  gradient.mixture_velocity = v_m;
  const double bubble_limit = std::max(1.071 - 0.2218 * v_m * v_m / d, kBubbleLimitMin);
  if (modified && v_sg / v_m < bubble_limit) {
    // Griffith: the liquid carries the friction at its own velocity.
    const double a = 1.0 + v_m / kBubbleSlipVelocity;
    const double holdup =
        1.0 - 0.5 * (a - std::sqrt(std::max(a * a - 4.0 * v_sg / kBubbleSlipVelocity, 0.0)));
    const double reynolds = kMassReynoldsFactor * w / (d * point.liquid_viscosity);
    gradient.pattern = FlowPattern::kBubble;
    gradient.holdup = holdup;
    gradient.friction = friction_gradient(moody_fanning_factor(reynolds, eps), w, d,
                                          point.liquid_density * holdup * holdup);
  } else {
    GroupLogs logs;
    const HagedornBrownGroups g = groups(point, form, logs);
    const double mu = std::exp(g.holdup * std::log(point.liquid_viscosity) +
                               (1.0 - g.holdup) * std::log(point.gas_viscosity));
    gradient.pattern = FlowPattern::kSlug;
    gradient.holdup = g.holdup;
    const double rho_s = point.liquid_density * g.holdup + point.gas_density * (1.0 - g.holdup);
    // The spreadsheet takes the diameter in inches in its Reynolds number.
    const double reynolds = kMassReynoldsFactor * w / ((modified ? d : point.inside_diameter) * mu);
    const double fanning =
        modified ? moody_fanning_factor(reynolds, eps) : chen_fanning_factor(reynolds, eps);
    gradient.friction = friction_gradient(fanning, w, d, rho_s);
  }
  gradient.mixture_density =
      point.liquid_density * gradient.holdup + point.gas_density * (1.0 - gradient.holdup);
  gradient.elevation =
      gradient.mixture_density * sine_of_inclination(point) / kSquareInchesPerSquareFoot;
  finish_gradient(gradient, 0.0);
  return gradient;
}

}  // namespace dlv
