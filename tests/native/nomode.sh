#!/bin/bash
# nomode.sh -- on a screen smaller than 640x480 the mode is refused:
# "Video mode not found" (caption "Error") and then "DDRAW_Init" (caption
# "ERROR") are shown, each answered with Return, and the exit code is 0.
. "$(dirname "$0")/lib.sh"

start_demo 320x240x24
for caption in Error ERROR; do
  box=$(e2e_wait_window "^$caption\$" 10) || fail "no box captioned $caption; stderr: $(cat "$work/stderr.txt")"
  [ "$caption" = Error ] && e2e_screenshot "$work/box.png"
  xdotool windowfocus --sync "$box" key Return
  # The next box may reuse the window: wait until this one has gone.
  for _ in $(seq 50); do
    [ -z "$(e2e_window_ids "^$caption\$")" ] && break
    sleep 0.1
  done
done
ends_with_zero_within 2
# The boxes' texts on stderr, in order (libraries may add lines of their own).
boxes=$(grep -E '^(Error|ERROR): ' "$work/stderr.txt")
[ "$boxes" = $'Error: Video mode not found\nERROR: DDRAW_Init' ] || fail "stderr was: $(cat "$work/stderr.txt")"
echo "nomode: both boxes in order, exit code 0"
