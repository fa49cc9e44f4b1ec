# wine-lib.sh -- runs the Windows program under Wine on Xvfb for the
# end-to-end tests: a fresh prefix, the program's start and exit code, keys,
# message boxes, screen checks, and cleanup of exactly what was started.
# Sourced by bash scripts after they set WINE_WORK (the test's own folder).

. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/e2e-lib.sh"

WINE_PID=
WINE_LOAD_PIDS=
WINE_WORK=$(realpath -m "$WINE_WORK")
WINE_LOG="$WINE_WORK/wine.log"
export WINEPREFIX="$WINE_WORK/prefix"
# No Mono or Gecko: their installers would ask to download.
export WINEDLLOVERRIDES="mscoree,mshtml="

wine_fail() {
  echo "FAIL: $*" >&2
  if [ -s "$WINE_LOG" ]; then
    echo "--- last lines of $WINE_LOG" >&2
    tail -n 20 "$WINE_LOG" >&2
  fi
  exit 1
}

# wine_require EXE: fails unless Wine, the X tools and the program are there.
wine_require() {
  local tool
  for tool in wine wineboot wineserver; do
    command -v "$tool" >/dev/null ||
      wine_fail "Wine is not installed ($tool not found); scripts/install-deps installs wine64"
  done
  for tool in Xvfb xdotool xwininfo xdpyinfo xprop import convert; do
    command -v "$tool" >/dev/null ||
      wine_fail "$tool not found; scripts/install-deps installs it"
  done
  [ -f "$1" ] || wine_fail "$1 is missing; build it with 'make windows'"
}

# wine_cleanup: ends the program, every process of our prefix, the X server,
# and removes the prefix (about 700 MB). Runs on every exit of the script.
wine_cleanup() {
  [ -n "$WINE_PID" ] && e2e_kill "$WINE_PID"
  WINE_PID=
  for pid in $WINE_LOAD_PIDS; do e2e_kill "$pid"; done
  [ -d "$WINEPREFIX" ] && timeout 10 wineserver -k 2>/dev/null
  e2e_stop_xvfb
  rm -rf "$WINEPREFIX"
}

# wine_setup SCREEN [DESKTOP]: a fresh prefix, then Xvfb with SCREEN (e.g.
# 640x480x24). With DESKTOP (e.g. 640x480) every program of the prefix runs
# in a virtual desktop of that size; `wine explorer /desktop=...` would do
# the same but hides the program's exit code.
wine_setup() {
  local start=$SECONDS reg="$WINE_WORK/setup.reg"
  trap wine_cleanup EXIT
  trap 'exit 1' INT TERM
  mkdir -p "$WINE_WORK"
  [ -d "$WINEPREFIX" ] && timeout 10 wineserver -k 2>/dev/null
  rm -rf "${WINE_WORK:?}"/*
  (unset DISPLAY; WINEDEBUG=-all timeout 120 wineboot -i) >"$WINE_WORK/wineboot.log" 2>&1 ||
    wine_fail "wineboot -i did not finish in 120 s (see $WINE_WORK/wineboot.log)"
  # DirectDraw draws through GDI unless WINE_RENDERER=default asks for what
  # a Wine user gets: without a GPU, Wine's OpenGL path runs on Mesa's
  # software rasteriser, whose threads compete for the processors (2 of 10
  # soaks on it once ended on Escape with SIGSEGV; see the *-gl tests).
  printf 'REGEDIT4\n' >"$reg"
  [ "${WINE_RENDERER:-no3d}" = default ] ||
    printf '\n[HKEY_CURRENT_USER\\Software\\Wine\\Direct3D]\n"renderer"="%s"\n' "${WINE_RENDERER:-no3d}" >>"$reg"
  # With WINE_DPI (e.g. 144, 150 %), the desktop's scale as a user sets it.
  [ -n "${WINE_DPI:-}" ] &&
    printf '\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n' "$WINE_DPI" >>"$reg"
  [ -n "${2:-}" ] && printf '%s\n' '' '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' \
    '' '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' "\"Default\"=\"$2\"" >>"$reg"
  WINEDEBUG=-all timeout 60 wine reg import "$reg" >>"$WINE_WORK/wineboot.log" 2>&1 ||
    wine_fail "could not set up the prefix ($reg)"
  timeout 60 wineserver -w
  echo "prefix ready in $((SECONDS - start)) s (renderer: ${WINE_RENDERER:-no3d})"
  e2e_start_xvfb "$1" 80 || wine_fail "no Xvfb"
  echo "Xvfb $1 on $DISPLAY"
  wine_load
}

# wine_setup_music EXE: wine_setup for the flash-and-tone demo in a virtual
# desktop of its size, EXE copied alone into an empty folder (it needs
# nothing beside it), now the current one, and a sound server of its own.
wine_setup_music() {
  wine_setup 320x240x24 320x240
  trap 'e2e_stop_recording; e2e_stop_pulse; wine_cleanup' EXIT
  mkdir -p "$WINE_WORK/alone"
  cp "$1" "$WINE_WORK/alone/sync.exe"
  cd "$WINE_WORK/alone" || exit 1
  e2e_start_pulse "$WINE_WORK/pulse" || wine_fail "the sound server did not start"
}

# wine_load: with WINE_LOAD=N, N busy loops hold the processors while the
# test runs, as other work on the machine would.
wine_load() {
  local n
  for n in $(seq "${WINE_LOAD:-0}"); do
    (while :; do :; done) &
    WINE_LOAD_PIDS="$WINE_LOAD_PIDS $!"
  done
  [ -n "$WINE_LOAD_PIDS" ] && echo "under load: ${WINE_LOAD} busy loops"
}

# wine_start EXE: starts the program; Wine's errors and the message boxes'
# texts go to the log, and the channels in WINE_TRACE (e.g. trace+ddraw).
wine_start() {
  WINEDEBUG=-all,err+all,trace+msgbox${WINE_TRACE:+,$WINE_TRACE} wine "$1" >"$WINE_LOG" 2>&1 &
  WINE_PID=$!
}

# wine_expect_exit SECONDS: fails unless the program ends within SECONDS
# with exit code 0. An end by SIGSEGV, with no exception of the program's
# in the log, is let through with a warning: a thread of Wine's own faults
# in its system-call entry while the process exits, some runs in ten under
# load on the default renderer (exits.sh counts them), and once in 17 runs
# of switches.sh on the GDI one.
wine_expect_exit() {
  local status
  e2e_wait_exit "$WINE_PID" "$1"
  status=$?
  WINE_PID=
  if [ "$status" -eq 139 ] && ! grep -q -E '^wine: Unhandled|:err:seh:' "$WINE_LOG"; then
    echo "WARNING: the process ended by SIGSEGV in Wine's exit (${WINE_RENDERER:-no3d} renderer)"
    return 0
  fi
  [ "$status" -eq 124 ] && wine_fail "the program is still running $1 s later"
  [ "$status" -eq 0 ] || wine_fail "exit code $status, expected 0"
  echo "exit code 0"
}

# wine_alive: fails if the program has ended.
wine_alive() {
  kill -0 "$WINE_PID" 2>/dev/null && [ "$(ps -o stat= -p "$WINE_PID" | cut -c1)" != Z ] ||
    wine_fail "the program ended unexpectedly"
}

# wine_key WINDOW ACTION KEY...: focuses WINDOW, then xdotool's ACTION (key,
# keydown or keyup) with the keys.
wine_key() {
  local win=$1
  shift
  timeout 5 xdotool windowfocus --sync "$win" 2>/dev/null || wine_fail "could not focus window $win"
  xdotool "$@"
}

# wine_boxes: prints the text of each message box shown so far, in order,
# as Wine traces it (a line feed appears as \n).
wine_boxes() {
  sed -n 's/^.*trace:msgbox:MSGBOX_OnInit L"\(.*\)"$/\1/p' "$WINE_LOG"
}

# wine_answer_box CAPTION TEXT N OWNER: waits for the program's Nth message
# box, which must be captioned exactly CAPTION, say TEXT and be owned by the
# X window OWNER (empty: by none), and presses its button (Return), again
# until the box is gone.
wine_answer_box() {
  local caption=$1 text=$2 n=$3 owner=$4 win tries ticks shown
  win=$(e2e_wait_window "^$caption\$" 30) || wine_fail "no box captioned '$caption'"
  tries=0
  while [ "$(wine_boxes | wc -l)" -lt "$n" ] && [ "$tries" -lt 50 ]; do
    sleep 0.1
    tries=$((tries + 1))
  done
  shown=$(wine_boxes | sed -n "${n}p")
  [ "$(wine_boxes | wc -l)" -eq "$n" ] && [ "$shown" = "$text" ] ||
    wine_fail "box $n captioned '$caption' says '$shown', expected '$text'"
  # Wine marks an owned window as transient for its owner's X window.
  shown=$(xprop -id "$win" WM_TRANSIENT_FOR | sed -n 's/.*window id # //p')
  [ "$((shown))" -eq "$((${owner:-0}))" ] ||
    wine_fail "box $n is owned by X window '$shown', expected '$owner'"
  echo "box $n: '$caption' / '$text', owner ${owner:-none}"
  # Return goes only to the box itself: a stray one would answer the next box.
  for tries in 1 2 3 4 5; do
    timeout 5 xdotool windowfocus --sync "$win" 2>/dev/null && xdotool key Return
    for ticks in $(seq 20); do
      xwininfo -id "$win" >/dev/null 2>&1 || return 0
      sleep 0.1
    done
  done
  wine_fail "the box '$caption' does not go away on Return"
}

# wine_check_screen NAME SECONDS MODE...: takes screenshots until the screen
# checker accepts one in one of the MODEs: "exact" (an effect frame) or
# "readout" (with the frame-rate readout at the top-left), for up to SECONDS.
# Retries are normal (the first frame, a key, take a moment to show); every
# try's verdict is kept in NAME.log, the last shot in NAME.png. Prints the verdict
# and sets WINE_SCREEN_MODE to the mode that matched. Needs WINE_CHECKER.
wine_check_screen() {
  local name=$1 secs=$2 shot="$WINE_WORK/$1.png" log="$WINE_WORK/$1.log" end=$((SECONDS + $2)) mode flag
  shift 2
  : >"$log"
  while :; do
    if e2e_screenshot "$shot"; then
      for mode in "$@"; do
        flag=
        [ "$mode" = readout ] && flag=--readout
        if "$WINE_CHECKER" $flag "$shot" >"$WINE_WORK/$name.txt" 2>&1; then
          WINE_SCREEN_MODE=$mode
          cat "$WINE_WORK/$name.txt" >>"$log"
          head -n 1 "$WINE_WORK/$name.txt"
          return 0
        fi
        { echo "$mode:"; cat "$WINE_WORK/$name.txt"; } >>"$log"
      done
    fi
    [ "$SECONDS" -ge "$end" ] && break
    sleep 0.2
  done
  cat "$WINE_WORK/$name.txt" >&2
  wine_fail "the screen ($shot) is not an effect frame ($*) after $secs s; tries in $log"
}
