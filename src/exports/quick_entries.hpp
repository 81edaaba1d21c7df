// The quick single-curve calculations: one Vogel or productivity-index curve
// written into two library-owned 25-point arrays, and the copy of those
// arrays out to the host.
#pragma once

#include <array>

#include "blocks/block_layout.hpp"

namespace dlv {

// Rates and flowing pressures of the latest quick calculation; zero at load,
// overwritten whole by every calc_vogel_quick and calc_pi_quick call.
extern std::array<double, layout::kPoints> result_rates;
extern std::array<double, layout::kPoints> result_pressures;

// Vogel curve for reservoir pressure pr, test rate q at flowing pressure pwf
// and bubble point pb, no water, as a reference calculation (the stored Vogel
// reference pressure becomes pr). Returns the rate at zero pressure.
double calc_vogel_quick(double pr, double q, double pwf, double pb);

// Straight line of productivity index pi from pr. Returns pr * pi, the rate
// at zero pressure.
double calc_pi_quick(double pr, double pi);

// Copies result_rates to rates[0..24] and result_pressures to
// pressures[0..24]; a null destination is skipped. Returns 25.0.
double copy_quick_results(double* rates, double* pressures);

}  // namespace dlv
