#!/bin/bash
# music.sh NODE SYNCDIR FFXAVSYNC BROWSER WORKDIR -- the flash-and-tone page
# as on a desktop: BROWSER (Firefox, Chromium or MiniBrowser; no driver)
# filling the screen of an X server of the test's own under a window
# manager, playing into a null sink of its own; silent until a click, then
# the screen and the sound, recorded together, show flashes and tones in
# step (median within 40 ms) to the music's end, when the page ends by
# itself with 0. FFX_LATENCY (ms): PULSE_LATENCY_MSEC on the browser only.
# FFX_AWAY (s): another window has the focus that long, 5 s after the
# click, and music and picture pause meanwhile (late, so that the median
# offset is mostly the music's before it: after another window has covered
# it, Chromium shows its pictures a frame earlier or later, which the page
# cannot see, and its output timestamp settles within two seconds).
set -u
. "$(dirname "$0")/../../scripts/e2e-lib.sh"
node=$1 web=$2 avsync=$3 browser=$4 work=$5
pids=()
fail() {
  echo "FAIL: $*" >&2
  sed 's/^/page: /' "$work/page" >&2
  exit 1
}
cleanup() {
  local pid
  for pid in "${pids[@]}"; do e2e_kill "$pid"; done
  e2e_stop_recording
  e2e_stop_pulse
  e2e_stop_xvfb
}
trap cleanup EXIT
# page_says PATTERN SECONDS: waits for a line of the page's report.
page_says() {
  local ticks=$(($2 * 20))
  until grep -q "$1" "$work/page" 2>/dev/null; do
    [ "$ticks" -le 0 ] && return 1
    sleep 0.05
    ticks=$((ticks - 1))
  done
}
rm -rf "$work" && mkdir -p "$work/profile"

e2e_start_xvfb 320x240x24 || fail "no Xvfb"
matchbox-window-manager -use_titlebar no -use_cursor no 2>"$work/wm.log" &
pids+=($!)
e2e_start_pulse "$work" || fail "the sound server did not start"
"$node" "$(dirname "$0")/report.js" "$web" sync.html "$work" >"$work/url" &
pids+=($!)
for _ in $(seq 100); do [ -s "$work/url" ] && break; sleep 0.05; done
url=$(cat "$work/url") && [ -n "$url" ] || fail "the page's server did not start"

case "$(basename "$browser")" in
MiniBrowser) args=(--full-screen "$url") ;;
chromium*)
  args=(--no-sandbox "--user-data-dir=$work/profile" --no-first-run --disable-background-networking
    --disable-component-update --disable-sync --kiosk "$url") ;;
*)
  # A fresh profile that opens the page and nothing else.
  cat >"$work/profile/user.js" <<'PREFS'
user_pref("browser.shell.checkDefaultBrowser", false);
user_pref("browser.startup.homepage_override.mstone", "ignore");
user_pref("browser.aboutwelcome.enabled", false);
user_pref("datareporting.policy.dataSubmissionEnabled", false);
user_pref("toolkit.telemetry.reportingpolicy.firstRun", false);
user_pref("browser.sessionstore.resume_from_crash", false);
user_pref("network.captive-portal-service.enabled", false);
PREFS
  args=(--no-remote --profile "$work/profile" --kiosk "$url") ;;
esac
e2e_start_recording "$work/recording.mkv" 320x240
# The browser once ffmpeg records the sink's sound: the null sink first
# plays out a block of 2 s, and only then renders at the latency ffmpeg
# asks for; ffmpeg's stamps settle within a second after (before, they run
# early by up to 0.2 s and stretch), which the browser's start-up and the
# second of silence before the click give.
recording() {
  [ -n "$(pactl list short source-outputs)" ] &&
    pactl list sinks | awk '/Latency:/ { gsub(",", ""); exit !($2 <= $5) }'
}
for _ in $(seq 200); do recording && break; sleep 0.05; done
recording || fail "the recording did not start"
env ${FFX_LATENCY:+PULSE_LATENCY_MSEC=$FFX_LATENCY} "$browser" "${args[@]}" >"$work/browser.log" 2>&1 &
pids+=($!)
page_says '^start$' 30 || fail "no start screen"
sleep 1 # silence expected meanwhile
click=$(date +%s.%N)
xdotool mousemove 160 120 click 1
if [ -n "${FFX_AWAY:-}" ]; then
  # Another window takes the focus, as on a desktop; grey, so that the
  # recording's flashes ignore it.
  sleep 5
  xmessage -bg gray50 -fg gray50 away &
  away=$!
  for _ in $(seq 200); do
    [ "$(xdotool getwindowfocus getwindowname 2>/dev/null)" = xmessage ] && break
    sleep 0.05
  done
  sleep "$FFX_AWAY"
  e2e_kill "$away"
fi
page_says '^ended' 30 || fail "the page did not play to its end"
grep -q '^ended 0$' "$work/page" || fail "it ended with $(grep '^ended' "$work/page"), expected 0"
sleep 0.5
e2e_stop_recording || fail "the recording did not end"
report=$(FFX_AVSYNC_LIST=1 "$avsync" "$work/recording.mkv" 40 12) || fail "out of sync: $report"
echo "${report##*$'\n'}"
first=${report##*tones from }
first=${first%% *}
last=${report##* to }
awk "BEGIN { exit !($first >= $click) }" || fail "sound at $first, before the click at $click"
if [ -n "${FFX_AWAY:-}" ]; then
  # 7.5 s from the first tone to the last, and the time away.
  awk "BEGIN { exit !($last - $first > 7.5 + $FFX_AWAY - 0.5) }" ||
    fail "the music did not pause while the page had no focus (tones from $first to $last)"
  echo "music: paused while another window had the focus"
fi
echo "music: silent until the click, then in step with the picture to the end"
