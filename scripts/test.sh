#!/bin/bash
# Runs every test: installs what is missing, builds, then runs CTest under
# a virtual X display (the tests open real windows) in the build's own
# Wine prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
scripts/build.sh

arch=$(scripts/target-arch)
# shellcheck source=wine-env
source scripts/wine-env "$PWD/build/wineprefix" "$arch"
cleanup() { "$WINESERVER" -k >/dev/null 2>&1 || true; }
trap cleanup EXIT

start=$(date +%s)
status=0
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir build --output-on-failure "$@" || status=$?
echo "Test time: $(( $(date +%s) - start )) s"
# GoogleTest's own counts over all test programs, from the log CTest keeps.
awk '/^\[==========\] [0-9]+ tests? from .* ran/ {ran += $2}
     /^\[  FAILED  \] [0-9]+ tests?, listed below/ {failed += $4}
     END {printf "%d passed, %d failed\n", ran - failed, failed}' build/Testing/Temporary/LastTest.log || true
exit $status
