#!/bin/bash
# files.sh -- the release files of make dist: all there, their sums right, each
# zip with exactly its files in one folder, the source with the tree's top;
# the zips unpacked into WORKDIR/windows and WORKDIR/web for the tests that
# run what they hold.
# Usage: files.sh DIST VERSION WORKDIR
set -u
dist=$1 version=$2 work=$3
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ -f "$dist/SHA256SUMS" ] || fail "$dist/SHA256SUMS is missing: run make dist"
(cd "$dist" && sha256sum --quiet -c SHA256SUMS) || fail "the sums in $dist/SHA256SUMS do not match"
[ "$(cut -d' ' -f3 "$dist/SHA256SUMS" | sort | tr '\n' ' ')" = \
  "ffxdemo-$version-web.zip ffxdemo-$version-windows-x86_64.zip ffxdemo-$version.tar.gz ffxdemo_${version}_amd64.deb " ] ||
  fail "SHA256SUMS lists $(cut -d' ' -f3 "$dist/SHA256SUMS" | tr '\n' ' ')"

# unpack NAME WHERE EXPECTED: the zip NAME.zip holds exactly EXPECTED (its
# files, one line each) in the folder NAME; unpacked into WHERE.
unpack() {
  local name=$1 where=$2 expected=$3
  rm -rf "$where"
  mkdir -p "$where"
  (cd "$where" && cmake -E tar xf "$dist/$name.zip") || fail "$name.zip does not unpack"
  [ "$(cd "$where" && find . -type f | sort)" = "$expected" ] ||
    fail "$name.zip holds $(cd "$where" && find . -type f | sort | tr '\n' ' ')"
}
unpack "ffxdemo-$version-windows-x86_64" "$work/windows" "$(printf './ffxdemo-%s-windows-x86_64/%s\n' \
  "$version" LICENSE "$version" README.md "$version" ffxdemo.exe)"
# The program as a compo machine gets it: stripped, and its resources, read
# back by MinGW's own windres, a manifest (asInvoker, Windows 7 to 11, aware
# of the DPI) and the version.
exe="$work/windows/ffxdemo-$version-windows-x86_64/ffxdemo.exe"
symbols=$(x86_64-w64-mingw32-objdump -t "$exe" | grep -c '^\[') || true
[ "$symbols" -eq 0 ] || fail "ffxdemo.exe is not stripped ($symbols symbols)"
resources=$(x86_64-w64-mingw32-windres -i "$exe" -O rc) || fail "windres cannot read ffxdemo.exe's resources"
for expected in 'requestedExecutionLevel level=""asInvoker""' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}' \
  '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' '>true/pm<' '>PerMonitorV2, PerMonitor<' \
  "VALUE \"FileVersion\", \"$version\"" 'VALUE "ProductName", "ffxdemo"'; do
  grep -qF "$expected" <<<"$resources" || fail "ffxdemo.exe's resources lack $expected"
done
grep -q "ICON" <<<"$resources" && fail "ffxdemo.exe carries an icon"
unpack "ffxdemo-$version-web" "$work/web" "$(printf './ffxdemo-%s-web/%s\n' "$version" ffxdemo.js "$version" index.html)"

listing=$(tar tzf "$dist/ffxdemo-$version.tar.gz") || fail "the source does not unpack"
for file in CMakeLists.txt LICENSE README.md include/ffxdemo.h; do
  grep -qx "ffxdemo-$version/$file" <<<"$listing" || fail "the source has no $file"
done
echo "files: the sums match; the zips hold their files; the source its tree"
