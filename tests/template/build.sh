#!/bin/bash
# build.sh -- the template as a project of one's own: copied out of this
# tree and configured against it with its presets and FFXDEMO; without
# FFXDEMO, or with a wrong one, configuration stops with the line that says
# what to set. Built natively, in Release: the effect is optimised; its
# program, capture tool and run target are made, the capture tool writes a
# frame, and this tree's -Werror stays out of the project's own code while
# the options that keep frames alike reach it. Then the same effect declared
# again with a WAV file as its MUSIC: its capture tool's video carries the
# music.
# Usage: build.sh FFXDEMO_TREE WORKDIR
set -eu
tree=$1 work=$2
fail() {
  echo "FAIL: $*" >&2
  exit 1
}

rm -rf "$work"
mkdir -p "$work"
cp -r "$tree/examples/template" "$work/mydemo"
cd "$work/mydemo"
for wrong in "" "$work"; do
  if FFXDEMO=$wrong cmake --preset native >"$work/configure.log" 2>&1; then
    fail "the template configured with FFXDEMO='$wrong'"
  fi
  grep -q "Set FFXDEMO\|set FFXDEMO or -DFFXDEMO_DIR" "$work/configure.log" ||
    fail "with FFXDEMO='$wrong' the template does not say what to set: $(cat "$work/configure.log")"
  rm -rf build
done
FFXDEMO=$tree cmake --preset native >"$work/configure.log" 2>&1 ||
  fail "the template does not configure: $(tail -n 20 "$work/configure.log")"
cmake --build --preset native -j2 >"$work/build.log" ||
  fail "the template does not build: $(grep -m 5 -E 'error|FAILED' "$work/build.log")"
build=$work/mydemo/build/native
for program in mydemo mydemo-capture mydemo-digest; do
  [ -x "$build/$program" ] || fail "$program was not made"
done
[ ! -e "$build/ffxdemo/ffxcapture" ] || fail "this tree's own tools were built too"

effect=$(grep -F '"file": "'"$work/mydemo/effect.cpp"'"' -B 3 "$build/compile_commands.json" |
  grep '"command"') || fail "no compile command for effect.cpp"
case $effect in *-Werror*) fail "-Werror reached the project's effect: $effect" ;; esac
case $effect in *-ffp-contract=off*) ;; *) fail "the effect is compiled with fused multiply-adds: $effect" ;; esac
case $effect in *" -O2 "* | *" -O3 "*) ;; *) fail "the effect is compiled without optimisation: $effect" ;; esac
cmake --build --preset native --target help | grep -q '^run:' || fail "no run target"

"$build/mydemo-capture" --ms 1000 -o "$work/frame.png" || fail "mydemo-capture failed"
[ -s "$work/frame.png" ] || fail "mydemo-capture wrote no frame"
echo "template: configured and built with its presets as a project of its own; mydemo-capture wrote $work/frame.png"

ffmpeg -nostdin -v error -f lavfi -i sine=frequency=440:duration=1 "$work/mydemo/song.wav" ||
  fail "no WAV file made"
echo 'ffx_add_demo(mysong SOURCES effect.cpp MUSIC song.wav)' >>"$work/mydemo/CMakeLists.txt"
cmake --build --preset native -j2 >"$work/build-music.log" ||
  fail "the demo with music does not build: $(grep -m 5 -E 'error|FAILED' "$work/build-music.log")"
[ -x "$build/mysong" ] || fail "mysong was not made"
"$build/mysong-capture" --fps 10 -o "$work/song.mkv" || fail "mysong-capture failed"
streams=$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$work/song.mkv" | sort | tr '\n' ' ')
case $streams in "flac "*"h264 "*) ;; *) fail "the video does not carry the music: $streams" ;; esac
echo "template: with MUSIC song.wav, mysong-capture wrote $work/song.mkv ($streams)"
