#!/bin/bash
# install.sh -- cmake --install of the native build into a scratch prefix
# installs exactly the release's files, the same the .deb holds under /usr.
# Usage: install.sh BUILD DIST VERSION WORKDIR
set -u
build=$1 dist=$2 version=$3 work=$4
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
expected="bin/ffxcapture
bin/ffxdemo
share/applications/ffxdemo.desktop
share/doc/ffxdemo/changelog.gz
share/doc/ffxdemo/copyright
share/man/man1/ffxcapture.1.gz
share/man/man1/ffxdemo.1.gz"
rm -rf "$work"
cmake --install "$build" --prefix "$work/prefix" >"$work.log" 2>&1 || fail "cmake --install: $(cat "$work.log")"
installed=$(cd "$work/prefix" && find . -type f -o -type l | sed 's|^\./||' | sort)
[ "$installed" = "$expected" ] || fail "installed: $(tr '\n' ' ' <<<"$installed")"
deb=$(dpkg-deb -c "$dist/ffxdemo_${version}_amd64.deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./usr/||' | sort)
[ "$deb" = "$expected" ] || fail "the .deb holds: $(tr '\n' ' ' <<<"$deb")"
echo "install: the same $(wc -l <<<"$expected") files as the .deb"
