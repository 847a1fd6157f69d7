#include <gtest/gtest.h>

#include <optional>

#include "app/program.h"
#include "app/start_screen.h"
#include "gui/palette.h"
#include "tests/app/stopping_host.h"

namespace tessaly {
namespace {

using test::Stopped;
using test::StoppingHost;

struct StartScreen : ::testing::Test {
    StoppingHost host;
    std::unique_ptr<Program> program = std::make_unique<Program>(host);

    std::optional<int> run() {
        try {
            return runStartScreen(*program);
        } catch (const Stopped&) {
            return -1;
        }
    }
    void clickAt(int x, int y, int buttons) { host.mouse = {x, y, 0, buttons}; }
};

TEST_F(StartScreen, ButtonsAreLaidOutFromTheScreenSizeBeforeTheSurfaceOpens) {
    struct Expected {
        const char* name;
        const char* caption;
        int x, y, width, c1;
    };
    const Expected expected[8] = {
        {"DD2", "Editing Dangerous Dave2", 300, 160, 250, 56},
        {"CK1", "Editing Commander Keen 1", 300, 200, 250, 71},
        {"CK2", "Editing Commander Keen 2", 300, 240, 250, 71},
        {"CK3", "Editing Commander Keen 3", 300, 280, 250, 71},
        {"NIN", "Editing Shadow Knight", 300, 320, 250, 76},
        {"Options", "Options", 350, 360, 150, 30},
        {"EXIT", "-=Exit=-", 12, 564, 100, 30},
        {"OK", "OK", 704, 564, 80, 30},
    };
    startUp(*program);
    for (int slot = 1; slot <= 8; ++slot) {
        const WidgetSlot& w = program->widgets.slots[size_t(slot)];
        const Expected& e = expected[slot - 1];
        EXPECT_EQ(w.name, e.name) << slot;
        EXPECT_EQ(w.caption, e.caption) << slot;
        EXPECT_EQ(w.x, e.x) << slot;
        EXPECT_EQ(w.y, e.y) << slot;
        EXPECT_EQ(w.width, e.width) << slot;
        EXPECT_EQ(w.height, 30) << slot;
        EXPECT_EQ(w.colours[0], e.c1) << slot;
    }
    EXPECT_TRUE(program->widgets.slots[9].caption.empty());
    EXPECT_TRUE(program->surface.isOpen);
    EXPECT_EQ(host.surface, &program->surface);
    EXPECT_EQ(program->surface.workPage, 0);
    EXPECT_EQ(program->surface.visiblePage, 1);
}

TEST_F(StartScreen, FirstScreenIsBuiltOutOfSightThenShownWhole) {
    startUp(*program);
    std::optional<int> visibleAtFirstRead;
    host.onMouseRead = [&](StoppingHost&) {
        if (!visibleAtFirstRead) visibleAtFirstRead = program->surface.visiblePage;
    };
    host.pausesLeft = 0;
    run();
    ASSERT_TRUE(visibleAtFirstRead.has_value());
    EXPECT_EQ(*visibleAtFirstRead, 0);
    EXPECT_EQ(host.title, "Tessaly Editor v0.9");
    // The whole screen is the background panel: light bevel at the top left,
    // the face inside, the darkest colour at the bottom right.
    EXPECT_EQ(pixelAt(program->surface, 0, 0, 0), 71);
    EXPECT_EQ(pixelAt(program->surface, 0, 200, 500), 73);
    EXPECT_EQ(pixelAt(program->surface, 0, 799, 599), 75);
    // The Options button is drawn raised.
    EXPECT_EQ(pixelAt(program->surface, 0, 350, 360), 30);
    EXPECT_EQ(pixelAt(program->surface, 0, 500, 390), 17);
    // Page 1 was never drawn on.
    EXPECT_EQ(pixelAt(program->surface, 1, 200, 500), 0);
    EXPECT_EQ(shownColour(program->surface, 6), (Rgb{170, 85, 0}));
}

TEST_F(StartScreen, TextLinesOfOurOwnAndTheCharacterTests) {
    host.exeDir = "/opt/tessaly/bin";
    startUp(*program);
    // The program's own lines, old slips included: "Qq" again where "Uu"
    // belongs and "Wv" for "Ww".
    EXPECT_EQ(startScreenLine(*program, 0), "Corvel GUI Ver 0.6 rev 5 (2007_08_xx)");
    EXPECT_EQ(startScreenLine(*program, 1),
              "This Program developed for editing levels for old ID Games");
    EXPECT_EQ(startScreenLine(*program, 3),
              "Support Games: Dangerous Dave 2, Commander Keen 1, Commander Keen 2, "
              "Commander Keen 3, Shadow Knight");
    EXPECT_EQ(startScreenLine(*program, 5), "1234567890!()/\\*-=+#<>?%`$\"[]:.,");
    EXPECT_EQ(startScreenLine(*program, 6), "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtQqVvWvXxYyZz");
    EXPECT_EQ(startScreenLine(*program, 8), "-=CHAR SET (255)`ENU/RUS=- .:TEST:.");
    const std::string cyrillic = startScreenLine(*program, 7);
    ASSERT_EQ(cyrillic.size(), 64u);
    EXPECT_EQ(uint8_t(cyrillic[0]), 0xC0);
    EXPECT_EQ(uint8_t(cyrillic[1]), 0xE0);
    EXPECT_EQ(uint8_t(cyrillic[62]), 0xDF);
    EXPECT_EQ(uint8_t(cyrillic[63]), 0xFF);
    EXPECT_EQ(startScreenLine(*program, 9), "/opt/tessaly/bin");
    // clang's __VERSION__ names the vendor too ("Debian Clang 14.0.6"); the
    // line gives the version alone, as __clang_version__ does.
#if defined(__clang__)
    EXPECT_NE(startScreenLine(*program, 10).find(__clang_version__), std::string::npos);
#else
    EXPECT_NE(startScreenLine(*program, 10).find(__VERSION__), std::string::npos);
#endif
    for (int line : {2, 4}) EXPECT_FALSE(startScreenLine(*program, line).empty());
}

TEST_F(StartScreen, OnlyTheLeftButtonAloneChoosesAGame) {
    startUp(*program);
    clickAt(400, 250, 3); // left and right over "Editing Commander Keen 2"
    host.pausesLeft = 5;
    EXPECT_EQ(run(), -1);
    EXPECT_FALSE(program->chosen);
    EXPECT_TRUE(program->editor->profile.gameId.empty());

    clickAt(400, 250, 1);
    host.pausesLeft = 5;
    EXPECT_EQ(run(), std::nullopt);
    EXPECT_TRUE(program->chosen);
    EXPECT_EQ(program->editor->profile.gameId, "CK2");
    // Shown pressed: the darkest colour of its scheme on the top-left bevel.
    EXPECT_EQ(pixelAt(program->surface, 0, 300, 240), 75);
}

TEST_F(StartScreen, ButtonEdgesAndOptionsDoNothing) {
    startUp(*program);
    for (auto [x, y] : {std::pair{300, 215}, {550, 215}, {400, 200}, {400, 230}, {420, 375}}) {
        clickAt(x, y, 1);
        host.pausesLeft = 3;
        EXPECT_EQ(run(), -1) << x << "," << y;
        EXPECT_FALSE(program->chosen);
    }
    EXPECT_EQ(pixelAt(program->surface, 0, 350, 360), 30);
}

TEST_F(StartScreen, ExitAndCloseRequestEndAfterAPauseOf300Ms) {
    startUp(*program);
    clickAt(50, 579, 1);
    const long long before = host.clock;
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(host.clock - before, 300);
    EXPECT_EQ(pixelAt(program->surface, 0, 12, 564), 17); // pressed

    StoppingHost other;
    auto second = std::make_unique<Program>(other);
    startUp(*second);
    other.closeRequest = true;
    EXPECT_EQ(runStartScreen(*second), 0);
    EXPECT_EQ(other.clock, 300);
}

TEST_F(StartScreen, AboutShowsTheBoxAndRaisesTheButtonAgain) {
    startUp(*program);
    clickAt(740, 579, 1);
    host.pausesLeft = 0;
    EXPECT_EQ(run(), -1);
    EXPECT_EQ(host.aboutBoxes, 1);
    EXPECT_EQ(pixelAt(program->surface, 0, 704, 564), 30);
}

} // namespace
} // namespace tessaly
