#!/bin/bash
# run-wine.sh -- a Windows demo under Wine on the current display, in a
# virtual desktop of the demo's size, so that its display mode is the
# screen's. The prefix is made on first use (wineboot, some 15 s).
# Usage: run-wine.sh DEMO.EXE WIDTHxHEIGHT PREFIX
set -eu
exe=$1 size=$2
export WINEPREFIX=$3
# No Mono or Gecko: their installers would ask to download.
export WINEDLLOVERRIDES="mscoree,mshtml="
command -v wine >/dev/null || { echo "run-wine: Wine is not installed (install wine64)" >&2; exit 1; }
if [ ! -d "$WINEPREFIX" ]; then
  echo "run-wine: making the Wine prefix $WINEPREFIX (once)"
  # Off the display: its "being updated" window would come before the demo.
  (unset DISPLAY WAYLAND_DISPLAY; WINEDEBUG=-all wineboot -i) >/dev/null 2>&1
fi
reg=$WINEPREFIX/ffx-desktop.reg
printf '%s\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' \
  '' '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' "\"Default\"=\"$size\"" >"$reg"
WINEDEBUG=-all wine reg import "$reg" >/dev/null 2>&1
WINEDEBUG=-all wineserver -w
# Wine reports the program's own exit code.
exec env WINEDEBUG=${WINEDEBUG:--all} wine "$exe"
