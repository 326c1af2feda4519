# SPDX-License-Identifier: Apache-2.0
strivane_fuzz_target(fuzz_ean128_parser ${CMAKE_CURRENT_SOURCE_DIR}/ean128_parser_fuzz.cpp LIBS tallowlib_internal)
