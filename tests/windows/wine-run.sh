#!/usr/bin/env bash
# Usage: wine-run.sh SDK PREFIX BUILD_DIR PROGRAM.exe [ARGUMENT...]
# Runs a program of the Windows build under Wine, in the tests' own Wine prefix, with the SDK's Qt and
# runtime DLLs on its DLL path. Without Wine the check reports itself skipped (77), except in CI.
set -u
sdk=$1
export WINEPREFIX=$2
build_dir=$3
# Wine keeps its server's socket folder under TMPDIR: in the prefix's own, it goes when the prefix does.
export TMPDIR=$WINEPREFIX-tmp
mkdir -p "$TMPDIR"
shift 3
if ! command -v wine >/dev/null 2>&1; then
    echo "missing tool: wine" >&2
    [ -n "${CI:-}" ] && exit 1
    exit 77
fi
# Wine's own messages would drown the test's; Mono and Gecko are not needed and would be offered.
export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
windows_path() { local path=${1//\//\\}; echo "Z:$path"; }
# The build's own DLL, the compiled tables, lies in its folder of the build tree.
export WINEPATH="$(windows_path "$sdk/qt5/bin");$(windows_path "$sdk/runtime");$(windows_path "$build_dir/engine/tables")"
# Wine hands no QT_ variable to Windows programs (a Linux Qt's settings would mislead a Windows Qt), only
# the same prefixed with WINE. Not the platform: Qt 5's offscreen one on Windows has no fonts, and the
# native one needs no screen.
while IFS= read -r name; do
    [ "$name" = QT_QPA_PLATFORM ] || export "WINE$name=${!name}"
done < <(compgen -e | grep '^QT_')
# A Qt test with no console writes its report to the debugger; asked for a file, it writes it there.
case $(basename "$1") in
tst_*.exe)
    report=$(mktemp "${TMPDIR:-/tmp}/wine-test.XXXXXX")
    wine "$@" -o "$(windows_path "$report"),txt"
    status=$?
    cat "$report"
    rm -f "$report"
    exit $status
    ;;
esac
exec wine "$@"
