#include "wellfile/tubing_document.hpp"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <nlohmann/json.hpp>

#include "dlv/dlv_layout.h"
#include "tubing/tubing_fluid.hpp"
#include "wellfile/units_table.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {

namespace {

// One numeric field of the tubing object. A range whose low end is open holds
// only numbers above it.
struct TubingField {
  const char* name;
  Quantity quantity;
  double min, max;
  bool above_min;
  bool required;
  const char* meaning;
  void (*store)(TubingInput&, double);
};

constexpr double kAbsoluteZero = -459.67;  // degF

constexpr TubingField kTubingFields[] = {
    {"wellhead_pressure", Quantity::pressure_gauge, 0, 30000, false, true,
     "flowing wellhead (tubing head) pressure",
     [](TubingInput& t, double v) { t.wellhead_pressure = v; }},
    {"wellhead_temperature", Quantity::temperature, kAbsoluteZero, 1000, true, true,
     "flowing temperature at the wellhead",
     [](TubingInput& t, double v) { t.wellhead_temperature = v; }},
    {"bottomhole_temperature", Quantity::temperature, kAbsoluteZero, 1000, true, true,
     "flowing temperature at the node; the temperature is linear in vertical depth between the two",
     [](TubingInput& t, double v) { t.bottomhole_temperature = v; }},
    {"depth", Quantity::length, 0, 50000, true, true,
     "measured depth of the node (mid-perforation) where the traverse ends",
     [](TubingInput& t, double v) { t.depth = v; }},
    {"inside_diameter", Quantity::short_length, 0, 60, true, true, "inside diameter of the tubing",
     [](TubingInput& t, double v) { t.inside_diameter = v; }},
    {"roughness", Quantity::short_length, 0, 30, false, false,
     "absolute roughness of the tubing wall (default 0.0006 in); at most half the inside diameter",
     [](TubingInput& t, double v) { t.roughness = v; }},
    {"inclination", Quantity::angle, 0, 90, false, false,
     "angle of a straight hole from vertical (default 0); not with a survey",
     [](TubingInput& t, double v) { t.inclination = v; }},
    {"surface_tension", Quantity::surface_tension, 0, 200, true, false,
     "gas-liquid surface tension; given, it replaces the correlations",
     [](TubingInput& t, double v) { t.surface_tension = v; }},
    {"oil_viscosity", Quantity::viscosity, 0, 100000, true, false,
     "oil viscosity in the tubing; given, it replaces the correlations",
     [](TubingInput& t, double v) { t.oil_viscosity = v; }},
    {"water_viscosity", Quantity::viscosity, 0, 100, true, false,
     "water viscosity in the tubing; given, it replaces the correlations",
     [](TubingInput& t, double v) { t.water_viscosity = v; }},
};

constexpr double kDefaultRoughness = 0.0006;  // in, new steel tubing

const char* const kOtherKeys[] = {"correlation", "fluid", "payne", "survey"};

// The correlations a mode's tubing flow can use, and what to say otherwise.
struct ModeCorrelations {
  int mode;
  std::vector<Correlation> allowed;
  const char* advice;
};

const std::vector<ModeCorrelations>& mode_correlations() {
  using C = Correlation;
  static const std::vector<ModeCorrelations> table = {
      {DLV_MODE_OIL_PRODUCTION,
       {C::kNoSlip, C::kPoettmannCarpenter, C::kHagedornBrown, C::kHagedornBrownOriginal,
        C::kBeggsBrill},
       "for an oil well use hagedorn_brown or beggs_brill"},
      {DLV_MODE_GAS_PRODUCTION,
       {C::kNoSlip, C::kBeggsBrill, C::kGray, C::kAverageTemperatureZ, C::kCullenderSmith},
       "for a gas well use gray (gas making liquid), average_temperature_z or cullender_smith "
       "(dry gas)"},
      {DLV_MODE_WATER_INJECTION,
       {C::kNoSlip, C::kBeggsBrill},
       "water injected down the tubing is single-phase: use no_slip or beggs_brill"},
      {DLV_MODE_GAS_INJECTION,
       {C::kNoSlip, C::kBeggsBrill, C::kAverageTemperatureZ},
       "gas injected down the tubing: use average_temperature_z, no_slip or beggs_brill"},
  };
  return table;
}

// The range of a field in a unit system.
FieldRange range_in(const TubingField& f, UnitSystem s) {
  return {convert(f.quantity, f.min, UnitSystem::field, s),
          convert(f.quantity, f.max, UnitSystem::field, s)};
}

std::string range_text(const TubingField& f, UnitSystem system = UnitSystem::field) {
  const FieldRange r = range_in(f, system);
  std::string s = "a number in " + std::string(unit_text(f.quantity, system)) + ", ";
  s += f.above_min ? "above " + number_text(r.min) + " up to " : number_text(r.min) + " to ";
  return s + number_text(r.max);
}

std::string correlation_list() {
  std::string s;
  for (int c = 0; c <= static_cast<int>(Correlation::kCullenderSmith); ++c)
    s += (s.empty() ? "" : ", ") + std::string(correlation_name(static_cast<Correlation>(c)));
  return "one of " + s;
}

std::string fluid_list() {
  std::string s;
  for (const std::string& n : tubing_fluid_names()) s += (s.empty() ? "" : ", ") + n;
  return "one of " + s;
}

void add(std::vector<Problem>& out, std::string path, std::string message,
         std::string expected = "") {
  out.push_back({std::move(path), std::move(message), std::move(expected)});
}

// Checks the numeric fields; returns false when one of them is unusable.
bool check_numbers(const json& t, UnitSystem system, std::vector<Problem>& out) {
  bool ok = true;
  for (const TubingField& f : kTubingFields) {
    const std::string path = std::string("tubing.") + f.name;
    if (!t.contains(f.name)) {
      if (f.required) add(out, path, "missing", range_text(f, system)), ok = false;
      continue;
    }
    const json& v = t[f.name];
    if (!v.is_number()) {
      add(out, path, "wrong type: " + std::string(v.type_name()), range_text(f, system));
      ok = false;
      continue;
    }
    const double x = v.get<double>();
    const FieldRange r = range_in(f, system);
    const bool low_ok = f.above_min ? x > r.min : x >= r.min;
    if (!(low_ok && x <= r.max)) {
      std::string why = "value " + number_text(x) + " is out of range";
      if (f.min == kAbsoluteZero && !(x > r.min)) why += ": below absolute zero";
      add(out, path, why, range_text(f, system));
      ok = false;
    }
  }
  return ok;
}

// Checks the survey: pairs of measured and vertical depth, measured depth
// increasing, the hole never climbing or falling faster than its length.
void check_survey(const json& t, UnitSystem system, std::vector<Problem>& out) {
  const json& s = t["survey"];
  const std::string ft = unit_text(Quantity::length, system);
  const double deepest = convert(Quantity::length, 100000, UnitSystem::field, system);
  const std::string expected =
      "an array of [measured depth, vertical depth] pairs in " + ft + ", 2 to 1000";
  if (!s.is_array() || s.size() < 2 || s.size() > 1000) {
    add(out, "tubing.survey",
        s.is_array() ? std::to_string(s.size()) + " stations given"
                     : "wrong type: " + std::string(s.type_name()),
        expected);
    return;
  }
  if (t.contains("inclination"))
    add(out, "tubing.inclination", "given with a survey", "either a survey or an inclination");
  double md0 = 0, tvd0 = 0;
  for (std::size_t i = 0; i < s.size(); ++i) {
    const std::string path = "tubing.survey[" + std::to_string(i) + "]";
    const json& p = s[i];
    if (!p.is_array() || p.size() != 2 || !p[0].is_number() || !p[1].is_number()) {
      add(out, path, "not a pair of numbers", expected);
      return;
    }
    const double md = p[0].get<double>(), tvd = p[1].get<double>();
    if (!(md >= 0 && md <= deepest && std::abs(tvd) <= deepest)) {
      add(out, path, "depth out of range", "depths in " + ft + ", 0 to " + number_text(deepest));
      return;
    }
    if (i == 0 && (md != 0 || tvd != 0)) {
      add(out, path, "the survey starts at the wellhead", "[0, 0] first");
      return;
    }
    if (i > 0 && !(md > md0)) {
      add(out, path, "measured depth does not increase",
          "measured depth above " + number_text(md0) + " " + ft);
      return;
    }
    if (i > 0 && std::abs(tvd - tvd0) > (md - md0) * (1 + 1e-6)) {
      add(out, path,
          "vertical depth changes by " + number_text(std::abs(tvd - tvd0)) + " " + ft +
              " over a measured length of " + number_text(md - md0) + " " + ft,
          "a vertical change no larger than the measured length");
      return;
    }
    md0 = md, tvd0 = tvd;
  }
  if (t.contains("depth") && t["depth"].is_number() && t["depth"].get<double>() > md0)
    add(out, "tubing.depth", "beyond the survey, which ends at " + number_text(md0) + " " + ft,
        "a measured depth within the survey");
}

}  // namespace

const std::vector<std::string>& tubing_fluid_names() {
  static const std::vector<std::string> names = [] {
    std::vector<std::string> out;
    for (TubingFluidModel m : {TubingFluidModel::kWell, TubingFluidModel::kStockTank,
                               TubingFluidModel::kGuoBlackOil, TubingFluidModel::kDryGas})
      out.emplace_back(tubing_fluid_name(m));
    return out;
  }();
  return names;
}

namespace {

void check_tubing_keys(const json& t, std::vector<Problem>& out) {
  std::vector<std::string> known(std::begin(kOtherKeys), std::end(kOtherKeys));
  for (const TubingField& f : kTubingFields) known.emplace_back(f.name);
  for (const auto& [k, v] : t.items()) {
    (void)v;
    if (std::find(known.begin(), known.end(), k) == known.end())
      add(out, "tubing." + k, "unknown key \"" + k + "\"");
  }
}

// A known correlation, and one that fits the well's mode.
void check_correlation(const json& t, int mode, std::vector<Problem>& out) {
  std::optional<Correlation> correlation;
  if (!t.contains("correlation"))
    add(out, "tubing.correlation", "missing", correlation_list());
  else if (!t["correlation"].is_string() ||
           !(correlation = correlation_from_name(t["correlation"].get<std::string>())))
    add(out, "tubing.correlation", "unknown correlation", correlation_list());
  if (!correlation) return;
  for (const ModeCorrelations& m : mode_correlations()) {
    if (m.mode == mode &&
        std::find(m.allowed.begin(), m.allowed.end(), *correlation) == m.allowed.end())
      add(out, "tubing.correlation",
          std::string(correlation_name(*correlation)) + " does not fit this mode: " + m.advice);
  }
}

// The fluid by name and the Payne et al. switch.
void check_tubing_options(const json& t, std::vector<Problem>& out) {
  if (t.contains("fluid")) {
    const json& f = t["fluid"];
    const auto& names = tubing_fluid_names();
    if (!f.is_string() ||
        std::find(names.begin(), names.end(), f.get<std::string>()) == names.end())
      add(out, "tubing.fluid", "unknown fluid", fluid_list());
  }
  if (t.contains("payne") && !t["payne"].is_boolean())
    add(out, "tubing.payne", "wrong type: " + std::string(t["payne"].type_name()), "true or false");
}

// The roughness, given or the default, within half the inside diameter.
void check_roughness(const json& t, UnitSystem system, std::vector<Problem>& out) {
  const double d = t["inside_diameter"].get<double>();
  const double e = t.contains("roughness") ? t["roughness"].get<double>() : kDefaultRoughness;
  if (e > d / 2)
    add(out, "tubing.roughness",
        "roughness " + number_text(e) + " " + unit_text(Quantity::short_length, system) +
            " is beyond half the inside diameter",
        "0 to " + number_text(d / 2) + " " + unit_text(Quantity::short_length, system));
}

}  // namespace

std::vector<Problem> check_tubing(const json& doc, int mode) {
  std::vector<Problem> out;
  if (!doc.is_object() || !doc.contains("tubing")) return out;
  const json& t = doc["tubing"];
  if (!t.is_object()) {
    add(out, "tubing", "wrong type: " + std::string(t.type_name()), "an object");
    return out;
  }
  check_tubing_keys(t, out);
  check_correlation(t, mode, out);
  check_tubing_options(t, out);
  const UnitSystem system = document_unit_system(doc);
  if (check_numbers(t, system, out)) check_roughness(t, system, out);
  if (t.contains("survey")) check_survey(t, system, out);
  return out;
}

json tubing_to_field_units(const json& tubing) {
  if (!tubing.is_object()) return tubing;
  json t = tubing;
  for (const TubingField& f : kTubingFields)
    if (t.contains(f.name) && t[f.name].is_number())
      t[f.name] = to_field(f.quantity, t[f.name].get<double>());
  if (t.contains("survey") && t["survey"].is_array())
    for (json& p : t["survey"])
      for (json& d : p)
        if (d.is_number()) d = to_field(Quantity::length, d.get<double>());
  return t;
}

std::optional<TubingInput> read_tubing(const json& given) {
  if (!given.is_object() || !given.contains("tubing")) return std::nullopt;
  json converted;
  const json& doc = field_document(given, converted);
  const json& t = doc["tubing"];
  TubingInput tubing_input;
  tubing_input.roughness = kDefaultRoughness;
  tubing_input.correlation = *correlation_from_name(t["correlation"].get<std::string>());
  if (t.contains("fluid")) tubing_input.fluid = t["fluid"].get<std::string>();
  if (t.contains("payne")) tubing_input.payne = t["payne"].get<bool>();
  for (const TubingField& f : kTubingFields)
    if (t.contains(f.name)) f.store(tubing_input, t[f.name].get<double>());
  if (t.contains("survey"))
    for (const json& p : t["survey"])
      tubing_input.survey.push_back({p[0].get<double>(), p[1].get<double>()});
  return tubing_input;
}

json tubing_schema() {
  json props = json::object();
  json names = json::array();
  for (int c = 0; c <= static_cast<int>(Correlation::kCullenderSmith); ++c)
    names.push_back(correlation_name(static_cast<Correlation>(c)));
  props["correlation"] = {{"enum", names}, {"description", "tubing flow correlation"}};
  props["fluid"] = {{"enum", tubing_fluid_names()},
                    {"description",
                     "fluid in the tubing: the well's own (default) or a "
                     "simplified fluid by name"}};
  props["payne"] = {{"type", "boolean"},
                    {"description", "beggs_brill: the Payne et al. holdup factors (default true)"}};
  for (const TubingField& f : kTubingFields) {
    const std::string unit = unit_text(f.quantity, UnitSystem::field);
    const FieldRange metric = range_in(f, UnitSystem::metric);
    json p = {{"type", "number"},
              {"description", std::string(f.meaning) + " [" + unit + "; metric " +
                                  unit_text(f.quantity, UnitSystem::metric) + "]"}};
    p[f.above_min ? "exclusiveMinimum" : "minimum"] = f.min;
    p["maximum"] = f.max;
    p["x-unit"] = unit;
    p["x-metric"] = {{"unit", unit_text(f.quantity, UnitSystem::metric)},
                     {"minimum", metric.min},
                     {"maximum", metric.max}};
    props[f.name] = p;
  }
  props["survey"] = {
      {"type", "array"},
      {"minItems", 2},
      {"maxItems", 1000},
      {"description",
       "[measured depth, vertical depth] stations in ft from [0, 0], measured "
       "depth increasing"},
      {"items",
       {{"type", "array"}, {"minItems", 2}, {"maxItems", 2}, {"items", {{"type", "number"}}}}}};
  json required = json::array({"correlation"});
  for (const TubingField& f : kTubingFields)
    if (f.required) required.push_back(f.name);
  return {{"type", "object"},
          {"additionalProperties", false},
          {"description", "the tubing string from the wellhead to the node, for traverses"},
          {"required", required},
          {"properties", props}};
}

std::string tubing_fields_markdown() {
  std::string s =
      "## tubing\n\nThe tubing string from the wellhead to the node (mid-perforation), read by "
      "`dlv traverse`. Required: `correlation` and the fields marked so.\n\n"
      "| field | unit (field / metric) | range (field / metric) | meaning |\n|---|---|---|---|\n";
  s += "| `correlation` |  | " + correlation_list() + " | tubing flow correlation (required) |\n";
  s += "| `fluid` |  | " + fluid_list() + " | fluid in the tubing (default well) |\n";
  s += "| `payne` |  | true, false | beggs_brill: the Payne et al. holdup factors (default "
       "true) |\n";
  for (const TubingField& f : kTubingFields) {
    const FieldRange m = range_in(f, UnitSystem::metric);
    const std::string above = f.above_min ? "above " : "";
    const std::string range = above + number_text(f.min) + " to " + number_text(f.max) + " / " +
                              above + number_text(m.min) + " to " + number_text(m.max);
    s += "| `" + std::string(f.name) + "` | " + unit_text(f.quantity, UnitSystem::field) + " / " +
         unit_text(f.quantity, UnitSystem::metric) + " | " + range + " | " + f.meaning +
         (f.required ? " (required)" : "") + " |\n";
  }
  s += "| `survey` | ft / m | pairs, 2 to 1000 | [measured depth, vertical depth] stations from "
       "[0, 0]; measured depth increasing, the vertical change of a segment no larger than its "
       "length; `depth` within the survey |\n\n";
  return s;
}

}  // namespace dlv::wellfile
