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
clear_prefix() { wineserver -k 2>/dev/null; rm -rf "$prefix" "$TMPDIR"; }
clear_prefix
[ "$1" = remove ] && exit 0
# A second try after a pause: a server of an earlier run may still be going away.
for attempt in 1 2; do
    mkdir -p "$prefix" "$TMPDIR"
    wineboot -i >"$log" 2>&1 && wineserver -w && exit 0
    echo "wineboot failed in $prefix (try $attempt), as user $(id -u); what Wine said:" >&2
    tail -n 20 "$log" >&2
    clear_prefix
    [ "$attempt" = 1 ] && sleep 3
done
exit 1
