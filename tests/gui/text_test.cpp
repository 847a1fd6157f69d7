#include "gui/text.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "gui/font.h"

namespace tessaly {
namespace {

constexpr ColourScheme kScheme{10, 11, 12, 13, 14};

// Pattern character -> colour for text drawn in kScheme; '.' is the background 0.
uint8_t schemeColour(char c) {
    switch (c) {
    case '1':
        return 10;
    case '2':
        return 11;
    case 's':
        return 13;
    case 'x':
        return 14;
    default:
        return 0;
    }
}

struct Box {
    int x0 = 1 << 30, y0 = 1 << 30, x1 = -1, y1 = -1;
};

// Bounding box of the pixels where two surfaces' work pages differ.
Box difference(const Surface& a, const Surface& b) {
    Box box;
    for (int y = 0; y < kSurfaceHeight; ++y)
        for (int x = 0; x < kSurfaceWidth; ++x)
            if (pixelAt(a, 0, x, y) != pixelAt(b, 0, x, y)) {
                box.x0 = std::min(box.x0, x);
                box.y0 = std::min(box.y0, y);
                box.x1 = std::max(box.x1, x);
                box.y1 = std::max(box.y1, y);
            }
    return box;
}

TEST(DrawText, NeighbouringGlyphsShareOneColumn) {
    Surface s;
    TextState t;
    SetTextColours(t, 10, 11, 12, 13, 14);
    SetTextScale(t, 1);
    DrawText(s, t, 10, 20, "AB");
    // A covers columns 11..16, B 16..21; B's left outline lands over A's right
    // one in column 16. Rows 21..28.
    const char* expected[8] = {
        ".xssxxsssx.", "x2112s1112x", "s1ss1s1ss1s", "s1ss1s1111s",
        "s1111s1ss1s", "s1ss1s1ss1s", "s1ss1s1112x", "xsxxsxsssx.",
    };
    for (int r = 0; r < 8; ++r)
        for (int k = 0; k < 11; ++k)
            EXPECT_EQ(pixelAt(s, 0, 11 + k, 21 + r), schemeColour(expected[r][k]))
                << "x " << 11 + k << " y " << 21 + r;
    Box drawn = difference(s, Surface{});
    EXPECT_EQ(drawn.x0, 11);
    EXPECT_EQ(drawn.x1, 21);
    EXPECT_EQ(drawn.y0, 21);
    EXPECT_EQ(drawn.y1, 28);
}

TEST(DrawText, SquaresGrowWithTheScaleAndScaleZeroDrawsNothing) {
    Surface s;
    TextState t;
    SetTextColours(t, 10, 11, 12, 13, 14);
    DrawText(s, t, 10, 10, "AB"); // the state starts at scale 0
    EXPECT_EQ(s.pages, Surface{}.pages);

    SetTextScale(t, 3);
    DrawText(s, t, 10, 10, "!");
    // '!' row 2 "s1s": cell (2, 2) covers x 14..16, y 14..16.
    for (int y = 14; y <= 16; ++y)
        for (int x = 14; x <= 16; ++x) EXPECT_EQ(pixelAt(s, 0, x, y), 10);
    EXPECT_EQ(pixelAt(s, 0, 11, 11), 14); // 'x' at (1, 1): 11..13
    EXPECT_EQ(pixelAt(s, 0, 13, 13), 14);
    EXPECT_EQ(pixelAt(s, 0, 14, 13), 13);
    Box drawn = difference(s, Surface{});
    EXPECT_EQ(drawn.x0, 11);
    EXPECT_EQ(drawn.x1, 19);
    EXPECT_EQ(drawn.y0, 11);
    EXPECT_EQ(drawn.y1, 34);

    // The pen advances (width - 1) * scale: "!!" at scale 3 ends 6 further on.
    Surface two;
    DrawText(two, t, 10, 10, "!!");
    EXPECT_EQ(difference(two, Surface{}).x1, 25);
}

TEST(DrawText, GlyphsNeverUseColourThree) {
    Surface s;
    TextState t;
    SetTextColours(t, 10, 11, 12, 13, 14);
    SetTextScale(t, 1);
    std::string all;
    for (int c = 1; c < 256; ++c) all += char(c);
    for (std::size_t i = 0; i < all.size(); i += 60)
        DrawText(s, t, 0, int(i / 60) * 10, all.substr(i, 60));
    std::set<int> used;
    for (std::size_t i = 0; i < kPageBytes; ++i) used.insert(s.page(0)[i]);
    EXPECT_EQ(used, (std::set<int>{0, 10, 11, 13, 14}));
}

TEST(DrawText, BlankCodesAdvanceWithoutDrawing) {
    Surface s;
    TextState t;
    SetTextColours(t, 10, 11, 12, 13, 14);
    SetTextScale(t, 1);
    DrawText(s, t, 0, 0, "'@~");
    EXPECT_EQ(s.pages, Surface{}.pages);
    DrawText(s, t, 0, 0, "'@~!"); // '!' after three blanks: pen at 12
    EXPECT_EQ(difference(s, Surface{}).x0, 13);
}

TEST(DrawText, ClipsAtTheSurfaceEdges) {
    TextState t;
    SetTextColours(t, 10, 11, 12, 13, 14);
    SetTextScale(t, 1);
    Surface s;
    DrawText(s, t, -3, -1, "A");        // A's column 3 lands in column 0, its row 1 in row 0
    EXPECT_EQ(pixelAt(s, 0, 0, 0), 13); // column 3, row 1 's'
    EXPECT_EQ(pixelAt(s, 0, 0, 1), 10); // column 3, row 2 '1'
    DrawText(s, t, 795, 595, "H");      // only columns 1..4, rows 1..4 are on
    EXPECT_EQ(pixelAt(s, 0, 796, 596), 14);
    EXPECT_EQ(pixelAt(s, 0, 799, 599), 10); // row 4 "s1111s", column 4
    // Far-off pens and huge scales draw what falls on the surface, and no more.
    SetTextScale(t, 1 << 29);
    DrawText(s, t, INT32_MAX - 5, INT32_MAX - 5, "WWW");
    DrawText(s, t, INT32_MIN, INT32_MIN, "WWW");
    SetTextScale(t, 200);
    Surface big;
    DrawText(big, t, -1, -1, "H"); // cell (1, 1) 'x' covers 0..199
    EXPECT_EQ(pixelAt(big, 0, 0, 0), 14);
    EXPECT_EQ(pixelAt(big, 0, 199, 199), 14);
    EXPECT_EQ(pixelAt(big, 0, 200, 0), 13);
}

TEST(MeasureText, CountsSharedColumnsOnce) {
    TextState t;
    SetTextScale(t, 2);
    EXPECT_EQ(MeasureText(t, "OK"), 22);
    EXPECT_EQ(MeasureText(t, ""), 2);
    SetTextScale(t, 1);
    EXPECT_EQ(MeasureText(t, "AA"), 11);
    SetTextScale(t, -4);
    EXPECT_EQ(t.scale, 0);
}

TEST(DrawPanel, CaptionLandsWhereTheCentringRulePutsIt) {
    TextState t;
    SetTextScale(t, 2);
    Surface withCaption, blank;
    DrawPanel(withCaption, t, 100, 50, 30, 80, kScheme, "OK");
    DrawPanel(blank, t, 100, 50, 30, 80, kScheme, " ");
    // T = 22, tx = 129, ty = 57: squares cover x 130..151, y 58..73.
    Box caption = difference(withCaption, blank);
    EXPECT_EQ(caption.x0, 130);
    EXPECT_EQ(caption.x1, 151);
    EXPECT_EQ(caption.y0, 58);
    EXPECT_EQ(caption.y1, 73);
    EXPECT_EQ(pixelAt(withCaption, 0, 130, 58), 14); // O row 1 "xssssx"
    EXPECT_EQ(pixelAt(withCaption, 0, 131, 59), 14);
    EXPECT_EQ(pixelAt(withCaption, 0, 132, 58), 13);
    EXPECT_EQ(t.colours, kScheme);
}

TEST(DrawPanel, CentringTakesHalvesToTheEvenNeighbour) {
    TextState t;
    SetTextScale(t, 1);
    // "HH" has T = 11. H's first square column holds 'x' in row 1.
    struct Case {
        int width, height, firstColumn, firstRow;
    } cases[] = {
        {80, 30, 35, 12}, // tx = 40 - 5.5 = 34.5 -> 34; ty = 15 - 4 = 11
        {82, 31, 37, 13}, // tx = 35.5 -> 36; ty = 11.5 -> 12
        {84, 29, 37, 11}, // tx = 36.5 -> 36; ty = 10.5 -> 10
    };
    for (const Case& c : cases) {
        Surface s;
        DrawPanel(s, t, 0, 0, c.height, c.width, kScheme, "HH");
        EXPECT_EQ(pixelAt(s, 0, c.firstColumn - 1, c.firstRow), 12) << c.width;
        EXPECT_EQ(pixelAt(s, 0, c.firstColumn, c.firstRow), 14) << c.width;
        EXPECT_EQ(pixelAt(s, 0, c.firstColumn, c.firstRow - 1), 12) << c.width;
    }
}

TEST(DrawPanel, BevelsAndFaceTakeTheirColours) {
    TextState t;
    SetTextScale(t, 1);
    Surface s;
    fillBox(s, 0, 0, 799, 599, 255);
    const ColourScheme scheme{1, 2, 3, 4, 5};
    DrawPanel(s, t, 100, 100, 20, 40, scheme, " ");
    auto at = [&](int x, int y) { return int(pixelAt(s, 0, x, y)); };
    int covered = 0;
    for (std::size_t i = 0; i < kPageBytes; ++i) covered += s.page(0)[i] != 255;
    EXPECT_EQ(covered, 41 * 21);
    EXPECT_EQ(at(99, 100), 255);
    EXPECT_EQ(at(141, 120), 255);
    EXPECT_EQ(at(100, 121), 255);

    EXPECT_EQ(at(100, 100), 1); // outer light: column x and row y up to x + w - 1
    EXPECT_EQ(at(139, 100), 1);
    EXPECT_EQ(at(100, 120), 1);
    EXPECT_EQ(at(101, 101), 2); // inner light
    EXPECT_EQ(at(138, 101), 2);
    EXPECT_EQ(at(101, 119), 2);
    EXPECT_EQ(at(140, 100), 5); // outer dark: column x + w, row y + h from x + 1
    EXPECT_EQ(at(101, 120), 5);
    EXPECT_EQ(at(140, 120), 5);
    EXPECT_EQ(at(139, 101), 4); // inner dark
    EXPECT_EQ(at(102, 119), 4);
    EXPECT_EQ(at(139, 119), 4);
    EXPECT_EQ(at(102, 102), 3); // face
    EXPECT_EQ(at(138, 118), 3);
    EXPECT_EQ(at(120, 110), 3);
}

TEST(DrawPanel, FullScreenPanelCoversTheWholeSurface) {
    TextState t;
    SetTextScale(t, 2);
    Surface s;
    fillBox(s, 0, 0, 799, 599, 255);
    DrawPanel(s, t, 0, 0, 599, 799, ColourScheme{76, 77, 78, 79, 80}, " ");
    for (std::size_t i = 0; i < kPageBytes; ++i) ASSERT_NE(s.page(0)[i], 255) << i;
    EXPECT_EQ(t.colours, (ColourScheme{76, 77, 78, 79, 80}));
    // The colours stay until changed: text drawn next uses them.
    DrawText(s, t, 0, 0, "!");
    EXPECT_EQ(pixelAt(s, 0, 1, 1), 80);
}

TEST(DrawPanel, OddPanelsStayInsideTheirArea) {
    TextState t;
    SetTextScale(t, 1);
    const int sizes[][2] = {{0, 0}, {1, 1}, {2, 3}, {3, 2}, {-5, 10}, {10, -5}};
    for (auto [h, w] : sizes) {
        Surface s;
        DrawPanel(s, t, 300, 300, h, w, ColourScheme{1, 2, 3, 4, 5}, "");
        Box b = difference(s, Surface{});
        if (h < 0 || w < 0) {
            EXPECT_EQ(b.x1, -1) << h << "x" << w; // no area, nothing drawn
            continue;
        }
        EXPECT_GE(b.x0, 300);
        EXPECT_GE(b.y0, 300);
        EXPECT_LE(b.x1, 300 + w) << h << "x" << w;
        EXPECT_LE(b.y1, 300 + h) << h << "x" << w;
    }
    Surface s;
    DrawPanel(s, t, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, kScheme, "AB");
    DrawPanel(s, t, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, kScheme, "AB");
}

} // namespace
} // namespace tessaly
