#!/bin/bash
# loop.sh TUNE TUNE_MP3 WORKDIR -- the looping tune (15.46 s) played into a
# null sink and recorded past its loop point: the recording holds, to the
# sample, the music's last second followed by its first (its MP3, with its
# source beside it, decoded by mpg123 with the encoder's delay skipped), so
# there is no gap and no click where it starts again. (The picture starting
# again with it: the looped clock's unit tests, and av.capture.)
. "$(dirname "$0")/lib.sh"
demo=$1 mp3=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1
source=${mp3%.mp3}.cpp
delay=$(sed -n 's/.*musicCodedDelay = \([0-9]*\);/\1/p' "$source")
frames=$(sed -n 's/.*musicFrames = \([0-9]*\);/\1/p' "$source")
mpg123 -q --no-gapless -e s16 -s "$mp3" | tail -c +$((delay * 4 + 1)) | head -c $((frames * 4)) >"$work/music.raw"
[ "$(stat -c %s "$work/music.raw")" -eq $((frames * 4)) ] || fail "$mp3 decodes to less than the music"

start_pulse "$work"
e2e_start_xvfb 640x480x24 || fail "no Xvfb"
e2e_start_recording "$work/recording.mkv"
sleep 1
"$demo" 2>"$work/stderr.txt" &
demo_pid=$!
sleep $((frames / 48000 + 4))
xdotool key Escape
e2e_expect_exit "$demo_pid" 5 || fail "Escape did not end it with 0: $(cat "$work/stderr.txt")"
e2e_stop_recording || fail "the recording did not end"
grep -q "sound device" "$work/stderr.txt" && fail "it played silently: $(cat "$work/stderr.txt")"
ffmpeg -nostdin -v error -i "$work/recording.mkv" -map 0:a -f s16le "$work/recording.raw" ||
  fail "the recording cannot be read"

# The music's last second, found in the recording to the byte, and what
# follows it there: the music's first second, to the byte.
node -e '
  const fs = require("fs");
  const [recording, music] = process.argv.slice(1).map(f => fs.readFileSync(f));
  const second = 48000 * 4, last = music.subarray(music.length - second);
  const at = recording.indexOf(last);
  if (at < 0) { console.log("the music\x27s last second is not in the recording"); process.exit(1); }
  const after = recording.subarray(at + second, at + 2 * second);
  if (after.length < second) { console.log("the recording stops before a second past the loop point"); process.exit(1); }
  if (!after.equals(music.subarray(0, second))) {
    console.log("the second after the loop point is not the music\x27s start: a gap or a click"); process.exit(1);
  }
  console.log(`loop: the music\x27s end and its start again, sample for sample, ${((at + second) / second).toFixed(3)} s into the recording`);
' "$work/recording.raw" "$work/music.raw" >"$work/check.txt"
status=$?
cat "$work/check.txt"
[ "$status" -eq 0 ] || fail "$(cat "$work/check.txt")"
