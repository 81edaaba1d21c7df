// The four entry points of the sibling pressure-traverse library PTRAV, as a
// table of function pointers. On Linux libDLV.so links to libPTRAV.so, which
// exports them under plain names; on Windows DLV.dll imports them from
// PTRAV.dll by ordinal. Tests put a table of their own in place through
// substitute_traverse_library.
#pragma once

#include <cstdint>

namespace dlv::platform {

// Ordinal 1: the pressure at the other end of the traverse set up in the
// record, stored in *result (14.7 or 99999.0 mark a failed traverse). The
// three work blocks are 70416, 45000 and 11232 bytes, options is 0 and
// message a 64-byte character buffer.
using TraverseFn = void (*)(void* record, double* result, void* work_a, void* work_b, void* work_c,
                            std::int32_t options, char* message);
// Ordinal 6: the pressure change of an injection tubing between two depths
// at the rate held in the record's first double, stored in *result.
using InjectionChangeFn = void (*)(void* record, double top_depth, double bottom_depth,
                                   double inside_diameter, double water_sg, double rankine_offset,
                                   double water_viscosity, std::int32_t phase,
                                   std::int32_t direction, double pressure, double* result,
                                   std::int32_t* status);
// Ordinals 15 and 16: the deeper and then the shallower end of the traverse.
using DepthSetupFn = void (*)(void* record, double depth);

struct TraverseEntryPoints {
  TraverseFn traverse;                 // ordinal 1
  InjectionChangeFn injection_change;  // ordinal 6
  DepthSetupFn setup_deep;             // ordinal 15
  DepthSetupFn setup_shallow;          // ordinal 16
};

// The entry points of the library the build links to.
const TraverseEntryPoints& linked_traverse_library();

// A table that replaces the linked library while it is set (tests only);
// null means the linked library.
inline const TraverseEntryPoints* substitute_traverse_library = nullptr;

// The entry points every traverse call goes through.
inline const TraverseEntryPoints& traverse_library() {
  return substitute_traverse_library != nullptr ? *substitute_traverse_library
                                                : linked_traverse_library();
}

}  // namespace dlv::platform
