#include "app/recovery.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

#include "app/editor_step.h"
#include "app/program.h"
#include "level/level_file.h"
#include "system/files.h"
#include "system/path_text.h"
#include "system/processes.h"
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

// Side-file values are single lines: bytes below 0x20, 0x7F and '%' are
// written as %XX, so that a path with a line break in it comes back whole.
std::string encodeValue(const std::string& text) {
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x20 || c == 0x7F || c == '%') {
            char escaped[4];
            std::snprintf(escaped, sizeof escaped, "%%%02X", c);
            out += escaped;
        } else {
            out += char(c);
        }
    }
    return out;
}

std::string decodeValue(const std::string& text) {
    const auto digit = [](char c) {
        return c >= '0' && c <= '9'   ? c - '0'
               : c >= 'A' && c <= 'F' ? c - 'A' + 10
               : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                      : -1;
    };
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && digit(text[i + 1]) >= 0 &&
            digit(text[i + 2]) >= 0) {
            out += char(digit(text[i + 1]) * 16 + digit(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

// Side files from this format on encode their values and name the owner and
// the level file; older ones hold the path as it is and nothing more.
constexpr int kSideFormat = 2;

std::string sideText(const std::string& fullPath, const WallClock& clock,
                     const std::optional<FileIdentity>& fileSeen, const ProcessOwner& owner) {
    std::string text = "path: " + encodeValue(fullPath) + "\ntime: " + formatDateTime(clock) +
                       "\nunix: " + std::to_string(clock.unixSeconds) +
                       "\nformat: " + std::to_string(kSideFormat) +
                       "\nowner: " + std::to_string(owner.id) + " " +
                       std::to_string(owner.started) + "\nowner-host: " + encodeValue(owner.host);
    if (fileSeen) {
        text += "\nfile: " + std::to_string(fileSeen->device) + " " +
                std::to_string(fileSeen->file) + " " + std::to_string(fileSeen->modifiedNs) + " " +
                std::to_string(fileSeen->size);
    } else {
        text += "\nfile: none";
    }
    return text + "\n";
}

// A copy with what its side file says.
struct FoundCopy {
    std::string path;
    std::string side; // the side file
    std::string text; // what the side file holds
    std::string time; // as the user's clock showed it
    int64_t unixSeconds = 0;
    // An older side file tells neither the owner nor the level file.
    bool ownerKnown = false;
    ProcessOwner owner;
    // The level file as the copy's edits found it; nothing when it was not
    // there or the side file does not say.
    std::optional<FileIdentity> fileSeen;
    bool damaged = false; // found not to be a whole level before
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

// What a side file says; its path decoded.
FoundCopy readSide(const std::string& copy, const std::string& side, const std::string& text,
                   std::string& fullPath) {
    FoundCopy found;
    found.path = copy;
    found.side = side;
    found.text = text;
    found.time = sideValue(text, "time");
    const bool encoded = sideValue(text, "format") == std::to_string(kSideFormat);
    fullPath = encoded ? decodeValue(sideValue(text, "path")) : sideValue(text, "path");
    try {
        found.unixSeconds = std::stoll(sideValue(text, "unix"));
    } catch (...) {
        found.unixSeconds = 0;
    }
    if (!encoded) return found;
    found.ownerKnown = true;
    std::istringstream owner(sideValue(text, "owner"));
    owner >> found.owner.id >> found.owner.started;
    if (!owner) found.owner = {};
    found.owner.host = decodeValue(sideValue(text, "owner-host"));
    std::istringstream file(sideValue(text, "file"));
    FileIdentity seen;
    if (file >> seen.device >> seen.file >> seen.modifiedNs >> seen.size) found.fileSeen = seen;
    found.damaged = !sideValue(text, "damaged").empty();
    return found;
}

// Every copy whose side file names this full path (any name the copy of this
// path may take, recoveryCopyName), newest first.
std::vector<FoundCopy> copiesOf(const std::string& folder, const std::string& fullPath) {
    const std::string stem = copyNameParts(fullPath).prefix;
    std::vector<FoundCopy> found;
    std::error_code error;
    for (fs::directory_iterator it(pathFromUtf8(folder), error), end; !error && it != end;
         it.increment(error)) {
        const std::string name = utf8FromPath(it->path().filename());
        const std::size_t sideStart = name.size() - std::min(name.size(), std::size_t(5));
        if (name.compare(0, stem.size(), stem) != 0 || name.compare(sideStart, 5, kSideSuffix) != 0)
            continue;
        const std::string copy = joinPath(folder, name.substr(0, sideStart));
        const std::string side = joinPath(folder, name);
        const auto bytes = readFileBytes(side, 64 * 1024);
        if (!bytes || !exists(copy)) continue;
        std::string path;
        FoundCopy candidate = readSide(copy, side, std::string(bytes->begin(), bytes->end()), path);
        if (path == fullPath) found.push_back(std::move(candidate));
    }
    std::sort(found.begin(), found.end(), [](const FoundCopy& a, const FoundCopy& b) {
        return a.unixSeconds != b.unixSeconds ? a.unixSeconds > b.unixSeconds : a.path > b.path;
    });
    return found;
}

// The copy to offer for this full path, read whole: the newest one that no
// other editor still running owns and that is a whole level. Copies found
// damaged on the way are told and marked, and stay where they are.
struct Offer {
    FoundCopy copy;
    std::unique_ptr<Level> level;
};

std::optional<Offer> copyToOffer(Program& p, const std::string& fullPath,
                                 const std::string& displayName) {
    const ProcessOwner self = thisProcess();
    for (FoundCopy& copy : copiesOf(p.recovery.folder, fullPath)) {
        // Safe: another editor that still runs keeps its copy; it may still
        // save or discard the edits itself. An earlier editor start of this
        // very process has ended.
        const bool thisRun = copy.owner.id == self.id && copy.owner.host == self.host;
        if (copy.damaged || (copy.ownerKnown && !thisRun && processRuns(copy.owner))) continue;
        auto level = std::make_unique<Level>();
        // Safe: a copy cut short or damaged is checked as F5 checks a level
        // file, never restored as a level of zeros that a save would make
        // permanent.
        if (isWholeLevel(readLevel(*level, copy.path), *level))
            return Offer{copy, std::move(level)};
        p.host.showMessage("The recovery copy " + copy.path + " of " + displayName + " from " +
                           copy.time +
                           " is damaged (not a whole level) and cannot be restored. It is left "
                           "where it is.");
        const std::string marked = copy.text + "damaged: not a whole level\n";
        writeFileSafely(copy.side, std::vector<uint8_t>(marked.begin(), marked.end()));
    }
    return std::nullopt;
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

void tellOnce(Program& p, const std::string& text) {
    if (p.recovery.writeFailureTold) return;
    p.recovery.writeFailureTold = true;
    p.host.showMessage(text);
}

void writeCopy(Program& p) {
    RecoveryState& r = p.recovery;
    Editor& e = *p.editor;
    std::string why;
    if (recoveryFolder(p, &why).empty()) {
        // Safe: without a folder no copy is written, and the user hears so.
        tellOnce(p, why);
        return;
    }
    const bool named = !e.level.fileName.empty();
    const std::string fullPath = named ? fullPathOf(e.level.fileName) : "";
    if (r.copyPath.empty()) {
        r.copyPath =
            named ? freeCopyPath(r.folder, fullPath) : freeUnnamedPath(r.folder, r.unnamedName);
        r.copyUnnamed = !named;
    }
    bool written = writeLevel(e.level, r.copyPath);
    if (written && named) {
        const std::string side = sideText(fullPath, p.host.wallClock(), p.fileSeen, thisProcess());
        written = writeFileSafely(r.copyPath + kSideSuffix,
                                  std::vector<uint8_t>(side.begin(), side.end()));
    }
    if (!written) tellOnce(p, "Could not write the recovery copy " + r.copyPath + ".");
}

// What the restore question adds about the level file: how it changed since
// the copy's edits were made to it.
std::string changeSinceCopy(Program& p, const FoundCopy& copy, const std::string& fileName) {
    if (!copy.ownerKnown) return ""; // an older side file does not say
    const std::optional<FileIdentity> now = fileIdentity(fileName);
    switch (fileChangeSince(copy.fileSeen, now)) {
    case FileChange::Changed:
    case FileChange::Replaced:
        return ", and the file was changed since, at " +
               formatDateTime({now->modifiedSeconds(), p.host.wallClock().utcOffsetSeconds});
    case FileChange::Removed:
        return ", and the file was removed since";
    case FileChange::None:
        break;
    }
    return "";
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

std::string inPlaceBackupName(const std::string& fileName) {
    return recoveryCopyName(fullPathOf(fileName), 1) + ".before-save";
}

std::string recoveryFolder(Program& p, std::string* why) {
    RecoveryState& r = p.recovery;
    if (r.folder.empty()) {
        if (why) *why = "No recovery copies are written: there is no home folder to keep them in.";
        return "";
    }
    std::error_code error;
    fs::create_directories(pathFromUtf8(r.folder), error);
    if (!error && fs::is_directory(pathFromUtf8(r.folder), error)) return r.folder;
    if (why) {
        *why = "Could not make the recovery folder " + r.folder + ": " +
               (error ? error.message() : std::string("a file has its name")) +
               ". No recovery copies are written.";
    }
    return "";
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

void offerRecovery(Program& p, const std::string& askedPath) {
    RecoveryState& r = p.recovery;
    Editor& e = *p.editor;
    if (r.folder.empty() || askedPath.empty()) return;
    const std::string name = levelDisplayName(askedPath);
    std::optional<Offer> offer = copyToOffer(p, fullPathOf(askedPath), name);
    if (!offer) return;
    const FoundCopy& copy = offer->copy;
    // Safe: the question says when the file changed after the copy was made,
    // and F5 then asks before writing over that newer file.
    const Question question{name + " has unsaved changes from " + copy.time +
                                " that were not saved" + changeSinceCopy(p, copy, askedPath) +
                                ". Restore them?",
                            {"Restore", "Discard"},
                            0};
    switch (p.host.ask(question)) {
    case 0: {
        // Safe: a level whose file no longer opens is restored under its
        // name, so that F5 or F6 can save it; whatever is at that name now
        // is guarded by the check of the file's identity, not by the read
        // that failed.
        if (e.level.fileName.empty()) p.fileIsWhole = true;
        e.level = *offer->level;
        e.level.fileName = askedPath;
        // The file as the copy's edits found it: F5 asks before replacing
        // anything that came after.
        p.fileSeen = copy.fileSeen;
        // A fresh history whose saved state no step reaches: the level is
        // unsaved until the user saves it.
        clearHistory(e.history);
        e.history.savedPosition = -1;
        r.copyPath = copy.path;
        return;
    }
    case 1:
        removeFile(copy.path);
        removeFile(copy.side);
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
