# Test play in the real window and the real DOSBox: F9 in the editor asks
# for the game's folder with the native folder dialog, then DOSBox plays a
# copy of it with the edited level in its slot. The game is a stand-in
# (tessaly-standin-game.com, named KEEN1.EXE) that writes the level it reads
# to PLAYED.CK1; a `dosbox` first on the PATH runs the real one with sound
# off and copies that file out before the editor removes the play folder.

# Sets up WORK/game (the stand-in and a level 1 of its own) and WORK/bin/dosbox.
play_setup() {
    if ! command -v dosbox >/dev/null; then
        fail "dosbox is not installed (apt-get install dosbox)"
        return 1
    fi
    if [ ! -f "$BIN/tessaly-standin-game.com" ]; then
        fail "$BIN/tessaly-standin-game.com was not built (apt-get install nasm)"
        return 1
    fi
    mkdir -p "$WORK/game" "$WORK/bin"
    cp "$BIN/tessaly-standin-game.com" "$WORK/game/KEEN1.EXE"
    "$BIN/tessaly-level" copy "$BIN/samples/sample.ck1" "$WORK/game/LEVEL01.CK1"
    set_tile "$WORK/game/LEVEL01.CK1" 2 2 5
    cp -r "$WORK/game" "$WORK/game.before"
    printf '[mixer]\nnosound=true\n' >"$WORK/nosound.conf"
    cat >"$WORK/bin/dosbox" <<WRAPPER
#!/bin/sh
# The real DOSBox, silent, then what the stand-in wrote and the configuration.
printf '%s\n' "\$@" >"$WORK/dosbox-arguments"
conf=\$2
SDL_AUDIODRIVER=dummy $(command -v dosbox) "\$@" -conf "$WORK/nosound.conf" >"$WORK/dosbox.log" 2>&1
status=\$?
cp "\$(dirname "\$conf")/PLAYED.CK1" "$WORK/played.ck1"
cp "\$conf" "$WORK/dosbox.conf"
exit \$status
WRAPPER
    chmod +x "$WORK/bin/dosbox"
}

# The editor with the wrapper first on the PATH and the user's folders in WORK.
start_player() {
    PATH="$WORK/bin:$PATH" XDG_CONFIG_HOME="$WORK/config" XDG_CACHE_HOME="$WORK/cache" \
        XDG_STATE_HOME="$WORK/state" start_editor
}

# Chooses a folder in the folder dialog of this title: its path typed into
# the location field, then Select.
answer_folder_dialog() { # title path
    local d
    d=$(window_of "$1") || {
        fail "no folder dialog \"$1\""
        return 1
    }
    xdotool windowfocus --sync "$d"
    xdotool key ctrl+l
    sleep 0.2
    xdotool key ctrl+a
    xdotool type --delay 5 "$2/"
    sleep 0.3
    xdotool key Return
    sleep 0.3
    # Enter on a folder's path opens that folder; Select (Enter again) takes it.
    if xdotool search --onlyvisible --name "^$1\$" >/dev/null 2>&1; then
        xdotool windowfocus --sync "$d" 2>/dev/null
        xdotool key Return
    fi
    window_gone "$1" || fail "folder dialog still open"
}

test_f9_plays_the_edited_level_in_dosbox() {
    play_setup || return
    cp "$BIN/samples/sample.ck1" "$WORK/mylevel.ck1"
    start_player || return
    open_level 425 215 "Open File Map Commander Keen 1" "$WORK/mylevel.ck1" || return
    click "$EDITOR" 453 36 # tile panel slot 1: tile 1
    click "$EDITOR" 66 82  # map cell (2, 3): level cell (3, 4)
    window_of "$title - mylevel.ck1 \\*" >/dev/null || fail "the paint left no unsaved mark"
    "$BIN/tessaly-level" copy "$WORK/mylevel.ck1" "$WORK/expected.ck1"
    set_tile "$WORK/expected.ck1" 3 4 1

    xdotool key F9
    answer_folder_dialog "Choose the Commander Keen 1 game folder" "$WORK/game"
    local i
    for i in $(seq 300); do
        [ -f "$WORK/dosbox.conf" ] && break
        sleep 0.1
    done
    if [ ! -f "$WORK/played.ck1" ]; then
        fail "the stand-in game wrote nothing"
        sed 's/^/      dosbox: /' "$WORK/dosbox.log" 2>/dev/null | tail -5
    elif ! cmp -s "$WORK/expected.ck1" "$WORK/played.ck1"; then
        fail "the game read another level than the edited one"
    fi
    expect_eq "DOSBox's arguments" "$(cat "$WORK/dosbox-arguments" 2>/dev/null)" \
        "-conf
$WORK/cache/tessaly/play/1/dosbox.conf"
    grep -qxF "mount c \"$WORK/cache/tessaly/play/1\"" "$WORK/dosbox.conf" 2>/dev/null ||
        fail "the configuration does not mount the play folder"
    diff -r "$WORK/game.before" "$WORK/game" >/dev/null || fail "the game folder was changed"
    cmp -s "$BIN/samples/sample.ck1" "$WORK/mylevel.ck1" || fail "F9 saved the level"
    window_of "$title - mylevel.ck1 \\*" >/dev/null || fail "F9 took the unsaved mark"
    grep -qxF "folder = $WORK/game" "$WORK/config/tessaly/settings.ini" 2>/dev/null ||
        fail "the game folder was not remembered"
    for i in $(seq 50); do
        [ -e "$WORK/cache/tessaly/play/1" ] || break
        sleep 0.1
    done
    [ -e "$WORK/cache/tessaly/play/1" ] && fail "the play folder stayed after DOSBox ended"

    # The second F9 asks for nothing and plays again.
    rm -f "$WORK/played.ck1" "$WORK/dosbox.conf"
    xdotool windowfocus --sync "$EDITOR"
    xdotool key F9
    for i in $(seq 300); do
        [ -f "$WORK/dosbox.conf" ] && break
        sleep 0.1
    done
    cmp -s "$WORK/expected.ck1" "$WORK/played.ck1" || fail "the second F9 did not play the level"
    stop_program
}
