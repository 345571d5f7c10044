#!/bin/bash
# The main job: installs what is missing, builds the product and runs the
# CD image's setup.exe in a sandbox Wine prefix (build/sandbox-prefix).
#
# With a display ($DISPLAY set) the wizard appears on it for you to use.
# Headless (no display, or --headless) it runs under a virtual X server,
# walks through what setup shows and saves screenshots to build/screenshots/:
# in English and Japanese, or with --all-languages in all eight, each in a
# prefix of its own made under that language's locale.
set -euo pipefail
cd "$(dirname "$0")/.."

headless=0
languages=(en ja)
[ -n "${DISPLAY:-}" ] || headless=1
for arg in "$@"; do
  case "$arg" in
    --headless) headless=1 ;;
    --all-languages) languages=(en ja de fr zh-TW es-MX pt-BR pt-PT) ;;
    *) echo "usage: scripts/run-setup.sh [--headless] [--all-languages]" >&2; exit 2 ;;
  esac
done

scripts/deps.sh
scripts/build.sh

if [ "$headless" = 0 ]; then
  arch=$(scripts/target-arch)
  prefix="$PWD/build/sandbox-prefix"
  # shellcheck source=wine-env
  source scripts/wine-env "$prefix" "$arch"
  vantrell_ensure_prefix
  trap '"$WINESERVER" -k >/dev/null 2>&1 || true' EXIT
  echo "Starting build/cdimage/setup.exe in $prefix"
  # A cancelled install ends with 1602; Wine's process status keeps the low byte.
  (cd build/cdimage && "$WINELOADER" setup.exe) || echo "setup.exe ended with status $? (exit codes: see README)"
  exit 0
fi

rm -rf build/screenshots
mkdir -p build/screenshots
for language in "${languages[@]}"; do
  xvfb-run -a -s "-screen 0 1024x768x24" scripts/screenshot-tour build build/screenshots "$language"
done
echo "Screenshots:"
ls -1 build/screenshots/*.png
