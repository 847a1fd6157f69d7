// The program on a test host, its editor ready as the views' tests have
// theirs, for the tests of what the program does around the views: key
// commands, map actions, the end of each editing step.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>

#include "app/program.h"
#include "core/surface.h"
#include "gui/text.h"
#include "level/profile.h"
#include "tests/support/test_host.h"
#include "tests/support/text_pixels.h"
#include "tests/support/tile_images.h"
#include "views/editor.h"
#include "views/panels.h"

namespace tessaly::test {

// A program record on a test host, on a fresh surface (page 0 work and
// visible), its editor with the Dangerous Dave 2 profile and the tests'
// default tile sheet (tile_images.h).
class AppTest : public ::testing::Test {
  protected:
    AppTest() {
        selectGame(editor->profile, "DD2");
        editor->objectPanelStart = defaultObjectPanelStart(editor->profile);
        setDefaultTiles(tiles());
    }

    TileSheet& tiles() { return editor->tiles; }
    Level& level() { return editor->level; }
    EditState& edit() { return editor->edit; }
    GameProfile& profile() { return editor->profile; }
    uint8_t pixel(int x, int y) const { return pixelAt(surface, 0, x, y); }

    TestHost host;
    std::unique_ptr<Program> program = std::make_unique<Program>(host);
    Surface& surface = program->surface;
    TextState& text = program->text;
    std::unique_ptr<Editor>& editor = program->editor;
};

} // namespace tessaly::test
