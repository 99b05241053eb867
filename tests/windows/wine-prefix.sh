#!/usr/bin/env bash
# Usage: wine-prefix.sh create|remove PREFIX
# The Wine prefix the Windows build's tests share: made anew before them, removed after them.
set -u
prefix=$2
command -v wine >/dev/null 2>&1 || { [ -n "${CI:-}" ] && exit 1; exit 77; }
# The same TMPDIR as wine-run.sh, where Wine keeps its server's socket folder.
export WINEPREFIX=$prefix TMPDIR=$prefix-tmp WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
clear_prefix() {
    wineserver -k 2>/dev/null
    rm -rf "$prefix" "$TMPDIR"
}
clear_prefix
[ "$1" = remove ] && exit 0
log=$prefix-wineboot.log
trap 'rm -f "$log"' EXIT
# A second try after a pause: a server of an earlier run may still be going away.
for attempt in 1 2; do
    mkdir -p "$prefix" "$TMPDIR"
    wineboot -i >"$log" 2>&1 && wineserver -w && exit 0
    echo "wineboot failed in $prefix (try $attempt); what Wine said:" >&2
    tail -n 20 "$log" >&2
    clear_prefix
    sleep 3
done
# What a failure on another machine needs to be understood: who we are and who owns the folders.
echo "user $(id -u); owners: $(stat -c '%u %n' "$(dirname "$prefix")" "$PWD" 2>&1 | tr '\n' ' ')" >&2
exit 1
