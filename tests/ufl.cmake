# SPDX-License-Identifier: Apache-2.0
# U25Ferrow through an engine simulator that loads the library as the report engine does.
if(TARGET U25Ferrow)
  strivane_test(ufl_tests
    SOURCES ufl_test.cpp ufl_exports_test.cpp ufl_engine_simulator.cpp
    LABELS ufl
    LIBS Tarnwick exported_symbols ${CMAKE_DL_LIBS}
    # LeakSanitizer (clang 14 / gcc 12 runtimes) misreads the dynamic thread-local block of a
    # library loaded with dlopen on this glibc and crashes in its own tracer; address and
    # undefined-behaviour checks stay on.
    ENVIRONMENT "ASAN_OPTIONS=detect_leaks=0:abort_on_error=1")
  target_include_directories(ufl_tests PRIVATE ${PROJECT_SOURCE_DIR}/ufl/include)
  target_compile_definitions(ufl_tests PRIVATE U25FERROW_LIBRARY_PATH="$<TARGET_FILE:U25Ferrow>")
  add_dependencies(ufl_tests U25Ferrow)
endif()
