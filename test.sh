#!/usr/bin/env bash
# Builds and runs every test: ./test.sh [--long]
#   1. the normal build and its tests;
#   2. the same tests built with AddressSanitizer and UndefinedBehaviorSanitizer
#      (any report fails the run);
#   3. short fuzz runs of every reader when clang is present.
# --long also runs the big and hostile inputs (minutes, not seconds), ten minutes of the
# monkey on the sanitizer build, the package check (scripts/long.sh) and the core's
# tests built for Windows and run under Wine (scripts/windows-core.sh).
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
quendry_install_missing

long=0
[ "${1:-}" = "--long" ] && long=1
export QT_QPA_PLATFORM=offscreen

# Runs one build's tests and adds its count to the total printed at the end.
total=0
run_tests() {
    local log
    log=$(mktemp)
    ctest --test-dir "$1" --output-on-failure -j "$(nproc)" | tee "$log"
    total=$((total + $(sed -n 's/.*tests passed, 0 tests failed out of \([0-9]*\).*/\1/p' "$log" | tail -n 1)))
    rm -f "$log"
}

echo "== build and test"
quendry_build build
run_tests build

echo "== sanitizer build and test"
quendry_build build-asan -DQUENDRY_SANITIZE=ON -DQUENDRY_WITH_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
run_tests build-asan

if [ -x scripts/fuzz.sh ]; then
    echo "== short fuzz runs"
    scripts/fuzz.sh short
fi

if [ "$long" = 1 ] && [ -x scripts/long.sh ]; then
    echo "== long runs"
    scripts/long.sh
fi

if [ "$long" = 1 ]; then
    echo "== the core on Windows (MinGW-w64 and Wine)"
    scripts/windows-core.sh
fi

echo "$total passed, 0 failed"
