#!/usr/bin/env bash
# Times `quendry-wld lint` on a whole world against `quendry-wld check` on its files: a
# directory of 200 generated zone files of 100 rooms each (20,000 rooms), each with the
# map position file that `convert` writes, and an index listing them. Prints the best of
# several runs of: lint of the directory (one world, exits resolved across the files),
# check of the directory (one process), and check of each file on its own (200
# processes, summed), and the ratios (goal: lint at most 1.5 times the sum of check).
# CPU time (user + system) is compared, so that other work on the machine counts less.
#   bench/compare_world_lint.sh [BUILD_DIR]     (default: build)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
runs=${RUNS:-5}
files=${FILES:-200}
rooms=${ROOMS:-100}
tool=$build/quendry-wld

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/world"

cmake --build "$build" --target quendry-wld >/dev/null
for ((z = 1; z <= files; z++)); do
    "$tool" generate --rooms "$rooms" --zone "$z" --seed "$z" >"$work/generated.wld"
    "$tool" convert "$work/generated.wld" "$work/world/zone$z.wld"
    echo "zone$z.wld" >>"$work/world/index"
done
echo '$' >>"$work/world/index"
echo "world: $files files of $rooms generated rooms, $(du -sm "$work/world" | cut -f1) MB with their map position files"

# CPU seconds of one run; the command must report nothing on this world.
cpu() {
    /usr/bin/time -f '%U %S' -o "$work/time.txt" "$tool" "$@" >"$work/out.txt" 2>&1 ||
        { echo "quendry-wld $* reported:"; head -5 "$work/out.txt"; exit 1; }
    awk '{print $1 + $2}' "$work/time.txt"
}
sum_check() {
    local total=0
    for f in "$work"/world/*.wld; do total=$(awk -v a="$total" -v b="$(cpu check "$f")" 'BEGIN{print a + b}'); done
    echo "$total"
}
min() { awk -v a="$1" -v b="$2" 'BEGIN{print (b < a) ? b : a}'; }

best_lint=1e9 best_check=1e9 best_sum=1e9
for ((i = 0; i < runs; i++)); do
    best_lint=$(min "$best_lint" "$(cpu lint "$work/world")")
    best_check=$(min "$best_check" "$(cpu check "$work/world")")
    best_sum=$(min "$best_sum" "$(sum_check)")
done
printf 'lint of the world:        %.3f s\ncheck of the directory:   %.3f s\ncheck of each file, sum:  %.3f s\n' \
    "$best_lint" "$best_check" "$best_sum"
printf 'lint / sum of check: %.2f (goal <= 1.5)\nlint / check of the directory: %.2f\n' \
    "$(awk -v a="$best_lint" -v b="$best_sum" 'BEGIN{print a / b}')" \
    "$(awk -v a="$best_lint" -v b="$best_check" 'BEGIN{print a / b}')"
