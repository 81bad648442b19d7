#!/usr/bin/env bash
# The .deb as a user meets it; part of ./test.sh --long (called from scripts/long.sh).
#   1. builds the package with CPack from the normal build;
#   2. installs it with apt-get, which pulls in the Qt 6 runtime the package depends on
#      (this machine stands in for a fresh Debian one: apt resolves the Depends line
#      from the archive exactly as it would there);
#   3. checks the installed programs' --version, validates the installed desktop entry
#      and checks that the desktop's caches took the MIME type and the entry;
#   4. starts the installed quendryedit under Xvfb on a world file, waits for its main
#      window (xdotool search --name), checks its size and takes a screenshot;
#   5. removes the package again, whatever happened before.
# Prints what it did; ends non-zero on the first check that fails.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QUENDRY_PACKAGE_BUILD:-build}
shot=${QUENDRY_PACKAGE_SHOT:-$build/package-check.png}
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"

source scripts/setup.sh
quendry_install_missing xdotool imagemagick desktop-file-utils
quendry_build "$build" >/dev/null
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
rm -rf "$build/packages"
(cd "$build" && cpack >cpack.log 2>&1) || { cat "$build/cpack.log"; exit 1; }
deb=$(ls "$(cd "$build" && pwd)"/packages/quendryedit_*.deb)
echo "== package: $(basename "$deb"), $(du -h "$deb" | cut -f1)"
dpkg-deb -f "$deb" Package Version Depends Recommends | sed 's/^/  /'

work=$(mktemp -d "${TMPDIR:-/tmp}/quendry-package.XXXXXX")
installed=0
cleanup() {
    if [ "$installed" = 1 ]; then
        echo "== removing the package"
        DEBIAN_FRONTEND=noninteractive $sudo apt-get remove -y -qq quendryedit >/dev/null
        if [ -e /usr/bin/quendryedit ]; then echo "  /usr/bin/quendryedit is still there"; else echo "  /usr/bin/quendryedit gone"; fi
    fi
    rm -rf "$work"
}
trap cleanup EXIT

echo "== apt-get install ./$(basename "$deb")"
installed=1
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "$deb" >"$work/apt.log" 2>&1 ||
    { cat "$work/apt.log"; exit 1; }
dpkg-query -W -f='  installed ${Package} ${Version}: ${Status}\n' quendryedit

for p in quendryedit quendry-wld; do
    path=$(command -v "$p")
    out=$("$path" --version)
    echo "  $path --version: $out"
    [[ "$out" == "$p $version"* ]] || { echo "FAIL: expected $p $version"; exit 1; }
done
# dpkg's triggers refresh the MIME database and the desktop entries' MIME cache.
if command -v update-mime-database >/dev/null; then
    grep -q '^application/x-quendry-world:\*\.wld$' /usr/share/mime/globs ||
        { echo "FAIL: the MIME database has no *.wld"; exit 1; }
    echo "  MIME database: *.wld is application/x-quendry-world"
fi
desktop-file-validate /usr/share/applications/quendryedit.desktop
echo "  desktop-file-validate: /usr/share/applications/quendryedit.desktop passes"
if command -v update-desktop-database >/dev/null; then
    grep -q '^application/x-quendry-world=.*quendryedit.desktop' /usr/share/applications/mimeinfo.cache ||
        { echo "FAIL: mimeinfo.cache does not open world files with quendryedit.desktop"; exit 1; }
    echo "  desktop MIME cache: world files open with quendryedit.desktop"
fi

echo "== quendryedit under Xvfb on a world file"
cp examples/sample.wld "$work/sample.wld"
cat >"$work/start.sh" <<'INNER'
set -u
cd "$1"
env -u QT_QPA_PLATFORM quendryedit sample.wld >editor.log 2>&1 &
pid=$!
window=""
for _ in $(seq 1 100); do
    window=$(xdotool search --name '^Quendry Editor' 2>/dev/null | head -n 1) && [ -n "$window" ] && break
    sleep 0.1
done
status=1
if [ -n "$window" ]; then
    sleep 1  # the command-line file is read once the window is up
    echo "  window $window: $(xdotool getwindowname "$window")"
    xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: /  geometry /p'
    import -window root shot.png && status=0
else
    echo "FAIL: no main window appeared"
fi
kill -0 "$pid" 2>/dev/null || { echo "FAIL: quendryedit ended early"; cat editor.log; status=1; }
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $status
INNER
xvfb-run -a -s '-screen 0 1280x1024x24' bash "$work/start.sh" "$work"
cp "$work/shot.png" "$shot"
echo "  screenshot: $shot"
echo "== package check passed"
