// Replay scripts: the parsed form of the text that drives the replay host.
//
// One command per line; a line whose first non-blank character is `#` is a
// comment, blank lines are ignored and a trailing CR is dropped. The command
// word is followed by blanks and its arguments: numbers and names are
// separated by blanks, while a path or a title runs to the end of the line,
// spaces and all. A script keeps a time S from 0; `wait MS` adds MS to it and
// every other line is stamped with the S at which it stands. `endTime` is the
// S after the last line, trailing waits included: the replay gives the
// program time up to it and no further.
//
// The whole script is checked before anything runs; every bad line is
// reported with its number and a reason. A script whose waits add up to more
// than kMaxScriptTime (24 hours of program time) is refused as a whole, at
// the wait that passed the limit: it would keep a run going for days.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaly {

// The most program time a script may give: 86,400,000 ms, 24 hours.
constexpr long long kMaxScriptTime = 86'400'000;

enum class ReplayCommand {
    Mouse,        // x, y
    Press,        // value: button bit (1 left, 2 right, 4 middle)
    Release,      // value: button bit
    KeyDown,      // value: set-1 scan code 0..127
    KeyUp,        // value: set-1 scan code 0..127
    Open,         // text, path
    OpenCancel,   //
    Save,         // text, path
    SaveCancel,   //
    FocusLost,    //
    FocusGained,  //
    CloseWindow,  //
    Screenshot,   // text, path
    ExpectPixel,  // x, y, value: palette index
    ExpectTitle,  // text (may be empty)
    Answer,       // text: the answer to a question, in lower case ("save", "close")
    Click,        // value: button bit; a press and its release at once
    Tap,          // value: set-1 scan code; a keydown and its keyup at once
    Wheel,        // value: notches, positive away from the user
    Folder,       // text, path: the answer to a folder dialog
    FolderCancel, //
    Size,         // x, y: width and height 1..256; value: anchor (kAnchorNames); text
    SizeCancel,   //
    NoDosBox,     // from now on the host finds no DOSBox
};

struct ReplayLine {
    int lineNumber = 0; // in the script, counting from 1
    long long time = 0; // script time of the line, in milliseconds
    ReplayCommand command = ReplayCommand::Mouse;
    int x = 0, y = 0, value = 0;
    std::string text; // the argument as written (logged as such)
    std::string path; // for files: `text` taken relative to the script's folder
};

struct ReplayScript {
    std::vector<ReplayLine> lines; // every line but comments, blanks and waits, in order
    long long endTime = 0;
};

struct ReplayScriptError {
    int lineNumber = 0; // 0 when the script itself cannot be read
    std::string why;
};

// Parses script text; relative paths are taken inside `folder` ("" leaves
// them as written). Returns the bad lines; `script` is complete only when
// there are none.
std::vector<ReplayScriptError> parseReplayScript(std::string_view text, const std::string& folder,
                                                 ReplayScript& script);

// Reads and parses the script file at `path`; its paths are taken relative to
// the file's folder. Anything but a regular file of at most 16 MiB is refused
// unread (one error, line 0).
std::vector<ReplayScriptError> loadReplayScript(const std::string& path, ReplayScript& script);

} // namespace tessaly
