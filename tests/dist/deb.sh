#!/bin/bash
# deb.sh -- the .deb of make dist: lintian finds no error in it; unpacked into
# a scratch folder, its ffxcapture gives its version and renders an exact
# frame, its manual page says what --help says, and the desktop entry runs
# a program the package holds.
# Usage: deb.sh DIST VERSION SCREENCHECK WORKDIR
set -u
dist=$1 version=$2 screencheck=$3 work=$4
deb=$dist/ffxdemo_${version}_amd64.deb
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
[ -f "$deb" ] || fail "$deb is missing: run make dist"
rm -rf "$work"
mkdir -p "$work"

lintian --fail-on error "$deb" >"$work/lintian.txt" 2>&1 || fail "lintian: $(cat "$work/lintian.txt")"
dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb cannot unpack $deb"

capture=$work/root/usr/bin/ffxcapture
[ "$("$capture" --version)" = "ffxcapture $version" ] || fail "ffxcapture --version says '$("$capture" --version)'"
"$capture" --ms 1125 -o "$work/frame.png" || fail "the package's ffxcapture did not render"
"$screencheck" "$work/frame.png" || fail "the package's ffxcapture frame is not exact"

# The manual page as man shows it holds every option and the formats'
# sentence of --help.
page=$(MANWIDTH=200 man -l "$work/root/usr/share/man/man1/ffxcapture.1.gz" 2>/dev/null | col -b) ||
  fail "man cannot show ffxcapture.1.gz"
help=$("$capture" --help)
for option in $(grep -oE '(^|[ ,])--?[a-z]+' <<<"$help" | tr -d ' ,' | sort -u); do
  grep -qF -- "$option" <<<"$page" || fail "the manual page lacks $option"
done
sentence=$(tr '\n' ' ' <<<"$help" | grep -oE '\.mkv is [^;:]*')
tr '\n' ' ' <<<"$page" | tr -s ' ' | grep -qF -- "$sentence" || fail "the manual page does not say '$sentence'"

exec=$(sed -n 's/^Exec=//p' "$work/root/usr/share/applications/ffxdemo.desktop")
[ -x "$work/root/usr/bin/$exec" ] || fail "the desktop entry runs '$exec', which the package lacks"
echo "deb: lintian clean; ffxcapture $version renders an exact frame; its manual page agrees with --help"
