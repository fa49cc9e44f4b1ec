#!/bin/bash
# live.sh SYNC FFXAVSYNC WORKDIR [LATENCY_MS] -- the flash-and-tone demo on
# Xvfb, playing into a null sink while screen and sound are recorded: it
# ends by itself at the music's end with exit 0, and the median offset
# between flashes and tones is within 40 ms. With LATENCY_MS the server
# holds that much of the demo's sound (PULSE_LATENCY_MSEC, the demo's
# alone), as Bluetooth headphones do.
. "$(dirname "$0")/lib.sh"
demo=$1 avsync=$2 work=$3 latency=${4:-}
mkdir -p "$work"

start_pulse "$work"
e2e_start_xvfb 320x240x24 || fail "no Xvfb"
e2e_start_recording "$work/recording.mkv" 320x240
sleep 1
if [ -n "$latency" ]; then
  PULSE_LATENCY_MSEC=$latency "$demo" 2>"$work/stderr.txt" &
else
  "$demo" 2>"$work/stderr.txt" &
fi
e2e_expect_exit $! 15 || fail "the demo did not end by itself with 0: $(cat "$work/stderr.txt")"
sleep 0.5
e2e_stop_recording || fail "the recording did not end"
grep -q "sound device" "$work/stderr.txt" && fail "it played silently: $(cat "$work/stderr.txt")"
"$avsync" "$work/recording.mkv" 40 12 || fail "out of sync"
echo "live: in sync, ended by itself with 0"
