# Shared by the window tests: a private Xvfb, a fresh home, the real program started in it and
# its driver dialog answered. Source it, then call the functions in order.
#
# Sets: WORK, PROGRAM, DISPLAY, HOME, GAME_PID, GAME_WINDOW, GAME_TITLE.
# Exit status of the test: 0 pass, 1 fail, 77 skipped (no Xvfb, xdotool or xev, or Xvfb cannot start).

DIALOG_TITLE="Please select your library"
GAME_TIMEOUT=60

XVFB_PID=""
WM_PID=""
GAME_PID=""

window_test_setup() {
  for tool in Xvfb xdotool xev; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "SKIP: $tool is not installed"
      exit 77
    fi
  done
  if [ $# -lt 1 ] || [ ! -x "$1" ]; then
    echo "FAIL: usage: $0 PATH/TO/hopwerk [ARGUMENT...] (got '${1:-}')"
    exit 1
  fi
  PROGRAM=$(cd "$(dirname "$1")" && pwd)/$(basename "$1")
  WORK=$(mktemp -d)
  trap window_test_cleanup EXIT
}

window_test_cleanup() {
  if [ -n "$GAME_PID" ] && kill -0 "$GAME_PID" 2>/dev/null; then
    kill "$GAME_PID" 2>/dev/null
    for _ in $(seq 50); do kill -0 "$GAME_PID" 2>/dev/null || break; sleep 0.1; done
    kill -9 "$GAME_PID" 2>/dev/null
  fi
  [ -n "$WM_PID" ] && kill "$WM_PID" 2>/dev/null
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null
    wait "$XVFB_PID" 2>/dev/null
  fi
  rm -rf "$WORK"
}

fail() {
  echo "FAIL: $*"
  if [ -s "$WORK/game.out" ]; then
    echo "--- program output (last lines) ---"
    tail -n 20 "$WORK/game.out"
  fi
  exit 1
}

start_xvfb() {
  # Xvfb picks a free display number itself and writes it to the descriptor we give it.
  mkfifo "$WORK/displayfd"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$WORK/displayfd" \
    >"$WORK/xvfb.log" 2>&1 &
  XVFB_PID=$!
  local number=""
  read -r -t 20 number <"$WORK/displayfd"
  if [ -z "$number" ] || ! kill -0 "$XVFB_PID" 2>/dev/null; then
    echo "SKIP: Xvfb could not start: $(tail -n 3 "$WORK/xvfb.log" | tr '\n' ' ')"
    exit 77
  fi
  export DISPLAY=":$number"

  # A fresh user: no remembered driver, nothing of the real home touched.
  export HOME="$WORK/home"
  export XDG_RUNTIME_DIR="$WORK/runtime"
  unset XDG_DATA_HOME XDG_CONFIG_HOME
  mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  export SDL_AUDIODRIVER=dummy
}

# A window manager, for what only one does: full screen at a player's request, moving focus.
start_window_manager() {
  if ! command -v openbox >/dev/null 2>&1; then
    echo "SKIP: openbox is not installed"
    exit 77
  fi
  openbox --sm-disable >"$WORK/wm.log" 2>&1 &
  WM_PID=$!
  sleep 1
  kill -0 "$WM_PID" 2>/dev/null || fail "the window manager did not start: $(tail -n 3 "$WORK/wm.log")"
}

# start_program [ARGUMENT...]
start_program() {
  (cd "$WORK" && exec "$PROGRAM" "$@") >"$WORK/game.out" 2>&1 &
  GAME_PID=$!
}

# Without a window manager, focusing is ours to do. Keys go through the X server's test
# extension so that press and release reach the program as from a keyboard.
focus_window() {
  xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1" 2>/dev/null
  sleep 0.3
}

answer_dialog() {
  local dialog=""
  # A sanitizer build on a machine busy with other tests can take a while to show it.
  for _ in $(seq 300); do
    dialog=$(xdotool search --onlyvisible --name "^${DIALOG_TITLE}\$" 2>/dev/null | head -n 1)
    [ -n "$dialog" ] && break
    kill -0 "$GAME_PID" 2>/dev/null || fail "the program ended before showing '$DIALOG_TITLE'"
    sleep 0.2
  done
  [ -n "$dialog" ] || fail "the window '$DIALOG_TITLE' did not appear within 60s"
  focus_window "$dialog"
  xdotool key Return 2>/dev/null
  for _ in $(seq 30); do
    xdotool search --name "^${DIALOG_TITLE}\$" >/dev/null 2>&1 || break
    sleep 0.1
  done
  # A key sent straight to the window is the fallback.
  if xdotool search --name "^${DIALOG_TITLE}\$" >/dev/null 2>&1; then
    xdotool key --window "$dialog" Return 2>/dev/null
  fi
}

# The game window: any visible window other than the dialog (its title is the project's).
find_game_window() {
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
}

# The output's lines without CR, for matching whole lines.
game_output() {
  tr -d '\r' <"$WORK/game.out"
}

# wait_for_line SECONDS PATTERN: until a whole output line matches the extended regex.
wait_for_line() {
  local seconds=$1 pattern=$2
  for _ in $(seq $((seconds * 5))); do
    game_output | grep -qxE "$pattern" && return 0
    kill -0 "$GAME_PID" 2>/dev/null || return 1
    sleep 0.2
  done
  return 1
}
