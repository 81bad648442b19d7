#!/usr/bin/env bash
# Makes the README's pictures again: scripts/screenshots.sh
#
# Starts the built editor on examples/sample.wld under a virtual screen (xvfb-run, no
# window manager, so every picture is the window's own area without a frame), opens its
# windows as a user would (accelerator keys, clicks on buttons), and writes to docs/:
#   main-window.png         the main window on the sample's first room
#   map-window.png          the map window with its exit panel, and the minimap beside it
#   extra-descriptions.png  the extra descriptions dialog on the first room's entry, in colour
#   problems-window.png     the Problems window on a copy of the sample with one exit broken
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

if [ -z "${QUENDRY_SCREENSHOTS_INNER:-}" ]; then
    source scripts/setup.sh
    quendry_install_missing
    missing=()
    command -v xvfb-run >/dev/null || missing+=(xvfb)
    command -v xdotool >/dev/null || missing+=(xdotool)
    command -v import >/dev/null || missing+=(imagemagick)
    if [ ${#missing[@]} -gt 0 ]; then
        sudo_cmd=""
        [ "$(id -u)" = 0 ] || sudo_cmd=sudo
        $sudo_cmd apt-get install -y "${missing[@]}"
    fi
    quendry_build build
    QUENDRY_SCREENSHOTS_INNER=1 exec xvfb-run -a -s '-screen 0 1280x1024x24' "$0" "$@"
fi

# ---- inside the virtual screen ----
work=$(mktemp -d)
editor_pid=
finish() {
    [ -n "$editor_pid" ] && kill "$editor_pid" 2>/dev/null && { wait "$editor_pid" 2>/dev/null || true; }
    rm -rf "$work"
}
trap finish EXIT

# The editor starts in an empty directory, so it uses its built-in flags, sectors and colours.
cd "$work"
"$repo/build/quendryedit" "$repo/examples/sample.wld" &
editor_pid=$!

window_named() { xdotool search --sync --onlyvisible --name "$1" | head -n 1; }
focus() {
    xdotool windowfocus --sync "$1"
    sleep 0.3
}
# A click at (x, y) inside a window.
click_at() {
    xdotool mousemove --sync --window "$1" "$2" "$3" click 1
    sleep 0.3
}
# The window's picture, made smaller in colours so the file stays small.
shoot() {
    import -window "$1" "$work/shot.png"
    convert "$work/shot.png" -colors 128 -strip "$repo/docs/$2"
}

main=$(window_named '^Quendry Editor')
focus "$main"  # the first activation reads the world file named on the command line
sleep 1
# The main window moved aside, so the map and the minimap open clear of it.
xdotool windowmove --sync "$main" 460 440
# The pointer rests on "&UPDATE", whose text the help line at the bottom shows.
xdotool mousemove --sync --window "$main" 150 399
sleep 0.3
shoot "$main" main-window.png

# "&MAP..." (Alt+M): the map opens on the current room, with the minimap.
focus "$main"
xdotool key alt+m
map=$(window_named '^Map')
minimap=$(window_named '^MINIMAP')
sleep 1
# The two windows side by side, each cut out on its own.
import -window "$map" "$work/map.png"
import -window "$minimap" "$work/minimap.png"
convert "$work/map.png" \( "$work/minimap.png" -background '#d4d0c8' -gravity west -splice 8x0 \) \
    -background '#d4d0c8' -gravity north +append -colors 128 -strip "$repo/docs/map-window.png"
focus "$map"
xdotool key Escape
sleep 0.5

# "E&xtra Descriptions..." (Alt+X) on the first room; its first entry chosen and its
# text shown with its colour codes ("Show").
focus "$main"
xdotool key alt+x
extra=$(window_named '^Extra Descriptions')
xdotool windowmove --sync "$extra" 0 0
focus "$extra"
click_at "$extra" 60 50
click_at "$extra" 463 159
shoot "$extra" extra-descriptions.png
xdotool key Escape

# "View → Problems" (Ctrl+Shift+P) on a copy of the sample whose exit west from room
# 4203 leads to a number no room has: that exit, and the rooms reached only through it.
kill "$editor_pid"
wait "$editor_pid" 2>/dev/null || true
sed '/^#4203/,/^#4204/s/^0 -1 4209\r$/0 -1 4299\r/' "$repo/examples/sample.wld" >"$work/broken.wld"
"$repo/build/quendryedit" "$work/broken.wld" &
editor_pid=$!
main=$(window_named '^Quendry Editor')
focus "$main"
sleep 1
xdotool key ctrl+shift+p
problems=$(window_named '^Problems')
xdotool windowmove --sync "$problems" 0 0
xdotool windowsize --sync "$problems" 720 250
sleep 0.5
shoot "$problems" problems-window.png

ls -l "$repo"/docs/main-window.png "$repo"/docs/map-window.png "$repo"/docs/extra-descriptions.png \
    "$repo"/docs/problems-window.png
