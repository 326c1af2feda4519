# SPDX-License-Identifier: Apache-2.0
# The barcode fonts: the font files themselves, setting text in them, and the font proof
# (symbols set in their font, rasterised and read back by zbar and zxing-cpp).
find_package(Freetype REQUIRED)
find_package(ZLIB REQUIRED)
find_package(PNG REQUIRED)

add_library(font_samples STATIC font_samples.cpp)
target_link_libraries(font_samples PUBLIC tallowlib_internal)
strivane_warnings(font_samples)

strivane_test(font_glyph_tests
  SOURCES font_glyph_test.cpp
  LABELS fonts
  LIBS font_samples strivane_render Freetype::Freetype)

strivane_test(font_render_tests
  SOURCES font_render_test.cpp
  LABELS fonts
  LIBS strivane_render PNG::PNG ZLIB::ZLIB Freetype::Freetype)

strivane_test(font_proof_tests
  SOURCES font_proof_test.cpp
  LABELS fonts scan
  LIBS font_samples strivane_render scan_support)

# Same bytes on every build.
add_test(NAME font_generator_reproducible
  COMMAND ${CMAKE_COMMAND} -DPYTHON=${STRIVANE_FONT_PYTHON}
          -DGENERATOR=${PROJECT_SOURCE_DIR}/fonts/generate_fonts.py
          -DBUILT=${STRIVANE_FONT_DIR} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/font_reproducible
          -DVERSION=${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}
          -P ${CMAKE_CURRENT_SOURCE_DIR}/fonts/reproducible.cmake)
set_tests_properties(font_generator_reproducible PROPERTIES LABELS fonts)

# After `cmake --install`, fontconfig finds the five families in the installed directory.
find_program(STRIVANE_FC_LIST fc-list)
if(STRIVANE_FC_LIST AND STRIVANE_FC_CACHE)
  add_test(NAME fonts_install_for_fontconfig
    COMMAND ${CMAKE_COMMAND} -DBUILD_DIR=${CMAKE_BINARY_DIR} -DWORK=${CMAKE_CURRENT_BINARY_DIR}/font_install
            -DFC_CACHE=${STRIVANE_FC_CACHE} -DFC_LIST=${STRIVANE_FC_LIST}
            -P ${CMAKE_CURRENT_SOURCE_DIR}/fonts/install_fontconfig.cmake)
  set_tests_properties(fonts_install_for_fontconfig PROPERTIES LABELS fonts)
endif()

# The tool's picture options: a PNG at a chosen resolution, and the size options refused alone.
if(TARGET tarnwick)
  add_test(NAME tarnwick_png
    COMMAND tarnwick --png ${CMAKE_CURRENT_BINARY_DIR}/tarnwick_png.png --dpi 600 databar-stacked-omni 0123456789012)
  add_test(NAME tarnwick_png_options_need_png COMMAND tarnwick --size 12 databar14 0123456789012)
  set_tests_properties(tarnwick_png PROPERTIES LABELS fonts)
  set_tests_properties(tarnwick_png_options_need_png PROPERTIES LABELS fonts WILL_FAIL TRUE)
endif()
