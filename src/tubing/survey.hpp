// The path of the tubing: a vertical well, one inclination, or a survey of
// (measured depth, true vertical depth) stations, cut into straight segments
// that end at the node (the measured depth where a traverse ends). Segment i
// runs from measured depth md[i] to md[i + 1] with sin(theta) = dTVD / dMD
// for upward flow; the temperature is linear in vertical depth between the
// wellhead and the node.
#pragma once

#include <cstddef>
#include <span>

namespace dlv {

struct SurveyStation {
  double measured_depth = 0.0;  // ft from the wellhead
  double vertical_depth = 0.0;  // ft below the wellhead
};

// Why a path cannot be built. The named layer turns each into a message.
enum class PathError {
  kNone,
  kNotFinite,                // a depth, angle or diameter that is NaN or infinite
  kNodeNotPositive,          // a node depth at or above the wellhead
  kDepthsNotIncreasing,      // survey measured depths that do not increase
  kVerticalExceedsMeasured,  // |dTVD| > dMD (+1e-6 ft) in a segment
  kNodeBeyondSurvey,         // a node deeper than the last station
  kBadInclination,           // an inclination outside 0..90 degrees from vertical
  kTooManyStations,          // more stations than a path holds
};

// The largest number of segments a path holds (survey stations up to the node).
inline constexpr std::size_t kMaxPathSegments = 256;

// A path from the wellhead (MD = TVD = 0) to the node.
struct WellPath {
  std::size_t segment_count = 0;
  double measured[kMaxPathSegments + 1] = {};  // segment boundaries, ft MD
  double vertical[kMaxPathSegments + 1] = {};  // TVD at the boundaries, ft
  double node_depth() const { return measured[segment_count]; }
  double node_vertical_depth() const { return vertical[segment_count]; }
  // sin(theta) of segment i for upward flow: dTVD / dMD, within [-1, 1].
  double sine(std::size_t i) const;
  // TVD at a measured depth within the path, linear in each segment.
  double vertical_depth_at(double measured_depth) const;
};

// The path to the node at measured depth `node_depth`: along the survey when it
// has stations (a first station below the wellhead is joined to the wellhead by
// a straight segment), otherwise straight at `inclination` degrees from
// vertical (0 = vertical). Stations deeper than the node are not used.
PathError build_path(double node_depth, double inclination, std::span<const SurveyStation> survey,
                     WellPath& path);

// Temperature at a vertical depth, linear between the wellhead temperature
// and the temperature at the node's vertical depth (measured depth when the
// path is horizontal throughout).
struct TemperatureProfile {
  double wellhead = 0.0;  // degrees F
  double node = 0.0;      // degrees F
};
double temperature_at(const WellPath& path, const TemperatureProfile& temperatures,
                      double measured_depth);

}  // namespace dlv
