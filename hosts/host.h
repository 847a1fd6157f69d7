// The one seam between the program and the machine. Everything that blocks,
// reads the outside world or shows pixels goes through a Host: the real window
// (SDL2 with GTK 3 dialogs), the headless replay host driven by a script, and
// the small doubles of the unit tests.
//
// A host shows the surface's visible page itself, at every pause and every
// input read, whenever the page or the palette changed since it last did
// (Surface::changed, Surface::paletteChanged).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "system/process_start.h"

namespace tessaly {

struct Surface;

// The longest window title, in characters.
constexpr std::size_t kTitleLimit = 127;

// Mouse state as the loops keep it. buttons: bit 0 left, bit 1 right, bit 2
// middle. wheel: a running count of the wheel's notches since the window
// opened, one up for each notch turned away from the user and one down for
// each towards; the program acts on its change. All four are -1 when the
// pointer cannot be read.
struct MouseState {
    int x = 0, y = 0, wheel = 0, buttons = 0;
};

struct FileFilter {
    std::string description; // "Commander Keen 1 Levels, (*.ck1)"
    std::string pattern;     // "*.ck1"
};

// What a file dialog shows: its title, the filter pairs in order, which
// pair (counting from 1) is preselected, and the folder it starts in ("" for
// the working folder). A save dialog also takes the name its name field
// starts with ("" for none), the extension (without its dot) that a name
// typed without one gets, and whether choosing an existing file asks, in the
// dialog itself, before it is overwritten.
struct DialogRequest {
    DialogRequest() = default;
    DialogRequest(std::string title_, std::vector<FileFilter> filters_, int selectedFilter_ = 1,
                  std::string folder_ = {})
        : title(std::move(title_)), filters(std::move(filters_)), selectedFilter(selectedFilter_),
          folder(std::move(folder_)) {}

    std::string title;
    std::vector<FileFilter> filters;
    int selectedFilter = 1;
    std::string folder;
    std::string fileName;
    std::string defaultExtension;
    bool confirmOverwrite = false;
};

// What a folder dialog shows: its title and the folder it starts in ("" for
// the working folder).
struct FolderRequest {
    std::string title;
    std::string folder;
};

// A program to start as a process of its own: a path (or on Linux a name on
// the PATH), its arguments and its working folder.
struct ProcessRequest {
    std::string program;
    std::vector<std::string> arguments;
    std::string folder;
};

// A question for the user and the answers offered, in the order they are
// shown; `defaultAnswer` (an index into `answers`) is the one Enter picks.
// Texts are UTF-8.
struct Question {
    std::string text;
    std::vector<std::string> answers;
    int defaultAnswer = 0;
};

// What the size dialog asks for: a level's width and height (1..256 each,
// starting at `width` x `height`) and, when `withAnchor`, which part of the
// level stays in place: one of nine, read row by row from the top left
// (kAnchorNames).
struct SizeRequest {
    std::string title;
    int width = 0, height = 0;
    bool withAnchor = true;
};

// The answer of the size dialog; `chosen` is false when it was cancelled.
struct SizeChoice {
    bool chosen = false;
    int width = 0, height = 0;
    int anchor = 0; // an index into kAnchorNames
};
constexpr int kMaxLevelSide = 256;
constexpr std::array<std::string_view, 9> kAnchorNames{"nw", "n",  "ne", "w", "c",
                                                       "e",  "sw", "s",  "se"};

// What Host::ask returns when the question was closed without an answer
// (Escape, or the question's close button).
constexpr int kQuestionClosed = -1;

// The date and time now: seconds since 1970-01-01 00:00:00 UTC, and how far
// the user's local time is ahead of UTC.
struct WallClock {
    int64_t unixSeconds = 0;
    int utcOffsetSeconds = 0;
};

// PC keyboard scan codes (set 1) that the program polls. Both Ctrl keys read
// as LeftCtrl, as the right one sends the same code after an E0 prefix. Z
// and Y are the keys labelled so in the user's layout.
namespace scan {
constexpr int Escape = 0x01, Digit1 = 0x02, Digit2 = 0x03, Digit3 = 0x04, Digit4 = 0x05;
constexpr int Digit5 = 0x06, Tab = 0x0F, R = 0x13, F = 0x21, G = 0x22;
constexpr int Y = 0x15, Ctrl = 0x1D, LeftShift = 0x2A, Z = 0x2C, RightShift = 0x36;
constexpr int F1 = 0x3B, F5 = 0x3F, F6 = 0x40, F7 = 0x41, F9 = 0x43, F10 = 0x44;
constexpr int Up = 0x48, PageUp = 0x49, KeypadMinus = 0x4A, Left = 0x4B, Right = 0x4D;
constexpr int KeypadPlus = 0x4E, Down = 0x50, PageDown = 0x51;
} // namespace scan

class Host {
  public:
    virtual ~Host() = default;

    // Opens the 800 x 600 window that shows `surface`'s visible page; the
    // host keeps the reference until it is destroyed.
    virtual void openWindow(Surface& surface) = 0;
    // Sets the window title (UTF-8), cut to 127 characters.
    virtual void setTitle(std::string_view title) = 0;

    // Called by each loop at the start of every pass, before it reads the
    // input. A button or key pressed since the previous pass reads as held
    // for this whole pass even if it was released already (a quick tap),
    // and no longer after.
    virtual void beginPass() = 0;
    virtual MouseState readMouse() = 0;
    // True while the key with this set-1 scan code is held; codes outside
    // 0..127 are never held. After the window loses or gains the focus every
    // key reads as not held until it is pressed again.
    virtual bool keyHeld(int scanCode) = 0;

    // Waits the full time whatever the user does; the window stays alive.
    virtual void pause(int milliseconds) = 0;
    // The program's clock in milliseconds: never goes back; only differences count.
    virtual int64_t clockMilliseconds() = 0;
    virtual WallClock wallClock() = 0;

    // The folder of the running executable, without a trailing separator.
    virtual std::string executableDirectory() = 0;

    // Modal file dialogs: the chosen path, or "" when cancelled or failed.
    // The open dialog accepts only an existing file; the save dialog also a
    // new name in an existing folder, given the request's default extension
    // when typed without one, and asks first over an existing file when the
    // request says so (an answer a script gives counts as confirmed).
    virtual std::string openFileDialog(const DialogRequest& request) = 0;
    virtual std::string saveFileDialog(const DialogRequest& request) = 0;

    // Shows the modal About box and returns when it is closed.
    virtual void showAboutBox() = 0;

    // Asks a modal question; returns the index of the chosen answer, or
    // kQuestionClosed. Like the dialogs it takes the focus and gives it back,
    // so every key reads as not held until pressed again.
    virtual int ask(const Question& question) = 0;
    // Shows a modal message (UTF-8) and returns when it is closed; the focus
    // rule of ask applies.
    virtual void showMessage(std::string_view text) = 0;

    // The modal size dialog: the width, height and anchor chosen, each in
    // its range, or nothing chosen when cancelled or failed; the focus rule
    // of ask applies.
    virtual SizeChoice askSize(const SizeRequest& request) = 0;

    // The modal folder dialog: the folder chosen (an existing one), or ""
    // when cancelled or failed; the focus rule of ask applies.
    virtual std::string chooseFolder(const FolderRequest& request) = 0;
    // The DOSBox program that plays the games: on Linux `dosbox` on the PATH,
    // on Windows one in the usual install folders of DOSBox, DOSBox Staging
    // or DOSBox-X (hosts/dosbox_search.h); "" when none is found.
    virtual std::string findDosBox() = 0;
    // Starts a program as a process of its own and returns at once, as
    // system/process_start.h's startProcess does: the program stays
    // responsive while the process runs.
    virtual ProcessStart startProcess(const ProcessRequest& request) = 0;

    // Whether the user asked to close the window since the last call.
    virtual bool closeRequested() = 0;
};

} // namespace tessaly
