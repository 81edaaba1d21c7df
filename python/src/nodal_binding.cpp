// Operating points through the well-file layer: the same checks and result
// document as `dlv nodal`.
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "problem_rows.hpp"
#include "wellfile/nodal_run.hpp"
#include "wellfile/run_outcome.hpp"
#include "wellfile/units_table.hpp"

namespace py = pybind11;

namespace dlv::python {

namespace {

namespace wf = dlv::wellfile;

// Parses, checks and solves a well document given as JSON text, optionally
// over the values of one field. Returns the problems (nothing computed when
// there are any), the fall-backs of the inflow curves and the result
// document as JSON text, in the unit system asked for ("field" or "metric";
// "" for the document's own).
std::tuple<std::vector<ProblemRow>, std::vector<std::string>, std::string> run_nodal_text(
    const std::string& text, std::optional<std::string> field, std::vector<double> values,
    const std::string& units) {
  std::vector<wf::Problem> problems;
  std::vector<std::string> fallbacks;
  std::string result;
  {
    py::gil_scoped_release release;
    wf::json doc;
    problems = wf::parse_well_text(text, doc);
    if (problems.empty()) {
      wf::NodalAsk ask;
      if (field) ask.vary = wf::NodalVary{*field, std::move(values)};
      wf::RunOutcome outcome;
      {
        std::lock_guard<std::mutex> hold(library_lock());
        outcome = wf::run_nodal(doc, ask);
      }
      problems = std::move(outcome.problems);
      fallbacks = std::move(outcome.fallbacks);
      const auto asked = wf::unit_system_from_name(units);
      if (problems.empty() &&
          (asked ? *asked : wf::document_unit_system(doc)) == wf::UnitSystem::metric)
        outcome.result = wf::convert_result(outcome.result, wf::UnitSystem::metric);
      if (problems.empty()) result = outcome.result.dump();
    }
  }
  return {problem_rows(problems), fallbacks, result};
}

}  // namespace

void bind_nodal(py::module_& m) {
  m.def("run_nodal", &run_nodal_text, py::arg("text"), py::arg("field") = std::nullopt,
        py::arg("values") = std::vector<double>(), py::arg("units") = std::string());
}

}  // namespace dlv::python
