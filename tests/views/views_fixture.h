// An Editor over a fresh surface, text state and test host, with a tile sheet
// of recognisable images, and the pixel helpers the view tests share.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "app/program.h"
#include "core/surface.h"
#include "gui/font.h"
#include "gui/text.h"
#include "level/profile.h"
#include "views/tilesheet.h"
#include "tests/support/test_host.h"
#include "views/editor.h"
#include "views/panels.h"

namespace tessaly::testing {

// Every pixel of tile n's default image lies in 1..69 or 100..199: never 0
// (so transparent puts cover the cell), never one of the label, box or
// status panel colours 71..80, never one of the marker colours 200 and up.
// Pixels (0, 0) and (1, 0) spell n out (100 + n % 100, 100 + n / 100), so no
// two tile numbers below 2177 share an image.
inline uint8_t defaultTilePixel(int n, int x, int y) {
    if (y == 0 && x == 0) return uint8_t(100 + n % 100);
    if (y == 0 && x == 1) return uint8_t(100 + n / 100);
    return uint8_t(1 + (n + x + 2 * y) % 69);
}

// Writes tile n's 16 x 16 image at 288 n of the store and points tileOffset[n] at it.
inline void setTileImage(TileSheet& sheet, int n, const std::function<uint8_t(int, int)>& pixel) {
    const std::size_t offset = kTileImageBytes * std::size_t(n);
    ASSERT_TRUE(writeImageHeader(sheet.tileImages, offset, 16, 16));
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            sheet.tileImages[offset + kImageHeaderBytes + std::size_t(16 * y + x)] = pixel(x, y);
    sheet.tileOffset[std::size_t(n)] = int32_t(offset);
}

// An overlay picture: colour 0 (transparent) but for one pixel.
inline void setSparseTile(TileSheet& sheet, int n, int px, int py, uint8_t colour) {
    setTileImage(sheet, n, [=](int x, int y) { return x == px && y == py ? colour : 0; });
}

// Pixel (x, y) of the image that tile n draws.
inline uint8_t tilePixel(const TileSheet& sheet, int64_t n, int x, int y) {
    return sheet
        .tileImages[tileImageOffset(sheet, n) + kImageHeaderBytes + std::size_t(16 * y + x)];
}

// Whether the 16 x 16 block of page 0 at (x, y) holds exactly tile n's image.
inline ::testing::AssertionResult showsTile(const Surface& s, const TileSheet& sheet, int x, int y,
                                            int64_t n) {
    for (int j = 0; j < 16; ++j)
        for (int i = 0; i < 16; ++i)
            if (pixelAt(s, 0, x + i, y + j) != tilePixel(sheet, n, i, j))
                return ::testing::AssertionFailure()
                       << "pixel (" << x + i << ", " << y + j << ") is "
                       << int(pixelAt(s, 0, x + i, y + j)) << ", tile " << n << " has "
                       << int(tilePixel(sheet, n, i, j));
    return ::testing::AssertionSuccess();
}

// A fresh folder for one test, removed with everything in it afterwards.
class TempFolder {
  public:
    TempFolder() {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        path_ = std::filesystem::temp_directory_path() /
                ("tessaly-views-" + std::to_string(::getpid()) + "-" + info->test_suite_name() +
                 "-" + info->name());
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string path() const { return path_.string(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

  private:
    std::filesystem::path path_;
};

// The colour a glyph's pattern character takes in a scheme, or none.
inline std::optional<uint8_t> patternColour(const ColourScheme& scheme, char c) {
    switch (c) {
    case '1':
        return scheme[0];
    case '2':
        return scheme[1];
    case 's':
        return scheme[3];
    case 'x':
        return scheme[4];
    default:
        return std::nullopt;
    }
}

struct GlyphCell {
    int column = 0, row = 0; // from 0
    uint8_t colour = 0;
};

// The first drawn pattern cell of a glyph, row by row, left of its last column
// (the last column is shared with the next glyph, which may draw over it).
inline GlyphCell firstDrawnCell(char ch, const ColourScheme& scheme) {
    const Glyph& g = LookUpGlyph(uint8_t(ch));
    for (int r = 0; r < g.height; ++r)
        for (int k = 0; k + 1 < g.width; ++k)
            if (k < int(g.rows[r].size()))
                if (auto c = patternColour(scheme, g.rows[r][std::size_t(k)])) return {k, r, *c};
    ADD_FAILURE() << "glyph '" << ch << "' draws nothing";
    return {};
}

// Where the leftmost and the topmost square of a text drawn at `scale` land,
// relative to its pen: squares start one pixel right of and below the pen,
// and the pen advances (width - 1) * scale per glyph.
struct TextStart {
    int dx = INT_MAX, dy = INT_MAX;
};
inline TextStart textStart(std::string_view str, int scale) {
    TextStart t;
    int pen = 0;
    for (char ch : str) {
        const Glyph& g = LookUpGlyph(uint8_t(ch));
        for (int r = 0; r < g.height; ++r)
            for (int k = 0; k < g.width && k < int(g.rows[r].size()); ++k)
                if (patternColour(ColourScheme{1, 2, 3, 4, 5}, g.rows[r][std::size_t(k)])) {
                    t.dx = std::min(t.dx, pen + 1 + k * scale);
                    t.dy = std::min(t.dy, 1 + r * scale);
                }
        pen += (g.width - 1) * scale;
    }
    return t;
}

// The leftmost column and the topmost row, within the rectangle x0..x1 by
// y0..y1 of page 0, that hold a colour `wanted` accepts; INT_MAX when none.
inline TextStart colourExtent(const Surface& s, int x0, int y0, int x1, int y1,
                              const std::function<bool(int)>& wanted) {
    TextStart t;
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (wanted(pixelAt(s, 0, x, y))) {
                t.dx = std::min(t.dx, x);
                t.dy = std::min(t.dy, y);
            }
    return t;
}
inline TextStart colourExtent(const Surface& s, int x0, int y0, int x1, int y1, int first,
                              int last) {
    return colourExtent(s, x0, y0, x1, y1, [=](int c) { return c >= first && c <= last; });
}

// Editor views, in a program record on a test host, on a fresh surface (page
// 0 work and visible), with the
// Dangerous Dave 2 profile and a default tile sheet: tiles 0..896 in their
// recognisable images, the door link marker 878 one pixel of colour 201 at
// (10, 10), the door exit marker 890 one pixel of colour 202 at (12, 3).
class ViewsTest : public ::testing::Test {
  protected:
    static constexpr uint8_t kLinkMarkerColour = 201, kExitMarkerColour = 202;

    ViewsTest() {
        selectGame(editor->profile, "DD2");
        editor->objectPanelStart = defaultObjectPanelStart(editor->profile);
        for (int n = 0; n <= 896; ++n)
            setTileImage(tiles(), n, [n](int x, int y) { return defaultTilePixel(n, x, y); });
        setSparseTile(tiles(), 878, 10, 10, kLinkMarkerColour);
        setSparseTile(tiles(), 890, 12, 3, kExitMarkerColour);
    }

    TileSheet& tiles() { return editor->tiles; }
    Level& level() { return editor->level; }
    EditState& edit() { return editor->edit; }
    GameProfile& profile() { return editor->profile; }
    uint8_t pixel(int x, int y) const { return pixelAt(surface, 0, x, y); }

    // Top-left pixel of view cell (i, j), and a point strictly inside it.
    static int cellX(int i) { return 26 + 16 * i; }
    static int cellY(int j) { return 26 + 16 * j; }
    static int pointX(int i) { return cellX(i) + 8; }
    static int pointY(int j) { return cellY(j) + 8; }

    TestHost host;
    std::unique_ptr<Program> program = std::make_unique<Program>(host);
    Surface& surface = program->surface;
    TextState& text = program->text;
    std::unique_ptr<Editor>& editor = program->editor;
};

} // namespace tessaly::testing
