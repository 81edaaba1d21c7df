// Every field of the C field map is either a field of the well file's table
// or on its list of host-only fields, never both.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "listed_fields.hpp"
#include "wellfile/fields.hpp"

namespace {

namespace wf = dlv::wellfile;

// The well-file block a DLV_FIELDS block name stands for; results and curves
// have none.
std::string wellfile_block(const std::string& block) {
  const std::pair<const char*, const char*> names[] = {
      {"FLUID_TABLE", "fluid_tables"},  {"FLUID_TABLES", "fluid_tables"},
      {"LAYER_FLUIDS", "layer_fluids"}, {"SEPARATOR", "separator_conditions"},
      {"WELL_RECORD", "well_record"},   {"COMPLETION", "completion_block"},
      {"TRAVERSE", "traverse_block"}};
  for (const auto& [from, to] : names) {
    if (block == from) return to;
  }
  return "";
}

TEST(FieldMap, EveryListedFieldIsInTheWellFileTableOrHostOnly) {
  for (const Listed& f : kListed) {
    bool table = false, host = false;
    for (const wf::Field& w : wf::all_fields()) {
      const std::size_t byte = w.kind == wf::Kind::real ? w.pos * 8 : w.pos;
      table = table || (wellfile_block(f.block) == wf::block_name(w.block) && byte == f.byte);
    }
    for (const wf::HostOnlyField& h : wf::host_only_fields()) {
      host = host || (f.block == h.block && f.field == h.field);
    }
    EXPECT_NE(table, host) << f.block << " " << f.field
                           << (table ? " is in the field table and host-only"
                                     : " is neither in the field table nor host-only");
  }
  for (const wf::HostOnlyField& h : wf::host_only_fields()) {
    EXPECT_EQ(
        std::count_if(kListed.begin(), kListed.end(),
                      [&](const Listed& f) { return f.block == h.block && f.field == h.field; }),
        1)
        << h.block << " " << h.field << " is host-only but not in DLV_FIELDS";
    EXPECT_NE(std::string(h.reason), "") << h.field;
  }
}

}  // namespace
