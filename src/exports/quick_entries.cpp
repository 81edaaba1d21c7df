#include "exports/quick_entries.hpp"

#include <array>
#include <cstring>

#include "blocks/block_layout.hpp"
#include "inflow/straight_line.hpp"
#include "inflow/vogel.hpp"

namespace dlv {

std::array<double, layout::kPoints> result_rates{};
std::array<double, layout::kPoints> result_pressures{};

double calc_vogel_quick(double pr, double q, double pwf, double pb) {
  vogel_curve(q, pwf, pr, pb, 0.0, result_rates.data(), result_pressures.data(), 0);
  return result_rates[layout::kLastPoint];
}

double calc_pi_quick(double pr, double pi) {
  pi_line_curve(pi, pr, result_rates.data(), result_pressures.data(), 0);
  return result_rates[layout::kLastPoint];
}

double copy_quick_results(double* rates, double* pressures) {
  if (rates != nullptr)
    std::memcpy(rates, result_rates.data(), result_rates.size() * sizeof(double));
  if (pressures != nullptr)
    std::memcpy(pressures, result_pressures.data(), result_pressures.size() * sizeof(double));
  return static_cast<double>(layout::kPoints);
}

}  // namespace dlv
