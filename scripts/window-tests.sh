#!/usr/bin/env bash
# Runs the tests of the real window (tests/window/*_test.sh) on a private
# Xvfb display: every function named test_* in those files, each in its own
# empty folder, driving the programs with xdotool.
#
#   scripts/window-tests.sh [BIN]     BIN: the built programs, build/default/bin
#
# The tests of the whole program need BIN/tessaly; without it they are skipped
# with a message, and the tests of the window host alone still run.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
BIN=$(realpath "${1:-build/default/bin}")

for tool in Xvfb xdotool; do
    if ! command -v "$tool" >/dev/null; then
        echo "window tests: $tool is missing (apt-get install xvfb xdotool)"
        exit 1
    fi
done
if [ ! -x "$BIN/tessaly-window-probe" ] || [ ! -x "$BIN/tessaly-xhelper" ]; then
    echo "window tests: $BIN has no tessaly-window-probe or tessaly-xhelper;" \
        "build with -DTESSALY_WINDOW=ON"
    exit 1
fi

# A display number nobody uses, from 99 up; Xvfb itself refuses a taken one.
xvfb_pid=""
for display in $(seq 99 140); do
    [ -e "/tmp/.X$display-lock" ] && continue
    Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
    xvfb_pid=$!
    for _ in $(seq 50); do
        if DISPLAY=":$display" xdotool getdisplaygeometry >/dev/null 2>&1; then break 2; fi
        kill -0 "$xvfb_pid" 2>/dev/null || break
        sleep 0.1
    done
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    xvfb_pid=""
done
if [ -z "$xvfb_pid" ]; then
    echo "window tests: could not start Xvfb"
    exit 1
fi
export DISPLAY=":$display" GSETTINGS_BACKEND=memory NO_AT_BRIDGE=1
unset WAYLAND_DISPLAY

scratch=$(mktemp -d /tmp/tessaly-window-tests.XXXXXX)
cleanup() {
    stop_program 2>/dev/null
    kill "$xvfb_pid" 2>/dev/null
    wait "$xvfb_pid" 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT

. tests/window/lib.sh
have_editor=yes
if [ ! -x "$BIN/tessaly" ]; then
    have_editor=no
    echo "window tests: $BIN/tessaly is not built yet; the tests of the whole program are skipped"
fi

total=0
for file in tests/window/*_test.sh; do
    if [ "$(basename "$file")" = editor_test.sh ] && [ $have_editor = no ]; then continue; fi
    before=$(declare -F | awk '{print $3}' | grep '^test_' | sort)
    . "$file"
    after=$(declare -F | awk '{print $3}' | grep '^test_' | sort)
    for t in $(comm -13 <(echo "$before") <(echo "$after")); do
        total=$((total + 1))
        WORK="$scratch/$t"
        mkdir -p "$WORK"
        echo "  $(basename "$file" .sh): $t"
        start_failures=$failures
        "$t"
        stop_program
        if [ "$failures" -ne "$start_failures" ]; then
            echo "    output of the program:"
            sed 's/^/      /' "$WORK/out.log" "$WORK/err.log" 2>/dev/null | tail -20
        fi
        unset -f "$t"
    done
done

cd "$root"
if [ "$failures" -ne 0 ]; then
    echo "window tests: $failures failed checks in $total tests"
    exit 1
fi
echo "window tests: $total tests passed"
