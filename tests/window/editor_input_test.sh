# The editor's input in its real window: clicks act where the pointer is,
# quick clicks and key taps are never lost, Shift+arrows scroll one cell.

# The open dialog comes up over the pointer, which leaves the window there;
# the dialog is cancelled with the pointer outside the window, which it
# enters again straight onto Exit, with no motion inside before the click.
# The click must act on Exit, not where the pointer was before the dialog.
test_click_after_a_dialog_acts_where_the_pointer_is() {
    start_editor || return
    xdotool windowmove --sync "$EDITOR" 0 0
    click "$EDITOR" 425 215 # "Editing Commander Keen 1"
    local dialog
    dialog=$(window_of "Open File Map Commander Keen 1") || {
        fail "no open dialog"
        return
    }
    xdotool windowmove --sync "$dialog" 300 100 # over the pointer
    sleep 0.2
    xdotool mousemove --sync 1000 900 # outside both windows
    xdotool windowfocus --sync "$dialog"
    hold_key Escape
    window_gone "Open File Map Commander Keen 1" || fail "open dialog still open"
    xdotool windowfocus --sync "$EDITOR"
    hold_key F10
    "$BIN/tessaly-xhelper" wait-pixel "$title" 100 300 28508D 3000 >/dev/null ||
        fail "F10 did not return to the start screen"
    xdotool mousemove --sync 50 579 # straight onto "-=Exit=-" (the window is at 0, 0)
    xdotool mousedown 1
    sleep 0.1
    xdotool mouseup 1
    if still_there_after "Open File Map Commander Keen 1" 0.5; then
        fail "the click acted on the game button clicked before the dialog"
    fi
    wait_exit 3
    expect_eq "exit status after clicking Exit" "$EXIT_STATUS" 0
}

# Zero-length clicks (a touchpad's taps) and key taps, each one press and
# release at once with the pointer moving on right after, act exactly once:
# pick a tile, paint a cell, scroll three cells, paint again, save.
test_quick_clicks_and_key_taps_are_never_lost() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    "$BIN/tessaly-level" copy "$WORK/LEVEL01.CK1" "$WORK/expected.ck1"
    set_tile "$WORK/expected.ck1" 3 4 1
    set_tile "$WORK/expected.ck1" 6 4 1
    start_editor || return
    xdotool mousemove --window "$EDITOR" 425 215 click 1 # "Editing Commander Keen 1"
    answer_dialog "Open File Map Commander Keen 1" "$WORK/LEVEL01.CK1" || return
    window_gone "Open File Map Commander Keen 1" || fail "open dialog still open"
    sleep 0.3
    tap "$EDITOR" 453 36 # tile panel slot 1: tile 1
    sleep 0.1
    tap "$EDITOR" 66 82 # map cell (2, 3): level cell (3, 4)
    taps_save_and_leave "$title"
    wait_exit 3
    expect_eq "exit status after a tap on Exit" "$EXIT_STATUS" 0
}

# Counts the changes of the map view while the keys are held for a second.
map_changes_while_held() { # keys...
    "$BIN/tessaly-xhelper" changes "$EDITOR" 26 26 320 320 1400 >"$WORK/changes" &
    local watcher=$!
    sleep 0.2
    xdotool keydown "$@"
    sleep 1
    xdotool keyup "$@"
    wait "$watcher"
    cat "$WORK/changes"
}

# Shift+arrow moves the view exactly one cell per press however long it is
# held; the plain arrow still moves on every pass.
test_shift_arrow_scrolls_one_cell_per_press() {
    start_editor || return
    open_level 425 215 "Open File Map Commander Keen 1" "$BIN/samples/sample.ck1" || return
    expect_eq "map view changes while Shift+Right is held" \
        "$(map_changes_while_held shift Right)" 1
    expect_eq "map view changes while Shift+Down is held" "$(map_changes_while_held shift Down)" 1
    local moves
    moves=$(map_changes_while_held Right)
    [ "$moves" -gt 5 ] || fail "the right arrow held alone moved the view only $moves times"
    "$BIN/tessaly-xhelper" changes "$EDITOR" 26 26 320 320 800 >"$WORK/changes" &
    local watcher=$!
    sleep 0.2
    xdotool key shift+Left # a tap
    wait "$watcher"
    expect_eq "map view changes after a tap of Shift+Left" "$(cat "$WORK/changes")" 1
    xdotool key F10
    close_on_start_screen
}

# A fast drag paints every cell it crosses, and quick Ctrl+Z chords (each
# pressed and released at once, Ctrl let go right after Z) each undo one
# step: a drag across 20 cells in 0.2 s, then six taps painting six cells,
# then six ctrl+z; the saved level holds the drag alone.
test_fast_drag_paints_every_cell_and_quick_undo_chords_all_count() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    "$BIN/tessaly-level" copy "$WORK/LEVEL01.CK1" "$WORK/expected.ck1"
    local c i
    for c in $(seq 1 20); do set_tile "$WORK/expected.ck1" "$c" 6 1; done
    start_editor || return
    open_level 425 215 "Open File Map Commander Keen 1" "$WORK/LEVEL01.CK1" || return
    tap "$EDITOR" 453 36 # tile panel slot 1: tile 1
    sleep 0.1
    xdotool mousemove --window "$EDITOR" 34 114 mousedown 1 # view cell (0, 5)
    for i in $(seq 1 10); do
        sleep 0.02
        xdotool mousemove --window "$EDITOR" $((34 + 32 * i - 16 * (i / 10))) 114
    done
    sleep 0.05 # the button goes up where the drag ended
    xdotool mouseup 1
    sleep 0.2
    for i in 0 2 4 6 8 10; do
        tap "$EDITOR" $((34 + 16 * i)) 194 # view cells (0..10, 10)
        sleep 0.1
    done
    for i in 1 2 3 4 5 6; do
        xdotool key ctrl+z
        sleep 0.15
    done
    xdotool key F5
    sleep 0.5
    cmp -s "$WORK/expected.ck1" "$WORK/LEVEL01.CK1" ||
        fail "the saved level is not the sample with the whole drag (1..20, 6) in tile 1 alone: $(cmp -l "$WORK/expected.ck1" "$WORK/LEVEL01.CK1" | head -20 | tr "\n" " ")"
    xdotool key F10
    "$BIN/tessaly-xhelper" wait-pixel "$title" 100 300 28508D 3000 >/dev/null ||
        fail "F10 did not return to the start screen"
    close_on_start_screen
}
