# The window host on its own, driven through tessaly-window-probe (probe.cpp):
# a known page, every mouse and key change and every dialog answer reported
# on its output.

probe_title="Tessaly Window Probe"

start_probe() {
    start "$BIN/tessaly-window-probe"
    PROBE=$(window_of "$probe_title") && wait_line ready || {
        fail "the probe window did not open"
        return 1
    }
    xdotool windowfocus --sync "$PROBE"
    sleep 0.1
}

end_probe() {
    xdotool windowfocus --sync "$PROBE" 2>/dev/null
    hold_key F10
    wait_exit 3
    expect_eq "probe exit status" "$EXIT_STATUS" 0
}

# The palette as shown: a component v set by the program is held as v div 4
# and shown as floor(held * 255 / 63); 252 shows as 255, (100, 204, 188) as
# (101, 206, 190).
test_page_is_shown_through_the_palette() {
    start_probe || return
    expect_eq "corner" "$(pixel "$PROBE" 0 0)" FFFFFF
    expect_eq "top left quarter" "$(pixel "$PROBE" 10 10)" FF0000
    expect_eq "bottom right quarter" "$(pixel "$PROBE" 790 590)" 65CEBE
    expect_eq "far corner" "$(pixel "$PROBE" 799 599)" FFFFFF
    # Captured first: grep -q leaving early would cut xprop's long output
    # short, and under pipefail the SIGPIPE fails the check now and then.
    [[ $(xprop -id "$PROBE" _NET_WM_ICON) == *"Icon (48 x 48)"* ]] || fail "no 48 x 48 window icon"

    end_probe
}

# Checks the picture and the pointer in a window of W x H.
check_size() { # w h
    local w=$1 h=$2 wx wy
    xdotool windowmove --sync "$PROBE" 0 0
    xdotool windowsize --sync "$PROBE" "$w" "$h"
    sleep 0.3
    expect_eq "window size" "$(xdotool getwindowgeometry "$PROBE" | sed -n 's/.*Geometry: //p')" \
        "${w}x$h"
    fit_of "$w" "$h"
    if [ "$FIT_X" -gt 0 ]; then
        expect_eq "$w x $h: letterbox left" "$(pixel "$PROBE" $((FIT_X - 1)) $((h / 2)))" 000000
        expect_eq "$w x $h: letterbox right" "$(pixel "$PROBE" $((FIT_X + FIT_W)) $((h / 2)))" 000000
    fi
    if [ "$FIT_Y" -gt 0 ]; then
        expect_eq "$w x $h: letterbox above" "$(pixel "$PROBE" $((w / 2)) $((FIT_Y - 1)))" 000000
    fi
    expect_eq "$w x $h: page 200, 150" "$(pixel "$PROBE" "$(window_x 200)" "$(window_y 150)")" FF0000
    expect_eq "$w x $h: page 600, 150" "$(pixel "$PROBE" "$(window_x 600)" "$(window_y 150)")" 00FF00
    expect_eq "$w x $h: page 600, 450" "$(pixel "$PROBE" "$(window_x 600)" "$(window_y 450)")" 65CEBE
    # Enlarged, the lone white corner pixel keeps its own colour.
    if [ "$FIT_W" -ge 800 ]; then
        expect_eq "$w x $h: page 0, 0" "$(pixel "$PROBE" "$FIT_X" "$FIT_Y")" FFFFFF
    fi
    # The pointer reads the page pixel under it: the page's corners, the
    # middle of a map cell, and a window pixel where two page pixels meet.
    for point in "$FIT_X $FIT_Y" "$((FIT_X + FIT_W - 1)) $((FIT_Y + FIT_H - 1))" \
        "$(window_x 34) $(window_y 34)" "$((FIT_X + 9)) $((FIT_Y + 13))"; do
        set -- $point
        xdotool mousemove --window "$PROBE" "$1" "$2"
        wait_line "^mouse $(page_x "$1") $(page_y "$2") 0 " ||
            fail "$w x $h: pointer at window $1, $2 is not page $(page_x "$1"), $(page_y "$2")"
    done
    if [ "$FIT_X" -gt 0 ]; then
        xdotool mousemove --window "$PROBE" $((FIT_X - 1)) $((h / 2))
        wait_line "^mouse -1 -1 0 " || fail "$w x $h: pointer in the letterbox"
        xdotool mousemove --window "$PROBE" "$FIT_X" $((h / 2)) # leaves -1 for the next size
    fi
}

# The page fills any window as far as its 4:3 shape allows, scaled sharply:
# the middle of every page pixel shows its own colour.
test_page_fills_a_window_of_any_size_and_the_pointer_reads_page_pixels() {
    start_probe || return
    local size
    for size in "640 480" "1366 768" "1920 1080" "2560 1440" "1000 700" "800 600"; do
        check_size $size
    done
    end_probe
}

# F11 switches to full screen (the screen is 2560 x 1440) and back to the
# size and place the window had.
test_f11_switches_full_screen_and_back_to_the_size_before() {
    start_probe || return
    xdotool windowmove --sync "$PROBE" 100 50
    xdotool windowsize --sync "$PROBE" 1000 700
    sleep 0.2
    xdotool key F11
    sleep 0.5
    expect_eq "full screen geometry" "$(xdotool getwindowgeometry "$PROBE" | tr -d '\n' |
        sed 's/.*Position: \([0-9,]*\) .*Geometry: \(.*\)/\1 \2/')" "0,0 2560x1440"
    fit_of 2560 1440
    expect_eq "full screen: page 600, 450" "$(pixel "$PROBE" "$(window_x 600)" "$(window_y 450)")" 65CEBE
    expect_eq "full screen: letterbox" "$(pixel "$PROBE" 100 700)" 000000
    xdotool mousemove --window "$PROBE" "$(window_x 34)" "$(window_y 34)"
    wait_line "^mouse 34 34 0 " || fail "pointer in full screen"
    xdotool key F11
    sleep 0.5
    expect_eq "geometry after full screen" "$(xdotool getwindowgeometry "$PROBE" | tr -d '\n' |
        sed 's/.*Position: \([0-9,]*\) .*Geometry: \(.*\)/\1 \2/')" "100,50 1000x700"
    expect_eq "F11 is no key of the program" "$(count_lines '^key 57')" 0
    end_probe
}

test_drawing_shows_at_once() {
    start_probe || return
    expect_eq "before painting" "$(pixel "$PROBE" 100 100)" FF0000
    click "$PROBE" 100 100
    sleep 0.1
    expect_eq "after painting" "$(pixel "$PROBE" 100 100)" 000000
    expect_eq "beside the paint" "$(pixel "$PROBE" 110 100)" FF0000
    end_probe
}

test_focus_loss_and_gain_release_every_key_until_pressed_again() {
    start_probe || return
    xdotool keydown Right
    wait_line "^key 4D down" || fail "right arrow not seen held"
    hold_key F1
    local about
    about=$(window_of "Sample Dialog") || fail "no About box"
    "$BIN/tessaly-xhelper" close "$about"
    window_gone "Sample Dialog" || fail "About box still open after a close request"
    wait_line "^about closed" || fail "About box not reported closed"
    wait_line "^key 4D up" || fail "right arrow still held after the About box"
    sleep 1 # still held down, auto-repeating: neither repeats nor a re-sent key-down count
    expect_eq "right arrow presses while held across the box" "$(count_lines '^key 4D down')" 1
    xdotool keyup Right
    sleep 0.1
    hold_key Right
    wait_line "^key 4D down" && sleep 0.2
    expect_eq "right arrow presses after pressing it again" "$(count_lines '^key 4D down')" 2
    end_probe
}

test_held_key_does_not_reopen_a_dialog() {
    start_probe || return
    xdotool keydown F6
    local dialog
    dialog=$(window_of "Save Probe") || fail "no save dialog"
    xdotool windowfocus --sync "$dialog"
    # Closed without a key, so F6 goes on auto-repeating into the window once
    # the dialog is gone, its first repeat looking like a fresh press.
    sleep 0.8 # long enough for the auto-repeat to have started, as it has for a person
    "$BIN/tessaly-xhelper" close "$dialog"
    wait_line '^save ""' || fail "closed save dialog not reported"
    if still_there_after "Save Probe" 1; then fail "the save dialog opened again"; fi
    expect_eq "save dialogs while F6 stayed down" "$(count_lines '^save ')" 1
    xdotool keyup F6
    press_again F6
    dialog=$(window_of "Save Probe") || fail "F6 pressed again opened no dialog"
    xdotool windowfocus --sync "$dialog"
    hold_key Escape
    window_gone "Save Probe"
    end_probe
}

test_open_dialog_takes_only_an_existing_file() {
    mkdir -p "$WORK/levels"
    echo level >"$WORK/levels/LEVEL01.CK1"
    start_probe || return
    hold_key F5
    answer_dialog "Open Probe" "$WORK/levels/MISSING.CK1"
    still_there_after "Open Probe" 0.7 || fail "open dialog closed on a missing file"
    answer_dialog "Open Probe" "$WORK/levels/LEVEL01.CK1"
    wait_line "^open \"$WORK/levels/LEVEL01.CK1\"" || fail "existing file not opened"
    press_again F5
    window_of "Open Probe" >/dev/null || fail "no second open dialog"
    xdotool windowfocus --sync "$(window_of "Open Probe")"
    hold_key Escape
    wait_line '^open ""' || fail "cancel did not give an empty path"
    end_probe
}

# A name typed without an extension gets the request's; an existing file,
# typed with its extension or without, is asked about in the dialog first.
test_save_dialog_adds_the_extension_and_asks_before_overwriting() {
    echo old >"$WORK/existing.ck1"
    start_probe || return
    hold_key F6
    answer_dialog "Save Probe" "$WORK/new name"
    wait_line "^save \"$WORK/new name.ck1\"" || fail "new name not given the extension"
    local typed question taken=0
    for typed in "$WORK/existing.ck1" "$WORK/existing"; do
        taken=$((taken + 1))
        press_again F6
        answer_dialog "Save Probe" "$typed"
        question=$(overwrite_question "Save Probe") || fail "no question before overwriting ($typed)"
        xdotool windowfocus --sync "$question"
        hold_key Escape # Cancel: back in the dialog
        still_there_after "Save Probe" 0.3 || fail "cancelling the question closed the dialog"
        xdotool windowfocus --sync "$(window_of "Save Probe")"
        hold_key Return
        question=$(overwrite_question "Save Probe") || fail "no question the second time ($typed)"
        xdotool windowfocus --sync "$question"
        hold_key Return # Replace
        window_gone "Save Probe" || fail "the dialog stayed after Replace"
        for _ in $(seq 100); do
            [ "$(count_lines "^save \"$WORK/existing.ck1\"")" -ge $taken ] && break
            sleep 0.05
        done
        expect_eq "existing file taken ($typed)" \
            "$(count_lines "^save \"$WORK/existing.ck1\"")" $taken
    done
    press_again F6
    xdotool windowfocus --sync "$(window_of "Save Probe")"
    hold_key Escape
    wait_line '^save ""' || fail "cancel did not give an empty path"
    # GTK answers a missing folder with a message of its own; the dialog stays.
    press_again F6
    answer_dialog "Save Probe" "$WORK/no such folder/x.ck1"
    still_there_after "Save Probe" 0.7 || fail "save dialog took a missing folder"
    expect_eq "paths given" "$(count_lines '^save ')" 4
}

test_close_request_is_reported_and_the_window_stays() {
    start_probe || return
    "$BIN/tessaly-xhelper" close "$PROBE"
    wait_line "^close" || fail "close request not reported"
    kill -0 "$PROGRAM_PID" 2>/dev/null || fail "the window closed by itself"
    end_probe
}

test_without_a_display_dialogs_give_empty_paths() {
    (cd "$WORK" && DISPLAY= WAYLAND_DISPLAY= exec "$BIN/tessaly-window-probe" \
        >"$WORK/out.log" 2>"$WORK/err.log") &
    PROGRAM_PID=$!
    wait_exit 5
    expect_eq "probe exit status without a display" "$EXIT_STATUS" 0
    grep -q '^open ""' "$WORK/out.log" || fail "open dialog without a display"
    grep -q '^about returned' "$WORK/out.log" || fail "About box without a display"
}

test_dialogs_belong_to_the_window_which_keeps_painting_and_gets_the_focus_back() {
    start_probe || return
    xdotool windowmove --sync "$PROBE" 0 0
    hold_key F6
    local dialog
    dialog=$(window_of "Save Probe") || {
        fail "no save dialog"
        return
    }
    [[ $(xprop -id "$dialog" WM_TRANSIENT_FOR) == *"$(printf '0x%x' "$PROBE")"* ]] ||
        fail "the save dialog is not transient for the window"
    # With no window manager the dialog opens over the window; moved away
    # while still open, it uncovers parts that must be painted again.
    xdotool windowmove "$dialog" 900 700
    sleep 0.3
    expect_eq "uncovered top left" "$(pixel "$PROBE" 10 10)" FF0000
    expect_eq "uncovered middle" "$(pixel "$PROBE" 500 400)" 65CEBE
    "$BIN/tessaly-xhelper" close "$dialog"
    window_gone "Save Probe" || fail "save dialog still open"
    wait_line '^save ""' || fail "closed save dialog not reported"
    expect_eq "window with the focus after the dialog" "$(xdotool getwindowfocus)" "$PROBE"
    end_probe
}

# The box is 182 x 78 dialog units (273 x 127 pixels) with the 64 x 64 logo
# at 126, 10 units (189, 16 pixels), framed in the logo's outline colour
# (20, 24, 44), and the version line at 14, 46 units (21, 75 pixels). It is a
# dialog of the window, in the window's middle.
test_about_box_is_a_modal_dialog_in_the_middle_of_the_window_without_a_close_button() {
    start_probe || return
    xdotool windowmove --sync "$PROBE" 100 50
    local round about
    for round in first second; do
        if [ $round = first ]; then hold_key F1; else press_again F1; fi
        about=$(window_of "Sample Dialog") || {
            fail "no About box ($round)"
            return
        }
        expect_eq "box size ($round)" \
            "$(xdotool getwindowgeometry "$about" | sed -n 's/.*Geometry: //p')" 273x127
        expect_eq "logo top left ($round)" "$(pixel "$about" 189 16)" 14182C
        expect_eq "logo bottom right ($round)" "$(pixel "$about" 252 79)" 14182C
        expect_eq "box place ($round)" "$(xdotool getwindowgeometry "$about" |
            sed -n 's/.*Position: \([0-9,]*\) .*/\1/p')" "363,286" # 100 + (800 - 273) / 2, ...
        local face
        face=$(pixel "$about" 4 4)
        [ "$("$BIN/tessaly-xhelper" other "$about" 22 76 158 13 "$face")" -gt 0 ] ||
            fail "no version line ($round)"
        local state hints
        state=$(xprop -id "$about" _NET_WM_STATE)
        hints=$(xprop -id "$about" _MOTIF_WM_HINTS)
        case $state in *MODAL*) ;; *) fail "About box not modal: $state" ;; esac
        case $state in *SKIP_TASKBAR*) ;; *) fail "About box has a task-bar entry: $state" ;; esac
        # Motif functions 0x21: all (0x1) but close (0x20).
        case $hints in *"0x1, 0x21,"*) ;; *) fail "About box offers closing: $hints" ;; esac
        [[ $(xprop -id "$about" WM_TRANSIENT_FOR) == *"$(printf '0x%x' "$PROBE")"* ]] ||
            fail "About box does not belong to the window"
        xdotool windowfocus --sync "$about"
        hold_key Escape
        still_there_after "Sample Dialog" 0.3 || fail "Escape closed the About box"
        "$BIN/tessaly-xhelper" close "$about"
        window_gone "Sample Dialog" || fail "a close request did not end the About box"
    done
    wait_line "^about closed" && sleep 0.1
    expect_eq "About boxes closed" "$(count_lines '^about closed')" 2
    end_probe
}

# Both dialogs start in the folder of the file last chosen in either of
# them, the working folder before that, with no name proposed; Enter in the
# save dialog's name field saves at the first press, even typed at once.
test_dialogs_start_in_the_folder_last_chosen_and_enter_saves_at_once() {
    mkdir -p "$WORK/a" "$WORK/b"
    echo level >"$WORK/a/LEVEL01.CK1"
    echo level >"$WORK/b/LEVEL02.CK1"
    start_probe || return
    hold_key F6
    answer_dialog "Save Probe" first.ck1 at-once
    wait_line "^save \"$WORK/first.ck1\"" || fail "save dialog did not start in the working folder"
    press_again F5
    answer_dialog "Open Probe" "$WORK/a/LEVEL01.CK1" at-once
    wait_line "^open \"$WORK/a/LEVEL01.CK1\"" || fail "open dialog did not open the typed path"
    press_again F6
    answer_dialog "Save Probe" second.ck1 at-once
    wait_line "^save \"$WORK/a/second.ck1\"" || fail "save dialog did not start where the open dialog chose"
    # No name proposed: Enter on the empty name field saves nothing.
    press_again F6
    local d
    d=$(window_of "Save Probe") || fail "no save dialog"
    xdotool windowfocus --sync "$d"
    sleep 0.3
    hold_key Return
    still_there_after "Save Probe" 0.5 || fail "the save dialog closed on an empty name"
    xdotool windowfocus --sync "$d"
    hold_key Escape
    wait_line '^save ""' || fail "the save dialog was not cancelled"
    press_again F6
    answer_dialog "Save Probe" "$WORK/b/third.ck1"
    wait_line "^save \"$WORK/b/third.ck1\"" || fail "save dialog did not take a full path"
    press_again F5
    answer_dialog "Open Probe" LEVEL02.CK1 at-once
    wait_line "^open \"$WORK/b/LEVEL02.CK1\"" || fail "open dialog did not start where the save dialog chose"
    expect_eq "dialogs answered" "$(grep -c -E '^(open|save) "/' "$WORK/out.log")" 5
    end_probe
}
