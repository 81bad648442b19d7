#!/usr/bin/env bash
# Installs the build into a temporary prefix and checks what a desktop needs of it:
#   install_tree_test.sh BUILD-DIR VERSION "ICON-SIZES"
# The file list must be exactly the expected one (no test or benchmark program slips
# in); the desktop entry must open a file (%f) of the MIME type the package defines
# with an icon it installs; the MIME XML must be taken by update-mime-database and
# desktop-file-validate must pass, each where the tool is installed.
set -euo pipefail
build=$1 version=$2 sizes=${3:-}
prefix=$(mktemp -d "${TMPDIR:-/tmp}/quendry-install.XXXXXX")
trap 'rm -rf "$prefix"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1 || { cat "$prefix.log"; rm -f "$prefix.log"; exit 1; }
rm -f "$prefix.log"

expected="bin/quendry-wld
bin/quendryedit
share/applications/quendryedit.desktop
share/icons/hicolor/scalable/apps/quendryedit.svg
share/mime/packages/quendryedit.xml"
for s in $sizes; do expected+=$'\n'"share/icons/hicolor/${s}x${s}/apps/quendryedit.png"; done
actual=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
expected=$(LC_ALL=C sort <<<"$expected")
[ "$actual" = "$expected" ] || fail "installed files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"

for p in quendryedit quendry-wld; do
    [ -x "$prefix/bin/$p" ] || fail "bin/$p is not executable"
    out=$("$prefix/bin/$p" --version 2>&1) || fail "$p --version ended with $?"
    [[ "$out" == "$p $version"* ]] || fail "$p --version printed: $out"
done

# The desktop entry, the MIME type and the icons agree with one another.
python3 - "$prefix" "$sizes" <<'PY' || failures=$((failures + 1))
import struct, sys, xml.etree.ElementTree as ET
prefix, sizes = sys.argv[1], sys.argv[2].split()
bad = []
entry, group = {}, None
for line in open(f"{prefix}/share/applications/quendryedit.desktop", encoding="utf-8"):
    line = line.rstrip("\n")
    if line.startswith("["):
        group = line
    elif "=" in line and group == "[Desktop Entry]":
        k, v = line.split("=", 1)
        entry[k] = v
if entry.get("Type") != "Application": bad.append("Type is not Application")
exec_words = entry.get("Exec", "").split()
if exec_words[:1] != ["quendryedit"] or "%f" not in exec_words:
    bad.append(f"Exec must run quendryedit on one file (%f): {entry.get('Exec')}")
if entry.get("Icon") != "quendryedit": bad.append(f"Icon: {entry.get('Icon')}")
ns = {"m": "http://www.freedesktop.org/standards/shared-mime-info"}
root = ET.parse(f"{prefix}/share/mime/packages/quendryedit.xml").getroot()
defined = {t.get("type"): t for t in root.findall("m:mime-type", ns)}
claimed = [t for t in entry.get("MimeType", "").split(";") if t]
if not claimed: bad.append("no MimeType in the desktop entry")
for t in claimed:
    if t not in defined: bad.append(f"MimeType {t} is not defined by the package")
globs = [g.get("pattern") for t in defined.values() for g in t.findall("m:glob", ns)]
if "*.wld" not in globs: bad.append(f"no *.wld glob: {globs}")
for s in sizes:
    with open(f"{prefix}/share/icons/hicolor/{s}x{s}/apps/quendryedit.png", "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n": bad.append(f"{s}x{s} icon is not a PNG")
    elif struct.unpack(">II", head[16:24]) != (int(s), int(s)):
        bad.append(f"{s}x{s} icon is {struct.unpack('>II', head[16:24])}")
for b in bad: print("FAIL:", b)
sys.exit(1 if bad else 0)
PY

if command -v update-mime-database >/dev/null; then
    update-mime-database "$prefix/share/mime" >/dev/null 2>&1 || fail "update-mime-database refused the MIME XML"
    grep -q '^application/x-quendry-world:\*\.wld$' "$prefix/share/mime/globs" 2>/dev/null ||
        fail "update-mime-database made no *.wld glob"
else
    echo "update-mime-database not installed: MIME XML only parsed"
fi
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/quendryedit.desktop" || fail "desktop-file-validate"
else
    echo "desktop-file-validate not installed: desktop entry checked by this script only"
fi

[ "$failures" = 0 ] || exit 1
echo "install tree: $(wc -l <<<"$actual") files, all checks passed"
