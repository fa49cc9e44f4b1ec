#!/bin/bash
# exits.sh -- how often the Windows program's exit goes wrong under Wine:
# RUNS times in one prefix it starts, shows an exact frame, runs a moment
# and ends on Escape. Every run must show the frame and end; the runs that
# end with SIGSEGV instead of exit code 0 are counted, and the first one's
# core is read with gdb for where it crashed. Fails on anything else.
# Usage: exits.sh FFXDEMO.EXE SCREENCHECK WORKDIR [RUNS]
exe=$1 WINE_CHECKER=$2 WINE_WORK=$3 runs=${4:-12}
. "$(dirname "$0")/wine-lib.sh"

wine_require "$exe"
wine_setup 640x480x24 640x480
# Cores land in the program's folder, which is this one.
ulimit -c unlimited
cd "$WINE_WORK" || exit 1
crashes=0
for run in $(seq "$runs"); do
  wine_start "$exe"
  win=$(e2e_wait_window '^cname$' 60) || wine_fail "run $run: the program's window did not appear"
  wine_check_screen run 20 exact >/dev/null
  sleep 1
  wine_key "$win" key Escape
  e2e_wait_exit "$WINE_PID" 20
  status=$?
  WINE_PID=
  case $status in
    124) wine_fail "run $run: the program did not end" ;;
    0) ;;
    139)
      crashes=$((crashes + 1))
      core=$(ls -t "$WINE_WORK"/core* 2>/dev/null | head -n 1)
      if [ "$crashes" -eq 1 ] && [ -n "$core" ] && command -v gdb >/dev/null; then
        echo "run $run: SIGSEGV after Escape; the crashing thread, from $core:"
        gdb -batch -ex 'bt 12' /usr/lib/wine/wine64 "$core" 2>/dev/null | grep -E '^#' | head -n 12
      fi
      rm -f "$WINE_WORK"/core* ;;
    *) wine_fail "run $run: exit status $status" ;;
  esac
  timeout 20 wineserver -w
done
echo "$crashes of $runs runs ended with SIGSEGV after Escape (renderer: ${WINE_RENDERER:-no3d}); every run showed an exact frame"
echo "PASS"
