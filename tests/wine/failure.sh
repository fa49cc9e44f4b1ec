#!/bin/bash
# failure.sh -- the Windows program without a virtual desktop, on an X screen
# that is not 640x480: Wine refuses the display mode, so the program shows
# "Video mode not found" (caption "Error", owned by the program's window)
# and then "DDRAW_Init" (caption "ERROR", no owner), each answered, and ends
# with exit code 0.
# Usage: failure.sh FFXDEMO.EXE WORKDIR
exe=$1 WINE_WORK=$2
. "$(dirname "$0")/wine-lib.sh"

wine_require "$exe"
# An X screen already at 640x480 would accept the mode as it is.
wine_setup 800x600x24
wine_start "$exe"
win=$(e2e_wait_window '^cname$' 60) || wine_fail "the program's window did not appear"
wine_answer_box Error 'Video mode not found\n' 1 "$win"
wine_answer_box ERROR DDRAW_Init 2 ""
wine_expect_exit 15
echo "PASS"
