#!/bin/bash
# The window platform's pace in a real (virtual) X server, whose software presents claim vsync
# and do not wait for any retrace.
#
# Usage: window_pacing_test.sh PATH/TO/hopwerk-window-pacing
# Exit status: 0 pass, 1 fail, 77 skipped (no Xvfb, or Xvfb cannot start).

set -u
# shellcheck source=window_lib.sh
. "$(dirname "$0")/window_lib.sh"

window_test_setup "$@"
start_xvfb
# SDL unloads the X libraries it opened at exit, and what they keep for the process's lifetime
# then shows as leaks of an unknown module: nothing of ours, and this program only measures.
export ASAN_OPTIONS="${ASAN_OPTIONS:-}:detect_leaks=0"
"$PROGRAM" 4 || fail "the window did not keep 60 frames a second"
exit 0
