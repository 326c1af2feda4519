# The LibreOffice Calc add-in (built only with the LibreOffice SDK, see calc/CMakeLists.txt).
if(TARGET strivane_calc_oxt AND TARGET tarnwick)
  # Its encoder module against the tool, without LibreOffice.
  add_test(NAME calc_encoder
    COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/calc/encoder_test.py ${PROJECT_SOURCE_DIR}/calc/extension/pythonpath
            $<TARGET_FILE:Tarnwick> $<TARGET_FILE:tarnwick>)
  set_tests_properties(calc_encoder PROPERTIES LABELS calc)
endif()
