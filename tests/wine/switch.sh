#!/bin/bash
# switch.sh -- switching away from the Windows program and back, under Wine
# in a 640x480 virtual desktop. While another program has the foreground the
# demo renders nothing and uses no processor time (Wine reports its surfaces
# lost); brought back, its frames are exact again, the time follows the
# clock, the grid carries on from where it stopped, and the readout comes
# back when it was on. Escape then ends it with exit code 0.
# Usage: switch.sh FFXDEMO.EXE FFXSWITCH.EXE SCREENCHECK WORKDIR
exe=$1 switcher=$2 WINE_CHECKER=$3 WINE_WORK=$4
. "$(dirname "$0")/wine-lib.sh"
away=2.5 # seconds in the other program: 11 or 12 grid steps missed

cpu_ticks() {
  awk '{ print $14 + $15 }' "/proc/$WINE_PID/stat"
}

# The grid's lag behind the clock in the check NAME, in steps (mod 20): the
# steps the grid would have taken by the frame's time, less its row.
grid_lag() {
  sed -n 's/.* seconds \([0-9.]*\) .* scroll row \([0-9]*\);.*/\1 \2/p' "$WINE_WORK/$1.txt" |
    awk '{ print ((int($1 / 0.2) - $2) % 20 + 20) % 20 }'
}

shown_seconds() {
  sed -n 's/.* seconds \([0-9.]*\) .*/\1/p' "$WINE_WORK/$1.txt"
}

wine_require "$exe"
[ -f "$switcher" ] || wine_fail "$switcher is missing; build it with 'make windows'"
wine_setup 640x480x24 640x480
# The lost surfaces show in ddraw's warnings.
WINE_TRACE=warn+ddraw wine_start "$exe"
started=$(date +%s.%N)
win=$(e2e_wait_window '^cname$' 60) || wine_fail "the program's window did not appear"

for readout in off on; do
  mode=exact
  if [ "$readout" = on ]; then
    mode=readout
    wine_key "$win" key space
  fi
  wine_check_screen before-$readout 20 $mode
  lag_before=$(grid_lag before-$readout)
  WINEDEBUG=-all wine "$switcher" "$away" >>"$WINE_LOG" 2>&1 &
  other=$!
  e2e_wait_window '^ffxswitch$' 30 >/dev/null || wine_fail "the other program's window did not appear"
  sleep 0.3
  before=$(cpu_ticks)
  sleep 1.7
  used=$(($(cpu_ticks) - before))
  e2e_screenshot "$WINE_WORK/away-$readout.png"
  [ "$used" -le 10 ] || wine_fail "$used clock ticks of processor time in 1.7 s in the background"
  e2e_expect_exit "$other" 30 || wine_fail "the other program did not bring the demo back"
  wine_check_screen back-$readout 20 $mode
  now=$(date +%s.%N)
  shown=$(shown_seconds back-$readout) lag=$(grid_lag back-$readout)
  # The frame is new (taking and checking a shot takes a moment), and no
  # newer than the clock.
  awk "BEGIN { d = $now - $started - $shown; exit !(d > 0 && d < 3) }" ||
    wine_fail "back: the frame shows $shown s, $(awk "BEGIN { print $now - $started }") s after the start"
  # Carried on: the steps missed while away are still missing.
  steps=$(( (lag - lag_before + 20) % 20 ))
  [ "$steps" -ge 6 ] && [ "$steps" -le 16 ] ||
    wine_fail "back: the grid lags $steps steps more than before, expected those missed in $away s"
  echo "readout $readout: $used ticks away; back at $shown s, $steps grid steps behind the clock"
done

lost=$(grep -c 'warn:ddraw:ddraw_surface7_Lock Surface is lost' "$WINE_LOG")
[ "$lost" -ge 2 ] || wine_fail "Wine reported lost surfaces $lost times, expected once a return"
echo "Wine reported lost surfaces $lost times; the frames after them are exact, so each restore ran"
wine_key "$win" key Escape
wine_expect_exit 15
echo "PASS"
