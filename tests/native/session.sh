#!/bin/bash
# session.sh -- a whole session on a screen of the frame's size (FFX_SCREEN,
# default 640x480), where the picture is not scaled: the screen shows an
# exact effect frame; Space brings the frame-rate
# readout within a second and a second Space takes it away; Escape ends the
# program with exit code 0 within two seconds.
. "$(dirname "$0")/lib.sh"

start_demo "${FFX_SCREEN:-640x480}x24"
screen_shows 10 || fail "the screen never showed an effect frame: $(cat "$work/check.txt")"
cp "$work/screen.png" "$work/frame.png"
cat "$work/check.txt"

xdotool key space
screen_shows 1 --readout || fail "no readout a second after Space: $(cat "$work/check.txt")"
cp "$work/screen.png" "$work/readout.png"
xdotool key space
screen_shows 1 || fail "the readout stayed a second after the second Space: $(cat "$work/check.txt")"

xdotool key Escape
ends_with_zero_within 2
echo "session: frame exact, readout on and off, Escape ends with 0"
