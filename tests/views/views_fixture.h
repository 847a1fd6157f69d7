// The editor views on their own: an Editor over a fresh surface and text
// state, with no program and no host, and a tile sheet of recognisable
// images.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "core/surface.h"
#include "gui/text.h"
#include "level/profile.h"
#include "tests/support/text_pixels.h"
#include "tests/support/tile_images.h"
#include "views/editor.h"
#include "views/panels.h"
#include "views/tilesheet.h"

namespace tessaly::test {

// Editor views on a fresh surface (page 0 work and visible), with the
// Dangerous Dave 2 profile and the tests' default tile sheet (tile_images.h):
// tiles 0..896 in their recognisable images, the door link marker 878 one
// pixel of colour 201 at (10, 10), the door exit marker 890 one pixel of
// colour 202 at (12, 3).
class ViewsTest : public ::testing::Test {
  protected:
    ViewsTest() {
        selectGame(editor->profile, "DD2");
        editor->objectPanelStart = defaultObjectPanelStart(editor->profile);
        setDefaultTiles(tiles());
    }

    TileSheet& tiles() { return editor->tiles; }
    Level& level() { return editor->level; }
    EditState& edit() { return editor->edit; }
    GameProfile& profile() { return editor->profile; }
    uint8_t pixel(int x, int y) const { return pixelAt(surface, 0, x, y); }

    // Top-left pixel of view cell (i, j).
    static int cellX(int i) { return 26 + 16 * i; }
    static int cellY(int j) { return 26 + 16 * j; }

    Surface surface;
    TextState text;
    std::unique_ptr<Editor> editor = std::make_unique<Editor>(surface, text);
};

} // namespace tessaly::test
