#!/bin/bash
# Prints one table of what a user waits for and what the CD carries:
#   - start-up: the project's minimal window and minimal one-page wizard
#     (yardsticks built with the same toolchain and flags), and setup.exe
#     to its painted frame "Setup" and to its painted Welcome page, timed
#     by an in-Wine stopwatch (tests/bench/startup_bench.cpp);
#   - the removal passes' own work on a seeded dirty machine (no page, no
#     start delay) with the registry calls each makes;
#   - the sizes of the shipping 32-bit programs;
# with min/median/max and the ratios the goals are stated in. With
# --before REF, the same rows are measured for that commit too, built in a
# work tree of its own, in the same run.
#   scripts/benchmark.sh [ROUNDS] [--before REF]
set -euo pipefail
cd "$(dirname "$0")/.."

rounds=21
before=""
while [ $# -gt 0 ]; do
  case "$1" in
    --before) before=$2; shift 2 ;;
    *) rounds=$1; shift ;;
  esac
done

scripts/deps.sh >/dev/null
scripts/build.sh >/dev/null
arch=$(scripts/target-arch)
shipping=build
[ "$arch" = i686 ] || shipping=build-i686
winpath() { echo "Z:$1" | tr / '\\'; }

builds=("now:$PWD")
if [ -n "$before" ]; then
  tree="$PWD/build/before-tree"
  git worktree remove --force "$tree" >/dev/null 2>&1 || rm -rf "$tree"
  git worktree add --force --detach "$tree" "$before" >/dev/null 2>&1
  (cd "$tree" && scripts/deps.sh >/dev/null && VANTRELL_ARCH=$arch scripts/build.sh >/dev/null)
  builds+=("before:$tree")
fi

# Start-up rows, every build's setup in the same rounds.
cds=()
for b in "${builds[@]}"; do cds+=("${b%%:*}=$(winpath "${b#*:}/build/cdimage")"); done
startup=$(scripts/fresh-prefix-run "$PWD/build/wineprefix-template" "$PWD/build/wineprefix-startup-bench" "$arch" \
  "$PWD/build/drive-startup-bench" "$PWD/build/tests/startup_bench.exe" "$rounds" "$(winpath "$PWD/build/tests")" \
  "${cds[@]}" | tr -d '\r')

# Removal rows: "name median calls [min max]" from each build's own bench.
removal=""
for b in "${builds[@]}"; do
  label=${b%%:*} dir=${b#*:}
  rows=$(scripts/fresh-prefix-run "$PWD/build/wineprefix-template" "$PWD/build/wineprefix-bench-$label" "$arch" \
    "$PWD/build/drive-bench-$label" "$dir/build/tests/removal_bench.exe" "$rounds" | tr -d '\r')
  removal+=$(awk -v l="$label" 'NF >= 3 {print $1 "-" l, ($4 == "" ? "-" : $4), $2, ($5 == "" ? "-" : $5), $3}' <<<"$rows")$'\n'
done

printf '%-28s %10s %10s %10s %15s\n' "row" "min ms" "median ms" "max ms" "registry calls"
while read -r name min median max; do
  [ -n "$name" ] && printf '%-28s %10s %10s %10s %15s\n' "$name" "$min" "$median" "$max" ""
done <<<"$startup"
while read -r name min median max calls; do
  [ -n "$name" ] && printf '%-28s %10s %10s %10s %15s\n' "$name" "$min" "$median" "$max" "$calls"
done <<<"$removal"
echo "($rounds rounds after one warm-up, order rotated per round; removal: $rounds runs; target $arch)"
echo

median() { awk -v n="$1" '$1 == n {print $3}' <<<"$2"; }
calls() { awk -v n="$1" '$1 == n {print $5}' <<<"$2"; }
window=$(median minimal-window "$startup") wizard=$(median minimal-wizard "$startup")
for b in "${builds[@]}"; do
  label=${b%%:*} dir=${b#*:}
  frame=$(median "setup-frame-$label" "$startup") welcome=$(median "setup-welcome-$label" "$startup")
  echo "[$label]"
  awk -v f="$frame" -v w="$window" 'BEGIN {printf "  frame / minimal window:          %.2f (goal <= 1.20)\n", f / w}'
  awk -v f="$welcome" -v w="$wizard" 'BEGIN {printf "  Welcome - minimal wizard:        %+.1f ms (goal <= +60)\n", f - w}'
  ship=$dir/$shipping
  # setup.exe may reach 208 KiB with the unattended mode.
  for p in "cdimage/setup.exe 212992" "drvsweep.exe 102400"; do
    set -- $p
    [ -f "$ship/$1" ] && printf '  %-32s %8d bytes (goal <= %d)\n' "$1" "$(stat -c %s "$ship/$1")" "$2"
  done
  echo "  setup-removal registry calls:    $(calls "setup-removal-$label" "$removal") (goal <= 4000)"
  report=$(median "setup-report-$label" "$removal") pass=$(median "setup-removal-$label" "$removal")
  [ -n "$report" ] && awk -v r="$report" -v p="$pass" \
    'BEGIN {printf "  setup-report / setup-removal:    %.2f (the trace report walks the same pass)\n", r / p}'
  true
done
if [ -n "$before" ]; then
  awk -v a="$(median setup-removal-now "$removal")" -v b="$(median setup-removal-before "$removal")" \
    'BEGIN {printf "setup-removal now / before:        %.2f (goal <= 0.40)\n", a / b}'
  awk -v a="$(median drvsweep-removal-now "$removal")" -v b="$(median drvsweep-removal-before "$removal")" \
    'BEGIN {printf "drvsweep-removal now / before:     %.2f (goal: not slower)\n", a / b}'
fi
