// The field map's list of every field: each field fits its block at an
// aligned offset, and no two fields of a block share a byte.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <string>
#include <vector>

#include "dlv/dlv_layout.h"

namespace {

struct Listed {
  std::string block;
  std::string name;
  std::size_t element_bytes;
  std::size_t byte;
  std::size_t count;
  std::size_t end() const { return byte + element_bytes * count; }
};

#define ELEMENT_BYTES_DLV_DOUBLE 8
#define ELEMENT_BYTES_DLV_INT32 4
#define ELEMENT_BYTES_DLV_FLAG 1
#define LISTED(BLOCK, FIELD, KIND, COUNT) \
  {#BLOCK, #FIELD, ELEMENT_BYTES_##KIND, DLV_FIELD_BYTE(BLOCK, FIELD, KIND), COUNT},
const std::vector<Listed> kFields = {DLV_FIELDS(LISTED)};
#undef LISTED

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

TEST(FieldList, EveryFieldFitsItsBlockAligned) {
  for (const Listed& f : kFields) {
    SCOPED_TRACE(f.block + " " + f.name);
    EXPECT_GE(f.count, 1u);
    EXPECT_LE(f.end(), block_bytes(f.block));
    EXPECT_EQ(f.byte % f.element_bytes, 0u);
  }
  // The use flags follow the last table.
  for (const Listed& f : kFields) {
    if (f.block == "FLUID_TABLES") {
      EXPECT_GE(f.byte, std::size_t{DLV_FLUID_TABLE_COUNT} * DLV_FLUID_TABLE_SLOTS * 8) << f.name;
    }
  }
}

TEST(FieldList, NoTwoFieldsOfABlockOverlap) {
  std::vector<Listed> sorted = kFields;
  std::sort(sorted.begin(), sorted.end(), [](const Listed& a, const Listed& b) {
    return a.block != b.block ? a.block < b.block : a.byte < b.byte;
  });
  for (std::size_t k = 1; k < sorted.size(); ++k) {
    const Listed& a = sorted[k - 1];
    const Listed& b = sorted[k];
    if (a.block == b.block) {
      EXPECT_LE(a.end(), b.byte) << a.block << ": " << a.name << " runs into " << b.name;
    }
  }
}

// The int32 and flag fields that share a slot name the slot that holds
// their bytes, so a host may find them either way.
TEST(FieldList, SharedSlotsHoldTheirFields) {
  const std::pair<std::size_t, std::size_t> slot_and_byte[] = {
      {DLV_WELL_RECORD_METHOD_CODE, DLV_WELL_RECORD_METHOD_CODE_BYTE},
      {DLV_WELL_RECORD_GAS_METHOD, DLV_WELL_RECORD_GAS_METHOD_BYTE},
      {DLV_WELL_RECORD_GAS_INJECTION_METHOD, DLV_WELL_RECORD_GAS_INJECTION_METHOD_BYTE},
      {DLV_WELL_RECORD_WATER_INJECTION_METHOD, DLV_WELL_RECORD_WATER_INJECTION_METHOD_BYTE},
      {DLV_WELL_RECORD_LAYER_COUNT, DLV_WELL_RECORD_LAYER_COUNT_BYTE},
      {DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE, DLV_WELL_RECORD_DELIVERABILITY_TEST_TYPE_BYTE},
      {DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN, DLV_WELL_RECORD_BACKPRESSURE_C_GIVEN_BYTE},
      {DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN, DLV_WELL_RECORD_BACKPRESSURE_N_GIVEN_BYTE},
  };
  for (const auto& [slot, byte] : slot_and_byte) EXPECT_EQ(slot, byte / 8) << "byte " << byte;
}

}  // namespace
