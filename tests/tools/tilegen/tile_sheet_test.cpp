// Facts about the default tile sheets that the editor relies on: where the
// pictures lie, which of them draw transparently, that the frame joins, and
// that a sheet written as a bitmap file loads back as the editor reads it.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <map>
#include <set>

#include "core/bmp.h"
#include "core/surface.h"
#include "gui/palette.h"
#include "level/profile.h"
#include "tools/tilegen/tile_art.h"

namespace tessaly {
namespace {

using Tile = std::array<uint8_t, 256>;

Tile tileOf(const std::vector<uint8_t>& sheet, int n) {
    Tile t{};
    const int left = 16 * (n % 13), top = 16 * (n / 13);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            t[std::size_t(y * 16 + x)] = sheet[std::size_t((top + y) * kSheetWidth + left + x)];
    return t;
}

uint8_t at(const Tile& t, int x, int y) {
    return t[std::size_t(y * 16 + x)];
}

int brightness(uint8_t colour) {
    const Rgb c = kEditorPalette[colour];
    return 299 * c.r + 587 * c.g + 114 * c.b;
}

struct Game {
    GameProfile profile;
    std::vector<uint8_t> sheet;
    Tile tile(int n) const { return tileOf(sheet, n); }
    // Tile numbers that are put transparently over the map.
    std::set<int> overlays() const {
        std::set<int> s{878, 890};
        for (int k = 1; k <= profile.objectCount; ++k)
            s.insert(profile.objectPicture[std::size_t(k)]);
        return s;
    }
    std::set<int> framePieces() const {
        const auto& p = profile;
        return {p.frameTopLeft, p.frameTopRight, p.frameBottomLeft, p.frameBottomRight,
                p.frameLeft,    p.frameRight,    p.frameTop,        p.frameBottom};
    }
    std::set<int> copyMarkers() const {
        std::set<int> s;
        for (int n : {profile.copyStartMarker, profile.copyEndMarker})
            if (n != 0) s.insert(n);
        return s;
    }
    // Map tiles that are nothing but map tiles.
    bool plainMapTile(int n) const {
        return n < profile.tileCount && !overlays().count(n) && !framePieces().count(n) &&
               !copyMarkers().count(n);
    }
};

const std::vector<Game>& games() {
    static const std::vector<Game> all = [] {
        std::vector<Game> g;
        for (const GameRecord& record : kGames) {
            const std::string_view id = record.gameId;
            Game game;
            selectGame(game.profile, id);
            game.sheet = drawDefaultTileSheet(id);
            g.push_back(std::move(game));
        }
        return g;
    }();
    return all;
}

TEST(TileSheet, EveryGameGetsAFullSheetAndOtherIdsNone) {
    for (const Game& g : games())
        EXPECT_EQ(g.sheet.size(), std::size_t(208 * 1104)) << g.profile.gameId;
    EXPECT_TRUE(drawDefaultTileSheet("XYZ").empty());
    EXPECT_TRUE(drawDefaultTileSheet("dd2").empty());
    EXPECT_TRUE(drawDefaultTileSheet("").empty());
}

TEST(TileSheet, DrawingAgainGivesTheSameSheet) {
    // No hidden state: the art depends on the game only.
    for (const Game& g : games())
        EXPECT_EQ(drawDefaultTileSheet(g.profile.gameId), g.sheet) << g.profile.gameId;
}

TEST(TileSheet, OverlayPicturesDrawOnColourZeroAndShowSomething) {
    for (const Game& g : games())
        for (int n : g.overlays()) {
            const Tile t = g.tile(n);
            EXPECT_EQ(at(t, 0, 0), 0) << g.profile.gameId << " tile " << n;
            EXPECT_EQ(at(t, 15, 0), 0) << g.profile.gameId << " tile " << n;
            EXPECT_EQ(at(t, 0, 15), 0) << g.profile.gameId << " tile " << n;
            EXPECT_EQ(at(t, 15, 15), 0) << g.profile.gameId << " tile " << n;
            int drawn = 0;
            for (uint8_t p : t) drawn += p != 0;
            EXPECT_GE(drawn, 30) << g.profile.gameId << " tile " << n;
            EXPECT_LE(drawn, 230) << g.profile.gameId << " tile " << n;
        }
}

TEST(TileSheet, DoorMarkersAreTheSameInEveryGame) {
    for (const Game& g : games()) {
        EXPECT_EQ(g.tile(878), games()[0].tile(878)) << g.profile.gameId;
        EXPECT_EQ(g.tile(890), games()[0].tile(890)) << g.profile.gameId;
    }
    EXPECT_NE(games()[0].tile(878), games()[0].tile(890));
}

TEST(TileSheet, PicturesOfDifferentObjectsDiffer) {
    for (const Game& g : games()) {
        std::map<int, std::string> labelOf;
        for (int k = 1; k <= g.profile.objectCount; ++k) {
            const int n = g.profile.objectPicture[std::size_t(k)];
            labelOf[n] = g.profile.objectLabel[std::size_t(k)];
        }
        for (auto a = labelOf.begin(); a != labelOf.end(); ++a)
            for (auto b = std::next(a); b != labelOf.end(); ++b)
                if (a->second != b->second) {
                    EXPECT_NE(g.tile(a->first), g.tile(b->first))
                        << g.profile.gameId << " " << a->second << " / " << b->second;
                }
    }
}

TEST(TileSheet, FramePiecesAreOpaqueSoTheyCoverLabels) {
    for (const Game& g : games())
        for (int n : g.framePieces())
            for (uint8_t p : g.tile(n)) ASSERT_NE(p, 0) << g.profile.gameId << " tile " << n;
}

// Where pieces meet round a frame, the band runs on without a step: edge
// pieces repeat seamlessly, and each corner's column or row that touches an
// edge piece equals that piece's (on the corner's diagonal, where two sides
// of the band meet, the top or bottom side is drawn).
TEST(TileSheet, FramePiecesJoinIntoOneBand) {
    for (const Game& g : games()) {
        const auto& p = g.profile;
        const Tile tl = g.tile(p.frameTopLeft), tr = g.tile(p.frameTopRight);
        const Tile bl = g.tile(p.frameBottomLeft), br = g.tile(p.frameBottomRight);
        const Tile left = g.tile(p.frameLeft), right = g.tile(p.frameRight);
        const Tile top = g.tile(p.frameTop), bottom = g.tile(p.frameBottom);
        SCOPED_TRACE(p.gameId);
        for (int a = 0; a < 16; ++a)
            for (int b = 0; b < 16; ++b) {
                EXPECT_EQ(at(top, a, b), at(top, 0, b));
                EXPECT_EQ(at(bottom, a, b), at(bottom, 0, b));
                EXPECT_EQ(at(left, b, a), at(left, b, 0));
                EXPECT_EQ(at(right, b, a), at(right, b, 0));
            }
        for (int i = 0; i < 16; ++i) {
            EXPECT_EQ(at(tl, 15, i), at(top, 0, i)) << i;
            EXPECT_EQ(at(tl, i, 15), at(left, i, 0)) << i;
            EXPECT_EQ(at(tr, 0, i), at(top, 15, i)) << i;
            if (i > 0) {
                EXPECT_EQ(at(tr, i, 15), at(right, i, 0)) << i;
            }
            if (i < 15) {
                EXPECT_EQ(at(bl, i, 0), at(left, i, 15)) << i;
            }
            EXPECT_EQ(at(bl, 15, i), at(bottom, 0, i)) << i;
            EXPECT_EQ(at(br, 0, i), at(bottom, 15, i)) << i;
            EXPECT_EQ(at(br, i, 0), at(right, i, 15)) << i;
        }
    }
}

TEST(TileSheet, FrameIsLitFromTheTopLeftUnlessAPieceServesTwoSides) {
    for (const Game& g : games()) {
        const auto& p = g.profile;
        SCOPED_TRACE(p.gameId);
        const Tile left = g.tile(p.frameLeft), top = g.tile(p.frameTop);
        if (p.frameLeft == p.frameRight || p.frameTop == p.frameBottom) {
            // CK1 and CK3 use one tile for both sides: it must read the same
            // from either edge.
            for (int a = 0; a < 16; ++a) {
                EXPECT_EQ(at(left, a, 0), at(left, 15 - a, 0)) << a;
                EXPECT_EQ(at(top, 0, a), at(top, 0, 15 - a)) << a;
            }
            continue;
        }
        const Tile right = g.tile(p.frameRight), bottom = g.tile(p.frameBottom);
        // The outer rim: light above and to the left, dark below and to the right.
        EXPECT_GT(brightness(at(top, 0, 0)), brightness(at(bottom, 0, 15)));
        EXPECT_GT(brightness(at(left, 0, 0)), brightness(at(right, 15, 0)));
        // The inner rim round the picture is sunken: the other way round.
        EXPECT_LT(brightness(at(top, 0, 15)), brightness(at(bottom, 0, 0)));
        EXPECT_LT(brightness(at(left, 15, 0)), brightness(at(right, 0, 0)));
    }
}

TEST(TileSheet, CopyMarkersAreBracketsInOppositeCornersForExclusiveOr) {
    for (const Game& g : games()) {
        const auto& p = g.profile;
        if (p.copyStartMarker == 0) continue;
        SCOPED_TRACE(p.gameId);
        const Tile start = g.tile(p.copyStartMarker), end = g.tile(p.copyEndMarker);
        for (const Tile& t : {start, end}) {
            int unchanged = 0;
            for (uint8_t v : t) unchanged += v == 0;
            EXPECT_GE(unchanged, 160); // most of the tile shows through unchanged
        }
        EXPECT_NE(at(start, 0, 0), 0);
        EXPECT_EQ(at(start, 15, 15), 0);
        EXPECT_EQ(at(end, 0, 0), 0);
        EXPECT_NE(at(end, 15, 15), 0);
        // The rim of each bracket turns every colour of the palette that is
        // not black already (entries 86..255 are) into black.
        for (int colour = 0; colour < 86; ++colour)
            EXPECT_EQ(kEditorPalette[std::size_t(colour ^ at(start, 0, 0))], (Rgb{0, 0, 0}));
    }
}

TEST(TileSheet, NinKeepsTileZeroAMapTile) {
    // Both of its copy markers are tile 0, the tile of every empty cell.
    const Game& nin = games()[4];
    ASSERT_EQ(nin.profile.copyStartMarker, 0);
    for (uint8_t p : nin.tile(0)) ASSERT_NE(p, 0);
}

TEST(TileSheet, MapTilesAreOpaqueAndToldApartFromTheirNeighbours) {
    for (const Game& g : games()) {
        const int count = g.profile.tileCount;
        SCOPED_TRACE(g.profile.gameId);
        std::set<Tile> distinct;
        for (int n = 0; n < count; ++n) {
            const Tile t = g.tile(n);
            distinct.insert(t);
            if (g.plainMapTile(n)) {
                for (uint8_t p : t) ASSERT_NE(p, 0) << "tile " << n;
            }
            if (n % 13 != 12 && n + 1 < count) {
                EXPECT_NE(t, g.tile(n + 1)) << "tile " << n;
            }
            if (n + 13 < count) {
                EXPECT_NE(t, g.tile(n + 13)) << "tile " << n;
            }
        }
        EXPECT_GE(distinct.size() * 10, std::size_t(count) * 9); // few repeats anywhere
    }
}

TEST(TileSheet, UnusedNumbersShareOneQuietPattern) {
    for (const Game& g : games()) {
        SCOPED_TRACE(g.profile.gameId);
        std::set<Tile> patterns;
        for (int n = g.profile.tileCount; n < kSheetTiles; ++n)
            if (!g.overlays().count(n)) patterns.insert(g.tile(n));
        ASSERT_EQ(patterns.size(), 1u);
        for (uint8_t p : *patterns.begin()) {
            EXPECT_GE(p, 16); // greys, and dark ones
            EXPECT_LE(p, 31);
            EXPECT_LT(brightness(p), brightness(24));
        }
    }
}

TEST(EncodeBitmap8, TileSheetLoadsBackAsTheEditorReadsIt) {
    const auto sheet = drawDefaultTileSheet("CK2");
    const auto file = encodeBitmap8(kSheetWidth, kSheetHeight, sheet, kEditorPalette);
    Surface surface;
    openSurface(surface);
    std::vector<uint8_t> store(425985, 0);
    ASSERT_TRUE(loadBitmapFromBytes(surface, file, store, 0));
    EXPECT_EQ(store[0] | store[1] << 8, kSheetWidth);
    EXPECT_EQ(store[4] | store[5] << 8, kSheetHeight);
    EXPECT_TRUE(std::equal(sheet.begin(), sheet.end(), store.begin() + 32));
    EXPECT_EQ(shownColour(surface, 6), (Rgb{170, 85, 0}));
}

} // namespace
} // namespace tessaly
