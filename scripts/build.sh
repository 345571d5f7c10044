#!/bin/bash
# Builds the programs, the CD image and the tests into build/ for the
# Windows target this machine's Wine runs (scripts/target-arch). When that
# is not the shipping 32-bit target, the shipping CD image is built as well,
# into build-i686/.
set -euo pipefail
cd "$(dirname "$0")/.."

arch=$(scripts/target-arch)
jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {  # DIR ARCH [cmake options]
  local dir=$1 target=$2
  shift 2
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-${target}-w64-mingw32.cmake" "$@" >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; exit 1; }
  cmake --build "$dir" -j "$jobs" >"$dir.build.log" 2>&1 || { tail -50 "$dir.build.log"; exit 1; }
}

mkdir -p build
configure_and_build build "$arch"
echo "Built for $arch: CD image in build/cdimage"
if [ "$arch" != "i686" ]; then
  configure_and_build build-i686 i686 -DVANTRELL_TESTS=OFF
  echo "Built the shipping 32-bit CD image in build-i686/cdimage (this machine cannot run 32-bit programs)"
fi
