# lib.sh -- what the native end-to-end tests share: the programs under test,
# failing with a message, and cleaning up what a test started.
# Arguments of every test: FFXDEMO FFXSCREENCHECK FFXWMCLOSE WORKDIR.
set -u
. "$(dirname "$0")/../../scripts/e2e-lib.sh"

demo=$1 screencheck=$2 wmclose=$3 work=$4
mkdir -p "$work"
demo_pid=

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

cleanup() {
  [ -n "$demo_pid" ] && e2e_kill "$demo_pid"
  e2e_stop_xvfb
}
trap cleanup EXIT

# start_demo SCREEN: the demo on a fresh Xvfb screen (WxHxD), stderr to
# $work/stderr.txt.
start_demo() {
  e2e_start_xvfb "$1" || fail "no Xvfb"
  "$demo" 2>"$work/stderr.txt" &
  demo_pid=$!
}

# screen_shows SECONDS [--readout]: takes screenshots until one passes the
# screen check; fails once a screenshot started after SECONDS does not. A
# shot can catch a frame half presented, so one failing shot proves
# nothing; every shot is checked exactly. The last check's report is in
# $work/check.txt.
screen_shows() {
  local deadline started shot=$work/screen.png
  deadline=$(($(date +%s%N) + $(awk "BEGIN { print int($1 * 1000) }") * 1000000))
  while :; do
    started=$(date +%s%N)
    e2e_screenshot "$shot" && "$screencheck" ${2:-} "$shot" >"$work/check.txt" 2>&1 && return 0
    [ "$started" -ge "$deadline" ] && return 1
  done
}

# ends_with_zero_within SECONDS: the demo exits with status 0 in time.
ends_with_zero_within() {
  e2e_expect_exit "$demo_pid" "$1" || fail "the demo did not end as expected"
  demo_pid=
}
