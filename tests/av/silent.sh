#!/bin/bash
# silent.sh SYNC WORKDIR -- the flash-and-tone demo (8.1 s of music) with no
# sound server, then with one that stops after 3 s: each time it says so
# once, goes on on its timer from where the music was, and ends by itself
# at the music's end with exit 0. A server that is started again 1.5 s
# later is taken up again: the music plays on from where the timer has it.
. "$(dirname "$0")/lib.sh"
demo=$1 work=$2
mkdir -p "$work"
e2e_start_xvfb 320x240x24 || fail "no Xvfb"

# runs_to_the_end WHAT MESSAGE: the demo ends with 0 within the music's
# length give or take two seconds, having printed MESSAGE once.
runs_to_the_end() {
  local started=$SECONDS
  e2e_expect_exit "$demo_pid" 12 || fail "$1: the demo did not end by itself with 0"
  local took=$((SECONDS - started))
  [ "$took" -ge 6 ] || fail "$1: it ended after $took s, before the music's end"
  [ "$(grep -c "$2" "$work/stderr.txt")" = 1 ] || fail "$1: not said once: $(cat "$work/stderr.txt")"
}

PULSE_SERVER=unix:$work/nothing-here "$demo" 2>"$work/stderr.txt" &
demo_pid=$!
runs_to_the_end "no sound server" "no sound device"

start_pulse "$work"
# Recorded, so that the null sink keeps a device's pace: one that nobody
# listens to renders up to two seconds ahead, and a stream that starts then
# is heard that much later (the server says so: the position stands).
e2e_start_recording "$work/sound.mkv"
sleep 1
"$demo" 2>"$work/stderr.txt" &
demo_pid=$!
sleep 3
e2e_stop_pulse
runs_to_the_end "the server stopped" "the sound device stopped"
# From where the music was, not from its start.
grep -q "from [1-9]\.[0-9]* s" "$work/stderr.txt" || fail "not from where the music was: $(cat "$work/stderr.txt")"

start_pulse "$work"
"$demo" 2>"$work/stderr.txt" &
demo_pid=$!
sleep 3
e2e_stop_pulse
sleep 1.5
start_pulse "$work"
runs_to_the_end "the server back" "the sound device is back"
# At least the 1.5 s without a server after where the music stopped.
awk '/silently on its timer from/ { stopped = $(NF - 1) } /plays on from/ { back = $(NF - 1) }
  END { exit !(back >= stopped + 1.5) }' "$work/stderr.txt" ||
  fail "not from where the timer had the music: $(cat "$work/stderr.txt")"
echo "silent: no server and a server that stops both cost the sound only, until it is back"
