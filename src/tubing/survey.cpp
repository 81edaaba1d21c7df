#include "tubing/survey.hpp"

#include <cmath>
#include <numbers>

namespace dlv {

namespace {

constexpr double kVerticalSlack = 1e-6;  // ft by which |dTVD| may exceed dMD

// A straight path to the node at the given inclination from the vertical.
PathError straight_path(double node_depth, double inclination, WellPath& path) {
  if (inclination < 0.0 || inclination > 90.0) return PathError::kBadInclination;
  path.segment_count = 1;
  path.measured[1] = node_depth;
  path.vertical[1] = node_depth * std::cos(inclination * std::numbers::pi / 180.0);
  return PathError::kNone;
}

}  // namespace

double WellPath::sine(std::size_t i) const {
  const double c = (vertical[i + 1] - vertical[i]) / (measured[i + 1] - measured[i]);
  return c > 1.0 ? 1.0 : (c < -1.0 ? -1.0 : c);
}

double WellPath::vertical_depth_at(double measured_depth) const {
  std::size_t i = 0;
  while (i + 1 < segment_count && measured_depth > measured[i + 1]) ++i;
  const double f = (measured_depth - measured[i]) / (measured[i + 1] - measured[i]);
  return vertical[i] + f * (vertical[i + 1] - vertical[i]);
}

PathError build_path(double node_depth, double inclination, std::span<const SurveyStation> survey,
                     WellPath& path) {
  path.segment_count = 0;
  path.measured[0] = 0.0;
  path.vertical[0] = 0.0;
  if (!std::isfinite(node_depth) || !std::isfinite(inclination)) return PathError::kNotFinite;
  if (!(node_depth > 0.0)) return PathError::kNodeNotPositive;
  if (survey.empty()) return straight_path(node_depth, inclination, path);
  double md = 0.0;
  double tvd = 0.0;
  std::size_t n = 0;
  for (const SurveyStation& s : survey) {
    if (!std::isfinite(s.measured_depth) || !std::isfinite(s.vertical_depth)) {
      return PathError::kNotFinite;
    }
    // A station at the wellhead is the path's start.
    if (n == 0 && s.measured_depth == 0.0 && s.vertical_depth == 0.0) continue;
    const double dmd = s.measured_depth - md;
    const double dtvd = s.vertical_depth - tvd;
    if (!(dmd > 0.0)) return PathError::kDepthsNotIncreasing;
    if (std::fabs(dtvd) > dmd + kVerticalSlack) return PathError::kVerticalExceedsMeasured;
    if (md >= node_depth) {
      md = s.measured_depth;
      tvd = s.vertical_depth;
      continue;  // checked, not used
    }
    if (n == kMaxPathSegments) return PathError::kTooManyStations;
    ++n;
    if (s.measured_depth >= node_depth) {
      path.measured[n] = node_depth;
      path.vertical[n] = tvd + dtvd * (node_depth - md) / dmd;
    } else {
      path.measured[n] = s.measured_depth;
      path.vertical[n] = s.vertical_depth;
    }
    md = s.measured_depth;
    tvd = s.vertical_depth;
  }
  if (md < node_depth) return PathError::kNodeBeyondSurvey;
  path.segment_count = n;
  return PathError::kNone;
}

double temperature_at(const WellPath& path, const TemperatureProfile& temperatures,
                      double measured_depth) {
  const double total = path.node_vertical_depth();
  double f = 0.0;
  if (total > 0.0) {
    f = path.vertical_depth_at(measured_depth) / total;
  } else {
    f = measured_depth / path.node_depth();
  }
  return temperatures.wellhead + (temperatures.node - temperatures.wellhead) * f;
}

}  // namespace dlv
