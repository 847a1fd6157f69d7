// The end of every editing step: the status panel, one map view redraw and
// the pause.
#include "app/editor_step.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/app/app_fixture.h"
#include "views/status_panel.h"

namespace tessaly::test {
namespace {

class StatusPanel : public AppTest {};

TEST_F(StatusPanel, FinishingAStepDrawsThePanelRedrawsTheMapViewAndPauses10Ms) {
    const ColourScheme scheme{76, 77, 78, 79, 80};
    fillBox(surface, 0, 0, 799, 599, 250);
    SetTextScale(text, 1);

    finishStep(*program);

    EXPECT_EQ(host.pauses, 1);
    EXPECT_EQ(host.clock, 10);
    EXPECT_TRUE(showsTile(surface, tiles(), 26, 26, 0)); // the map view was drawn
    EXPECT_TRUE(showsTile(surface, tiles(), 10, 10, profile().frameTopLeft));
    // The panel covers x 2..432, y 390..540, bevelled in 76..80.
    EXPECT_EQ(pixel(2, 390), 76);
    EXPECT_EQ(pixel(432, 540), 80);
    EXPECT_EQ(pixel(5, 537), 78);
    EXPECT_EQ(pixel(1, 390), 250);
    EXPECT_EQ(pixel(433, 540), 250);
    EXPECT_EQ(pixel(2, 541), 250);
    // Line n's pen is at (14 + 10 (n - 1), 400 + 18 (n - 1)), at scale 2.
    const auto lines = statusLines(*editor);
    for (int n = 0; n < 7; ++n) {
        const GlyphCell first = firstDrawnCell(lines[std::size_t(n)][0], scheme);
        EXPECT_EQ(pixel(14 + 10 * n + 1 + 2 * first.column, 400 + 18 * n + 1 + 2 * first.row),
                  first.colour)
            << n;
        const TextStart start = textStart(lines[std::size_t(n)], 2);
        ASSERT_LT(start.dx, INT_MAX);
        // Glyphs draw in colours 1, 2, 4 and 5 of the scheme, never the face's 78.
        const TextStart found = colourExtent(surface, 4, 401 + 18 * n, 430, 418 + 18 * n,
                                             [](int c) { return c >= 76 && c <= 80 && c != 78; });
        EXPECT_EQ(found.dx, 14 + 10 * n + start.dx) << n;
    }
    EXPECT_EQ(text.scale, 2);
    EXPECT_EQ(text.colours, scheme);

    // An object label in view leaves the label's text state behind.
    profile().objectCount = 1;
    profile().objectCode[1] = 4;
    profile().objectLabel[1] = "Four";
    setObjectCell(level(), 3, 3, 4);
    finishStep(*program);
    EXPECT_EQ(host.pauses, 2);
    EXPECT_EQ(host.clock, 20);
    EXPECT_EQ(text.scale, 1);
    EXPECT_EQ(text.colours, (ColourScheme{71, 72, 73, 74, 75}));
}

} // namespace
} // namespace tessaly::test
