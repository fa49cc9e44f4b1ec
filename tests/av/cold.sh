#!/bin/bash
# cold.sh SYNC FFXAVSYNC WORKDIR cold|suspended -- the flash-and-tone demo
# on Xvfb, started on a sound device that is slow to start, with nothing
# recording it then:
# - cold: a null sink that nobody records, whose sound is heard about a
#   second late (the server says so: the position stands);
# - suspended: a sink suspended when the demo starts, resumed 1.5 s later,
#   and suspended again for 1.5 s while it plays.
# Picture and sound wait for the device and start together: the demo never
# goes silent, ends by itself with exit 0, and from 2 s in, when the
# recording starts, to its end the median offset between flashes and tones
# is within 40 ms.
. "$(dirname "$0")/lib.sh"
demo=$1 avsync=$2 work=$3 mode=$4
mkdir -p "$work"

start_pulse "$work"
e2e_start_xvfb 320x240x24 || fail "no Xvfb"
[ "$mode" = suspended ] && pactl suspend-sink ffx 1
"$demo" 2>"$work/stderr.txt" &
demo_pid=$!
if [ "$mode" = suspended ]; then
  sleep 1.5
  pactl suspend-sink ffx 0
fi
sleep "$([ "$mode" = suspended ] && echo 0.5 || echo 2)"
e2e_start_recording "$work/recording.mkv" 320x240
if [ "$mode" = suspended ]; then
  sleep 2
  pactl suspend-sink ffx 1
  sleep 1.5
  pactl suspend-sink ffx 0
fi
e2e_expect_exit "$demo_pid" 20 || fail "the demo did not end by itself with 0: $(cat "$work/stderr.txt")"
sleep 0.5
e2e_stop_recording || fail "the recording did not end"
grep -q "sound device" "$work/stderr.txt" && fail "it went silent: $(cat "$work/stderr.txt")"
FFX_AVSYNC_LIST=1 "$avsync" "$work/recording.mkv" 40 8 || fail "out of sync"
echo "$mode: waited for the device, in sync to the end"
