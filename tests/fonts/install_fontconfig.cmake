# SPDX-License-Identifier: Apache-2.0
# Installs the build into a scratch prefix, points a private fontconfig configuration at the
# installed font directory, runs fc-cache, and expects fc-list to show the five families.
file(REMOVE_RECURSE ${WORK})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${WORK}/prefix
                RESULT_VARIABLE rc OUTPUT_QUIET)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "cmake --install failed")
endif()
set(dir ${WORK}/prefix/share/fonts/strivane)
foreach(file OFL.txt ../../fontconfig/conf.avail/60-strivane-fonts.conf)
  if(NOT EXISTS ${dir}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(WRITE ${WORK}/fonts.conf "<?xml version=\"1.0\"?>
<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">
<fontconfig><dir>${dir}</dir><cachedir>${WORK}/cache</cachedir></fontconfig>
")
set(ENV{FONTCONFIG_FILE} ${WORK}/fonts.conf)
execute_process(COMMAND ${FC_CACHE} -f RESULT_VARIABLE rc OUTPUT_QUIET ERROR_QUIET)
execute_process(COMMAND ${FC_LIST} : family OUTPUT_VARIABLE families)
foreach(family "ZLT DataBar 34X" "ZLT DataBar 13X" "ZLT DataBar 34X 96dpi" "ZLT DataBar 13X 96dpi" "ZLT DataBar EM")
  string(FIND "${families}" "${family}\n" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "fontconfig does not list ${family}; it lists:\n${families}")
  endif()
endforeach()
