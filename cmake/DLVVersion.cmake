# Reads the library's version from the version macros of include/dlv/dlv.h,
# the one place it is written, into DLV_VERSION (for project()).
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/../include/dlv/dlv.h dlv_version_lines
     REGEX "^#define DLV_VERSION_(MAJOR|MINOR|PATCH|STRING) ")
foreach(part MAJOR MINOR PATCH)
  string(REGEX MATCH "DLV_VERSION_${part} ([0-9]+)" dlv_match "${dlv_version_lines}")
  if(NOT dlv_match)
    message(FATAL_ERROR "include/dlv/dlv.h: DLV_VERSION_${part} not found")
  endif()
  set(dlv_version_${part} ${CMAKE_MATCH_1})
endforeach()
set(DLV_VERSION ${dlv_version_MAJOR}.${dlv_version_MINOR}.${dlv_version_PATCH})
string(REGEX MATCH "DLV_VERSION_STRING \"([^\"]*)\"" dlv_match "${dlv_version_lines}")
if(NOT CMAKE_MATCH_1 STREQUAL DLV_VERSION)
  message(FATAL_ERROR "include/dlv/dlv.h: DLV_VERSION_STRING \"${CMAKE_MATCH_1}\" "
                      "does not match the version numbers ${DLV_VERSION}")
endif()
