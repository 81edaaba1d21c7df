// Vogel's inflow curve of one oil layer from one well test: oil on Vogel's
// curve (straight above the bubble point when the reservoir is
// undersaturated), water on a straight line, the two rates added.
#pragma once

#include <cstdint>

namespace dlv {

// Vogel's dimensionless rate q / qmax at the pressure fraction x = p / pr,
// 1 - 0.2 x - 0.8 x^2 with the square formed first (0.8 * (x * x), which can
// differ from (0.8 * x) * x in the last bit).
inline double vogel_fraction(double x) { return 1.0 - 0.2 * x - 0.8 * (x * x); }

// Reservoir pressure of the latest reference call (flag 0); 0 at load.
extern double vogel_reference_pressure;
// Reservoir pressure over the reference pressure, set by every call with a
// non-zero flag; 0 at load.
extern double vogel_pressure_ratio;

// Writes the 25-point curve of one layer: rates[0] = 0 at pressures[0] = pr,
// pressures[24] = 0 with the largest rate, points 1..23 on pr - k * (pr / 24)
// except that an undersaturated reservoir moves the first grid point at or
// below the bubble point onto it. water_cut is the water fraction of the
// test rate. changed_pressure_flag 0 stores pr as the reference pressure; a
// non-zero flag derives the curve at pr from a test taken at the reference
// pressure. The test values are read only; scaled values are never handed
// back. test_pressure must differ from reservoir_pressure.
void vogel_curve(double test_rate, double test_pressure, double reservoir_pressure,
                 double bubble_point, double water_cut, double* rates, double* pressures,
                 std::int32_t changed_pressure_flag);

}  // namespace dlv
