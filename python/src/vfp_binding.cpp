// Lift tables through the well-file layer: the same checks, traverses, fill
// and deck text as `dlv vfp`. A table travels between Python and C++ as a
// dict of its header, axes and pressures (FIELD units, psia).
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <array>
#include <mutex>
#include <nlohmann/json.hpp>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "problem_rows.hpp"
#include "wellfile/vfp_run.hpp"

namespace py = pybind11;

namespace dlv::python {

namespace {

namespace wf = dlv::wellfile;

// The deck's words for the table's types.
constexpr std::array<std::pair<const char*, wf::VfpFlo>, 4> kFlo{{{"OIL", wf::VfpFlo::oil},
                                                                  {"LIQ", wf::VfpFlo::liquid},
                                                                  {"GAS", wf::VfpFlo::gas},
                                                                  {"WAT", wf::VfpFlo::water}}};
constexpr std::array<std::pair<const char*, wf::VfpWfr>, 3> kWfr{
    {{"WCT", wf::VfpWfr::water_cut},
     {"WOR", wf::VfpWfr::water_oil_ratio},
     {"WGR", wf::VfpWfr::water_gas_ratio}}};
constexpr std::array<std::pair<const char*, wf::VfpGfr>, 3> kGfr{
    {{"GOR", wf::VfpGfr::gas_oil_ratio},
     {"GLR", wf::VfpGfr::gas_liquid_ratio},
     {"OGR", wf::VfpGfr::oil_gas_ratio}}};

template <typename E, std::size_t N>
std::optional<E> from_word(const py::dict& d, const char* key,
                           const std::array<std::pair<const char*, E>, N>& words) {
  if (!d.contains(key) || d[key].is_none()) return std::nullopt;
  const std::string w = py::str(d[key]);
  for (const auto& [word, value] : words)
    if (w == word) return value;
  std::string allowed;
  for (const auto& [word, value] : words)
    allowed += (allowed.empty() ? "" : ", ") + std::string(word);
  throw py::value_error(std::string(key) + " is one of " + allowed + ", not \"" + w + "\"");
}
template <typename E, std::size_t N>
const char* to_word(E e, const std::array<std::pair<const char*, E>, N>& words) {
  for (const auto& [word, value] : words)
    if (value == e) return word;
  return "";
}

std::vector<double> axis(const py::dict& d, const char* key) {
  if (!d.contains(key) || d[key].is_none()) return {};
  return d[key].cast<std::vector<double>>();
}

wf::VfpUnits units_of(const py::dict& d) {
  const std::string u = d.contains("units") ? std::string(py::str(d["units"])) : "field";
  if (u != "field" && u != "metric") throw py::value_error("units is \"field\" or \"metric\"");
  return u == "metric" ? wf::VfpUnits::metric : wf::VfpUnits::field;
}

struct Ask {
  wf::VfpAxes axes;
  wf::VfpOptions options;
};

Ask ask_of(const py::dict& axes_dict) {
  Ask a;
  a.axes = {axis(axes_dict, "rates"), axis(axes_dict, "wellhead_pressures"), axis(axes_dict, "wfr"),
            axis(axes_dict, "gfr"), axis(axes_dict, "alq")};
  a.options.flo = from_word(axes_dict, "flo_type", kFlo);
  a.options.wfr = from_word(axes_dict, "wfr_type", kWfr);
  a.options.gfr = from_word(axes_dict, "gfr_type", kGfr);
  if (axes_dict.contains("table_number"))
    a.options.table_number = axes_dict["table_number"].cast<int>();
  if (axes_dict.contains("datum_depth") && !axes_dict["datum_depth"].is_none())
    a.options.datum_depth = axes_dict["datum_depth"].cast<double>();
  a.options.units = units_of(axes_dict);
  return a;
}

py::dict table_dict(const wf::VfpTable& t) {
  py::dict d;
  d["kind"] = t.kind == wf::VfpKind::injection ? "injection" : "production";
  d["flo_type"] = to_word(t.flo, kFlo);
  d["wfr_type"] = to_word(t.wfr, kWfr);
  d["gfr_type"] = to_word(t.gfr, kGfr);
  d["table_number"] = t.table_number;
  d["datum_depth"] = t.datum_depth;
  d["units"] = t.units == wf::VfpUnits::metric ? "metric" : "field";
  d["rates"] = t.axes.flo;
  d["wellhead_pressures"] = t.axes.thp;
  d["wfr"] = t.axes.wfr;
  d["gfr"] = t.axes.gfr;
  d["alq"] = t.axes.alq;
  d["bhp"] = t.bhp;
  return d;
}

wf::VfpTable table_of(const py::dict& d) {
  wf::VfpTable t;
  t.kind = std::string(py::str(d["kind"])) == "injection" ? wf::VfpKind::injection
                                                          : wf::VfpKind::production;
  t.flo = *from_word(d, "flo_type", kFlo);
  if (t.kind == wf::VfpKind::production) {
    t.wfr = *from_word(d, "wfr_type", kWfr);
    t.gfr = *from_word(d, "gfr_type", kGfr);
  }
  t.table_number = d["table_number"].cast<int>();
  t.datum_depth = d["datum_depth"].cast<double>();
  t.units = units_of(d);
  t.axes = {axis(d, "rates"), axis(d, "wellhead_pressures"), axis(d, "wfr"), axis(d, "gfr"),
            axis(d, "alq")};
  t.bhp = axis(d, "bhp");
  return t;
}

py::list index_rows(const std::vector<wf::VfpIndex>& indices) {
  py::list rows;
  for (const wf::VfpIndex& i : indices)
    rows.append(py::make_tuple(i.thp, i.wfr, i.gfr, i.alq, i.flo));
  return rows;
}

// Parses the well text and runs one of the table builders on it, the GIL
// released and the library held.
std::tuple<std::vector<ProblemRow>, py::object> with_well(
    const std::string& text, const py::dict& axes_dict,
    wf::VfpBuild (*build)(const wf::json&, const wf::VfpAxes&, const wf::VfpOptions&)) {
  const Ask ask = ask_of(axes_dict);
  wf::VfpBuild built;
  {
    py::gil_scoped_release release;
    wf::json doc;
    built.problems = wf::parse_well_text(text, doc);
    if (built.problems.empty()) {
      std::lock_guard<std::mutex> hold(library_lock());
      built = build(doc, ask.axes, ask.options);
    }
  }
  if (!built.problems.empty()) return {problem_rows(built.problems), py::object(py::none())};
  return {std::vector<ProblemRow>{}, table_dict(built.table)};
}

}  // namespace

void bind_vfp(py::module_& m) {
  m.def(
      "vfp_prepare",
      [](const std::string& text, const py::dict& axes_dict) {
        return with_well(text, axes_dict, &wf::prepare_vfp_table);
      },
      py::arg("text"), py::arg("axes_dict"));
  m.def(
      "vfp_traverse",
      [](const std::string& text, const py::dict& axes_dict) {
        return with_well(text, axes_dict, &wf::traverse_vfp_table);
      },
      py::arg("text"), py::arg("axes_dict"));
  m.def(
      "vfp_fill",
      [](const py::dict& table) {
        wf::VfpTable t = table_of(table);
        const wf::VfpFillResult fill = wf::fill_traversed_vfp_table(t);
        py::dict d = table_dict(t);
        d["problems"] = problem_rows(fill.problems);
        d["filled"] = index_rows(fill.filled);
        d["falls"] = index_rows(fill.falls);
        return d;
      },
      py::arg("table"));
  m.def(
      "vfp_deck_text",
      [](const py::dict& table) {
        try {
          return wf::vfp_deck_text(table_of(table));
        } catch (const std::invalid_argument& e) {
          throw py::value_error(e.what());
        }
      },
      py::arg("table"));
}

}  // namespace dlv::python
