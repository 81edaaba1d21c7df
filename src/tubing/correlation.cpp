#include "tubing/correlation.hpp"

#include <array>
#include <utility>

#include "tubing/beggs_brill.hpp"
#include "tubing/gray.hpp"
#include "tubing/hagedorn_brown.hpp"
#include "tubing/no_slip.hpp"

namespace dlv {

namespace {

constexpr std::array<std::pair<Correlation, std::string_view>, 8> kNames{{
    {Correlation::kNoSlip, "no_slip"},
    {Correlation::kPoettmannCarpenter, "poettmann_carpenter"},
    {Correlation::kHagedornBrown, "hagedorn_brown"},
    {Correlation::kHagedornBrownOriginal, "hagedorn_brown_original"},
    {Correlation::kBeggsBrill, "beggs_brill"},
    {Correlation::kGray, "gray"},
    {Correlation::kAverageTemperatureZ, "average_temperature_z"},
    {Correlation::kCullenderSmith, "cullender_smith"},
}};

}  // namespace

std::string_view correlation_name(Correlation correlation) {
  for (const auto& [value, name] : kNames) {
    if (value == correlation) return name;
  }
  return "unknown";
}

std::optional<Correlation> correlation_from_name(std::string_view name) {
  for (const auto& [value, known] : kNames) {
    if (known == name) return value;
  }
  return std::nullopt;
}

bool is_point_correlation(Correlation correlation) {
  switch (correlation) {
    case Correlation::kNoSlip:
    case Correlation::kHagedornBrown:
    case Correlation::kHagedornBrownOriginal:
    case Correlation::kBeggsBrill:
    case Correlation::kGray:
      return true;
    case Correlation::kPoettmannCarpenter:
    case Correlation::kAverageTemperatureZ:
    case Correlation::kCullenderSmith:
      return false;
  }
  return false;
}

const char* flow_pattern_name(FlowPattern pattern) {
  switch (pattern) {
    case FlowPattern::kStatic:
      return "static";
    case FlowPattern::kLiquid:
      return "liquid";
    case FlowPattern::kGas:
      return "gas";
    case FlowPattern::kHomogeneous:
      return "homogeneous";
    case FlowPattern::kSegregated:
      return "segregated";
    case FlowPattern::kTransition:
      return "transition";
    case FlowPattern::kIntermittent:
      return "intermittent";
    case FlowPattern::kDistributed:
      return "distributed";
    case FlowPattern::kBubble:
      return "bubble";
    case FlowPattern::kSlug:
      return "slug";
    case FlowPattern::kMist:
      return "mist";
  }
  return "unknown";
}

Gradient point_gradient(Correlation correlation, const FlowPoint& point,
                        const GradientOptions& options) {
  switch (correlation) {
    case Correlation::kBeggsBrill:
      return beggs_brill(point, options);
    case Correlation::kHagedornBrown:
      return hagedorn_brown(point, HagedornBrownForm::kModified);
    case Correlation::kHagedornBrownOriginal:
      return hagedorn_brown(point, HagedornBrownForm::kSpreadsheet);
    case Correlation::kGray:
      return gray(point);
    case Correlation::kNoSlip:
    case Correlation::kPoettmannCarpenter:
    case Correlation::kAverageTemperatureZ:
    case Correlation::kCullenderSmith:
      return no_slip_gradient(point);
  }
  return failed_gradient();
}

}  // namespace dlv
