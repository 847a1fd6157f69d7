# F7 in the real window: the size dialog of GTK, tied to the editor window,
# answered from the keyboard, then the question before cells are dropped;
# the saved level is the one the replay makes from the same answers.

test_f7_resizes_through_the_real_dialog() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    cp "$WORK/LEVEL01.CK1" "$WORK/original.ck1"
    replay_resize 40 30 se
    start_editor || return
    open_level 425 215 "Open File Map Commander Keen 1" "$WORK/LEVEL01.CK1" || return
    xdotool key F7
    local dialog
    dialog=$(window_of "Resize Level") || {
        fail "no size dialog"
        stop_program
        return
    }
    [[ $(xprop -id "$dialog" WM_TRANSIENT_FOR) == *"$(printf '0x%x' "$EDITOR")"* ]] ||
        fail "the size dialog is not transient for the editor window"
    xdotool windowfocus --sync "$dialog"
    sleep 0.2
    # The width field has the focus; Tab goes on to the height, then to the
    # anchors (the top left one chosen), where the arrows move the choice.
    xdotool key ctrl+a type 40
    xdotool key Tab ctrl+a type 30
    xdotool key Tab Down Down Right Right alt+o
    window_gone "Resize Level" || fail "the size dialog did not close"
    local question
    question=$(window_of "Tessaly Editor") || {
        fail "no question before cells are dropped"
        stop_program
        return
    }
    xdotool windowfocus --sync "$question"
    sleep 0.2
    xdotool key alt+r # Resize
    window_gone "Tessaly Editor" || fail "the question did not close"
    window_of "$title - LEVEL01.CK1 \\*" >/dev/null || fail "the resize did not mark the level"
    xdotool windowfocus --sync "$EDITOR"
    sleep 0.3
    xdotool key F5
    sleep 0.5
    "$BIN/tessaly-level" info "$WORK/LEVEL01.CK1" | grep -q "^size: 40 x 30" ||
        fail "the saved level is not 40 x 30"
    cmp -s "$WORK/replay/LEVEL01.CK1" "$WORK/LEVEL01.CK1" ||
        fail "the window's resize differs from the replay's"
    stop_program
}
