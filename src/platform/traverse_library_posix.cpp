#include "platform/traverse_library.hpp"

// Entry points of libPTRAV.so, resolved by the dynamic linker under their
// plain names, so any library exporting the same four names can stand in.
extern "C" {
void ptrav_traverse(void* record, double* result, void* work_a, void* work_b, void* work_c,
                    std::int32_t options, char* message);
void ptrav_injection_change(void* record, double top_depth, double bottom_depth,
                            double inside_diameter, double water_sg, double rankine_offset,
                            double water_viscosity, std::int32_t phase, std::int32_t direction,
                            double pressure, double* result, std::int32_t* status);
void ptrav_setup_deep(void* record, double depth);
void ptrav_setup_shallow(void* record, double depth);
}

namespace dlv::platform {

const TraverseEntryPoints& linked_traverse_library() {
  static const TraverseEntryPoints table{ptrav_traverse, ptrav_injection_change, ptrav_setup_deep,
                                         ptrav_setup_shallow};
  return table;
}

}  // namespace dlv::platform
