#include "views/panels.h"

#include <gtest/gtest.h>

#include "tests/views/views_fixture.h"

namespace tessaly::testing {
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

// A slot answers on the 16 x 16 pixels one right of and below its image,
// strictly: the image's own left column and top row, and the gap column
// between slots, pick nothing.
TEST_F(Panels, TilePanelPickIsStrictAndAlwaysRedrawsThePreview) {
    pickFromTilePanel(*editor, 450, 50); // slot (1, 1)
    EXPECT_EQ(edit().currentTile, 14);
    EXPECT_TRUE(preview(14));

    edit().currentTile = 5;
    fillBox(surface, 650, 450, 665, 465, 250);
    pickFromTilePanel(*editor, 445, 50); // the gap between slots 0 and 1
    EXPECT_EQ(edit().currentTile, 5);
    EXPECT_TRUE(preview(5));

    for (auto [x, y] : {std::pair{428, 28}, // top-left pixel of the first image
                        {428, 35},          // its left column
                        {435, 28},          // its top row
                        {429, 45},          // the gap row between rows 0 and 1
                        {462, 50}}) {       // the gap column between slots 1 and 2
        pickFromTilePanel(*editor, x, y);
        EXPECT_EQ(edit().currentTile, 5) << x << ", " << y;
    }
    pickFromTilePanel(*editor, 429, 29);
    EXPECT_EQ(edit().currentTile, 0);
    pickFromTilePanel(*editor, 446, 29); // first pixel of slot 1's answer
    EXPECT_EQ(edit().currentTile, 1);
    pickFromTilePanel(*editor, 444, 44); // last pixel of slot 0's
    EXPECT_EQ(edit().currentTile, 0);

    editor->tilePanelStart = 689;
    pickFromTilePanel(*editor, 450, 50);
    EXPECT_EQ(edit().currentTile, 703);
    pickFromTilePanel(*editor, 647, 247); // slot (12, 12)
    EXPECT_EQ(edit().currentTile, 689 + 168);
    EXPECT_TRUE(preview(689 + 168));
}

TEST_F(Panels, ObjectPanelPickLeavesThePreview) {
    pickFromTilePanel(*editor, 450, 50);
    ASSERT_TRUE(preview(14));

    pickFromObjectPanel(*editor, 429, 289);
    EXPECT_EQ(edit().currentTile, 858);
    EXPECT_TRUE(preview(14));

    edit().currentTile = 5;
    pickFromObjectPanel(*editor, 428, 288); // on the image's top-left pixel
    pickFromObjectPanel(*editor, 445, 300); // the gap between slots 0 and 1
    EXPECT_EQ(edit().currentTile, 5);
    pickFromObjectPanel(*editor, 430, 370); // fifth row, where the frame covers the image
    EXPECT_EQ(edit().currentTile, 858 + 52);
    pickFromObjectPanel(*editor, 647, 371);
    EXPECT_EQ(edit().currentTile, 858 + 64);
    pickFromObjectPanel(*editor, 647, 372); // below every slot
    EXPECT_EQ(edit().currentTile, 858 + 64);
    EXPECT_TRUE(preview(14));
}

TEST(PanelAreas, TheEditorLoopsTestsAreStrict) {
    EXPECT_TRUE(inTilePanel(428, 28));
    EXPECT_TRUE(inTilePanel(647, 247));
    EXPECT_FALSE(inTilePanel(427, 100));
    EXPECT_FALSE(inTilePanel(648, 100));
    EXPECT_FALSE(inTilePanel(500, 27));
    EXPECT_FALSE(inTilePanel(500, 248));

    EXPECT_TRUE(inObjectPanel(428, 288));
    EXPECT_TRUE(inObjectPanel(647, 371));
    EXPECT_FALSE(inObjectPanel(427, 300));
    EXPECT_FALSE(inObjectPanel(648, 300));
    EXPECT_FALSE(inObjectPanel(500, 287));
    EXPECT_FALSE(inObjectPanel(500, 372));
}

} // namespace
} // namespace tessaly::testing
