#!/usr/bin/env bash
# End-to-end check of the installed program, driven by real X input events under a virtual display:
# type a text, move the focus, change an option, close the window, and look at what the settings file
# kept; then start again and prove the option came back.
# Usage: window_session.sh BUILD_DIR   (run inside xvfb-run; see CMakeLists.txt)
set -euo pipefail
build_dir=$1
work=$(mktemp -d)
trap 'stop_session; rm -rf "$work"' EXIT
# shellcheck source=../../scripts/lib/x11-session.sh
source "$(dirname "$0")/../../scripts/lib/x11-session.sh"

cmake --install "$build_dir" --prefix "$work/prefix" >/dev/null
program=$work/prefix/bin/Lattiscribe
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
settings=$XDG_CONFIG_HOME/Kelvo/LattiScribe.conf
unset QT_QPA_PLATFORM

start_window_manager
map_keys_for '永字八法'

start_program
state=$(xprop -id "$window" _NET_WM_STATE)
[[ $state == *_NET_WM_STATE_MAXIMIZED_VERT* && $state == *_NET_WM_STATE_MAXIMIZED_HORZ* ]] || fail "not maximized: $state"
[ ! -e "$settings" ] || fail "starting the program wrote settings"

type_into_editor '永字八法'
[ ! -e "$settings" ] || fail "typing wrote settings"
# A click on the preview takes the focus from the editor; then Tab reaches the first control, the book
# type, and Down picks "Copy".
step_book_type() { click_preview; xdotool key Tab; sleep 0.3; xdotool key "$1"; }
step_book_type Down
# Every change is saved at once.
wait_until 'grep -q "^BookType=1$" "$settings" 2>/dev/null' || fail "book type not stored: $(cat "$settings")"
close_program

for key in TraceType BlankLines CellSize FontSize Opacity FontName CommonChineseOnly GridColor TextColor; do
    grep -q "^$key=" "$settings" || fail "key $key missing"
done
! grep -q '永' "$settings" || fail "the text was stored"

# Second run: if "Copy" came back, Up picks "Trace" and stores 0; had it not, Up would do nothing.
start_program
step_book_type Up
wait_until 'grep -q "^BookType=0$" "$settings"' || fail "the stored book type did not come back: $(cat "$settings")"
close_program
echo "window session: ok"
