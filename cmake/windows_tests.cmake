# The GoogleTest suites cross-built with mingw-w64 and run by CTest under the
# cross-compiling emulator (wine), against DLV.dll and PTRAV.dll:
#
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
#   cmake --build build/windows -j2 && (cd build/windows && ctest)
#
# GoogleTest is built from the sources Debian ships (/usr/src/googletest).
# Only the folders listed here are built: a folder that is not portable (the
# drop-in traverse library, host-specific checks) stays Linux-only. Each
# suite is one ctest test: every start of a program under wine costs about a
# second.
if(NOT (WIN32 AND DLV_TESTS))
  return()
endif()

set(DLV_WINDOWS_TEST_FOLDERS blocks numerics fluids inflow completion composite driver exports
    CACHE STRING "Folders of tests/ built and run as Windows suites")
set(DLV_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest sources")

enable_testing()
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
add_subdirectory(${DLV_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# The compiler's win32 thread model has no std::mutex, which GoogleTest's
# Notification takes: a small one of our own stands in.
target_compile_definitions(gtest PUBLIC GTEST_HAS_NOTIFICATION_=1)
target_compile_options(gtest PUBLIC
  -include ${PROJECT_SOURCE_DIR}/tests/support/win32_notification.hpp)

# The suites, DLV.dll and PTRAV.dll in one folder, so that LoadLibrary and
# the loader find the libraries next to the programs.
set(DLV_WINDOWS_TEST_BIN ${CMAKE_BINARY_DIR}/tests)
add_custom_target(dlv_windows_test_libraries ALL
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DLV_WINDOWS_TEST_BIN}
  COMMAND ${CMAKE_COMMAND} -E copy_if_different $<TARGET_FILE:DLV> $<TARGET_FILE:PTRAV>
          ${DLV_WINDOWS_TEST_BIN}
  DEPENDS DLV PTRAV)

# A wine prefix of the build's own, made once before the first suite runs.
if(DEFINED ENV{WINEPREFIX})
  set(DLV_WINEPREFIX $ENV{WINEPREFIX})
else()
  set(DLV_WINEPREFIX ${CMAKE_BINARY_DIR}/wineprefix)
endif()
set(DLV_WINE_ENVIRONMENT WINEPREFIX=${DLV_WINEPREFIX} WINEDEBUG=-all
    "WINEDLLOVERRIDES=mscoree,mshtml=")
add_test(NAME wine_prefix COMMAND ${CMAKE_COMMAND} -E env ${DLV_WINE_ENVIRONMENT}
         ${CMAKE_CROSSCOMPILING_EMULATOR} wineboot --init)
set_tests_properties(wine_prefix PROPERTIES FIXTURES_SETUP wine TIMEOUT 300)

foreach(name ${DLV_WINDOWS_TEST_FOLDERS})
  file(GLOB srcs CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tests/${name}/*.cpp)
  # Tests of POSIX-only behaviour (FIFOs, sockets, /proc) are named *_posix_test.cpp,
  # tests that read the well-file tables (a Linux-only library) *_wellfile_test.cpp.
  list(FILTER srcs EXCLUDE REGEX "_(posix|wellfile)_test\\.cpp$")
  add_executable(test_${name} ${srcs})
  target_include_directories(test_${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests
                                                  ${PROJECT_SOURCE_DIR}/ptrav)
  target_link_libraries(test_${name} PRIVATE dlv_core ${DLV_PTRAV_IMPORT} gtest_main)
  target_link_options(test_${name} PRIVATE -static -static-libgcc -static-libstdc++)
  target_compile_definitions(test_${name} PRIVATE DLV_LIBRARY_PATH="DLV.dll"
                                                  DLV_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
  set_target_properties(test_${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${DLV_WINDOWS_TEST_BIN})
  add_dependencies(test_${name} dlv_windows_test_libraries dlv_ptrav_import)
  add_test(NAME test_${name} COMMAND test_${name} --gtest_brief=1
           WORKING_DIRECTORY ${DLV_WINDOWS_TEST_BIN})
  set_tests_properties(test_${name} PROPERTIES FIXTURES_REQUIRED wine TIMEOUT 300
                                               ENVIRONMENT "${DLV_WINE_ENVIRONMENT}")
endforeach()

# The export and import tables of DLV.dll and PTRAV.dll.
find_program(DLV_OBJDUMP NAMES ${CMAKE_OBJDUMP} x86_64-w64-mingw32-objdump REQUIRED)
add_test(NAME dll_tables COMMAND bash ${PROJECT_SOURCE_DIR}/tests/abi/dll_tables.sh ${DLV_OBJDUMP}
                                 $<TARGET_FILE:DLV> $<TARGET_FILE:PTRAV>)
