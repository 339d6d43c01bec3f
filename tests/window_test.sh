#!/bin/bash
# The real program in a real (virtual) X server: the driver dialog appears, a key press
# answers it, the game window opens and the choice is remembered.
#
# Usage: window_test.sh PATH/TO/hopwerk [ARGUMENT...]
#   (without arguments the demo project sits beside the executable or is installed with it)
# Exit status: 0 pass, 1 fail, 77 skipped (no Xvfb or xdotool, or Xvfb cannot start).

set -u

DIALOG_TITLE="Please select your library"
GAME_TIMEOUT=60

for tool in Xvfb xdotool; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed"
    exit 77
  fi
done

if [ $# -lt 1 ] || [ ! -x "$1" ]; then
  echo "FAIL: usage: $0 PATH/TO/hopwerk (got '${1:-}')"
  exit 1
fi
PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
shift

WORK=$(mktemp -d)
XVFB_PID=""
GAME_PID=""

cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$GAME_PID" 2>/dev/null
  fi
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  rm -rf "$WORK"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  if [ -s "$WORK/game.out" ]; then
    echo "--- program output (last lines) ---"
    tail -n 20 "$WORK/game.out"
  fi
  exit 1
}

# Xvfb picks a free display number itself and writes it to the descriptor we give it.
mkfifo "$WORK/displayfd"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/displayfd" \
  >"$WORK/xvfb.log" 2>&1 &
XVFB_PID=$!
DISPLAY_NUMBER=""
read -r -t 20 DISPLAY_NUMBER <"$WORK/displayfd"
if [ -z "$DISPLAY_NUMBER" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
  echo "SKIP: Xvfb could not start: $(tail -n 3 "$WORK/xvfb.log" | tr '\n' ' ')"
  exit 77
fi
export DISPLAY=":$DISPLAY_NUMBER"

# A fresh user: no remembered driver, nothing of the real home touched.
export HOME="$WORK/home"
export XDG_RUNTIME_DIR="$WORK/runtime"
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=dummy
DRIVER_FILE="$HOME/.local/share/QVD_Hopwerk/RunDriver"

(cd "$WORK" && exec "$PROGRAM" "$@") >"$WORK/game.out" 2>&1 &
GAME_PID=$!

DIALOG=""
for _ in $(seq 150); do
  DIALOG=$(xdotool search --onlyvisible --name "^${DIALOG_TITLE}\$" 2>/dev/null | head -n 1)
  [ -n "$DIALOG" ] && break
  kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended before showing '$DIALOG_TITLE'"
  sleep 0.2
done
[ -n "$DIALOG" ] || fail "the window '$DIALOG_TITLE' did not appear within 30s"

# Without a window manager, focusing is ours to do. The key goes through the X server's test
# extension so that its press and release reach the program as from a keyboard; a key sent
# straight to the window is the fallback.
xdotool windowfocus --sync "$DIALOG" 2>/dev/null || xdotool windowfocus "$DIALOG" 2>/dev/null
sleep 0.3
xdotool key Return 2>/dev/null
for _ in $(seq 30); do
  xdotool search --name "^${DIALOG_TITLE}\$" >/dev/null 2>&1 || break
  sleep 0.1
done
if xdotool search --name "^${DIALOG_TITLE}\$" >/dev/null 2>&1; then
  xdotool key --window "$DIALOG" Return 2>/dev/null
fi

# The game window: any visible window other than the dialog (its title is the project's).
GAME_WINDOW=""
for _ in $(seq $((GAME_TIMEOUT * 5))); do
  kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended instead of opening its game window"
  for id in $(xdotool search --onlyvisible --name . 2>/dev/null); do
    name=$(xdotool getwindowname "$id" 2>/dev/null) || continue
    if [ -n "$name" ] && [ "$name" != "$DIALOG_TITLE" ]; then
      GAME_WINDOW=$id
      GAME_TITLE=$name
      break
    fi
  done
  [ -n "$GAME_WINDOW" ] && break
  sleep 0.2
done
[ -n "$GAME_WINDOW" ] || fail "no game window within ${GAME_TIMEOUT}s after answering the dialog"
if xdotool search --onlyvisible --name "^${DIALOG_TITLE}\$" >/dev/null 2>&1; then
  fail "the dialog is still shown beside the game window"
fi

[ -f "$DRIVER_FILE" ] || fail "the driver choice was not written to $DRIVER_FILE"
# One line "DX" (the pre-selected choice with no remembered driver); CR LF line end allowed.
CHOICE=$(head -n 1 "$DRIVER_FILE" | tr -d '\r')
LINES=$(wc -l <"$DRIVER_FILE")
[ "$CHOICE" = "DX" ] || fail "the driver file holds '$CHOICE', expected 'DX'"
[ "$LINES" -le 1 ] || fail "the driver file holds $LINES lines, expected one"
tr -d '\r' <"$WORK/game.out" | grep -qx 'Using DirectX' || fail "no 'Using DirectX' trace line"

echo "PASS: dialog answered, game window '$GAME_TITLE' open, driver file holds DX"
exit 0
