#!/bin/bash
# release.sh -- the template's party release, as template.native built it:
# its release target makes mydemo-0.1.0-party.zip with the Windows and web
# builds of its presets; unpacked, the zip holds exactly its files with
# their sums, the .exe stripped with its manifest, version and icon (read
# back by MinGW's windres), a 10 s 1080p video that a party takes and that
# decodes to its end, the screenshot and the info file; the page opens from
# its file in Chromium. (wine.success runs the .exe from an empty folder.)
# Usage: release.sh TEMPLATE_DIR TREE WORKDIR
set -eu
project=$1 tree=$2 work=$3
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
rm -rf "$work" && mkdir -p "$work"
cd "$project"
FFXDEMO=$tree cmake --build --preset native --target release >"$work/release.log" 2>&1 ||
  fail "the release target failed: $(tail -n 5 "$work/release.log")"
zip=build/native/mydemo-0.1.0-party.zip
[ -f "$zip" ] || fail "no $zip"
mkdir "$work/unpacked"
(cd "$work/unpacked" && cmake -E tar xf "$project/$zip") || fail "the zip does not unpack"
folder=$work/unpacked/mydemo-0.1.0-party
[ "$(cd "$work/unpacked" && find . -type f | sort | tr '\n' ' ')" = "$(printf './mydemo-0.1.0-party/%s ' SHA256SUMS \
  mydemo-1080p.mp4 mydemo-web/mydemo.html mydemo-web/mydemo.js mydemo.exe mydemo.png mydemo.txt)" ] ||
  fail "the zip holds $(cd "$work/unpacked" && find . -type f | sort | tr '\n' ' ')"
(cd "$folder" && sha256sum --quiet -c SHA256SUMS) || fail "the sums do not match"

exe=$folder/mydemo.exe
[ "$(x86_64-w64-mingw32-objdump -t "$exe" | grep -c '^\[')" -eq 0 ] || fail "mydemo.exe is not stripped"
resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc) || fail "windres cannot read mydemo.exe"
for expected in '>PerMonitorV2, PerMonitor<' 'VALUE "FileVersion", "0.1.0"' 'VALUE "ProductName", "mydemo"' \
  '32512 14 /* RT_GROUP_ICON */'; do
  grep -qF "$expected" <<<"$resources" || fail "mydemo.exe's resources lack $expected"
done

video=$folder/mydemo-1080p.mp4
probe=$(ffprobe -v error -select_streams v -show_entries stream=codec_name,profile,pix_fmt,width,height,r_frame_rate \
  -show_entries format=duration,bit_rate -of default=nw=1 "$video")
for expected in codec_name=h264 profile=High pix_fmt=yuv420p width=1920 height=1080 r_frame_rate=60/1 \
  duration=10.000000; do
  grep -qx "$expected" <<<"$probe" || fail "the video is not $expected: $(tr '\n' ' ' <<<"$probe")"
done
rate=$(sed -n 's/^bit_rate=//p' <<<"$probe")
[ "$rate" -ge 6000000 ] || fail "the video has $rate bit/s, under a party's 6 Mbit/s"
frames=$(ffmpeg -nostdin -v error -i "$video" -f null - 2>&1 >/dev/null | head -n 3)
[ -z "$frames" ] || fail "the video does not decode cleanly: $frames"
[ "$(identify -format '%wx%h' "$folder/mydemo.png")" = 640x480 ] || fail "the screenshot is not 640x480"
grep -qx "mydemo 0.1.0" "$folder/mydemo.txt" && grep -q "Escape or Alt+F4" "$folder/mydemo.txt" &&
  grep -q "^Code: " "$folder/mydemo.txt" || fail "the info file lacks the name, the credits or what it needs"

FFX_PAGE=mydemo.html node "$tree/tests/web/fileurl.js" "$folder/mydemo-web" "$tree/tests/template/shows.sh" \
  /usr/bin/chromium-headless-shell "$work/page" || fail "the page does not open from its file"
echo "release: $zip holds its files, the .exe as a party takes it, a 10 s 1080p video at $rate bit/s; its page opens from its file"
