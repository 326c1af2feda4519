# SPDX-License-Identifier: Apache-2.0
# GS1 element strings and the AI dictionary.
strivane_test(gs1_tests
  SOURCES ai_dictionary_test.cpp ean128_parser_test.cpp ean128_robustness_test.cpp
  LABELS gs1
  LIBS tallowlib_internal)

# Refusals and their diagnostics, valid forms and near misses, through the exported functions.
strivane_test(gs1_check_tests
  SOURCES gs1_checks_test.cpp
  LABELS gs1
  LIBS Tarnwick tallowlib_internal)

# Valid element strings as people write them, read back from GS1-128 and DataBar Expanded.
strivane_test(gs1_scan_tests
  SOURCES gs1_scan_test.cpp
  LABELS scan gs1
  LIBS Tarnwick tallowlib_internal scan_support)
