// The result document as one tidy CSV table, and the shortest round-trip
// text of a number; the Python package reads the table into a data frame.
#include <algorithm>
#include <charconv>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "dlv/dlv_layout.h"
#include "wellfile/wellfile.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {
namespace {

// The shortest text that reads back as the same double; a null is empty.
std::string full(const json& v) { return v.is_number() ? shortest_text(v.get<double>()) : ""; }

// ASCII column-name suffix of a unit: "psi gauge" -> "psig", "STB/d" -> "stb_per_d".
std::string unit_suffix(const std::string& unit) {
  static const struct {
    const char* unit;
    const char* suffix;
  } kSuffixes[] = {{"psi gauge", "psig"}, {"fraction of liquid", "fraction"},
                   {"water=1", ""},       {"air=1", ""},
                   {"degF", "degf"},      {"lb/ft3", "lb_per_ft3"}};
  for (const auto& k : kSuffixes)
    if (unit == k.unit) return k.suffix;
  std::string out;
  for (char c : unit) {
    if (c == '/')
      out += "_per_";
    else if (c == ' ')
      out += '_';
    else if (c >= 'A' && c <= 'Z')
      out += static_cast<char>(c - 'A' + 'a');
    else if ((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_')
      out += c;
  }
  return out;
}

// One curve of the tidy table: its name, its layer (none for the well's) and
// its columns.
struct Curve {
  const char* name;
  const json* layer;
  const json* columns;
};

const char* curve_name(const std::string& kind) {
  if (kind == "curve") return "layer";
  return kind == "completion_curve" ? "completion" : "traverse";
}

// Every layer's curves, each kind in turn, then the well curve.
std::vector<Curve> curves_of(const json& r) {
  std::vector<Curve> curves;
  for (const char* kind : {"curve", "completion_curve", "traverse_curve"})
    for (const json& l : r["layers"])
      if (l.contains(kind)) curves.push_back({curve_name(kind), &l["layer"], &l[kind]});
  curves.push_back({"well", nullptr, &r["well_curve"]});
  return curves;
}

// Columns in order of first appearance.
std::vector<std::string> column_keys(const std::vector<Curve>& curves) {
  std::vector<std::string> keys;
  for (const Curve& c : curves)
    for (const auto& [k, v] : c.columns->items())
      if ((void)v, std::find(keys.begin(), keys.end(), k) == keys.end()) keys.push_back(k);
  return keys;
}

// The rows of one curve; a column the curve lacks is left empty.
std::string curve_rows(const Curve& c, const std::vector<std::string>& keys) {
  std::string s;
  for (std::size_t i = 0; i < DLV_POINTS; ++i) {
    s += std::string(c.name) + "," + (c.layer ? std::to_string(c.layer->get<int>()) : "") + "," +
         std::to_string(i);
    for (const std::string& k : keys) {
      s += ',';
      if (c.columns->contains(k)) s += full((*c.columns)[k][i]);
    }
    s += "\n";
  }
  return s;
}

}  // namespace

std::string csv_column_name(const std::string& key, const std::string& unit) {
  const std::string suffix = unit_suffix(unit);
  return suffix.empty() ? key : key + "_" + suffix;
}

std::string render_csv(const json& r) {
  const json& units = r["units"];
  const std::vector<Curve> curves = curves_of(r);
  const std::vector<std::string> keys = column_keys(curves);
  std::string s = "curve,layer,point";
  for (const std::string& k : keys)
    s += "," + csv_column_name(k, units.contains(k) ? units[k].get<std::string>() : "");
  s += "\n";
  for (const Curve& c : curves) s += curve_rows(c, keys);
  return s;
}

std::string shortest_text(double v) {
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

}  // namespace dlv::wellfile
