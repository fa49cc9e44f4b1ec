#!/bin/bash
# prefix.sh WORKDIR -- the Wine prefix that the Wine tests copy
# (FFX_WINE_PREFIX=WORKDIR/prefix): booted once, nothing run in it since.
WINE_WORK=$1
. "$(dirname "$0")/wine-lib.sh"
rm -rf "$WINE_WORK" && mkdir -p "$WINE_WORK" || exit 1
wine_boot
timeout 60 wineserver -w # all written, no server left
echo "prefix ready: $WINEPREFIX"
