#!/bin/bash
# music.sh NODE SYNCDIR FFXAVSYNC BROWSER WORKDIR -- the flash-and-tone page
# in BROWSER, playing into a null sink of the test's own whose sound is
# recorded (music.js clicks it and notes its flashes): no sound before the
# click, and the median offset between the flashes put on the canvas and
# the tones heard within 40 ms; with FFX_AWAY, paused while the focus was
# away (music.js).
set -u
. "$(dirname "$0")/../../scripts/e2e-lib.sh"
node=$1 web=$2 avsync=$3 browser=$4 work=$5
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
rm -rf "$work" && mkdir -p "$work"
trap 'e2e_stop_recording; e2e_stop_pulse' EXIT
e2e_start_pulse "$work" || fail "the sound server did not start"
# Headless Firefox's page process hangs now and then, about one run in
# ten (its remote agent's pings time out, then the target closes): a second
# try then, on a recording of its own.
for try in 1 2; do
  e2e_start_recording "$work/sound.mkv"
  FFX_PAGE=sync.html FFX_SIZE=320x240 timeout 60 \
    "$node" "$(dirname "$0")/music.js" "$web" none "$browser" "$work" && break
  e2e_stop_recording
  [ "$try" = 2 ] && fail "the page did not play to its end"
  echo "the browser did not play the page to its end; once more"
done
sleep 0.5
e2e_stop_recording || fail "the recording did not end"
report=$("$avsync" "$work/sound.mkv" 40 12 "$work/flashes") || fail "out of sync: $report"
echo "$report"
first=${report##*tones from }
first=${first%% *}
awk "BEGIN { exit !($first >= $(cat "$work/click")) }" || fail "sound at $first, before the click"
if [ -n "${FFX_AWAY:-}" ]; then
  # 7.5 s from the first tone to the last, and the time away.
  last=${report##* to }
  awk "BEGIN { exit !($last - $first > 7.5 + $FFX_AWAY - 0.5) }" ||
    fail "the music did not pause while the page had no focus (tones from $first to $last)"
  echo "music: paused while another window had the focus"
fi
echo "music: silent until the click, then in sync"
