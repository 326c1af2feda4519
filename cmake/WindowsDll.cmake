# SPDX-License-Identifier: Apache-2.0
# strivane_windows_dll(target DEF file DESCRIPTION text): what a C DLL needs on Windows. The file
# is called after the target (Tarnwick.dll, no "lib"), its exports and their ordinals are those
# of the module-definition file, undecorated on x86 too, it carries a version resource made from
# the project's version, and it needs no MinGW runtime DLL beside it. An import library
# (<target>.lib, made by dlltool from the module-definition file with the x86 names decorated as
# C callers reference them) is written next to the DLL.
function(strivane_windows_dll target)
  cmake_parse_arguments(W "" "DEF;DESCRIPTION" "" ${ARGN})
  set_target_properties(${target} PROPERTIES PREFIX "" OUTPUT_NAME ${target})

  set(STRIVANE_RC_NAME ${target})
  set(STRIVANE_RC_DESCRIPTION "${W_DESCRIPTION}")
  set(rc ${CMAKE_CURRENT_BINARY_DIR}/${target}_version.rc)
  configure_file(${PROJECT_SOURCE_DIR}/cmake/version.rc.in ${rc} @ONLY)
  target_sources(${target} PRIVATE ${W_DEF} ${rc})

  if(MINGW)
    target_link_options(${target} PRIVATE -static)
    if(CMAKE_SIZEOF_VOID_P EQUAL 4)
      # The module-definition file names the functions undecorated: the stdcall fixup binds
      # them to their "@bytes" symbols, and --kill-at exports each name once, undecorated.
      target_link_options(${target} PRIVATE -Wl,--kill-at -Wl,--enable-stdcall-fixup)
    endif()
    find_program(STRIVANE_NM NAMES ${CMAKE_NM} ${STRIVANE_MINGW_TRIPLET}-nm nm REQUIRED)
    find_program(STRIVANE_DLLTOOL NAMES ${CMAKE_DLLTOOL} ${STRIVANE_MINGW_TRIPLET}-dlltool dlltool REQUIRED)
    add_custom_command(TARGET ${target} POST_BUILD
      COMMAND ${CMAKE_COMMAND} -DNM=${STRIVANE_NM} -DDLLTOOL=${STRIVANE_DLLTOOL} -DDEF=${W_DEF}
              "-DOBJECTS=$<JOIN:$<TARGET_OBJECTS:${target}>,|>" -DDLL=$<TARGET_FILE_NAME:${target}>
              -DOUT_DIR=$<TARGET_FILE_DIR:${target}> -DNAME=${target}
              -P ${PROJECT_SOURCE_DIR}/cmake/ImportLibrary.cmake
      VERBATIM)
  endif()
endfunction()
