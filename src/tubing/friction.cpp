#include "tubing/friction.hpp"

#include <cmath>
#include <limits>
#include <numbers>

namespace dlv {

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kLaminarLimit = 2000.0;
constexpr double kTurbulentLimit = 4000.0;
constexpr int kColebrookIterations = 100;

// The relative roughness clamped to the largest one used; NaN for a
// roughness that is negative or not finite.
double usable_roughness(double relative_roughness) {
  if (!std::isfinite(relative_roughness) || relative_roughness < 0.0) return kNaN;
  return relative_roughness < kMaxRelativeRoughness ? relative_roughness : kMaxRelativeRoughness;
}

bool usable_reynolds(double reynolds) { return std::isfinite(reynolds) && reynolds > 0.0; }

}  // namespace

double laminar_darcy_factor(double reynolds) {
  if (!usable_reynolds(reynolds)) return kNaN;
  return 64.0 / reynolds;
}

double chen_darcy_factor(double reynolds, double relative_roughness) {
  const double e = usable_roughness(relative_roughness);
  if (!usable_reynolds(reynolds) || std::isnan(e)) return kNaN;
  const double a = std::pow(e, 1.1098) / 2.8257 + 5.8506 / std::pow(reynolds, 0.8981);
  const double bracket = e / 3.7065 - 5.0452 / reynolds * std::log10(a);
  if (!(bracket > 0.0 && bracket < 1.0)) return kNaN;
  const double x = -2.0 * std::log10(bracket);
  return 1.0 / (x * x);
}

double chen_fanning_factor(double reynolds, double relative_roughness) {
  return chen_darcy_factor(reynolds, relative_roughness) / 4.0;
}

double colebrook_darcy_factor(double reynolds, double relative_roughness) {
  const double e = usable_roughness(relative_roughness);
  if (!usable_reynolds(reynolds) || std::isnan(e)) return kNaN;
  const double a = e / 3.7;
  const double b = 2.51 / reynolds;
  // Newton's method on F(x) = x + 2 log10(a + b x), x = 1/sqrt(f), from one
  // fixed-point step away from f = 0.02. F' >= 1 and |F''| <= k / x^2, so a
  // step of size s leaves an error of at most k s^2 / (2 x^2): the iteration
  // stops when that bound (doubled for safety) is within 1e-12 x, which a
  // start within a few tenths of the root reaches in two or three steps.
  constexpr double k = 2.0 / std::numbers::ln10;
  constexpr double kGuess = 7.0710678118654755;  // 1/sqrt(0.02)
  constexpr double kTolerance = 1e-12;
  double x = -k * std::log(a + b * kGuess);
  for (int i = 0; i < kColebrookIterations; ++i) {
    if (!(x > 0.0)) return kNaN;
    const double bracket = a + b * x;
    const double next = x - (x + k * std::log(bracket)) / (1.0 + k * b / bracket);
    const double step = next - x;
    const double low = next < x ? next : x;
    x = next;
    if (k * step * step <= kTolerance * low * low * low) return x > 0.0 ? 1.0 / (x * x) : kNaN;
  }
  return kNaN;
}

double moody_darcy_factor(double reynolds, double relative_roughness) {
  if (!std::isfinite(reynolds) || std::isnan(usable_roughness(relative_roughness))) return kNaN;
  if (reynolds <= 0.0) return 0.0;
  if (reynolds < kLaminarLimit) return laminar_darcy_factor(reynolds);
  if (reynolds >= kTurbulentLimit) return colebrook_darcy_factor(reynolds, relative_roughness);
  const double laminar_end = 64.0 / kLaminarLimit;
  const double turbulent_start = colebrook_darcy_factor(kTurbulentLimit, relative_roughness);
  const double weight = (reynolds - kLaminarLimit) / (kTurbulentLimit - kLaminarLimit);
  return laminar_end + weight * (turbulent_start - laminar_end);
}

double moody_fanning_factor(double reynolds, double relative_roughness) {
  return moody_darcy_factor(reynolds, relative_roughness) / 4.0;
}

double fully_rough_darcy_factor(double relative_roughness) {
  const double e = usable_roughness(relative_roughness);
  if (std::isnan(e)) return kNaN;
  if (e == 0.0) return 0.0;
  const double x = 1.74 - 2.0 * std::log10(2.0 * e);
  return 1.0 / (x * x);
}

}  // namespace dlv
