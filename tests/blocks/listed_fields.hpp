// Every field of the C field map's DLV_FIELDS list, with its block, kind,
// byte offset and element count.
#pragma once

#include <string>
#include <vector>

#include "dlv/dlv_layout.h"

struct Listed {
  std::string block, field, kind;
  std::size_t byte, count, element_bytes;
  std::size_t end() const { return byte + element_bytes * count; }
};
#define ELEMENT_BYTES_DLV_DOUBLE 8
#define ELEMENT_BYTES_DLV_INT32 4
#define ELEMENT_BYTES_DLV_FLAG 1
#define LISTED(BLOCK, FIELD, KIND, COUNT) \
  {#BLOCK, #FIELD, #KIND, DLV_FIELD_BYTE(BLOCK, FIELD, KIND), COUNT, ELEMENT_BYTES_##KIND},
const std::vector<Listed> kListed = {DLV_FIELDS(LISTED)};
#undef LISTED
