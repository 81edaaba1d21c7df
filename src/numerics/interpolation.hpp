// Table interpolation used by the fluid-property correlations: Lagrange
// interpolation of a chosen degree with the end values held outside the
// table, and bilinear interpolation with straight-line extrapolation in a
// user-supplied property table over temperature and pressure.
#pragma once

#include <cstdint>

#include "blocks/blocks.hpp"

namespace dlv {

// Lagrange interpolation of degree ideg (ideg + 1 points) in the table
// x[0..npts-1], y[0..npts-1], whose abscissae are strictly monotonic (rising
// when x[1] > x[0], falling otherwise). Outside the table the end ordinate is
// returned. ideg < 1 or npts < 3 logs a message for each fault, sets ierr = 1
// and returns 0.0; otherwise ierr = 0.
double flagr(const double* x, const double* y, double xq, std::int32_t ideg,
             const std::int32_t& npts, std::int32_t& ierr);

// One axis of a property table: its ascending entries, the number in use and
// the number of slots the table holds along it.
struct TableAxis {
  const double* values;
  std::int32_t count;
  std::int32_t capacity;
};

// Bilinear interpolation, with straight-line extrapolation along the end
// segments, in a property table over temperature and pressure. The value of
// temperature i at pressure j sits at values[j * temperatures.capacity + i].
// An empty axis or a count above its capacity gives 0.0.
double property_table_lookup(double temperature, double pressure, TableAxis temperatures,
                             TableAxis pressures, const double* values);

// The host's table of a property at a temperature and pressure.
double property_table_value(FluidTables tables, layout::tables::Property property,
                            double temperature, double pressure);

}  // namespace dlv
