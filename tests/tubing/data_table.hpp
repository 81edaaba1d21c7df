// Tables of cases and expected values under tests/tubing/data, read at run
// time. A table is comma-separated; lines starting with # are comments, the
// first other line names the columns, and an empty cell is no value. The
// cells of the columns "set" and "expect" hold more cells, "name=value;...".
// An expected value is checked to half a unit of its last written digit, or
// as written: "value+-tolerance", a range "low..high" or "nan".
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

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
