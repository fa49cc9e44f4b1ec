#!/bin/bash
# sdl.sh SYNC SYNC_MP3 WORKDIR -- the flash-and-tone demo on a machine with
# no sound server: PULSE_SERVER points at nothing, and SDL2's audio plays
# instead, into SDL's disk driver, which keeps a device's pace and writes
# what it is given to a file. The demo says which path plays, never goes
# silent, ends by itself with exit 0 at the music's end, and the file holds
# exactly the music's samples (after the silence SDL writes until the sound
# starts).
. "$(dirname "$0")/lib.sh"
demo=$1 mp3=$2 work=$3
rm -rf "$work" && mkdir -p "$work" || exit 1
e2e_start_xvfb 320x240x24 || fail "no Xvfb"
music_samples "$mp3" "$work/samples.raw"

started=$SECONDS
PULSE_SERVER=unix:$work/no-server SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$work/played.raw \
  "$demo" 2>"$work/stderr.txt" &
e2e_expect_exit $! 15 || fail "the demo did not end by itself with 0: $(cat "$work/stderr.txt")"
[ $((SECONDS - started)) -ge 7 ] || fail "it ended before the music's end"
grep -q "the music plays through SDL2's disk driver" "$work/stderr.txt" ||
  fail "it did not say which path plays: $(cat "$work/stderr.txt")"
grep -q "silently" "$work/stderr.txt" && fail "it went silent: $(cat "$work/stderr.txt")"
# SDL writes silence a buffer at a time while the sound waits to start.
python3 - "$work/played.raw" "$work/samples.raw" <<'PY' || fail "what SDL played is not the music"
import sys
played, music = (open(f, "rb").read() for f in sys.argv[1:])
start = 0
while played[start:start + 4096] == bytes(4096) and music[:4096] != bytes(4096):
    start += 4096
sys.exit(played[start:start + len(music)] != music)
PY
echo "sdl: the music played through SDL2's audio, sample for sample"
