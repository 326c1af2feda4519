# SPDX-License-Identifier: Apache-2.0
# What the two MinGW-w64 toolchain files share; they set STRIVANE_MINGW_TRIPLET and include this.
# STRIVANE_MINGW_THREADS picks Debian's compiler of the win32 or the posix thread model: the DLLs
# are built with win32 (nothing of winpthreads inside them), the cross-built tests with posix,
# whose C++ library has std::thread.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_VERSION 6.1)  # Windows 7: the SRW locks are there from Vista on

if(NOT STRIVANE_MINGW_THREADS)
  set(STRIVANE_MINGW_THREADS win32)
endif()
set(STRIVANE_MINGW_THREADS ${STRIVANE_MINGW_THREADS} CACHE STRING "MinGW-w64 thread model (win32 or posix)")
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES STRIVANE_MINGW_TRIPLET STRIVANE_MINGW_THREADS)

set(CMAKE_C_COMPILER ${STRIVANE_MINGW_TRIPLET}-gcc-${STRIVANE_MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${STRIVANE_MINGW_TRIPLET}-g++-${STRIVANE_MINGW_THREADS})
set(CMAKE_RC_COMPILER ${STRIVANE_MINGW_TRIPLET}-windres)
set(CMAKE_DLLTOOL ${STRIVANE_MINGW_TRIPLET}-dlltool)

set(CMAKE_FIND_ROOT_PATH /usr/${STRIVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs run under wine: Debian's wine64 and wine32 packages put their loaders in
# /usr/lib/wine (the wine package adds the wrapper /usr/bin/wine).
if(STRIVANE_MINGW_TRIPLET MATCHES "^x86_64")
  find_program(STRIVANE_WINE NAMES wine64 wine PATHS /usr/lib/wine)
else()
  find_program(STRIVANE_WINE NAMES wine PATHS /usr/lib/wine)
endif()
if(STRIVANE_WINE)
  set(CMAKE_CROSSCOMPILING_EMULATOR ${STRIVANE_WINE})
endif()
