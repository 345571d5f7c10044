#!/bin/bash
# Runs every test: installs what is missing, builds, then runs CTest under
# a virtual X display (the tests open real windows) in the build's own
# Wine prefix.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
scripts/build.sh

arch=$(scripts/target-arch)
if [ "$arch" = i686 ]; then
  target_line="target i686 in 32-bit prefixes"
elif [ -n "${VANTRELL_ARCH:-}" ]; then
  target_line="target x86_64 (chosen by VANTRELL_ARCH); i686 built and checked, not run"
else
  target_line="target x86_64 (this kernel cannot run 32-bit programs); i686 built and checked, not run"
fi
echo "$target_line"
# shellcheck source=wine-env
source scripts/wine-env "$PWD/build/wineprefix" "$arch"
cleanup() { "$WINESERVER" -k >/dev/null 2>&1 || true; }
trap cleanup EXIT

# Most of a scenario's time is spent waiting for windows and timers, so
# more run at once than there are cores.
jobs=${VANTRELL_TEST_JOBS:-4}
start=$(date +%s)
status=0
xvfb-run -a -s "-screen 0 1024x768x24" ctest --test-dir build --output-on-failure -j "$jobs" "$@" || status=$?
# The benchmark runs what the programs run: one round, no timing goal, so
# that a change that breaks it is seen here.
if [ $# -eq 0 ]; then
  scripts/benchmark.sh 1 || { echo "benchmark: failed"; status=1; }
fi
echo "Test time: $(( $(date +%s) - start )) s"
echo "$target_line"
# A test that cannot run here says why (no mount for the full drive or the
# disc, say); CTest shows no output of a test that passed or skipped.
tr -d '\r' <build/Testing/Temporary/LastTest.log | awk '/: Skipped$/ {getline why; print "skipped: " why}' || true
# GoogleTest's own counts over all test programs, from the log CTest keeps.
awk '/^\[==========\] [0-9]+ tests? from .* ran/ {ran += $2}
     /^\[  FAILED  \] [0-9]+ tests?, listed below/ {failed += $4}
     END {printf "%d passed, %d failed\n", ran - failed, failed}' build/Testing/Temporary/LastTest.log || true
exit $status
