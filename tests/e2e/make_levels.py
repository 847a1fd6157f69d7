#!/usr/bin/env python3
"""Writes the level files of the end-to-end cases and the files each case must
leave behind. The expected files are worked out here from the editing rules,
independently of the editor, so a case fails when the editor gets a rule wrong.
Run it after changing a case: python3 tests/e2e/make_levels.py"""
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))


class Level:
    def __init__(self, width, height, first4=b"\x12\x34\x56\x78"):
        self.width, self.height = width, height
        self.header = bytearray(first4 + struct.pack("<HH", width, height) + bytes(28))
        # Tiles vary so that a misplaced write shows; objects start empty.
        self.tiles = {(c, r): (c * 7 + r * 3) % 97 + 1
                      for c in range(1, width + 1) for r in range(1, height + 1)}
        self.objects = {(c, r): 0 for c in range(1, width + 1) for r in range(1, height + 1)}

    def copy(self):
        other = Level.__new__(Level)
        other.width, other.height = self.width, self.height
        other.header = bytearray(self.header)
        other.tiles, other.objects = dict(self.tiles), dict(self.objects)
        return other

    def bytes(self):
        out = bytearray(self.header)
        for plane in (self.tiles, self.objects):
            for r in range(1, self.height + 1):
                for c in range(1, self.width + 1):
                    out += struct.pack("<H", plane[(c, r)] & 0xFFFF)
        return bytes(out)


def resized(level, width, height, anchor, follows_links):
    """The level resized with the anchor (0..8, row by row from the top
    left) kept in place; Dave 2's links (counted from 0) move along."""
    part = lambda which, grown: 0 if which == 0 else grown // 2 if which == 1 else grown
    dx = part(anchor % 3, width - level.width)
    dy = part(anchor // 3, height - level.height)
    if width - level.width < 0 and anchor % 3 == 1:
        dx = -((level.width - width) // 2)
    if height - level.height < 0 and anchor // 3 == 1:
        dy = -((level.height - height) // 2)
    out = Level(width, height, bytes(level.header[:4]))
    out.header = bytearray(level.header)
    out.header[4:8] = struct.pack("<HH", width, height)
    for c in range(1, width + 1):
        for r in range(1, height + 1):
            old = (c - dx, r - dy)
            out.tiles[(c, r)] = level.tiles.get(old, 0)
            value = level.objects.get(old, 0)
            if follows_links and 256 <= value <= 32767 and value != 257:
                to = (value // 256 + 1 + dx, value % 256 + 1 + dy)
                inside = 1 <= to[0] <= width and 1 <= to[1] <= height and to[0] >= 2
                value = (to[0] - 1) * 256 + to[1] - 1 if inside else 0
            out.objects[(c, r)] = value
    return out


def write(case, name, data):
    path = os.path.join(HERE, case, name)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def main():
    # Dave 2: paint map tile 14 (tile panel slot k=1, r=1) at level cell (3, 4)
    # and the first object picture (858, "Dave :-)", code 255) at (5, 6).
    dd2 = Level(24, 22)
    write("paint_and_save", "level.dd2", dd2.bytes())
    edited = dd2.copy()
    edited.tiles[(3, 4)] = 14
    edited.objects[(5, 6)] = 255
    write("paint_and_save", "expected/level.dd2", edited.bytes())

    # Keen 1, 30 x 25: tile 14 painted at (3, 4), then saved under a new name;
    # the old file stays as it was.
    ck1 = Level(30, 25)
    painted = ck1.copy()
    painted.tiles[(3, 4)] = 14
    write("save_as_new_name", "level.ck1", ck1.bytes())
    write("save_as_new_name", "expected/level.ck1", ck1.bytes())
    write("save_as_new_name", "expected/new.ck1", painted.bytes())

    # Save As cancelled, then F5: the edit goes to the old name.
    write("save_as_cancel_then_save", "level.ck1", ck1.bytes())
    write("save_as_cancel_then_save", "expected/level.ck1", painted.bytes())

    # A cancelled open gives a 0 x 0 level: F5 writes nothing, Save As writes
    # the 36 zero header bytes.
    write("open_cancelled", "expected/empty.ck1", bytes(36))

    # Keen 1, 64 x 30. Held arrows stop at the last full view: origin column
    # 45 (64 - 20 + 1), row 11 (30 - 20 + 1). Tile 1 (slot k=1, r=0) painted
    # at view cell (0, 0) lands on (45, 11).
    wide = Level(64, 30)
    write("held_keys_stop", "level.ck1", wide.bytes())
    stop = wide.copy()
    stop.tiles[(45, 11)] = 1
    # Held page down stops the tile panel at 611 - 169 = 442; its first slot
    # painted at view cell (1, 0) lands on (46, 11).
    stop.tiles[(46, 11)] = 442
    write("held_keys_stop", "expected/level.ck1", stop.bytes())

    # F10 and back keeps the view origin (45, 1), the tile panel (442) and the
    # copy buffer: the block (45..46, 1..2) copied before leaving is pasted
    # at view cell (2, 2) = (47, 3) after coming back; then slot 0 (442) is
    # painted at view cell (0, 0) = (45, 1).
    write("leave_and_return", "level.ck1", wide.bytes())
    back = wide.copy()
    for dx in range(2):
        for dy in range(2):
            back.tiles[(47 + dx, 3 + dy)] = wide.tiles[(45 + dx, 1 + dy)]
    back.tiles[(45, 1)] = 442
    write("leave_and_return", "expected/level.ck1", back.bytes())

    # F10 held with the right arrow: the arrow runs first (origin 2), then the
    # editor is left; back in, tile 1 painted at view cell (0, 0) lands on (2, 1).
    write("f10_with_arrow", "level.ck1", wide.bytes())
    arrow = wide.copy()
    arrow.tiles[(2, 1)] = 1
    write("f10_with_arrow", "expected/level.ck1", arrow.bytes())

    # F6 held across the save dialog opens it once.
    write("f6_held_across_dialog", "level.ck1", ck1.bytes())
    write("f6_held_across_dialog", "expected/level.ck1", ck1.bytes())
    write("f6_held_across_dialog", "expected/copy.ck1", ck1.bytes())

    # A level read after a bigger one keeps none of its cells: after a
    # 150 x 150 level, a 140 x 140 file holding only its header opens as zeros
    # (also past column and row 128), and F5 writes its header and zeros.
    big = Level(150, 150)
    write("short_level_after_big", "big.ck1", big.bytes())
    short = Level(140, 140)
    write("short_level_after_big", "short.ck1", bytes(short.header))
    write("short_level_after_big", "expected/short.ck1",
          bytes(short.header) + bytes(4 * 140 * 140))

    # Undo and redo: a stroke painting tile 14 over (3, 4), (4, 4), (5, 4) is
    # one step; undone and redone, then saved.
    write("undo_redo_stroke", "level.ck1", ck1.bytes())
    stroke = ck1.copy()
    for c in (3, 4, 5):
        stroke.tiles[(c, 4)] = 14
    write("undo_redo_stroke", "expected/level.ck1", stroke.bytes())

    # Undo past a save: the saved file keeps the edit, the title its mark.
    write("undo_past_save", "level.ck1", ck1.bytes())
    write("undo_past_save", "expected/level.ck1", painted.bytes())

    # F10 with unsaved edits: Cancel stays, Discard leaves without writing,
    # and after coming back Save writes the new edit (14 at (3, 4)) and leaves.
    write("f10_questions", "level.ck1", ck1.bytes())
    write("f10_questions", "expected/level.ck1", painted.bytes())

    # A close request with edits: Cancel stays, Save writes and ends.
    write("close_with_edits", "level.ck1", ck1.bytes())
    write("close_with_edits", "expected/level.ck1", painted.bytes())

    # A Save As into a folder that does not exist: told, the level keeps its
    # own name and mark, so F5 then writes the edit into the file opened.
    write("failed_save", "level.ck1", ck1.bytes())
    write("failed_save", "expected/level.ck1", painted.bytes())

    # A 20 x 20 level cut short after ten tile words: F5 asks; Cancel keeps
    # the file, Overwrite writes the whole level (the missing cells as 0).
    cut = Level(20, 20)
    cut_bytes = cut.bytes()[:36 + 20]
    write("incomplete_file", "cut.ck1", cut_bytes)
    whole = Level(20, 20)
    for r in range(1, 21):
        for c in range(1, 21):
            i = (r - 1) * 20 + (c - 1)
            whole.tiles[(c, r)] = cut.tiles[(c, r)] if i < 10 else 0
    write("incomplete_file", "expected/cut.ck1", whole.bytes())

    # A recovery copy written 30 s after an edit survives the program's end
    # without a save; the next run restores it and saves: the file has the
    # edit. A third run finds no copy any more.
    write("recovery_restore", "level.ck1", ck1.bytes())
    write("recovery_restore", "expected/level.ck1", painted.bytes())

    # A recovery copy of the edit (tile 14 at (3, 4)); before the second run
    # another program writes its own level into the file (tile 50 at (1, 1)),
    # and F5 after the restore asks and is cancelled; before the third run
    # the file is moved away: the copy is still offered, restored under the
    # level's name and saved there.
    write("recovery_file_changed", "level.ck1", ck1.bytes())
    theirs = ck1.copy()
    theirs.tiles[(1, 1)] = 50
    write("recovery_file_changed", "theirs.ck1", theirs.bytes())
    write("recovery_file_changed", "expected/moved.ck1", theirs.bytes())
    write("recovery_file_changed", "expected/level.ck1", painted.bytes())

    # Keen 1 objects "Green One Eye" (code 1) at (1, 6) and (20, 9): their
    # labels reach past the frame on the left and on the right.
    labels = Level(30, 25)
    labels.objects[(1, 6)] = 1
    labels.objects[(20, 9)] = 1
    write("labels_leave_no_pieces", "level.ck1", labels.bytes())

    # Quick clicks and key taps: tile 1 painted at view cell (2, 3), which
    # shows (3, 4), then three taps right and again, now (6, 4).
    tapped = ck1.copy()
    tapped.tiles[(3, 4)] = 1
    tapped.tiles[(6, 4)] = 1
    write("clicks_and_taps", "level.ck1", ck1.bytes())
    write("clicks_and_taps", "expected/level.ck1", tapped.bytes())

    # Keen 1's object panel starts at its catalogue's pictures (858): its
    # first slot places Keen (code 255) at (3, 4). Shadow Knight's panel,
    # moved back a row with Shift+Page Up, offers picture 859 below its tile
    # count: picked there it places "Blackjack Man" (code 1) at (3, 4).
    keen = ck1.copy()
    keen.objects[(3, 4)] = 255
    write("objects_in_every_game", "level.ck1", ck1.bytes())
    write("objects_in_every_game", "expected/level.ck1", keen.bytes())
    nin = Level(30, 25)
    write("objects_in_every_game", "level.nin", nin.bytes())
    ninja = nin.copy()
    ninja.objects[(3, 4)] = 1
    write("objects_in_every_game", "expected/level.nin", ninja.bytes())

    # A fast drag from view cell (0, 0) to (10, 0) between two passes paints
    # the whole line of level cells (1..11, 1).
    dragged = ck1.copy()
    for c in range(1, 12):
        dragged.tiles[(c, 1)] = 1
    write("drag_paints_line", "level.ck1", ck1.bytes())
    write("drag_paints_line", "expected/level.ck1", dragged.bytes())

    # After scrolling the 64 x 30 level to origin (45, 1), a 30 x 25 level
    # opens with the origin column 11 (30 - 20 + 1): view cell (0, 0) paints
    # tile 1 at (11, 1).
    write("view_on_smaller_level", "wide.ck1", wide.bytes())
    write("view_on_smaller_level", "small.ck1", ck1.bytes())
    moved = ck1.copy()
    moved.tiles[(11, 1)] = 1
    write("view_on_smaller_level", "expected/small.ck1", moved.bytes())

    # The editing tools on a 30 x 25 Keen 1 level of tile 5 with a wall of
    # tile 7 down column 10: F at (3, 3) fills columns 1..9 with tile 1; 5
    # fills the copy block (12..14, 3..5), undone and redone; R on the wall
    # replaces its 25 cells of tile 7 with tile 1; after the overview moved
    # the view to origin (10, 6), tile 2 painted at view cell (0, 0) lands on
    # (10, 6).
    walled = Level(30, 25)
    for c in range(1, 31):
        for r in range(1, 26):
            walled.tiles[(c, r)] = 7 if c == 10 else 5
    write("editing_tools", "level.ck1", walled.bytes())
    tooled = walled.copy()
    for r in range(1, 26):
        for c in range(1, 10):
            tooled.tiles[(c, r)] = 1
        tooled.tiles[(10, r)] = 1
    for c in range(12, 15):
        for r in range(3, 6):
            tooled.tiles[(c, r)] = 1
    tooled.tiles[(10, 6)] = 2
    write("editing_tools", "expected/level.ck1", tooled.bytes())

    # F7 on a 24 x 22 Dave 2 level with door links: 20 x 15 keeping the
    # bottom right corner drops 228 cells holding tiles and one link whose
    # destination (3, 3) falls outside; the first question is cancelled.
    # (257 would be the game's exit door object, not a link.)
    doors = Level(24, 22)
    doors.objects[(3, 4)] = 9 * 256 + 7      # to (10, 8): its cell is dropped
    doors.objects[(20, 20)] = 2 * 256 + 2    # to (3, 3): dropped, the link becomes 0
    doors.objects[(10, 10)] = 11 * 256 + 11  # to (12, 12), which moves to (8, 5)
    write("resize_drops", "level.dd2", doors.bytes())
    write("resize_drops", "expected/level.dd2", resized(doors, 20, 15, 8, True).bytes())

    # A Keen 1 level grown to 34 x 27 about its centre, after a cancelled
    # dialog; undone and redone. Keen's links stay as they are, and header
    # bytes 0..3, which held the level's length, follow the new size.
    grown = Level(30, 25, struct.pack("<I", 2 * (16 + 2 * 30 * 25)))
    grown.objects[(5, 5)] = 3 * 256 + 3
    write("resize_grow", "level.ck1", grown.bytes())
    bigger = resized(grown, 34, 27, 4, False)
    bigger.header[0:4] = struct.pack("<I", 2 * (16 + 2 * 34 * 27))
    write("resize_grow", "expected/level.ck1", bigger.bytes())

    # A new 12 x 11 Keen 2 level on the empty map of a cancelled open
    # dialog: laid out as the games' files are, each plane padded to 272
    # bytes; F5 asks for F6, F6 saves it.
    new = Level(12, 11, struct.pack("<I", 2 * (16 + 2 * (132 + 4))))
    new.header[8:10] = struct.pack("<H", 2)
    new.header[18:20] = struct.pack("<H", 272)
    new.tiles = {k: 0 for k in new.tiles}
    data = bytearray(new.header)
    for plane in range(2):
        data += bytes(2 * 132 + 8)
    write("new_level", "expected/new.ck2", bytes(data))

    # The demo shows the Dave 2 sample level.
    with open(os.path.join(HERE, "..", "..", "samples", "sample.dd2"), "rb") as f:
        write("demo", "level.dd2", f.read())


if __name__ == "__main__":
    main()
