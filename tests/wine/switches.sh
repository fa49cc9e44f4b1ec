#!/bin/bash
# switches.sh -- the flash-and-tone demo's .exe switched away and back
# three times while it plays (under Wine, in a virtual desktop of its
# size, its sound in a null sink), screen and sound recorded. Each return
# must show the frames the demo draws and no other, and the demo ends by
# itself with exit 0. A buffer of the flip chain shown again without being
# drawn since the return shows as white frames between the flashes, or
# black ones within them: flashes without a tone. So every flash has its
# tone, but for
# - the last (8 s: the music's 16 tones end at 7.5 s);
# - the first: at a stream's start the sound server renders ahead into the
#   null sink and rewinds when the stream settles, and its monitor keeps
#   the first render, so the first tone can be recorded up to 0.3 s early
#   (or twice) where a listener hears it once, in step.
# A flash that a switch cuts in two is seen twice, each part with its
# tone: at most 17 flashes and one more a switch.
# Usage: switches.sh SYNC.EXE FFXSWITCH.EXE FFXAVSYNC WORKDIR
exe=$1 switcher=$2 avsync=$3 WINE_WORK=$4
. "$(dirname "$0")/wine-lib.sh"
flashes=17 # one each half second of the music, from 0 s to 8 s
switches=3

wine_require "$exe"
[ -f "$switcher" ] || wine_fail "$switcher is missing; build it with 'make windows'"
wine_setup_music "$exe"
e2e_start_recording "$WINE_WORK/recording.mkv" 320x240
sleep 1
wine_start sync.exe
for n in $(seq $switches); do
  sleep 1.5
  wine_alive
  WINEDEBUG=-all wine "$switcher" 1 >>"$WINE_LOG" 2>&1 &
  e2e_expect_exit $! 30 || wine_fail "switch $n: the other program did not bring the demo back"
done
wine_expect_exit 30
sleep 0.5
e2e_stop_recording || wine_fail "the recording did not end"
report=$(FFX_AVSYNC_LIST=1 "$avsync" "$WINE_WORK/recording.mkv" 40 12) ||
  wine_fail "flashes and tones not in step: $(tail -n 1 <<<"$report")"
summary=$(tail -n 1 <<<"$report")
echo "$summary"
seen=${summary%% flashes*}
# The flashes without a tone after the first and before the last tone.
toneless=$(awk '/^tone/ { last = $2 }
  /^flash/ { first = n++ == 0; o = $4 < 0 ? -$4 : $4
    if (o >= 250 && !first && $2 < last) printf " %s", $2 }' <<<"$report")
[ "$seen" -le $((flashes + switches)) ] && [ -z "$toneless" ] ||
  wine_fail "$seen flashes where the demo draws $flashes; without a tone:${toneless:- none}"
echo "PASS"
