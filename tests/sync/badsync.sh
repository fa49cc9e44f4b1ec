#!/bin/bash
# badsync.sh FFXDEMO_TREE WORKDIR -- a project whose SYNC file is missing,
# broken, has a bad key or no BPM stops configuring with one line naming the
# file, the line where it can, and the reason.
set -u
tree=$1 work=$2
rm -rf "$work" && mkdir -p "$work/project" && cd "$work" || exit 1
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
echo 'int FFX_Init(void*) { return 1; } void FFX_Render(void*, float) {} void FFX_Shutdown() {}' \
  >project/effect.cpp
printf '<sync rows="8">\n<tracks>\n<track name="a:b">\n<key row="1" value="1" interpolation="0"/>\n</tracks>\n</sync>\n' >project/broken.rocket
printf '<sync>\n<tracks>\n<track name="a:b">\n<key row="-1" value="1" interpolation="0"/>\n</track></tracks></sync>\n' >project/row.rocket
printf '<sync beatsPerMin="125"><tracks><track name="a:b">\n<key row="1" value="1" interpolation="5"/>\n</track></tracks></sync>\n' >project/kind.rocket

# expect_stop ARGUMENTS LINE: configuring with ARGUMENTS fails, and says LINE.
expect_stop() {
  cat >project/CMakeLists.txt <<END
cmake_minimum_required(VERSION 3.21)
project(bad LANGUAGES CXX)
add_subdirectory($tree ffxdemo)
ffx_add_demo(bad SOURCES effect.cpp $1)
END
  cmake -S project -B build -G Ninja >out.txt 2>&1 && fail "configured with $1"
  grep -qF "$2" out.txt || fail "no line '$2' in: $(cat out.txt)"
}
expect_stop "SYNC gone.rocket BPM 120" "ffx_add_demo(bad): SYNC $work/project/gone.rocket: no such file"
expect_stop "SYNC broken.rocket BPM 120" "ffx_add_demo(bad): SYNC $work/project/broken.rocket:5: mismatched tag"
expect_stop "SYNC row.rocket BPM 120" "ffx_add_demo(bad): SYNC $work/project/row.rocket:4: a key's row \"-1\" is not a row"
expect_stop "SYNC kind.rocket" "ffx_add_demo(bad): SYNC $work/project/kind.rocket:2: a key's interpolation \"5\" is not 0 to 3"
expect_stop "SYNC row.rocket" "ffx_add_demo(bad): SYNC $work/project/row.rocket:4: a key's row"
sed -i 's/interpolation="5"/interpolation="1"/' project/kind.rocket
expect_stop "SYNC kind.rocket BPM 120" "ffx_add_demo(bad): SYNC $work/project/kind.rocket: BPM 120 but its beatsPerMin is 125"
printf '<sync><tracks/></sync>\n' >project/empty.rocket
expect_stop "SYNC empty.rocket" "ffx_add_demo(bad): SYNC $work/project/empty.rocket: no BPM"
echo "badsync: the build stops with the file, the line and the reason"
