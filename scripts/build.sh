#!/bin/bash
# Builds the programs, the CD image and the tests of both Windows targets:
# into build/ for the one this machine's Wine runs (scripts/target-arch),
# into build-i686/ or build-x86_64/ for the other. Then prints the SHA-256
# of each file of the shipping (i686) CD image.
set -euo pipefail
cd "$(dirname "$0")/.."

arch=$(scripts/target-arch)
jobs=$(nproc 2>/dev/null || echo 2)

configure_and_build() {  # DIR ARCH [targets]
  local dir=$1 target=$2
  shift 2
  local targets=()
  [ $# -eq 0 ] || targets=(--target "$@")
  # A build folder made by another generator is configured anew.
  if [ -f "$dir/CMakeCache.txt" ] && ! grep -q '^CMAKE_GENERATOR:INTERNAL=Ninja$' "$dir/CMakeCache.txt"; then
    rm -rf "$dir/CMakeCache.txt" "$dir/CMakeFiles"
  fi
  cmake -G Ninja -S . -B "$dir" -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-${target}-w64-mingw32.cmake" -DVANTRELL_TESTS=ON >"$dir.configure.log" 2>&1 \
    || { cat "$dir.configure.log"; exit 1; }
  cmake --build "$dir" -j "$jobs" "${targets[@]}" >"$dir.build.log" 2>&1 || { tail -50 "$dir.build.log"; exit 1; }
}

other() { if [ "$1" = i686 ]; then echo x86_64; else echo i686; fi; }

# Every program and test program of both targets is built, whichever one
# this machine runs: a compile error that only the other target sees would
# otherwise reach the users whose machines are of the other kind.
mkdir -p build
configure_and_build build "$arch"
echo "Built for $arch (the target the tests run): build/"
configure_and_build "build-$(other "$arch")" "$(other "$arch")"
echo "Built for $(other "$arch") as well: build-$(other "$arch")/"

# The shipping CD image is the i686 one. Its files and its disc image are
# the same bytes from every build of one commit: a CD image is checked
# against this list with sha256sum -c in its folder (see README), which
# finds the disc image beside it.
shipping=build
[ "$arch" = i686 ] || shipping=build-i686
(cd "$shipping/cdimage" && find . -type f | LC_ALL=C sort | sed 's|^\./||' | xargs -d '\n' sha256sum \
  && sha256sum ../pixmoor-usb-300-plus.iso) >"$shipping/cdimage.sha256"
echo "Shipping CD image: $shipping/cdimage, its disc image $shipping/pixmoor-usb-300-plus.iso," \
  "SHA-256 of each in $shipping/cdimage.sha256:"
cat "$shipping/cdimage.sha256"
