#include <windows.h>

#include "platform/scratch_memory.hpp"

namespace dlv::platform {

ScratchBlock acquire_scratch(std::size_t bytes) {
  HGLOBAL h = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
  if (h == nullptr) return ScratchBlock{};
  void* p = GlobalLock(h);
  return ScratchBlock{h, p};
}

void release_scratch(ScratchBlock& block) {
  if (block.handle != nullptr) {
    HGLOBAL h = static_cast<HGLOBAL>(block.handle);
    if (block.data != nullptr) GlobalUnlock(h);
    GlobalFree(h);
  }
  block = ScratchBlock{};
}

}  // namespace dlv::platform
