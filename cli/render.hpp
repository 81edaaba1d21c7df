// The result document of a well as text for the dlv command: a text table
// per curve, or the sectioned CSV.
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

}  // namespace dlv::cli
