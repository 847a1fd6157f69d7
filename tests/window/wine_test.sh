# The Windows program (WINBIN/tessaly.exe) in its real window under Wine: the
# start screen, the system's open dialog with its title and filter, a level
# opened by typing its path, painted, saved with F5 and under a new name with
# F6, the About box, and the ways out. Run by scripts/window-tests.sh
# --windows WINBIN; the system dialogs are read with tessaly-winhelper.exe
# (see wine_lib.sh).

test_windows_editor_from_start_to_exit() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    start_windows_editor || return
    expect_eq "start screen face, lower right" "$(pixel "$EDITOR" 690 500)" 28508D

    click "$EDITOR" 425 215 # "Editing Commander Keen 1"
    local open="Open File Map Commander Keen 1"
    window_of "$open" >/dev/null || fail "no open dialog \"$open\""
    expect_eq "open dialog's file types" "$(winrun "$WINBIN/tessaly-winhelper.exe" filter "$open" |
        tr -d '\r')" "Commander Keen 1 Levels, (*.ck1)
All Files, (*.*)
selected 1"
    type_into_dialog "$open" "$WORK/LEVEL01.CK1" || return
    window_of "$wine_title - LEVEL01.CK1" >/dev/null || fail "the level was not opened"

    # Tile panel slot 1 is tile 1; map cell (2, 3) is level column 3, row 4.
    sleep 0.3
    click "$EDITOR" 453 36
    click "$EDITOR" 66 82
    window_of "$wine_title - LEVEL01.CK1 \\*" >/dev/null || fail "the paint left no unsaved mark"
    "$BIN/tessaly-level" copy "$BIN/samples/sample.ck1" "$WORK/expected.ck1"
    local width offset
    width=$("$BIN/tessaly-level" info "$WORK/expected.ck1" | sed -n 's/^size: \([0-9]*\) x .*/\1/p')
    offset=$((36 + 2 * ((4 - 1) * width + (3 - 1))))
    printf '\001\000' | dd of="$WORK/expected.ck1" bs=1 seek="$offset" conv=notrunc status=none
    # Leaving with unsaved edits asks first, with a button per answer; Escape
    # answers nothing and the editor stays.
    hold_key F10
    local asking question
    asking=$(window_of "Tessaly Editor") || fail "F10 with unsaved edits asked nothing"
    question=$(winrun "$WINBIN/tessaly-winhelper.exe" controls "Tessaly Editor" | tr -d '\r')
    for want in "Save changes to LEVEL01.CK1 before leaving the editor?" "300 Button" \
        "301 Button" "302 Button"; do
        grep -qF -- "$want" <<<"$question" || fail "the question has no \"$want\""
    done
    grep -qE "Button [0-9a-f]+ Discard$" <<<"$question" || fail "the question has no Discard"
    [ -n "$asking" ] && xdotool windowfocus --sync "$asking"
    sleep 0.3
    hold_key Escape
    window_gone "Tessaly Editor" || fail "Escape did not close the question"
    window_of "$wine_title - LEVEL01.CK1 \\*" >/dev/null || fail "Escape left the editor"
    sleep 0.3
    xdotool windowfocus --sync "$EDITOR"
    sleep 0.3
    hold_key F5
    window_of "$wine_title - LEVEL01.CK1" >/dev/null || fail "F5 left the unsaved mark"
    cmp -s "$WORK/expected.ck1" "$WORK/LEVEL01.CK1" ||
        fail "F5 did not save the sample with cell 3,4 set to tile 1"

    hold_key F6
    type_into_dialog "Save File Map Commander Keen 1" "$WORK/saved.ck1" || return
    window_of "$wine_title - saved.ck1" >/dev/null || fail "Save As did not take the new name"
    cmp -s "$WORK/expected.ck1" "$WORK/saved.ck1" || fail "F6 did not save the level as saved.ck1"

    xdotool windowfocus --sync "$EDITOR"
    hold_key F10
    "$BIN/tessaly-xhelper" wait-pixel "$wine_title" 100 300 28508D 3000 >/dev/null ||
        fail "F10 did not return to the start screen"

    # The About box from the executable's template: Escape leaves it open,
    # Space on Ok (which has the focus) ends it.
    sleep 0.3
    click "$EDITOR" 744 579
    local about
    about=$(window_of "Sample Dialog") || fail "no About box"
    local controls
    controls=$(winrun "$WINBIN/tessaly-winhelper.exe" controls "Sample Dialog" | tr -d '\r')
    for want in "1001 Button 50030000 &Ok" "125 Static 50020001 Tessaly Editor for 2D Games" \
        "0 Static 5002000e BTNMARROWICK"; do
        grep -qxF -- "$want" <<<"$controls" || fail "About box has no control \"$want\""
    done
    if [ -n "$about" ]; then
        xdotool windowfocus --sync "$about"
        hold_key Escape
        still_there_after "Sample Dialog" 0.5 || fail "Escape closed the About box"
        hold_key space
        window_gone "Sample Dialog" || fail "Ok did not close the About box"
    fi

    sleep 0.3
    click "$EDITOR" 50 579 # -=Exit=-
    wait_exit 5
    expect_eq "exit status after Exit" "$EXIT_STATUS" 0
}

test_windows_close_request_on_the_start_screen_ends_the_program() {
    start_windows_editor || return
    "$BIN/tessaly-xhelper" close "$EDITOR"
    wait_exit 5
    expect_eq "exit status after a close request" "$EXIT_STATUS" 0
}

# Taps of no length (xdotool's click and key) count, in full screen (a size
# that mixes page pixels) as at 800 x 600, and a click acts where it was made.
test_windows_taps_count_in_full_screen_and_in_the_window() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    "$BIN/tessaly-level" copy "$WORK/LEVEL01.CK1" "$WORK/expected.ck1"
    set_tile "$WORK/expected.ck1" 3 4 1
    set_tile "$WORK/expected.ck1" 6 4 1
    start_windows_editor || return
    xdotool key F11
    sleep 0.5
    expect_eq "full screen" "$(xdotool getwindowgeometry "$EDITOR" | sed -n 's/.*Geometry: //p')" \
        2560x1440
    tap "$EDITOR" $(page_point 2560 1440 425 215) # "Editing Commander Keen 1"
    type_into_dialog "Open File Map Commander Keen 1" "$WORK/LEVEL01.CK1" || return
    sleep 0.3
    tap "$EDITOR" $(page_point 2560 1440 453 36) # tile panel slot 1: tile 1
    sleep 0.1
    tap "$EDITOR" $(page_point 2560 1440 66 82) # map cell (2, 3): level cell (3, 4)
    sleep 0.1
    xdotool key F11
    sleep 0.5
    expect_eq "back from full screen" \
        "$(xdotool getwindowgeometry "$EDITOR" | sed -n 's/.*Geometry: //p')" 800x600
    taps_save_and_leave "$wine_title"
    wait_exit 5
    expect_eq "exit status after a tap on Exit" "$EXIT_STATUS" 0
}
