# SPDX-License-Identifier: Apache-2.0
# Shared by scripts/run, scripts/test and scripts/bench: install what is missing, configure, build.
# Sourced, not run.

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
BUILD_DIR=${BUILD_DIR:-$ROOT/build}
JOBS=${JOBS:-$(nproc 2>/dev/null || echo 2)}

# Debian packages the build and the tests need.
STRIVANE_PACKAGES=(
  build-essential cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  libzbar-dev libzxing-dev
  qt6-base-dev xvfb xauth
  python3 python3-fonttools libfreetype-dev zlib1g-dev fontconfig
  libpng-dev libfontconfig-dev desktop-file-utils groff-base
)

# The function-size check, the sanitizer and fuzz runs of scripts/test (skipped by --quick).
STRIVANE_HARDENING_PACKAGES=(clang-14 libclang-rt-14-dev clang-tidy)

# The Windows DLLs (scripts/build-windows) and their check under wine (scripts/test-windows, part
# of the full scripts/test): MinGW-w64 of both thread models (win32 for the DLLs, posix for the
# cross-built tests), googletest's sources, clang for the MSVC view of the headers, and wine;
# wine32 needs the i386 architecture, which scripts/test-windows adds.
STRIVANE_WINDOWS_BUILD_PACKAGES=(g++-mingw-w64-x86-64-win32 g++-mingw-w64-i686-win32 python3-fonttools)
STRIVANE_WINDOWS_PACKAGES=("${STRIVANE_WINDOWS_BUILD_PACKAGES[@]}" g++-mingw-w64-x86-64-posix
  g++-mingw-w64-i686-posix googletest clang-14 wine64 wine32:i386)

# The office proof of scripts/test (skipped by --quick): LibreOffice prints the fonts to PDF,
# poppler and Ghostscript rasterise them; npm installs the zxing-wasm reader into the build tree.
STRIVANE_OFFICE_PACKAGES=(libreoffice-writer-nogui libreoffice-calc-nogui poppler-utils ghostscript)

# The LibreOffice Calc add-in: its build (the SDK) and, with the office proof's packages, its
# headless test (label office).
STRIVANE_CALC_PACKAGES=(libreoffice-dev python3-uno)

# install_office_readers: zxing-wasm at the version tests/office/package-lock.json pins, into
# $BUILD_DIR/office-readers (installs Debian's npm first when there is none).
install_office_readers() {
  command -v npm >/dev/null || install_missing npm
  mkdir -p "$BUILD_DIR/office-readers"
  cp "$ROOT/tests/office/package.json" "$ROOT/tests/office/package-lock.json" "$BUILD_DIR/office-readers/"
  (cd "$BUILD_DIR/office-readers" && npm ci --no-audit --no-fund --loglevel=error)
}

# install_missing PKG...: apt-get install only the packages that are not installed yet.
install_missing() {
  local missing=() p
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  echo "Installing: ${missing[*]}"
  local sudo=""
  [ "$(id -u)" -ne 0 ] && sudo="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $sudo apt-get update -qq
  $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_and_build [extra cmake args...] [--target T...]: configure, then build everything
# or only the targets named after --target.
configure_and_build() {
  local args=() targets=()
  while [ $# -gt 0 ]; do
    if [ "$1" = "--target" ]; then shift; targets=("$@"); break; fi
    args+=("$1"); shift
  done
  cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja "${args[@]}"
  if [ ${#targets[@]} -gt 0 ]; then
    cmake --build "$BUILD_DIR" -j "$JOBS" --target "${targets[@]}"
  else
    cmake --build "$BUILD_DIR" -j "$JOBS"
  fi
}
