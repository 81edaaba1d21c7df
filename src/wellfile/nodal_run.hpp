// The operating point of a well file: the well's own inflow curve (as run_well
// computes it) meets its tubing's bottom-hole pressure at the wellhead
// pressure of the tubing object, and the same over a list of values of one
// field (a sensitivity).
//
// API:
//   parse_nodal_vary(text, problems)   "FIELD=V1,V2,..." to a NodalVary
//   check_nodal(doc, ask)              every problem, before anything is computed
//   run_nodal(doc, ask)                the nodal result document
//
// The result document (kind "nodal"): the operating point's fields (see
// operating_point_json), the oil rate of an oil well, the inflow curve, the
// tubing curve, the traverse at the operating point and the traverse count.
// With a sensitivity (kind "nodal_family") the same fields sit in "points",
// one per value, each with its "value".
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "wellfile/operating_point.hpp"
#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

// The fields a sensitivity varies: wellhead_pressure and inside_diameter of
// the tubing object, water_cut, producing_gor and reservoir_pressure of every
// layer.
const std::vector<std::string>& nodal_vary_fields();

struct NodalVary {
  std::string field;
  std::vector<double> values;
};

// Parses "FIELD=V1,V2,..."; on failure returns nullopt and adds a problem.
// The field and values are checked against the well by check_nodal.
std::optional<NodalVary> parse_nodal_vary(const std::string& text, std::vector<Problem>& problems);

struct NodalAsk {
  std::optional<NodalVary> vary;
  SolverOptions solver;
};

// The well's own checks, a missing tubing object, an unknown field of the
// sensitivity, and every value applied to a copy of the well and checked.
std::vector<Problem> check_nodal(const json& doc, const NodalAsk& ask);

// problems non-empty: nothing computed. fallbacks: every fall-back of the
// inflow curves used (with the value of the sensitivity that caused it).
RunOutcome run_nodal(const json& doc, const NodalAsk& ask = {});

}  // namespace dlv::wellfile
