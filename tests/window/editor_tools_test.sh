# The editing tools in the real window, on the level of the e2e case
# editing_tools and with its steps: F, the copy corners and 5, R answered in
# the real question, G, Tab and a click in the overview, F5. The saved level
# must be the one that case's replay saves.

# Moves the pointer to page pixel (x, y) and holds the key there.
key_at() { # x y key
    xdotool mousemove --window "$EDITOR" "$1" "$2"
    sleep 0.05
    hold_key "$3"
    sleep 0.1
}

test_editing_tools_leave_the_level_the_replay_leaves() {
    local case_dir="$ROOT/tests/e2e/editing_tools"
    cp "$case_dir/level.ck1" "$WORK/level.ck1"
    start_editor_on level.ck1 || return
    click "$EDITOR" 453 36 # tile panel slot 1: tile 1
    key_at 66 66 f         # level cell (3, 3): columns 1 to 9 become tile 1
    key_at 210 66 1        # copy corners (12, 3) and (14, 5), filled with 5
    key_at 242 98 2
    key_at 242 98 5
    key_at 178 66 r # the wall of tile 7 at (10, 3)
    local question
    question=$(window_of "Tessaly Editor") || {
        fail "R asked nothing"
        return
    }
    xdotool windowfocus --sync "$question"
    sleep 0.2
    xdotool key Return # Replace, the default answer
    window_gone "Tessaly Editor" || fail "Enter did not answer the question"
    xdotool windowfocus --sync "$EDITOR"
    sleep 0.3

    # G held shows the grid once (the left edge of view cell (1, 4)), G again hides it.
    local plain
    plain=$(pixel "$EDITOR" 42 100)
    key_at 42 100 g
    [ "$(pixel "$EDITOR" 42 100)" != "$plain" ] || fail "G showed no grid"
    key_at 42 100 g
    expect_eq "the grid's pixel after G twice" "$(pixel "$EDITOR" 42 100)" "$plain"

    # Tab held opens the overview, which covers the page at (159, 99) with the
    # view's outline; a click on cell (20, 20) moves the view to (10, 6).
    plain=$(pixel "$EDITOR" 159 99)
    key_at 159 99 Tab
    [ "$(pixel "$EDITOR" 159 99)" != "$plain" ] || fail "Tab showed no overview"
    click "$EDITOR" 472 412
    sleep 0.2
    click "$EDITOR" 470 36 # tile 2
    click "$EDITOR" 34 34  # view cell (0, 0): level cell (10, 6)
    sleep 0.1
    hold_key F5
    window_of "$title - level.ck1" >/dev/null || fail "F5 left the unsaved mark"
    if ! cmp -s "$case_dir/expected/level.ck1" "$WORK/level.ck1"; then
        fail "the saved level is not the one the editing_tools replay saves"
        cmp "$case_dir/expected/level.ck1" "$WORK/level.ck1" | head -3
    fi
    "$BIN/tessaly-xhelper" close "$EDITOR"
    wait_exit 3
    expect_eq "exit status after a close request" "$EXIT_STATUS" 0
}
