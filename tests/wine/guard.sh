#!/bin/bash
# guard.sh -- the effect that writes one row past its frame buffer, under
# Wine in a virtual desktop of its size: the program ends at once with a
# non-zero exit code and the line that names the overrun on its stderr.
# Usage: guard.sh OVERRUN.EXE WORKDIR
exe=$1 WINE_WORK=$2
. "$(dirname "$0")/wine-lib.sh"

wine_require "$exe"
wine_setup 640x480x24 320x200
wine_start "$exe"
e2e_wait_exit "$WINE_PID" 30
status=$?
WINE_PID=
[ "$status" -ne 124 ] || wine_fail "the program is still running 30 s later"
[ "$status" -ne 0 ] || wine_fail "the program ended with 0"
# The C runtime's text mode ends the line with CR LF.
line=$(tr -d '\r' <"$WINE_LOG" | grep -E '^the effect wrote past its frame buffer of 320 x 200 x 4 bytes in FFX_Render at [0-9]+\.[0-9]{3} s$') ||
  wine_fail "no line for the overrun (exit $status)"
echo "exit code $status, $line"
echo "PASS"
