#include <cstdlib>

#include "platform/scratch_memory.hpp"

namespace dlv::platform {

ScratchBlock acquire_scratch(std::size_t bytes) {
  void* p = std::calloc(bytes, 1);
  return ScratchBlock{p, p};
}

void release_scratch(ScratchBlock& block) {
  std::free(block.handle);
  block = ScratchBlock{};
}

}  // namespace dlv::platform
