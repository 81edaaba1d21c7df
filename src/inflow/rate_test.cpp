#include "inflow/rate_test.hpp"

#include <cmath>

#include "blocks/block_layout.hpp"
#include "numerics/curve_utils.hpp"

namespace dlv {

namespace {

constexpr std::int32_t kLast = layout::kLastPoint;

// Rows the curve is built from. The table has 25 slots and the far end of
// the curve goes to the slot after the last row, so a count above 24 is taken
// as 24 (no filling then); a count below 2 is taken as 2, the fewest rows
// that give both lookups a straight line.
std::int32_t used_rows(std::int32_t row_count) {
  if (row_count < 2) return 2;
  if (row_count > kLast) return kLast;
  return row_count;
}

}  // namespace

std::int32_t rate_test_curve(std::int32_t calc_mode, const double* test_pressures,
                             const double* liquid_rates, const double* gas_rates,
                             const double* water_rates, std::int32_t row_count, double* rates,
                             double* pressures) {
  // A calculation mode other than the four leaves the curve as it stands.
  const CalcMode mode = static_cast<CalcMode>(calc_mode);
  if (!is_liquid_mode(mode) && !is_gas_mode(mode)) return 1;
  const std::int32_t n = used_rows(row_count);
  const bool production = !is_injection_mode(mode);

  for (std::int32_t i = 0; i <= kLast; ++i) {
    rates[i] = 0.0;
    pressures[i] = 0.0;
  }
  for (std::int32_t i = 1; i < n; ++i) pressures[i] = test_pressures[i];

  const double* r = mode == CalcMode::kOilProduction
                        ? liquid_rates
                        : (mode == CalcMode::kWaterInjection ? water_rates : gas_rates);

  std::int32_t status = 0;
  const double pr = table_lookup(r, test_pressures, 0.0, n, 0, status);
  const double p_end = production ? 0.0 : 3.0 * pr;
  const double q_end = table_lookup(test_pressures, r, p_end, n, 0, status);

  for (std::int32_t i = 1; i < n; ++i) rates[i] = r[i];
  pressures[n] = p_end;
  pressures[0] = pr;
  rates[0] = 0.0;
  rates[n] = q_end > 0.01 ? q_end : 0.01;

  // Fill the free slots one at a time: split the widest gap among the
  // segments before the far end (the lowest index wins a tie; the segment that
  // ends at the far end is never split), interpolate the rate there from all
  // points but the far end, and sort the new point into place.
  std::int32_t m = n;
  for (std::int32_t fill = 0; fill < kLast - n; ++fill) {
    double widest = -1.0;
    std::int32_t at = 0;  // gaps that are not numbers leave the first segment
    for (std::int32_t i = 0; i <= m - 2; ++i) {
      const double gap = std::fabs(pressures[i] - pressures[i + 1]);
      if (gap > widest) {
        widest = gap;
        at = i;
      }
    }
    m = m + 1;
    pressures[m] = (pressures[at] + pressures[at + 1]) / 2.0;
    rates[m] = table_lookup(pressures, rates, pressures[m], m - 1, 0, status);
    lsort2col(pressures, rates, m + 1, production ? 1 : 0);
  }
  return 1;
}

}  // namespace dlv
