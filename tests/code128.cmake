# SPDX-License-Identifier: Apache-2.0
# Code 128 and GS1-128: unit tests, the exported functions, and scan round trips.
strivane_test(code128_tests
  SOURCES code128_test.cpp
  LABELS code128
  LIBS tallowlib_internal)

strivane_test(code128_scan_tests
  SOURCES code128_scan_test.cpp
  LABELS scan code128
  LIBS Tarnwick tallowlib_internal scan_support)

strivane_test(code128_export_tests
  SOURCES code128_exports_test.cpp
  LABELS code128
  LIBS Tarnwick)

strivane_test(ean128_tests
  SOURCES ean128_test.cpp
  LABELS code128
  LIBS tallowlib_internal)
