// The result document as a text table or as sectioned CSV.
#include "render.hpp"

#include <algorithm>
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "dlv/dlv_layout.h"

namespace dlv::cli {
namespace {

using wellfile::json;

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
std::string full(const json& v) {
  return v.is_number() ? wellfile::shortest_text(v.get<double>()) : "";
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

// One curve as a text table: a header of each column's key and unit, then a
// line per point.
std::string section_table(const Section& sec, const json& units) {
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
  std::string s = line + "\n";
  for (int i = 0; i < DLV_POINTS; ++i) {
    char idx[8];
    std::snprintf(idx, sizeof idx, "%5d", i);
    line = idx;
    for (std::size_t c = 0; c < keys.size(); ++c)
      line += "  " + fixed((*sec.columns)[keys[c]][static_cast<std::size_t>(i)],
                           static_cast<int>(widths[c]));
    s += line + "\n";
  }
  return s;
}

std::string summary_value(const json& v) {
  if (v.is_boolean()) return v.get<bool>() ? "yes" : "no";
  if (v.is_number_integer()) return std::to_string(v.get<long>());
  if (v.is_number()) return fixed(v, 0);
  return v.dump();
}

std::string fluid_properties_text(const json& r, const json& units) {
  std::string s;
  if (!r["layers"].empty()) s += "\nderived fluid properties\n";
  for (const json& l : r["layers"]) {
    s += "  layer " + std::to_string(l["layer"].get<int>()) + "\n";
    for (const auto& [k, v] : l["fluid_properties"].items())
      s += "    " + header(units, k) + ": " + fixed(v, 0) + "\n";
    if (l.contains("fractured_well"))
      for (const auto& [k, v] : l["fractured_well"].items())
        s += "    " + k + ": " + (v.is_string() ? v.get<std::string>() : fixed(v, 0)) + "\n";
  }
  return s;
}

// The notes and fall-backs of a result, each list under its title and each
// line written by line().
template <class Line>
std::string note_lists(const json& r, const std::string& notes_title,
                       const std::string& fallbacks_title, Line line) {
  std::string s;
  if (!r["notes"].empty()) {
    s += notes_title;
    for (const json& n : r["notes"]) s += line(n.get<std::string>());
  }
  if (r.contains("fallbacks") && !r["fallbacks"].empty()) {
    s += fallbacks_title;
    for (const json& n : r["fallbacks"]) s += line(n.get<std::string>());
  }
  return s;
}

// One curve as a CSV section: the title, the header, a row per point.
std::string section_csv(const Section& sec, const json& units) {
  std::string s = "# " + sec.title + "\npoint";
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
  return s + "\n";
}

std::string fluid_properties_csv(const json& r, const json& units) {
  std::string s;
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
  return s;
}

}  // namespace

std::string render_table(const json& r) {
  const json& units = r["units"];
  std::string s;
  if (r.contains("description")) s += r["description"].get<std::string>() + "\n";
  if (r.contains("mode")) s += "mode " + r["mode"].get<std::string>() + ", ";
  s += "method " + r["method"].get<std::string>() + "\n";
  for (const Section& sec : sections(r)) s += "\n" + sec.title + "\n" + section_table(sec, units);
  s += "\nsummary\n";
  for (const auto& [k, v] : r["summary"].items()) {
    const std::string unit = summary_unit(units, k);
    s += "  " + k + ": " + summary_value(v) + (unit.empty() ? "" : " " + unit) + "\n";
  }
  s += fluid_properties_text(r, units);
  return s + note_lists(r, "\nnotes\n",
                        "\ncomputed with fall-backs (values the library put in place of a "
                        "computation)\n",
                        [](const std::string& n) { return "  " + n + "\n"; });
}

std::string render_sections(const json& r) {
  const json& units = r["units"];
  std::string s;
  for (const Section& sec : sections(r)) s += section_csv(sec, units);
  s += "# summary\nquantity,value,unit\n";
  for (const auto& [k, v] : r["summary"].items()) {
    const std::string unit = summary_unit(units, k);
    s += k + "," + (v.is_number_float() ? full(v) : v.dump()) + "," + unit + "\n";
  }
  s += fluid_properties_csv(r, units);
  return s + note_lists(r, "\n# notes\nnote\n", "\n# computed with fall-backs\nfallback\n",
                        [](const std::string& n) { return "\"" + n + "\"\n"; });
}

}  // namespace dlv::cli
