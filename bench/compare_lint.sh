#!/usr/bin/env bash
# Times `quendry-wld check` and `quendry-wld lint` on one generated 99,999-room zone, with
# the map position file that `convert` writes beside it (so the map checks run over every
# room), and prints the best of several runs of each and their ratio (goal: below 1.5).
# CPU time (user + system) is compared, so that other work on the machine counts less.
#   bench/compare_lint.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-5}
tool=$build/quendry-wld

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cmake --build "$build" --target quendry-wld >/dev/null
"$tool" generate --rooms 99999 >"$work/generated.wld"
"$tool" convert "$work/generated.wld" "$work/zone.wld"
echo "zone: 99999 generated rooms, $(du -m "$work/zone.wld" | cut -f1) MB, map position file of $(wc -l <"$work/zone.map") lines"

# CPU seconds of one run; the command must report nothing on this zone.
cpu() {
    /usr/bin/time -f '%U %S' -o "$work/time.txt" "$tool" "$@" "$work/zone.wld" >"$work/out.txt" 2>&1 ||
        { echo "quendry-wld $* reported:"; head -5 "$work/out.txt"; exit 1; }
    awk '{print $1 + $2}' "$work/time.txt"
}

# Best of several runs each, interleaved so both see the same machine load.
best_check=1e9
best_lint=1e9
for ((i = 0; i < runs; i++)); do
    best_check=$(awk -v a="$best_check" -v b="$(cpu check)" 'BEGIN{print (b < a) ? b : a}')
    best_lint=$(awk -v a="$best_lint" -v b="$(cpu lint)" 'BEGIN{print (b < a) ? b : a}')
done
printf 'check: %.2f s\nlint:  %.2f s\nratio: %.2f (goal < 1.5)\n' \
    "$best_check" "$best_lint" "$(awk -v a="$best_lint" -v b="$best_check" 'BEGIN{print a / b}')"
