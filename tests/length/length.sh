#!/bin/bash
# length.sh CUT_CAPTURE TIMED TIMED_CAPTURE WORKDIR -- a demo's LENGTH: its
# captures last that long by default, the music cut there and faded out over
# FADE (its tones at full loudness before, quieter and quieter in it, silent
# at the end), and the program without music ends by itself at its length
# with exit code 0.
. "$(dirname "$0")/../../scripts/e2e-lib.sh"
cut=$1 timed=$2 timed_capture=$3 work=$4
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
trap 'e2e_stop_xvfb' EXIT
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1

"$cut" --fps 10 -o cut || fail "the cut demo's capture failed"
[ -f cut/frame_00029.png ] && [ ! -e cut/frame_00030.png ] || fail "the cut demo's capture is not 3 s"
[ "$(ffprobe -v error -show_entries stream=duration_ts -of csv=p=0 cut/music.wav)" = 144000 ] ||
  fail "the cut demo's music is not 3 s long"
# The loudest sample of each tone (at 0, 0.5 ... 2.5 s, 0.1 s each), and of
# the last 20 ms.
peak() {
  ffmpeg -nostdin -v error -ss "$1" -t "$2" -i cut/music.wav -f s16le - |
    od -An -v -td2 -w2 | awk '{ v = $1 < 0 ? -$1 : $1; if (v > m) m = v } END { print m + 0 }'
}
full=$(peak 1.0 0.1) faded=$(peak 2.5 0.1) last=$(peak 2.98 0.02)
echo "tone peaks: $full at 1.0 s, $faded at 2.5 s in the fade; $last in the last 20 ms"
# The same tone, through MP3 each time: within 2 %.
early=$(peak 0.5 0.1)
awk "BEGIN { d = $early - $full; exit !(d < 0.02 * $full && -d < 0.02 * $full) }" ||
  fail "the tones before the fade differ: $early and $full"
awk "BEGIN { exit !($faded > 0.3 * $full && $faded < 0.7 * $full && $last < 0.01 * $full) }" ||
  fail "the music does not fade out over the last second"

"$timed_capture" --fps 10 -o timed || fail "the timed demo's capture failed"
[ -f timed/frame_00014.png ] && [ ! -e timed/frame_00015.png ] || fail "the timed demo's capture is not 1.5 s"

e2e_start_xvfb 320x240x24 || fail "no Xvfb"
start=$(date +%s.%N)
"$timed" 2>"$work/stderr.txt" &
e2e_expect_exit $! 10 || fail "the timed demo did not end by itself with 0"
took=$(awk "BEGIN { printf \"%.2f\", $(date +%s.%N) - $start }")
awk "BEGIN { exit !($took >= 1.5) }" || fail "the timed demo ended after $took s, before its length"
echo "length: captures of 3 s and 1.5 s, the music faded; the program ended by itself after $took s"
