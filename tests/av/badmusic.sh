#!/bin/bash
# badmusic.sh FFXDEMO_TREE WORKDIR -- a project whose MUSIC is missing or
# cannot be decoded stops configuring with one line naming the file and the
# reason.
set -u
tree=$1 work=$2
rm -rf "$work" && mkdir -p "$work/project" && cd "$work" || exit 1
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
echo 'int FFX_Init(void*) { return 1; } void FFX_Render(void*, float) {} void FFX_Shutdown() {}' \
  >project/effect.cpp
echo "not a module" >project/bad.xm

# expect_stop MUSIC LINE: configuring with MUSIC fails, and says LINE.
expect_stop() {
  cat >project/CMakeLists.txt <<END
cmake_minimum_required(VERSION 3.21)
project(bad LANGUAGES CXX)
add_subdirectory($tree ffxdemo)
ffx_add_demo(bad SOURCES effect.cpp MUSIC $1)
END
  cmake -S project -B build -G Ninja >out.txt 2>&1 && fail "configured with MUSIC $1"
  grep -qF "$2" out.txt || fail "no line '$2' in: $(cat out.txt)"
}
expect_stop bad.xm "ffx_add_demo(bad): MUSIC $work/project/bad.xm: cannot open it: Invalid data found when processing input"
expect_stop gone.ogg "ffx_add_demo(bad): MUSIC $work/project/gone.ogg: no such file"
echo "badmusic: the build stops with the file and the reason"
