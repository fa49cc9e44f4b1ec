#!/bin/bash
# activation.sh -- when the window loses the focus the demo stops rendering
# and sleeps (no processor time, the screen stays still); when it gets the
# focus back, frames resume.
. "$(dirname "$0")/lib.sh"

# Processor time of the demo so far, in clock ticks.
cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$demo_pid/stat"
}

start_demo 640x480x24
screen_shows 10 || fail "the screen never showed an effect frame"
window=$(e2e_wait_window '^cname$' 2) || fail "no window named cname"

xdotool windowfocus "$(xwininfo -root | awk '/Window id:/ { print $4 }')"
sleep 0.5
before=$(cpu_ticks)
e2e_screenshot "$work/still1.png"
sleep 2
e2e_screenshot "$work/still2.png"
used=$(($(cpu_ticks) - before))
[ "$used" -le 10 ] || fail "$used clock ticks of processor time in 2 s without the focus"
cmp -s "$work/still1.png" "$work/still2.png" || fail "frames went on without the focus"

xdotool windowfocus "$window"
sleep 0.5
screen_shows 2 && ! cmp -s "$work/still2.png" "$work/screen.png" || fail "no new frames with the focus back"

xdotool key Escape
ends_with_zero_within 2
echo "activation: still and asleep without the focus ($used ticks in 2 s), frames again with it"
