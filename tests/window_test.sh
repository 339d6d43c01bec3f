#!/bin/bash
# The real program in a real (virtual) X server: the driver dialog appears, a key press
# answers it, the game window opens and the choice is remembered.
#
# Usage: window_test.sh PATH/TO/hopwerk [ARGUMENT...]
#   (without arguments the demo project sits beside the executable or is installed with it)
# Exit status: 0 pass, 1 fail, 77 skipped (no Xvfb or xdotool, or Xvfb cannot start).

set -u
# shellcheck source=window_lib.sh
. "$(dirname "$0")/window_lib.sh"

window_test_setup "$@"
shift
start_xvfb
DRIVER_FILE="$HOME/.local/share/QVD_Hopwerk/RunDriver"
start_program "$@"
answer_dialog
find_game_window
if xdotool search --onlyvisible --name "^${DIALOG_TITLE}\$" >/dev/null 2>&1; then
  fail "the dialog is still shown beside the game window"
fi

[ -f "$DRIVER_FILE" ] || fail "the driver choice was not written to $DRIVER_FILE"
# One line "DX" (the pre-selected choice with no remembered driver); CR LF line end allowed.
CHOICE=$(head -n 1 "$DRIVER_FILE" | tr -d '\r')
LINES=$(wc -l <"$DRIVER_FILE")
[ "$CHOICE" = "DX" ] || fail "the driver file holds '$CHOICE', expected 'DX'"
[ "$LINES" -le 1 ] || fail "the driver file holds $LINES lines, expected one"
game_output | grep -qx 'Using DirectX' || fail "no 'Using DirectX' trace line"

echo "PASS: dialog answered, game window '$GAME_TITLE' open, driver file holds DX"
exit 0
