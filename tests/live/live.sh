#!/bin/bash
# live.sh PROJECT WORKDIR -- live reload of the template as template.native
# copied and built it (PROJECT, with its build/native): its NAME-live runs
# on Xvfb from --at 10 s; a colour changed in effect.cpp is on the screen
# within 2 s of the save, the picture going on at the time the clock had
# reached; a header the effect includes is watched too; a track the file
# lacks is named once, and the sync file saved with it shows within 1 s;
# a saved logo shows within 1 s, a broken one keeps the last good one; then
# a syntax error leaves the last good effect running and prints the
# compiler's message.
set -u
. "$(dirname "$0")/../../scripts/e2e-lib.sh"
project=$1 work=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
demo_pid=
trap '[ -n "$demo_pid" ] && e2e_kill "$demo_pid"; e2e_stop_xvfb' EXIT

rm -rf "$work" && mkdir -p "$work" || exit 1
cd "$project" || exit 1
# The bands' red wraps every 4.3 s, too soon to tell a clock that went on
# from one that started again: this copy's green is the clock in quarter
# seconds instead (wrapping after 64 s).
sed -i 's/green = static_cast<uint32_t>(y) & 0xFF;/green = static_cast<uint32_t>(seconds * 4.0f) \& 0xFF;/' effect.cpp
grep -q 'seconds \* 4.0f' effect.cpp || fail "effect.cpp has no green line to turn into a clock"
# The template ends at 10 s, where the live program would wait: this copy
# runs on (template.release has made its release before).
sed -i 's/ LENGTH 10 / LENGTH 600 /' CMakeLists.txt
grep -q ' LENGTH 600 ' CMakeLists.txt || fail "the template's CMakeLists.txt has no LENGTH 10 to lengthen"
cmake --build --preset native --target mydemo-live -j2 >"$work/build.log" 2>&1 ||
  fail "mydemo-live does not build: $(grep -m 5 -E 'error|FAILED' "$work/build.log")"

# pixel X Y: the screen's pixel as "R G B".
pixel() {
  e2e_screenshot "$work/shot.png" &&
    convert "$work/shot.png" -format "%[fx:int(255*p{$1,$2}.r)] %[fx:int(255*p{$1,$2}.g)] %[fx:int(255*p{$1,$2}.b)]" info:
}

# blue_becomes VALUE SECONDS: the screen's blue is VALUE within SECONDS.
blue_becomes() {
  local deadline=$((SECONDS + $2 + 1)) rgb
  while [ "$SECONDS" -lt "$deadline" ]; do
    rgb=$(pixel 4 4) && [ "${rgb##* }" = "$1" ] && return 0
  done
  return 1
}

e2e_start_xvfb 640x480x24 || fail "no Xvfb"
FFX_SYNC=off build/native/mydemo-live --at 10 2>"$work/stderr.txt" &
demo_pid=$!
blue_becomes 128 20 || fail "the demo never showed its picture: $(cat "$work/stderr.txt")"
shown=$(date +%s%N)
rgb=$(pixel 0 4) && green=$(echo "$rgb" | cut -d' ' -f2)
[ "$green" -ge 40 ] || fail "--at 10 did not start at 10 s (the clock at $green quarter seconds)"
sleep 1.5

# Five saves, the blue between 0x80 and 0xF0: the median time to the new
# colour on the screen.
times=
for blue in 240 128 240 128 240; do
  saved=$(date +%s%N)
  sed -i "s/| 0x[0-9A-F]*;/| $(printf '0x%X' "$blue");/" effect.cpp
  blue_becomes "$blue" 3 || fail "the new colour did not show: $(cat "$work/stderr.txt")"
  times="$times$((($(date +%s%N) - saved) / 1000000))"$'\n'
done
took=$(printf '%s' "$times" | sort -n | sed -n 3p)
echo "the new colour showed after $(printf '%s' "$times" | tr '\n' ' ')ms; median $took ms"
[ "$took" -le 2000 ] || fail "the new colour took $took ms (median of five saves)"
# The clock has run at least as long as the picture has been shown (less
# a quarter second's step): a clock started again at the last save would
# be well under that.
least=$((($(date +%s%N) - shown) / 250000000 - 1))
rgb=$(pixel 0 4) && green=$(echo "$rgb" | cut -d' ' -f2)
[ "$green" -ge $((least + 40)) ] || fail "the picture started again (the clock at $green quarter seconds, the picture shown for more than $least after 10 s)"

# The blue from a header of its own: a save of the header alone shows.
printf 'constexpr uint32_t kBlue = 0x40;\n' >blue.h
sed -i -e 's/| 0x[0-9A-F]*;/| kBlue;/' -e 's/#include "ffxdemo.h"/#include "ffxdemo.h"\n#include "blue.h"/' effect.cpp
blue_becomes 64 3 || fail "the effect with blue.h did not show: $(cat "$work/stderr.txt")"
sleep 0.5
printf 'constexpr uint32_t kBlue = 0x60;\n' >blue.h
blue_becomes 96 3 || fail "a save of blue.h did not show: $(cat "$work/stderr.txt")"

# The blue from a track the file lacks: 0, and its name said once; then
# the sync file saved with a key for it.
sed -i 's/| kBlue;/| static_cast<uint32_t>(FFX_TrackValue(FFX_GetTrack("test:blue"), seconds));/' effect.cpp
blue_becomes 0 3 || fail "the effect reading test:blue did not show: $(cat "$work/stderr.txt")"
sleep 1.2
[ "$(grep -c 'track "test:blue" has no keys' "$work/stderr.txt")" = 1 ] ||
  fail "the track without keys was not named once: $(cat "$work/stderr.txt")"
sed -i 's|</tracks>|<track name="test:blue"><key row="0" value="200" interpolation="0"/></track></tracks>|' mydemo.rocket
saved=$(date +%s%N)
blue_becomes 200 1 || fail "the saved sync file did not show within 1 s: $(cat "$work/stderr.txt")"
echo "the saved sync file showed after $((($(date +%s%N) - saved) / 1000000)) ms"

# The logo saved whole red: it shows at the top right within 1 s; then a
# broken save keeps it and says why.
convert -size 150x44 xc:'#ff0000' PNG32:new-logo.png && mv new-logo.png logo.png
saved=$(date +%s%N)
deadline=$((SECONDS + 2))
until [ "$(pixel 600 30)" = "255 0 0" ]; do
  [ "$SECONDS" -lt "$deadline" ] || fail "the saved logo did not show: $(cat "$work/stderr.txt")"
done
logo_took=$((($(date +%s%N) - saved) / 1000000))
echo "the saved logo showed after $logo_took ms"
[ "$logo_took" -le 1000 ] || fail "the saved logo took $logo_took ms"
echo 'not a picture' >logo.png
for _ in $(seq 20); do
  grep -q "logo.png: .*the last good one shows on" "$work/stderr.txt" && break
  sleep 0.1
done
grep -q "logo.png: .*the last good one shows on" "$work/stderr.txt" ||
  fail "the broken logo was not named: $(cat "$work/stderr.txt")"
[ "$(pixel 600 30)" = "255 0 0" ] || fail "the last good logo did not stay"

echo 'this is not C++' >>effect.cpp
for _ in $(seq 50); do
  grep -q "error" "$work/stderr.txt" && break
  sleep 0.1
done
grep -q "error" "$work/stderr.txt" || fail "no compiler message for the syntax error"
sleep 0.5
kill -0 "$demo_pid" 2>/dev/null || fail "the demo ended on the syntax error"
blue_becomes 200 1 || fail "the last good picture did not stay"
xdotool key Escape
e2e_expect_exit "$demo_pid" 5 || fail "Escape did not end it with 0"
demo_pid=
echo "live: the new colour in $took ms, the clock going on ($green quarter seconds, at least $least after 10 s); a header, the sync file and the logo ($logo_took ms) watched; a syntax error keeps the last good effect"
