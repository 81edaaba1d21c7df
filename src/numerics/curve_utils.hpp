// Small numerical routines shared by the curve methods: three-point Lagrange
// interpolation, single-value table lookups, resampling of a curve onto 25
// abscissae, a two-column sort and a bisection lookup in ascending tables.
// None allocates memory, keeps state or writes messages.
#pragma once

#include <cstdint>

namespace dlv {

// Quadratic through (x0, y0), (x1, y1), (x2, y2) evaluated at xq; the mean of
// y0, y1, y2 when two of the abscissae coincide.
double lagrange3(double x0, double x1, double x2, double y0, double y1, double y2, double xq);

// Quadratic interpolation inside the table x[0..n-1], y[0..n-1] (rising or
// falling, judged from its ends), straight lines outside it. Returns 0 and
// leaves yq untouched when n < 3, else writes yq and returns 1.
std::int32_t interpol(const double* x, const double* y, std::int32_t n, const double& xq,
                      double& yq);

// Single-value lookup by bisection and three-point Lagrange interpolation.
// lookup_status: 0 inside the table, 1 for an answer outside the bracketing
// points (clamped to the nearer end when clamp != 0, else extrapolated
// linearly), 2 for a one-point table, -1 for an empty table (result -9.0).
double table_lookup(const double* x, const double* y, double xq, std::int32_t n, std::int32_t clamp,
                    std::int32_t& lookup_status);

// Piecewise-linear resampling of the curve x[0..n-1], y[0..n-1] onto the 25
// abscissae xt, written to yt; the end segments are extended outside.
void resample_curve(const double* x, const double* y, const double* xt, double* yt,
                    const std::int32_t& n);

// Sorts keys[0..n-1] (ascending, or falling when descending != 0) and moves
// values along with them. Equal neighbouring keys are first separated by
// scaling the earlier one by 1.00001, so the keys are changed.
void lsort2col(double* keys, double* values, std::int32_t n, std::int32_t descending);

// Straight-line interpolation in the ascending table xs[0..count-1],
// ys[0..count-1], bracket found by bisection; extrapolates along the first or
// last interval outside the table.
double bisect_lookup(double x, const double* xs, const double* ys, std::int32_t count);

// The same lookup with the tables given in the other order: searches xs (the
// third argument, ascending) and interpolates ys.
double bisect_lookup_inverse(double x, const double* ys, const double* xs, std::int32_t count);

}  // namespace dlv
