# SPDX-License-Identifier: Apache-2.0
# The office proof: LibreOffice sets the symbols in the barcode fonts (a Writer document, a Calc
# document and Barwright's clipboard RTF), prints them to PDF, poppler and Ghostscript rasterise
# them, and zbar, zxing-cpp and zxing-wasm read them back (tests/office/office_proof.py). Label
# "office"; scripts/test runs it as a stage of its own, after installing zxing-wasm into
# ${STRIVANE_OFFICE_NODE_MODULES}.
#
# STRIVANE_OFFICE_PROOF_STRICT: fail when a symbol misses the goal (every symbol read in every
# document and raster by every reader that reads the tool's drawing of it). Off: the table is
# printed and only a proof that cannot run, or a symbol cut or not found on the pages, fails
# (for trying font geometry that does not read yet).
option(STRIVANE_OFFICE_PROOF_STRICT "The office proof fails when a symbol does not read" ON)
set(STRIVANE_OFFICE_NODE_MODULES ${CMAKE_BINARY_DIR}/office-readers/node_modules CACHE PATH
  "node_modules holding zxing-wasm for the office proof")

find_package(Qt6 COMPONENTS Core QUIET)
if(NOT TARGET tarnwick OR NOT Qt6Core_FOUND)
  return()
endif()

# Barwright's clipboard RTF comes from its own writer.
add_executable(office_samples office/office_samples.cpp ${PROJECT_SOURCE_DIR}/desktop/src/rtf_writer.cpp)
target_include_directories(office_samples PRIVATE ${PROJECT_SOURCE_DIR}/desktop/src ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(office_samples PRIVATE font_samples strivane_render Qt6::Core)
strivane_warnings(office_samples)

add_library(office_pages STATIC office/office_pages.cpp)
target_include_directories(office_pages PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/office)
target_link_libraries(office_pages PUBLIC scan_support PRIVATE PNG::PNG)
strivane_warnings(office_pages)

add_executable(office_scan office/office_scan.cpp)
target_include_directories(office_scan PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(office_scan PRIVATE office_pages font_samples)
strivane_warnings(office_scan)

strivane_test(office_pages_tests SOURCES office/office_pages_test.cpp LABELS scan LIBS office_pages)

find_package(Python3 COMPONENTS Interpreter REQUIRED)
set(_office_strict)
if(STRIVANE_OFFICE_PROOF_STRICT)
  set(_office_strict --strict)
endif()
add_test(NAME office_proof
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/office/office_proof.py
          --samples $<TARGET_FILE:office_samples> --office-scan $<TARGET_FILE:office_scan>
          --tarnwick $<TARGET_FILE:tarnwick> --fonts ${STRIVANE_FONT_DIR}
          --node-modules ${STRIVANE_OFFICE_NODE_MODULES} --work ${CMAKE_CURRENT_BINARY_DIR}/office ${_office_strict})
set_tests_properties(office_proof PROPERTIES LABELS office SKIP_RETURN_CODE 77 TIMEOUT 600 RUN_SERIAL TRUE)
# How the proof pairs the symbols found on the pages with the placed ones; needs no office.
add_test(NAME office_match_crops COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/office/match_crops_test.py)
set_tests_properties(office_match_crops PROPERTIES LABELS scan)
