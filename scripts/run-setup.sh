#!/bin/bash
# The main job: installs what is missing, builds the product and runs the
# CD image's setup.exe in a sandbox Wine prefix (build/sandbox-prefix).
#
# With a display ($DISPLAY set) the wizard appears on it for you to use.
# Headless (no display, or --headless) it runs under a virtual X server,
# walks through what setup shows and saves screenshots to build/screenshots/.
set -euo pipefail
cd "$(dirname "$0")/.."

headless=0
[ -n "${DISPLAY:-}" ] || headless=1
[ "${1:-}" = "--headless" ] && headless=1

scripts/deps.sh
scripts/build.sh

arch=$(scripts/target-arch)
prefix="$PWD/build/sandbox-prefix"
# shellcheck source=wine-env
source scripts/wine-env "$prefix" "$arch"
vantrell_ensure_prefix
trap '"$WINESERVER" -k >/dev/null 2>&1 || true' EXIT

if [ "$headless" = 0 ]; then
  echo "Starting build/cdimage/setup.exe in $prefix"
  (cd build/cdimage && "$WINELOADER" setup.exe)
  exit 0
fi

rm -rf build/screenshots
mkdir -p build/screenshots
for language in en ja; do
  xvfb-run -a -s "-screen 0 1024x768x24" scripts/screenshot-tour build/screenshots "$language"
done
echo "Screenshots:"
ls -1 build/screenshots/*.png
