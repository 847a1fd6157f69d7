#include "views/panels.h"

#include <gtest/gtest.h>

#include "tests/views/views_fixture.h"

namespace tessaly::test {
namespace {

class Panels : public ViewsTest {
  protected:
    ::testing::AssertionResult preview(int64_t n) {
        return showsTile(surface, tiles(), 650, 450, n);
    }
};

TEST_F(Panels, TilePanelShows169TilesFromItsStartInAFrame) {
    editor->tilePanelStart = 26;
    drawTilePanel(*editor);
    for (int r = 0; r < 13; ++r)
        for (int k = 0; k < 13; ++k)
            ASSERT_TRUE(showsTile(surface, tiles(), 428 + 17 * k, 28 + 17 * r, 26 + 13 * r + k))
                << k << ", " << r;
    const GameProfile& p = profile();
    EXPECT_TRUE(showsTile(surface, tiles(), 410, 10, p.frameTopLeft));
    EXPECT_TRUE(showsTile(surface, tiles(), 650, 10, p.frameTopRight));
    EXPECT_TRUE(showsTile(surface, tiles(), 410, 250, p.frameBottomLeft));
    EXPECT_TRUE(showsTile(surface, tiles(), 650, 250, p.frameBottomRight));
    for (int d = 0; d <= 208; d += 16) {
        EXPECT_TRUE(showsTile(surface, tiles(), 426 + d, 10, p.frameTop)) << d;
        EXPECT_TRUE(showsTile(surface, tiles(), 426 + d, 250, p.frameBottom)) << d;
        EXPECT_TRUE(showsTile(surface, tiles(), 410, 26 + d, p.frameLeft)) << d;
        EXPECT_TRUE(showsTile(surface, tiles(), 650, 26 + d, p.frameRight)) << d;
    }
}

// The Keen games' object pictures lie far past their map tiles: their
// panel starts at the first of them; the other games' at their tile count.
TEST(ObjectPanelStart, OffersEveryGamesCatalogue) {
    const std::pair<std::string_view, int32_t> starts[] = {
        {"DD2", 858}, {"CK1", 858}, {"CK2", 858}, {"CK3", 858}, {"NIN", 871}};
    for (const auto& [game, start] : starts) {
        GameProfile profile;
        ASSERT_TRUE(selectGame(profile, game));
        EXPECT_EQ(defaultObjectPanelStart(profile), start) << game;
    }
}

// Kept: the bottom edge at y 366 covers the lowest six pixel rows of the
// fifth slot row (y 356..371), whose slots still answer clicks there.
TEST_F(Panels, ObjectPanelShowsImagesFromTileCountAndItsFrameCoversTheFifthRow) {
    drawObjectPanel(*editor);
    const GameProfile& p = profile();
    ASSERT_EQ(p.tileCount, 858);
    for (int r = 0; r < 4; ++r)
        for (int k = 0; k < 13; ++k)
            ASSERT_TRUE(showsTile(surface, tiles(), 428 + 17 * k, 288 + 17 * r, 858 + 13 * r + k))
                << k << ", " << r;
    // Slot 39 is image 897, which the sheet does not supply: tile 0's image.
    EXPECT_TRUE(showsTile(surface, tiles(), 428, 288 + 17 * 3, 0));
    for (int k = 0; k < 13; ++k) {
        const int x = 428 + 17 * k;
        for (int y = 0; y < 16; ++y)
            for (int i = 0; i < 16; ++i) {
                // Below y 366 lies the frame's bottom edge, pieces from x 426 on.
                const uint8_t want =
                    y < 10 ? tilePixel(tiles(), 858 + 52 + k, i, y)
                           : tilePixel(tiles(), p.frameBottom, (x + i - 426) % 16, y - 10);
                ASSERT_EQ(pixel(x + i, 356 + y), want) << k << ": " << i << ", " << y;
            }
    }
    EXPECT_TRUE(showsTile(surface, tiles(), 410, 270, p.frameTopLeft));
    EXPECT_TRUE(showsTile(surface, tiles(), 650, 270, p.frameTopRight));
    EXPECT_TRUE(showsTile(surface, tiles(), 410, 366, p.frameBottomLeft));
    EXPECT_TRUE(showsTile(surface, tiles(), 650, 366, p.frameBottomRight));
    for (int d = 0; d <= 208; d += 16) {
        EXPECT_TRUE(showsTile(surface, tiles(), 426 + d, 270, p.frameTop)) << d;
        EXPECT_TRUE(showsTile(surface, tiles(), 426 + d, 366, p.frameBottom)) << d;
    }
    for (int d = 0; d <= 64; d += 16) {
        EXPECT_TRUE(showsTile(surface, tiles(), 410, 286 + d, p.frameLeft)) << d;
        EXPECT_TRUE(showsTile(surface, tiles(), 650, 286 + d, p.frameRight)) << d;
    }
}

} // namespace
} // namespace tessaly::test
