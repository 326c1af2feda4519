# SPDX-License-Identifier: Apache-2.0
# Scan harness shared by the round-trip tests: module rows -> picture -> zbar / zxing-cpp.
find_package(PkgConfig REQUIRED)
pkg_check_modules(ZBAR REQUIRED IMPORTED_TARGET zbar)
find_package(ZXing REQUIRED)

add_library(scan_support STATIC support/scan_support.cpp support/zbar_reader.cpp)
target_include_directories(scan_support PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support)
target_link_libraries(scan_support PUBLIC PkgConfig::ZBAR ZXing::ZXing)
strivane_warnings(scan_support)

strivane_test(scan_support_tests
  SOURCES support/scan_support_test.cpp
  LABELS scan
  LIBS scan_support tallowlib_internal)

# What a shared library exports, read with nm: for the tests of the exported interfaces.
add_library(exported_symbols STATIC support/exported_symbols.cpp)
target_include_directories(exported_symbols PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/support)
strivane_warnings(exported_symbols)
