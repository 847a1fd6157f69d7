# The window host under a real window manager (Debian's openbox), for what
# only a window manager carries out: the smallest size the window may be
# given, and maximising. Without openbox these tests are skipped.

start_window_manager() {
    if ! command -v openbox >/dev/null; then
        echo "    openbox is missing (apt-get install openbox): skipped"
        return 1
    fi
    openbox --sm-disable >"$WORK/openbox.log" 2>&1 &
    WM_PID=$!
    local i
    for i in $(seq 100); do
        xprop -root _NET_SUPPORTED 2>/dev/null | grep -q _NET_WM_STATE_FULLSCREEN && return 0
        sleep 0.05
    done
    fail "openbox did not start"
    return 1
}

# The tests after this one find the display without a window manager again.
stop_window_manager() {
    kill "$WM_PID" 2>/dev/null
    wait "$WM_PID" 2>/dev/null
    xprop -root -remove _NET_SUPPORTING_WM_CHECK 2>/dev/null
    xprop -root -remove _NET_SUPPORTED 2>/dev/null
}

geometry_of() { xdotool getwindowgeometry "$1" | sed -n 's/.*Geometry: //p'; }

# The window asks for at least 640 x 480, which the window manager keeps to;
# maximised, then full screen and back, it is maximised again.
test_window_keeps_its_smallest_size_and_comes_back_maximised_from_full_screen() {
    start_window_manager || return
    start_probe || {
        stop_window_manager
        return
    }
    [[ $(xprop -id "$PROBE" WM_NORMAL_HINTS) == *"minimum size: 640 by 480"* ]] ||
        fail "the window asks for no minimum size of 640 x 480"
    xdotool windowsize --sync "$PROBE" 400 300
    sleep 0.3
    expect_eq "size after asking for 400 x 300" "$(geometry_of "$PROBE")" 640x480
    "$BIN/tessaly-xhelper" maximize "$PROBE"
    sleep 0.5
    local maximised
    maximised=$(geometry_of "$PROBE")
    [[ $(xprop -id "$PROBE" _NET_WM_STATE) == *MAXIMIZED_HORZ* ]] || fail "the window was not maximised"
    xdotool windowfocus --sync "$PROBE"
    xdotool key F11
    sleep 0.5
    expect_eq "full screen" "$(geometry_of "$PROBE")" 2560x1440
    xdotool key F11
    sleep 0.5
    local state
    state=$(xprop -id "$PROBE" _NET_WM_STATE)
    [[ $state == *MAXIMIZED_VERT*MAXIMIZED_HORZ* || $state == *MAXIMIZED_HORZ*MAXIMIZED_VERT* ]] ||
        fail "back from full screen the window is not maximised: $state"
    expect_eq "size back from full screen" "$(geometry_of "$PROBE")" "$maximised"
    end_probe
    stop_window_manager
}
