#!/usr/bin/env bash
# Times, in one run and on one file, the editor's whole load road against the least
# work any correct loader must do (the minimal parser kept with the yardstick), and
# prints both and their ratio (goal: at most 1.5). Also prints the peak memory of
# `quendry-wld check` on the same file.
#   bench/compare_minimal.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
yardstick=${YARDSTICK:-$root/../shared/bench}
runs=${RUNS:-3}

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target quendry_load_timer quendry-wld >/dev/null
g++ -O2 -std=c++20 -o "$work/minimal-parser" "$yardstick/minimal-parser.cpp"
python3 "$yardstick/bigzone.py" 100 99 10 1 >"$work/zone.wld"
echo "zone: $(grep -c '^#' "$work/zone.wld") header lines, $(du -m "$work/zone.wld" | cut -f1) MB"

# Best of several runs each, interleaved so both see the same machine load.
best_minimal=1e9
best_road=1e9
for ((i = 0; i < runs; i++)); do
    t=$("$work/minimal-parser" "$work/zone.wld" | awk '{print $(NF-1)}')
    best_minimal=$(awk -v a="$best_minimal" -v b="$t" 'BEGIN{print (b < a) ? b : a}')
    t=$("$build/bench/quendry_load_timer" "$work/zone.wld" | awk '{print $(NF-1)}')
    best_road=$(awk -v a="$best_road" -v b="$t" 'BEGIN{print (b < a) ? b : a}')
done
printf 'minimal parser: %.3f s\nload road:      %.3f s\nratio:          %.2f (goal <= 1.5)\n' \
    "$best_minimal" "$best_road" "$(awk -v a="$best_road" -v b="$best_minimal" 'BEGIN{print a / b}')"

# check exits 1 when the load shows messages; the zone is valid, so it should not.
/usr/bin/time -v -o "$work/time.txt" "$build/quendry-wld" check "$work/zone.wld" || echo "check reported messages"
peak_kb=$(awk -F: '/Maximum resident set size/ {print $2}' "$work/time.txt")
echo "peak memory of quendry-wld check: $((peak_kb / 1024)) MB"
