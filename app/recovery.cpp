#include "app/recovery.h"

#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>

#include "app/editor_step.h"
#include "app/program.h"
#include "level/level_file.h"
#include "system/files.h"
#include "system/path_text.h"
#include "system/user_folders.h"

namespace tessaly {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSideSuffix = ".info";

// Days since 1970-01-01 as a civil date (proleptic Gregorian).
void civilFromDays(int64_t days, int& year, int& month, int& day) {
    days += 719468;
    const int64_t era = (days >= 0 ? days : days - 146096) / 146097;
    const int64_t dayOfEra = days - era * 146097;
    const int64_t yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t mp = (5 * dayOfYear + 2) / 153;
    day = int(dayOfYear - (153 * mp + 2) / 5 + 1);
    month = int(mp < 10 ? mp + 3 : mp - 9);
    year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
}

struct DateTime {
    int year, month, day, hour, minute, second;
};

DateTime localDateTime(const WallClock& clock) {
    const int64_t t = clock.unixSeconds + clock.utcOffsetSeconds;
    const int64_t days = (t >= 0 ? t : t - 86399) / 86400;
    const int64_t secondOfDay = t - days * 86400;
    DateTime d{};
    civilFromDays(days, d.year, d.month, d.day);
    d.hour = int(secondOfDay / 3600);
    d.minute = int(secondOfDay / 60 % 60);
    d.second = int(secondOfDay % 60);
    return d;
}

std::string fileStamp(const WallClock& clock) {
    const DateTime d = localDateTime(clock);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d-%02d%02d%02d", d.year, d.month, d.day, d.hour,
                  d.minute, d.second);
    return text;
}

// FNV-1a, 64 bits: a stable hash of the path, the same on every run.
uint64_t pathHash(const std::string& path) {
    uint64_t h = 14695981039346656037ull;
    for (unsigned char c : path) {
        h ^= c;
        h *= 1099511628211ull;
    }
    return h;
}

// A copy's name: the level's base name without its extension and the hash
// of its full path, then a number for copies beside a kept one, then the
// level's extension.
struct CopyName {
    std::string prefix;    // "LEVEL01-<hash>"
    std::string extension; // ".CK1"
};

CopyName copyNameParts(const std::string& fullPath) {
    const std::string base = levelDisplayName(fullPath);
    const std::size_t dot = base.rfind('.');
    const bool hasExtension = dot != std::string::npos && dot > 0;
    char hash[17];
    std::snprintf(hash, sizeof hash, "%016llx",
                  static_cast<unsigned long long>(pathHash(fullPath)));
    return {(hasExtension ? base.substr(0, dot) : base) + "-" + hash,
            hasExtension ? base.substr(dot) : ""};
}

std::string fullPathOf(const std::string& fileName) {
    std::error_code error;
    const fs::path full = fs::absolute(pathFromUtf8(fileName), error);
    return error ? fileName : utf8FromPath(full.lexically_normal());
}

std::string lowerCase(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return text;
}

bool exists(const std::string& path) {
    std::error_code error;
    return fs::exists(fs::symlink_status(pathFromUtf8(path), error));
}

void removeFile(const std::string& path) {
    std::error_code error;
    fs::remove(pathFromUtf8(path), error);
}

std::string sideText(const std::string& fullPath, const WallClock& clock) {
    return "path: " + fullPath + "\ntime: " + formatDateTime(clock) +
           "\nunix: " + std::to_string(clock.unixSeconds) + "\n";
}

struct FoundCopy {
    std::string path;
    std::string time; // as the user's clock showed it
    int64_t unixSeconds = 0;
};

// The value of the "key: " line of a side file.
std::string sideValue(const std::string& text, const std::string& key) {
    const std::string start = key + ": ";
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        if (text.compare(at, start.size(), start) == 0)
            return text.substr(at + start.size(), end - at - start.size());
        at = end + 1;
    }
    return "";
}

// The newest copy whose side file names this full path: any name the copy of
// this path may take (recoveryCopyName) with its side file.
std::optional<FoundCopy> newestCopyOf(const std::string& folder, const std::string& fullPath) {
    const std::string stem = copyNameParts(fullPath).prefix;
    std::optional<FoundCopy> newest;
    std::error_code error;
    for (fs::directory_iterator it(pathFromUtf8(folder), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = utf8FromPath(it->path().filename());
        const std::size_t sideStart = name.size() - std::min(name.size(), std::size_t(5));
        if (name.compare(0, stem.size(), stem) != 0 || name.compare(sideStart, 5, kSideSuffix) != 0)
            continue;
        const std::string copy = joinPath(folder, name.substr(0, sideStart));
        const auto side = readFileBytes(joinPath(folder, name), 64 * 1024);
        if (!side || !exists(copy)) continue;
        const std::string text(side->begin(), side->end());
        if (sideValue(text, "path") != fullPath) continue;
        FoundCopy found{copy, sideValue(text, "time"), 0};
        try {
            found.unixSeconds = std::stoll(sideValue(text, "unix"));
        } catch (...) {
            found.unixSeconds = 0;
        }
        if (!newest || found.unixSeconds > newest->unixSeconds ||
            (found.unixSeconds == newest->unixSeconds && found.path > newest->path)) {
            newest = found;
        }
    }
    return newest;
}

// The first name beside any kept copies that no file uses yet.
std::string freeCopyPath(const std::string& folder, const std::string& fullPath) {
    for (int number = 1;; ++number) {
        const std::string copy = joinPath(folder, recoveryCopyName(fullPath, number));
        if (!exists(copy) && !exists(copy + kSideSuffix)) return copy;
    }
}

std::string freeUnnamedPath(const std::string& folder, const std::string& name) {
    const std::size_t dot = name.rfind('.');
    for (int number = 1;; ++number) {
        const std::string candidate =
            number == 1 ? name
                        : name.substr(0, dot) + "-" + std::to_string(number) + name.substr(dot);
        const std::string path = joinPath(folder, candidate);
        if (!exists(path)) return path;
    }
}

void writeCopy(Program& p) {
    RecoveryState& r = p.recovery;
    Editor& e = *p.editor;
    if (recoveryFolder(p).empty()) return;
    const bool named = !e.level.fileName.empty();
    const std::string fullPath = named ? fullPathOf(e.level.fileName) : "";
    if (r.copyPath.empty()) {
        r.copyPath =
            named ? freeCopyPath(r.folder, fullPath) : freeUnnamedPath(r.folder, r.unnamedName);
        r.copyUnnamed = !named;
    }
    bool written = writeLevel(e.level, r.copyPath);
    if (written && named) {
        const std::string side = sideText(fullPath, p.host.wallClock());
        written = writeFileSafely(r.copyPath + kSideSuffix,
                                  std::vector<uint8_t>(side.begin(), side.end()));
    }
    if (!written && !r.writeFailureTold) {
        r.writeFailureTold = true;
        p.host.showMessage("Could not write the recovery copy " + r.copyPath + ".");
    }
}

} // namespace

std::string formatDateTime(const WallClock& clock) {
    const DateTime d = localDateTime(clock);
    char text[40];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", d.year, d.month, d.day,
                  d.hour, d.minute, d.second);
    return text;
}

std::string recoveryCopyName(const std::string& fullPath, int number) {
    const CopyName parts = copyNameParts(fullPath);
    // Appended rather than `"-" + std::to_string(...)`, which g++ 12 at -O3
    // falsely warns about (-Wrestrict).
    std::string suffix;
    if (number > 1) suffix.append("-").append(std::to_string(number));
    return parts.prefix + suffix + parts.extension;
}

std::string recoveryFolder(Program& p) {
    RecoveryState& r = p.recovery;
    if (r.folder.empty()) return "";
    std::error_code error;
    fs::create_directories(pathFromUtf8(r.folder), error);
    return error ? "" : r.folder;
}

void startRecovery(Program& p) {
    // A copy left from the previous editor start whose edits were then
    // undone back to the saved level is of no use any more.
    if (!hasUnsavedEdits(p.editor->history)) removeRecoveryCopy(p);
    RecoveryState& r = p.recovery;
    r = RecoveryState{};
    const std::string state = userStateFolder();
    if (!state.empty()) r.folder = joinPath(state, "recovery");
    r.unnamedName = "unnamed-" + fileStamp(p.host.wallClock()) + "." +
                    lowerCase(std::string(p.editor->profile.gameId));
}

void offerRecovery(Program& p) {
    RecoveryState& r = p.recovery;
    Editor& e = *p.editor;
    if (r.folder.empty() || e.level.fileName.empty()) return;
    const std::optional<FoundCopy> copy = newestCopyOf(r.folder, fullPathOf(e.level.fileName));
    if (!copy) return;
    const Question question{levelDisplayName(e.level.fileName) + " has unsaved changes from " +
                                copy->time + " that were not saved. Restore them?",
                            {"Restore", "Discard"},
                            0};
    switch (p.host.ask(question)) {
    case 0: {
        auto restored = std::make_unique<Level>();
        if (readLevel(*restored, copy->path).result != ReadResult::Read) {
            p.host.showMessage("Could not read the recovery copy " + copy->path + ".");
            return;
        }
        restored->fileName = e.level.fileName;
        e.level = *restored;
        // A fresh history whose saved state no step reaches: the level is
        // unsaved until the user saves it.
        clearHistory(e.history);
        e.history.savedPosition = -1;
        r.copyPath = copy->path;
        return;
    }
    case 1:
        removeFile(copy->path);
        removeFile(copy->path + kSideSuffix);
        return;
    default:
        // Kept for the next time; copies of this start's edits get a new name.
        return;
    }
}

void tickRecovery(Program& p) {
    RecoveryState& r = p.recovery;
    if (!hasUnsavedEdits(p.editor->history)) {
        r.dueAt = -1;
        return;
    }
    const int64_t now = p.host.clockMilliseconds();
    if (r.dueAt < 0) {
        r.dueAt = now + kRecoveryIntervalMs;
        return;
    }
    if (now < r.dueAt) return;
    writeCopy(p);
    r.dueAt = now + kRecoveryIntervalMs;
}

void removeRecoveryCopy(Program& p) {
    RecoveryState& r = p.recovery;
    r.dueAt = -1;
    if (!r.copyPath.empty() && !r.copyUnnamed) {
        removeFile(r.copyPath);
        removeFile(r.copyPath + kSideSuffix);
    }
    r.copyPath.clear();
}

} // namespace tessaly
