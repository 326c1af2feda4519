# SPDX-License-Identifier: Apache-2.0
# cmake -DNM= -DDLLTOOL= -DDEF= -DOBJECTS=a.obj|b.obj -DDLL= -DOUT_DIR= -DNAME= -P ImportLibrary.cmake
# Writes OUT_DIR/NAME.def with every export of DEF under the name the objects define it with
# (on x86, stdcall functions carry their "@bytes" suffix), then OUT_DIR/NAME.lib from it with
# dlltool -k, so that callers' decorated references bind to the DLL's undecorated exports.
string(REPLACE "|" ";" objects "${OBJECTS}")
execute_process(COMMAND ${NM} -g --defined-only ${objects} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
file(STRINGS ${DEF} lines)
set(decorated "")
foreach(line IN LISTS lines)
  if(line MATCHES "^[ \t]+([A-Za-z_][A-Za-z0-9_]*)[ \t]+(@[0-9]+.*)$")
    set(name ${CMAKE_MATCH_1})
    set(rest ${CMAKE_MATCH_2})
    if(symbols MATCHES "[ \t\n]_?${name}(@[0-9]+)?\n")
      set(name ${name}${CMAKE_MATCH_1})
    else()
      message(FATAL_ERROR "${name} of ${DEF} is not defined by the objects")
    endif()
    string(APPEND decorated "    ${name} ${rest}\n")
  elseif(NOT line MATCHES "^[ \t]*$")
    string(APPEND decorated "${line}\n")
  endif()
endforeach()
file(WRITE ${OUT_DIR}/${NAME}.def "${decorated}")
execute_process(COMMAND ${DLLTOOL} -k -d ${OUT_DIR}/${NAME}.def -D ${DLL} -l ${OUT_DIR}/${NAME}.lib
                COMMAND_ERROR_IS_FATAL ANY)
