#!/usr/bin/env bash
# Usage: wine-prefix.sh create|remove PREFIX
# The Wine prefix the Windows build's tests share: made anew before them, removed after them.
set -u
prefix=$2
command -v wine >/dev/null 2>&1 || { [ -n "${CI:-}" ] && exit 1; exit 77; }
# The same TMPDIR as wine-run.sh, where Wine keeps its server's socket folder.
export WINEPREFIX=$prefix TMPDIR=$prefix-tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
log=$prefix-wineboot.log
trap 'rm -f "$log"' EXIT
# A second try after a pause: a server of an earlier run may still be going away.
for attempt in 1 2; do
    wineserver -k 2>/dev/null
    rm -rf "$prefix" "$TMPDIR"
    [ "$1" = remove ] && exit 0
    [ "$attempt" = 2 ] && sleep 3
    mkdir -p "$prefix" "$TMPDIR"
    wineboot -i >"$log" 2>&1 && wineserver -w && exit 0
    echo "wineboot failed in $prefix (try $attempt), as user $(id -u); what Wine said:" >&2
    tail -n 20 "$log" >&2
done
rm -rf "$prefix" "$TMPDIR"
exit 1
