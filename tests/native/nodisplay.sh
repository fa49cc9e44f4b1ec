#!/bin/bash
# nodisplay.sh -- with no display to show on (no DISPLAY, no WAYLAND_DISPLAY)
# the demo says so and ends through its window's failed start-up ("WIN_Init",
# exit code 0) instead of running unseen.
. "$(dirname "$0")/lib.sh"

env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$demo" 2>"$work/stderr.txt" &
demo_pid=$!
ends_with_zero_within 5
grep -q 'no display to show on' "$work/stderr.txt" && grep -qx 'ERROR: WIN_Init' "$work/stderr.txt" ||
  fail "stderr was: $(cat "$work/stderr.txt")"
echo "nodisplay: said so, WIN_Init reported, exit code 0"
