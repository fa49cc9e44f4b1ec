# lib.sh -- what the music's end-to-end tests share: a sound server of the
# test's own (PulseAudio with a null sink, its own runtime folder), a
# recording of the screen and of what the sink plays, and cleaning up.
set -u
. "$(dirname "$0")/../../scripts/e2e-lib.sh"

recorder_pid=

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cleanup() {
  [ -n "$recorder_pid" ] && e2e_kill "$recorder_pid"
  stop_pulse
  e2e_stop_xvfb
}
trap cleanup EXIT

start_pulse() {
  e2e_start_pulse "$1" || fail "the sound server did not start: $(cat "$1/pulse.log")"
}

stop_pulse() {
  e2e_stop_pulse
}

# start_recording FILE SIZE: the screen of $DISPLAY (SIZE, e.g. 320x240) at
# 60 frames a second and the sink's sound, each stamped with the wall clock.
start_recording() {
  ffmpeg -nostdin -hide_banner -loglevel error -y \
    -use_wallclock_as_timestamps 1 -f x11grab -framerate 60 -video_size "$2" -i "$DISPLAY" \
    -f pulse -fragment_size 1920 -i ffx.monitor -copyts -map 0:v -map 1:a \
    -c:v libx264rgb -preset ultrafast -qp 0 -c:a pcm_s16le "$1" &
  recorder_pid=$!
}

# stop_recording: ends it as Ctrl+C does (ffmpeg then exits with 255).
stop_recording() {
  kill -INT "$recorder_pid"
  e2e_wait_exit "$recorder_pid" 10
  [ $? -eq 124 ] && fail "the recording did not end"
  recorder_pid=
}
