#!/bin/bash
# interpolation.sh CAPTURE WORKDIR -- each interpolation's value at a
# quarter of the way between its keys (probe/probe.rocket's probe:other, 16
# rows a second), read from the probe's frames as the capture tool renders
# them: linear 40, smooth 25 (t^2 (3 - 2t)), ramp 10 (t^2), step 100; and
# before the first key the first's value, after the last the last's.
set -u
capture=$1 work=$2
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
# Rows 20, 37, 54 and 71 (the frame from 2313 ms is 37.008), 0 and 144.
for pair in 0:0 1250:40 2313:25 3375:10 4438:100 9000:200; do
  ms=${pair%:*} want=${pair#*:}
  "$capture" --ms "$ms" -o at.png || exit 1
  red=$(convert at.png -depth 8 -format '%[fx:int(255*p{0,470}.r+0.5)]' info:)
  [ "$red" = "$want" ] || { echo "FAIL: at $ms ms the track is $red, not $want" >&2; exit 1; }
done
echo "interpolation: linear, smooth, ramp and step as the editors define them, in the captured frames"
