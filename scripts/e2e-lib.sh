# e2e-lib.sh -- shell helpers for end-to-end runs on a virtual X server:
# start and stop Xvfb and a sound server, wait for windows and processes,
# take screenshots.
# Sourced by bash scripts; every helper reports failure through its status.

# e2e_start_xvfb SIZE [FIRST]: starts Xvfb with one screen of SIZE (e.g.
# 640x480x24) on the first free display from :FIRST (default :70) on, and
# exports DISPLAY. Sets E2E_XVFB_PID. Tries ten display numbers. Safe when
# several tests start servers at once: the display is ours only when its
# lock file names our server. -noreset: by default the server resets when
# its last client leaves (our own probe), refusing connections meanwhile.
e2e_start_xvfb() {
  local size=$1 n=${2:-70} last tries
  last=$((n + 9))
  while [ "$n" -le "$last" ]; do
    if [ ! -e "/tmp/.X$n-lock" ]; then
      Xvfb ":$n" -screen 0 "$size" -nolisten tcp -noreset >/dev/null 2>&1 &
      E2E_XVFB_PID=$!
      tries=0
      while [ "$tries" -lt 100 ] && kill -0 "$E2E_XVFB_PID" 2>/dev/null; do
        if [ "$(tr -d ' \n' 2>/dev/null <"/tmp/.X$n-lock")" = "$E2E_XVFB_PID" ] &&
          DISPLAY=":$n" xdpyinfo >/dev/null 2>&1; then
          export DISPLAY=":$n"
          return 0
        fi
        sleep 0.05
        tries=$((tries + 1))
      done
      e2e_kill "$E2E_XVFB_PID"
    fi
    n=$((n + 1))
  done
  echo "e2e: could not start Xvfb ($size)" >&2
  return 1
}

# e2e_stop_xvfb: ends the server started by e2e_start_xvfb.
e2e_stop_xvfb() {
  [ -n "${E2E_XVFB_PID:-}" ] && e2e_kill "$E2E_XVFB_PID"
  E2E_XVFB_PID=
}

# e2e_kill PID: ends the process if it still runs (TERM, then KILL after two
# seconds) and reaps it when it is a child of this shell.
e2e_kill() {
  local pid=$1
  if kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
    e2e_wait_exit "$pid" 2
    [ $? -eq 124 ] && kill -9 "$pid" 2>/dev/null
  fi
  wait "$pid" 2>/dev/null
  return 0
}

# e2e_wait_exit PID SECONDS: waits until the process ends; for a child of
# this shell, returns its exit status. Returns 124 if it still runs after
# SECONDS (fractions allowed, checked every 50 ms).
e2e_wait_exit() {
  local pid=$1 ticks
  ticks=$(awk "BEGIN { print int($2 * 20) }")
  while kill -0 "$pid" 2>/dev/null; do
    # A finished child stays a zombie until reaped: treat it as gone.
    case "$(ps -o stat= -p "$pid" 2>/dev/null)" in Z*) break ;; esac
    [ "$ticks" -le 0 ] && return 124
    sleep 0.05
    ticks=$((ticks - 1))
  done
  wait "$pid" 2>/dev/null
}

# e2e_window_ids NAME: prints the ids of the windows whose name matches the
# extended regular expression NAME (anchors apply to the name alone). Reads
# the window tree, which also sees names that xdotool's search misses (SDL's
# message boxes set WM_NAME with a type it does not decode).
e2e_window_ids() {
  xwininfo -root -tree 2>/dev/null |
    sed -n 's/^ *\(0x[0-9a-f]*\) "\(.*\)": (.*/\1 \2/p' |
    while read -r id name; do
      if printf '%s\n' "$name" | grep -Eq -- "$1"; then echo "$id"; fi
    done
}

# e2e_wait_window NAME SECONDS: prints the id of the first window whose name
# matches NAME (as for e2e_window_ids), waiting up to SECONDS for it.
e2e_wait_window() {
  local ticks id
  ticks=$(awk "BEGIN { print int($2 * 10) }")
  while :; do
    id=$(e2e_window_ids "$1" | head -n 1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    [ "$ticks" -le 0 ] && break
    sleep 0.1
    ticks=$((ticks - 1))
  done
  echo "e2e: no window named '$1' after $2 s" >&2
  return 1
}

# e2e_screenshot FILE: saves the whole screen of $DISPLAY as an image.
e2e_screenshot() {
  import -window root "$1"
}

# e2e_expect_exit PID SECONDS: waits for the process, a child of this shell,
# to end within SECONDS with exit status 0; says on stderr what went wrong
# and returns 1 otherwise.
e2e_expect_exit() {
  local status
  e2e_wait_exit "$1" "$2"
  status=$?
  if [ "$status" -eq 124 ]; then
    echo "e2e: still running $2 s later" >&2
    return 1
  fi
  [ "$status" -eq 0 ] && return 0
  echo "e2e: exit code $status, expected 0" >&2
  return 1
}

# e2e_start_pulse FOLDER: starts a PulseAudio server of our own, its runtime
# folder and log ($FOLDER/pulse.log) in FOLDER, with one null sink, "ffx"
# (its monitor: "ffx.monitor"), and exports PULSE_SERVER (and
# XDG_RUNTIME_DIR, HOME) so that programs started after it play into it.
# Sets E2E_PULSE_PID.
e2e_start_pulse() {
  export XDG_RUNTIME_DIR=$1/run HOME=$1
  rm -rf "$XDG_RUNTIME_DIR"
  mkdir -p -m 700 "$XDG_RUNTIME_DIR"
  export PULSE_SERVER=unix:$XDG_RUNTIME_DIR/native
  pulseaudio --daemonize=no -n --exit-idle-time=-1 --use-pid-file=no \
    --load="module-null-sink sink_name=ffx rate=48000" \
    --load="module-native-protocol-unix socket=$XDG_RUNTIME_DIR/native" >"$1/pulse.log" 2>&1 &
  E2E_PULSE_PID=$!
  local tries=0
  until pactl info >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -gt 100 ] && return 1
    sleep 0.05
  done
}

# e2e_stop_pulse: ends the server started by e2e_start_pulse.
e2e_stop_pulse() {
  [ -n "${E2E_PULSE_PID:-}" ] && e2e_kill "$E2E_PULSE_PID"
  E2E_PULSE_PID=
}

# e2e_start_recording FILE [SIZE]: records what the null sink of
# e2e_start_pulse plays, stamped as the pulse input stamps it (the wall
# clock less the stream's latency), and with SIZE (e.g. 320x240) the screen
# of $DISPLAY at 60 frames a second, stamped with the wall clock, into FILE
# (.mkv). Sets E2E_RECORDER_PID.
e2e_start_recording() {
  local screen=() map=()
  if [ -n "${2:-}" ]; then
    screen=(-use_wallclock_as_timestamps 1 -f x11grab -framerate 60 -video_size "$2" -i "$DISPLAY")
    map=(-map 0:v -map 1:a -c:v libx264rgb -preset ultrafast -qp 0)
  fi
  ffmpeg -nostdin -hide_banner -loglevel error -y "${screen[@]}" \
    -f pulse -fragment_size 1920 -i ffx.monitor -copyts "${map[@]}" -c:a pcm_s16le "$1" &
  E2E_RECORDER_PID=$!
}

# e2e_stop_recording: ends the recording as Ctrl+C does and waits for the
# file to be finished; fails if it is not within 10 s.
e2e_stop_recording() {
  [ -z "${E2E_RECORDER_PID:-}" ] && return 0
  kill -INT "$E2E_RECORDER_PID"
  e2e_wait_exit "$E2E_RECORDER_PID" 10
  local status=$?
  [ "$status" -eq 124 ] && e2e_kill "$E2E_RECORDER_PID"
  E2E_RECORDER_PID=
  [ "$status" -ne 124 ]
}
