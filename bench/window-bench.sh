#!/usr/bin/env bash
# Measures the editor in its real window on a private Xvfb server:
#   - one present of a changed page, of one map cell, and an idle pass
#     (bench_present, Google Benchmark);
#   - start of the program to the first shown frame of the start screen;
#   - CPU use while idle on the start screen and in the editor (goal: at
#     most 1% of one core);
#   - steps per second of a held right arrow in the editor, against the 50
#     a second that the loop's two 10 ms pauses per step allow.
#
#   bench/window-bench.sh [BIN]      BIN: the built programs, build/default/bin
#   bench/window-bench.sh --windows [WINBIN [BIN]]
#                                    the Windows program under Wine instead: its
#                                    presents (bench_present_win32) and start to
#                                    first frame, with Wine's server started
#                                    afresh and already running
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
if [ "${1:-}" = --windows ]; then
    WINBIN=$(realpath "${2:-build/windows/bin}")
    BIN=$(realpath "${3:-build/default/bin}")
    prefix=$(dirname "$WINBIN")/wine
    scratch=$(mktemp -d /tmp/tessaly-window-bench.XXXXXX)
    . scripts/xvfb.sh
    xvfb_start "$scratch" || exit 1
    trap 'WINEPREFIX=$prefix wineserver -k 2>/dev/null; xvfb_stop; rm -rf "$scratch"' EXIT
    scripts/wine.sh "$prefix" "$WINBIN/bench_present_win32.exe"
    for server in afresh running; do
        echo "== start to first frame under Wine, server $server (ms, 5 runs)"
        for _ in 1 2 3 4 5; do
            [ $server = afresh ] && WINEPREFIX=$prefix wineserver -k 2>/dev/null && sleep 0.5
            (cd "$scratch" && exec "$root/scripts/wine.sh" "$prefix" "$WINBIN/tessaly.exe" \
                >/dev/null 2>&1) &
            pid=$!
            "$BIN/tessaly-xhelper" wait-pixel "Tessaly Editor v0.9" 100 300 28508D 20000
            kill "$pid" 2>/dev/null
            wait "$pid" 2>/dev/null
        done
    done
    exit 0
fi
BIN=$(realpath "${1:-build/default/bin}")
for program in tessaly tessaly-xhelper tessaly-level; do
    if [ ! -x "$BIN/$program" ]; then
        echo "window bench: $BIN/$program is not built"
        exit 1
    fi
done

scratch=$(mktemp -d /tmp/tessaly-window-bench.XXXXXX)
. scripts/xvfb.sh
xvfb_start "$scratch" || exit 1
pid=""
cleanup() {
    [ -n "$pid" ] && kill "$pid" 2>/dev/null && wait "$pid" 2>/dev/null
    xvfb_stop
    rm -rf "$scratch"
}
trap cleanup EXIT
title="Tessaly Editor v0.9"
face=28508D # palette entry 73 as shown: the start screen's panel face

if [ -x "$BIN/bench_present" ]; then
    "$BIN/bench_present" --benchmark_min_time=0.5
fi

echo "== start to first frame (ms, 5 runs)"
for _ in 1 2 3 4 5; do
    (cd "$scratch" && exec "$BIN/tessaly" >/dev/null 2>&1) &
    pid=$!
    "$BIN/tessaly-xhelper" wait-pixel "$title" 100 300 "$face" 10000
    kill "$pid"
    wait "$pid" 2>/dev/null
    pid=""
done

cpu_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
idle_cpu() { # label seconds
    local before after hz
    hz=$(getconf CLK_TCK)
    before=$(cpu_ticks "$pid")
    sleep "$2"
    after=$(cpu_ticks "$pid")
    awk -v t=$((after - before)) -v hz="$hz" -v s="$2" -v l="$1" \
        'BEGIN { printf "%s: %.2f%% of a core\n", l, 100 * t / hz / s }'
}

echo "== idle CPU"
cp "$BIN/samples/sample.ck1" "$scratch/LEVEL01.CK1"
(cd "$scratch" && exec "$BIN/tessaly" >/dev/null 2>&1) &
pid=$!
"$BIN/tessaly-xhelper" wait-pixel "$title" 100 300 "$face" 10000 >/dev/null
window=$(xdotool search --onlyvisible --name "^$title\$" | head -1)
sleep 1
idle_cpu "start screen" 10
xdotool mousemove --window "$window" 425 215 mousedown 1 sleep 0.1 mouseup 1
for _ in $(seq 100); do
    dialog=$(xdotool search --onlyvisible --name "^Open File Map Commander Keen 1\$" | head -1)
    [ -n "$dialog" ] && break
    sleep 0.05
done
xdotool windowfocus --sync "$dialog" key ctrl+l sleep 0.2 type "$scratch/LEVEL01.CK1"
xdotool key Return
sleep 1
idle_cpu "editor" 10

echo "== held right arrow"
# Every step writes the view origin into the status panel ("EZoneX - N");
# counting the changes of that line over a second of holding counts steps.
width=$("$BIN/tessaly-level" info "$scratch/LEVEL01.CK1" | sed -n 's/^size: \([0-9]*\) x .*/\1/p')
xdotool windowfocus --sync "$window" keydown Right
sleep 0.1
steps=$("$BIN/tessaly-xhelper" changes "$window" 20 436 400 18 1000)
xdotool keyup Right
echo "right arrow held 1 s: $steps steps (the level allows $((width - 20)) in all; the pauses allow 50 a second)"
