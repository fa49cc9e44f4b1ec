# bad_project.sh -- what the tests of a project that must not configure
# share: sourced after setting tree (ffxdemo's tree) and work (the folder),
# it makes work/project with an empty effect; expect_stop KEYWORDS LINE
# configures it with ffx_add_demo(bad SOURCES effect.cpp KEYWORDS), which
# must fail and say LINE.
set -u
rm -rf "$work" && mkdir -p "$work/project" && cd "$work" || exit 1
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
echo 'int FFX_Init(void*) { return 1; } void FFX_Render(void*, float) {} void FFX_Shutdown() {}' \
  >project/effect.cpp

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
