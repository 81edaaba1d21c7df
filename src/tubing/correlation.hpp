// The tubing correlations by name, and the options a point correlation takes.
#pragma once

#include <optional>
#include <string_view>

#include "tubing/flow_point.hpp"

namespace dlv {

// Every tubing model the library offers, as the well file names them.
enum class Correlation {
  kNoSlip,                 // "no_slip": homogeneous mixture, marched
  kPoettmannCarpenter,     // "poettmann_carpenter": one interval over the whole well
  kHagedornBrown,          // "hagedorn_brown": modified (Griffith, H_L >= lambda_L), marched
  kHagedornBrownOriginal,  // "hagedorn_brown_original": the published spreadsheet's conventions
  kBeggsBrill,             // "beggs_brill": with the Payne corrections (switchable), marched
  kGray,                   // "gray": gas wells making liquid, marched
  kAverageTemperatureZ,    // "average_temperature_z": dry gas, whole well
  kCullenderSmith,         // "cullender_smith": dry gas, whole well
};

std::string_view correlation_name(Correlation correlation);
std::optional<Correlation> correlation_from_name(std::string_view name);

// True for the correlations that give a gradient at a point and are marched;
// false for the whole-well methods.
bool is_point_correlation(Correlation correlation);

struct GradientOptions {
  bool payne = true;  // Beggs and Brill: the Payne et al. holdup factors
};

// The gradient of a point correlation at one point. Whole-well methods have
// no point gradient: they give the no-slip gradient here.
Gradient point_gradient(Correlation correlation, const FlowPoint& point,
                        const GradientOptions& options = {});

}  // namespace dlv
