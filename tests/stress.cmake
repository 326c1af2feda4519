# SPDX-License-Identifier: Apache-2.0
# Every entry point from several threads at once; scripts/test also runs it under ThreadSanitizer.
if(TARGET U25Ferrow)
  strivane_test(stress_tests
    SOURCES stress_test.cpp ufl_engine_simulator.cpp
    LABELS stress
    LIBS Tarnwick ${CMAKE_DL_LIBS})
  target_include_directories(stress_tests PRIVATE ${PROJECT_SOURCE_DIR}/ufl/include)
  target_compile_definitions(stress_tests PRIVATE U25FERROW_LIBRARY_PATH="$<TARGET_FILE:U25Ferrow>")
  add_dependencies(stress_tests U25Ferrow)
endif()
