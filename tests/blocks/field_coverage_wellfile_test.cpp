// One list of fields: every position macro of the C field map is a field of
// DLV_FIELDS, every field of DLV_FIELDS is either a field of the well file's
// table or on its list of host-only fields, and the map's positions are those
// hosts were given (field_map.csv: block, field, kind, byte, count).
#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "dlv/dlv_layout.h"
#include "wellfile/fields.hpp"

namespace {

namespace wf = dlv::wellfile;

struct Listed {
  std::string block, field, kind;
  std::size_t byte, count;
};
#define LISTED(BLOCK, FIELD, KIND, COUNT) \
  {#BLOCK, #FIELD, #KIND, DLV_FIELD_BYTE(BLOCK, FIELD, KIND), COUNT},
const Listed kListed[] = {DLV_FIELDS(LISTED)};
#undef LISTED

// The number macros of the field map that are sizes, not positions.
const std::set<std::string> kSizes = {"DLV_TEST_CAPACITY",
                                      "DLV_RATETEST_CAPACITY",
                                      "DLV_FLUID_TABLE_COUNT",
                                      "DLV_FLUID_TABLE_SLOTS",
                                      "DLV_FLUID_TABLE_TEMPERATURE_CAPACITY",
                                      "DLV_FLUID_TABLE_PRESSURE_CAPACITY",
                                      "DLV_INJECTION_COEFFICIENT_PAIRS"};

TEST(FieldCoverage, EveryPositionMacroIsAListedField) {
  std::set<std::string> names;
  for (const Listed& f : kListed) {
    names.insert("DLV_" + f.block + "_" + f.field);
    names.insert("DLV_" + f.block + "_" + f.field + "_BYTE");
  }
  std::ifstream header(DLV_SOURCE_DIR "/include/dlv/dlv_layout.h");
  ASSERT_TRUE(header.is_open());
  const std::regex number_macro(R"(^#define (DLV_\w+) +\d+\b)");
  std::string line;
  int seen = 0;
  while (std::getline(header, line)) {
    std::smatch m;
    if (!std::regex_search(line, m, number_macro) || kSizes.count(m[1]) != 0) continue;
    ++seen;
    EXPECT_EQ(names.count(m[1]), 1u) << m[1] << " is not in DLV_FIELDS";
  }
  EXPECT_GE(seen, static_cast<int>(std::size(kListed)));
}

TEST(FieldCoverage, PositionsAreThoseHostsWereGiven) {
  std::ifstream csv(DLV_SOURCE_DIR "/tests/blocks/field_map.csv");
  std::string line;
  ASSERT_TRUE(std::getline(csv, line));
  std::vector<std::string> given, listed;
  while (std::getline(csv, line)) given.push_back(line);
  for (const Listed& f : kListed) {
    std::string kind = f.kind.substr(4);
    for (char& c : kind) c = static_cast<char>(std::tolower(c));
    listed.push_back(f.block + "," + f.field + "," + kind + "," + std::to_string(f.byte) + "," +
                     std::to_string(f.count));
  }
  EXPECT_EQ(listed, given);
}

// The well-file block a DLV_FIELDS block name stands for; results and curves
// have none.
const char* wellfile_block(const std::string& block) {
  if (block == "FLUID_TABLE" || block == "FLUID_TABLES") return "fluid_tables";
  if (block == "LAYER_FLUIDS") return "layer_fluids";
  if (block == "SEPARATOR") return "separator_conditions";
  if (block == "WELL_RECORD") return "well_record";
  if (block == "COMPLETION") return "completion_block";
  if (block == "TRAVERSE") return "traverse_block";
  return "";
}

bool in_field_table(const Listed& f) {
  for (const wf::Field& w : wf::all_fields()) {
    const std::size_t byte = w.kind == wf::Kind::real ? w.pos * 8 : w.pos;
    if (wellfile_block(f.block) == std::string(wf::block_name(w.block)) && byte == f.byte) {
      return true;
    }
  }
  return false;
}

bool host_only(const std::string& block, const std::string& field) {
  for (const wf::HostOnlyField& h : wf::host_only_fields()) {
    if (block == h.block && field == h.field) return true;
  }
  return false;
}

TEST(FieldCoverage, EveryListedFieldIsInTheWellFileTableOrHostOnly) {
  for (const Listed& f : kListed) {
    const bool table = in_field_table(f), host = host_only(f.block, f.field);
    EXPECT_NE(table, host) << f.block << " " << f.field
                           << (table ? " is in the field table and host-only"
                                     : " is neither in the field table nor host-only");
  }
  for (const wf::HostOnlyField& h : wf::host_only_fields()) {
    bool listed = false;
    for (const Listed& f : kListed) listed = listed || (f.block == h.block && f.field == h.field);
    EXPECT_TRUE(listed) << h.block << " " << h.field << " is host-only but not in DLV_FIELDS";
    EXPECT_NE(std::string(h.reason), "") << h.field;
  }
}

}  // namespace
