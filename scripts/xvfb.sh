# Sourced by the window tests and the window benchmark: starts a private Xvfb
# server and points DISPLAY at it. Xvfb picks a free display number itself
# and writes it once it accepts clients, so two runs at once never share (or
# kill) one server. -noreset keeps the server from resetting each time its
# last client leaves: during a reset new connections are refused, which made
# a program started right after another one find no display now and then.
# Sets XVFB_PID; xvfb_stop ends it.

xvfb_start() { # folder for the server's log and display number
    local dir=$1 display="" _
    Xvfb -displayfd 3 -screen 0 2560x1440x24 -nolisten tcp -noreset 3>"$dir/display" \
        >"$dir/xvfb.log" 2>&1 &
    XVFB_PID=$!
    for _ in $(seq 100); do
        display=$(head -1 "$dir/display" 2>/dev/null)
        [ -n "$display" ] && break
        kill -0 "$XVFB_PID" 2>/dev/null || break
        sleep 0.05
    done
    if [ -z "$display" ]; then
        echo "could not start Xvfb:"
        cat "$dir/xvfb.log"
        xvfb_stop
        return 1
    fi
    export DISPLAY=":$display" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
    unset WAYLAND_DISPLAY
}

xvfb_stop() {
    if [ -n "${XVFB_PID:-}" ]; then
        kill "$XVFB_PID" 2>/dev/null
        wait "$XVFB_PID" 2>/dev/null
        XVFB_PID=""
    fi
}
