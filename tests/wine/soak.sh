#!/bin/bash
# soak.sh -- the Windows program under Wine for SECONDS (default 60) while
# the frame-rate readout is switched on and off many times, by held keys
# (auto-repeat) and single presses; every single press must flip the
# readout on the screen. Ends on Escape with exit code 0.
# Usage: soak.sh FFXDEMO.EXE SCREENCHECK WORKDIR [SECONDS]
exe=$1 WINE_CHECKER=$2 WINE_WORK=$3 soak=${4:-60}
. "$(dirname "$0")/wine-lib.sh"

wine_require "$exe"
wine_setup 640x480x24 640x480
wine_start "$exe"
win=$(e2e_wait_window '^cname$' 60) || wine_fail "the program's window did not appear"
wine_check_screen start 20 exact

# At least $soak s: SECONDS counts whole seconds.
end=$((SECONDS + soak + 1))
holds=(0.8 1.1 1.4 1.7)
round=0
while [ "$SECONDS" -lt "$end" ]; do
  # Held long enough to repeat: the readout ends up on or off.
  wine_key "$win" keydown space
  sleep "${holds[round % 4]}"
  wine_key "$win" keyup space
  # Lets the last repeats reach the screen before it is read.
  sleep 1
  wine_alive
  wine_check_screen held 10 exact readout >/dev/null
  before=$WINE_SCREEN_MODE
  wine_key "$win" key space
  if [ "$before" = exact ]; then after=readout; else after=exact; fi
  wine_check_screen pressed 10 "$after" >/dev/null
  round=$((round + 1))
done
echo "$round rounds: readout held and pressed, each press seen on the screen"

# The last check's frame is fresh: the effect's clock shows the whole soak.
seconds=$(sed -n 's/.* seconds \([0-9.]*\) .*/\1/p' "$WINE_WORK/pressed.txt")
awk "BEGIN { exit !($seconds >= $soak) }" || wine_fail "the last frame shows $seconds s, expected $soak s or more"
echo "last frame at $seconds s"
wine_key "$win" key Escape
wine_expect_exit 15
[ -z "$(wine_boxes)" ] || wine_fail "unexpected message boxes: $(wine_boxes)"
echo "PASS"
