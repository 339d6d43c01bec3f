#!/bin/bash
# The Debian package as a user gets it: built with cpack from this build folder, unpacked with
# dpkg -x into a scratch folder, and the unpacked programs run on the unpacked demo game.
#
# Usage: package_test.sh BUILD_DIR VERSION
# Exit status: 0 pass, 1 fail.

set -u

if [ $# -ne 2 ] || [ ! -f "$1/CPackConfig.cmake" ]; then
  echo "FAIL: usage: $0 BUILD_DIR VERSION (a configured build folder)"
  exit 1
fi
BUILD=$(cd "$1" && pwd)
VERSION=$2

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}

cpack --config "$BUILD/CPackConfig.cmake" -G DEB -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 ||
  { tail -n 20 "$WORK/cpack.log"; fail "cpack -G DEB failed"; }
DEBS=("$WORK"/pkg/*.deb)
[ ${#DEBS[@]} -eq 1 ] && [ -f "${DEBS[0]}" ] || fail "cpack wrote no single .deb: ${DEBS[*]}"
DEB=${DEBS[0]}

# The control fields a package manager and a desktop user see.
field() { dpkg-deb --field "$DEB" "$1"; }
[ "$(field Package)" = "hopwerk" ] || fail "Package is '$(field Package)'"
[ "$(field Version)" = "$VERSION" ] || fail "Version is '$(field Version)', expected $VERSION"
[ "$(field Section)" = "games" ] || fail "Section is '$(field Section)'"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
[ -n "$(field Description)" ] || fail "no Description"
for lib in libsdl2-2.0-0 libsdl2-mixer-2.0-0 libpng16-16 libpixman-1-0 libvorbisfile3; do
  field Depends | grep -q "$lib" || fail "Depends lacks $lib: $(field Depends)"
done

ROOT="$WORK/root"
dpkg -x "$DEB" "$ROOT" || fail "dpkg -x failed"
for f in usr/bin/hopwerk usr/bin/hopwerk-replay usr/bin/vxr; do
  [ -x "$ROOT/$f" ] || fail "$f is not in the package"
done
DEMO="$ROOT/usr/share/hopwerk/demo"
for f in VXR/General.vxr VXR/Maps.vxr Data/GFX/Level/Actors/Frog/Walk.png DemoPack.PPF/ID \
         DemoPack.PPF/VXR/Maps.vxr; do
  [ -f "$DEMO/$f" ] || fail "the demo lacks $f"
done

DESKTOP="$ROOT/usr/share/applications/hopwerk.desktop"
[ -f "$DESKTOP" ] || fail "no desktop entry"
for line in "Type=Application" "Exec=hopwerk" "Icon=hopwerk"; do
  grep -qx "$line" "$DESKTOP" || fail "the desktop entry lacks $line"
done
grep -q "^Categories=Game;" "$DESKTOP" || fail "the desktop entry is not in the Game category"
ICON="$ROOT/usr/share/icons/hicolor/48x48/apps/hopwerk.png"
[ -f "$ICON" ] || fail "no icon"
# A PNG of 48 x 48 pixels with an alpha channel (colour type 6), read from its header.
HEADER=$(od -An -tx1 -j0 -N26 "$ICON" | tr -d ' \n')
[ "${HEADER:0:16}" = "89504e470d0a1a0a" ] || fail "the icon is no PNG"
[ "${HEADER:32:16}" = "0000003000000030" ] || fail "the icon is not 48x48: ${HEADER:32:16}"
[ "${HEADER:50:2}" = "06" ] || fail "the icon has no alpha channel"

OUT=$("$ROOT/usr/bin/hopwerk" --version) || fail "hopwerk --version failed"
[ "$OUT" = "hopwerk $VERSION" ] || fail "hopwerk --version printed '$OUT'"
"$ROOT/usr/bin/hopwerk" --help | grep -q "usage: hopwerk \[PATH\]" || fail "hopwerk --help"
"$ROOT/usr/bin/hopwerk" "$WORK/pkg" 2>"$WORK/err"
STATUS=$?
[ $STATUS -eq 1 ] || fail "hopwerk on a folder with no game ended with $STATUS"
grep -qx "hopwerk: $WORK/pkg is not a game project: it has no VXR folder" "$WORK/err" ||
  fail "hopwerk on a folder with no game said: $(cat "$WORK/err")"

# The installed engine on the installed demo: it loads whole, the first two Escapes skip the
# logo and the title, and the third, at the main menu, ends the game as the player's own way out.
printf '100 tap ESC\n200 tap ESC\n300 tap ESC\n' >"$WORK/input"
"$ROOT/usr/bin/hopwerk-replay" --home "$WORK/home" --input "$WORK/input" --frames 400 \
  "$DEMO" >"$WORK/play.out" 2>&1
STATUS=$?
grep -qx "console| Hopwerk Demo" "$WORK/play.out" || fail "the demo's identity was not loaded"
grep -qx "console| Init Status Screen" "$WORK/play.out" || fail "the demo did not load whole"
grep -qx "end| reason=exit status=0 frame=300" "$WORK/play.out" ||
  fail "Escape at the main menu did not end the game: $(grep '^end|' "$WORK/play.out")"
[ $STATUS -eq 0 ] || fail "hopwerk-replay ended with $STATUS"

# Started as the desktop entry starts it, with nothing beside it, the installed engine opens the
# installed demo in a real (virtual) X server; and as from a terminal, with the demo's folder.
WINDOW_TEST=$(dirname "$0")/window_test.sh
window() {
  "$WINDOW_TEST" "$ROOT/usr/bin/hopwerk" "$@" >"$WORK/window.out" 2>&1
  local status=$?
  [ $status -eq 77 ] && return 77
  [ $status -eq 0 ] || { cat "$WORK/window.out"; fail "hopwerk $* did not open the demo"; }
  grep -q "game window 'Hopwerk Demo' open" "$WORK/window.out" || fail "hopwerk $*: not the demo"
}
if window; then
  window "$DEMO"
else
  echo "window test skipped: $(tail -n 1 "$WORK/window.out")"
fi

echo "PASS: $(basename "$DEB") installs the engine, its tools, the demo, a menu entry and icon"
exit 0
