#include "inflow/backpressure.hpp"

#include <cmath>

#include "blocks/block_layout.hpp"

namespace dlv {

namespace {

constexpr int kTestSlots = 100;
constexpr int kLast = layout::kLastPoint;

// Isochronal tests (either kind) take C from the stabilized flow point.
bool isochronal(const DeliverabilityTests& tests) {
  return static_cast<DeliverabilityTestType>(tests.type) != DeliverabilityTestType::kFlowAfterFlow;
}

// Modified isochronal tests, and any code above them, difference each test
// pressure against its own shut-in pressure instead of the reservoir's.
bool against_own_shutin(const DeliverabilityTests& tests) {
  return static_cast<DeliverabilityTestType>(tests.type) >=
         DeliverabilityTestType::kModifiedIsochronal;
}

// Process-wide scratch of backpressure_fit_cn: its two logarithm columns and
// its working C, pr^2 and pressure step. Nothing in it carries over from one
// call to the next; it makes the fit non-reentrant, like the rest of the
// library's module state.
struct BackpressureFitScratch {
  double log_differences[kTestSlots];  // x: log10 of the pressure-square differences
  double log_rates[kTestSlots];        // y: log10 of the test rates
  double c;
  double pr_squared;
  double step;
};
BackpressureFitScratch backpressure_fit_scratch;

// Number of test points a fit uses. The test arrays hold 100 slots and the
// slot after the fitted points belongs to the stabilized flow point, so a
// count above 99 is taken as 99; a negative count is taken as 0.
std::int32_t fitted_points(std::int32_t test_count) {
  if (test_count < 0) return 0;
  if (test_count > kTestSlots - 1) return kTestSlots - 1;
  return test_count;
}

// The common last stage: the 25 points of q = C * (pr^2 - p^2)^n.
void write_curve(double c, double n, double pr, double pr_squared, double step, CurveOutput curve) {
  double* rates = curve.rates;
  double* pressures = curve.pressures;
  pressures[0] = pr;
  rates[0] = 0.0;
  pressures[kLast] = 0.0;
  rates[kLast] = c * std::pow(pr_squared, n);
  for (int k = 1; k < kLast; ++k) {
    const double p = pr - k * step;
    pressures[k] = p;
    rates[k] = c * std::pow(pr_squared - p * p, n);
  }
}

}  // namespace

void fit_line(const double* x, const double* y, double& a, double& b, const std::int32_t& n) {
  double sx = 0.0;
  double sxx = 0.0;
  double sy = 0.0;
  double sxy = 0.0;
  for (std::int32_t i = 0; i < n; ++i) {
    sx += x[i];
    sxx += x[i] * x[i];
    sy += y[i];
    sxy += x[i] * y[i];
  }
  const double count = n;
  const double d = count * sxx - sx * sx;
  if (d > 0.0) {
    a = (sy * sxx - sx * sxy) / d;
    b = (count * sxy - sy * sx) / d;
  } else {
    a = 1.0;
    b = 1.0;
  }
}

void backpressure_fit_cn(const DeliverabilityTests& tests, double& pr, double& c, double& n,
                         CurveOutput curve) {
  BackpressureFitScratch& s = backpressure_fit_scratch;
  const double* q = tests.rates;
  const double* p = tests.pressures;
  const double* ps = tests.shutin_pressures;
  const std::int32_t count = fitted_points(tests.count);

  // The reservoir pressure must lie above every fitted test pressure.
  for (std::int32_t i = 0; i < count; ++i) {
    if (p[i] >= pr) pr = p[i] + 1.0;
  }

  s.pr_squared = pr * pr;
  s.step = pr / layout::kIntervals;
  curve.pressures[0] = pr;
  curve.rates[0] = 0.0;
  curve.pressures[kLast] = 0.0;

  double sum_q = 0.0;
  double sum_d = 0.0;
  for (std::int32_t i = 0; i < count; ++i) {
    const double d =
        against_own_shutin(tests) ? ps[i] * ps[i] - p[i] * p[i] : s.pr_squared - p[i] * p[i];
    sum_q += q[i];
    sum_d += d;
    s.log_rates[i] = std::log10(q[i]);
    s.log_differences[i] = d > 0.0 ? std::log10(d) : 0.0;
  }

  double intercept = 0.0;
  double slope = 0.0;
  fit_line(s.log_differences, s.log_rates, intercept, slope, count);
  const double exponent = slope;

  // An empty fit divides 0 by 0 here and runs on with a C that is not a number.
  s.c = (sum_q / count) / std::pow(sum_d / count, exponent);
  if (s.c < -300.0) s.c = -300.0;
  if (s.c > 300.0) s.c = 300.0;
  if (isochronal(tests)) {
    // Isochronal types: C from the stabilized point, always against pr^2.
    s.c = q[count] / std::pow(s.pr_squared - p[count] * p[count], exponent);
  }

  c = s.c;
  n = exponent;
  write_curve(s.c, exponent, pr, s.pr_squared, s.step, curve);
}

void backpressure_fit_c(const DeliverabilityTests& tests, double pr, double& c, double n,
                        CurveOutput curve) {
  const double* q = tests.rates;
  const double* p = tests.pressures;
  const double* ps = tests.shutin_pressures;
  const std::int32_t count = fitted_points(tests.count);
  if (count == 0) return;

  double sum_qt = 0.0;
  double sum_tt = 0.0;
  for (std::int32_t i = 0; i < count; ++i) {
    const double d =
        against_own_shutin(tests) ? ps[i] * ps[i] - p[i] * p[i] : pr * pr - p[i] * p[i];
    const double t = std::pow(d, n);
    sum_qt += q[i] * t;
    sum_tt += t * t;
  }
  c = std::fabs(sum_tt) > 1e-11 ? sum_qt / sum_tt : 0.0;
  write_curve(c, n, pr, pr * pr, pr / layout::kIntervals, curve);
}

void backpressure_fit_n(const DeliverabilityTests& tests, double pr, double c, double& n,
                        CurveOutput curve) {
  const double* q = tests.rates;
  const double* p = tests.pressures;
  const std::int32_t count = fitted_points(tests.count);
  if (count == 0) return;

  if (!against_own_shutin(tests)) {
    double sum_x = 0.0;
    double sum_y = 0.0;
    for (std::int32_t i = 0; i < count; ++i) {
      sum_x += std::log10(pr * pr - p[i] * p[i]);
      sum_y += std::log10(q[i]);
    }
    const double mean_x = sum_x / count;
    const double mean_y = sum_y / count;
    n = (mean_y - std::log10(c)) / mean_x;
  }
  write_curve(c, n, pr, pr * pr, pr / layout::kIntervals, curve);
}

void backpressure_curve(const double& c, const double& n, const double& pr, double* rates,
                        double* pressures) {
  write_curve(c, n, pr, pr * pr, pr / layout::kIntervals, CurveOutput{rates, pressures});
}

}  // namespace dlv
