# SPDX-License-Identifier: Apache-2.0
# The LibreOffice Calc add-in (built only with the LibreOffice SDK, see calc/CMakeLists.txt). Read
# after office.cmake: the headless test reads its printed symbols with the office proof.
if(TARGET strivane_calc_oxt AND TARGET tarnwick)
  # Its encoder module against the tool, without LibreOffice.
  add_test(NAME calc_encoder
    COMMAND python3 ${CMAKE_CURRENT_SOURCE_DIR}/calc/encoder_test.py ${PROJECT_SOURCE_DIR}/calc/extension/pythonpath
            $<TARGET_FILE:Tarnwick> $<TARGET_FILE:tarnwick>)
  set_tests_properties(calc_encoder PROPERTIES LABELS calc)

  # The add-in installed into a headless LibreOffice Calc (python3-uno, libreoffice-calc-nogui):
  # label office, run by the office stage of scripts/test (not --quick), which also installs the
  # office proof's readers that read the printed symbols back. The Python that has the uno
  # module is the system's.
  find_program(STRIVANE_SOFFICE soffice)
  find_program(STRIVANE_UNOPKG unopkg)
  find_program(STRIVANE_UNO_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
  find_program(STRIVANE_PDFTOPPM pdftoppm)
  if(STRIVANE_SOFFICE AND STRIVANE_UNOPKG AND STRIVANE_UNO_PYTHON AND STRIVANE_PDFTOPPM)
    add_test(NAME calc_office
      COMMAND ${STRIVANE_UNO_PYTHON} ${CMAKE_CURRENT_SOURCE_DIR}/calc/office_test.py ${STRIVANE_CALC_OXT}
              ${STRIVANE_CALC_TEMPLATE} $<TARGET_FILE:tarnwick> ${STRIVANE_FONT_DIR} ${CMAKE_CURRENT_BINARY_DIR}/calc_office
              "$<$<TARGET_EXISTS:office_scan>:$<TARGET_FILE:office_scan>>" ${STRIVANE_OFFICE_NODE_MODULES}
              $<IF:$<BOOL:${STRIVANE_OFFICE_PROOF_STRICT}>,strict,lenient>)
    set_tests_properties(calc_office PROPERTIES LABELS "office;calc" TIMEOUT 180 RUN_SERIAL ON)
  endif()
endif()
