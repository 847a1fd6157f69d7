#include "app/overview_mode.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "app/editor_loop.h"
#include "app/start_screen.h"
#include "level/profile.h"
#include "tests/app/stopping_host.h"
#include "views/map_view.h"

namespace tessaly {
namespace {

using test::StoppingHost;

// The overview covers the page while it is open; Tab or Escape, pressed anew
// after the Tab that opened it, puts every pixel of the editor's pages back.
TEST(OverviewMode, TabOrEscapeGivesThePageBackPixelForPixel) {
    for (const int closeKey : {scan::Tab, scan::Escape}) {
        StoppingHost host;
        const auto program = std::make_unique<Program>(host);
        startUp(*program);
        selectGame(program->editor->profile, "CK1");
        startEditor(*program); // no level chosen: an empty map, given cells below
        Editor& e = *program->editor;
        e.level.width = 40;
        e.level.height = 30;
        for (int column = 1; column <= 40; ++column)
            for (int row = 1; row <= 30; ++row) setTileCell(e.level, column, row, column * row % 9);
        redrawMapView(e);
        const std::vector<uint8_t> before = program->surface.pages;

        bool covered = false;
        int reads = 0;
        host.onMouseRead = [&](StoppingHost& h) {
            covered = covered || program->surface.pages != before;
            h.keys[std::size_t(closeKey)] = ++reads >= 3; // let go, then pressed
        };
        EXPECT_EQ(runOverview(*program), OverviewEnd::Closed) << closeKey;
        EXPECT_TRUE(covered) << closeKey;
        const std::vector<uint8_t>& after = program->surface.pages;
        ASSERT_EQ(after.size(), before.size());
        const auto firstChanged =
            std::mismatch(before.begin(), before.end(), after.begin()).first - before.begin();
        EXPECT_EQ(std::size_t(firstChanged), before.size()) << closeKey << ": first changed byte";
    }
}

} // namespace
} // namespace tessaly
