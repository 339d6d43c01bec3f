#!/bin/bash
# The real program's desktop manners in a real (virtual) X server: Alt+Enter to full screen and
# back, remembered with the player's settings; F12 saves the shown frame at the game's size;
# switching to another window during a level pauses it.
#
# Usage: window_manners_test.sh PATH/TO/hopwerk
# Exit status: 0 pass, 1 fail, 77 skipped (no Xvfb or xdotool, or Xvfb cannot start).

set -u
# shellcheck source=window_lib.sh
. "$(dirname "$0")/window_lib.sh"

window_test_setup "$@"
start_xvfb
start_window_manager
MODE_FILE="$HOME/.local/share/QVD_Hopwerk/WindowMode"
start_program
answer_dialog
find_game_window
focus_window "$GAME_WINDOW"

# "WIDTHxHEIGHT" of the game window as the X server has it.
window_size() {
  xdotool getwindowgeometry "$GAME_WINDOW" 2>/dev/null | sed -n 's/^ *Geometry: *//p'
}

# wait_for_size SIZE: until the window has that size (5 s at most).
wait_for_size() {
  for _ in $(seq 25); do
    [ "$(window_size)" = "$1" ] && return 0
    sleep 0.2
  done
  return 1
}

# wait_for_mode MODE: until the remembered choice is MODE (5 s at most).
wait_for_mode() {
  for _ in $(seq 25); do
    [ "$(head -n 1 "$MODE_FILE" 2>/dev/null | tr -d '\r')" = "$1" ] && return 0
    sleep 0.2
  done
  return 1
}

GAME_SIZE=$(window_size)
[ -n "$GAME_SIZE" ] || fail "the game window has no geometry"

xdotool key alt+Return
wait_for_size 1280x1024 || fail "Alt+Enter left the window at $(window_size), not the screen's 1280x1024"
wait_for_mode FullScreen || fail "full screen was not remembered in $MODE_FILE"
xdotool key alt+Return
wait_for_size "$GAME_SIZE" || fail "the second Alt+Enter left the window at $(window_size), not $GAME_SIZE"
wait_for_mode Window || fail "the window was not remembered in $MODE_FILE"
game_output | grep -q '^Using' || fail "the program no longer runs after Alt+Enter"

xdotool key F12
wait_for_line 10 "Screenshot saved to $HOME/Pictures/Hopwerk/.+\.png" ||
  fail "no screenshot line after F12"
SHOT=$(game_output | sed -n 's/^Screenshot saved to //p' | head -n 1)
[ -f "$SHOT" ] || fail "the screenshot $SHOT does not exist"
file "$SHOT" | grep -q "PNG image data, ${GAME_SIZE/x/ x }," ||
  fail "the screenshot is not a ${GAME_SIZE} PNG: $(file "$SHOT")"

# Into the first level: once the patch lines of loading have come and the logo shows (a few
# seconds after them, and it shows for many), past the logo and the title, New Game, the first
# episode, Medium.
wait_for_line 60 '[0-9]+ +P[0-9]+ +S[0-9]+ +EOF0' || fail "loading did not finish"
LINES=0
while [ "$(game_output | wc -l)" != "$LINES" ]; do
  LINES=$(game_output | wc -l)
  sleep 2
done
sleep 4
for key in Escape Escape Return Return Return; do
  xdotool key "$key"
  sleep 1.5
done
wait_for_line 20 'Actor control: 1' || fail "the first level did not start"
sleep 1
# Another program's window opens and the window manager gives it the focus, as when the player
# starts something beside the game.
xev -name other -geometry 200x200+0+0 >/dev/null 2>&1 &
OTHER_PID=$!
wait_for_line 10 'Game paused: the window lost the focus' ||
  fail "the level did not pause when the window lost the focus"
kill "$OTHER_PID" 2>/dev/null

# The player's full screen outlasts the game: the next start opens in it.
kill "$GAME_PID" && wait "$GAME_PID" 2>/dev/null
printf 'FullScreen\r\n' >"$MODE_FILE"
start_program
answer_dialog
find_game_window
wait_for_size 1280x1024 || fail "a remembered full screen opened at $(window_size)"

echo "PASS: Alt+Enter round trip ($GAME_SIZE, 1280x1024, $GAME_SIZE) remembered, F12 saved $SHOT," \
  "focus loss paused the level, full screen remembered at the next start"
exit 0
