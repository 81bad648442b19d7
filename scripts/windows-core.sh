#!/usr/bin/env bash
# The core on Windows: cross-builds quendry_core and every Qt-free test program for 64-bit
# Windows with MinGW-w64 into build-win/, then runs each program under Wine and fails on
# any failure. Part of ./test.sh --long; alone: scripts/windows-core.sh
#
# Installs what is missing with apt (the MinGW-w64 compilers, Wine, GoogleTest's sources);
# nothing else is downloaded. Wine runs headless (no display, no debug output) in a
# private prefix under build-win/, and without the Mono and Gecko add-ons, which it
# would otherwise offer to download.
set -euo pipefail
cd "$(dirname "$0")/.."
started=$SECONDS

source scripts/setup.sh
# Only what the Windows build needs, not the whole Linux tool set of setup.sh.
QUENDRY_PACKAGES=(cmake ninja-build ccache googletest g++-mingw-w64-x86-64-posix mingw-w64-x86-64-dev wine64 wine)
quendry_install_missing

build=build-win
echo "== cross build in $build/"
quendry_build "$build" -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DQUENDRY_WITH_QT=OFF -DQUENDRY_WITH_BENCH=OFF -DQUENDRY_WITH_TESTS=ON

export WINEPREFIX="$PWD/$build/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree=;mshtml="
unset DISPLAY WAYLAND_DISPLAY
# Ends this prefix's Wine server (and only it) however the script ends.
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "== new Wine prefix in $WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wineserver -w
fi

echo "== test programs under $(wine --version)"
results="$PWD/$build/results"
rm -rf "$results"
mkdir -p "$results"
# Every program writes its GoogleTest report there (a Windows path for Wine's programs);
# CTest runs each program through Wine.
export GTEST_OUTPUT="xml:$(winepath -w "$results")\\"
ctest --test-dir "$build" --output-on-failure --no-tests=error

# What ran, from the reports.
programs=0 tests=0 skipped=0
for report in "$results"/*.xml; do
    programs=$((programs + 1))
    tests=$((tests + $(sed -n 's/^<testsuites tests="\([0-9]*\)".*/\1/p' "$report")))
    skipped=$((skipped + $(grep -c '<skipped' "$report" || true)))
done
grep -h '<skipped' "$results"/*.xml | sed -n 's/.*<skipped message="[^"]*&#x0A;\([^"]*\)".*/  skipped: \1/p' | sort -u
echo "$programs programs, $tests tests under Wine, $skipped skipped, $((SECONDS - started)) s in all"
