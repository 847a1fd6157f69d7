# The editing tools in the Windows program under Wine: R asks with the
# system's question, one button per answer, and Enter (Replace) replaces the
# tile everywhere; F5 saves it. Run by scripts/window-tests.sh --windows.

test_windows_r_replaces_after_the_question_and_f5_saves() {
    cp "$ROOT/tests/e2e/editing_tools/level.ck1" "$WORK/level.ck1"
    "$BIN/tessaly-level" copy "$WORK/level.ck1" "$WORK/expected.ck1"
    local row
    for row in $(seq 25); do set_tile "$WORK/expected.ck1" 10 "$row" 1; done
    start_windows_editor_on level.ck1 || return
    click "$EDITOR" 453 36 # tile panel slot 1: tile 1
    xdotool mousemove --window "$EDITOR" 178 66 # the wall of tile 7 at (10, 3)
    sleep 0.1
    hold_key r
    local question
    question=$(window_of "Tessaly Editor") || {
        fail "R asked nothing"
        return
    }
    local controls
    controls=$(controls_of "Tessaly Editor")
    for want in "Replace 25 cells of tile 7 with tile 1?" "300 Button" "301 Button"; do
        grep -qF -- "$want" <<<"$controls" || fail "the question has no \"$want\""
    done
    xdotool windowfocus --sync "$question"
    sleep 0.3
    xdotool key Return # Replace, the default answer
    window_gone "Tessaly Editor" || fail "Enter did not answer the question"
    xdotool windowfocus --sync "$EDITOR"
    sleep 0.3
    hold_key F5
    window_of "$wine_title - level.ck1" >/dev/null || fail "F5 left the unsaved mark"
    cmp -s "$WORK/expected.ck1" "$WORK/level.ck1" ||
        fail "the saved level is not the one with the wall of tile 7 replaced by tile 1"
    stop_program
}
