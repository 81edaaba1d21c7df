#include "wellfile/nodal_run.hpp"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "dlv/dlv_layout.h"
#include "numerics/units.hpp"
#include "wellfile/run_outcome.hpp"
#include "wellfile/tubing_run.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {

namespace {

struct VaryField {
  const char* name;
  const char* unit;
  bool tubing;           // a field of the tubing object, else of every layer
  bool oil, gas, water;  // the production/injection modes it applies to
};

// Water cut and gas/oil ratio change the fluid the tubing lifts, so they apply
// only to the modes whose tubing fluid reads them.
constexpr VaryField kVaryFields[] = {
    {"wellhead_pressure", "psi gauge", true, true, true, true},
    {"inside_diameter", "in", true, true, true, true},
    {"water_cut", "fraction of liquid", false, true, true, false},
    {"producing_gor", "scf/STB", false, true, false, false},
    {"reservoir_pressure", "psi gauge", false, true, true, true},
};

const VaryField* vary_field(const std::string& name) {
  for (const VaryField& f : kVaryFields)
    if (name == f.name) return &f;
  return nullptr;
}

std::string field_list() {
  std::string s;
  for (const VaryField& f : kVaryFields) s += (s.empty() ? "" : ", ") + std::string(f.name);
  return s;
}

bool applies(const VaryField& f, int mode) {
  switch (mode) {
    case DLV_MODE_OIL_PRODUCTION:
      return f.oil;
    case DLV_MODE_GAS_PRODUCTION:
      return f.gas;
    case DLV_MODE_WATER_INJECTION:
      return f.water;
    default:
      return false;
  }
}

json with_value(const json& doc, const VaryField& f, double v) {
  json copy = doc;
  if (f.tubing) {
    copy["tubing"][f.name] = v;
  } else {
    for (json& layer : copy["layers"]) layer[f.name] = v;
  }
  return copy;
}

json number(double v) { return std::isfinite(v) ? json(v) : json(nullptr); }

// Copies every key of an object into another.
void merge(json& into, const json& from) {
  for (auto it = from.begin(); it != from.end(); ++it) into[it.key()] = it.value();
}

InflowCurve inflow_from(const json& result) {
  InflowCurve c;
  if (!result.contains("well_curve")) return c;
  const json& w = result["well_curve"];
  for (std::size_t i = 0; i < w["rate"].size(); ++i) {
    // A point without numbers makes the curve unusable: the solver refuses it.
    const json& q = w["rate"][i];
    const json& p = w["pressure"][i];
    c.rate.push_back(q.is_number() ? q.get<double>() : std::nan(""));
    c.pressure.push_back(p.is_number() ? p.get<double>() : std::nan(""));
  }
  return c;
}

// One operating point of a checked well whose inflow run_well has computed:
// the point's fields, the inflow curve, the oil rate and the traverse at the
// point. The traverse at the point is one more traverse, counted.
json solve_point(const json& doc, const RunOutcome& well, const SolverOptions& options) {
  const TubingInput tubing_input = *read_tubing(doc);
  const PreparedTubing tubing(doc, tubing_input);
  const double start = tubing_input.wellhead_pressure + kAtmosphere;
  NodalProblem problem;
  problem.inflow = inflow_from(well.result);
  problem.wellhead_pressure = tubing_input.wellhead_pressure;
  problem.direction = tubing.injector() ? WellDirection::injection : WellDirection::production;
  problem.outflow = [&](double rate) -> std::optional<double> {
    const TraverseRequest request = tubing.request(rate, start, TraverseStart::kWellhead);
    const TraverseResult r = traverse(request, {});
    if (r.status != TraverseStatus::kOk) return std::nullopt;
    return r.end_pressure - kAtmosphere;
  };
  const OperatingPoint point = solve_operating_point(problem, options);

  json body = operating_point_json(point, tubing.rate_unit());
  body.erase("units");
  int traverses = point.traverses;
  if (to_blocks(doc).calc_mode == DLV_MODE_OIL_PRODUCTION) {
    const json& curve = well.result["well_curve"];
    double water_cut = curve_value(curve, "water_cut", point.rate).value_or(0.0);
    if (!std::isfinite(water_cut)) water_cut = 0.0;
    body["oil_rate"] = point.rate * (1 - water_cut);
  }
  json inflow = json::object();
  inflow["rate"] = json::array();
  inflow["pressure"] = json::array();
  for (std::size_t i = 0; i < problem.inflow.rate.size(); ++i) {
    inflow["rate"].push_back(number(problem.inflow.rate[i]));
    inflow["pressure"].push_back(number(problem.inflow.pressure[i]));
  }
  body["inflow_curve"] = inflow;
  const bool crossed =
      point.outcome == NodalOutcome::flows || point.outcome == NodalOutcome::no_stable_crossing;
  if (crossed) {
    const TraverseRun run = run_tubing(tubing, point.rate, start, TraverseStart::kWellhead);
    ++traverses;
    body["traverse"] = {{"rate", point.rate},
                        {"status", traverse_status_name(run.result.status)},
                        {"message", traverse_status_text(run.result)},
                        {"profile", traverse_profile_json(run.profile)}};
  } else {
    body["traverse"] = nullptr;
  }
  // The solver's count, plus the traverse of the profile at the point.
  body["traverses"] = traverses;
  return body;
}

json units_of(const PreparedTubing& tubing, int mode) {
  json u = json::object();
  u["rate"] = tubing.rate_unit();
  if (mode == DLV_MODE_OIL_PRODUCTION) u["oil_rate"] = "STB/d";
  u["pressure"] = "psi gauge";
  for (const char* key :
       {"bottomhole_pressure", "wellhead_pressure", "static_pressure", "inflow_pressure"})
    u[key] = "psi gauge";
  u["residual"] = u["static_residual"] = "psi";
  u["slope"] = std::string("psi per ") + tubing.rate_unit();
  merge(u, traverse_profile_units());
  return u;
}

}  // namespace

const std::vector<std::string>& nodal_vary_fields() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> n;
    for (const VaryField& f : kVaryFields) n.push_back(f.name);
    return n;
  }();
  return names;
}

std::optional<NodalVary> parse_nodal_vary(const std::string& text, std::vector<Problem>& problems) {
  const std::string expected = "FIELD=V1,V2,... with FIELD one of " + field_list();
  const std::size_t eq = text.find('=');
  if (eq == std::string::npos || eq == 0) {
    problems.push_back({"vary", "\"" + text + "\" is not FIELD=V1,V2,...", expected});
    return std::nullopt;
  }
  NodalVary vary;
  vary.field = text.substr(0, eq);
  std::size_t at = eq + 1;
  while (at <= text.size()) {
    const std::size_t comma = std::min(text.find(',', at), text.size());
    const std::string item = text.substr(at, comma - at);
    double v = 0;
    const auto [end, ec] = std::from_chars(item.data(), item.data() + item.size(), v);
    if (item.empty() || ec != std::errc() || end != item.data() + item.size() ||
        !std::isfinite(v)) {
      problems.push_back({"vary " + vary.field, "\"" + item + "\" is not a number", expected});
      return std::nullopt;
    }
    vary.values.push_back(v);
    at = comma + 1;
  }
  return vary;
}

std::vector<Problem> check_nodal(const json& doc, const NodalAsk& ask) {
  std::vector<Problem> problems = check_traverse(doc, 0.0);
  if (!problems.empty()) {
    for (Problem& p : problems)
      if (p.path == "tubing")
        p.message = "missing: the operating point needs the well's tubing object";
    return problems;
  }
  if (!ask.vary) return problems;
  const NodalVary& vary = *ask.vary;
  const VaryField* f = vary_field(vary.field);
  const int mode = to_blocks(doc).calc_mode;
  if (!f || !applies(*f, mode)) {
    problems.push_back(
        {"vary " + vary.field,
         f ? "does not apply to a well of mode " + doc["mode"].get<std::string>() : "unknown field",
         "one of " + field_list()});
    return problems;
  }
  if (vary.values.empty() || vary.values.size() > 100)
    problems.push_back({"vary " + vary.field, "needs 1 to 100 values", "FIELD=V1,V2,..."});
  for (double v : vary.values)
    for (Problem p : check_traverse(with_value(doc, *f, v), 0.0)) {
      p.message += " (--vary " + vary.field + "=" + number_text(v) + ", " + f->unit + ")";
      problems.push_back(std::move(p));
    }
  return problems;
}

namespace {

// The wells to solve: the well itself, or one copy per value of the field.
std::vector<json> wells_to_solve(const json& doc, const NodalAsk& ask, const VaryField* f) {
  std::vector<json> wells;
  if (f)
    for (double v : ask.vary->values) wells.push_back(with_value(doc, *f, v));
  else
    wells.push_back(doc);
  return wells;
}

// Every inflow curve first: a well the library refuses stops the run before
// any operating point is solved. A field of the tubing object leaves the
// inflow alone: the well's own curve serves every value. The problems and
// fall-backs go to out, tagged with their value.
std::vector<RunOutcome> run_inflows(const std::vector<json>& wells, const NodalAsk& ask,
                                    const VaryField* f, RunOutcome& out) {
  const bool shared_inflow = !f || f->tubing;
  std::vector<RunOutcome> inflows;
  for (std::size_t i = 0; i < (shared_inflow ? 1 : wells.size()); ++i) {
    inflows.push_back(run_well(wells[i]));
    const std::string tag = f && !shared_inflow ? " (--vary " + ask.vary->field + "=" +
                                                      number_text(ask.vary->values[i]) + ")"
                                                : "";
    for (Problem p : inflows.back().problems) {
      p.message += tag;
      out.problems.push_back(std::move(p));
    }
    for (const std::string& fb : inflows.back().fallbacks) out.fallbacks.push_back(fb + tag);
  }
  return inflows;
}

// One operating point per value, each with the inflow curve it runs on.
json family_points(const std::vector<json>& wells, const std::vector<RunOutcome>& inflows,
                   const NodalAsk& ask) {
  const bool shared_inflow = inflows.size() == 1;
  json points = json::array();
  for (std::size_t i = 0; i < wells.size(); ++i) {
    json p = json::object();
    p["value"] = ask.vary->values[i];
    merge(p, solve_point(wells[i], inflows[shared_inflow ? 0 : i], ask.solver));
    points.push_back(std::move(p));
  }
  return points;
}

json nodal_notes(const json& doc, const VaryField* f) {
  json notes = json::array();
  if (f && std::string(f->name) == "reservoir_pressure" &&
      (doc.contains("tests") || doc.contains("rate_test")))
    notes.push_back(
        "each reservoir pressure keeps the well's tests: the curve of a lower reservoir "
        "pressure passes through the same test points and is steeper, so the rate need not "
        "fall; a productivity index or reservoir properties describe a depleted reservoir");
  return notes;
}

}  // namespace

RunOutcome run_nodal(const json& doc, const NodalAsk& ask) {
  RunOutcome out;
  out.problems = check_nodal(doc, ask);
  if (!out.problems.empty()) return out;
  const VaryField* f = ask.vary ? vary_field(ask.vary->field) : nullptr;
  const std::vector<json> wells = wells_to_solve(doc, ask, f);
  const std::vector<RunOutcome> inflows = run_inflows(wells, ask, f, out);
  if (!out.problems.empty()) return out;

  const TubingInput tubing_input = *read_tubing(doc);
  const PreparedTubing tubing(doc, tubing_input);
  const int mode = tubing.mode();
  json r = json::object();
  r["format_version"] = kFormatVersion;
  r["kind"] = f ? "nodal_family" : "nodal";
  if (doc.contains("description")) r["description"] = doc["description"];
  r["mode"] = doc["mode"];
  r["method"] = doc["method"];
  r["correlation"] = correlation_name(tubing_input.correlation);
  r["fluid"] = tubing_input.fluid;
  if (f) {
    r["vary"] = f->name;
    r["value_unit"] = f->unit;
    r["points"] = family_points(wells, inflows, ask);
  } else {
    merge(r, solve_point(doc, inflows[0], ask.solver));
  }
  r["notes"] = nodal_notes(doc, f);
  r["units"] = units_of(tubing, mode);
  r["fallbacks"] = out.fallbacks;
  out.result = std::move(r);
  return out;
}

}  // namespace dlv::wellfile
