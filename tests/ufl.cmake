# U25Ferrow through an engine simulator that loads the library as the report engine does.
if(TARGET U25Ferrow)
  add_library(ufl_engine_simulator STATIC ufl_engine_simulator.cpp)
  target_include_directories(ufl_engine_simulator PUBLIC ${CMAKE_CURRENT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/ufl/include)
  target_link_libraries(ufl_engine_simulator PUBLIC ${CMAKE_DL_LIBS})
  strivane_warnings(ufl_engine_simulator)

  strivane_test(ufl_tests
    SOURCES ufl_test.cpp ufl_exports_test.cpp
    LABELS ufl
    LIBS ufl_engine_simulator Tarnwick)
  strivane_test(ufl_scan_tests
    SOURCES ufl_scan_test.cpp
    LABELS ufl scan
    LIBS ufl_engine_simulator scan_support tallowlib)
  foreach(t ufl_tests ufl_scan_tests)
    target_compile_definitions(${t} PRIVATE U25FERROW_LIBRARY_PATH="$<TARGET_FILE:U25Ferrow>")
    add_dependencies(${t} U25Ferrow)
  endforeach()
endif()
