// Back-pressure curves: q = C * (pr^2 - p^2)^n with C and n fitted to
// deliverability tests or given, tabulated at the 25 standard points.
//
// Test data: rates q, flowing pressures p and shut-in pressures ps are the
// 100-slot test arrays; the first test_count points are fitted and the
// stabilized (extended) flow point of the isochronal test types sits right
// after them, at index test_count. Test type 0 is flow-after-flow, 1
// isochronal, 2 or more modified isochronal.
//
// Curves: rates[0] = 0 at pressures[0] = pr, pressures[k] = pr - k * (pr / 24),
// pressures[24] = 0 with the largest rate.
#pragma once

#include <cstdint>

#include "numerics/curve_arguments.hpp"

namespace dlv {

// Least-squares straight line y = a + b * x over n points. When the x values
// have no spread (n * Sxx - Sx^2 not positive) a = b = 1.
void fit_line(const double* x, const double* y, double& a, double& b, const std::int32_t& n);

// The deliverability tests a fit reads: rates, flowing and shut-in pressures
// (100-slot arrays), the number of fitted points and the test type.
struct DeliverabilityTests {
  const double* rates;
  const double* pressures;
  const double* shutin_pressures;
  std::int32_t count;
  std::int32_t type;
};

// Fits n (slope of log q against log of the pressure-square difference) and
// C, then writes the curve. pr is raised above every fitted test pressure
// and handed back.
void backpressure_fit_cn(const DeliverabilityTests& tests, double& pr, double& c, double& n,
                         CurveOutput curve);

// Fits C by least squares for the given n, then writes the curve. An empty
// test set writes nothing.
void backpressure_fit_c(const DeliverabilityTests& tests, double pr, double& c, double n,
                        CurveOutput curve);

// Fits n from the mean logarithms for the given C (flow-after-flow and
// isochronal types; the modified isochronal type keeps the n passed in), then
// writes the curve. An empty test set writes nothing.
void backpressure_fit_n(const DeliverabilityTests& tests, double pr, double c, double& n,
                        CurveOutput curve);

// The curve of the given C, n and reservoir pressure.
void backpressure_curve(const double& c, const double& n, const double& pr, double* rates,
                        double* pressures);

}  // namespace dlv
