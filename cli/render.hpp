// The result documents as text for the dlv command: a text table per curve
// or the sectioned CSV of a well, and the operating point and traverse
// results as text or CSV.
#pragma once

#include <string>

#include "wellfile/wellfile.hpp"

namespace dlv::cli {

// A text table per curve, the summary, the fluid properties and the notes;
// a null prints as a dash.
std::string render_table(const wellfile::json& result);
// The sectioned CSV: a "# title" line and a table per curve, the summary,
// the fluid properties and the notes; numbers in their shortest round-trip
// form, a null as an empty field.
std::string render_sections(const wellfile::json& result);

// The operating point(s) as a text summary (a table per point for a family),
// or a CSV table with one row per point.
std::string render_nodal_table(const wellfile::json& result);
std::string render_nodal_csv(const wellfile::json& result);
// The traverse document as a text table or a CSV table (one row per node).
std::string render_traverse_table(const wellfile::json& result);
std::string render_traverse_csv(const wellfile::json& result);

}  // namespace dlv::cli
