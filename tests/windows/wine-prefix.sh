#!/usr/bin/env bash
# Usage: wine-prefix.sh create|remove PREFIX
# The Wine prefix the Windows build's tests share: made anew before them, removed after them.
set -u
prefix=$2
command -v wine >/dev/null 2>&1 || { [ -n "${CI:-}" ] && exit 1; exit 77; }
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)
"$WINESERVER" -k 2>/dev/null
rm -rf "$prefix"
[ "$1" = remove ] && exit 0
mkdir -p "$prefix"
wineboot -i >/dev/null 2>&1 || { echo "wineboot failed in $prefix" >&2; exit 1; }
"$WINESERVER" -w
