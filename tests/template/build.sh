#!/bin/bash
# build.sh -- the template as a project of one's own: copied out of this
# tree, configured against it and built natively; its program and capture
# tool are made, the capture tool writes a frame, and this tree's -Werror
# stays out of the project's own code while the options that keep frames
# alike reach it. Then the same effect declared again with a WAV file as its
# MUSIC: its capture tool's video carries the music.
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
cmake -S "$work/mydemo" -B "$work/build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DFFXDEMO_DIR="$tree" -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >"$work/configure.log" ||
  fail "the template does not configure: $(tail -n 20 "$work/configure.log")"
cmake --build "$work/build" -j2 >"$work/build.log" ||
  fail "the template does not build: $(grep -m 5 -E 'error|FAILED' "$work/build.log")"
for program in mydemo mydemo-capture mydemo-digest; do
  [ -x "$work/build/$program" ] || fail "$program was not made"
done
[ ! -e "$work/build/ffxdemo/ffxcapture" ] || fail "this tree's own tools were built too"

effect=$(grep -F '"file": "'"$work/mydemo/effect.cpp"'"' -B 3 "$work/build/compile_commands.json" |
  grep '"command"') || fail "no compile command for effect.cpp"
case $effect in *-Werror*) fail "-Werror reached the project's effect: $effect" ;; esac
case $effect in *-ffp-contract=off*) ;; *) fail "the effect is compiled with fused multiply-adds: $effect" ;; esac

"$work/build/mydemo-capture" --ms 1000 -o "$work/frame.png" || fail "mydemo-capture failed"
[ -s "$work/frame.png" ] || fail "mydemo-capture wrote no frame"
echo "template: configured and built as a project of its own; mydemo-capture wrote $work/frame.png"

ffmpeg -nostdin -v error -f lavfi -i sine=frequency=440:duration=1 "$work/mydemo/song.wav" ||
  fail "no WAV file made"
echo 'ffx_add_demo(mysong SOURCES effect.cpp MUSIC song.wav)' >>"$work/mydemo/CMakeLists.txt"
cmake --build "$work/build" -j2 >"$work/build-music.log" ||
  fail "the demo with music does not build: $(grep -m 5 -E 'error|FAILED' "$work/build-music.log")"
[ -x "$work/build/mysong" ] || fail "mysong was not made"
"$work/build/mysong-capture" --fps 10 -o "$work/song.mkv" || fail "mysong-capture failed"
streams=$(ffprobe -v error -show_entries stream=codec_name -of csv=p=0 "$work/song.mkv" | sort | tr '\n' ' ')
case $streams in "flac "*"h264 "*) ;; *) fail "the video does not carry the music: $streams" ;; esac
echo "template: with MUSIC song.wav, mysong-capture wrote $work/song.mkv ($streams)"
