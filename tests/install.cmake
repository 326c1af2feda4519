# SPDX-License-Identifier: Apache-2.0
# The installation as a package would ship it: installed, moved to another place, and used
# from there by a C program (pkg-config), a C++ program (CMake package) and the moved tarnwick.
# Sanitized builds are left out: their library needs the sanitizer runtime in its caller.
if(NOT TARGET tarnwick OR STRIVANE_SANITIZE)
  return()
endif()
find_program(STRIVANE_PKG_CONFIG pkg-config)
find_program(STRIVANE_GROFF groff)
find_program(STRIVANE_DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(STRIVANE_READELF readelf)
if(TARGET Barwright)
  set(with_desktop ON)
else()
  set(with_desktop OFF)
endif()
add_test(NAME install_relocated
  COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/install_relocated
          -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}/install -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
          -DCC=${CMAKE_C_COMPILER} -DCXX=${CMAKE_CXX_COMPILER} -DPKG_CONFIG=${STRIVANE_PKG_CONFIG}
          -DGROFF=${STRIVANE_GROFF} -DDESKTOP_FILE_VALIDATE=${STRIVANE_DESKTOP_FILE_VALIDATE}
          -DREADELF=${STRIVANE_READELF} -DFC_CACHE=${STRIVANE_FC_CACHE} -DWITH_DESKTOP=${with_desktop}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/install/relocate.cmake)
set_tests_properties(install_relocated PROPERTIES LABELS install)
