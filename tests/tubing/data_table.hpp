// Tables of cases and expected values under tests/tubing/data, read at run
// time. A table is comma-separated; lines starting with # are comments, the
// first other line names the columns, and an empty cell is no value. The
// cells of the columns "set" and "expect" hold more cells, "name=value;...".
// An
// expected value is checked to half a unit of its last written digit, or as
// written: "value+-tolerance" or a range "low..high".
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

class Row {
 public:
  std::map<std::string, std::string> cells;
  std::string where;  // file and line
  bool has(const std::string& column) const {
    read_.insert(column);
    const auto it = cells.find(column);
    return it != cells.end() && !it->second.empty();
  }
  const std::string& text(const std::string& column) const {
    read_.insert(column);
    return cells.at(column);
  }
  double number(const std::string& column) const { return std::stod(text(column)); }
  // The cells with a value that nothing read: a misspelt column.
  std::string unread() const {
    std::string out;
    for (const auto& [column, cell] : cells) {
      if (!cell.empty() && !read_.count(column)) out += column + " ";
    }
    return out;
  }

 private:
  mutable std::set<std::string> read_;
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
    Row& row = rows.emplace_back();
    row.where = file + ":" + std::to_string(n);
    for (std::size_t k = 0; k < cells.size() && k < header.size(); ++k) {
      row.cells[header[k]] = cells[k];
      if (header[k] != "set" && header[k] != "expect") continue;
      std::stringstream pairs(cells[k]);
      for (std::string name, value; std::getline(pairs >> std::ws, name, '=');) {
        std::getline(pairs, value, ';');
        row.cells[name] = value;
      }
      row.has(header[k]);  // read as its cells
    }
  }
  return rows;
}

// The bounds an expected cell allows.
inline std::pair<double, double> bounds(const std::string& cell) {
  if (const auto dots = cell.find(".."); dots != std::string::npos) {
    return {std::stod(cell.substr(0, dots)), std::stod(cell.substr(dots + 2))};
  }
  const auto pm = cell.find("+-");
  const double value = std::stod(cell.substr(0, pm));
  double tolerance = 0.0;
  if (pm != std::string::npos) {
    tolerance = std::stod(cell.substr(pm + 2));
  } else {
    const auto e = cell.find_first_of("eE");
    const auto dot = cell.find('.');
    const int decimals = dot < e ? int(std::min(e, cell.size()) - dot - 1) : 0;
    tolerance = 0.5 * std::pow(10.0, (e == std::string::npos ? 0 : std::stoi(cell.substr(e + 1))) -
                                         decimals);
  }
  return {value - tolerance, value + tolerance};
}

// Checks each named value against the row's cell of that name, if any.
inline void expect(const Row& row, const std::string& label,
                   std::initializer_list<std::pair<const char*, double>> actual) {
  for (const auto& [name, value] : actual) {
    if (!row.has(name)) continue;
    const auto [low, high] = bounds(row.text(name));
    EXPECT_GE(value, low) << row.where << " " << label << ": " << name;
    EXPECT_LE(value, high) << row.where << " " << label << ": " << name;
  }
}

}  // namespace data_table
