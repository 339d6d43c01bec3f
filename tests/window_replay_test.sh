#!/bin/bash
# The start of the demo's first episode, played from the same input headless and in a real
# (virtual) X window at the display's pace: the frog ends in the same place with the same
# coins. Only walking and jumping: the real clock times shots, so how many seeds fly can
# differ on a busy machine.
#
# Usage: window_replay_test.sh PATH/TO/hopwerk-window-replay ROUTES_DIR
#   (hopwerk-replay and the demo project sit beside the program)
# Exit status: 0 pass, 1 fail, 77 skipped (no Xvfb, or Xvfb cannot start).

set -u
# shellcheck source=window_lib.sh
. "$(dirname "$0")/window_lib.sh"

window_test_setup "$@"
ROUTES=$2
start_xvfb
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
export SDL_AUDIODRIVER=dummy
BIN=$(dirname "$PROGRAM")
REPLAY="$BIN/hopwerk-replay"
PLAYED=415

# New Game on Medium as the episode tests press it, then Meadow1's route up to its first kill.
loading=$("$REPLAY" --home "$WORK/h0" --frames 150 "$BIN" | grep -c '^console| ')
menu=$((loading + 30))
first=$(awk '$1 == "Meadow1" { print $2 }' "$ROUTES/Episode1.txt")
{
  echo "$((loading + 5)) tap ESC"
  echo "$((loading + 10)) tap ESC"
  echo "$menu tap ENTER"
  echo "$((menu + 12)) tap ENTER"
  echo "$((menu + 17)) tap ENTER"
  echo "$((first - 1)) tap 1"
  awk -v base=$((first - 1)) -v last=$PLAYED \
    '$1 ~ /^[0-9]+$/ && $1 <= last { print base + $1, $2, $3 }' "$ROUTES/Meadow1.txt"
} >"$WORK/input"
frames=$((first + PLAYED))

"$REPLAY" --home "$WORK/h1" --input "$WORK/input" --frames $frames --state "$BIN" >"$WORK/replay.out"
state() { sed -n "s/^state| $1=//p" "$WORK/replay.out"; }
expected="frames $frames level $(state CurrentLevelName) x $(state PlayerX) y $(state PlayerY) score $(state Score) items $(state Items) kills 0 deaths 0"

HOME="$WORK/h2" "$PROGRAM" "$WORK/input" $frames "$BIN" >"$WORK/game.out" 2>&1 ||
  fail "the window replay ended with status $?"
got=$(tail -n 1 "$WORK/game.out")
[ "$(state Items)" -gt 3 ] || fail "the frog took nothing on the way headless: $expected"
[ "$got" = "$expected" ] || fail "in the window: '$got', headless: '$expected'"
echo "PASS: $got"
exit 0
