#include "hosts/replay/replay_script.h"

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

// Parses one command line (comments and blanks already skipped). Returns the
// reason when the line is bad, "" when it is good.
std::optional<int> parseAnchor(std::string_view word) {
    for (std::size_t i = 0; i < kAnchorNames.size(); ++i)
        if (kAnchorNames[i] == word) return int(i);
    return std::nullopt;
}

std::string parseLine(std::string_view command, std::string_view rest, const std::string& folder,
                      long long& time, ReplayScript& script, ReplayLine& line) {
    std::vector<std::string_view> words = splitWords(rest);
    auto needWords = [&](std::size_t n) { return words.size() == n; };

    if (command == "wait") {
        std::optional<long long> ms;
        if (needWords(1)) ms = parseNumber(words[0], 0, kMaxWait);
        if (!ms) return "wait needs one whole number of milliseconds, 0 to 2147483647";
        time += *ms;
        return "";
    }

    line.time = time;
    auto noArguments = [&](ReplayCommand c) -> std::string {
        line.command = c;
        if (!words.empty()) return std::string(command) + " takes no argument";
        return "";
    };
    auto fileArgument = [&](ReplayCommand c) -> std::string {
        line.command = c;
        if (rest.empty()) return std::string(command) + " needs a path";
        line.text = std::string(rest);
        line.path = resolvePath(folder, rest);
        return "";
    };

    std::string why;
    if (command == "mouse") {
        line.command = ReplayCommand::Mouse;
        constexpr long long limit = std::numeric_limits<int>::max();
        std::optional<long long> x, y;
        if (needWords(2)) {
            x = parseNumber(words[0], -limit, limit);
            y = parseNumber(words[1], -limit, limit);
        }
        if (!x || !y) {
            why = "mouse needs two whole numbers X Y";
        } else {
            line.x = int(*x);
            line.y = int(*y);
        }
    } else if (command == "press" || command == "release" || command == "click") {
        line.command = command == "press"     ? ReplayCommand::Press
                       : command == "release" ? ReplayCommand::Release
                                              : ReplayCommand::Click;
        std::optional<int> button;
        if (needWords(1)) button = parseButton(words[0]);
        if (!button) {
            why = std::string(command) + " needs a button: left, right or middle";
        } else {
            line.value = *button;
        }
    } else if (command == "keydown" || command == "keyup" || command == "tap") {
        line.command = command == "keydown" ? ReplayCommand::KeyDown
                       : command == "keyup" ? ReplayCommand::KeyUp
                                            : ReplayCommand::Tap;
        std::optional<int> key;
        if (needWords(1)) key = parseKey(words[0]);
        if (!key) {
            why = std::string(command) + " needs a key name or a scan code 0x00 to 0x7F";
        } else {
            line.value = *key;
        }
    } else if (command == "wheel") {
        line.command = ReplayCommand::Wheel;
        std::optional<long long> notches;
        if (needWords(1)) notches = parseNumber(words[0], -kMostNotches, kMostNotches);
        if (!notches || *notches == 0) {
            why = "wheel needs a whole number of notches, 1 to 1000 or -1 to -1000";
        } else {
            line.value = int(*notches);
        }
    } else if (command == "open") {
        why = fileArgument(ReplayCommand::Open);
    } else if (command == "open-cancel") {
        why = noArguments(ReplayCommand::OpenCancel);
    } else if (command == "save") {
        why = fileArgument(ReplayCommand::Save);
    } else if (command == "save-cancel") {
        why = noArguments(ReplayCommand::SaveCancel);
    } else if (command == "folder") {
        why = fileArgument(ReplayCommand::Folder);
    } else if (command == "folder-cancel") {
        why = noArguments(ReplayCommand::FolderCancel);
    } else if (command == "size") {
        line.command = ReplayCommand::Size;
        std::optional<long long> width, height;
        std::optional<int> anchor = 0;
        if (words.size() == 2 || words.size() == 3) {
            width = parseNumber(words[0], 1, kMaxLevelSide);
            height = parseNumber(words[1], 1, kMaxLevelSide);
            if (words.size() == 3) anchor = parseAnchor(words[2]);
        }
        if (!width || !height || !anchor) {
            why = "size needs WIDTH and HEIGHT 1..256, then nw, n, ne, w, c, e, sw, s or se";
        } else {
            line.x = int(*width);
            line.y = int(*height);
            line.value = *anchor;
            line.text = std::string(rest);
        }
    } else if (command == "size-cancel") {
        why = noArguments(ReplayCommand::SizeCancel);
    } else if (command == "no-dosbox") {
        why = noArguments(ReplayCommand::NoDosBox);
    } else if (command == "focus-lost") {
        why = noArguments(ReplayCommand::FocusLost);
    } else if (command == "focus-gained") {
        why = noArguments(ReplayCommand::FocusGained);
    } else if (command == "close-window") {
        why = noArguments(ReplayCommand::CloseWindow);
    } else if (command == "screenshot") {
        why = fileArgument(ReplayCommand::Screenshot);
    } else if (command == "expect-pixel") {
        line.command = ReplayCommand::ExpectPixel;
        std::optional<long long> x, y, index;
        if (needWords(3)) {
            x = parseNumber(words[0], 0, 799);
            y = parseNumber(words[1], 0, 599);
            index = parseNumber(words[2], 0, 255);
        }
        if (!x || !y || !index) {
            why = "expect-pixel needs X 0..799, Y 0..599 and INDEX 0..255";
        } else {
            line.x = int(*x);
            line.y = int(*y);
            line.value = int(*index);
        }
    } else if (command == "answer") {
        line.command = ReplayCommand::Answer;
        if (!needWords(1)) {
            why = "answer needs one word, such as save, discard or cancel";
        } else {
            line.text = std::string(words[0]);
        }
    } else if (command == "expect-title") {
        line.command = ReplayCommand::ExpectTitle;
        line.text = std::string(rest); // may be empty: the title is expected empty
    } else {
        why = "unknown command \"" + std::string(command) + "\"";
    }
    if (why.empty()) script.lines.push_back(line);
    return why;
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
