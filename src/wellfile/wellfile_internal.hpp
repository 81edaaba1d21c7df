// Helpers shared by the files of the well-file library.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "wellfile/fields.hpp"
#include "wellfile/wellfile.hpp"

namespace dlv::wellfile {

// JSON text appended as compact_text writes it: a string quoted and escaped;
// a number in its shortest round-trip form, ".0" on a whole number, null when
// it is not finite.
void put_json_string(std::string_view v, std::string& out);
void put_json_number(double v, std::string& out);
// The same written at out, which has room for kNumberTextRoom characters;
// returns the end of the text.
constexpr std::size_t kNumberTextRoom = 40;
char* put_json_number(double v, char* out);
// Reads a usable well text, arrays and objects nested at most max_nesting
// deep, by the fast parser where it gives nlohmann's own tree; false where
// nlohmann's parser must read the text (and say what is wrong with it).
bool read_plain_json(const std::string& text, std::size_t max_nesting, json& doc);
// "a number in UNIT, MIN to MAX" in a unit system (mode: see field_range).
std::string expected_text(const Field& f, UnitSystem s = UnitSystem::field, int mode = -1);
std::vector<double>& block_of(Blocks& b, BlockId id);
const std::vector<double>& block_of(const Blocks& b, BlockId id);
double get_value(const Blocks& b, const Field& f, int i);
void set_value(Blocks& b, const Field& f, int i, double value);
int method_code_of(const Blocks& b);
// Values that pass their ranges but break the formulas of the well's method;
// the document must have passed every other check.
std::vector<Problem> consistency_problems(const json& doc, int mode, int method);
// The reference page's section listing those conditions per method.
std::string refusals_markdown();

}  // namespace dlv::wellfile
