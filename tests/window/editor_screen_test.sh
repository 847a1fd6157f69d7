# The editor's screen in its real window: labels leave no pieces, any window
# size and full screen keep every click on its cell, Exit ends at once.

face=28508D # palette entry 73, the screen background's face

# Labels of objects in the outer columns reach past the frame; scrolling
# them away must leave the strips beside the frame plain background.
test_labels_scrolled_away_leave_no_pieces_beside_the_frame() {
    cp "$root/tests/e2e/labels_leave_no_pieces/level.ck1" "$WORK/LEVEL01.CK1"
    start_editor || return
    open_level 425 215 "Open File Map Commander Keen 1" "$WORK/LEVEL01.CK1" || return
    # "Green One Eye" at level cell (1, 6) reaches into x 2..9 around y 95..104,
    # the one at (20, 9) into x 362..369 around y 143..152.
    local left right
    left=$("$BIN/tessaly-xhelper" other "$EDITOR" 2 90 8 20 "$face")
    right=$("$BIN/tessaly-xhelper" other "$EDITOR" 362 138 48 20 "$face")
    [ "$left" -gt 0 ] && [ "$right" -gt 0 ] || fail "no labels past the frame ($left, $right)"
    hold_key Right
    sleep 0.3
    expect_eq "label pixels left of the frame after scrolling" \
        "$("$BIN/tessaly-xhelper" other "$EDITOR" 2 10 8 352 "$face")" 0
    expect_eq "label pixels right of the frame after scrolling" \
        "$("$BIN/tessaly-xhelper" other "$EDITOR" 362 10 48 352 "$face")" 0
    xdotool key F10
    close_on_start_screen
}

# Runs PROGRAM (the editor), opens a level through the dialog, goes back to
# the start screen and clicks Exit; sets EXIT_MS to how many milliseconds
# after the press the process ended.
exit_time_of() { # program
    start "$1"
    EDITOR=$(window_of "$title") || {
        fail "the editor window did not open"
        return 1
    }
    "$BIN/tessaly-xhelper" wait-pixel "$title" 100 300 "$face" 10000 >/dev/null ||
        fail "start screen not shown"
    xdotool windowfocus --sync "$EDITOR"
    open_level 425 215 "Open File Map Commander Keen 1" "$BIN/samples/sample.ck1" || return 1
    xdotool key F10
    "$BIN/tessaly-xhelper" wait-pixel "$title" 100 300 "$face" 3000 >/dev/null ||
        fail "F10 did not return to the start screen"
    xdotool mousemove --window "$EDITOR" 50 579
    sleep 0.1
    local start end
    start=$(date +%s%N)
    xdotool mousedown 1
    while kill -0 "$PROGRAM_PID" 2>/dev/null && [ $(($(date +%s%N) - start)) -lt 5000000000 ]; do
        sleep 0.005
    done
    end=$(date +%s%N)
    xdotool mouseup 1
    wait_exit 1
    expect_eq "exit status of $1" "$EXIT_STATUS" 0
    EXIT_MS=$(((end - start) / 1000000))
}

# Exit shows its pressed button for 300 ms and the program ends within half
# a second after that, dialogs used or not; in the sanitizer build too, when
# it is built (./test.sh builds it first).
test_exit_ends_the_program_soon_after_its_pressed_button_shows() {
    local program
    for program in "$BIN/tessaly" "$root/build/asan/bin/tessaly"; do
        [ -x "$program" ] || continue
        exit_time_of "$program" || return
        echo "    Exit: $program ended $EXIT_MS ms after the press"
        [ "$EXIT_MS" -le 800 ] || fail "$program ended $EXIT_MS ms after the press on Exit"
    done
}

# In full screen (2560 x 1440, the page at 1920 x 1440) and in a window of
# 1920 x 1080 (the page at 1440 x 1080) clicks land on their cells: pick
# tile 1, paint level cell (3, 4), then (5, 6), save with F5.
test_clicks_hit_their_cells_at_any_window_size_and_in_full_screen() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    "$BIN/tessaly-level" copy "$WORK/LEVEL01.CK1" "$WORK/expected.ck1"
    set_tile "$WORK/expected.ck1" 3 4 1
    set_tile "$WORK/expected.ck1" 5 6 1
    start_editor || return
    xdotool windowmove --sync "$EDITOR" 0 0
    xdotool key F11
    sleep 0.5
    expect_eq "full screen" "$(xdotool getwindowgeometry "$EDITOR" | sed -n 's/.*Geometry: //p')" \
        2560x1440
    click "$EDITOR" $(page_point 2560 1440 425 215) # "Editing Commander Keen 1"
    answer_dialog "Open File Map Commander Keen 1" "$WORK/LEVEL01.CK1" || return
    window_gone "Open File Map Commander Keen 1" || fail "open dialog still open"
    sleep 0.3
    tap "$EDITOR" $(page_point 2560 1440 453 36) # tile panel slot 1: tile 1
    sleep 0.1
    tap "$EDITOR" $(page_point 2560 1440 66 82) # map cell (2, 3): level cell (3, 4)
    sleep 0.1
    xdotool key F11
    sleep 0.5
    expect_eq "back from full screen" \
        "$(xdotool getwindowgeometry "$EDITOR" | sed -n 's/.*Geometry: //p')" 800x600
    xdotool windowsize --sync "$EDITOR" 1920 1080
    sleep 0.3
    tap "$EDITOR" $(page_point 1920 1080 98 114) # map cell (4, 5): level cell (5, 6)
    sleep 0.1
    xdotool key F5
    sleep 0.5
    if ! cmp -s "$WORK/expected.ck1" "$WORK/LEVEL01.CK1"; then
        fail "the saved level is not the sample with cells 3,4 and 5,6 set to tile 1"
        cmp "$WORK/expected.ck1" "$WORK/LEVEL01.CK1" | head -3
    fi
    xdotool key F10
    close_on_start_screen
}
