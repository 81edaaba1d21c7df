// Tubing traverses and point gradients through the well-file layer and the
// tubing room: the same checks and result document as `dlv traverse`.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "problem_rows.hpp"
#include "tubing/correlation.hpp"
#include "wellfile/run_outcome.hpp"
#include "wellfile/tubing_run.hpp"

namespace py = pybind11;

namespace dlv::python {

namespace {

namespace wf = dlv::wellfile;

// Parses, checks and traverses a well document given as JSON text. Returns
// the problems (nothing computed when there are any) and the result document
// as JSON text.
std::tuple<std::vector<ProblemRow>, std::string> run_traverse_text(
    const std::string& text, double rate, const std::string& start,
    std::optional<double> start_pressure, const std::string& units) {
  std::vector<wf::Problem> problems;
  std::string result;
  {
    py::gil_scoped_release release;
    wf::json doc;
    problems = wf::parse_well_text(text, doc);
    if (problems.empty()) {
      wf::TraverseAsk ask;
      ask.rate = rate;
      ask.start = start == "bottom" ? TraverseStart::kNode : TraverseStart::kWellhead;
      ask.start_pressure = start_pressure;
      wf::RunOutcome outcome;
      {
        std::lock_guard<std::mutex> hold(library_lock());
        const auto asked = wf::unit_system_from_name(units);
        outcome = wf::run_traverse(doc, ask, asked ? *asked : wf::document_unit_system(doc));
      }
      problems = std::move(outcome.problems);
      if (problems.empty()) result = outcome.result.dump();
    }
  }
  return {problem_rows(problems), result};
}

py::dict gradient_at(const std::string& correlation, const FlowPoint& point, bool payne) {
  const std::optional<Correlation> c = correlation_from_name(correlation);
  if (!c) throw py::value_error("unknown correlation \"" + correlation + "\"");
  if (!is_point_correlation(*c))
    throw py::value_error(correlation + " is a whole-well method: it has no gradient at a point");
  GradientOptions options;
  options.payne = payne;
  const Gradient g = point_gradient(*c, point, options);
  py::dict d;
  d["elevation"] = g.elevation;
  d["friction"] = g.friction;
  d["acceleration"] = g.acceleration;
  d["total"] = g.total;
  d["holdup"] = g.holdup;
  d["no_slip_holdup"] = g.no_slip_holdup;
  d["mixture_density"] = g.mixture_density;
  d["mixture_velocity"] = g.mixture_velocity;
  d["flow_pattern"] = flow_pattern_name(g.pattern);
  d["ok"] = g.ok;
  return d;
}

}  // namespace

void bind_tubing(py::module_& m) {
  m.def("run_traverse", &run_traverse_text, py::arg("text"), py::arg("rate"), py::arg("start"),
        py::arg("start_pressure") = std::nullopt, py::arg("units") = std::string());
  m.def(
      "tubing_gradient",
      [](const std::string& correlation, double d, double e, double angle, double vsl, double vsg,
         double rho_l, double rho_g, double mu_l, double mu_g, double sigma, double p, bool payne) {
        FlowPoint point;
        point.inside_diameter = d;
        point.roughness = e;
        point.inclination = angle;
        point.superficial_liquid_velocity = vsl;
        point.superficial_gas_velocity = vsg;
        point.liquid_density = rho_l;
        point.gas_density = rho_g;
        point.liquid_viscosity = mu_l;
        point.gas_viscosity = mu_g;
        point.surface_tension = sigma;
        point.pressure = p;
        return gradient_at(correlation, point, payne);
      },
      py::arg("correlation"), py::arg("inside_diameter"), py::arg("roughness"),
      py::arg("inclination"), py::arg("superficial_liquid_velocity"),
      py::arg("superficial_gas_velocity"), py::arg("liquid_density"), py::arg("gas_density"),
      py::arg("liquid_viscosity"), py::arg("gas_viscosity"), py::arg("surface_tension"),
      py::arg("pressure"), py::arg("payne") = true);
}

}  // namespace dlv::python
