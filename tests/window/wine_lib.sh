# Helpers of the Windows program's window tests (wine*_test.sh), sourced by
# scripts/window-tests.sh --windows after lib.sh: WINBIN holds the Windows
# programs, WINE_PREFIX their Wine prefix.

wine_title="Tessaly Editor v0.9"

winrun() { "$ROOT/scripts/wine.sh" "$WINE_PREFIX" "$@"; }

# The path as Windows programs under Wine spell it: Z: is the root folder.
windows_path() { printf 'Z:%s' "${1//\//\\}"; }

start_windows_editor() {
    start "$ROOT/scripts/wine.sh" "$WINE_PREFIX" "$WINBIN/tessaly.exe"
    EDITOR=$(window_of "$wine_title") || {
        fail "the editor window did not open"
        return 1
    }
    "$BIN/tessaly-xhelper" wait-pixel "$wine_title" 100 300 28508D 5000 >/dev/null ||
        fail "start screen not shown"
    xdotool windowfocus --sync "$EDITOR"
    # Wine hands the focus change to the window a moment later; a click before
    # it would count as a press from before the focus came.
    sleep 0.3
}

# Starts tessaly.exe on LEVEL (relative to WORK, as a command line gives it)
# and waits for its window, named after the level.
start_windows_editor_on() { # level
    start "$ROOT/scripts/wine.sh" "$WINE_PREFIX" "$WINBIN/tessaly.exe" "$1"
    EDITOR=$(window_of "$wine_title - $(basename "$1")") || {
        fail "the editor did not open $1"
        return 1
    }
    xdotool windowfocus --sync "$EDITOR"
    sleep 0.3 # Wine hands the focus on a moment later
}

# The text of the controls of the top-level window of this title.
controls_of() { winrun "$WINBIN/tessaly-winhelper.exe" controls "$1" | tr -d '\r'; }

# Types a path into the file dialog of this title, whose file name field has
# the focus from the start, and accepts it.
type_into_dialog() { # title path
    local d
    d=$(window_of "$1") || {
        fail "no dialog \"$1\""
        return 1
    }
    xdotool windowfocus --sync "$d"
    sleep 0.3
    xdotool type --delay 5 "$(windows_path "$2")"
    sleep 0.2
    xdotool key Return
    window_gone "$1" || fail "dialog \"$1\" still open"
}
