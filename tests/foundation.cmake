# SPDX-License-Identifier: Apache-2.0
# DataBar fixed-length encoders: DataBar-14, Limited, Stacked, Stacked Omnidirectional.
strivane_test(databar_fixed_tests
  SOURCES databar_widths_test.cpp databar14_test.cpp databar_limited_test.cpp databar_stacked_test.cpp
  LABELS databar
  LIBS tallowlib_internal)

# The GTIN input of the four, through the exports: written forms and refusals.
strivane_test(databar_gtin_tests
  SOURCES databar_gtin_test.cpp
  LABELS databar
  LIBS Tarnwick tallowlib)

# Scan round trip of the printed symbols through zbar and zxing-cpp.
strivane_test(databar_scan_tests
  SOURCES databar_scan_test.cpp
  LABELS scan
  LIBS Tarnwick tallowlib_internal scan_support)

# The command-line tool and its SVG writer.
if(TARGET tarnwick)
  strivane_test(cli_tests
    SOURCES cli_test.cpp ${PROJECT_SOURCE_DIR}/cli/svg_writer.cpp
    LABELS cli
    LIBS tallowlib_internal)
  target_include_directories(cli_tests PRIVATE ${PROJECT_SOURCE_DIR}/cli)
  target_compile_definitions(cli_tests PRIVATE TARNWICK_CLI_PATH="$<TARGET_FILE:tarnwick>")
  add_dependencies(cli_tests tarnwick)
endif()
