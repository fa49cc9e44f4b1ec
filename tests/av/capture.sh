#!/bin/bash
# capture.sh SYNC_CAPTURE SYNC_MP3 TUNE_CAPTURE FFXAVSYNC WORKDIR -- the
# music in captured videos: the flash-and-tone demo's .mp4 (AAC) and .mkv
# (FLAC) in sync within one frame, the .mkv's and a PNG folder's music.wav
# holding exactly the music's samples as the programs play them (its MP3,
# SYNC_MP3 with its source beside it, decoded by mpg123 with the encoder's
# delay skipped); a looping music's picture at its
# length is the picture at 0, and its sequences need --duration; --start
# renders a section, with its music from there; the party's video (--size
# 1080p, 60 fps) has the streams a party asks for, in sync too.
. "$(dirname "$0")/lib.sh"
capture=$1 mp3=$2 tune=$3 avsync=$4 work=$5
rm -rf "$work" && mkdir -p "$work" && cd "$work" || exit 1
samples=$work/samples.raw
music_samples "$mp3" "$samples"

for video in sync.mp4 sync.mkv; do
  "$capture" --fps 30 -o "$video" || fail "$video not written"
  "$avsync" "$video" 33.3 15 || fail "$video out of sync by more than a frame"
done
ffmpeg -nostdin -v error -i sync.mkv -map 0:a -f s16le - | cmp - "$samples" ||
  fail "the .mkv's samples are not the music's"
"$capture" --fps 10 -o frames || fail "the PNG folder not written"
[ -f frames/frame_00080.png ] && [ ! -e frames/frame_00081.png ] || fail "not 8.1 s of frames"
ffmpeg -nostdin -v error -i frames/music.wav -f s16le - | cmp - "$samples" ||
  fail "music.wav does not hold the music's samples"
# --start: a section, its frames those of the whole run from there (at
# 3.25 s black, where 0 s is white), its music the samples from there
# (156000 sample frames in).
"$capture" --fps 10 --start 3.25 --duration 2 -o section || fail "the section not written"
"$capture" --ms 3550 -o at3550.png && cmp section/frame_00003.png at3550.png &&
  ! cmp -s section/frame_00000.png frames/frame_00000.png ||
  fail "the section's frames are not those from 3.25 s"
ffmpeg -nostdin -v error -i section/music.wav -f s16le - | cmp - <(tail -c +$((156000 * 4 + 1)) "$samples" | head -c $((96000 * 4))) ||
  fail "the section's music.wav is not the music from 3.25 s"
"$capture" --fps 10 --no-music -o silent.mkv --duration 1 &&
  [ "$(ffprobe -v error -show_entries stream=codec_type -of csv=p=0 silent.mkv)" = video ] ||
  fail "--no-music kept the music"

"$capture" --size 1080p --fps 60 --duration 3 -o party.mp4 || fail "party.mp4 not written"
streams=$(ffprobe -v error -show_entries stream=codec_name,profile,pix_fmt,width,height,r_frame_rate,sample_rate,channels \
  -of compact=p=0:nk=0 party.mp4)
for expected in "codec_name=h264|profile=High|width=1920|height=1080|pix_fmt=yuv420p|r_frame_rate=60/1" \
  "codec_name=aac|profile=LC|sample_rate=48000|channels=2"; do
  grep -qF "$expected" <<<"$streams" || fail "party.mp4 lacks $expected: $streams"
done
"$avsync" party.mp4 16.7 5 || fail "party.mp4 out of sync by more than a frame"

# The tune loops every 15.46 s (742080 sample frames).
"$tune" --ms 0 -o start.png && "$tune" --ms 15460 -o end.png && cmp start.png end.png ||
  fail "the looping picture at the music's length is not the picture at 0"
"$tune" --fps 10 --start 15.06 --duration 1 -o round &&
  cmp round/frame_00004.png start.png ||
  fail "a section across a looping music's end does not come round to its start"
[ "$(ffprobe -v error -show_entries stream=duration_ts -of csv=p=0 round/music.wav)" = 48000 ] ||
  fail "the looping section's music.wav is not 1 s long"
"$tune" --fps 30 -o tune.mp4 2>err.txt && fail "a looping music's sequence without --duration"
grep -q "the music loops" err.txt || fail "no reason given: $(cat err.txt)"
echo "capture: in sync within a frame, samples exact, a section from --start exact, the loop closes"
