// Loads the shared library as a host does (dlopen, or LoadLibrary for
// DLV.dll); the blocks a host fills are in host_blocks.hpp.
#pragma once

#ifdef _WIN32
#include <windows.h>
#else
#include <dlfcn.h>
#include <unistd.h>
#endif
#include <gtest/gtest.h>

#include <cstdint>

#include "support/host_blocks.hpp"

namespace host {

using CalFn = std::int32_t (*)(double*, double*, double*, double*, double*, std::int32_t*, double*,
                               double*, double*, double*, double*, double*, std::int32_t,
                               const char*);
using CalCSharpFn = std::int32_t (*)(double*, double*, double*, std::int32_t*, double*, double*,
                                     double*);

// The library, opened once per test program.
#ifdef _WIN32
inline HMODULE library() {
  static HMODULE handle = LoadLibraryA(DLV_LIBRARY_PATH);
  return handle;
}
inline void* address(const char* name) {
  return library() == nullptr ? nullptr : reinterpret_cast<void*>(GetProcAddress(library(), name));
}
inline unsigned long process_id() { return GetCurrentProcessId(); }
#else
inline void* library() {
  static void* handle = dlopen(DLV_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  return handle;
}
inline void* address(const char* name) {
  return library() == nullptr ? nullptr : dlsym(library(), name);
}
inline unsigned long process_id() { return static_cast<unsigned long>(getpid()); }
#endif

template <typename Fn>
Fn symbol(const char* name) {
  return reinterpret_cast<Fn>(address(name));
}

}  // namespace host
