#!/bin/bash
# native.sh -- the effect that writes one row past its frame buffer, natively:
# the program on Xvfb ends at once with a non-zero exit and the line that
# names the overrun; the capture tool does the same, for one frame and for a
# video, and leaves no file behind.
# Usage: native.sh OVERRUN OVERRUN-CAPTURE WORKDIR
set -u
. "$(dirname "$0")/../../scripts/e2e-lib.sh"
program=$1 capture=$2 work=$3
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
trap e2e_stop_xvfb EXIT
rm -rf "$work"
mkdir -p "$work/out"
line='the effect wrote past its frame buffer of 320 x 200 x 4 bytes in FFX_Render at'

e2e_start_xvfb 640x480x24 || fail "no Xvfb"
"$program" 2>"$work/stderr.txt" &
e2e_wait_exit $! 10
status=$?
[ "$status" -ne 124 ] || fail "the program is still running 10 s later"
[ "$status" -ne 0 ] || fail "the program ended with 0"
# Half a second in at the earliest, and no later than a few frames after.
grep -qE "^$line 0\.(5|6)[0-9]{2} s\$" "$work/stderr.txt" ||
  fail "no line for the overrun (exit $status): $(cat "$work/stderr.txt")"
echo "program: exit $status, $(cat "$work/stderr.txt")"

for output in frame.png clip.mp4; do
  if [ $output = frame.png ]; then set -- --ms 1000; else set -- --fps 10 --duration 2; fi
  (cd "$work/out" && "$capture" "$@" -o $output) 2>"$work/capture.txt" && fail "the capture of $output succeeded"
  expected="${capture##*/}: $line $([ $output = frame.png ] && echo 1.000 || echo 0.500) s"
  [ "$(cat "$work/capture.txt")" = "$expected" ] || fail "capture of $output said: $(cat "$work/capture.txt")"
  [ -z "$(ls -A "$work/out")" ] || fail "the capture of $output left $(ls -A "$work/out")"
done
echo "capture: one frame and a video named the overrun and left nothing behind"
