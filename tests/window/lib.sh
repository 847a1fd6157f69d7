# Helpers of the window tests, sourced by scripts/window-tests.sh after it has
# started Xvfb. BIN is the folder of the built programs; each test runs in its
# own empty folder WORK. Keys and buttons are held for 100 ms, longer than one
# pass of the program's loops, since a tap shorter than a pass is not seen.

failures=0
current_test=""

fail() {
    echo "    FAILED: $*"
    failures=$((failures + 1))
}

expect_eq() { # what actual expected
    if [ "$2" != "$3" ]; then fail "$1: got '$2', expected '$3'"; fi
}

# Starts a program in the background with its output in WORK/out.log.
start() {
    (cd "$WORK" && exec "$@" >"$WORK/out.log" 2>"$WORK/err.log") &
    PROGRAM_PID=$!
}

# Waits up to 5 s for a mapped window of exactly this title and prints its id.
window_of() {
    local title=$1 i w
    for i in $(seq 100); do
        w=$(xdotool search --onlyvisible --name "^${title}\$" 2>/dev/null | head -1)
        if [ -n "$w" ]; then
            echo "$w"
            return 0
        fi
        sleep 0.05
    done
    return 1
}

# Waits up to 5 s for no mapped window of this title to be left.
window_gone() {
    local i
    for i in $(seq 100); do
        xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1 || return 0
        sleep 0.05
    done
    return 1
}

# Whether a window of this title is still there after `seconds`.
still_there_after() {
    sleep "$2"
    xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1
}

# A key that was down when a dialog opened counts as pressed again only from
# 250 ms after the dialog closed (platform/sdl/key_table.h); a person is never
# that quick, a script has to wait.
press_again() {
    sleep 0.3
    hold_key "$@"
}

pixel() { "$BIN/tessaly-xhelper" pixel "$@"; }

hold_key() { # key...: press together, hold 100 ms, release
    xdotool keydown "$@"
    sleep 0.1
    xdotool keyup "$@"
}

click() { # window x y [button]
    xdotool mousemove --window "$1" "$2" "$3"
    sleep 0.05
    xdotool mousedown "${4:-1}"
    sleep 0.1
    xdotool mouseup "${4:-1}"
}

# Types a path into the file dialog of this title and accepts it: the open
# dialog needs its location field (ctrl+L); the save dialog's name field has
# the focus from the start. Whatever the field held is replaced.
answer_dialog() { # title path
    local d
    d=$(window_of "$1") || {
        fail "no dialog \"$1\""
        return 1
    }
    xdotool windowfocus --sync "$d"
    case $1 in Open*) xdotool key ctrl+l ;; esac
    sleep 0.2
    xdotool key ctrl+a
    xdotool type --delay 5 "$2"
    sleep 0.2
    xdotool key Return
}

# Waits up to `seconds` for the program to end and sets EXIT_STATUS to its
# exit status, or to "running" (and stops it) when it did not end.
wait_exit() { # seconds
    local i
    for i in $(seq $(($1 * 20))); do
        if ! kill -0 "$PROGRAM_PID" 2>/dev/null; then
            wait "$PROGRAM_PID"
            EXIT_STATUS=$?
            PROGRAM_PID=""
            return
        fi
        sleep 0.05
    done
    stop_program
    EXIT_STATUS=running
}

stop_program() {
    if [ -n "${PROGRAM_PID:-}" ] && kill -0 "$PROGRAM_PID" 2>/dev/null; then
        kill "$PROGRAM_PID"
        wait "$PROGRAM_PID" 2>/dev/null
    fi
    PROGRAM_PID=""
}

# Waits up to 5 s for a line matching the pattern in the program's output.
wait_line() {
    local i
    for i in $(seq 100); do
        grep -q -- "$1" "$WORK/out.log" 2>/dev/null && return 0
        sleep 0.05
    done
    return 1
}

count_lines() { grep -c -- "$1" "$WORK/out.log" 2>/dev/null || true; }
