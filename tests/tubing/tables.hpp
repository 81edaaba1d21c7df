// Tables of cases and expected values under tests/tubing/data, read at run
// time. A table is comma-separated; lines starting with # are comments, the
// first other line names the columns, and an empty cell is no value. The
// cells of the columns "set" and "expect" hold more cells, "name=value;...".
// An expected value is checked to half a unit of its last written digit, or
// as written: "value+-tolerance", a range "low..high" or "nan".
//
// Guo et al. (2007)'s two published tubing wells and a dry-gas well
// (data/wells.csv), as traverse requests that the tubing suites share, and the
// request fields a table row can set by column name.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <numbers>
#include <set>
#include <span>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tubing/traverse.hpp"

namespace data_table {

struct Row {
  std::map<std::string, std::string> cells;
  std::string where;  // file and line
  mutable std::set<std::string> read;
  bool has(const std::string& column) const {
    read.insert(column);
    return cells.count(column) && !cells.at(column).empty();
  }
  const std::string& text(const std::string& column) const { return has(column), cells.at(column); }
  double number(const std::string& column) const { return std::stod(text(column)); }
  // The cells with a value that nothing read: a misspelt column.
  std::string unread() const {
    std::string out;
    for (const auto& [column, cell] : cells) {
      out += cell.empty() || read.count(column) ? "" : column + " ";
    }
    return out;
  }
};

inline std::vector<Row> read(const std::string& file) {
  std::ifstream in(std::string(DLV_SOURCE_DIR) + "/tests/tubing/data/" + file);
  EXPECT_TRUE(in.is_open()) << file;
  std::vector<std::string> header;
  std::vector<Row> rows;
  std::string line;
  for (int n = 1; std::getline(in, line); ++n) {
    if (line.empty() || line[0] == '#') continue;
    std::vector<std::string> cells;
    std::stringstream s(line);
    for (std::string cell; std::getline(s >> std::ws, cell, ',');) {
      cells.push_back(cell.erase(cell.find_last_not_of(' ') + 1));
    }
    if (header.empty()) {
      header = cells;
      continue;
    }
    Row& row = rows.emplace_back(Row{{}, file + ":" + std::to_string(n), {}});
    for (std::size_t k = 0; k < cells.size() && k < header.size(); ++k) {
      row.cells[header[k]] = cells[k];
      if (header[k] != "set" && header[k] != "expect") continue;
      row.has(header[k]);  // read as its cells
      std::stringstream pairs(cells[k]);
      for (std::string name, value; std::getline(pairs >> std::ws, name, '=');) {
        std::getline(pairs, value, ';');
        row.cells[name] = value;
      }
    }
  }
  return rows;
}

// The bounds an expected cell allows.
inline std::pair<double, double> bounds(const std::string& cell) {
  const auto dots = cell.find("..");
  if (dots != std::string::npos) {
    return {std::stod(cell.substr(0, dots)), std::stod(cell.substr(dots + 2))};
  }
  const auto pm = cell.find("+-"), e = cell.find_first_of("eE"), dot = cell.find('.');
  const int exponent = e == std::string::npos ? 0 : std::stoi(cell.substr(e + 1));
  const int decimals = dot < e ? int(std::min(e, cell.size()) - dot - 1) : 0;
  const double tolerance = pm != std::string::npos ? std::stod(cell.substr(pm + 2))
                                                   : 0.5 * std::pow(10.0, exponent - decimals);
  return {std::stod(cell) - tolerance, std::stod(cell) + tolerance};
}

// Checks each value against the row's cell of the same name, if it has one.
inline void expect(const Row& row, const std::string& label,
                   std::initializer_list<const char*> names, std::initializer_list<double> values) {
  ASSERT_EQ(names.size(), values.size()) << label;
  const double* value = values.begin();
  for (const char* name : names) {
    const double actual = *value++;
    if (!row.has(name)) continue;
    if (row.text(name) == "nan") {
      EXPECT_TRUE(std::isnan(actual)) << row.where << " " << label << ": " << name << " " << actual;
      continue;
    }
    const auto [low, high] = bounds(row.text(name));
    EXPECT_GE(actual, low) << row.where << " " << label << ": " << name;
    EXPECT_LE(actual, high) << row.where << " " << label << ": " << name;
  }
}

}  // namespace data_table

namespace guo_wells {

// Calls visit(column, field) for every number of a request a table can set.
template <class Visit>
void for_each_number(dlv::TraverseRequest& r, Visit visit) {
  dlv::TubingFluid& f = r.fluid;
  visit("node_depth", r.geometry.node_depth), visit("diameter", r.geometry.inside_diameter);
  visit("roughness", r.geometry.roughness), visit("inclination", r.geometry.inclination);
  visit("t_head", r.temperatures.wellhead), visit("t_node", r.temperatures.node);
  visit("api", f.api_gravity), visit("gas_sg", f.gas_sg), visit("water_sg", f.water_sg);
  visit("water_fvf", f.water_fvf), visit("water_cut", f.water_cut);
  visit("glr", f.gas_liquid_ratio), visit("liquid_yield", f.liquid_yield);
  visit("oil_viscosity", f.oil_viscosity), visit("water_viscosity", f.water_viscosity);
  visit("surface_tension", f.surface_tension), visit("rate", r.rate);
  visit("start_pressure", r.start_pressure), visit("max_step", r.max_step);
}

// Sets what the row gives; "tvd" sets the inclination of a straight hole.
inline void set_fields(const data_table::Row& row, dlv::TraverseRequest& r) {
  for_each_number(r, [&](const char* column, double& field) {
    if (row.has(column)) field = row.number(column);
  });
  if (row.has("tvd")) {
    r.geometry.inclination =
        std::acos(row.number("tvd") / r.geometry.node_depth) * 180.0 / std::numbers::pi;
  }
  if (row.has("model")) r.fluid.model = *dlv::tubing_fluid_from_name(row.text("model"));
  if (row.has("basis"))
    r.fluid.basis = row.text("basis") == "gas" ? dlv::RateBasis::kGas : dlv::RateBasis::kLiquid;
  if (row.has("start"))
    r.start =
        row.text("start") == "node" ? dlv::TraverseStart::kNode : dlv::TraverseStart::kWellhead;
  if (row.has("flow"))
    r.flow = row.text("flow") == "down" ? dlv::FlowDirection::kDown : dlv::FlowDirection::kUp;
}

// The named well of data/wells.csv; an empty name is the default request.
inline dlv::TraverseRequest well(std::string_view name,
                                 dlv::Correlation correlation = dlv::Correlation::kNoSlip) {
  dlv::TraverseRequest r;
  r.correlation = correlation;
  for (const data_table::Row& row : data_table::read("wells.csv")) {
    if (row.text("well") == name) set_fields(row, r);
  }
  return r;
}

// Every correlation, or every point correlation.
inline std::vector<dlv::Correlation> every_correlation(bool points_only) {
  std::vector<dlv::Correlation> all;
  for (int i = 0; i <= static_cast<int>(dlv::Correlation::kCullenderSmith); ++i) {
    const auto c = static_cast<dlv::Correlation>(i);
    if (!points_only || dlv::is_point_correlation(c)) all.push_back(c);
  }
  return all;
}

// The correlation a row names; "*": every one, or every point correlation.
inline std::vector<dlv::Correlation> correlations(const data_table::Row& row, bool points_only) {
  if (row.text("correlation") == "*") return every_correlation(points_only);
  return {*dlv::correlation_from_name(row.text("correlation"))};
}

}  // namespace guo_wells
