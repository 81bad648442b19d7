#!/usr/bin/env bash
# Fuzzes every reader of untrusted files with libFuzzer: scripts/fuzz.sh short|long [target...]
#   short: about 30 s per target (part of ./test.sh)
#   long:  about 10 minutes per target
# Two targets run at a time. Targets are built with clang in build-fuzz (core only, no
# Qt); without clang the run is skipped with a message. Corpora grow in
# build-fuzz/corpus/<target>, seeded from tests/data and fuzz/seeds; a crash, leak, hang
# (10 s) or failed check leaves its input in build-fuzz/artifacts and fails the run.
# The last figures of every target (executions, cov:, ft:) go to build-fuzz/summary.txt.
# QUENDRY_FUZZ_BUILD names another build directory, QUENDRY_FUZZ_SECONDS another time.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-short}
shift || true
only=" $* "  # targets to run; all when none is named
case "$mode" in
    short) seconds=${QUENDRY_FUZZ_SECONDS:-30} ;;
    long) seconds=${QUENDRY_FUZZ_SECONDS:-600} ;;
    *) echo "usage: $0 short|long" >&2; exit 2 ;;
esac

CXX_FUZZ=$(command -v clang++ || command -v clang++-14 || true)
if [ -z "$CXX_FUZZ" ]; then
    echo "fuzz: clang++ not found, fuzzing skipped (install clang and libclang-rt-dev)"
    exit 0
fi

build=${QUENDRY_FUZZ_BUILD:-build-fuzz}
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER="$CXX_FUZZ" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUENDRY_WITH_QT=OFF -DQUENDRY_WITH_TESTS=OFF -DQUENDRY_WITH_BENCH=OFF -DQUENDRY_FUZZ=ON >/dev/null
cmake --build "$build" -j 2 >/dev/null

# target seed-sources...
targets=(
    "fuzz_world_sorted tests/data/*.wld fuzz/seeds/world/*"
    "fuzz_world_file_order tests/data/*.wld fuzz/seeds/world/*"
    "fuzz_map_placement tests/data/*.map fuzz/seeds/map/*"
    "fuzz_bitvector_defs tests/data/rmbitvec*.txt fuzz/seeds/bitvector/*"
    "fuzz_sector_defs tests/data/rsectype*.txt fuzz/seeds/sector/*"
    "fuzz_colour_file tests/data/colors*.txt fuzz/seeds/colour/*"
)

mkdir -p "$build/artifacts" "$build/logs"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1

run_target() {
    local name=$1; shift
    local binary="$build/fuzz/$name"
    rm -f "$build/logs/$name.log"
    [ -x "$binary" ] || { echo "fuzz: $name not built, skipped"; return 0; }
    local corpus="$build/corpus/$name"
    mkdir -p "$corpus"
    local seed
    for seed in "$@"; do
        [ -f "$seed" ] && cp -n "$seed" "$corpus/" 2>/dev/null || true
    done
    "$binary" "$corpus" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=16384 \
        -print_final_stats=1 -artifact_prefix="$build/artifacts/$name-" >"$build/logs/$name.log" 2>&1
}

summary="$build/summary.txt"
: >"$summary"
failed=()
pids=()
names=()
wait_one() {
    local i=$1
    if wait "${pids[$i]}"; then
        [ -f "$build/logs/${names[$i]}.log" ] || return 0
        local done_line
        done_line=$(grep -E '^#[0-9]+.*(DONE|cov:)' "$build/logs/${names[$i]}.log" | tail -1 || true)
        echo "${names[$i]}: ${done_line}" | tee -a "$summary"
    else
        echo "${names[$i]}: FAILED, see $build/logs/${names[$i]}.log" | tee -a "$summary"
        tail -40 "$build/logs/${names[$i]}.log" >&2
        failed+=("${names[$i]}")
    fi
}

echo "fuzz: $mode run, ${seconds} s per target, two at a time"
shopt -s nullglob
for entry in "${targets[@]}"; do
    read -r name seeds <<<"$entry"
    [ "$only" = "  " ] || [[ "$only" == *" $name "* ]] || continue
    # shellcheck disable=SC2086
    run_target "$name" $seeds &
    pids+=($!)
    names+=("$name")
    if ((${#pids[@]} % 2 == 0)); then
        wait_one $((${#pids[@]} - 2))
        wait_one $((${#pids[@]} - 1))
    fi
done
((${#pids[@]} % 2 == 1)) && wait_one $((${#pids[@]} - 1))

if ((${#failed[@]})); then
    echo "fuzz: failures in ${failed[*]}" >&2
    exit 1
fi
echo "fuzz: all targets clean"
