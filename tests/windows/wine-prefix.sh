#!/usr/bin/env bash
# Usage: wine-prefix.sh create|remove PREFIX
# The Wine prefix the Windows build's tests share: made anew before them, removed after them.
set -u
prefix=$2
command -v wine >/dev/null 2>&1 || { [ -n "${CI:-}" ] && exit 1; exit 77; }
# The same TMPDIR as wine-run.sh, where Wine keeps its server's socket folder.
export WINEPREFIX=$prefix TMPDIR=$prefix-tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
wineserver -k 2>/dev/null
rm -rf "$prefix" "$TMPDIR"
[ "$1" = remove ] && exit 0
mkdir -p "$prefix" "$TMPDIR"
wineboot -i >/dev/null 2>&1 || { echo "wineboot failed in $prefix" >&2; exit 1; }
wineserver -w
