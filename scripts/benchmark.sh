#!/bin/bash
# Prints the removal passes' own work time (median of RUNS runs, without
# the progress pages' start delay) on a seeded dirty machine, with the
# registry calls each pass makes, in a fresh Wine prefix; then the sizes of
# both programs (the shipping 32-bit ones and the ones tested here).
#   scripts/benchmark.sh [RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-7}

scripts/deps.sh >/dev/null
scripts/build.sh >/dev/null
arch=$(scripts/target-arch)

results=$(scripts/fresh-prefix-run "$PWD/build/wineprefix-template" \
  "$PWD/build/wineprefix-bench" "$arch" "$PWD/build/drive-bench" "$PWD/build/tests/removal_bench.exe" "$runs" | tr -d '\r')

printf '%-22s %12s %15s\n' "pass (dirty machine)" "median ms" "registry calls"
while read -r name ms calls; do
  [ -n "$name" ] && printf '%-22s %12s %15s\n' "$name" "$ms" "$calls"
done <<<"$results"
echo "($runs runs each, target $arch)"
echo
printf '%-34s %10s\n' "program" "bytes"
for file in build-i686/cdimage/setup.exe build-i686/drvsweep.exe build/cdimage/setup.exe build/drvsweep.exe; do
  [ -f "$file" ] && printf '%-34s %10s\n' "$file" "$(stat -c %s "$file")"
done
