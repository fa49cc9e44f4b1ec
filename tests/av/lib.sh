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
