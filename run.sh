#!/usr/bin/env bash
# Starts the editor: ./run.sh [file.wld]. Without a file it opens the sample zone.
set -euo pipefail
cd "$(dirname "$0")"
source scripts/setup.sh
quendry_install_missing
quendry_build build

file=${1:-examples/sample.wld}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ "${QT_QPA_PLATFORM:-}" != offscreen ]; then
    echo "No display found: QuendryEdit is a desktop program and needs one." >&2
    echo "Without a screen, run it under a virtual one:" >&2
    echo "  xvfb-run -s '-screen 0 1280x1024x24' ./build/quendryedit $file" >&2
    exit 1
fi
exec ./build/quendryedit "$file"
