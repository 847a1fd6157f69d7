# The whole program in its real window: start screen, About box, a level
# opened through the native dialog, painted, saved under a new name, and the
# ways out.

test_start_screen_shows_and_a_close_request_ends_the_program() {
    start_editor || return
    expect_eq "start screen face" "$(pixel "$EDITOR" 100 300)" 28508D
    expect_eq "start screen face, lower right" "$(pixel "$EDITOR" 690 500)" 28508D
    close_on_start_screen
}

test_about_box_ignores_escape_and_closes_with_ok() {
    start_editor || return
    click "$EDITOR" 744 579 # "OK", slot 8: 704, 564, 80 x 30
    local about
    about=$(window_of "Sample Dialog") || {
        fail "no About box"
        stop_program
        return
    }
    xdotool windowfocus --sync "$about"
    hold_key Escape
    still_there_after "Sample Dialog" 0.5 || fail "Escape closed the About box"
    # The Ok button spans the box's width at 9, 60 (164 x 13 dialog units).
    click "$about" 137 108
    window_gone "Sample Dialog" || fail "Ok did not close the About box"
    # The second showing looks like the first.
    click "$EDITOR" 744 579
    about=$(window_of "Sample Dialog") || fail "no second About box"
    xdotool windowfocus --sync "$about"
    hold_key space # Ok has the focus
    window_gone "Sample Dialog" || fail "space on Ok did not close the About box"
    close_on_start_screen
}

# Map view cell (i, j) is at 26 + 16 i, 26 + 16 j; tile panel slot (k, r) at
# 428 + 17 k, 28 + 17 r. Levels are written uncompressed: the expected file
# is the sample as the level tool copies it with the one painted cell changed.
test_open_paint_and_save_as_through_the_native_dialogs() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    start_editor || return
    click "$EDITOR" 425 215 # "Editing Commander Keen 1", slot 2: 300, 200, 250 x 30
    answer_dialog "Open File Map Commander Keen 1" "$WORK/LEVEL01.CK1" || {
        stop_program
        return
    }
    window_gone "Open File Map Commander Keen 1" || fail "open dialog still open"
    sleep 0.3
    click "$EDITOR" 453 36 # tile panel slot 1: tile 1 becomes the current tile
    click "$EDITOR" 66 82  # map cell (2, 3): level column 3, row 4
    sleep 0.2
    hold_key F6
    answer_dialog "Save File Map Commander Keen 1" "$WORK/saved.ck1"
    window_gone "Save File Map Commander Keen 1" || fail "save dialog still open"

    "$BIN/tessaly-level" copy "$WORK/LEVEL01.CK1" "$WORK/expected.ck1"
    local width offset
    width=$("$BIN/tessaly-level" info "$WORK/LEVEL01.CK1" | sed -n 's/^size: \([0-9]*\) x .*/\1/p')
    offset=$((36 + 2 * ((4 - 1) * width + (3 - 1))))
    printf '\001\000' | dd of="$WORK/expected.ck1" bs=1 seek="$offset" conv=notrunc status=none
    if [ ! -f "$WORK/saved.ck1" ]; then
        fail "nothing saved"
    elif ! cmp -s "$WORK/expected.ck1" "$WORK/saved.ck1"; then
        fail "saved level differs from the sample with cell 3,4 set to tile 1"
        cmp "$WORK/expected.ck1" "$WORK/saved.ck1" | head -3
    fi

    # Save As again with F6 held down; the dialog is closed without a key, so
    # F6 auto-repeats into the editor window afterwards: the command must not
    # run again until F6 is pressed anew.
    sleep 0.3
    xdotool keydown F6
    local dialog
    dialog=$(window_of "Save File Map Commander Keen 1") || fail "no second save dialog"
    sleep 0.8 # long enough for the auto-repeat to have started, as it has for a person
    "$BIN/tessaly-xhelper" close "$dialog"
    window_gone "Save File Map Commander Keen 1" || fail "closed save dialog still open"
    if still_there_after "Save File Map Commander Keen 1" 1; then
        fail "held F6 opened the save dialog again"
    fi
    xdotool keyup F6

    xdotool windowfocus --sync "$EDITOR"
    hold_key F10
    "$BIN/tessaly-xhelper" wait-pixel "$title" 100 300 28508D 3000 >/dev/null ||
        fail "F10 did not return to the start screen"
    close_on_start_screen
}
