#!/bin/bash
# close.sh -- the window's close request (what a window manager sends when
# the user closes it), and Alt+F4 where no window manager takes it, each end
# the program with exit code 0 within two seconds.
. "$(dirname "$0")/lib.sh"

start_demo 640x480x24
# Only once frames show: the window the display draws in is the one to ask.
screen_shows 10 || fail "the screen never showed an effect frame"
window=$(e2e_wait_window '^cname$' 2) || fail "no window named cname"
"$wmclose" "$window" || fail "could not send the close request"
ends_with_zero_within 2
echo "close: the close request ends the program with 0"
e2e_stop_xvfb

start_demo 640x480x24
screen_shows 10 || fail "the screen never showed an effect frame"
xdotool key alt+F4
ends_with_zero_within 2
echo "close: Alt+F4 ends the program with 0"
