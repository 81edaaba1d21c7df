// The result document as a text table or as CSV.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "dlv/dlv_layout.h"
#include "wellfile/wellfile.hpp"
#include "wellfile/wellfile_internal.hpp"

namespace dlv::wellfile {
namespace {

// The unit of a summary quantity, from the document's units map.
std::string summary_unit(const json& units, const std::string& key) {
  return units.contains(key) && units[key].is_string() ? units[key].get<std::string>() : "";
}

std::string header(const json& units, const std::string& key) {
  const std::string u = units.contains(key) ? units[key].get<std::string>() : "";
  return u.empty() ? key : key + " [" + u + "]";
}

// A number with four decimals right-aligned in width; a null (nothing to
// describe) prints as a dash.
std::string fixed(const json& v, int width) {
  if (!v.is_number()) {
    const std::string dash = "\u2014";
    return std::string(static_cast<std::size_t>(std::max(width - 1, 0)), ' ') + dash;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%*.4f", width, v.get<double>());
  return buf;
}

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

// A titled 25-point table of the columns of one curve object.
struct Section {
  std::string title;
  const json* columns;
};

std::vector<Section> sections(const json& r) {
  std::vector<Section> out;
  for (const json& l : r["layers"]) {
    const std::string n = std::to_string(l["layer"].get<int>());
    out.push_back({"layer " + n + " curve", &l["curve"]});
    if (l.contains("completion_curve"))
      out.push_back({"layer " + n + " curve after the completion loss", &l["completion_curve"]});
    if (l.contains("traverse_curve"))
      out.push_back(
          {"layer " + n + " curve handed to the traverse coupling", &l["traverse_curve"]});
  }
  out.push_back({"well curve", &r["well_curve"]});
  return out;
}

}  // namespace

std::string render_table(const json& r) {
  const json& units = r["units"];
  std::string s;
  if (r.contains("description")) s += r["description"].get<std::string>() + "\n";
  if (r.contains("mode")) s += "mode " + r["mode"].get<std::string>() + ", ";
  s += "method " + r["method"].get<std::string>() + "\n";
  for (const Section& sec : sections(r)) {
    s += "\n" + sec.title + "\n";
    std::vector<std::string> keys;
    std::string line = "point";
    std::vector<std::size_t> widths;
    for (const auto& [k, v] : sec.columns->items()) {
      (void)v;
      keys.push_back(k);
      const std::string h = header(units, k);
      widths.push_back(std::max<std::size_t>(h.size(), 14));
      line += "  " + std::string(widths.back() - h.size(), ' ') + h;
    }
    s += line + "\n";
    for (int i = 0; i < DLV_POINTS; ++i) {
      char idx[8];
      std::snprintf(idx, sizeof idx, "%5d", i);
      line = idx;
      for (std::size_t c = 0; c < keys.size(); ++c)
        line += "  " + fixed((*sec.columns)[keys[c]][static_cast<std::size_t>(i)],
                             static_cast<int>(widths[c]));
      s += line + "\n";
    }
  }
  s += "\nsummary\n";
  for (const auto& [k, v] : r["summary"].items()) {
    std::string val = v.is_boolean() ? (v.get<bool>() ? "yes" : "no")
                      : v.is_number()
                          ? (v.is_number_integer() ? std::to_string(v.get<long>()) : fixed(v, 0))
                          : v.dump();
    std::string unit = summary_unit(units, k);
    s += "  " + k + ": " + val + (unit.empty() ? "" : " " + unit) + "\n";
  }
  if (!r["layers"].empty()) s += "\nderived fluid properties\n";
  for (const json& l : r["layers"]) {
    s += "  layer " + std::to_string(l["layer"].get<int>()) + "\n";
    for (const auto& [k, v] : l["fluid_properties"].items())
      s += "    " + header(units, k) + ": " + fixed(v, 0) + "\n";
    if (l.contains("fractured_well"))
      for (const auto& [k, v] : l["fractured_well"].items())
        s += "    " + k + ": " + (v.is_string() ? v.get<std::string>() : fixed(v, 0)) + "\n";
  }
  if (!r["notes"].empty()) {
    s += "\nnotes\n";
    for (const json& n : r["notes"]) s += "  " + n.get<std::string>() + "\n";
  }
  if (r.contains("fallbacks") && !r["fallbacks"].empty()) {
    s += "\ncomputed with fall-backs (values the library put in place of a computation)\n";
    for (const json& n : r["fallbacks"]) s += "  " + n.get<std::string>() + "\n";
  }
  return s;
}

std::string render_sections(const json& r) {
  const json& units = r["units"];
  std::string s;
  for (const Section& sec : sections(r)) {
    s += "# " + sec.title + "\npoint";
    for (const auto& [k, v] : sec.columns->items()) (void)v, s += "," + header(units, k);
    s += "\n";
    for (std::size_t i = 0; i < DLV_POINTS; ++i) {
      s += std::to_string(i);
      for (const auto& [k, v] : sec.columns->items()) {
        (void)k;
        s += ',';
        s += full(v[i]);
      }
      s += "\n";
    }
    s += "\n";
  }
  s += "# summary\nquantity,value,unit\n";
  for (const auto& [k, v] : r["summary"].items()) {
    const std::string unit = summary_unit(units, k);
    s += k + "," + (v.is_number_float() ? full(v) : v.dump()) + "," + unit + "\n";
  }
  if (!r["layers"].empty()) {
    s += "\n# derived fluid properties\nlayer";
    const json& first = r["layers"][0]["fluid_properties"];
    for (const auto& [k, v] : first.items()) (void)v, s += "," + header(units, k);
    s += "\n";
  }
  for (const json& l : r["layers"]) {
    s += std::to_string(l["layer"].get<int>());
    for (const auto& [k, v] : l["fluid_properties"].items()) (void)k, s += "," + full(v);
    s += "\n";
  }
  if (!r["notes"].empty()) {
    s += "\n# notes\nnote\n";
    for (const json& n : r["notes"]) s += "\"" + n.get<std::string>() + "\"\n";
  }
  if (r.contains("fallbacks") && !r["fallbacks"].empty()) {
    s += "\n# computed with fall-backs\nfallback\n";
    for (const json& n : r["fallbacks"]) s += "\"" + n.get<std::string>() + "\"\n";
  }
  return s;
}

std::string csv_column_name(const std::string& key, const std::string& unit) {
  const std::string suffix = unit_suffix(unit);
  return suffix.empty() ? key : key + "_" + suffix;
}

std::string render_csv(const json& r) {
  const json& units = r["units"];
  struct Curve {
    const char* name;
    const json* layer;
    const json* columns;
  };
  std::vector<Curve> curves;
  for (const char* kind : {"curve", "completion_curve", "traverse_curve"})
    for (const json& l : r["layers"])
      if (l.contains(kind))
        curves.push_back({std::string(kind) == "curve"              ? "layer"
                          : std::string(kind) == "completion_curve" ? "completion"
                                                                    : "traverse",
                          &l["layer"], &l[kind]});
  curves.push_back({"well", nullptr, &r["well_curve"]});
  // Columns in order of first appearance; a curve without one leaves it empty.
  std::vector<std::string> keys;
  for (const Curve& c : curves)
    for (const auto& [k, v] : c.columns->items())
      if ((void)v, std::find(keys.begin(), keys.end(), k) == keys.end()) keys.push_back(k);
  std::string s = "curve,layer,point";
  for (const std::string& k : keys)
    s += "," + csv_column_name(k, units.contains(k) ? units[k].get<std::string>() : "");
  s += "\n";
  for (const Curve& c : curves)
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

std::string shortest_text(double v) {
  char buf[32];
  return std::string(buf, std::to_chars(buf, buf + sizeof buf, v).ptr);
}

}  // namespace dlv::wellfile
