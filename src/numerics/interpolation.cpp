#include "numerics/interpolation.hpp"

#include <cstdint>

#include "platform/diagnostic_log.hpp"

namespace dlv {

namespace {

// The end ordinate for a query at or beyond an end of the table; false for a
// query inside it.
bool end_value(const double* x, const double* y, std::int32_t n, double xq, bool increasing,
               double& value) {
  const bool before = increasing ? xq <= x[0] : xq >= x[0];
  const bool after = increasing ? xq >= x[n - 1] : xq <= x[n - 1];
  if (before) {
    value = y[0];
  } else if (after) {
    value = y[n - 1];
  }
  return before || after;
}

// Last point of the window: the first point from index degree on that lies
// beyond xq, else the last point of the table.
std::int32_t window_end(const double* x, std::int32_t n, std::int32_t degree, double xq,
                        bool increasing) {
  for (std::int32_t k = degree; k < n; ++k) {
    if (increasing ? x[k] > xq : x[k] < xq) return k;
  }
  return n - 1;
}

// The Lagrange polynomial through points lo..j at xq, or y[i] when xq is x[i].
double lagrange_window(const double* x, const double* y, double xq, std::int32_t lo,
                       std::int32_t j) {
  double product = 1.0;
  for (std::int32_t i = lo; i <= j; ++i) {
    if (xq == x[i]) return y[i];
    product = product * (xq - x[i]);
  }

  double sum = 0.0;
  for (std::int32_t i = lo; i <= j; ++i) {
    double term = y[i] * product / (xq - x[i]);
    for (std::int32_t k = lo; k <= j; ++k) {
      if (k != i) term = term / (x[i] - x[k]);
    }
    sum = sum + term;
  }
  return sum;
}

}  // namespace

// Lagrange interpolation over a window of ideg + 1 consecutive table points
// that ends at the first point beyond xq.
//
// The window must lie inside the table, so a degree of npts or more is
// lowered to npts - 1 (all points of the table). Repeated abscissae inside
// the window divide by zero and give a non-finite result, which is returned
// as is. A query that no point lies beyond (only a NaN xq gets that far)
// uses the last ideg + 1 points and comes back as NaN.
double flagr(const double* x, const double* y, double xq, std::int32_t ideg,
             const std::int32_t& npts, std::int32_t& ierr) {
  ierr = 0;
  if (ideg < 1) {
    write_log(":Illegal value input for IDEG in flagr()\r\n");
    ierr = 1;
  }
  if (npts < 3) {
    write_log(":Illegal value input for NPTS in flagr()\r\n");
    ierr = 1;
  }
  if (ierr == 1) return 0.0;

  // 0-based from here: points 0..n-1, window lo..j with j - lo = degree.
  const std::int32_t n = npts;
  const std::int32_t degree = ideg < n ? ideg : n - 1;
  const bool increasing = x[1] > x[0];

  double end = 0.0;
  if (end_value(x, y, n, xq, increasing, end)) return end;
  const std::int32_t j = window_end(x, n, degree, xq, increasing);
  return lagrange_window(x, y, xq, j - degree, j);
}

namespace {

// Upper index of the axis segment (i - 1, i) used for v: the first segment
// below the axis, the last above it, otherwise the first entry at or above v.
// A NaN query falls through to the last segment.
std::int32_t segment(const double* axis, std::int32_t count, double v) {
  if (v < axis[0]) return 1;
  if (v > axis[count - 1]) return count - 1;
  for (std::int32_t i = 1; i < count; ++i) {
    if (axis[i] >= v) return i;
  }
  return count - 1;
}

// Share of entry i - 1 in the segment (i - 1, i); 0.0 for a segment of no length.
double weight(const double* axis, std::int32_t i, double v) {
  const double divisor = axis[i] - axis[i - 1];
  if (divisor == 0.0) return 0.0;
  return (axis[i] - v) / divisor;
}

}  // namespace

// A count of zero or less, or above its capacity, gives 0.0.
double property_table_lookup(double temperature, double pressure, TableAxis temperatures,
                             TableAxis pressures, const double* values) {
  const std::int32_t x_count = temperatures.count;
  const std::int32_t y_count = pressures.count;
  const std::int32_t x_capacity = temperatures.capacity;
  if (x_count <= 0 || y_count <= 0) return 0.0;
  if (x_count > x_capacity || y_count > pressures.capacity) return 0.0;
  if (x_count == 1 && y_count == 1) return values[0];

  const auto v = [values, x_capacity](std::int32_t i, std::int32_t j) {
    return values[static_cast<std::int64_t>(j) * x_capacity + i];
  };

  if (x_count == 1) {
    const std::int32_t j = segment(pressures.values, y_count, pressure);
    const double t = weight(pressures.values, j, pressure);
    return t * (v(0, j - 1) - v(0, j)) + v(0, j);
  }
  const std::int32_t i = segment(temperatures.values, x_count, temperature);
  const double s = weight(temperatures.values, i, temperature);
  if (y_count == 1) {
    return (1.0 - s) * (v(i, 0) - v(i - 1, 0)) + v(i - 1, 0);
  }
  const std::int32_t j = segment(pressures.values, y_count, pressure);
  const double t = weight(pressures.values, j, pressure);
  const double r1 = (1.0 - s) * (v(i, j - 1) - v(i - 1, j - 1)) + v(i - 1, j - 1);
  const double r2 = (1.0 - s) * (v(i, j) - v(i - 1, j)) + v(i - 1, j);
  return t * (r1 - r2) + r2;
}

double property_table_value(FluidTables tables, layout::tables::Property property,
                            double temperature, double pressure) {
  const PropertyTable t = tables.table(property);
  return property_table_lookup(
      temperature, pressure,
      TableAxis{t.temperatures(), t.temperature_count(), layout::tables::kTemperatureCapacity},
      TableAxis{t.pressures(), t.pressure_count(), layout::tables::kPressureCapacity}, t.values());
}

}  // namespace dlv
