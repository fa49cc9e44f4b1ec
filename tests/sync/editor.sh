#!/bin/bash
# editor.sh LIVE WORKDIR -- the probe's live program (LIVE) on Xvfb, with a
# sound server of the test's own, against a sync editor that editor.js
# plays on loopback. The sink's sound is recorded (and thrown away), so
# that the null sink keeps a device's pace: one that nobody records runs up
# to two seconds ahead, and the sound of each move, which opens the device
# again, is heard that much later (the picture rightly waits for it).
set -u
. "$(dirname "$0")/../../scripts/e2e-lib.sh"
live=$1 work=$2
trap 'e2e_stop_recording; e2e_stop_pulse; e2e_stop_xvfb' EXIT
rm -rf "$work" && mkdir -p "$work" || exit 1
e2e_start_xvfb 640x480x24 || exit 1
e2e_start_pulse "$work" || {
  echo "FAIL: the sound server did not start: $(cat "$work/pulse.log")" >&2
  exit 1
}
e2e_start_recording "$work/sound.mkv"
node "$(dirname "$0")/editor.js" "$live" "$work"
