# SPDX-License-Identifier: Apache-2.0
# The DataBar fast paths against the general routines they stand in for.
strivane_test(fixed_fast_path_tests
  SOURCES fixed_fast_paths_test.cpp
  LABELS databar
  LIBS Tarnwick tallowlib_internal)
