#!/bin/bash
# music.sh -- the flash-and-tone demo's .exe, copied alone into an empty
# folder (it needs nothing beside it), in a Wine virtual desktop of its
# size.
#
# in-step: playing through Wine's PulseAudio driver into a null sink while
# screen and sound are recorded, it ends by itself at the music's end with
# exit 0, the median offset between flashes and tones within 40 ms.
# Switched away for 1.5 s, music and picture pause and carry on in step.
# With LATENCY_MS the server holds that much of the demo's sound
# (PULSE_LATENCY_MSEC, Wine's process alone).
# Run it alone: beside other work the picture reaches the screen late under
# Wine (about 140 ms with two busy processors), which says nothing of the
# music's clock.
#
# silent: without the ACM's MP3 codec, with its sound server ended 3 s in,
# or with none at all, it runs to the music's end on its timer and exits 0,
# saying so once, with no message box.
# Usage: music.sh in-step|silent SYNC.EXE FFXSWITCH.EXE FFXAVSYNC WORKDIR
mode=$1 exe=$2 switcher=$3 avsync=$4 WINE_WORK=$5 latency=${6:-}
. "$(dirname "$0")/wine-lib.sh"

wine_require "$exe"
wine_setup_music "$exe"

if [ "$mode" = in-step ]; then
  e2e_start_recording "$WINE_WORK/recording.mkv" 320x240
  sleep 1
  if [ -n "$latency" ]; then
    PULSE_LATENCY_MSEC=$latency wine_start sync.exe
  else
    wine_start sync.exe
  fi
  sleep 4
  WINEDEBUG=-all wine "$switcher" 1.5 >>"$WINE_LOG" 2>&1 &
  e2e_expect_exit $! 30 || wine_fail "the other program did not bring the demo back"
  wine_expect_exit 30
  sleep 0.5
  e2e_stop_recording || wine_fail "the recording did not end"
  report=$("$avsync" "$WINE_WORK/recording.mkv" 40 12) || wine_fail "flashes and tones not in step: $report"
  echo "$report"
  # 7.5 s from the first tone to the last, and the time away.
  span=${report##*tones from }
  awk -v s="${span% to *}" -v e="${span##* to }" 'BEGIN { exit !(e - s > 8.5) }' ||
    wine_fail "the music did not pause while away (tones $span)"
  echo "PASS"
  exit 0
fi

for case in no-decoder stopped no-server; do
  started=$SECONDS
  case $case in
    no-decoder) WINEDLLOVERRIDES=l3codeca.acm=d wine_start sync.exe ;;
    stopped)
      wine_start sync.exe
      sleep 3
      e2e_stop_pulse
      ;;
    no-server) PULSE_SERVER=unix:$WINE_WORK/no-server wine_start sync.exe ;;
  esac
  wine_expect_exit 30
  [ $((SECONDS - started)) -ge 7 ] || wine_fail "$case: it ended before the music's end"
  [ -z "$(wine_boxes)" ] || wine_fail "$case: unexpected message boxes: $(wine_boxes)"
  grep "silently on its timer" "$WINE_LOG" || wine_fail "$case: it did not say it went on silently"
done
echo "PASS"
