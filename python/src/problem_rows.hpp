// What every binding hands Python for the problems of a well document: one
// (path, message, expected, the line the dlv command prints) row per problem;
// and the lock that serialises calls into the library.
#pragma once

#include <mutex>
#include <string>
#include <tuple>
#include <vector>

#include "wellfile/wellfile.hpp"

namespace dlv::python {

std::mutex& library_lock();

using ProblemRow = std::tuple<std::string, std::string, std::string, std::string>;

inline std::vector<ProblemRow> problem_rows(const std::vector<wellfile::Problem>& problems) {
  std::vector<ProblemRow> rows;
  for (const auto& p : problems) rows.emplace_back(p.path, p.message, p.expected, p.text());
  return rows;
}

}  // namespace dlv::python
