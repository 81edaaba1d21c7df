// One list of fields: every position macro of the C field map is a field of
// DLV_FIELDS, each field fits its block at an aligned offset without sharing a
// byte with another, and the map's positions are those hosts were given
// (field_map.csv: block, field, kind, byte, count).
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "dlv/dlv_layout.h"
#include "listed_fields.hpp"

namespace {

// The number macros of the field map that are sizes, not positions.
const std::set<std::string> kSizes = {"DLV_TEST_CAPACITY",
                                      "DLV_RATETEST_CAPACITY",
                                      "DLV_FLUID_TABLE_COUNT",
                                      "DLV_FLUID_TABLE_SLOTS",
                                      "DLV_FLUID_TABLE_TEMPERATURE_CAPACITY",
                                      "DLV_FLUID_TABLE_PRESSURE_CAPACITY",
                                      "DLV_INJECTION_COEFFICIENT_PAIRS"};

// The int32 and flag fields that share a slot name the slot that holds their
// bytes, so a host may find them either way.
TEST(FieldMap, EveryPositionMacroIsAListedFieldAndSlotsHoldTheirBytes) {
  std::map<std::string, std::size_t> macros;
  std::ifstream header(DLV_SOURCE_DIR "/include/dlv/dlv_layout.h");
  ASSERT_TRUE(header.is_open());
  const std::regex number_macro(R"(^#define (DLV_\w+) +(\d+)\b)");
  for (std::string line; std::getline(header, line);) {
    std::smatch m;
    if (std::regex_search(line, m, number_macro) && kSizes.count(m[1]) == 0) {
      macros[m[1]] = std::stoul(m[2]);
    }
  }
  std::set<std::string> names;
  for (const Listed& f : kListed) {
    const std::string name = "DLV_" + f.block + "_" + f.field;
    names.insert(name), names.insert(name + "_BYTE");
    if (macros.count(name) != 0) {
      EXPECT_EQ(macros[name], f.byte / 8) << name;
    }
  }
  for (const auto& [name, value] : macros) EXPECT_EQ(names.count(name), 1u) << name;
  EXPECT_GE(macros.size(), kListed.size());
}

// Bytes of the space a block name of the list stands for: one fluid table
// for FLUID_TABLE, one curve block for CURVES.
std::size_t block_bytes(const std::string& block) {
  const std::pair<const char*, std::size_t> sizes[] = {
      {"LAYER_FLUIDS", DLV_LAYER_FLUIDS_SLOTS}, {"FLUID_TABLE", DLV_FLUID_TABLE_SLOTS},
      {"FLUID_TABLES", DLV_FLUID_TABLES_SLOTS}, {"SEPARATOR", DLV_SEPARATOR_SLOTS},
      {"CURVES", DLV_CURVE_BLOCK_SLOTS},        {"WELL_RECORD", DLV_WELL_RECORD_SLOTS},
      {"COMPLETION", DLV_COMPLETION_SLOTS},     {"TRAVERSE", DLV_TRAVERSE_SLOTS},
      {"SUMMARY", DLV_WELL_SUMMARY_SLOTS},      {"RESULTS", DLV_LAYER_RESULTS_SLOTS},
  };
  for (const auto& [name, slots] : sizes) {
    if (block == name) return slots * 8;
  }
  ADD_FAILURE() << "unknown block " << block;
  return 0;
}

// The use flags follow the last fluid table.
TEST(FieldMap, EveryFieldFitsItsBlockAlignedAndNoTwoOverlap) {
  std::vector<Listed> sorted = kListed;
  std::sort(sorted.begin(), sorted.end(), [](const Listed& a, const Listed& b) {
    return a.block != b.block ? a.block < b.block : a.byte < b.byte;
  });
  const std::size_t tables_end = std::size_t{DLV_FLUID_TABLE_COUNT} * DLV_FLUID_TABLE_SLOTS * 8;
  for (std::size_t k = 0; k < sorted.size(); ++k) {
    const Listed& f = sorted[k];
    EXPECT_GE(f.count, 1u) << f.field;
    EXPECT_LE(f.end(), block_bytes(f.block)) << f.field;
    EXPECT_EQ(f.byte % f.element_bytes, 0u) << f.field;
    EXPECT_GE(f.block == "FLUID_TABLES" ? f.byte : tables_end, tables_end) << f.field;
    if (k > 0 && sorted[k - 1].block == f.block) {
      EXPECT_LE(sorted[k - 1].end(), f.byte) << sorted[k - 1].field << " runs into " << f.field;
    }
  }
}

TEST(FieldMap, PositionsAreThoseHostsWereGiven) {
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

}  // namespace
