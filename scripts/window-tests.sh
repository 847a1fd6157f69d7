#!/usr/bin/env bash
# Runs the tests of the real window (tests/window/*_test.sh) on a private
# Xvfb server: every function named test_* in those files, each in its own
# empty folder, driving the programs with xdotool.
#
#   scripts/window-tests.sh [BIN]     BIN: the built programs, build/default/bin
#   scripts/window-tests.sh --windows WINBIN [BIN]
#                                     the Windows programs in WINBIN (build/windows/bin)
#                                     under Wine: tests/window/wine*_test.sh alone
#
# TESSALY_WINDOW_TESTS=REGEX runs only the tests whose names match.
# The tests of the whole program need BIN/tessaly; without it they are skipped
# with a message, and the tests of the window host alone still run. The
# Windows tests use BIN's helpers and level tool too.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$(pwd)
ROOT=$root
WINBIN=""
if [ "${1:-}" = --windows ]; then
    WINBIN=$(realpath "${2:-build/windows/bin}")
    shift 2
    WINE_PREFIX=$(dirname "$WINBIN")/wine
    for program in tessaly.exe tessaly-winhelper.exe; do
        if [ ! -f "$WINBIN/$program" ]; then
            echo "window tests: $WINBIN/$program is missing; build with --preset windows"
            exit 1
        fi
    done
fi
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

scratch=$(mktemp -d /tmp/tessaly-window-tests.XXXXXX)
. scripts/xvfb.sh
if ! xvfb_start "$scratch"; then
    rm -rf "$scratch"
    exit 1
fi
# A Wine server started without this display (by the unit tests) would keep
# its desktop of no screen; the programs here start a new one on Xvfb.
if [ -n "$WINBIN" ]; then WINEPREFIX=$WINE_PREFIX wineserver -k 2>/dev/null; fi

cleanup() {
    stop_program 2>/dev/null
    # Wine's server and services end with the tests, not some time after.
    if [ -n "$WINBIN" ]; then WINEPREFIX=$WINE_PREFIX wineserver -k 2>/dev/null; fi
    xvfb_stop
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
    case $(basename "$file") in
    editor*_test.sh | desktop_entry_test.sh) [ $have_editor = yes ] || continue ;;
    esac
    # The Windows program's tests run alone, with --windows.
    wine_file=no wine_run=no
    case $(basename "$file") in wine*_test.sh) wine_file=yes ;; esac
    if [ -n "$WINBIN" ]; then wine_run=yes; fi
    if [ $wine_file != $wine_run ]; then continue; fi
    before=$(declare -F | awk '{print $3}' | grep '^test_' | sort)
    . "$file"
    after=$(declare -F | awk '{print $3}' | grep '^test_' | sort)
    for t in $(comm -13 <(echo "$before") <(echo "$after")); do
        if [[ ! $t =~ ${TESSALY_WINDOW_TESTS:-.} ]]; then
            unset -f "$t"
            continue
        fi
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
    echo "the X server's log:"
    sed 's/^/    /' "$scratch/xvfb.log" | grep -v -i -E 'xkb|keysym|could not resolve|errors from' | tail -20
    echo "window tests: $failures failed checks in $total tests"
    exit 1
fi
echo "window tests: $total tests passed"
