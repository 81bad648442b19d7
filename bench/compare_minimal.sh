#!/usr/bin/env bash
# Times, in one run and on one file, the editor's whole load road against the least
# work any correct loader must do (the minimal parser kept with the yardstick), and
# prints both and their ratio (goal: at most 1.5). Then the load road of the same rooms
# in the newer form (bench/newer_form.py: six-field flag lines, flag words, triggers)
# against the minimal parser on the classic file (goal: at most 1.25). Also prints the
# peak memory of each load and of the minimal parser, and of `quendry-wld check`.
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
python3 "$root/bench/newer_form.py" <"$work/zone.wld" >"$work/newer.wld"
echo "zone: $(grep -c '^#' "$work/zone.wld") header lines, $(du -m "$work/zone.wld" | cut -f1) MB;" \
     "newer form: $(grep -c '^T ' "$work/newer.wld") trigger lines, $(du -m "$work/newer.wld" | cut -f1) MB"

seconds() { "$@" | awk '{print $(NF-1)}'; }
smaller() { awk -v a="$1" -v b="$2" 'BEGIN{print (b < a) ? b : a}'; }

# Best of several runs each, interleaved so all see the same machine load.
best_minimal=1e9
best_road=1e9
best_newer=1e9
for ((i = 0; i < runs; i++)); do
    best_minimal=$(smaller "$best_minimal" "$(seconds "$work/minimal-parser" "$work/zone.wld")")
    best_road=$(smaller "$best_road" "$(seconds "$build/bench/quendry_load_timer" "$work/zone.wld")")
    best_newer=$(smaller "$best_newer" "$(seconds "$build/bench/quendry_load_timer" "$work/newer.wld")")
done
ratio() { awk -v a="$1" -v b="$2" 'BEGIN{printf "%.2f", a / b}'; }
printf 'minimal parser:        %.3f s\nload road:             %.3f s  ratio %s (goal <= 1.5)\n' \
    "$best_minimal" "$best_road" "$(ratio "$best_road" "$best_minimal")"
printf 'load road, newer form: %.3f s  ratio %s (goal <= 1.25)\n' "$best_newer" "$(ratio "$best_newer" "$best_minimal")"

# Peak resident memory in MB of one run.
peak_mb() {
    /usr/bin/time -v -o "$work/time.txt" "$@" >/dev/null || echo "$* reported messages" >&2
    awk -F: '/Maximum resident set size/ {print int($2 / 1024)}' "$work/time.txt"
}
minimal_mb=$(peak_mb "$work/minimal-parser" "$work/zone.wld")
road_mb=$(peak_mb "$build/bench/quendry_load_timer" "$work/zone.wld")
newer_mb=$(peak_mb "$build/bench/quendry_load_timer" "$work/newer.wld")
echo "peak memory: minimal parser $minimal_mb MB, load road $road_mb MB," \
     "newer form $newer_mb MB ($(ratio "$newer_mb" "$road_mb") x the classic load, $(ratio "$newer_mb" "$minimal_mb") x the minimal parser; goal <= 1.1)"
# check exits 1 when the load shows messages; the zone is valid, so it should not.
echo "peak memory of quendry-wld check: $(peak_mb "$build/quendry-wld" check "$work/zone.wld") MB"
