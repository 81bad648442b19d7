#!/usr/bin/env bash
# Builds and runs every test: ./test.sh
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
quendry_install_missing
quendry_build build
export QT_QPA_PLATFORM=offscreen
ctest --test-dir build --output-on-failure -j "$(nproc)"
