# F7 in the Windows program under Wine: the size dialog from the
# executable's template, answered from the keyboard, then the question
# before cells are dropped; the saved level is the one the replay makes from
# the same answers (replay_resize, editor_resize_test.sh).

test_windows_f7_resizes_through_the_dialog_template() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    cp "$WORK/LEVEL01.CK1" "$WORK/original.ck1"
    replay_resize 40 30 se
    start_windows_editor || return
    click "$EDITOR" 425 215 # "Editing Commander Keen 1"
    type_into_dialog "Open File Map Commander Keen 1" "$WORK/LEVEL01.CK1" || return
    window_of "$wine_title - LEVEL01.CK1" >/dev/null || fail "the level was not opened"
    sleep 0.3
    hold_key F7
    local dialog
    dialog=$(window_of "Resize Level") || {
        fail "no size dialog"
        stop_program
        return
    }
    local controls
    controls=$(winrun "$WINBIN/tessaly-winhelper.exe" controls "Resize Level" | tr -d '\r')
    for want in "Keep in place" "NW" "SE" "OK" "Cancel"; do
        grep -qE -- " $want\$" <<<"$controls" || fail "the size dialog has no \"$want\""
    done
    xdotool windowfocus --sync "$dialog"
    sleep 0.3
    # The width field has the focus with its text selected, and so has the
    # height after Tab; the next Tab reaches the anchor chosen (the top left),
    # and Down moves the choice on through the nine, row by row.
    xdotool type 40
    xdotool key Tab
    xdotool type 30
    xdotool key Tab Down Down Down Down Down Down Down Down Return
    window_gone "Resize Level" || fail "the size dialog did not close"
    local question
    question=$(window_of "Tessaly Editor") || {
        fail "no question before cells are dropped"
        stop_program
        return
    }
    xdotool windowfocus --sync "$question"
    sleep 0.3
    xdotool key shift+Tab space # from Cancel, the default, to Resize
    window_gone "Tessaly Editor" || fail "the question did not close"
    window_of "$wine_title - LEVEL01.CK1 \\*" >/dev/null || fail "the resize did not mark the level"
    xdotool windowfocus --sync "$EDITOR"
    sleep 0.3
    hold_key F5
    window_of "$wine_title - LEVEL01.CK1" >/dev/null || fail "F5 left the unsaved mark"
    cmp -s "$WORK/replay/LEVEL01.CK1" "$WORK/LEVEL01.CK1" ||
        fail "the Windows program's resize differs from the replay's"
    stop_program
}
