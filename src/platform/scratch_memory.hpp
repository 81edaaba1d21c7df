// Zero-filled scratch blocks that the traverse coupling obtains for one call
// and hands to the traverse library. POSIX: calloc and free. Win32: movable,
// zero-initialised global memory, locked while in use.
#pragma once

#include <cstddef>

namespace dlv::platform {

struct ScratchBlock {
  void* handle = nullptr;  // the allocation as the platform names it
  void* data = nullptr;    // usable address, null when the allocation failed
};

// Obtains `bytes` zero-filled bytes; data is null when none could be had.
ScratchBlock acquire_scratch(std::size_t bytes);
// Releases a block from acquire_scratch (a failed one too) and empties it.
void release_scratch(ScratchBlock& block);

}  // namespace dlv::platform
