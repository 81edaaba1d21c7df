// Well documents through the well-file layer: the same parsing, checks,
// mapping onto the blocks and result document as the dlv command.
#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <cstdio>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "problem_rows.hpp"
#include "wellfile/units_table.hpp"
#include "wellfile/wellfile.hpp"

namespace py = pybind11;

namespace dlv::python {

namespace {

namespace wf = dlv::wellfile;

using WellOutcome = std::tuple<std::vector<ProblemRow>, std::string>;

// Computes a parsed well document with `run` (doc, output units) under the
// library's lock: the problems (nothing computed when there are any) and the
// result document as JSON text. The run checks the document itself first.
template <typename Run>
WellOutcome run_locked(const wf::json& doc, wf::UnitSystem output, Run&& run) {
  std::unique_lock<std::mutex> hold(library_lock());
  wf::WellText outcome = run(doc, output);
  hold.unlock();
  return {problem_rows(outcome.problems), std::move(outcome.text)};
}

// Parses a well document given as JSON text and computes it when it reads.
// The interpreter's lock is already released. units: "field" or "metric" for
// the result, "" for the document's own.
template <typename Run>
WellOutcome run_released(const std::string& text, const std::string& units, Run&& run) {
  wf::json doc;
  const std::vector<wf::Problem> problems = wf::parse_well_text(text, doc);
  if (!problems.empty()) return {problem_rows(problems), std::string()};
  const auto asked = wf::unit_system_from_name(units);
  return run_locked(doc, asked ? *asked : wf::document_unit_system(doc), run);
}

WellOutcome run_well_text(const std::string& text, const std::string& log_path,
                          const std::string& units) {
  py::gil_scoped_release release;
  const char* log = log_path.empty() ? nullptr : log_path.c_str();
  return run_released(text, units, [log](const wf::json& doc, wf::UnitSystem output) {
    return wf::run_well_text(doc, output, log);
  });
}

// Many wells in one call (a chunk of calculate_many): one batch, with its
// diagnostic log and blocks, serves the whole chunk.
std::vector<WellOutcome> run_well_texts(const std::vector<std::string>& texts) {
  py::gil_scoped_release release;
  wf::WellBatch batch;
  std::vector<WellOutcome> out;
  out.reserve(texts.size());
  const auto run = [&batch](const wf::json& doc, wf::UnitSystem output) {
    return batch.run(doc, output);
  };
  for (const std::string& text : texts) out.push_back(run_released(text, std::string(), run));
  return out;
}

// The whole content of a file, or nothing when it cannot be read.
std::optional<std::string> file_text(const std::string& path) {
  std::FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return std::nullopt;
  std::setvbuf(f, nullptr, _IONBF, 0);  // read straight into buf
  std::string text;
  char buf[8192];
  std::size_t n;
  while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
  const bool ok = !std::ferror(f);
  std::fclose(f);
  if (!ok) return std::nullopt;
  return text;
}

// Well files of a chunk of calculate_many, read and computed here: for each,
// (problems, result text, the file's text), or None when the file cannot be
// read or is not a JSON document, which the caller then reads itself to say
// why.
std::vector<std::optional<std::tuple<std::vector<ProblemRow>, std::string, std::string>>>
run_well_files(const std::vector<std::string>& paths) {
  py::gil_scoped_release release;
  wf::WellBatch batch;
  std::vector<std::optional<std::tuple<std::vector<ProblemRow>, std::string, std::string>>> out;
  out.reserve(paths.size());
  for (const std::string& path : paths) {
    std::optional<std::string> text = file_text(path);
    wf::json doc;
    if (!text || !wf::parse_well_text(*text, doc).empty()) {
      out.emplace_back();
      continue;
    }
    auto [problems, result] = run_locked(
        doc, wf::document_unit_system(doc),
        [&batch](const wf::json& d, wf::UnitSystem output) { return batch.run(d, output); });
    out.emplace_back(std::in_place, std::move(problems), std::move(result), std::move(*text));
  }
  return out;
}

// The blocks a usable well document fills, in dlv_cal's argument order (the
// mode as an int), or the problems of the document.
std::tuple<std::vector<ProblemRow>, py::list> well_blocks(const std::string& text) {
  wf::json doc;
  std::vector<wf::Problem> problems = wf::parse_well_text(text, doc);
  if (problems.empty()) problems = wf::validate_well(doc);
  py::list out;
  if (problems.empty()) {
    const wf::Blocks b = wf::to_blocks(doc);
    auto array = [](const std::vector<double>& v) {
      return py::array_t<double>(static_cast<py::ssize_t>(v.size()), v.data());
    };
    for (const auto* v :
         {&b.layer_fluids, &b.fluid_tables, &b.separator, &b.layer_curves, &b.well_record}) {
      out.append(array(*v));
    }
    out.append(b.calc_mode);
    for (const auto* v : {&b.completion, &b.completion_curves, &b.traverse_curves, &b.traverse,
                          &b.summary, &b.results}) {
      out.append(array(*v));
    }
  }
  return {problem_rows(problems), out};
}

}  // namespace

void bind_wellfile(py::module_& m) {
  m.def("run_well", &run_well_text, py::arg("text"), py::arg("log_path") = std::string(),
        py::arg("units") = std::string());
  // The units table: (quantity, field unit, metric unit, factor, offset) rows,
  // metric = field * factor + offset; factor 0 where other values decide it.
  m.def("quantity_table", [] {
    std::vector<std::tuple<std::string, std::string, std::string, double, double>> rows;
    for (const wf::QuantityUnits& q : wf::quantity_table())
      rows.emplace_back(q.name, q.field_unit, q.metric_unit, q.factor, q.offset);
    return rows;
  });
  m.def("run_wells", &run_well_texts, py::arg("texts"));
  m.def("run_well_files", &run_well_files, py::arg("paths"));
  m.def("well_blocks", &well_blocks, py::arg("text"));
  m.def("well_schema", [] { return wf::well_schema().dump(); });
  // The tidy CSV table of a result document given as JSON text (what
  // `dlv run --format csv` writes).
  m.def(
      "render_csv", [](const std::string& text) { return wf::render_csv(wf::json::parse(text)); },
      py::arg("text"));
}

}  // namespace dlv::python
