# The question before unsaved edits are lost, in the real window: it belongs
# to the editor window, answers from the keyboard, and gives the focus back.

question="Tessaly Editor" # the caption of questions and messages

# Opens LEVEL01.CK1 (the sample) and paints tile 1 at level cell (3, 4).
open_and_paint() {
    open_level 425 215 "Open File Map Commander Keen 1" "$WORK/LEVEL01.CK1" || return 1
    tap "$EDITOR" 453 36 # tile panel slot 1: tile 1
    sleep 0.1
    tap "$EDITOR" 66 82 # map cell (2, 3): level cell (3, 4)
    sleep 0.2
}

# Waits for the question and gives it the focus (with no window manager
# nobody else does); its id in QUESTION.
focus_question() {
    QUESTION=$(window_of "$question") || {
        fail "no question"
        return 1
    }
    xdotool windowfocus --sync "$QUESTION"
    sleep 0.2
}

on_start_screen() {
    "$BIN/tessaly-xhelper" wait-pixel "$title" 100 300 28508D 3000 >/dev/null
}

# F10 held down: the question comes up over the editor window, modal and
# tied to it; Escape closes it as Cancel, the editor gets the focus back and
# F10, still down and repeating, does not ask again until pressed anew.
test_question_before_leaving_is_modal_over_the_editor_and_escape_cancels() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    cp "$WORK/LEVEL01.CK1" "$WORK/original.ck1"
    start_editor || return
    open_and_paint || return
    xdotool keydown F10
    focus_question || return
    [[ $(xprop -id "$QUESTION" WM_TRANSIENT_FOR) == *"$(printf '0x%x' "$EDITOR")"* ]] ||
        fail "the question is not transient for the editor window"
    [[ $(xprop -id "$QUESTION" _NET_WM_STATE) == *MODAL* ]] || fail "the question is not modal"
    sleep 0.6 # F10 auto-repeats meanwhile
    hold_key Escape
    window_gone "$question" || fail "Escape did not close the question"
    expect_eq "window with the focus after the question" "$(xdotool getwindowfocus)" "$EDITOR"
    if still_there_after "$question" 1; then fail "F10 still held asked again"; fi
    xdotool keyup F10
    window_of "$title - LEVEL01.CK1 \\*" >/dev/null || fail "the editor was left or the edit lost"
    cmp -s "$WORK/original.ck1" "$WORK/LEVEL01.CK1" || fail "Cancel wrote the level"
    press_again F10
    focus_question || return
    hold_key Escape
    window_gone "$question"
    stop_program
}

# The answers from the keyboard: arrows and Enter, Tab and Space, and Enter
# alone for the default answer, Save.
test_question_answers_from_the_keyboard() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    cp "$WORK/LEVEL01.CK1" "$WORK/original.ck1"
    "$BIN/tessaly-level" copy "$WORK/LEVEL01.CK1" "$WORK/expected.ck1"
    set_tile "$WORK/expected.ck1" 3 4 1
    start_editor || return
    open_and_paint || return

    xdotool key F10
    focus_question || return
    xdotool key Right Right Return # Save, Discard, Cancel
    window_gone "$question" || fail "Right Right Enter did not answer"
    sleep 0.3
    window_of "$title - LEVEL01.CK1 \\*" >/dev/null || fail "Cancel left the editor"

    xdotool key F10
    focus_question || return
    xdotool key Tab space # Discard
    window_gone "$question" || fail "Tab Space did not answer"
    on_start_screen || fail "Discard did not leave the editor"
    cmp -s "$WORK/original.ck1" "$WORK/LEVEL01.CK1" || fail "Discard wrote the level"

    open_and_paint || return
    xdotool key F10
    focus_question || return
    xdotool key Return # Save
    window_gone "$question" || fail "Enter did not answer"
    on_start_screen || fail "Save did not leave the editor"
    if ! cmp -s "$WORK/expected.ck1" "$WORK/LEVEL01.CK1"; then
        fail "Save did not write the painted level"
    fi
    close_on_start_screen
}
