# What a shipped DLV carries beyond its code: the version resource of DLV.dll
# and PTRAV.dll, the install rules (libraries, header, the dlv command and its
# data), the CMake package DLV::DLV, the pkg-config file dlv.pc and the Debian
# package. Included at the end of the top-level CMakeLists.txt.

# --- Windows version resource ------------------------------------------------
if(WIN32)
  enable_language(RC)
  foreach(dlv_rc_name DLV PTRAV)
    if(dlv_rc_name STREQUAL "DLV")
      set(dlv_rc_description "DLV inflow performance curves")
    else()
      set(dlv_rc_description "PTRAV pressure traverse")
    endif()
    configure_file(${CMAKE_CURRENT_LIST_DIR}/dlv_version.rc.in
                   ${PROJECT_BINARY_DIR}/${dlv_rc_name}_version.rc @ONLY)
    target_sources(${dlv_rc_name} PRIVATE ${PROJECT_BINARY_DIR}/${dlv_rc_name}_version.rc)
  endforeach()
endif()

if(NOT DLV_INSTALL)
  return()
endif()

include(GNUInstallDirs)
include(CMakePackageConfigHelpers)
set(DLV_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/DLV)
set(DLV_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/dlv)

# --- libraries and headers ---------------------------------------------------
# Installed, libDLV.so finds libPTRAV.so.1 beside it (its soname; libPTRAV.so is
# the development link). A replacement traverse library with the soname
# libPTRAV.so.1 is dropped in ahead of it on the library path.
if(NOT WIN32)
  set_target_properties(DLV PROPERTIES INSTALL_RPATH "$ORIGIN")
endif()
install(TARGETS DLV PTRAV EXPORT DLVTargets
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/include/dlv DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}
        FILES_MATCHING PATTERN "*.h")

# --- the dlv command, the well-file schema and the example wells -------------
if(EXISTS ${PROJECT_SOURCE_DIR}/schema/well.schema.json)
  install(FILES ${PROJECT_SOURCE_DIR}/schema/well.schema.json DESTINATION ${DLV_INSTALL_DATADIR}/schema)
endif()
if(IS_DIRECTORY ${PROJECT_SOURCE_DIR}/examples/wells)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/examples/wells DESTINATION ${DLV_INSTALL_DATADIR}/examples
          FILES_MATCHING PATTERN "*.json")
endif()

# The command and the well-file library may be defined after this file is
# read, so their rules are made once the whole top-level directory is read.
function(dlv_install_named_layer)
  file(RELATIVE_PATH lib_from_bin ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR})
  if(TARGET dlv_wellfile)
    get_target_property(type dlv_wellfile TYPE)
    if(type STREQUAL "SHARED_LIBRARY")
      if(NOT WIN32)
        set_target_properties(dlv_wellfile PROPERTIES INSTALL_RPATH "$ORIGIN")
      endif()
      install(TARGETS dlv_wellfile RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
              LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
    endif()
  endif()
  if(TARGET dlv_cli)
    if(NOT WIN32)
      set_target_properties(dlv_cli PROPERTIES INSTALL_RPATH "$ORIGIN/${lib_from_bin}")
    endif()
    install(TARGETS dlv_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    # The man page, written from the command's own help by help2man.
    find_program(DLV_HELP2MAN help2man)
    find_program(DLV_GZIP gzip)
    if(DLV_HELP2MAN AND DLV_GZIP)
      set(man ${PROJECT_BINARY_DIR}/man/dlv.1.gz)
      add_custom_command(OUTPUT ${man}
        COMMAND ${CMAKE_COMMAND} -DDLV=$<TARGET_FILE:dlv_cli> -DHELP2MAN=${DLV_HELP2MAN}
                -DGZIP=${DLV_GZIP} -DVERSION=${PROJECT_VERSION} -DOUT=${man}
                -DWORK=${PROJECT_BINARY_DIR}/man -P ${PROJECT_SOURCE_DIR}/cmake/dlv_man.cmake
        DEPENDS dlv_cli ${PROJECT_SOURCE_DIR}/cmake/dlv_man.cmake
        COMMENT "Writing the man page of dlv" VERBATIM)
      add_custom_target(dlv_man ALL DEPENDS ${man})
      install(FILES ${man} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    else()
      message(WARNING "help2man or gzip not found: the dlv command is installed without a man page")
    endif()
  endif()
endfunction()
cmake_language(DEFER DIRECTORY ${PROJECT_SOURCE_DIR} CALL dlv_install_named_layer)

# --- documentation: share/doc/dlv ------------------------------------------------
# copyright, the changelog (gzip -9n, as Debian keeps it), and the reference
# pages of the well-file fields and of the result.
if(NOT WIN32)
  set(DLV_INSTALL_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/dlv)
  find_program(DLV_GZIP gzip)
  set(changelog ${PROJECT_BINARY_DIR}/doc/changelog.gz)
  add_custom_command(OUTPUT ${changelog}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${PROJECT_BINARY_DIR}/doc
    COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/changelog
            ${PROJECT_BINARY_DIR}/doc/changelog
    COMMAND ${DLV_GZIP} -9nf ${PROJECT_BINARY_DIR}/doc/changelog
    DEPENDS ${PROJECT_SOURCE_DIR}/packaging/changelog VERBATIM)
  add_custom_target(dlv_doc ALL DEPENDS ${changelog})
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${changelog}
                ${PROJECT_SOURCE_DIR}/docs/fields.md ${PROJECT_SOURCE_DIR}/docs/result-format.md
          DESTINATION ${DLV_INSTALL_DOCDIR})
endif()

# --- CMake package: find_package(DLV CONFIG) gives DLV::DLV ------------------
install(EXPORT DLVTargets NAMESPACE DLV:: DESTINATION ${DLV_INSTALL_CMAKEDIR})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/DLVConfig.cmake.in
                              ${PROJECT_BINARY_DIR}/DLVConfig.cmake
                              INSTALL_DESTINATION ${DLV_INSTALL_CMAKEDIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/DLVConfigVersion.cmake
                                 COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/DLVConfig.cmake ${PROJECT_BINARY_DIR}/DLVConfigVersion.cmake
        DESTINATION ${DLV_INSTALL_CMAKEDIR})

# --- pkg-config: dlv.pc, relocatable (paths relative to the file) -----------
if(IS_ABSOLUTE ${CMAKE_INSTALL_LIBDIR})
  set(dlv_pc_prefix ${CMAKE_INSTALL_PREFIX})
else()
  file(RELATIVE_PATH dlv_pc_up /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
  string(REGEX REPLACE "/$" "" dlv_pc_up "${dlv_pc_up}")
  set(dlv_pc_prefix "\${pcfiledir}/${dlv_pc_up}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/dlv.pc.in ${PROJECT_BINARY_DIR}/dlv.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/dlv.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

# --- Debian package: cpack -G DEB in the build folder (a zip on Windows) ------
set(CPACK_PACKAGE_NAME dlv)
set(CPACK_PACKAGE_VENDOR "DLV developers")
# The maintainer of the Debian package; a packager gives the real address.
set(DLV_PACKAGE_CONTACT "DLV developers <dlv-developers@example.org>"
    CACHE STRING "Maintainer of the Debian package (name <address>)")
set(CPACK_PACKAGE_CONTACT "${DLV_PACKAGE_CONTACT}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Inflow performance curves of oil, gas and injection wells")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
if(WIN32)
  set(CPACK_GENERATOR ZIP)
else()
  set(CPACK_GENERATOR DEB)
endif()
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 12), libsimdjson14")
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
include(CPack)
