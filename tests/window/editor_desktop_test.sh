# Habits every desktop program has, in the editor's real window: Save As
# that starts at the level's own file, adds the game's extension and asks
# before overwriting; the mouse wheel; F1's list of keys.

save_title="Save File Map Commander Keen 1"

# F6 on a level from the command line: the dialog starts in the level's own
# folder with its name filled in, so Enter at once means that file, which is
# asked about first; a name typed without an extension gets .ck1, and a
# whole path into another folder saves at the first Enter.
test_save_as_starts_at_the_level_adds_the_extension_and_asks_before_overwriting() {
    mkdir -p "$WORK/levels" "$WORK/other"
    cp "$BIN/samples/sample.ck1" "$WORK/levels/LEVEL01.CK1"
    cp "$WORK/levels/LEVEL01.CK1" "$WORK/original.ck1"
    start_editor_on levels/LEVEL01.CK1 || return
    hold_key F6
    local dialog question
    dialog=$(window_of "$save_title") || {
        fail "no save dialog"
        return
    }
    xdotool windowfocus --sync "$dialog"
    hold_key Return
    question=$(overwrite_question "$save_title") ||
        fail "Enter on the name filled in asked nothing before overwriting LEVEL01.CK1"
    if [ -n "$question" ]; then
        xdotool windowfocus --sync "$question"
        hold_key Escape # Cancel: back in the dialog, nothing written
    fi
    xdotool windowfocus --sync "$dialog"
    sleep 0.2
    xdotool key ctrl+a
    xdotool type --delay 5 mycopy
    hold_key Return
    window_gone "$save_title" || fail "the save dialog is still open"
    [ -f "$WORK/levels/mycopy.ck1" ] || fail "mycopy was not saved as levels/mycopy.ck1"
    cmp -s "$WORK/original.ck1" "$WORK/levels/LEVEL01.CK1" || fail "LEVEL01.CK1 was written"
    window_of "$title - mycopy.ck1" >/dev/null || fail "the title does not name mycopy.ck1"

    press_again F6
    answer_dialog "$save_title" "$WORK/other/copy2"
    window_gone "$save_title" || fail "a whole path did not save at the first Enter"
    file_appears "$WORK/other/copy2.ck1" ||
        fail "the whole path was not saved as other/copy2.ck1"
    stop_program
}

# One notch towards the user over the map scrolls it down 3 cells, with
# Shift right 3 cells; over the tile panel it pages it on one row. Each
# shows in where the taps paint and which tile they pick: tile 1 at level
# cells (3, 7) and (6, 7), then tile 14 at (6, 8). F1 shows the list of keys.
test_mouse_wheel_scrolls_the_map_and_pages_the_panels() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    "$BIN/tessaly-level" copy "$WORK/LEVEL01.CK1" "$WORK/expected.ck1"
    set_tile "$WORK/expected.ck1" 3 7 1
    set_tile "$WORK/expected.ck1" 6 7 1
    set_tile "$WORK/expected.ck1" 6 8 14
    start_editor_on LEVEL01.CK1 || return
    tap "$EDITOR" 453 36 # tile panel slot 1: tile 1
    xdotool mousemove --window "$EDITOR" 200 200 click 5
    sleep 0.1
    tap "$EDITOR" 66 82 # view cell (2, 3)
    xdotool mousemove --window "$EDITOR" 200 200 keydown shift click 5 keyup shift
    sleep 0.1
    tap "$EDITOR" 66 82
    xdotool mousemove --window "$EDITOR" 500 100 click 5
    sleep 0.1
    tap "$EDITOR" 453 36 # now tile 14
    tap "$EDITOR" 66 98  # view cell (2, 4)
    sleep 0.1
    xdotool key F5
    sleep 0.5
    cmp -s "$WORK/expected.ck1" "$WORK/LEVEL01.CK1" ||
        fail "the wheel did not scroll and page as expected: $(cmp -l "$WORK/expected.ck1" "$WORK/LEVEL01.CK1" | head -5 | tr "\n" " ")"

    xdotool key F1
    local keys
    keys=$(window_of "Tessaly Editor") || fail "F1 showed no list of keys"
    if [ -n "$keys" ]; then
        xdotool windowfocus --sync "$keys"
        hold_key Return
        window_gone "Tessaly Editor" || fail "the list of keys did not close"
    fi
    stop_program
}
