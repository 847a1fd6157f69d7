#include "app/start_screen.h"

#include <array>
#include <cmath>
#include <string_view>

#include "app/key_list.h"
#include "gui/palette.h"
#include "level/profile.h"
#include "system/text_encoding.h"

namespace tessaly {

namespace {

constexpr int kSelectionPauseMs = 10;
constexpr int kExitPauseMs = 300;
constexpr int kButtonHeight = 30;
constexpr int kLineCount = 11;

// Kept: the banner and the title are the program's own texts.
constexpr std::string_view kBanner = "Corvel GUI Ver 0.6 rev 5 (2007_08_xx)";
constexpr std::string_view kTitle = "Tessaly Editor v0.9";

#if defined(__clang__)
constexpr std::string_view kCompiler = "clang " __clang_version__;
#elif defined(__GNUC__)
constexpr std::string_view kCompiler = "g++ " __VERSION__;
#else
constexpr std::string_view kCompiler = "an unknown compiler";
#endif

// The buttons' places, computed from the screen size W x H and rounded to the
// nearest integer: the games' buttons one under the other, 40 pixels apart,
// "Options" under them, Exit and "OK" at the bottom corners.
struct ButtonPlace {
    int x, y, width;
};

ButtonPlace placeOf(int slot, double W, double H) {
    const int games = gameSlots();
    if (slot <= games + 1) {
        const double y = H - 0.8 * H + 40 * slot;
        if (slot <= games) return {int(std::lround(W / 2 - 100)), int(std::lround(y)), 250};
        return {int(std::lround(W / 2 - 50)), int(std::lround(y)), 150};
    }
    if (slot == exitSlot())
        return {int(std::lround(W - 0.985 * W)), int(std::lround(H - 0.06 * H)), 100};
    return {int(std::lround(W - 0.12 * W)), int(std::lround(H - 0.06 * H)), 80};
}

struct ButtonText {
    std::string_view name;
    std::string_view caption;
    ColourScheme colours;
};

constexpr ColourScheme kGreyScheme{30, 25, 23, 19, 17};
constexpr std::array<ButtonText, 3> kOtherButtons{{
    {"Options", "Options", kGreyScheme},
    {"EXIT", "-=Exit=-", kGreyScheme},
    {"OK", "OK", kGreyScheme},
}};

ButtonText buttonOf(int slot) {
    if (slot <= gameSlots()) {
        const GameRecord& game = kGames[std::size_t(slot - 1)];
        return {game.gameId, game.buttonCaption, game.buttonColours};
    }
    return kOtherButtons[std::size_t(slot - gameSlots() - 1)];
}

void setColours(TextState& text, const ColourScheme& c) {
    SetTextColours(text, c[0], c[1], c[2], c[3], c[4]);
}

int exitCommand(Program& p) {
    // The program ends normally: a recovery copy of edits that are all saved
    // (or undone) goes with it.
    if (!hasUnsavedEdits(p.editor->history)) removeRecoveryCopy(p);
    DrawWidget(p.widgets, p.surface, p.text, exitSlot(), "Inv");
    p.host.pause(kExitPauseMs);
    return 0;
}

void gameCommand(Program& p, int slot) {
    p.chosen = true;
    DrawWidget(p.widgets, p.surface, p.text, slot, "Inv");
    selectGame(p.editor->profile, p.widgets.slots[size_t(slot)].name);
}

void aboutCommand(Program& p) {
    DrawWidget(p.widgets, p.surface, p.text, aboutSlot(), "Inv");
    p.host.showAboutBox();
    DrawWidget(p.widgets, p.surface, p.text, aboutSlot(), "Nor");
}

void drawStartScreen(Program& p) {
    p.shownTitle = cp1251ToUtf8(p.titleText);
    p.host.setTitle(p.shownTitle);
    ApplyEditorPalette(p.surface);
    drawScreenBackground(p);
    SetTextScale(p.text, 1);
    setColours(p.text, kScreenColours);
    for (int line = 0; line < kLineCount; ++line) {
        DrawText(p.surface, p.text, 4, 3 + 9 * line, startScreenLine(p, line));
    }
    SetTextScale(p.text, 2);
    for (int slot = 1; slot <= aboutSlot(); ++slot)
        DrawWidget(p.widgets, p.surface, p.text, slot, "Nor");
    setColours(p.text, kScreenColours);
    selectPages(p.surface, 0, 0);
}

} // namespace

std::string startScreenLine(const Program& p, int line) {
    switch (line) {
    case 0:
        return p.bannerText;
    case 1:
        return "This Program developed for editing levels for old ID Games";
    case 2:
        return "Tessaly Editor is free software: use it, study it, share it and improve it.";
    case 3:
        return "Support Games: " + listGames(GameListing::Names, ", ", ", ");
    case 4:
        return "Made by the Tessaly Editor developers for the modders of these games.";
    case 5:
        return "1234567890!()/\\*-=+#<>?%`$\"[]:.,";
    case 6:
        // Kept: the old character test line, its "Qq" for "Uu" and "Wv" for
        // "Ww" included, so the screen reads as it always has.
        return "AaBbCcDdEeFfGgHhIiJjKkLlMmNnOoPpQqRrSsTtQqVvWvXxYyZz";
    case 7: {
        std::string pairs;
        for (int i = 0; i < 32; ++i) {
            pairs += char(0xC0 + i);
            pairs += char(0xE0 + i);
        }
        return pairs;
    }
    case 8:
        return "-=CHAR SET (255)`ENU/RUS=- .:TEST:.";
    case 9:
        return p.host.executableDirectory();
    case 10:
        return "Built with " + std::string(kCompiler) + ".";
    default:
        return "";
    }
}

void startUp(Program& p) {
    p.bannerText = std::string(kBanner);
    p.screenWidth = kSurfaceWidth;
    p.screenHeight = kSurfaceHeight;
    SetTextScale(p.text, 1);
    p.titleText = std::string(kTitle);
    for (int slot = 1; slot <= aboutSlot(); ++slot) {
        const ButtonText b = buttonOf(slot);
        const ButtonPlace at = placeOf(slot, p.screenWidth, p.screenHeight);
        RegisterWidget(p.widgets, slot, b.name, at.x, at.y, kButtonHeight, at.width, b.caption);
        SetWidgetColours(p.widgets, slot, b.colours[0], b.colours[1], b.colours[2], b.colours[3],
                         b.colours[4]);
    }
    p.host.openWindow(p.surface);
    openSurface(p.surface);
    // The first start screen is built out of sight and shown at once.
    selectPages(p.surface, 0, 1);
}

std::optional<int> runStartScreen(Program& p) {
    drawStartScreen(p);
    while (!p.chosen) {
        p.host.beginPass();
        p.mouse = p.host.readMouse();
        if (p.mouse.buttons == 1) p.clicked = true;
        // Safe: closing the window on the start screen is the Exit command,
        // so the program can always be ended the usual way.
        if (p.host.closeRequested()) return exitCommand(p);
        const auto hit = [&](int slot) {
            return p.clicked && WidgetAt(p.widgets, p.mouse.x, p.mouse.y) == slot;
        };
        if (hit(exitSlot())) return exitCommand(p);
        for (int slot = 1; slot <= gameSlots(); ++slot) {
            if (hit(slot)) gameCommand(p, slot);
        }
        // Kept: "Options" (slot 6) has no command.
        if (hit(aboutSlot())) aboutCommand(p);
        // The message takes the focus, so a held F1 shows it once.
        if (p.host.keyHeld(scan::F1)) p.host.showMessage(keyListMessage());
        p.host.pause(kSelectionPauseMs);
        p.clicked = false;
    }
    return std::nullopt;
}

} // namespace tessaly
