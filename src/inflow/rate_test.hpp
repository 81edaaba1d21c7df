// Rate-test curve: a measured table of flowing pressures and rates (row 0 the
// shut-in row) refined to the standard 25-point curve without a flow model.
#pragma once

#include <cstdint>

namespace dlv {

// Builds the curve from rows 0..row_count-1 of the rate-test table, with the
// rate column of calc_mode (0 liquid, 1 gas, 2 water, 3 gas). Production
// curves (modes 0, 1) run down to zero pressure, injection curves (modes 2,
// 3) up to three times the reservoir pressure. Returns 1.
std::int32_t rate_test_curve(std::int32_t calc_mode, const double* test_pressures,
                             const double* liquid_rates, const double* gas_rates,
                             const double* water_rates, std::int32_t row_count, double* rates,
                             double* pressures);

}  // namespace dlv
