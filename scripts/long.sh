#!/usr/bin/env bash
# Big and hostile inputs through the whole load road (minutes, not seconds); part of
# ./test.sh --long. Files are generated on the fly under $TMPDIR (default /tmp) and
# deleted afterwards. For each: what the load did, its time, and the peak memory.
#   - world files of 256 MB and 1 GB (time and memory must grow linearly);
#   - one description line of 100 MB without a line break;
#   - 10 million lines of "#";
#   - chains of 50,000 and 99,999 rooms (every possible room number) for the automatic layout;
#   - 50 kills of the real editor, each giving back a state it passed through (recovery files);
# then ten minutes of the monkey under the sanitizers and the package check (blocks at the end).
set -euo pipefail
cd "$(dirname "$0")/.."

build=${QUENDRY_LONG_BUILD:-build}
if [ ! -x "$build/bench/quendry_big_input" ]; then
    cmake -S . -B "$build" -G Ninja >/dev/null
    cmake --build "$build" --target quendry_big_input >/dev/null
fi
tool="$build/bench/quendry_big_input"
work=$(mktemp -d "${TMPDIR:-/tmp}/quendry-long.XXXXXX")
trap 'rm -rf "$work"' EXIT

run() {  # name generate-mode amount [load options]
    local name=$1 mode=$2 amount=$3; shift 3
    local file="$work/$name.wld"
    "$tool" "$mode" "$file" "$amount"
    echo "== $name: $(du -h "$file" | cut -f1)"
    /usr/bin/time -f "  total %e s, peak memory %M KB" "$tool" load "$file" "$@"
    rm -f "$file"
}

run world-256MB generate-big $((256 << 20))
run world-1GB generate-big $((1 << 30))
run long-line-100MB generate-long-line $((100 << 20))
run hashes-10M generate-hashes 10000000
run chain-50000 generate-chain 50000
run chain-99999 generate-chain 99999

# Recovery files: 50 kills of the real editor at random moments, each recovering to a
# state the session passed through.
cmake --build "$build" --target quendryedit >/dev/null
scripts/recovery-kill-loop.sh 50 "$build"

# The .deb: built, installed with apt-get, started under Xvfb and removed again.
scripts/package-check.sh

# The monkey for ten minutes on the sanitizer build (./test.sh builds build-asan first):
# seeds 1, 2, ... with 20,000 events each until the time is up. Any crash, sanitizer
# report, hang or broken invariant stops the run with the seed and event that replay it.
monkey_build=${QUENDRY_MONKEY_BUILD:-build-asan}
if [ -d "$monkey_build" ]; then
    cmake --build "$monkey_build" --target quendry_monkey >/dev/null
    echo "== monkey: ten minutes on $monkey_build"
    QT_QPA_PLATFORM=offscreen "$monkey_build/tests/monkey/quendry_monkey" --seed 1 --events 20000 --minutes 10
else
    echo "== monkey: no $monkey_build (run ./test.sh --long, which builds it)"
    exit 1
fi
