// Traverses of a well file's tubing: the tubing object and the well's own
// fluid description made into a traverse request, run at any rate, and the
// profile as a result document. The operating point and the lift tables
// traverse through PreparedTubing too; none of them calls a correlation.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tubing/traverse.hpp"
#include "wellfile/tubing_document.hpp"
#include "wellfile/units_table.hpp"
#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

// A checked well's tubing, ready to traverse at many rates. It owns the
// blocks and the survey that the requests it builds point into, so it is
// neither copied nor moved.
class PreparedTubing {
 public:
  PreparedTubing(const json& doc, const TubingInput& tubing_input);
  PreparedTubing(const PreparedTubing&) = delete;
  PreparedTubing& operator=(const PreparedTubing&) = delete;

  const TubingInput& input() const { return input_; }
  int mode() const { return mode_; }
  bool injector() const;
  bool gas_basis() const;
  const char* rate_unit() const;  // "STB/d" or "Mscf/d"
  // The request of one traverse; pressure in psia.
  TraverseRequest request(double rate, double start_pressure, TraverseStart start) const;
  // A request whose fluid is the one given, for the sensitivities and tables
  // that vary the water cut and gas/liquid ratio.
  TubingFluid& fluid() { return fluid_; }
  const TubingFluid& fluid() const { return fluid_; }

 private:
  TubingInput input_;
  Blocks blocks_;
  std::vector<SurveyStation> survey_;
  TubingFluid fluid_;
  int mode_ = 0;
};

// Every problem of a traverse request: the well's own checks, a missing
// tubing object, a rate that is not a number from 0 to 1e8.
std::vector<Problem> check_traverse(const json& doc, double rate);

// One traverse and its profile (as many nodes as it has).
struct TraverseRun {
  TraverseResult result;
  std::vector<ProfileNode> profile;
};
TraverseRun run_tubing(const PreparedTubing& tubing, double rate, double start_pressure_psia,
                       TraverseStart start);

// The words of a traverse's outcome ("the tubing cannot lift this rate: ...").
std::string traverse_status_text(const TraverseResult& result);
// The short name of a traverse's outcome ("ok", "cannot_lift", ...).
const char* traverse_status_name(TraverseStatus status);
// The profile of a traverse as the traverse document writes it: one array per
// column (pressures psi gauge), one entry per node.
json traverse_profile_json(const std::vector<ProfileNode>& nodes);
// The unit of every profile column that has one.
json traverse_profile_units();

// What `dlv traverse` asks: the rate, where to start, and the start pressure
// (psi gauge): the tubing's wellhead pressure from the wellhead; from the
// bottom, the pressure given or else the well's inflow pressure at the rate.
struct TraverseAsk {
  double rate = 0.0;
  TraverseStart start = TraverseStart::kWellhead;
  std::optional<double> start_pressure;
};
// The ask is in the document's unit system; the result in the document's, or
// in the system given.
RunOutcome run_traverse(const json& doc, const TraverseAsk& ask);
RunOutcome run_traverse(const json& doc, const TraverseAsk& ask, UnitSystem output);

// The bottom-hole pressure (psi gauge) of a result document's well curve at a
// rate, linear between its points; nullopt beyond the curve's largest rate.
std::optional<double> well_curve_pressure(const json& result, double rate);
// Linear interpolation of one column of a well curve at a rate; nullopt
// outside the curve or where the column has no number.
std::optional<double> curve_value(const json& curve, const char* column, double rate);

// A column of a traverse profile: its key, its field unit and its CSV
// heading in field units.
struct ProfileColumn {
  const char* name;
  const char* unit;
  const char* csv_name;
};

inline constexpr ProfileColumn kProfileColumns[] = {
    {"measured_depth", "ft", "measured_depth_ft"},
    {"vertical_depth", "ft", "vertical_depth_ft"},
    {"pressure", "psi gauge", "pressure_psig"},
    {"temperature", "degF", "temperature_degF"},
    {"holdup", "fraction", "holdup"},
    {"no_slip_holdup", "fraction", "no_slip_holdup"},
    {"flow_pattern", "", "flow_pattern"},
    {"mixture_density", "lbm/ft3", "mixture_density_lbm_ft3"},
    {"mixture_velocity", "ft/s", "mixture_velocity_ft_s"},
    {"elevation_gradient", "psi/ft", "elevation_gradient_psi_ft"},
    {"friction_gradient", "psi/ft", "friction_gradient_psi_ft"},
    {"acceleration_gradient", "psi/ft", "acceleration_gradient_psi_ft"},
};

}  // namespace dlv::wellfile
