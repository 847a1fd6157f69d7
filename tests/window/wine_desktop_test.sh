# Habits every desktop program has, in the Windows program's window under
# Wine: Save As that starts at the level's own file, adds the game's
# extension and asks before overwriting; the mouse wheel; F1's list of keys;
# the About box in the middle of the editor; the smallest window; a
# maximised window back from full screen.

wine_save_title="Save File Map Commander Keen 1"

# The Windows save dialog's question before overwriting has the dialog's
# title and says "already exists"; Tab Space answers No, Space Yes.
windows_overwrite_question() {
    local i
    for i in $(seq 40); do
        controls_of "$wine_save_title" | grep -q "already exists" && return 0
        sleep 0.1
    done
    return 1
}

test_windows_save_as_starts_at_the_level_adds_the_extension_and_asks_before_overwriting() {
    mkdir -p "$WORK/levels"
    cp "$BIN/samples/sample.ck1" "$WORK/levels/LEVEL01.CK1"
    cp "$WORK/levels/LEVEL01.CK1" "$WORK/original.ck1"
    start_windows_editor_on levels/LEVEL01.CK1 || return
    hold_key F6
    local dialog
    dialog=$(window_of "$wine_save_title") || {
        fail "no save dialog"
        return
    }
    sleep 0.5
    controls_of "$wine_save_title" | grep -qxF "1148 Edit 54000080 LEVEL01.CK1" ||
        fail "the save dialog does not propose LEVEL01.CK1"
    controls_of "$wine_save_title" | grep -q "^1137 ComboBox [0-9a-f]* levels$" ||
        fail "the save dialog does not start in the level's folder"
    xdotool windowfocus --sync "$dialog"
    sleep 0.3
    hold_key Return
    if windows_overwrite_question; then
        xdotool windowfocus --sync "$(xdotool search --onlyvisible --name "^$wine_save_title\$" | tail -1)"
        sleep 0.3
        xdotool key Tab space # No: back in the dialog
        sleep 0.5
    else
        fail "Enter on the name proposed asked nothing before overwriting LEVEL01.CK1"
    fi
    cmp -s "$WORK/original.ck1" "$WORK/levels/LEVEL01.CK1" || fail "LEVEL01.CK1 was written"
    dialog=$(window_of "$wine_save_title") || {
        fail "No closed the save dialog"
        return
    }
    xdotool windowfocus --sync "$dialog"
    sleep 0.3
    xdotool key ctrl+a
    xdotool type --delay 5 mycopy
    xdotool key Return
    window_gone "$wine_save_title" || fail "the save dialog is still open"
    window_of "$wine_title - mycopy.ck1" >/dev/null || fail "the title does not name mycopy.ck1"
    [ -f "$WORK/levels/mycopy.ck1" ] || fail "mycopy was not saved as levels/mycopy.ck1"
    stop_program
}

# As on Linux (editor_desktop_test.sh): wheel notches over the map, with and
# without Shift, and over the tile panel show in where taps paint; then F1,
# the About box, the smallest size and the maximised window.
test_windows_wheel_keys_about_box_and_window_limits() {
    cp "$BIN/samples/sample.ck1" "$WORK/LEVEL01.CK1"
    "$BIN/tessaly-level" copy "$WORK/LEVEL01.CK1" "$WORK/expected.ck1"
    set_tile "$WORK/expected.ck1" 3 7 1
    set_tile "$WORK/expected.ck1" 6 7 1
    set_tile "$WORK/expected.ck1" 6 8 14
    start_windows_editor_on LEVEL01.CK1 || return
    tap "$EDITOR" 453 36 # tile panel slot 1: tile 1
    sleep 0.1
    xdotool mousemove --window "$EDITOR" 200 200 click 5
    sleep 0.2
    tap "$EDITOR" 66 82 # view cell (2, 3)
    sleep 0.1
    xdotool mousemove --window "$EDITOR" 200 200 keydown shift click 5 keyup shift
    sleep 0.2
    tap "$EDITOR" 66 82
    sleep 0.1
    xdotool mousemove --window "$EDITOR" 500 100 click 5
    sleep 0.2
    tap "$EDITOR" 453 36 # now tile 14
    sleep 0.1
    tap "$EDITOR" 66 98 # view cell (2, 4)
    sleep 0.1
    xdotool key F5
    sleep 0.5
    cmp -s "$WORK/expected.ck1" "$WORK/LEVEL01.CK1" ||
        fail "the wheel did not scroll and page as expected: $(cmp -l "$WORK/expected.ck1" "$WORK/LEVEL01.CK1" | head -5 | tr "\n" " ")"

    xdotool key F1
    if window_of "Tessaly Editor" >/dev/null; then
        controls_of "Tessaly Editor" | grep -q "^F1: show this list of keys" ||
            fail "the message of F1 does not list F1"
        xdotool windowfocus --sync "$(window_of "Tessaly Editor")"
        sleep 0.3
        hold_key Return
        window_gone "Tessaly Editor" || fail "the list of keys did not close"
    else
        fail "F1 showed no list of keys"
    fi

    # The About box, from the start screen's OK, in the middle of the editor.
    xdotool windowfocus --sync "$EDITOR"
    sleep 0.3
    hold_key F10
    "$BIN/tessaly-xhelper" wait-pixel "$wine_title" 100 300 28508D 3000 >/dev/null ||
        fail "F10 did not return to the start screen"
    sleep 0.3
    click "$EDITOR" 744 579
    local about
    if about=$(window_of "Sample Dialog"); then
        controls_of "Sample Dialog" |
            grep -qxF "126 Static 50020001 Version $("$BIN/tessaly" --version | cut -d' ' -f2)" ||
            fail "the About box names no version"
        [[ $(xprop -id "$about" WM_TRANSIENT_FOR) == *"$(printf '0x%x' "$EDITOR")"* ]] ||
            fail "the About box does not belong to the editor window"
        local e a
        e=($(xdotool getwindowgeometry "$EDITOR" | tr -c '0-9\n' ' ' | awk 'NR > 1 {print $1, $2}'))
        a=($(xdotool getwindowgeometry "$about" | tr -c '0-9\n' ' ' | awk 'NR > 1 {print $1, $2}'))
        local dx=$(((2 * a[0] + a[2]) - (2 * e[0] + e[2]))) dy=$(((2 * a[1] + a[3]) - (2 * e[1] + e[3])))
        [ ${dx#-} -le 4 ] && [ ${dy#-} -le 4 ] ||
            fail "the About box is not in the middle of the editor (${a[*]} over ${e[*]})"
        xdotool windowfocus --sync "$about"
        sleep 0.3
        hold_key space
        window_gone "Sample Dialog" || fail "Ok did not close the About box"
    else
        fail "no About box"
    fi

    # Made smaller than allowed, the window's inside stays 640 x 480; a
    # maximised window comes back from full screen maximised.
    expect_eq "inside after asking for 400 x 300" \
        "$(winrun "$WINBIN/tessaly-winhelper.exe" size "$wine_title" 400 300 | tr -d '\r')" 640x480
    winrun "$WINBIN/tessaly-winhelper.exe" maximize "$wine_title"
    sleep 0.5
    local maximised
    maximised=$(winrun "$WINBIN/tessaly-winhelper.exe" state "$wine_title" | tr -d '\r')
    [[ $maximised == maximised* ]] || fail "the window was not maximised: $maximised"
    xdotool windowfocus --sync "$EDITOR"
    sleep 0.3
    xdotool key F11
    sleep 0.7
    expect_eq "full screen" "$(xdotool getwindowgeometry "$EDITOR" | sed -n 's/.*Geometry: //p')" \
        2560x1440
    xdotool key F11
    sleep 0.7
    expect_eq "back from full screen" \
        "$(winrun "$WINBIN/tessaly-winhelper.exe" state "$wine_title" | tr -d '\r')" "$maximised"
    stop_program
}
