# lib.sh -- what the music's end-to-end tests share: a sound server of the
# test's own (PulseAudio with a null sink, its own runtime folder), a
# recording of the screen and of what the sink plays, and cleaning up.
set -u
. "$(dirname "$0")/../../scripts/e2e-lib.sh"

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cleanup() {
  e2e_stop_recording
  e2e_stop_pulse
  e2e_stop_xvfb
}
trap cleanup EXIT

start_pulse() {
  e2e_start_pulse "$1" || fail "the sound server did not start: $(cat "$1/pulse.log")"
}

# music_samples MP3 OUT: writes to OUT the music's samples as the programs
# play them: MP3 (with its source, .cpp, beside it) decoded by mpg123, the
# encoder's delay skipped, the music's length kept.
music_samples() {
  local source=${1%.mp3}.cpp delay frames
  delay=$(sed -n 's/.*musicCodedDelay = \([0-9]*\);/\1/p' "$source")
  frames=$(sed -n 's/.*musicFrames = \([0-9]*\);/\1/p' "$source")
  [ -n "$delay" ] && [ -n "$frames" ] || fail "no delay or length in $source"
  mpg123 -q --no-gapless -e s16 -s "$1" | tail -c +$((delay * 4 + 1)) | head -c $((frames * 4)) >"$2"
  [ "$(stat -c %s "$2")" -eq $((frames * 4)) ] || fail "$1 decodes to less than the music"
}
