#!/bin/bash
# live.sh SYNC FFXAVSYNC WORKDIR -- the flash-and-tone demo on Xvfb, playing
# into a null sink while screen and sound are recorded: it ends by itself
# at the music's end with exit 0, and the median offset between flashes
# and tones is within 40 ms.
. "$(dirname "$0")/lib.sh"
demo=$1 avsync=$2 work=$3
mkdir -p "$work"

start_pulse "$work"
e2e_start_xvfb 320x240x24 || fail "no Xvfb"
e2e_start_recording "$work/recording.mkv" 320x240
sleep 1
"$demo" 2>"$work/stderr.txt" &
e2e_expect_exit $! 15 || fail "the demo did not end by itself with 0: $(cat "$work/stderr.txt")"
sleep 0.5
e2e_stop_recording || fail "the recording did not end"
grep -q "sound device" "$work/stderr.txt" && fail "it played silently: $(cat "$work/stderr.txt")"
"$avsync" "$work/recording.mkv" 40 12 || fail "out of sync"
echo "live: in sync, ended by itself with 0"
