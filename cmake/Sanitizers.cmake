# SPDX-License-Identifier: Apache-2.0
# STRIVANE_SANITIZE=address,undefined (or thread) instruments every target of the build.
if(STRIVANE_SANITIZE)
  add_compile_options(-fsanitize=${STRIVANE_SANITIZE} -fno-omit-frame-pointer -fno-sanitize-recover=all)
  add_link_options(-fsanitize=${STRIVANE_SANITIZE})
endif()

# Fuzz builds: coverage instrumentation in every library the fuzz targets reach.
if(STRIVANE_BUILD_FUZZ)
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
