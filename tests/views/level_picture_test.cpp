// The whole-level picture: every cell as the map view draws it.
#include "views/level_picture.h"

#include <gtest/gtest.h>

#include "tests/views/map_view_cells.h"
#include "tests/views/views_fixture.h"

namespace tessaly::test {
namespace {

class LevelPictureTest : public ViewsTest {
  protected:
    LevelPictureTest() {
        // Some object pictures leave most of their cell transparent.
        setSparseTile(tiles(), 859, 3, 4, 205); // "Zombie", code 1
        setSparseTile(tiles(), 872, 9, 2, 206); // "+100", code 14
    }

    LevelPicture draw(const PictureLayers& layers = {}) {
        return drawLevelPicture(level(), profile(), tiles(), layers);
    }

    static uint8_t at(const LevelPicture& p, int x, int y) {
        return p.pixels[std::size_t(y) * std::size_t(p.width) + std::size_t(x)];
    }

    // Pixels that are not 0, as (x, y, colour).
    static std::vector<std::tuple<int, int, int>> drawn(const LevelPicture& p) {
        std::vector<std::tuple<int, int, int>> found;
        for (int y = 0; y < p.height; ++y)
            for (int x = 0; x < p.width; ++x)
                if (at(p, x, y) != 0) found.emplace_back(x, y, at(p, x, y));
        return found;
    }
};

TEST_F(LevelPictureTest, EveryCellLooksAsTheMapViewShowsIt) {
    Level& l = level();
    l.width = 45;
    l.height = 33;
    for (int c = 1; c <= l.width; ++c)
        for (int r = 1; r <= l.height; ++r) setTileCell(l, c, r, (c * 7 + r * 13) % 858);
    // Numbers outside the sheet draw tile 0.
    setTileCell(l, 4, 4, 65535);
    setTileCell(l, 5, 4, 2177);
    setTileCell(l, 6, 4, 900);
    // Objects in the corners and on the edges, long labels, labels and boxes
    // overlapping their neighbours, door links with and without an entry.
    const std::tuple<int, int, int32_t> objects[] = {
        {1, 1, 255},   {45, 33, 32774}, {45, 1, 13},     {1, 33, 19},     {2, 10, 3081},
        {3, 10, 257},  {4, 10, 100},    {23, 1, 32773},  {44, 17, 32771}, {1, 17, 32770},
        {30, 32, 256}, {31, 32, 32767}, {32, 32, 32768}, {20, 20, 65535}};
    for (const auto& [c, r, v] : objects) setObjectCell(l, c, r, v);
    for (int c = 10; c <= 20; ++c) setObjectCell(l, c, 5, c % 2 ? 1 : 32772);
    for (int r = 12; r <= 16; ++r) setObjectCell(l, 25, r, 14);

    const LevelPicture picture = draw();
    ASSERT_EQ(picture.width, 16 * 45);
    ASSERT_EQ(picture.height, 16 * 33);

    EXPECT_TRUE(
        showsEveryCellAsTheMapView(*editor, [&](int x, int y) { return at(picture, x, y); }));
}

TEST_F(LevelPictureTest, EachLayerDrawsOnlyItsPart) {
    level().width = 3;
    level().height = 3;
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 3; ++r) setTileCell(level(), c, r, c + 3 * r);
    setObjectCell(level(), 2, 2, 1);    // Zombie: one pixel 205 at (3, 4)
    setObjectCell(level(), 3, 3, 3081); // a door link: the marker's pixel 201 at (10, 10)

    const LevelPicture tilesOnly = draw(*parsePictureLayers("tiles"));
    for (int c = 1; c <= 3; ++c)
        for (int r = 1; r <= 3; ++r)
            for (int y = 0; y < 16; ++y)
                for (int x = 0; x < 16; ++x)
                    ASSERT_EQ(at(tilesOnly, 16 * (c - 1) + x, 16 * (r - 1) + y),
                              tilePixel(tiles(), c + 3 * r, x, y));

    using Pixels = std::vector<std::tuple<int, int, int>>;
    EXPECT_EQ(drawn(draw(*parsePictureLayers("objects"))), (Pixels{{19, 20, 205}}));
    EXPECT_EQ(drawn(draw(*parsePictureLayers("links"))), (Pixels{{42, 42, 201}}));
    const Pixels labels = drawn(draw(*parsePictureLayers("labels")));
    ASSERT_FALSE(labels.empty());
    for (const auto& [x, y, colour] : labels) {
        EXPECT_TRUE(colour >= 71 && colour <= 75) << x << "," << y << ": " << colour;
        EXPECT_TRUE(y < 16 + 18) << "boxes end 17 pixels below the cell's top";
    }
    // The boxes round the Zombie's cell.
    EXPECT_NE(std::find(labels.begin(), labels.end(), std::tuple{16, 16, 71}), labels.end());
    EXPECT_NE(std::find(labels.begin(), labels.end(), std::tuple{17, 17, 72}), labels.end());

    // Tiles and links, in either order: the marker over the tile.
    const LevelPicture both = draw(*parsePictureLayers("links,tiles"));
    EXPECT_EQ(at(both, 42, 42), 201);
    EXPECT_EQ(at(both, 19, 20), tilePixel(tiles(), 2 + 6, 3, 4));
}

TEST_F(LevelPictureTest, SixteenPixelsPerCellUpTo256AndOverlaysCutAtTheEdge) {
    level().width = 2;
    level().height = 1;
    setObjectCell(level(), 2, 1, 32774); // labelled: the label lies above the picture
    const LevelPicture small = draw();
    EXPECT_EQ(small.width, 32);
    EXPECT_EQ(small.height, 16);
    EXPECT_EQ(at(small, 16, 0), 71); // the boxes' corners; their right and bottom sides are cut
    EXPECT_EQ(at(small, 31, 0), 71);
    EXPECT_EQ(at(small, 17, 1), 72);
    EXPECT_EQ(at(small, 31, 1), 72);
    EXPECT_EQ(at(small, 20, 5), tilePixel(tiles(), 884, 4, 5)); // its picture

    level().width = 0;
    EXPECT_TRUE(draw().pixels.empty());

    // A size set past 256 by hand is cut there.
    level().width = 300;
    level().height = 1;
    const LevelPicture wide = draw(*parsePictureLayers("tiles"));
    EXPECT_EQ(wide.width, 4096);
    EXPECT_EQ(wide.pixels.size(), 4096u * 16u);
}

TEST(PictureLayers, CommaListsOfTheFourNames) {
    const auto all = parsePictureLayers("tiles,objects,labels,links");
    ASSERT_TRUE(all);
    EXPECT_TRUE(all->tiles && all->overlays.objects && all->overlays.labels && all->overlays.links);
    const auto some = parsePictureLayers("links,objects,links");
    ASSERT_TRUE(some);
    EXPECT_FALSE(some->tiles || some->overlays.labels);
    EXPECT_TRUE(some->overlays.objects && some->overlays.links);
    for (const char* wrong : {"", ",", "tiles,", ",tiles", "Tiles", "tiles,foo", "tiles objects",
                              "tiles;links", " tiles"})
        EXPECT_FALSE(parsePictureLayers(wrong)) << wrong;
}

} // namespace
} // namespace tessaly::test
