# SPDX-License-Identifier: Apache-2.0
# Barwright: pure logic, and the dialog driven on Qt's offscreen platform against a fake encoder
# library. Nothing here touches the real per-user settings.
if(NOT TARGET barwright_lib)
  return()
endif()

find_package(Qt6 COMPONENTS Widgets PrintSupport Test REQUIRED)

foreach(variant full six)
  add_library(fake_encoder_${variant} SHARED desktop_fake_encoder.cpp)
  target_include_directories(fake_encoder_${variant} PRIVATE $<TARGET_PROPERTY:Tarnwick,INTERFACE_INCLUDE_DIRECTORIES>)
  strivane_warnings(fake_encoder_${variant})
endforeach()
target_compile_definitions(fake_encoder_six PRIVATE FAKE_WITHOUT_EXPANDED)

set(BARWRIGHT_TEST_ENVIRONMENT "QT_QPA_PLATFORM=offscreen;XDG_CONFIG_HOME=${CMAKE_CURRENT_BINARY_DIR}/desktop-config")

add_executable(desktop_logic_tests desktop_logic_test.cpp desktop_settings_test.cpp)
target_link_libraries(desktop_logic_tests PRIVATE barwright_lib GTest::gtest_main)
target_include_directories(desktop_logic_tests PRIVATE ${PROJECT_SOURCE_DIR}/core/include)
strivane_warnings(desktop_logic_tests)
target_compile_definitions(desktop_logic_tests PRIVATE
  FAKE_ENCODER_FULL="$<TARGET_FILE:fake_encoder_full>" FAKE_ENCODER_SIX="$<TARGET_FILE:fake_encoder_six>")
add_dependencies(desktop_logic_tests fake_encoder_full fake_encoder_six)
gtest_discover_tests(desktop_logic_tests
  PROPERTIES LABELS desktop ENVIRONMENT "${BARWRIGHT_TEST_ENVIRONMENT}" DISCOVERY_TIMEOUT 60)

add_executable(desktop_widget_tests desktop_widget_test.cpp desktop_scan_test.cpp desktop_widget_test_main.cpp)
target_link_libraries(desktop_widget_tests PRIVATE barwright_lib scan_support tallowlib_internal Qt6::Test GTest::gtest)
strivane_warnings(desktop_widget_tests)
target_compile_definitions(desktop_widget_tests PRIVATE
  FAKE_ENCODER_FULL="$<TARGET_FILE:fake_encoder_full>" FAKE_ENCODER_SIX="$<TARGET_FILE:fake_encoder_six>"
  TARNWICK_LIBRARY_PATH="$<TARGET_FILE:Tarnwick>")
add_dependencies(desktop_widget_tests fake_encoder_full fake_encoder_six Tarnwick)
gtest_discover_tests(desktop_widget_tests
  PROPERTIES LABELS desktop ENVIRONMENT "${BARWRIGHT_TEST_ENVIRONMENT}" DISCOVERY_TIMEOUT 60)
