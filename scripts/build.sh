#!/bin/bash
# Builds the programs, the CD image and the tests into build/ for the
# Windows target this machine's Wine runs (scripts/target-arch). When that
# is not the shipping 32-bit target, the shipping CD image is built as well,
# into build-i686/.
set -euo pipefail
cd "$(dirname "$0")/.."

arch=$(scripts/target-arch)
jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {  # DIR ARCH [targets]
  local dir=$1 target=$2
  shift 2
  local targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  cmake -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-${target}-w64-mingw32.cmake" -DVANTRELL_TESTS=ON >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; exit 1; }
  cmake --build "$dir" -j "$jobs" "${targets[@]}" >"$dir.build.log" 2>&1 || { tail -50 "$dir.build.log"; exit 1; }
}

mkdir -p build
configure_and_build build "$arch"
echo "Built for $arch: CD image in build/cdimage"
if [ "$arch" != "i686" ]; then
  # The CD image and the DLLs the tests plant, for the check that inspects
  # them without running them.
  configure_and_build build-i686 i686 cdimage marker_filter planted_dll
  echo "Built the shipping 32-bit CD image in build-i686/cdimage (this machine cannot run 32-bit programs)"
fi
