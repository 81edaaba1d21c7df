// The blocks of dlv_cal and the named fields inside them, as the Python
// package lays its numpy views over the blocks.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace dlv::python {

struct BlockSize {
  const char* name;   // attribute name of the block in the Python package
  std::size_t slots;  // 8-byte slots
};

// A field: element type ('d' double, 'i' int32, 'b' byte), its first byte,
// and the shape and byte strides of the array it forms (rank 0: a scalar).
struct Field {
  std::string block;
  std::string name;
  char kind;
  std::size_t byte_offset;
  int rank;
  std::size_t shape[3];
  std::size_t strides[3];
  std::string doc;  // unit and meaning, where known
};

// The twelve blocks, in dlv_cal's argument order.
const std::vector<BlockSize>& block_sizes();
const std::vector<Field>& field_table();

}  // namespace dlv::python
