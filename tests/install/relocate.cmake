# SPDX-License-Identifier: Apache-2.0
# Installs the build into a scratch prefix, moves the whole prefix elsewhere, and uses it from
# there: a C program built through pkg-config and a C++ program built through the CMake package
# call the library, and the moved tarnwick sets a PNG in the moved fonts.
#   -DBUILD_DIR= -DWORK= -DSOURCE_DIR= -DLIBDIR= -DCC= -DCXX= -DPKG_CONFIG= -DDESKTOP_FILE_VALIDATE=
#   -DGROFF= -DREADELF= -DFC_CACHE= -DWITH_DESKTOP=ON|OFF
function(run what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${what} failed (${rc}):\n${out}\n${err}")
  endif()
  set(out "${out}" PARENT_SCOPE)
  set(err "${err}" PARENT_SCOPE)
endfunction()

function(expect_output what actual)
  set(expected "1 a1a1c1c1e1a3i1a3a3b3a1a1b2a3a3b1a7c3c2a1b2b3a1\n")
  if(NOT actual STREQUAL expected)
    message(FATAL_ERROR "${what} printed\n${actual}instead of\n${expected}")
  endif()
endfunction()

file(REMOVE_RECURSE ${WORK})
set(stage ${WORK}/stage)
set(moved ${WORK}/elsewhere/moved)
run("cmake --install" ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${stage})

# What a package is made of, where the GNU layout puts it.
set(files
  bin/tarnwick ${LIBDIR}/libTarnwick.so.1 ${LIBDIR}/libTarnwick.so include/strivane/Tarnwick.h
  include/strivane/ufl_engine.h ${LIBDIR}/pkgconfig/tarnwick.pc ${LIBDIR}/cmake/Tarnwick/TarnwickConfig.cmake
  ${LIBDIR}/cmake/Tarnwick/TarnwickConfigVersion.cmake share/man/man1/tarnwick.1 share/doc/Strivane/LICENSE
  share/doc/Strivane/OFL.txt share/fonts/strivane/ZLTDataBar34X.ttf share/fontconfig/conf.avail/60-strivane-fonts.conf)
if(WITH_DESKTOP)
  list(APPEND files bin/Barwright share/man/man1/Barwright.1 share/applications/barwright.desktop
                    share/icons/hicolor/scalable/apps/barwright.svg)
endif()
foreach(file ${files})
  if(NOT EXISTS ${stage}/${file})
    message(FATAL_ERROR "not installed: ${file}")
  endif()
endforeach()
file(READ ${stage}/share/fontconfig/conf.avail/60-strivane-fonts.conf snippet)
if(NOT snippet MATCHES "<dir>${stage}/share/fonts/strivane</dir>")
  message(FATAL_ERROR "the fontconfig snippet names another prefix:\n${snippet}")
endif()
foreach(page ${stage}/share/man/man1/tarnwick.1 ${stage}/share/man/man1/Barwright.1)
  if(EXISTS ${page})
    run("groff on ${page}" ${GROFF} -man -ww -z ${page})
    if(NOT err STREQUAL "")
      message(FATAL_ERROR "groff warns about ${page}:\n${err}")
    endif()
  endif()
endforeach()
if(WITH_DESKTOP)
  run("desktop-file-validate" ${DESKTOP_FILE_VALIDATE} ${stage}/share/applications/barwright.desktop)
  run("readelf" ${READELF} -d ${stage}/bin/Barwright)
  if(NOT out MATCHES "\\$ORIGIN/\\.\\./${LIBDIR}")
    message(FATAL_ERROR "Barwright's RPATH misses the library directory:\n${out}")
  endif()
endif()

# The prefix moved: nothing may still point at where it was installed.
file(MAKE_DIRECTORY ${WORK}/elsewhere)
file(RENAME ${stage} ${moved})

set(ENV{PKG_CONFIG_PATH} ${moved}/${LIBDIR}/pkgconfig)
run("pkg-config" ${PKG_CONFIG} --cflags --libs tarnwick)
separate_arguments(flags UNIX_COMMAND "${out}")
run("pkg-config libdir" ${PKG_CONFIG} --variable=libdir tarnwick)
string(STRIP "${out}" libdir)
run("building the C program" ${CC} ${SOURCE_DIR}/consumer.c ${flags} -Wl,-rpath,${libdir} -o ${WORK}/consumer_c)
run("the C program" ${WORK}/consumer_c)
expect_output("the C program" "${out}")

run("configuring the C++ program" ${CMAKE_COMMAND} -S ${SOURCE_DIR}/consumer -B ${WORK}/consumer_cxx
    -DCMAKE_PREFIX_PATH=${moved} -DCMAKE_CXX_COMPILER=${CXX})
run("building the C++ program" ${CMAKE_COMMAND} --build ${WORK}/consumer_cxx)
run("the C++ program" ${WORK}/consumer_cxx/consumer)
expect_output("the C++ program" "${out}")

# The moved tool sets the PNG in the moved fonts: it succeeds, and once the moved font is
# spoilt it fails naming that very file, although the build tree could offer it.
set(ENV{STRIVANE_FONT_DIR} "")
set(tool ${moved}/bin/tarnwick)
run("the moved tarnwick --png" ${tool} --png ${WORK}/symbol.png databar14 0123456789012)
file(READ ${WORK}/symbol.png signature LIMIT 4 HEX)
if(NOT signature STREQUAL "89504e47")
  message(FATAL_ERROR "no PNG written")
endif()
file(GLOB fonts ${moved}/share/fonts/strivane/*.ttf)
file(COPY ${fonts} DESTINATION ${WORK}/fontconfig/fonts)

function(expect_font_used font)
  file(WRITE ${font} "not a font")
  execute_process(COMMAND ${tool} --png ${WORK}/spoilt.png databar14 0123456789012 RESULT_VARIABLE rc
                  OUTPUT_QUIET ERROR_VARIABLE err)
  string(FIND "${err}" "${font}" at)
  if(rc EQUAL 0 OR at EQUAL -1)
    message(FATAL_ERROR "the moved tarnwick did not use ${font} (status ${rc}):\n${err}")
  endif()
endfunction()
expect_font_used(${moved}/share/fonts/strivane/ZLTDataBar34X.ttf)

# Without fonts of its own, the tool takes the file fontconfig has for the family before the build
# tree's. The file is spoilt after fc-cache has indexed it, so fontconfig still offers it.
file(REMOVE_RECURSE ${moved}/share/fonts)
file(WRITE ${WORK}/fontconfig/fonts.conf "<?xml version=\"1.0\"?>
<!DOCTYPE fontconfig SYSTEM \"urn:fontconfig:fonts.dtd\">
<fontconfig><dir>${WORK}/fontconfig/fonts</dir><cachedir>${WORK}/fontconfig/cache</cachedir></fontconfig>
")
set(ENV{FONTCONFIG_FILE} ${WORK}/fontconfig/fonts.conf)
run("fc-cache" ${FC_CACHE} ${WORK}/fontconfig/fonts)
expect_font_used(${WORK}/fontconfig/fonts/ZLTDataBar34X.ttf)
