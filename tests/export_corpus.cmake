# SPDX-License-Identifier: Apache-2.0
# Every export over a seeded corpus: one SHA-256 per export, committed, so that any change to
# what a caller receives shows. scripts/compare-exports --base REV names the first call that
# differs from another revision.
if(TARGET U25Ferrow)
  add_executable(export_corpus export_corpus/export_corpus.cpp ufl_engine_simulator.cpp)
  target_include_directories(export_corpus PRIVATE ${PROJECT_SOURCE_DIR}/ufl/include ${CMAKE_CURRENT_SOURCE_DIR})
  target_link_libraries(export_corpus PRIVATE ${CMAKE_DL_LIBS})
  strivane_warnings(export_corpus)
  find_package(Python3 REQUIRED COMPONENTS Interpreter)
  add_test(NAME export_digests
    COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/export_corpus/compare_exports.py
      --driver $<TARGET_FILE:export_corpus> --tarnwick $<TARGET_FILE:Tarnwick> --ufl $<TARGET_FILE:U25Ferrow>
      --digests ${CMAKE_CURRENT_SOURCE_DIR}/export_corpus/digests.txt)
  set_tests_properties(export_digests PROPERTIES ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1")
endif()
