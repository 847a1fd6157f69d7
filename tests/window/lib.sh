# Helpers of the window tests, sourced by scripts/window-tests.sh after it has
# started Xvfb. BIN is the folder of the built programs; each test runs in its
# own empty folder WORK. click and hold_key hold a button or key for 100 ms,
# as a person does; tap and `xdotool key` press and release at once, as a
# touchpad or a quick finger does, which the program must see all the same.

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
# 250 ms after the dialog closed (hosts/sdl/key_table.h); a person is never
# that quick, a script has to wait.
press_again() {
    sleep 0.3
    hold_key "$@"
}

pixel() { "$BIN/tessaly-xhelper" pixel "$@"; }

# Waits up to 3 s for the save dialog's own question before overwriting (a
# window of no title that belongs to the dialog of this title) and prints its id.
overwrite_question() { # dialog-title
    local dialog w i
    dialog=$(window_of "$1") || return 1
    for i in $(seq 60); do
        for w in $(xdotool search --onlyvisible --name '^$' 2>/dev/null); do
            if [[ $(xprop -id "$w" WM_TRANSIENT_FOR 2>/dev/null) == *"$(printf '0x%x' "$dialog")"* ]]; then
                echo "$w"
                return 0
            fi
        done
        sleep 0.05
    done
    return 1
}

# Where a window of W x H shows the page: FIT_X FIT_Y FIT_W FIT_H, the
# largest 4:3 rectangle, centred (hosts/sdl/page_picture.h).
fit_of() { # w h
    local w=$1 h=$2 fw fh
    if [ $((w * 600)) -le $((h * 800)) ]; then
        fw=$w fh=$((w * 600 / 800))
    else
        fh=$h fw=$((h * 800 / 600))
    fi
    FIT_X=$(((w - fw) / 2)) FIT_Y=$(((h - fh) / 2)) FIT_W=$fw FIT_H=$fh
}

# The window pixel showing the middle of page pixel (px, py), and the page
# pixel that the pointer reads at window pixel (wx, wy).
window_x() { echo $((FIT_X + (2 * $1 + 1) * FIT_W / 1600)); }
window_y() { echo $((FIT_Y + (2 * $1 + 1) * FIT_H / 1200)); }
page_x() { echo $(((2 * ($1 - FIT_X) + 1) * 800 / (2 * FIT_W))); }
page_y() { echo $(((2 * ($1 - FIT_Y) + 1) * 600 / (2 * FIT_H))); }

# The window point showing page pixel (x, y) in a window of W x H.
page_point() { # w h x y
    fit_of "$1" "$2"
    echo "$(window_x "$3") $(window_y "$4")"
}

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
# the focus from the start. Whatever the field held is replaced. With
# "at-once", the path is typed and Enter pressed as soon as the dialog has the
# focus, into the field as it is, as a hurried user does.
answer_dialog() { # title path [at-once]
    local d
    d=$(window_of "$1") || {
        fail "no dialog \"$1\""
        return 1
    }
    xdotool windowfocus --sync "$d"
    case $1 in Open*) xdotool key ctrl+l ;; esac
    if [ "${3:-}" != at-once ]; then
        sleep 0.2
        xdotool key ctrl+a
    fi
    xdotool type --delay 5 "$2"
    [ "${3:-}" = at-once ] || sleep 0.2
    xdotool key Return
}

# In the editor of LEVEL01.CK1 with tile 1 current and painted at level cell
# (3, 4): three taps of the right arrow, a tap at view cell (2, 3), now
# level cell (6, 4), F5, and the saved file compared with expected.ck1; then
# a tap of F10 back to the start screen (window title TITLE) and Exit.
taps_save_and_leave() { # title
    local i
    for i in 1 2 3; do
        sleep 0.1
        xdotool key Right
    done
    sleep 0.1
    tap "$EDITOR" 66 82 # now level cell (6, 4)
    sleep 0.1
    xdotool key F5
    sleep 0.5
    if ! cmp -s "$WORK/expected.ck1" "$WORK/LEVEL01.CK1"; then
        fail "the saved level is not the sample with cells 3,4 and 6,4 set to tile 1"
        cmp "$WORK/expected.ck1" "$WORK/LEVEL01.CK1" | head -3
    fi
    xdotool key F10
    "$BIN/tessaly-xhelper" wait-pixel "$1" 100 300 28508D 3000 >/dev/null ||
        fail "a tap of F10 did not return to the start screen"
    tap "$EDITOR" 50 579 # "-=Exit=-"
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

# Waits up to 5 s for a file to be there.
file_appears() {
    local i
    for i in $(seq 100); do
        [ -f "$1" ] && return 0
        sleep 0.05
    done
    return 1
}

count_lines() { grep -c -- "$1" "$WORK/out.log" 2>/dev/null || true; }

# The whole program: its start screen, and the way out of it.

title="Tessaly Editor v0.9"

start_editor() {
    start "$BIN/tessaly"
    EDITOR=$(window_of "$title") || {
        fail "the editor window did not open"
        return 1
    }
    # The start screen's panel face is palette entry 73, set as (40, 80, 140):
    # held as (10, 20, 35), shown as (40, 80, 141).
    "$BIN/tessaly-xhelper" wait-pixel "$title" 100 300 28508D 5000 >/dev/null ||
        fail "start screen not shown"
    xdotool windowfocus --sync "$EDITOR"
}

# Starts the editor on LEVEL (a path relative to WORK, as a file manager or
# a command line gives it) and waits for its window, named after the level.
start_editor_on() { # level
    start "$BIN/tessaly" "$1"
    EDITOR=$(window_of "$title - $(basename "$1")") || {
        fail "the editor did not open $1"
        return 1
    }
    xdotool windowfocus --sync "$EDITOR"
    sleep 0.3
}

# Asks the window to close on the start screen: that is the Exit command.
close_on_start_screen() {
    "$BIN/tessaly-xhelper" close "$EDITOR"
    wait_exit 3
    expect_eq "exit status after a close request" "$EXIT_STATUS" 0
}

# A click as a touchpad tap makes it: press and release at once; the pointer
# moves on to the window's far corner right after, so the click must act
# where it went down.
tap() { # window x y [button]
    xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}" mousemove --window "$1" 795 595
}

# Writes level file FILE again with tile N at level cell (C, R) (from 1), as
# the level tool copies files: uncompressed, padding kept.
set_tile() { # file c r n
    local width offset
    width=$("$BIN/tessaly-level" info "$1" | sed -n 's/^size: \([0-9]*\) x .*/\1/p')
    offset=$((36 + 2 * (($3 - 1) * width + ($2 - 1))))
    printf "\\$(printf '%03o' $(($4 & 255)))\\$(printf '%03o' $(($4 >> 8)))" |
        dd of="$1" bs=1 seek="$offset" conv=notrunc status=none
}

# Opens level file PATH in the editor for game button (x, y) with dialog TITLE.
open_level() { # x y title path
    click "$EDITOR" "$1" "$2"
    answer_dialog "$3" "$4" || return 1
    window_gone "$3" || fail "open dialog still open"
    sleep 0.3
}

# The level the replay writes from WORK/original.ck1 (a Keen 1 level) into
# WORK/replay/LEVEL01.CK1 when F7 is answered with `size W H ANCHOR` and
# Resize, then F5: what the real window's resize must save too.
replay_resize() { # w h anchor
    mkdir -p "$WORK/replay"
    cp "$WORK/original.ck1" "$WORK/replay/LEVEL01.CK1"
    cat >"$WORK/replay/case.replay" <<SCRIPT
open LEVEL01.CK1
mouse 425 215
click left
wait 100
size $1 $2 $3
answer resize
tap F7
wait 30
tap F5
wait 30
SCRIPT
    (cd "$WORK/replay" && XDG_STATE_HOME="$WORK/replay/state" "$BIN/tessaly-replay" case.replay >log.txt)
}
