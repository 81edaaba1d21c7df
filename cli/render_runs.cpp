// The operating point and the traverse results as text for the dlv command:
// a summary or a table per point, and CSV tables.
#include <cstdio>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "render.hpp"
#include "wellfile/tubing_run.hpp"

namespace dlv::cli {
namespace {

using wellfile::csv_column_name;
using wellfile::json;
using wellfile::number_text;
using wellfile::shortest_text;

// The unit of a result column as the document's units map states it ("" when it has none).
std::string unit_of(const json& r, const char* key) {
  const json& u = r["units"];
  return u.contains(key) && u[key].is_string() ? u[key].get<std::string>() : "";
}

std::string text_of(const json& v) {
  if (v.is_null()) return "—";
  if (v.is_boolean()) return v.get<bool>() ? "yes" : "no";
  if (v.is_string()) return v.get<std::string>();
  return number_text(v.get<double>());
}

std::vector<const json*> points_of(const json& r) {
  std::vector<const json*> points;
  if (r.contains("points"))
    for (const json& p : r["points"]) points.push_back(&p);
  else
    points.push_back(&r);
  return points;
}

// A column heading: the short field heading while the column is in field units,
// else the name and the document's unit.
std::string heading(const json& r, const char* key, const char* name, const char* field_heading) {
  for (const wellfile::ProfileColumn& c : wellfile::kProfileColumns)
    if (std::string(c.name) == key && unit_of(r, key) != c.unit)
      return name + (" " + unit_of(r, key));
  return field_heading;
}

}  // namespace

std::string render_nodal_table(const json& r) {
  const std::string rate_unit = r["units"]["rate"].get<std::string>();
  const std::string p_unit = unit_of(r, "bottomhole_pressure");
  std::string s;
  auto line = [&](const std::string& key, const json& v) { s += key + ": " + text_of(v) + "\n"; };
  if (r.contains("description")) line("well", r["description"]);
  line("correlation", r["correlation"]);
  if (r.contains("vary")) {
    line("varied",
         json(r["vary"].get<std::string>() + " [" + r["value_unit"].get<std::string>() + "]"));
    char buf[256];
    std::snprintf(buf, sizeof buf, "\n%12s %6s %12s %12s %12s %10s %9s  %s\n", "value", "flows",
                  ("rate " + rate_unit).c_str(), ("oil " + unit_of(r, "oil_rate")).c_str(),
                  ("BHP " + p_unit).c_str(), ("resid " + unit_of(r, "residual")).c_str(),
                  "traverses", "outcome");
    s += buf;
    for (const json* p : points_of(r)) {
      const json& q = *p;
      std::snprintf(buf, sizeof buf, "%12s %6s %12s %12s %12s %10s %9s  %s\n",
                    text_of(q["value"]).c_str(), text_of(q["flows"]).c_str(),
                    text_of(q["rate"]).c_str(),
                    text_of(q.contains("oil_rate") ? q["oil_rate"] : json(nullptr)).c_str(),
                    text_of(q["bottomhole_pressure"]).c_str(), text_of(q["residual"]).c_str(),
                    text_of(q["traverses"]).c_str(), q["outcome"].get<std::string>().c_str());
      s += buf;
    }
    for (const json& n : r["notes"]) s += "note: " + n.get<std::string>() + "\n";
    return s;
  }
  line("outcome", r["message"]);
  line("flows", r["flows"]);
  line("rate [" + rate_unit + "]", r["rate"]);
  if (r.contains("oil_rate")) line("oil rate [" + unit_of(r, "oil_rate") + "]", r["oil_rate"]);
  line("bottom-hole pressure [" + p_unit + "]", r["bottomhole_pressure"]);
  line("wellhead pressure [" + p_unit + "]", r["wellhead_pressure"]);
  line("residual [" + unit_of(r, "residual") + "]", r["residual"]);
  line("converged", r["converged"]);
  line("iterations", r["iterations"]);
  line("traverses", r["traverses"]);
  if (!r["minimum"].is_null())
    line("tubing curve minimum [" + rate_unit + ", " + p_unit + "]",
         json(text_of(r["minimum"]["rate"]) + " at " + text_of(r["minimum"]["pressure"]) +
              " (inflow there: " + text_of(r["minimum"]["inflow_pressure"]) + ")"));
  for (const json& x : r["crossings"])
    line("crossing (" + x["label"].get<std::string>() + ") [" + rate_unit + ", " + p_unit + "]",
         json(text_of(x["rate"]) + " at " + text_of(x["pressure"])));
  return s;
}

std::string render_nodal_csv(const json& r) {
  const std::string rate_unit = r["units"]["rate"].get<std::string>();
  const bool family = r.contains("points");
  std::string s;
  if (family) s += csv_column_name("value", r["value_unit"].get<std::string>()) + ",";
  s += "flows,converged," + csv_column_name("rate", rate_unit) + "," +
       csv_column_name("oil_rate", unit_of(r, "oil_rate")) + "," +
       csv_column_name("bottomhole_pressure", unit_of(r, "bottomhole_pressure")) + "," +
       csv_column_name("wellhead_pressure", unit_of(r, "wellhead_pressure")) + "," +
       csv_column_name("residual", unit_of(r, "residual")) + ",iterations,traverses,outcome\n";
  auto cell = [](const json& v) {
    if (v.is_null()) return std::string();
    if (v.is_boolean()) return std::string(v.get<bool>() ? "true" : "false");
    if (v.is_string()) return v.get<std::string>();
    return shortest_text(v.get<double>());
  };
  for (const json* p : points_of(r)) {
    const json& q = *p;
    if (family) s += cell(q["value"]) + ",";
    s += cell(q["flows"]) + "," + cell(q["converged"]) + "," + cell(q["rate"]) + "," +
         cell(q.contains("oil_rate") ? q["oil_rate"] : json(nullptr)) + "," +
         cell(q["bottomhole_pressure"]) + "," + cell(q["wellhead_pressure"]) + "," +
         cell(q["residual"]) + "," + cell(q["iterations"]) + "," + cell(q["traverses"]) + "," +
         cell(q["outcome"]) + "\n";
  }
  return s;
}

std::string render_traverse_table(const json& r) {
  std::string s;
  auto line = [&](const std::string& key, const json& v) {
    std::string text = v.is_null()     ? "—"
                       : v.is_string() ? v.get<std::string>()
                                       : number_text(v.get<double>());
    s += key + ": " + text + "\n";
  };
  if (r.contains("description")) line("well", r["description"]);
  line("correlation", r["correlation"]);
  line("rate [" + r["units"]["rate"].get<std::string>() + "]", r["rate"]);
  line("wellhead pressure [" + unit_of(r, "wellhead_pressure") + "]", r["wellhead_pressure"]);
  line("bottom-hole pressure [" + unit_of(r, "bottomhole_pressure") + "]",
       r["bottomhole_pressure"]);
  line("outcome", r["message"]);
  line("steps", r["steps"]);
  s += "\n";
  const json& p = r["profile"];
  char buf[256];
  std::snprintf(buf, sizeof buf, "%10s %10s %10s %8s %8s %8s %-13s %9s %9s %9s %9s %9s\n",
                heading(r, "measured_depth", "MD", "MD ft").c_str(),
                heading(r, "vertical_depth", "TVD", "TVD ft").c_str(),
                heading(r, "pressure", "p", "p psig").c_str(),
                heading(r, "temperature", "T", "T degF").c_str(), "HL", "lambdaL", "pattern",
                heading(r, "mixture_density", "rho", "rho lb/ft3").c_str(),
                heading(r, "mixture_velocity", "vm", "vm ft/s").c_str(), "elev", "fric", "accel");
  s += buf;
  for (std::size_t i = 0; i < p["pressure"].size(); ++i) {
    std::snprintf(buf, sizeof buf,
                  "%10.1f %10.1f %10.2f %8.2f %8.4f %8.4f %-13s %9.4f %9.4f %9.5f %9.5f %9.5f\n",
                  p["measured_depth"][i].get<double>(), p["vertical_depth"][i].get<double>(),
                  p["pressure"][i].get<double>(), p["temperature"][i].get<double>(),
                  p["holdup"][i].get<double>(), p["no_slip_holdup"][i].get<double>(),
                  p["flow_pattern"][i].get<std::string>().c_str(),
                  p["mixture_density"][i].get<double>(), p["mixture_velocity"][i].get<double>(),
                  p["elevation_gradient"][i].get<double>(), p["friction_gradient"][i].get<double>(),
                  p["acceleration_gradient"][i].get<double>());
    s += buf;
  }
  return s;
}

std::string render_traverse_csv(const json& r) {
  std::string s;
  for (const wellfile::ProfileColumn& c : wellfile::kProfileColumns)
    s += (s.empty() ? "" : ",") + (unit_of(r, c.name) == c.unit
                                       ? std::string(c.csv_name)
                                       : csv_column_name(c.name, unit_of(r, c.name)));
  s += "\n";
  const json& p = r["profile"];
  for (std::size_t i = 0; i < p["pressure"].size(); ++i) {
    std::string row;
    for (const wellfile::ProfileColumn& c : wellfile::kProfileColumns) {
      const json& v = p[c.name][i];
      row += (row.empty() ? "" : ",") +
             (v.is_string() ? v.get<std::string>() : shortest_text(v.get<double>()));
    }
    s += row + "\n";
  }
  return s;
}

}  // namespace dlv::cli
