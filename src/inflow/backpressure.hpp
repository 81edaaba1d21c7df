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

namespace dlv {

// Least-squares straight line y = a + b * x over n points. When the x values
// have no spread (n * Sxx - Sx^2 not positive) a = b = 1.
void fit_line(const double* x, const double* y, double& a, double& b, const std::int32_t& n);

// Fits n (slope of log q against log of the pressure-square difference) and
// C, then writes the curve. pr is raised above every fitted test pressure
// and handed back.
void backpressure_fit_cn(const double* q, const double* p, const double* ps,
                         const std::int32_t& test_count, const std::int32_t& test_type, double& pr,
                         double& c, double& n, double* rates, double* pressures);

// Fits C by least squares for the given n, then writes the curve. An empty
// test set writes nothing.
void backpressure_fit_c(const double* q, const double* p, const double* ps, std::int32_t test_count,
                        std::int32_t test_type, double pr, double& c, double n, double* rates,
                        double* pressures);

// Fits n from the mean logarithms for the given C (flow-after-flow and
// isochronal types; the modified isochronal type keeps the n passed in), then
// writes the curve. An empty test set writes nothing.
void backpressure_fit_n(const double* q, const double* p, const double* ps, std::int32_t test_count,
                        std::int32_t test_type, double pr, double c, double& n, double* rates,
                        double* pressures);

// The curve of the given C, n and reservoir pressure.
void backpressure_curve(const double& c, const double& n, const double& pr, double* rates,
                        double* pressures);

}  // namespace dlv
