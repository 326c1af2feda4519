# SPDX-License-Identifier: Apache-2.0
# The entry points' own encode paths (no module string, no unwanted human-readable text)
# against the encoders' full results.
strivane_test(lean_path_tests
  SOURCES lean_paths_test.cpp
  LABELS code128 gs1
  LIBS tallowlib_internal)
