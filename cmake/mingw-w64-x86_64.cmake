# Cross-compiling DLV.dll (and PTRAV.dll) for 64-bit Windows with mingw-w64.
#
#   cmake -S . -B build/windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
#         -DDLV_TESTS=OFF -DDLV_BENCH=OFF
#   cmake --build build/windows -j2
#
# The win32 thread model of the compiler is preferred: the DLL then needs no
# winpthread and, with the runtime linked statically, imports only Windows
# system DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(DLV_MINGW_PREFIX x86_64-w64-mingw32)

find_program(DLV_MINGW_GCC NAMES ${DLV_MINGW_PREFIX}-gcc-win32 ${DLV_MINGW_PREFIX}-gcc REQUIRED)
find_program(DLV_MINGW_GXX NAMES ${DLV_MINGW_PREFIX}-g++-win32 ${DLV_MINGW_PREFIX}-g++ REQUIRED)
find_program(DLV_MINGW_WINDRES NAMES ${DLV_MINGW_PREFIX}-windres)
set(CMAKE_C_COMPILER ${DLV_MINGW_GCC})
set(CMAKE_CXX_COMPILER ${DLV_MINGW_GXX})
if(DLV_MINGW_WINDRES)
  set(CMAKE_RC_COMPILER ${DLV_MINGW_WINDRES})
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${DLV_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Programs built here run under wine when run from the build.
find_program(DLV_WINE NAMES wine wine64)
if(DLV_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${DLV_WINE})
endif()
