#include "wellfile/tubing_run.hpp"

#include <cmath>
#include <cstdio>
#include <nlohmann/json.hpp>

#include "blocks/blocks.hpp"
#include "dlv/dlv_layout.h"
#include "numerics/units.hpp"
#include "wellfile/run_outcome.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {

namespace {

constexpr double kMaxRate = 1e8;

// A value of layer 0 in field units.
double layer_value(const json& doc, const char* key, double fallback) {
  const json& layer = doc["layers"][0];
  if (!(layer.contains(key) && layer[key].is_number() && layer[key].get<double>() > 0))
    return fallback;
  const Field* f = find_field(Group::layer, key);
  return f ? convert(f->quantity, layer[key].get<double>(), document_unit_system(doc),
                     UnitSystem::field)
           : layer[key].get<double>();
}

bool gas_mode(int mode) {
  return mode == DLV_MODE_GAS_PRODUCTION || mode == DLV_MODE_GAS_INJECTION;
}

// The layer fields the tubing's fluid reads, by fluid model and mode.
std::vector<const char*> fluid_needs(const std::string& fluid, int mode) {
  if (mode == DLV_MODE_WATER_INJECTION || mode == DLV_MODE_GAS_INJECTION || gas_mode(mode) ||
      fluid == "dry_gas")
    return {"gas_sg"};
  return {"api_gravity", "gas_sg"};
}

const char* status_name(TraverseStatus s) {
  switch (s) {
    case TraverseStatus::kOk:
      return "ok";
    case TraverseStatus::kCannotLift:
      return "cannot_lift";
    case TraverseStatus::kFailed:
      return "failed";
    case TraverseStatus::kRunaway:
      return "runaway";
    case TraverseStatus::kBadPath:
      return "bad_path";
    case TraverseStatus::kBadInput:
      return "bad_input";
  }
  return "failed";
}

double gauge(double psia) { return psia - kAtmosphere; }

json profile_json(const std::vector<ProfileNode>& nodes) {
  json p = json::object();
  auto col = [&](const char* name, auto get) {
    json c = json::array();
    for (const ProfileNode& n : nodes) c.push_back(get(n));
    p[name] = std::move(c);
  };
  col("measured_depth", [](const ProfileNode& n) { return n.measured_depth; });
  col("vertical_depth", [](const ProfileNode& n) { return n.vertical_depth; });
  col("pressure", [](const ProfileNode& n) { return gauge(n.pressure); });
  col("temperature", [](const ProfileNode& n) { return n.temperature; });
  col("holdup", [](const ProfileNode& n) { return n.holdup; });
  col("no_slip_holdup", [](const ProfileNode& n) { return n.no_slip_holdup; });
  col("flow_pattern", [](const ProfileNode& n) { return flow_pattern_name(n.pattern); });
  col("mixture_density", [](const ProfileNode& n) { return n.mixture_density; });
  col("mixture_velocity", [](const ProfileNode& n) { return n.mixture_velocity; });
  col("elevation_gradient", [](const ProfileNode& n) { return n.elevation; });
  col("friction_gradient", [](const ProfileNode& n) { return n.friction; });
  col("acceleration_gradient", [](const ProfileNode& n) { return n.acceleration; });
  return p;
}

json whole_well_json(const TraverseResult& r, Correlation c) {
  const WholeWellDetails& w = r.whole_well;
  if (c == Correlation::kPoettmannCarpenter)
    return {{"d_rho_v", w.d_rho_v},
            {"friction_factor", w.friction_factor},
            {"k_bar", w.k_bar},
            {"wellhead_density", w.wellhead_density},
            {"node_density", w.node_density},
            {"mean_density", w.mean_density}};
  if (c == Correlation::kAverageTemperatureZ)
    return {{"mean_z", w.mean_z},
            {"s", w.s},
            {"mean_temperature", w.mean_temperature},
            {"iterations", w.iterations}};
  return {{"mid_pressure", gauge(w.mid_pressure)}, {"iterations", w.iterations}};
}

}  // namespace

const char* traverse_status_name(TraverseStatus status) { return status_name(status); }

json traverse_profile_json(const std::vector<ProfileNode>& nodes) { return profile_json(nodes); }

json traverse_profile_units() {
  json units = json::object();
  for (const ProfileColumn& c : kProfileColumns)
    if (*c.unit) units[c.name] = c.unit;
  return units;
}

PreparedTubing::PreparedTubing(const json& doc, const TubingInput& tubing_input)
    : input_(tubing_input), blocks_(to_blocks(doc)), mode_(blocks_.calc_mode) {
  for (const SurveyPoint& p : input_.survey)
    survey_.push_back({p.measured_depth, p.vertical_depth});
  fluid_.model = *tubing_fluid_from_name(input_.fluid);
  fluid_.basis = gas_basis() ? RateBasis::kGas : RateBasis::kLiquid;
  fluid_.api_gravity = layer_value(doc, "api_gravity", fluid_.api_gravity);
  fluid_.gas_sg = layer_value(doc, "gas_sg", fluid_.gas_sg);
  fluid_.water_sg = layer_value(doc, "water_sg", fluid_.water_sg);
  if (mode_ == DLV_MODE_OIL_PRODUCTION) {
    fluid_.water_cut = layer_value(doc, "water_cut", 0.0);
    fluid_.gas_liquid_ratio = layer_value(doc, "producing_gor", 0.0) * (1 - fluid_.water_cut);
  } else if (mode_ == DLV_MODE_GAS_PRODUCTION) {
    fluid_.water_cut = layer_value(doc, "water_cut", 0.0);
    fluid_.liquid_yield = layer_value(doc, "liquid_yield", 0.0);
  } else if (mode_ == DLV_MODE_WATER_INJECTION) {
    fluid_.water_cut = 1.0;  // the injected stream is water alone
  }
  if (input_.oil_viscosity) fluid_.oil_viscosity = *input_.oil_viscosity;
  if (input_.water_viscosity) fluid_.water_viscosity = *input_.water_viscosity;
  if (input_.surface_tension) fluid_.surface_tension = *input_.surface_tension;
  // The tubing carries layer 0's fluid: a multilayer well's tubing takes the
  // first layer's description.
  fluid_.well.fluids = LayerFluids{blocks_.layer_fluids.data()};
  fluid_.well.tables = FluidTables{blocks_.fluid_tables.data()};
  fluid_.well.separator = SeparatorConditions{blocks_.separator.data()};
  fluid_.well.layer = 0;
}

bool PreparedTubing::injector() const {
  return mode_ == DLV_MODE_WATER_INJECTION || mode_ == DLV_MODE_GAS_INJECTION;
}

bool PreparedTubing::gas_basis() const { return gas_mode(mode_); }

const char* PreparedTubing::rate_unit() const { return gas_basis() ? "Mscf/d" : "STB/d"; }

TraverseRequest PreparedTubing::request(double rate, double start_pressure,
                                        TraverseStart start) const {
  TraverseRequest r;
  r.correlation = input_.correlation;
  r.options.payne = input_.payne;
  r.geometry = {input_.depth, input_.inside_diameter, input_.roughness, input_.inclination,
                survey_};
  r.temperatures = {input_.wellhead_temperature, input_.bottomhole_temperature};
  r.fluid = fluid_;
  r.rate = rate;
  r.start_pressure = start_pressure;
  r.start = start;
  r.flow = injector() ? FlowDirection::kDown : FlowDirection::kUp;
  return r;
}

std::vector<Problem> check_traverse(const json& doc, double rate) {
  std::vector<Problem> problems = validate_well(doc);
  if (!problems.empty()) return problems;
  if (!doc.contains("tubing")) {
    problems.push_back({"tubing", "missing: a traverse needs the well's tubing object",
                        "an object with correlation, wellhead_pressure, wellhead_temperature, "
                        "bottomhole_temperature, depth and inside_diameter"});
    return problems;
  }
  const int mode = to_blocks(doc).calc_mode;
  const std::string fluid =
      doc["tubing"].contains("fluid") ? doc["tubing"]["fluid"].get<std::string>() : "well";
  for (const char* key : fluid_needs(fluid, mode))
    if (layer_value(doc, key, 0.0) <= 0)
      problems.push_back({std::string("layers[0].") + key,
                          "missing: the tubing carries the well's own fluid, which needs it", ""});
  if (!(rate >= 0 && rate <= kMaxRate))
    problems.push_back({"rate", "value " + number_text(rate) + " is out of range",
                        "a number from 0 to 1e8 in the mode's rate unit"});
  return problems;
}

TraverseRun run_tubing(const PreparedTubing& tubing, double rate, double start_pressure_psia,
                       TraverseStart start) {
  TraverseRun run;
  const TraverseRequest request = tubing.request(rate, start_pressure_psia, start);
  run.profile.resize(512);
  run.result = traverse(request, run.profile);
  if (run.result.profile_truncated) {
    run.profile.resize(run.result.nodes_needed);
    run.result = traverse(request, run.profile);
  }
  run.profile.resize(std::min(run.result.nodes, run.profile.size()));
  return run;
}

std::string traverse_status_text(const TraverseResult& r) {
  switch (r.status) {
    case TraverseStatus::kOk:
      return "traversed";
    case TraverseStatus::kCannotLift:
      return "the tubing cannot lift this rate: the pressure reaches atmospheric below " +
             number_text(r.stop_measured_depth) + " ft measured depth (" +
             number_text(r.stop_vertical_depth) + " ft vertical)";
    case TraverseStatus::kFailed:
      return "the traverse failed below " + number_text(r.stop_measured_depth) +
             " ft measured depth: the gradient is not finite or the flow is critical";
    case TraverseStatus::kRunaway:
      return "the pressure runs above 30000 psia below " + number_text(r.stop_measured_depth) +
             " ft measured depth";
    case TraverseStatus::kBadPath:
      return "the tubing's path cannot be built from its depths and survey";
    case TraverseStatus::kBadInput:
      return "the traverse cannot start: a pressure, temperature or fluid property at the start "
             "is out of range";
  }
  return "the traverse failed";
}

// Linear interpolation of one column of a well curve at a rate; nullopt
// outside the curve or where the column has no number.
std::optional<double> curve_value(const json& curve, const char* column, double rate) {
  if (!curve.contains(column)) return std::nullopt;
  const json& q = curve["rate"];
  const json& y = curve[column];
  for (std::size_t i = 1; i < q.size(); ++i) {
    const double q0 = q[i - 1].get<double>(), q1 = q[i].get<double>();
    if (rate < q0 || rate > q1 || !y[i - 1].is_number() || !y[i].is_number()) continue;
    const double y0 = y[i - 1].get<double>(), y1 = y[i].get<double>();
    return q1 == q0 ? y1 : y0 + (y1 - y0) * (rate - q0) / (q1 - q0);
  }
  return std::nullopt;
}

std::optional<double> well_curve_pressure(const json& result, double rate) {
  if (!result.contains("well_curve")) return std::nullopt;
  return curve_value(result["well_curve"], "pressure", rate);
}

namespace {

// The ask in field units (it comes in the document's units) and its problems.
TraverseAsk field_ask(const json& given, const json& doc, const TraverseAsk& given_ask,
                      std::vector<Problem>& problems) {
  const UnitSystem input = document_unit_system(given);
  TraverseAsk ask = given_ask;
  const int mode = name_code(mode_names(), doc["mode"].get<std::string>());
  ask.rate = convert(rate_quantity(Quantity::mode_rate, mode), ask.rate, input, UnitSystem::field);
  if (ask.start_pressure)
    ask.start_pressure =
        convert(Quantity::pressure_gauge, *ask.start_pressure, input, UnitSystem::field);
  problems = check_traverse(doc, ask.rate);
  if (ask.start_pressure && !(*ask.start_pressure >= 0 && *ask.start_pressure <= 30000))
    problems.push_back({"start_pressure",
                        "value " + number_text(*ask.start_pressure) + " is out of range",
                        "a number in psi gauge, 0 to 30000"});
  return ask;
}

// The pressure (psi gauge) the traverse starts from: the one asked for, else
// the wellhead pressure of the tubing object going down, or the well curve's
// pressure at the rate going up; none when the rate is beyond the curve.
std::optional<double> start_pressure_of(const json& doc, const TraverseAsk& ask,
                                        const TubingInput& tubing_input) {
  if (ask.start_pressure) return *ask.start_pressure;
  if (ask.start != TraverseStart::kNode) return tubing_input.wellhead_pressure;
  return well_curve_pressure(run_well(doc).result, ask.rate);
}

json traverse_units(const PreparedTubing& tubing, bool whole_well) {
  json units = json::object();
  units["rate"] = tubing.rate_unit();
  units["wellhead_pressure"] = units["bottomhole_pressure"] = "psi gauge";
  for (const ProfileColumn& c : kProfileColumns)
    if (*c.unit) units[c.name] = c.unit;
  if (whole_well) {
    for (const char* k : {"wellhead_density", "node_density", "mean_density"}) units[k] = "lbm/ft3";
    units["d_rho_v"] = "lbm/(ft s)";
    units["k_bar"] = "(lbm/ft3)^2";
    units["mean_temperature"] = "degR";
    units["mid_pressure"] = "psi gauge";
  }
  return units;
}

// Where the traverse started and ended, and where it stopped when it failed.
void set_end_pressures(json& r, const TraverseAsk& ask, double start_pressure,
                       const TraverseResult& result) {
  const bool ok = result.status == TraverseStatus::kOk;
  const double end = gauge(result.end_pressure);
  const bool down = ask.start == TraverseStart::kWellhead;
  r["wellhead_pressure"] = down ? json(start_pressure) : ok ? json(end) : json(nullptr);
  r["bottomhole_pressure"] = !down ? json(start_pressure) : ok ? json(end) : json(nullptr);
  if (!ok)
    r["stopped_at"] = {{"measured_depth", result.stop_measured_depth},
                       {"vertical_depth", result.stop_vertical_depth}};
}

}  // namespace

RunOutcome run_traverse(const json& doc, const TraverseAsk& ask) {
  return run_traverse(doc, ask, document_unit_system(doc));
}
RunOutcome run_traverse(const json& given, const TraverseAsk& given_ask, UnitSystem output) {
  RunOutcome out;
  out.problems = validate_well(given);
  if (!out.problems.empty()) return out;
  const json doc = to_field_document(given);
  const TraverseAsk ask = field_ask(given, doc, given_ask, out.problems);
  if (!out.problems.empty()) return out;
  const TubingInput tubing_input = *read_tubing(doc);
  const PreparedTubing tubing(doc, tubing_input);
  const std::optional<double> start = start_pressure_of(doc, ask, tubing_input);
  if (!start) {
    out.problems.push_back({"rate",
                            "beyond the well's curve: the inflow gives no pressure "
                            "at " +
                                number_text(ask.rate) + " " + tubing.rate_unit(),
                            "a rate within the well curve, or a start pressure"});
    return out;
  }
  const double start_pressure = *start;
  const TraverseRun run = run_tubing(tubing, ask.rate, start_pressure + kAtmosphere, ask.start);

  json r = json::object();
  r["format_version"] = kFormatVersion;
  r["kind"] = "traverse";
  if (doc.contains("description")) r["description"] = doc["description"];
  r["mode"] = doc["mode"];
  r["correlation"] = correlation_name(tubing_input.correlation);
  r["fluid"] = tubing_input.fluid;
  r["rate"] = ask.rate;
  r["start"] = ask.start == TraverseStart::kWellhead ? "wellhead" : "bottom";
  r["status"] = status_name(run.result.status);
  r["message"] = traverse_status_text(run.result);
  set_end_pressures(r, ask, start_pressure, run.result);
  r["steps"] = run.result.steps;
  r["fluid_evaluations"] = run.result.fluid_evaluations;
  if (!is_point_correlation(tubing_input.correlation))
    r["whole_well"] = whole_well_json(run.result, tubing_input.correlation);
  r["units"] = traverse_units(tubing, r.contains("whole_well"));
  r["profile"] = profile_json(run.profile);
  out.result = convert_result(r, output);
  return out;
}

}  // namespace dlv::wellfile
