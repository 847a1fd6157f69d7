#include "hosts/replay/replay_script.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <filesystem>
#include <limits>
#include <optional>

#include "hosts/host.h"
#include "system/files.h"
#include "system/path_text.h"

namespace tessaly {

namespace {

struct KeyName {
    std::string_view name;
    int code;
};

constexpr std::array<KeyName, 24> kKeyNames{{
    {"F1", scan::F1},
    {"F5", scan::F5},
    {"F6", scan::F6},
    {"F7", scan::F7},
    {"F9", scan::F9},
    {"F10", scan::F10},
    {"LEFT", scan::Left},
    {"RIGHT", scan::Right},
    {"UP", scan::Up},
    {"DOWN", scan::Down},
    {"PAGEUP", scan::PageUp},
    {"PAGEDOWN", scan::PageDown},
    {"KPMINUS", scan::KeypadMinus},
    {"KPPLUS", scan::KeypadPlus},
    {"1", scan::Digit1},
    {"2", scan::Digit2},
    {"3", scan::Digit3},
    {"4", scan::Digit4},
    {"5", scan::Digit5},
    {"F", scan::F},
    {"R", scan::R},
    {"G", scan::G},
    {"TAB", scan::Tab},
    {"ESCAPE", scan::Escape},
}};

// The longest wait one line may ask for; keeps the script time far from overflow.
constexpr long long kMaxWait = std::numeric_limits<int>::max();
// The most notches one wheel line may turn.
constexpr long long kMostNotches = 1000;
// Far more than any script needs: 16 MiB.
constexpr std::uint64_t kMaxScriptBytes = std::uint64_t(16) << 20;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string_view> splitWords(std::string_view s) {
    std::vector<std::string_view> words;
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isBlank(s[i])) ++i;
        std::size_t start = i;
        while (i < s.size() && !isBlank(s[i])) ++i;
        if (i > start) words.push_back(s.substr(start, i - start));
    }
    return words;
}

// A decimal whole number within [low, high]; a minus sign only where low < 0.
std::optional<long long> parseNumber(std::string_view s, long long low, long long high) {
    bool negative = false;
    if (!s.empty() && s[0] == '-' && low < 0) {
        negative = true;
        s.remove_prefix(1);
    }
    if (s.empty() || s.size() > 12) return std::nullopt;
    long long value = 0;
    for (char c : s) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    if (negative) value = -value;
    if (value < low || value > high) return std::nullopt;
    return value;
}

// A key name from the table, or a scan code written 0xNN.
std::optional<int> parseKey(std::string_view s) {
    for (const KeyName& k : kKeyNames) {
        if (k.name == s) return k.code;
    }
    if (s.size() < 3 || s.size() > 4 || s[0] != '0' || (s[1] != 'x' && s[1] != 'X')) {
        return std::nullopt;
    }
    int value = 0;
    for (char c : s.substr(2)) {
        int digit;
        if (c >= '0' && c <= '9') {
            digit = c - '0';
        } else if (c >= 'a' && c <= 'f') {
            digit = c - 'a' + 10;
        } else if (c >= 'A' && c <= 'F') {
            digit = c - 'A' + 10;
        } else {
            return std::nullopt;
        }
        value = value * 16 + digit;
    }
    if (value > 0x7F) return std::nullopt;
    return value;
}

std::optional<int> parseButton(std::string_view s) {
    if (s == "left") return 1;
    if (s == "right") return 2;
    if (s == "middle") return 4;
    return std::nullopt;
}

std::string resolvePath(const std::string& folder, std::string_view written) {
    if (folder.empty()) return std::string(written);
    // Joined with '/', which every system takes, so a path reads the same
    // in the log and the tests whatever the system.
    const std::u8string joined = (pathFromUtf8(folder) / pathFromUtf8(written)).generic_u8string();
    return std::string(joined.begin(), joined.end());
}

// What a command's reader gets of its line.
struct Arguments {
    std::string_view command;            // the command word, for the messages
    std::string_view rest;               // all after the word, from its first non-blank
    std::vector<std::string_view> words; // `rest` split at blanks
    const std::string& folder;           // the script's folder, for paths
};

// Reads a command's arguments into `line`; returns why they are bad, or "".
using ReadArguments = std::string (*)(const Arguments&, ReplayLine&);

std::string readMilliseconds(const Arguments& a, ReplayLine& line) {
    std::optional<long long> ms;
    if (a.words.size() == 1) ms = parseNumber(a.words[0], 0, kMaxWait);
    if (!ms)
        return std::string(a.command) + " needs one whole number of milliseconds, 0 to 2147483647";
    line.value = int(*ms);
    return "";
}

std::string readPoint(const Arguments& a, ReplayLine& line) {
    constexpr long long limit = std::numeric_limits<int>::max();
    std::optional<long long> x, y;
    if (a.words.size() == 2) {
        x = parseNumber(a.words[0], -limit, limit);
        y = parseNumber(a.words[1], -limit, limit);
    }
    if (!x || !y) return std::string(a.command) + " needs two whole numbers X Y";
    line.x = int(*x);
    line.y = int(*y);
    return "";
}

// One word that `parse` reads into the line's value; `needs` tells what it must be.
std::string readOneValue(const Arguments& a, ReplayLine& line,
                         std::optional<int> (*parse)(std::string_view), std::string_view needs) {
    std::optional<int> value;
    if (a.words.size() == 1) value = parse(a.words[0]);
    if (!value) return std::string(a.command) + " needs " + std::string(needs);
    line.value = *value;
    return "";
}

std::string readButton(const Arguments& a, ReplayLine& line) {
    return readOneValue(a, line, parseButton, "a button: left, right or middle");
}

std::string readKey(const Arguments& a, ReplayLine& line) {
    return readOneValue(a, line, parseKey, "a key name or a scan code 0x00 to 0x7F");
}

std::string readNotches(const Arguments& a, ReplayLine& line) {
    std::optional<long long> notches;
    if (a.words.size() == 1) notches = parseNumber(a.words[0], -kMostNotches, kMostNotches);
    if (!notches || *notches == 0) {
        return std::string(a.command) +
               " needs a whole number of notches, 1 to 1000 or -1 to -1000";
    }
    line.value = int(*notches);
    return "";
}

std::string readPixel(const Arguments& a, ReplayLine& line) {
    std::optional<long long> x, y, index;
    if (a.words.size() == 3) {
        x = parseNumber(a.words[0], 0, 799);
        y = parseNumber(a.words[1], 0, 599);
        index = parseNumber(a.words[2], 0, 255);
    }
    if (!x || !y || !index) {
        return std::string(a.command) + " needs X 0..799, Y 0..599 and INDEX 0..255";
    }
    line.x = int(*x);
    line.y = int(*y);
    line.value = int(*index);
    return "";
}

// A path runs to the end of the line, spaces and all.
std::string readPath(const Arguments& a, ReplayLine& line) {
    if (a.rest.empty()) return std::string(a.command) + " needs a path";
    line.text = std::string(a.rest);
    line.path = resolvePath(a.folder, a.rest);
    return "";
}

std::string readAnswer(const Arguments& a, ReplayLine& line) {
    if (a.words.size() != 1) {
        return std::string(a.command) + " needs one word, such as save, discard or cancel";
    }
    line.text = std::string(a.words[0]);
    return "";
}

std::optional<int> parseAnchor(std::string_view word) {
    for (std::size_t i = 0; i < kAnchorNames.size(); ++i)
        if (kAnchorNames[i] == word) return int(i);
    return std::nullopt;
}

// A size dialog's answer: width and height, and the anchor (nw when left out).
std::string readSize(const Arguments& a, ReplayLine& line) {
    std::optional<long long> width, height;
    std::optional<int> anchor = 0;
    if (a.words.size() == 2 || a.words.size() == 3) {
        width = parseNumber(a.words[0], 1, kMaxLevelSide);
        height = parseNumber(a.words[1], 1, kMaxLevelSide);
        if (a.words.size() == 3) anchor = parseAnchor(a.words[2]);
    }
    if (!width || !height || !anchor) {
        return std::string(a.command) +
               " needs WIDTH and HEIGHT 1..256, then nw, n, ne, w, c, e, sw, s or se";
    }
    line.x = int(*width);
    line.y = int(*height);
    line.value = *anchor;
    line.text = std::string(a.rest);
    return "";
}

// The rest of the line as written; it may be empty.
std::string readText(const Arguments& a, ReplayLine& line) {
    line.text = std::string(a.rest);
    return "";
}

std::string readNothing(const Arguments& a, ReplayLine&) {
    if (!a.words.empty()) return std::string(a.command) + " takes no argument";
    return "";
}

struct CommandWord {
    std::string_view word;
    // The step the line makes; none for `wait`, which moves the script time
    // on by the milliseconds its reader leaves in the line's value.
    std::optional<ReplayCommand> command;
    ReadArguments read;
};

constexpr CommandWord kCommandWords[] = {
    {"wait", std::nullopt, readMilliseconds},
    {"mouse", ReplayCommand::Mouse, readPoint},
    {"press", ReplayCommand::Press, readButton},
    {"release", ReplayCommand::Release, readButton},
    {"click", ReplayCommand::Click, readButton},
    {"keydown", ReplayCommand::KeyDown, readKey},
    {"keyup", ReplayCommand::KeyUp, readKey},
    {"tap", ReplayCommand::Tap, readKey},
    {"wheel", ReplayCommand::Wheel, readNotches},
    {"open", ReplayCommand::Open, readPath},
    {"open-cancel", ReplayCommand::OpenCancel, readNothing},
    {"save", ReplayCommand::Save, readPath},
    {"save-cancel", ReplayCommand::SaveCancel, readNothing},
    {"folder", ReplayCommand::Folder, readPath},
    {"folder-cancel", ReplayCommand::FolderCancel, readNothing},
    {"size", ReplayCommand::Size, readSize},
    {"size-cancel", ReplayCommand::SizeCancel, readNothing},
    {"no-dosbox", ReplayCommand::NoDosBox, readNothing},
    {"focus-lost", ReplayCommand::FocusLost, readNothing},
    {"focus-gained", ReplayCommand::FocusGained, readNothing},
    {"close-window", ReplayCommand::CloseWindow, readNothing},
    {"screenshot", ReplayCommand::Screenshot, readPath},
    {"expect-pixel", ReplayCommand::ExpectPixel, readPixel},
    {"answer", ReplayCommand::Answer, readAnswer},
    {"expect-title", ReplayCommand::ExpectTitle, readText},
};

// Parses one command line (comments and blanks already skipped): a step
// stamped with the script time, or a wait that moves the time on. Returns
// the reason when the line is bad, "" when it is good.
std::string parseLine(std::string_view command, std::string_view rest, const std::string& folder,
                      long long& time, ReplayScript& script, ReplayLine& line) {
    const auto entry = std::find_if(std::begin(kCommandWords), std::end(kCommandWords),
                                    [&](const CommandWord& c) { return c.word == command; });
    if (entry == std::end(kCommandWords)) return "unknown command \"" + std::string(command) + "\"";
    const std::string why = entry->read({command, rest, splitWords(rest), folder}, line);
    if (!why.empty()) return why;
    if (!entry->command) {
        time += line.value;
        return "";
    }
    line.command = *entry->command;
    line.time = time;
    script.lines.push_back(line);
    return "";
}

} // namespace

std::vector<ReplayScriptError> parseReplayScript(std::string_view text, const std::string& folder,
                                                 ReplayScript& script) {
    script = ReplayScript{};
    std::vector<ReplayScriptError> errors;
    long long time = 0;
    int lineNumber = 0;
    int firstLineTooLate = 0; // the wait that took the time past the limit
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos) end = text.size();
        std::string_view raw = text.substr(pos, end - pos);
        pos = end + 1;
        ++lineNumber;

        if (!raw.empty() && raw.back() == '\r') raw.remove_suffix(1);
        bool control = false;
        for (char c : raw) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t') control = true;
        }
        if (control) {
            errors.push_back({lineNumber, "control character in the line"});
            continue;
        }
        while (!raw.empty() && isBlank(raw.front())) raw.remove_prefix(1);
        if (raw.empty() || raw.front() == '#') continue;

        std::size_t wordEnd = 0;
        while (wordEnd < raw.size() && !isBlank(raw[wordEnd])) ++wordEnd;
        std::string_view command = raw.substr(0, wordEnd);
        std::string_view rest = raw.substr(wordEnd);
        while (!rest.empty() && isBlank(rest.front())) rest.remove_prefix(1);

        ReplayLine line;
        line.lineNumber = lineNumber;
        std::string why = parseLine(command, rest, folder, time, script, line);
        if (!why.empty()) errors.push_back({lineNumber, why});
        if (time > kMaxScriptTime && firstLineTooLate == 0) firstLineTooLate = lineNumber;
    }
    script.endTime = time;
    if (time > kMaxScriptTime) {
        errors.push_back({firstLineTooLate, "the script's waits add up to " + std::to_string(time) +
                                                " ms, more than the " +
                                                std::to_string(kMaxScriptTime) +
                                                " ms (24 hours) a script may run"});
    }
    return errors;
}

std::vector<ReplayScriptError> loadReplayScript(const std::string& path, ReplayScript& script) {
    script = ReplayScript{};
    // Safe: the script is sized before it is opened, so a device that never
    // ends (/dev/zero), a FIFO that never gets a writer or a huge file is
    // refused at once instead of filling memory or waiting for ever.
    std::error_code error;
    const std::filesystem::path file = pathFromUtf8(path);
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error) return {{0, "cannot read the script"}};
    if (!std::filesystem::is_regular_file(status)) return {{0, "not a regular file"}};
    auto tooLarge = [](std::uint64_t bytes) {
        return ReplayScriptError{0, std::to_string(bytes) + " bytes, more than the " +
                                        std::to_string(kMaxScriptBytes) + " a script may hold"};
    };
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) return {{0, "cannot read the script"}};
    if (size > kMaxScriptBytes) return {tooLarge(size)};
    const std::optional<FileHead> head = readFileHead(path, kMaxScriptBytes + 1);
    if (!head) return {{0, "cannot read the script"}};
    if (head->fileBytes > kMaxScriptBytes) return {tooLarge(head->fileBytes)};
    const std::string_view text(reinterpret_cast<const char*>(head->bytes.data()),
                                head->bytes.size());
    std::string folder = utf8FromPath(file.parent_path());
    return parseReplayScript(text, folder, script);
}

} // namespace tessaly
