// The `tubing` object of a well file: the tubing string, its correlation and
// the wellhead conditions, checked and read into a TubingInput. One table of
// the object's numeric fields drives the checks, the schema and the field page.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "tubing/correlation.hpp"
#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

struct SurveyPoint {
  double measured_depth = 0.0;  // ft
  double vertical_depth = 0.0;  // ft
};

// A checked tubing object. Pressures psi gauge, temperatures degF, depths ft,
// the pipe in inches.
struct TubingInput {
  Correlation correlation = Correlation::kNoSlip;
  bool payne = true;
  std::string fluid = "well";
  double wellhead_pressure = 0.0;
  double wellhead_temperature = 0.0;
  double bottomhole_temperature = 0.0;
  double depth = 0.0;  // measured depth of the node
  double inside_diameter = 0.0;
  double roughness = 0.0;
  double inclination = 0.0;               // degrees from vertical, when no survey is given
  std::vector<SurveyPoint> survey;        // empty: a straight hole at `inclination`
  std::optional<double> surface_tension;  // dyn/cm, overrides the correlations
  std::optional<double> oil_viscosity;    // cp, overrides the correlations
  std::optional<double> water_viscosity;  // cp, overrides the correlations
};

// Every problem of doc["tubing"] for a well of the given mode (a code of
// mode_names()); empty when the object is usable or absent.
std::vector<Problem> check_tubing(const json& doc, int mode);

// The tubing object of a document that passed check_tubing; nullopt when the
// document has none.
std::optional<TubingInput> read_tubing(const json& doc);

// The tubing object of a metric well in field units (the checks passed).
json tubing_to_field_units(const json& tubing);

// The JSON Schema of the tubing object, and its section of the field page.
json tubing_schema();
std::string tubing_fields_markdown();

// The names the `fluid` field of the tubing object accepts.
const std::vector<std::string>& tubing_fluid_names();

}  // namespace dlv::wellfile
