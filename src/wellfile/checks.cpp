// The checks a well document passes before it becomes blocks: known keys,
// values in range, what the chosen method needs, and the parse itself.
#include <algorithm>
#include <cmath>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>

#include "dlv/dlv.h"
#include "dlv/dlv_layout.h"
#include "wellfile/coupling_document.hpp"
#include "wellfile/fields.hpp"
#include "wellfile/tubing_document.hpp"
#include "wellfile/units_table.hpp"
#include "wellfile/wellfile.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {

namespace {

const char* const kTopKeys[] = {"$schema",    "description", "mode",      "method", "well",
                                "layers",     "tests",       "rate_test", "fluid",  "separator",
                                "completion", "traverse",    "tubing",    "units"};
const char* const kTableKeys[] = {"property", "temperatures", "pressures", "values"};

std::size_t edit_distance(const std::string& a, const std::string& b) {
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) row[j] = j;
  for (std::size_t i = 1; i <= a.size(); ++i) {
    std::size_t diag = row[0];
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t up = row[j];
      row[j] = std::min({row[j] + 1, row[j - 1] + 1, diag + (a[i - 1] == b[j - 1] ? 0 : 1)});
      diag = up;
    }
  }
  return row[b.size()];
}

std::vector<std::string> group_names(Group g) {
  std::vector<std::string> out;
  for (const Field& f : all_fields())
    if (f.group == g) out.push_back(f.name);
  if (g == Group::fluid) out.push_back("tables");
  if (g == Group::traverse) out.push_back("correlation");  // the coupling's model, in no block
  return out;
}

class Checker {
 public:
  std::vector<Problem> problems;
  // The document's unit system: values are checked against the ranges in it.
  UnitSystem system = UnitSystem::field;
  int mode = -1;

  std::string expected(const Field& f) const { return expected_text(f, system, mode); }

  // One problem per path: the first reason found is the one reported.
  void add(std::string path, std::string message, std::string expected = "") {
    for (const Problem& p : problems)
      if (p.path == path) return;
    problems.push_back({std::move(path), std::move(message), std::move(expected)});
  }

  void unknown_key(const std::string& path, const std::string& key,
                   const std::vector<std::string>& known) {
    std::string best;
    std::size_t best_d = 1000;
    for (const std::string& k : known) {
      const std::size_t d = edit_distance(key, k);
      if (d < best_d) best_d = d, best = k;
    }
    std::string msg = "unknown key \"" + key + "\"";
    if (!best.empty() && best_d <= std::max<std::size_t>(3, key.size() / 2))
      msg += "; did you mean \"" + best + "\"?";
    add(path, msg);
  }

  // An object whose keys must all be known; returns false when not an object.
  bool object(const json& j, const std::string& path, const std::vector<std::string>& known) {
    if (!j.is_object()) {
      add(path, "wrong type: " + std::string(j.type_name()), "an object");
      return false;
    }
    for (const auto& [k, v] : j.items()) {
      (void)v;
      if (std::find(known.begin(), known.end(), k) == known.end())
        unknown_key(path.empty() ? k : path + "." + k, k, known);
    }
    return true;
  }

  bool number_in(const json& v, const std::string& path, const Field& f) {
    if (!v.is_number()) {
      add(path, "wrong type: " + std::string(v.type_name()), expected(f));
      return false;
    }
    if (f.kind == Kind::integer && !v.is_number_integer()) {
      add(path, "not a whole number", expected(f));
      return false;
    }
    const double x = v.get<double>();
    const FieldRange r = field_range(f, system, mode);
    if (!(x >= r.min && x <= r.max)) {
      add(path, "value " + number_text(x) + " is out of range", expected(f));
      return false;
    }
    return true;
  }

  void value(const json& v, const std::string& path, const Field& f) {
    if (f.kind == Kind::named) {
      if (!v.is_string() || name_code(f.names, v.get<std::string>()) < 0)
        add(path,
            v.is_string() ? "unknown name \"" + v.get<std::string>() + "\""
                          : "wrong type: " + std::string(v.type_name()),
            expected(f));
      return;
    }
    if (f.count == 1 || f.group == Group::layer || f.group == Group::test) {
      number_in(v, path, f);
      return;
    }
    if (f.quantity == Quantity::injection_coefficient) {
      if (!v.is_array() || v.size() > DLV_INJECTION_COEFFICIENT_PAIRS) {
        add(path, v.is_array() ? "too many pairs" : "wrong type: " + std::string(v.type_name()),
            "an array of up to 4 pairs [below, above break_pressure], " + expected(f));
        return;
      }
      for (std::size_t k = 0; k < v.size(); ++k) {
        const std::string p = path + "[" + std::to_string(k) + "]";
        if (!v[k].is_array() || v[k].size() != 2) {
          add(p, "not a pair", "[below, above] in " + std::string(field_unit(f, system)));
          continue;
        }
        for (int e = 0; e < 2; ++e) number_in(v[k][e], p + "[" + std::to_string(e) + "]", f);
      }
      return;
    }
    if (!v.is_array() || v.size() > static_cast<std::size_t>(f.count)) {
      add(path,
          v.is_array() ? "holds " + std::to_string(v.size()) + " values, more than the block holds"
                       : "wrong type: " + std::string(v.type_name()),
          "an array of at most " + std::to_string(f.count) + " numbers, " + expected(f));
      return;
    }
    for (std::size_t k = 0; k < v.size(); ++k)
      number_in(v[k], path + "[" + std::to_string(k) + "]", f);
  }

  // Checks every key of an object of one group.
  void fields(const json& obj, const std::string& path, Group g) {
    if (!object(obj, path, group_names(g))) return;
    for (const auto& [k, v] : obj.items()) {
      if (const Field* f = find_field(g, k)) value(v, path + "." + k, *f);
    }
  }
};

// Unit and range of a table axis or of the values of one property. A range
// whose low end is open holds only numbers above it.
struct TableRange {
  Quantity quantity;
  double min, max;
  bool above_min;
  UnitSystem system = UnitSystem::field;
};
const TableRange kTableTemperatures = {Quantity::temperature, -60, 700, false};
const TableRange kTablePressures = {Quantity::pressure_absolute, 0, 30000, false};

// A range in the document's unit system.
TableRange in_system(TableRange r, UnitSystem s) {
  r.system = s;
  if (s == UnitSystem::metric)
    r.min = to_metric(r.quantity, r.min), r.max = to_metric(r.quantity, r.max);
  return r;
}

bool in_range(double x, const TableRange& r) {
  return std::isfinite(x) && (r.above_min ? x > r.min : x >= r.min) && x <= r.max;
}

// ", numbers in UNIT, MIN to MAX" (or "above MIN to MAX").
std::string range_text(const TableRange& r) {
  std::string s = ", numbers";
  const char* unit = unit_text(r.quantity, r.system);
  if (*unit) s += " in " + std::string(unit);
  return s + ", " + (r.above_min ? "above " : "") + number_text(r.min) + " to " +
         number_text(r.max);
}

// The range of the values of a table's property; nullptr when the property is unknown.
const TableRange* value_range(const json& tab) {
  static const struct {
    const char* property;
    TableRange range;
  } ranges[] = {{"solution_gor", {Quantity::gas_oil_ratio, 0, 1e6, false}},
                {"oil_fvf", {Quantity::formation_volume_factor, 0, 10, true}},
                {"oil_viscosity", {Quantity::viscosity, 0, 1e6, true}},
                {"gas_z_factor", {Quantity::dimensionless, 0, 5, true}},
                {"gas_viscosity", {Quantity::viscosity, 0, 10, true}}};
  if (!tab.contains("property") || !tab["property"].is_string()) return nullptr;
  for (const auto& r : ranges)
    if (tab["property"].get<std::string>() == r.property) return &r.range;
  return nullptr;
}

void check_tables(Checker& c, const json& tables) {
  if (!tables.is_array() || tables.size() > table_property_names().size()) {
    c.add("fluid.tables", tables.is_array() ? "more tables than properties" : "wrong type",
          "an array of at most 5 property tables");
    return;
  }
  std::vector<std::string> table_keys(std::begin(kTableKeys), std::end(kTableKeys));
  std::vector<int> seen;
  for (std::size_t t = 0; t < tables.size(); ++t) {
    const std::string p = "fluid.tables[" + std::to_string(t) + "]";
    const json& tab = tables[t];
    if (!c.object(tab, p, table_keys)) continue;
    std::string names;
    for (const NamedCode& n : table_property_names())
      names += (names.empty() ? "" : ", ") + std::string(n.name);
    if (!tab.contains("property") || !tab["property"].is_string() ||
        name_code(table_property_names(), tab["property"].get<std::string>()) < 0) {
      c.add(p + ".property", tab.contains("property") ? "unknown property" : "missing",
            "one of " + names);
    } else {
      const int k = name_code(table_property_names(), tab["property"].get<std::string>());
      if (std::find(seen.begin(), seen.end(), k) != seen.end())
        c.add(p + ".property", "second table for the same property", "each property once");
      seen.push_back(k);
    }
    auto axis = [&](const char* key, std::size_t cap, const TableRange& r) -> std::size_t {
      const std::string ap = p + "." + key;
      const std::string exp =
          "an ascending array of 1 to " + std::to_string(cap) + " " + range_text(r).substr(2);
      if (!tab.contains(key)) {
        c.add(ap, "missing", exp);
        return 0;
      }
      const json& a = tab[key];
      if (!a.is_array() || a.empty() || a.size() > cap) {
        c.add(ap, a.is_array() ? "holds " + std::to_string(a.size()) + " values" : "wrong type",
              exp);
        return 0;
      }
      for (std::size_t i = 0; i < a.size(); ++i) {
        if (!a[i].is_number()) {
          c.add(ap + "[" + std::to_string(i) + "]", "not a number", exp);
          return 0;
        }
        if (!in_range(a[i].get<double>(), r)) {
          c.add(ap + "[" + std::to_string(i) + "]",
                "value " + number_text(a[i].get<double>()) + " is out of range", exp);
          return 0;
        }
        if (i > 0 && !(a[i].get<double>() > a[i - 1].get<double>())) {
          c.add(ap + "[" + std::to_string(i) + "]", "not ascending", exp);
          return 0;
        }
      }
      return a.size();
    };
    const std::size_t nt = axis("temperatures", DLV_FLUID_TABLE_TEMPERATURE_CAPACITY,
                                in_system(kTableTemperatures, c.system));
    const std::size_t np =
        axis("pressures", DLV_FLUID_TABLE_PRESSURE_CAPACITY, in_system(kTablePressures, c.system));
    const std::string vp = p + ".values";
    std::optional<TableRange> vr;
    if (const TableRange* given = value_range(tab)) vr = in_system(*given, c.system);
    const std::string exp =
        "one row per pressure, one number per temperature" + (vr ? range_text(*vr) : std::string());
    if (!tab.contains("values")) {
      c.add(vp, "missing", exp);
    } else if (nt && np) {
      const json& v = tab["values"];
      if (!v.is_array() || v.size() != np) {
        c.add(vp, "needs " + std::to_string(np) + " rows", exp);
        continue;
      }
      for (std::size_t r = 0; r < np; ++r) {
        if (!v[r].is_array() || v[r].size() != nt) {
          c.add(vp + "[" + std::to_string(r) + "]", "needs " + std::to_string(nt) + " numbers",
                exp);
          continue;
        }
        for (std::size_t j = 0; j < nt; ++j) {
          const std::string ep = vp + "[" + std::to_string(r) + "][" + std::to_string(j) + "]";
          if (!v[r][j].is_number())
            c.add(ep, "not a number", exp);
          else if (vr && !in_range(v[r][j].get<double>(), *vr))
            c.add(ep, "value " + number_text(v[r][j].get<double>()) + " is out of range", exp);
        }
      }
    }
  }
}

bool given(const json& obj, const char* key) { return obj.is_object() && obj.contains(key); }

// The injection_coefficients pair a coefficient method reads, or -1.
int coefficient_pair(int mode, int method) {
  if (mode == DLV_MODE_WATER_INJECTION && method == DLV_WATER_INJECTION_METHOD_COEFFICIENTS)
    return 0;
  if (mode != DLV_MODE_GAS_INJECTION) return -1;
  switch (method) {
    case DLV_GAS_INJECTION_METHOD_COEFFICIENTS_NONE:
    case DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PRESSURE:
      return 1;
    case DLV_GAS_INJECTION_METHOD_COEFFICIENTS_SQUARED:
      return 2;
    case DLV_GAS_INJECTION_METHOD_COEFFICIENTS_PSEUDO:
      return 3;
  }
  return -1;
}

void check_needs(Checker& c, const json& doc, int mode, int method) {
  const MethodNeeds& needs = method_needs(mode, method);
  const std::string who = "required by method " + doc["method"].get<std::string>() + " in " +
                          doc["mode"].get<std::string>();
  const json& layers = doc["layers"];
  const std::size_t used = needs.per_layer ? layers.size() : 1;
  if (!needs.per_layer && layers.size() > 1)
    c.add("layers",
          "method " + doc["method"].get<std::string>() + " computes one curve from layer 0; " +
              std::to_string(layers.size()) + " layers given",
          "exactly 1 layer");
  auto need_layer_field = [&](std::size_t L, const char* name) {
    if (!given(layers[L], name)) {
      const Field* f = find_field(Group::layer, name);
      c.add("layers[" + std::to_string(L) + "]." + name, "missing; " + who, c.expected(*f));
    }
  };
  for (std::size_t L = 0; L < used && L < layers.size(); ++L)
    for (const char* name : needs.layer_fields) need_layer_field(L, name);
  const json well = doc.contains("well") ? doc["well"] : json::object();
  for (const char* name : needs.well_fields)
    if (!given(well, name))
      c.add(std::string("well.") + name, "missing; " + who,
            c.expected(*find_field(Group::well, name)));

  // The coefficient pair the method reads must be among the pairs given.
  const int pair = coefficient_pair(mode, method);
  if (pair >= 0 && given(well, "injection_coefficients") &&
      well["injection_coefficients"].is_array() &&
      well["injection_coefficients"].size() <= static_cast<std::size_t>(pair)) {
    static const char* const kPairNames[] = {"water coefficients", "gas pressure form",
                                             "gas squared-pressure form",
                                             "gas pseudo-pressure form"};
    c.add("well.injection_coefficients",
          std::to_string(well["injection_coefficients"].size()) + " pairs given; method " +
              doc["method"].get<std::string>() + " reads pair " + std::to_string(pair) + " (" +
              kPairNames[pair] + ")",
          "at least " + std::to_string(pair + 1) +
              " pairs [below, above break_pressure]; earlier pairs may be [0, 0]");
  }

  const bool fit = (mode == DLV_MODE_OIL_PRODUCTION && method == DLV_OIL_METHOD_BACKPRESSURE_FIT) ||
                   (mode == DLV_MODE_GAS_PRODUCTION && method == DLV_GAS_METHOD_BACKPRESSURE_FIT);
  int min_tests = needs.min_tests;
  if (fit && !given(well, "backpressure_c") && !given(well, "backpressure_n")) min_tests = 2;
  if (min_tests > 0) {
    const std::size_t n =
        doc.contains("tests") && doc["tests"].is_array() ? doc["tests"].size() : 0;
    if (n < static_cast<std::size_t>(min_tests))
      c.add("tests", std::to_string(n) + " tests given; " + who,
            "at least " + std::to_string(min_tests) + " tests of test_rate (" + rate_unit(mode) +
                ") and test_pressure (psi gauge)");
    for (std::size_t i = 0; i < n; ++i)
      for (const char* name : {"test_rate", "test_pressure"})
        if (!given(doc["tests"][i], name))
          c.add("tests[" + std::to_string(i) + "]." + name, "missing; " + who,
                c.expected(*find_field(Group::test, name)));
  }
  if (needs.min_rate_rows > 0) {
    const json rt = doc.contains("rate_test") ? doc["rate_test"] : json::object();
    for (const char* name : {"ratetest_pressures", needs.rate_column}) {
      const std::size_t n = given(rt, name) && rt[name].is_array() ? rt[name].size() : 0;
      if (n < static_cast<std::size_t>(needs.min_rate_rows))
        c.add(std::string("rate_test.") + name,
              (n ? std::to_string(n) + " rows given; " : std::string("missing; ")) + who,
              "2 to 25 rows, " + c.expected(*find_field(Group::rate_test, name)));
    }
  }
  // Fluid description of oil production by correlations.
  const json fluid = doc.contains("fluid") ? doc["fluid"] : json::object();
  const int fluid_type = given(fluid, "fluid_type") && fluid["fluid_type"].is_string()
                             ? name_code(find_field(Group::fluid, "fluid_type")->names,
                                         fluid["fluid_type"].get<std::string>())
                             : DLV_FLUID_CORRELATIONS;
  if (mode == DLV_MODE_OIL_PRODUCTION &&
      (fluid_type == DLV_FLUID_CORRELATIONS || fluid_type == DLV_FLUID_CORRELATIONS_4)) {
    const std::string why = "required by fluid_type correlations in oil_production";
    const std::size_t fluid_layers = needs.per_layer ? layers.size() : 1;
    for (std::size_t L = 0; L < fluid_layers && L < layers.size(); ++L) {
      for (const char* name : {"api_gravity", "gas_sg", "layer_temperature", "reservoir_pressure"})
        if (!given(layers[L], name))
          c.add("layers[" + std::to_string(L) + "]." + name, "missing; " + why,
                c.expected(*find_field(Group::layer, name)));
      if (!given(layers[L], "producing_gor") && !given(layers[L], "bubble_point"))
        c.add("layers[" + std::to_string(L) + "].producing_gor",
              "missing (give producing_gor or bubble_point); " + why,
              c.expected(*find_field(Group::layer, "producing_gor")));
    }
  }
  // Completion data of the chosen model.
  const json comp = doc.contains("completion") ? doc["completion"] : json::object();
  const int model = given(comp, "completion_model") && comp["completion_model"].is_string()
                        ? name_code(find_field(Group::completion, "completion_model")->names,
                                    comp["completion_model"].get<std::string>())
                        : DLV_COMPLETION_NONE;
  std::vector<const char*> comp_fields;
  if (model == DLV_COMPLETION_GRAVEL_PACK)
    comp_fields = {"gravel_permeability", "gravel_tunnel_length", "shot_density",
                   "perforation_diameter", "perforated_interval"};
  else if (model == DLV_COMPLETION_CRUSHED_ZONE || model == DLV_COMPLETION_PERFORATION_SKINS)
    comp_fields = {"crushed_zone_permeability", "crushed_zone_thickness", "shot_density",
                   "perforation_diameter",      "perforated_interval",    "perforation_length"};
  for (std::size_t L = 0; L < layers.size(); ++L)
    for (const char* name : comp_fields)
      if (!given(layers[L], name))
        c.add(
            "layers[" + std::to_string(L) + "]." + name,
            "missing; required by completion_model " + comp["completion_model"].get<std::string>(),
            c.expected(*find_field(Group::layer, name)));
}

}  // namespace

std::string expected_text(const Field& f, UnitSystem system, int mode) {
  if (f.kind == Kind::named) {
    std::string s = "one of ";
    for (std::size_t i = 0; i < f.names.size(); ++i)
      s += (i ? ", " : "") + std::string(f.names[i].name);
    return s;
  }
  std::string s = f.kind == Kind::integer ? "an integer" : "a number";
  const char* unit = f.quantity == Quantity::mode_rate && mode >= 0
                         ? unit_text(rate_quantity(f.quantity, mode), system)
                         : field_unit(f, system);
  if (*unit) s += " in " + std::string(unit);
  const FieldRange r = field_range(f, system, mode);
  return s + ", " + number_text(r.min) + " to " + number_text(r.max);
}

namespace {

// Follows the parser through the document to catch a key given twice in one
// object, which the parser would otherwise settle silently (the last wins).
class DuplicateKeys {
 public:
  bool operator()(int, json::parse_event_t event, json& parsed) {
    switch (event) {
      case json::parse_event_t::object_start:
        frames_.push_back({false, {}, {}, 0});
        break;
      case json::parse_event_t::array_start:
        frames_.push_back({true, {}, {}, 0});
        break;
      case json::parse_event_t::key: {
        Frame& top = frames_.back();
        top.key = parsed.get<std::string>();
        if (std::find(top.keys.begin(), top.keys.end(), top.key) != top.keys.end() &&
            first_.empty())
          first_ = path();
        top.keys.push_back(top.key);
        break;
      }
      case json::parse_event_t::object_end:
      case json::parse_event_t::array_end:
        frames_.pop_back();
        next_element();
        break;
      case json::parse_event_t::value:
        next_element();
        break;
    }
    return true;
  }
  // The JSON path of the first key given twice, or "".
  const std::string& first() const { return first_; }

 private:
  struct Frame {
    bool array;
    std::vector<std::string> keys;
    std::string key;
    std::size_t index;
  };
  void next_element() {
    if (!frames_.empty() && frames_.back().array) ++frames_.back().index;
  }
  std::string path() const {
    std::string p;
    for (const Frame& f : frames_)
      p += f.array ? "[" + std::to_string(f.index) + "]" : (p.empty() ? "" : ".") + f.key;
    return p;
  }
  std::vector<Frame> frames_;
  std::string first_;
};

}  // namespace

std::vector<Problem> parse_well_text(const std::string& text, json& doc) {
  try {
    DuplicateKeys duplicates;
    doc = json::parse(text, std::ref(duplicates));
    if (!duplicates.first().empty()) {
      const std::string path = duplicates.first();
      doc = json();
      return {{path, "key given twice in one object (a well file gives each key once)",
               "each key once"}};
    }
    return {};
  } catch (const json::parse_error& e) {
    std::size_t line = 1, column = 1;
    const std::size_t end = std::min(e.byte == 0 ? 0 : e.byte - 1, text.size());
    for (std::size_t i = 0; i < end; ++i) {
      if (text[i] == '\n')
        ++line, column = 1;
      else
        ++column;
    }
    // The parser's own text after its position prefix.
    std::string what = e.what();
    const std::size_t cut = what.find(": ", what.find("parse error"));
    if (cut != std::string::npos) what = what.substr(cut + 2);
    return {{"",
             "malformed JSON at line " + std::to_string(line) + ", column " +
                 std::to_string(column) + ": " + what,
             ""}};
  } catch (const json::exception& e) {
    // A number beyond the range of a double, and the like: the text is JSON
    // the document cannot hold.
    doc = json();
    std::string what = e.what();  // "[json.exception.KIND.ID] text"
    const std::size_t cut = what.find("] ");
    if (cut != std::string::npos) what = what.substr(cut + 2);
    return {{"", "unreadable JSON: " + what, ""}};
  }
}

std::vector<Problem> validate_well(const json& doc) {
  Checker c;
  if (!c.object(doc, "", std::vector<std::string>(std::begin(kTopKeys), std::end(kTopKeys))))
    return c.problems;
  if (doc.contains("description") && !doc["description"].is_string())
    c.add("description", "wrong type", "a string");
  // Every number of the document is checked in the unit system it is written in.
  if (doc.contains("units")) {
    const json& u = doc["units"];
    const auto system = u.is_string() ? unit_system_from_name(u.get<std::string>()) : std::nullopt;
    if (!system)
      c.add("units",
            u.is_string() ? "unknown unit system \"" + u.get<std::string>() + "\""
                          : "wrong type: " + std::string(u.type_name()),
            unit_system_choices());
    else
      c.system = *system;
  }

  std::string mode_list;
  for (const NamedCode& n : mode_names())
    mode_list += (mode_list.empty() ? "" : ", ") + std::string(n.name);
  int mode = -1, method = -1;
  if (!doc.contains("mode"))
    c.add("mode", "missing", "one of " + mode_list);
  else if (!doc["mode"].is_string() ||
           (mode = name_code(mode_names(), doc["mode"].get<std::string>())) < 0)
    c.add("mode", "unknown mode", "one of " + mode_list);
  c.mode = mode;
  if (mode >= 0) {
    std::string list;
    for (const NamedCode& n : method_names(mode))
      list += (list.empty() ? "" : ", ") + std::string(n.name);
    if (!doc.contains("method"))
      c.add("method", "missing", "one of " + list);
    else if (!doc["method"].is_string() ||
             (method = name_code(method_names(mode), doc["method"].get<std::string>())) < 0)
      c.add("method", "unknown method for " + doc["mode"].get<std::string>(), "one of " + list);
  }

  bool layers_ok = false;
  if (!doc.contains("layers")) {
    c.add("layers", "missing", "an array of 1 to 50 layer objects");
  } else if (!doc["layers"].is_array() || doc["layers"].empty() ||
             doc["layers"].size() > DLV_LAYERS) {
    c.add("layers",
          doc["layers"].is_array() ? std::to_string(doc["layers"].size()) + " layers given"
                                   : "wrong type: " + std::string(doc["layers"].type_name()),
          "an array of 1 to 50 layer objects");
  } else {
    layers_ok = true;
    for (std::size_t L = 0; L < doc["layers"].size(); ++L)
      c.fields(doc["layers"][L], "layers[" + std::to_string(L) + "]", Group::layer);
  }
  if (doc.contains("well")) c.fields(doc["well"], "well", Group::well);
  if (doc.contains("separator")) c.fields(doc["separator"], "separator", Group::separator);
  if (doc.contains("completion")) c.fields(doc["completion"], "completion", Group::completion);
  if (doc.contains("traverse")) c.fields(doc["traverse"], "traverse", Group::traverse);
  if (doc.contains("fluid")) {
    c.fields(doc["fluid"], "fluid", Group::fluid);
    if (doc["fluid"].is_object() && doc["fluid"].contains("tables"))
      check_tables(c, doc["fluid"]["tables"]);
  }
  if (doc.contains("tests")) {
    const json& t = doc["tests"];
    if (!t.is_array() || t.size() > DLV_TEST_CAPACITY)
      c.add("tests",
            t.is_array() ? std::to_string(t.size()) + " tests given, more than the block holds"
                         : "wrong type: " + std::string(t.type_name()),
            "an array of at most 100 tests");
    else
      for (std::size_t i = 0; i < t.size(); ++i)
        c.fields(t[i], "tests[" + std::to_string(i) + "]", Group::test);
  }
  if (doc.contains("rate_test")) {
    const json& rt = doc["rate_test"];
    c.fields(rt, "rate_test", Group::rate_test);
    if (rt.is_object()) {
      std::size_t rows = 0;
      bool first = true, mismatch = false;
      for (const auto& [k, v] : rt.items()) {
        (void)k;
        if (!v.is_array()) continue;
        if (!first && v.size() != rows) mismatch = true;
        rows = first ? v.size() : rows, first = false;
      }
      if (mismatch)
        c.add("rate_test", "columns of different lengths", "columns of one length, 2 to 25 rows");
    }
  }
  // A metric back-pressure coefficient is per bar^(2n): converting it needs its n.
  if (c.system == UnitSystem::metric && doc.contains("well") && doc["well"].is_object() &&
      doc["well"].contains("backpressure_c") && !doc["well"].contains("backpressure_n"))
    c.add("well.backpressure_c", "given without backpressure_n in a metric well",
          "backpressure_n beside it: the coefficient's unit sm3/d/bar^(2n) depends on n");
  // What the method needs is checked on the values that passed their own checks.
  if (layers_ok && mode >= 0 && method >= 0) check_needs(c, doc, mode, method);
  if (mode >= 0)
    for (Problem& p : check_tubing(doc, mode)) c.add(p.path, p.message, p.expected);
  if (mode >= 0)
    for (Problem& p : check_coupling(doc, mode)) c.add(p.path, p.message, p.expected);
  // A well whose values are each usable is then checked against its method's formulas.
  if (c.problems.empty()) return consistency_problems(to_field_document(doc), mode, method);
  return c.problems;
}

}  // namespace dlv::wellfile
