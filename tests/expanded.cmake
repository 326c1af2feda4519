# SPDX-License-Identifier: Apache-2.0
# DataBar Expanded and Expanded Stacked: compaction, symbol construction, rows, export.
strivane_test(expanded_tests
  SOURCES expanded_compaction_test.cpp expanded_character_widths_test.cpp databar_expanded_symbol_test.cpp
  LABELS expanded
  LIBS tallowlib_internal)

strivane_test(expanded_export_tests
  SOURCES databar_expanded_export_test.cpp
  LABELS expanded
  LIBS Tarnwick tallowlib_internal)

strivane_test(expanded_scan_tests
  SOURCES databar_expanded_scan_test.cpp
  LABELS scan
  LIBS scan_support tallowlib_internal)
