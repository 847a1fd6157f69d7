# Test play in the Windows program under Wine: F9 finds no DOSBox in the
# usual install folders, asks for DOSBox.exe once (a stand-in that records
# how it was started), asks for the game's folder with the system's folder
# dialog, and starts the stand-in on a play copy whose configuration mounts
# the copy by its short path. Run by scripts/window-tests.sh --windows; named
# to come after wine_test.sh, whose helpers it uses, in any sort order.

test_windows_f9_plays_the_edited_level() {
    mkdir -p "$WORK/game" "$WORK/DOSBox"
    cp "$WINBIN/tessaly-standin-dosbox.exe" "$WORK/DOSBox/DOSBox.exe"
    printf 'MZ a stand-in for the game\r\n' >"$WORK/game/KEEN1.EXE"
    "$BIN/tessaly-level" copy "$BIN/samples/sample.ck1" "$WORK/game/LEVEL01.CK1"
    set_tile "$WORK/game/LEVEL01.CK1" 2 2 5
    cp -r "$WORK/game" "$WORK/game.before"
    cp "$BIN/samples/sample.ck1" "$WORK/mylevel.ck1"
    local user
    for user in "$WINE_PREFIX"/drive_c/users/*; do
        rm -rf "$user/AppData/Roaming/Tessaly" "$user/AppData/Local/Tessaly"
    done
    start_windows_editor || return
    click "$EDITOR" 425 215 # "Editing Commander Keen 1"
    type_into_dialog "Open File Map Commander Keen 1" "$WORK/mylevel.ck1" || return
    sleep 0.3
    click "$EDITOR" 453 36 # tile panel slot 1: tile 1
    click "$EDITOR" 66 82  # map cell (2, 3): level cell (3, 4)
    "$BIN/tessaly-level" copy "$WORK/mylevel.ck1" "$WORK/expected.ck1"
    set_tile "$WORK/expected.ck1" 3 4 1

    xdotool key F9
    type_into_dialog "Choose the DOSBox program" \
        "$WORK/DOSBox/DOSBox.exe" || return
    type_into_dialog "Choose the Commander Keen 1 game folder" "$WORK/game" || return
    local i
    for i in $(seq 100); do
        [ -f "$WORK/DOSBox/played.ck1" ] && break
        sleep 0.1
    done
    cmp -s "$WORK/expected.ck1" "$WORK/DOSBox/played.ck1" ||
        fail "the stand-in DOSBox did not find the edited level in the play folder"
    local arguments mount
    arguments=$(tr -d '\r' <"$WORK/DOSBox/arguments.txt" 2>/dev/null)
    [[ $arguments =~ ^-conf$'\n'.*'\Tessaly\play\1\dosbox.conf'$ ]] ||
        fail "DOSBox was started with \"$arguments\""
    mount=$(grep '^mount c ' "$WORK/DOSBox/dosbox.conf" 2>/dev/null)
    [[ $mount =~ ^'mount c "'[A-Za-z]:'\'[^\ ]*'\play\1"'$ ]] ||
        fail "the configuration mounts \"$mount\""
    diff -r "$WORK/game.before" "$WORK/game" >/dev/null || fail "the game folder was changed"
    cmp -s "$BIN/samples/sample.ck1" "$WORK/mylevel.ck1" || fail "F9 saved the level"
    window_of "$wine_title - mylevel.ck1 \\*" >/dev/null || fail "F9 took the unsaved mark"
    local settings
    settings=$(cat "$WINE_PREFIX"/drive_c/users/*/AppData/Roaming/Tessaly/settings.ini 2>/dev/null)
    grep -qF "DOSBox.exe" <<<"$settings" || fail "DOSBox.exe was not remembered"
    grep -qF "program = KEEN1.EXE" <<<"$settings" || fail "the game was not remembered"
    stop_program
}
