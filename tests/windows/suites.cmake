# SPDX-License-Identifier: Apache-2.0
# The platform-neutral test suites, cross-built for Windows and run under wine (the emulator of
# the toolchain files): scripts/test-windows configures the project with a toolchain file of
# cmake/ and -DSTRIVANE_MINGW_THREADS=posix, since the tests use std::thread. The suites that
# need zbar, zxing-cpp, FreeType, nm or Qt stay Linux-only. googletest is built from the
# sources of Debian's googletest package.
set(STRIVANE_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "googletest's sources")
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${STRIVANE_GOOGLETEST_SOURCE} ${CMAKE_CURRENT_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# strivane_windows_test(NAME SOURCES...): one program per suite, linked statically so that
# wine needs no MinGW runtime DLL; it finds Tarnwick.dll through WINEPATH. A suite passes on
# what it printed, not on wine's exit status alone.
function(strivane_windows_test name)
  add_executable(${name} ${ARGN})
  target_link_libraries(${name} PRIVATE gtest_main Tarnwick tallowlib_internal)
  target_link_options(${name} PRIVATE -static)
  strivane_warnings(${name})
  # GCC 12 at -O3 reports std::string's operator+ inlined into the tests as an overlapping
  # memcpy (a known false positive of -Wrestrict in that release).
  target_compile_options(${name} PRIVATE -Wno-restrict)
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES
    ENVIRONMENT "WINEPATH=$<TARGET_FILE_DIR:Tarnwick>"
    PASS_REGULAR_EXPRESSION "\\[  PASSED  \\] [0-9]+ test"
    FAIL_REGULAR_EXPRESSION "\\[  FAILED  \\]")
endfunction()

strivane_windows_test(core_tests framework_test.cpp font_text_test.cpp font_text_reader_test.cpp module_row_test.cpp)
strivane_windows_test(code128_tests code128_test.cpp ean128_test.cpp lean_paths_test.cpp code128_exports_test.cpp)
strivane_windows_test(gs1_tests ai_dictionary_test.cpp ean128_parser_test.cpp ean128_robustness_test.cpp
  gs1_checks_test.cpp)
strivane_windows_test(databar_fixed_tests databar_widths_test.cpp databar14_test.cpp databar_limited_test.cpp
  databar_stacked_test.cpp databar_gtin_test.cpp fixed_fast_paths_test.cpp)
strivane_windows_test(expanded_tests expanded_compaction_test.cpp expanded_character_widths_test.cpp
  databar_expanded_symbol_test.cpp databar_expanded_export_test.cpp)
