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
test_page_is_shown_through_the_palette_and_scaled_to_fit() {
    start_probe || return
    expect_eq "corner" "$(pixel "$PROBE" 0 0)" FFFFFF
    expect_eq "top left quarter" "$(pixel "$PROBE" 10 10)" FF0000
    expect_eq "bottom right quarter" "$(pixel "$PROBE" 790 590)" 65CEBE
    expect_eq "far corner" "$(pixel "$PROBE" 799 599)" FFFFFF
    # Captured first: grep -q leaving early would cut xprop's long output
    # short, and under pipefail the SIGPIPE fails the check now and then.
    [[ $(xprop -id "$PROBE" _NET_WM_ICON) == *"Icon (48 x 48)"* ]] || fail "no 48 x 48 window icon"

    # 1000 x 700 holds the page once: 1x, centred, black around it.
    xdotool windowsize --sync "$PROBE" 1000 700
    sleep 0.3
    expect_eq "letterbox left" "$(pixel "$PROBE" 99 50)" 000000
    expect_eq "page corner" "$(pixel "$PROBE" 100 50)" FFFFFF
    expect_eq "page far corner" "$(pixel "$PROBE" 899 649)" FFFFFF
    expect_eq "letterbox right" "$(pixel "$PROBE" 900 649)" 000000
    expect_eq "letterbox below" "$(pixel "$PROBE" 500 650)" 000000
    expect_eq "page pixel 400, 299" "$(pixel "$PROBE" 500 349)" 00FF00

    # The pointer reads page pixels, and -1 outside the page.
    xdotool mousemove --window "$PROBE" 100 50
    wait_line "^mouse 0 0 0 " || fail "pointer at the page corner"
    xdotool mousemove --window "$PROBE" 899 649
    wait_line "^mouse 799 599 0 " || fail "pointer at the far page corner"
    xdotool mousemove --window "$PROBE" 40 300
    wait_line "^mouse -1 -1 0 " || fail "pointer in the letterbox"

    # 400 x 300 is smaller than the page: shrunk to half, aspect kept.
    xdotool windowsize --sync "$PROBE" 400 300
    sleep 0.3
    expect_eq "half size, page 0,0" "$(pixel "$PROBE" 0 0)" FFFFFF
    expect_eq "half size, page 400,300" "$(pixel "$PROBE" 200 150)" 65CEBE
    xdotool mousemove --window "$PROBE" 200 150
    wait_line "^mouse 400 300 0 " || fail "pointer at half size"
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

test_save_dialog_takes_new_names_and_overwrites_without_a_question() {
    echo old >"$WORK/existing.ck1"
    start_probe || return
    hold_key F6
    answer_dialog "Save Probe" "$WORK/new name"
    wait_line "^save \"$WORK/new name\"" || fail "new name not taken as typed"
    press_again F6
    answer_dialog "Save Probe" "$WORK/existing.ck1"
    wait_line "^save \"$WORK/existing.ck1\"" || fail "existing file not taken"
    window_gone "Save Probe" || fail "a question was asked before overwriting"
    press_again F6
    xdotool windowfocus --sync "$(window_of "Save Probe")"
    hold_key Escape
    wait_line '^save ""' || fail "cancel did not give an empty path"
    # GTK answers a missing folder with a message of its own; the dialog stays.
    press_again F6
    answer_dialog "Save Probe" "$WORK/no such folder/x.ck1"
    still_there_after "Save Probe" 0.7 || fail "save dialog took a missing folder"
    expect_eq "paths given" "$(count_lines '^save ')" 3
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
# (20, 24, 44).
test_about_box_is_a_modal_application_window_without_a_close_button() {
    start_probe || return
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
        local state hints
        state=$(xprop -id "$about" _NET_WM_STATE)
        hints=$(xprop -id "$about" _MOTIF_WM_HINTS)
        case $state in *MODAL*) ;; *) fail "About box not modal: $state" ;; esac
        case $state in *SKIP_TASKBAR*) fail "About box has no task-bar entry" ;; esac
        # Motif functions 0x21: all (0x1) but close (0x20).
        case $hints in *"0x1, 0x21,"*) ;; *) fail "About box offers closing: $hints" ;; esac
        [[ $(xprop -id "$about" WM_TRANSIENT_FOR) == *"not found"* ]] || fail "About box has an owner"
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
