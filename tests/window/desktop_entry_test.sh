# The application menu's entry of an install: `cmake --install` of the build
# into a fresh prefix, then the entry's Exec line run as a desktop runs it for
# a level file, from a PATH that has only the install's programs. The editor
# must open the level straight away, drawn with the installed tile bitmaps
# (a missing bitmap would stop it at a message before the title names the
# level), and look exactly as the installed replay tool draws the same start.

# The Exec line's words with %f replaced by the file, as one argument.
exec_words() { # entry file
    local line word
    line=$(sed -n 's/^Exec=//p' "$1")
    EXEC_WORDS=()
    for word in $line; do
        if [ "$word" = "%f" ]; then EXEC_WORDS+=("$2"); else EXEC_WORDS+=("$word"); fi
    done
}

test_desktop_entry_of_an_install_opens_a_level() {
    local prefix=$WORK/prefix home=$WORK/home
    if ! cmake --install "$BIN/.." --prefix "$prefix" >"$WORK/install.log" 2>&1; then
        fail "cmake --install failed"
        cat "$WORK/install.log"
        return
    fi
    mkdir -p "$home"
    # A level picked in a file manager: a name with a space, any case.
    cp "$prefix/share/tessaly/samples/sample.ck2" "$WORK/My Level.CK2"
    exec_words "$prefix/share/applications/tessaly.desktop" "$WORK/My Level.CK2"
    expect_eq "Exec line" "${EXEC_WORDS[*]}" "tessaly $WORK/My Level.CK2"

    local run=(env PATH="$prefix/bin:/usr/bin:/bin" HOME="$home" XDG_DATA_HOME="$home/data"
        XDG_STATE_HOME="$home/state")
    start "${run[@]}" "${EXEC_WORDS[@]}"
    local title="Tessaly Editor v0.9 - My Level.CK2" editor
    editor=$(window_of "$title") || {
        fail "the editor did not open the level"
        return
    }
    sleep 0.5

    # The same start drawn by the installed replay tool.
    printf 'wait 100\nscreenshot replay.png\n' >"$WORK/shot.replay"
    (cd "$WORK" && "${run[@]}" tessaly-replay shot.replay "My Level.CK2" >"$WORK/replay.log")
    if grep -q message "$WORK/replay.log"; then fail "replay: $(cat "$WORK/replay.log")"; fi
    local x y want got
    for xy in "100 100" "300 200" "450 40" "700 300" "500 560"; do
        read -r x y <<<"$xy"
        want=$(convert "$WORK/replay.png" -format '%[hex:p{'"$x,$y"'}]' info: | cut -c1-6)
        got=$(pixel "$editor" "$x" "$y")
        expect_eq "pixel $x,$y" "$got" "$want"
    done

    "$BIN/tessaly-xhelper" close "$editor"
    wait_exit 3
    expect_eq "exit status after a close request" "$EXIT_STATUS" 0
    [ ! -e "$prefix/bin/Resources" ] || fail "the install has a Resources folder beside the programs"
}
