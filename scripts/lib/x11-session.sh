# Helpers to drive the real program on an X display with real input events. Source it from a script
# that runs under xvfb-run, after setting `program` to the Lattiscribe binary and `work` to a scratch
# directory.

fail() { echo "FAIL: $*" >&2; exit 1; }

# Character counts and code points below need a UTF-8 locale, whatever the caller's environment.
export LC_ALL=C.UTF-8

# Waits up to ten seconds for a shell condition to hold.
wait_until() {
    local tries
    for ((tries = 0; tries < 100; tries++)); do
        eval "$1" && return 0
        sleep 0.1
    done
    return 1
}

# Maximizing and Alt+F4 need a window manager; Xvfb has none of its own. It is ready once it has
# announced itself on the root window.
start_window_manager() {
    openbox >/dev/null 2>&1 &
    wm_pid=$!
    wait_until 'xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id"' || fail "no window manager"
}

start_program() {
    "$program" >"$work/program.log" 2>&1 &
    app_pid=$!
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^格书字帖$' | head -n 1) || fail "no window titled 格书字帖"
    # Input only makes sense once the window manager has maximized the window and its layout is final;
    # a slow start (a sanitizer build on a busy machine) must not send clicks into the wrong place.
    wait_until '[[ $(xprop -id "$window" _NET_WM_STATE) == *_NET_WM_STATE_MAXIMIZED_HORZ* ]]' || fail "not maximized"
    # The layout settles after the window manager's resize, which nothing announces.
    sleep 1
}

close_program() {
    xdotool windowactivate --sync "$window" key --clearmodifiers alt+F4
    timeout 20 tail --pid="$app_pid" -f /dev/null || fail "the program did not exit after Alt+F4"
    wait "$app_pid" || fail "the program exited with status $?: $(cat "$work/program.log")"
    app_pid=
}

# Clicks at a point given in fractions of the window's width and height.
click_at() {
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove --window "$window" "$(awk "BEGIN{print int($WIDTH*$1)}")" "$(awk "BEGIN{print int($HEIGHT*$2)}")" click 1
}

# Waits for a visible window whose title is exactly the given one, and prints its id. (xdotool's own
# --name search misses some titles that it can print.)
wait_for_window() {
    local tries id
    for ((tries = 0; tries < 100; tries++)); do
        for id in $(xdotool search --onlyvisible --name '.*'); do
            [ "$(xdotool getwindowname "$id")" = "$1" ] && echo "$id" && return 0
        done
        sleep 0.2
    done
    return 1
}

# The content editor sits at the top of the right-hand panel, the preview on the left.
# Left to itself, xdotool types a CJK character by remapping a spare key to it on the fly, and the
# program can read the key before the new mapping reaches it: characters get lost. Giving every
# character of the text a key of its own before the program starts avoids any remapping while it runs.
map_keys_for() {
    local text=$1 seen="" i char code=200 hex
    for ((i = 0; i < ${#text}; i++)); do
        char=${text:i:1}
        [[ $char == $'\n' || $seen == *"$char"* ]] && continue
        seen+=$char
        printf -v hex '%04X' "'$char"
        xmodmap -e "keycode $code = U$hex"
        code=$((code + 1))
    done
}

type_into_editor() {
    click_at 0.85 0.08
    local line first=1
    while IFS= read -r line; do
        [ $first = 1 ] || xdotool key Return
        first=0
        xdotool type --delay 60 "$line"
    done <<<"$1"
    sleep 0.5
}

click_preview() {
    click_at 0.3 0.5
    sleep 0.3
}

stop_session() {
    kill "${wm_pid:-}" "${app_pid:-}" 2>/dev/null || true
}
