// The checks a well document passes before it becomes blocks: known keys,
// values in range, what the chosen method needs, and the parse itself.
#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <nlohmann/json.hpp>
#include <optional>
#include <span>

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

// Keys of a group's object that are no field of the blocks.
const struct {
  Group group;
  const char* key;
} kOtherKeys[] = {{Group::fluid, "tables"},
                  {Group::traverse, "correlation"}};  // the coupling's model, in no block

std::vector<std::string> names_of_group(Group g) {
  std::vector<std::string> out;
  for (const Field& f : all_fields())
    if (f.group == g) out.push_back(f.name);
  for (const auto& k : kOtherKeys)
    if (k.group == g) out.push_back(k.key);
  return out;
}

// The keys a group's object may hold, listed once per group.
constexpr std::size_t kGroupCount = static_cast<std::size_t>(Group::traverse) + 1;
const std::vector<std::string>& group_names(Group g) {
  static const std::array<std::vector<std::string>, kGroupCount> by_group = [] {
    std::array<std::vector<std::string>, kGroupCount> t;
    for (std::size_t k = 0; k < kGroupCount; ++k) t[k] = names_of_group(static_cast<Group>(k));
    return t;
  }();
  return by_group[static_cast<std::size_t>(g)];
}

// "a, b, c": the names of a set of codes.
std::string names_list(std::span<const NamedCode> names) {
  std::string s;
  for (const NamedCode& n : names) s += (s.empty() ? "" : ", ") + std::string(n.name);
  return s;
}

std::string index_text(std::size_t i) { return "[" + std::to_string(i) + "]"; }

bool given(const json& obj, const char* key) { return obj.is_object() && obj.contains(key); }

// The path of a field's value, or of an element of it, written out only
// when a problem is reported there.
struct FieldPath {
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  const std::string& object;
  const std::string& key;
  std::size_t index = kNone;    // of an array's element
  std::size_t element = kNone;  // of a pair's number

  // The path one level deeper, at element i.
  FieldPath at(std::size_t i) const {
    FieldPath p = *this;
    (index == kNone ? p.index : p.element) = i;
    return p;
  }
  std::string text() const {
    std::string p = object + "." + key;
    if (index != kNone) p += index_text(index);
    if (element != kNone) p += index_text(element);
    return p;
  }
};

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

  bool number_in(const json& v, const FieldPath& path, const Field& f) {
    if (!v.is_number()) {
      add(path.text(), "wrong type: " + std::string(v.type_name()), expected(f));
      return false;
    }
    if (f.kind == Kind::integer && !v.is_number_integer()) {
      add(path.text(), "not a whole number", expected(f));
      return false;
    }
    const double x = v.get<double>();
    const FieldRange r = field_range(f, system, mode);
    if (!(x >= r.min && x <= r.max)) {
      add(path.text(), "value " + number_text(x) + " is out of range", expected(f));
      return false;
    }
    return true;
  }

  void named(const json& v, const FieldPath& path, const Field& f) {
    if (!v.is_string() || name_code(f.names, v.get_ref<const std::string&>()) < 0)
      add(path.text(),
          v.is_string() ? "unknown name \"" + v.get<std::string>() + "\""
                        : "wrong type: " + std::string(v.type_name()),
          expected(f));
  }

  // An array of pairs of numbers, as many pairs as the field names.
  void pairs(const json& v, const FieldPath& path, const Field& f) {
    const PairShape& shape = *f.pair_shape;
    if (!v.is_array() || v.size() > shape.names.size()) {
      add(path.text(),
          v.is_array() ? "too many pairs" : "wrong type: " + std::string(v.type_name()),
          "an array of up to " + std::to_string(shape.names.size()) + " pairs [" + shape.elements +
              " " + shape.split_by + "], " + expected(f));
      return;
    }
    for (std::size_t k = 0; k < v.size(); ++k) {
      const FieldPath p = path.at(k);
      if (!v[k].is_array() || v[k].size() != 2) {
        add(p.text(), "not a pair",
            "[" + std::string(shape.elements) + "] in " + std::string(field_unit(f, system)));
        continue;
      }
      for (std::size_t e = 0; e < 2; ++e) number_in(v[k][e], p.at(e), f);
    }
  }

  // An array of numbers no longer than the block holds.
  void numbers(const json& v, const FieldPath& path, const Field& f) {
    if (!v.is_array() || v.size() > static_cast<std::size_t>(f.count)) {
      add(path.text(),
          v.is_array() ? "holds " + std::to_string(v.size()) + " values, more than the block holds"
                       : "wrong type: " + std::string(v.type_name()),
          "an array of at most " + std::to_string(f.count) + " numbers, " + expected(f));
      return;
    }
    for (std::size_t k = 0; k < v.size(); ++k) number_in(v[k], path.at(k), f);
  }

  void value(const json& v, const FieldPath& path, const Field& f) {
    if (f.kind == Kind::named)
      named(v, path, f);
    else if (f.count == 1 || f.group == Group::layer || f.group == Group::test)
      number_in(v, path, f);
    else if (f.shape == Shape::pairs && f.pair_shape)
      pairs(v, path, f);
    else
      numbers(v, path, f);
  }

  // Checks every key of an object of one group.
  void fields(const json& obj, const std::string& path, Group g) {
    if (!object(obj, path, group_names(g))) return;
    for (const auto& [k, v] : obj.items()) {
      if (const Field* f = find_field(g, k)) value(v, FieldPath{path, k}, *f);
    }
  }

  // "missing; WHY" at PREFIX + name when the object lacks the field.
  void need(const json& obj, const std::string& prefix, Group g, const char* name,
            const std::string& why) {
    if (!given(obj, name)) add(prefix + name, "missing; " + why, expected(*find_field(g, name)));
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

// The range of the values of a table's property; none when the property is unknown.
std::optional<TableRange> value_range(const json& tab, UnitSystem s) {
  if (!tab.contains("property") || !tab["property"].is_string()) return std::nullopt;
  const TableValues* v = table_values(tab["property"].get<std::string>());
  if (!v) return std::nullopt;
  return in_system({v->quantity, v->min, v->max, v->above_min}, s);
}

// One table of the fluid: its property, named once among the tables.
void check_table_property(Checker& c, const json& tab, const std::string& p,
                          std::vector<int>& seen) {
  const int k = tab.contains("property") && tab["property"].is_string()
                    ? name_code(table_property_names(), tab["property"].get<std::string>())
                    : -1;
  if (k < 0) {
    c.add(p + ".property", tab.contains("property") ? "unknown property" : "missing",
          "one of " + names_list(table_property_names()));
    return;
  }
  if (std::find(seen.begin(), seen.end(), k) != seen.end())
    c.add(p + ".property", "second table for the same property", "each property once");
  seen.push_back(k);
}

// What is wrong with element i of an ascending axis; "" when nothing.
std::string axis_element_problem(const json& a, std::size_t i, const TableRange& r) {
  if (!a[i].is_number()) return "not a number";
  if (!in_range(a[i].get<double>(), r))
    return "value " + number_text(a[i].get<double>()) + " is out of range";
  if (i > 0 && !(a[i].get<double>() > a[i - 1].get<double>())) return "not ascending";
  return "";
}

// The length of a well-formed axis of a table; 0 after a problem.
std::size_t check_axis(Checker& c, const json& tab, const std::string& p, const char* key,
                       std::size_t cap, const TableRange& r) {
  const std::string ap = p + "." + key;
  const std::string exp =
      "an ascending array of 1 to " + std::to_string(cap) + " " + range_text(r).substr(2);
  if (!tab.contains(key)) {
    c.add(ap, "missing", exp);
    return 0;
  }
  const json& a = tab[key];
  if (!a.is_array() || a.empty() || a.size() > cap) {
    c.add(ap, a.is_array() ? "holds " + std::to_string(a.size()) + " values" : "wrong type", exp);
    return 0;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    const std::string problem = axis_element_problem(a, i, r);
    if (!problem.empty()) {
      c.add(ap + index_text(i), problem, exp);
      return 0;
    }
  }
  return a.size();
}

// One row of a table's values: a number in range per temperature.
void check_table_row(Checker& c, const json& row, const std::string& rp, std::size_t nt,
                     const std::optional<TableRange>& vr, const std::string& exp) {
  if (!row.is_array() || row.size() != nt) {
    c.add(rp, "needs " + std::to_string(nt) + " numbers", exp);
    return;
  }
  for (std::size_t j = 0; j < nt; ++j) {
    const std::string ep = rp + index_text(j);
    if (!row[j].is_number())
      c.add(ep, "not a number", exp);
    else if (vr && !in_range(row[j].get<double>(), *vr))
      c.add(ep, "value " + number_text(row[j].get<double>()) + " is out of range", exp);
  }
}

// The values of a table whose axes hold nt temperatures and np pressures
// (0 for an axis with a problem).
void check_table_values(Checker& c, const json& tab, const std::string& p, std::size_t nt,
                        std::size_t np) {
  const std::string vp = p + ".values";
  const std::optional<TableRange> vr = value_range(tab, c.system);
  const std::string exp =
      "one row per pressure, one number per temperature" + (vr ? range_text(*vr) : std::string());
  if (!tab.contains("values")) {
    c.add(vp, "missing", exp);
    return;
  }
  if (!nt || !np) return;
  const json& v = tab["values"];
  if (!v.is_array() || v.size() != np) {
    c.add(vp, "needs " + std::to_string(np) + " rows", exp);
    return;
  }
  for (std::size_t r = 0; r < np; ++r) check_table_row(c, v[r], vp + index_text(r), nt, vr, exp);
}

void check_tables(Checker& c, const json& tables) {
  if (!tables.is_array() || tables.size() > table_property_names().size()) {
    c.add("fluid.tables", tables.is_array() ? "more tables than properties" : "wrong type",
          "an array of at most 5 property tables");
    return;
  }
  static const std::vector<std::string> table_keys(std::begin(kTableKeys), std::end(kTableKeys));
  std::vector<int> seen;
  for (std::size_t t = 0; t < tables.size(); ++t) {
    const std::string p = "fluid.tables" + index_text(t);
    const json& tab = tables[t];
    if (!c.object(tab, p, table_keys)) continue;
    check_table_property(c, tab, p, seen);
    const std::size_t nt =
        check_axis(c, tab, p, "temperatures", DLV_FLUID_TABLE_TEMPERATURE_CAPACITY,
                   in_system(kTableTemperatures, c.system));
    const std::size_t np = check_axis(c, tab, p, "pressures", DLV_FLUID_TABLE_PRESSURE_CAPACITY,
                                      in_system(kTablePressures, c.system));
    check_table_values(c, tab, p, nt, np);
  }
}

// What the chosen method of a well reads, checked on a document whose layers
// are well-formed.
struct NeedsCheck {
  Checker& c;
  const json& doc;
  int mode;
  const MethodNeeds& needs;
  std::string method;  // its name in the document
  std::string who;     // "required by method M in MODE"

  const json& layers() const { return doc["layers"]; }
  const json& object(const std::string& key) const {
    static const json empty = json::object();
    return doc.contains(key) ? doc[key] : empty;
  }
  std::string layer_prefix(std::size_t L) const { return "layers" + index_text(L) + "."; }
  // The layers that compute a curve.
  std::size_t used_layers() const { return needs.per_layer ? layers().size() : 1; }

  void layer_count() {
    if (!needs.per_layer && layers().size() > 1)
      c.add("layers",
            "method " + method + " computes one curve from layer 0; " +
                std::to_string(layers().size()) + " layers given",
            "exactly 1 layer");
  }

  void fields() {
    for (std::size_t L = 0; L < used_layers() && L < layers().size(); ++L) {
      const std::string prefix = layer_prefix(L);
      for (const char* name : needs.layer_fields)
        c.need(layers()[L], prefix, Group::layer, name, who);
    }
    const json& well = object("well");
    for (const char* name : needs.well_fields) c.need(well, "well.", Group::well, name, who);
  }

  // The pair the method reads must be among the pairs given.
  void pair() {
    if (needs.pair < 0) return;
    const auto at = static_cast<std::size_t>(needs.pair);
    const json& well = object("well");
    for (const char* name : needs.well_fields) {
      const Field* f = find_field(Group::well, name);
      if (!f->pair_shape || !given(well, name) || !well[name].is_array() || well[name].size() > at)
        continue;
      c.add(std::string("well.") + name,
            std::to_string(well[name].size()) + " pairs given; method " + method + " reads pair " +
                std::to_string(at) + " (" + f->pair_shape->names[at] + ")",
            "at least " + std::to_string(at + 1) + " pairs [" + f->pair_shape->elements + " " +
                f->pair_shape->split_by + "]; earlier pairs may be [0, 0]");
    }
  }

  // A fit takes more tests when none of the values it fits is given.
  int min_tests() const {
    const json& well = object("well");
    const bool none_given = std::none_of(needs.fitted.begin(), needs.fitted.end(),
                                         [&](const char* name) { return given(well, name); });
    return needs.min_tests_fitting > 0 && none_given ? needs.min_tests_fitting : needs.min_tests;
  }

  void tests() {
    const int min = min_tests();
    if (min <= 0) return;
    std::string columns;
    std::vector<const char*> each;
    for (const Field& f : all_fields()) {
      if (f.group != Group::test || !f.every_entry) continue;
      each.push_back(f.name);
      columns += (columns.empty() ? "" : " and ") + std::string(f.name) + " (" +
                 unit_text(rate_quantity(f.quantity, mode), UnitSystem::field) + ")";
    }
    const std::size_t n =
        doc.contains("tests") && doc["tests"].is_array() ? doc["tests"].size() : 0;
    if (n < static_cast<std::size_t>(min))
      c.add("tests", std::to_string(n) + " tests given; " + who,
            "at least " + std::to_string(min) + " tests of " + columns);
    for (std::size_t i = 0; i < n; ++i)
      for (const char* name : each)
        c.need(doc["tests"][i], "tests" + index_text(i) + ".", Group::test, name, who);
  }

  void rate_test() {
    if (needs.min_rate_rows <= 0) return;
    const json& rt = object("rate_test");
    std::vector<const char*> columns;
    for (const Field& f : all_fields())
      if (f.group == Group::rate_test && f.every_entry) columns.push_back(f.name);
    columns.push_back(needs.rate_column);
    for (const char* name : columns) {
      const std::size_t n = given(rt, name) && rt[name].is_array() ? rt[name].size() : 0;
      if (n < static_cast<std::size_t>(needs.min_rate_rows))
        c.add(std::string("rate_test.") + name,
              (n ? std::to_string(n) + " rows given; " : std::string("missing; ")) + who,
              "2 to 25 rows, " + c.expected(*find_field(Group::rate_test, name)));
    }
  }

  // The choice a named field makes in the document, its default when not named.
  int choice_code(const ChoiceNeeds& r, std::string& name) const {
    const json& obj = object(group_key(r.group));
    const Field* f = find_field(r.group, r.choice);
    if (given(obj, r.choice) && obj[r.choice].is_string()) {
      name = obj[r.choice].get<std::string>();
      return name_code(f->names, name);
    }
    const int code = static_cast<int>(f->default_value);
    const char* text = code_name(f->names, code);
    name = text ? text : "";
    return code;
  }

  void choice_layer(const ChoiceNeeds& r, std::size_t L, const std::string& why) {
    const json& layer = layers()[L];
    for (const char* name : r.layer_fields) c.need(layer, layer_prefix(L), Group::layer, name, why);
    if (r.either.empty() || std::any_of(r.either.begin(), r.either.end(),
                                        [&](const char* name) { return given(layer, name); }))
      return;
    std::string list;
    for (const char* name : r.either) list += (list.empty() ? "" : " or ") + std::string(name);
    c.add(layer_prefix(L) + r.either.front(), "missing (give " + list + "); " + why,
          c.expected(*find_field(Group::layer, r.either.front())));
  }

  void choices() {
    for (const ChoiceNeeds& r : choice_needs()) {
      if (r.mode >= 0 && r.mode != mode) continue;
      std::string name;
      const int code = choice_code(r, name);
      if (std::find(r.codes.begin(), r.codes.end(), code) == r.codes.end()) continue;
      const std::string why = r.why ? r.why : "required by " + std::string(r.choice) + " " + name;
      const std::size_t count = r.method_layers ? used_layers() : layers().size();
      for (std::size_t L = 0; L < count && L < layers().size(); ++L) choice_layer(r, L, why);
    }
  }
};

void check_needs(Checker& c, const json& doc, int mode, int method) {
  const std::string method_name = doc["method"].get<std::string>();
  NeedsCheck n{
      c,           doc,
      mode,        method_needs(mode, method),
      method_name, "required by method " + method_name + " in " + doc["mode"].get<std::string>()};
  n.layer_count();
  n.fields();
  n.pair();
  n.tests();
  n.rate_test();
  n.choices();
}

// The unit system the document names; the field system when it names none.
void check_units(Checker& c, const json& doc) {
  if (!doc.contains("units")) return;
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

// The code of a name the document must give from a set; -1 after a problem.
int check_choice(Checker& c, const json& doc, const char* key, std::span<const NamedCode> names,
                 const std::string& unknown) {
  const auto expected = [names] { return "one of " + names_list(names); };
  if (!doc.contains(key)) {
    c.add(key, "missing", expected());
    return -1;
  }
  const int code = doc[key].is_string() ? name_code(names, doc[key].get<std::string>()) : -1;
  if (code < 0) c.add(key, unknown, expected());
  return code;
}

// Whether the layers are an array of 1 to 50 objects; the keys of each are checked.
bool check_layers(Checker& c, const json& doc) {
  const std::string exp = "an array of 1 to 50 layer objects";
  if (!doc.contains("layers")) {
    c.add("layers", "missing", exp);
    return false;
  }
  const json& layers = doc["layers"];
  if (!layers.is_array() || layers.empty() || layers.size() > DLV_LAYERS) {
    c.add("layers",
          layers.is_array() ? std::to_string(layers.size()) + " layers given"
                            : "wrong type: " + std::string(layers.type_name()),
          exp);
    return false;
  }
  for (std::size_t L = 0; L < layers.size(); ++L)
    c.fields(layers[L], "layers" + index_text(L), Group::layer);
  return true;
}

// The objects of one group each: well, separator, completion, traverse, fluid.
void check_groups(Checker& c, const json& doc) {
  for (Group g : {Group::well, Group::separator, Group::completion, Group::traverse, Group::fluid})
    if (doc.contains(group_key(g))) c.fields(doc[group_key(g)], group_key(g), g);
  if (doc.contains("fluid") && doc["fluid"].is_object() && doc["fluid"].contains("tables"))
    check_tables(c, doc["fluid"]["tables"]);
}

void check_tests(Checker& c, const json& doc) {
  if (!doc.contains("tests")) return;
  const json& t = doc["tests"];
  if (!t.is_array() || t.size() > DLV_TEST_CAPACITY)
    c.add("tests",
          t.is_array() ? std::to_string(t.size()) + " tests given, more than the block holds"
                       : "wrong type: " + std::string(t.type_name()),
          "an array of at most 100 tests");
  else
    for (std::size_t i = 0; i < t.size(); ++i) c.fields(t[i], "tests" + index_text(i), Group::test);
}

void check_rate_test(Checker& c, const json& doc) {
  if (!doc.contains("rate_test")) return;
  const json& rt = doc["rate_test"];
  c.fields(rt, "rate_test", Group::rate_test);
  if (!rt.is_object()) return;
  std::optional<std::size_t> rows;
  bool mismatch = false;
  for (const auto& [k, v] : rt.items()) {
    (void)k;
    if (!v.is_array()) continue;
    mismatch = mismatch || (rows && v.size() != *rows);
    rows = rows.value_or(v.size());
  }
  if (mismatch)
    c.add("rate_test", "columns of different lengths", "columns of one length, 2 to 25 rows");
}

// A metric value whose unit depends on another value of its object needs that value.
void check_unit_partners(Checker& c, const json& doc) {
  if (c.system != UnitSystem::metric) return;
  for (const Field& f : all_fields()) {
    if (!f.unit_partner) continue;
    const std::string key = group_key(f.group);
    if (!doc.contains(key) || !doc[key].is_object()) continue;
    const json& obj = doc[key];
    const std::string partner = f.unit_partner->field;
    if (obj.contains(f.name) && !obj.contains(partner))
      c.add(key + "." + f.name, "given without " + partner + " in a metric well",
            partner + " beside it: the coefficient's unit " +
                unit_text(f.quantity, UnitSystem::metric) + " depends on " +
                f.unit_partner->symbol);
  }
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

// Builds the document as the parser reads it and catches a key given twice
// in one object, which a reader would otherwise settle silently (the last
// wins). An object's members gather in a list of its own while it is open
// and move into the object, sized once, when it closes: reading a key never
// copies the keys before it.
class DocumentBuilder {
 public:
  explicit DocumentBuilder(json& doc) : root_(doc) {}

  bool null() { return put(nullptr); }
  bool boolean(bool v) { return put(v); }
  bool number_integer(json::number_integer_t v) { return put(v); }
  bool number_unsigned(json::number_unsigned_t v) { return put(v); }
  bool number_float(json::number_float_t v, const json::string_t&) { return put(v); }
  bool string(json::string_t& v) { return put(v); }
  bool binary(json::binary_t& v) { return put(json::binary(std::move(v))); }
  bool start_object(std::size_t) {
    json* o = place(json::object());
    if (members_.size() <= frames_.size()) members_.resize(frames_.size() + 1);
    members_[frames_.size()].clear();
    frames_.push_back({o, false, key_ends_.size(), 0});
    return true;
  }
  bool start_array(std::size_t) {
    frames_.push_back({place(json::array()), true, key_ends_.size(), 0});
    return true;
  }
  bool key(json::string_t& k) {
    Frame& top = frames_.back();
    bool twice = false;
    for (std::size_t i = top.first; i < key_ends_.size() && !twice; ++i) twice = key_at(i) == k;
    top.current = key_ends_.size();
    names_ += k;
    key_ends_.push_back(names_.size());
    if (twice && first_.empty()) first_ = path();
    std::vector<Member>& members = members_[frames_.size() - 1];
    members.emplace_back(k, json());
    element_ = &members.back().second;
    return true;
  }
  bool end_object() {
    std::vector<Member>& members = members_[frames_.size() - 1];
    json::object_t& o = frames_.back().value->get_ref<json::object_t&>();
    o.reserve(members.size());
    for (Member& m : members) o.emplace_back(std::move(m.first), std::move(m.second));
    members.clear();
    const std::size_t first = frames_.back().first;
    names_.resize(first == 0 ? 0 : key_ends_[first - 1]);
    key_ends_.resize(first);
    frames_.pop_back();
    return true;
  }
  bool end_array() {
    frames_.pop_back();
    return true;
  }
  template <class Exception>
  bool parse_error(std::size_t, const std::string&, const Exception& e) {
    throw e;
  }
  // The JSON path of the first key given twice, or "".
  const std::string& first() const { return first_; }

 private:
  using Member = std::pair<std::string, json>;
  // An open object or array. The keys of the open objects are kept in one
  // text, each object's after its parent's, with where each key ends.
  struct Frame {
    json* value;
    bool array;
    std::size_t first;    // of an object: its first key (an index of key_ends_)
    std::size_t current;  // of an object: its current key; of an array: its current element
  };
  // Puts a value where the parser has reached: the root, the next element of
  // an open array or the value of the key just read.
  json* place(json v) {
    if (frames_.empty()) {
      root_ = std::move(v);
      return &root_;
    }
    Frame& top = frames_.back();
    if (!top.array) {
      *element_ = std::move(v);
      return element_;
    }
    json::array_t& a = top.value->get_ref<json::array_t&>();
    a.push_back(std::move(v));
    top.current = a.size() - 1;
    return &a.back();
  }
  bool put(json v) {
    place(std::move(v));
    return true;
  }
  std::string path() const {
    std::string p;
    for (const Frame& f : frames_)
      p += f.array ? "[" + std::to_string(f.current) + "]"
                   : (p.empty() ? "" : ".") + std::string(key_at(f.current));
    return p;
  }
  std::string_view key_at(std::size_t i) const {
    const std::size_t start = i == 0 ? 0 : key_ends_[i - 1];
    return std::string_view(names_).substr(start, key_ends_[i] - start);
  }
  json& root_;
  json* element_ = nullptr;
  std::vector<Frame> frames_;
  // The members read so far of each open object, by depth (kept between
  // objects, so that their room is reused).
  std::vector<std::vector<Member>> members_;
  std::string names_;
  std::vector<std::size_t> key_ends_;
  std::string first_;
};

// The deepest nesting of arrays and objects a document may have. A well file
// nests a few levels; the reader's memory grows with the depth, so a document
// of nothing but brackets is refused before it is read.
constexpr std::size_t kMaxNesting = 100;

struct TextPosition {
  std::size_t line, column;
};

// Where the text first opens an array or object deeper than kMaxNesting,
// brackets inside strings aside; nullopt when it never does. The line and
// column are counted only for a text that goes too deep.
std::optional<TextPosition> too_deep(const std::string& text) {
  std::size_t depth = 0;
  bool in_string = false, escaped = false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char ch = text[i];
    if (in_string) {
      in_string = escaped || ch != '"';
      escaped = !escaped && ch == '\\';
    } else if (ch == '"') {
      in_string = true;
    } else if (ch == '[' || ch == '{') {
      if (++depth <= kMaxNesting) continue;
      const auto line_start = text.rfind('\n', i);
      const std::size_t column = line_start == std::string::npos ? i + 1 : i - line_start;
      return TextPosition{
          1 + static_cast<std::size_t>(std::count(text.begin(), text.begin() + i, '\n')), column};
    } else if ((ch == ']' || ch == '}') && depth > 0) {
      --depth;
    }
  }
  return std::nullopt;
}

}  // namespace

std::vector<Problem> parse_well_text(const std::string& text, json& doc) {
  if (read_plain_json(text, kMaxNesting, doc)) return {};
  if (const auto deep = too_deep(text)) {
    doc = json();
    return {{"",
             "arrays and objects nested more than " + std::to_string(kMaxNesting) +
                 " deep at line " + std::to_string(deep->line) + ", column " +
                 std::to_string(deep->column),
             "at most " + std::to_string(kMaxNesting) + " levels of nesting"}};
  }
  try {
    json parsed;
    DocumentBuilder duplicates(parsed);
    json::sax_parse(text, &duplicates);
    doc = std::move(parsed);
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
  static const std::vector<std::string> top_keys(std::begin(kTopKeys), std::end(kTopKeys));
  Checker c;
  if (!c.object(doc, "", top_keys)) return c.problems;
  if (doc.contains("description") && !doc["description"].is_string())
    c.add("description", "wrong type", "a string");
  // Every number of the document is checked in the unit system it is written in.
  check_units(c, doc);
  const int mode = check_choice(c, doc, "mode", mode_names(), "unknown mode");
  c.mode = mode;
  const int method = mode < 0
                         ? -1
                         : check_choice(c, doc, "method", method_names(mode),
                                        "unknown method for " + doc["mode"].get<std::string>());
  const bool layers_ok = check_layers(c, doc);
  check_groups(c, doc);
  check_tests(c, doc);
  check_rate_test(c, doc);
  check_unit_partners(c, doc);
  // What the method needs is checked on the values that passed their own checks.
  if (layers_ok && mode >= 0 && method >= 0) check_needs(c, doc, mode, method);
  if (mode >= 0) {
    for (Problem& p : check_tubing(doc, mode)) c.add(p.path, p.message, p.expected);
    for (Problem& p : check_coupling(doc, mode)) c.add(p.path, p.message, p.expected);
  }
  // A well whose values are each usable is then checked against its method's formulas.
  json converted;
  if (c.problems.empty()) return consistency_problems(field_document(doc, converted), mode, method);
  return c.problems;
}

}  // namespace dlv::wellfile
