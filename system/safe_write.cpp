// Writing files so that the old file is never destroyed (declared in files.h):
// new bytes go to a fresh temporary file beside the target, flushed to disk,
// and a rename puts them in place. Written once for every system over the
// steps of file_io.h.
#include "system/file_io.h"
#include "system/files.h"
#include "system/path_text.h"
#include "system/temporary_names.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <random>

namespace tessaly {

namespace {

using file_io::folderOf;
using file_io::Kind;
using file_io::nameOf;
using file_io::OpenFile;

// A temporary file not changed for this long belongs to a save that was killed.
constexpr std::int64_t kStaleSeconds = 60;

// The most fresh names tried for one temporary file.
constexpr int kNameAttempts = 16;

std::string temporaryName(const std::string& target, std::random_device& device) {
    return joinPath(folderOf(target), temporary_names::nameFor(nameOf(target), device));
}

// Safe: a save killed half way leaves its temporary file behind; the next
// save of the same target removes such files once they are a minute old.
// Only regular files named exactly as this target's temporary files are
// touched, never a link.
void removeStaleTemporaries(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::string prefix = temporary_names::prefixFor(nameOf(target));
    for (const std::string& name : file_io::namesIn(folder)) {
        if (!temporary_names::isTemporaryOf(name, prefix)) continue;
        const std::string path = joinPath(folder, name);
        const std::optional<std::int64_t> age = file_io::secondsSinceChanged(path);
        if (age && *age >= kStaleSeconds) file_io::removeFile(path);
    }
}

// Creates a new, empty temporary file beside `target`, like `model` (see
// file_io::createNew); invalid, with errno set, when the folder does not
// allow it. The name is random and created exclusively, so two saves never
// share one.
OpenFile createTemporary(const std::string& target, const std::string& model,
                         std::string& tempPath) {
    std::random_device device;
    for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
        tempPath = temporaryName(target, device);
        OpenFile file = file_io::createNew(tempPath, model);
        if (file.valid() || errno != EEXIST) return file;
    }
    errno = EEXIST;
    return OpenFile();
}

// The file a write goes to, links followed, and whether it is there now.
struct Target {
    std::string path;
    bool exists = false;
};

// The target of a write to `path`; or, when there can be none, why not in
// the system's words.
std::string findTarget(const std::string& path, Target& target) {
    if (path.empty()) return std::strerror(ENOENT);
    const std::optional<std::string> resolved = file_io::followLinks(path);
    if (!resolved) return std::strerror(ELOOP);
    switch (file_io::kindOf(*resolved)) {
    case Kind::None:
        break;
    case Kind::File:
        target.exists = true;
        break;
    case Kind::Folder:
        return std::strerror(EISDIR);
    case Kind::Other:
        return "not a regular file";
    }
    target.path = *resolved;
    return "";
}

// Whether a folder refused a new file (rather than failed to make it).
bool folderRefused(int error) {
    return error == EACCES || error == EPERM || error == EROFS;
}

// Whether the target may be written but not replaced: a file of another
// user in a sticky folder (/tmp, a shared drop folder), a file mounted over
// its name (a bind mount, as containers get their files: EBUSY), or one
// another program holds open without letting it be replaced (Windows).
bool replaceRefused(int error) {
    return error == EACCES || error == EPERM || error == EBUSY;
}

enum class Staging { Staged, FolderRefused, Failed };

// Writes the bytes into a new temporary file beside the target, like the
// target where it exists, flushed to disk and closed. Nothing is left behind
// on failure; `error` says why.
Staging writeTemporary(const Target& target, const std::vector<uint8_t>& bytes,
                       std::string& tempPath, int& error) {
    removeStaleTemporaries(target.path);
    OpenFile file = createTemporary(target.path, target.exists ? target.path : "", tempPath);
    if (!file.valid()) {
        error = errno;
        return folderRefused(error) ? Staging::FolderRefused : Staging::Failed;
    }
    const bool written =
        file_io::writeAll(file, bytes.data(), bytes.size()) && file_io::flush(file) && file.close();
    if (!written) {
        error = errno;
        file.close();
        file_io::removeFile(tempPath);
        return Staging::Failed;
    }
    return Staging::Staged;
}

// Overwrites the file itself, for a writable file in a folder where no
// temporary file can be made, or one that cannot be replaced. Safe: only a
// file whose old bytes could be read whole is written, so that they can be
// put back when the write fails; with a backup folder they are first kept
// there too, so that a crash during the write cannot lose both. The backup
// goes once the new bytes are on disk.
bool writeInPlace(const std::string& target, const std::vector<uint8_t>& bytes,
                  const SafeWriteOptions& options, int& error) {
    const std::optional<FileHead> old = readFileHead(target);
    if (!old || old->fileBytes != old->bytes.size()) {
        error = EFBIG;
        return false;
    }
    std::string backup;
    if (!options.inPlaceBackupFolder.empty()) {
        std::error_code ignored;
        std::filesystem::create_directories(pathFromUtf8(options.inPlaceBackupFolder), ignored);
        const std::string name = options.inPlaceBackupName.empty() ? nameOf(target) + ".before-save"
                                                                   : options.inPlaceBackupName;
        backup = joinPath(options.inPlaceBackupFolder, name);
        if (!writeFileSafely(backup, old->bytes, nullptr)) {
            error = EACCES;
            return false;
        }
    }
    OpenFile file = file_io::openToWrite(target);
    if (!file.valid()) {
        error = errno;
        return false;
    }
    if (file_io::overwrite(file, bytes) && file.close()) {
        if (!backup.empty()) file_io::removeFile(backup);
        return true;
    }
    error = errno;
    file_io::overwrite(file, old->bytes);
    return false;
}

// Puts the staged bytes in place; on failure the temporary file is removed
// and `error` says why.
bool commitTemporary(const std::string& tempPath, const std::string& target, int& error) {
    if (file_io::renameOver(tempPath, target)) return true;
    error = errno;
    file_io::removeFile(tempPath);
    return false;
}

// A copy of every byte of the regular file `path` into a new temporary file
// beside `copyPath`, with the file's permission bits; false, with nothing
// left, on any failure (a file that changed size while it was copied, too).
bool streamCopy(const std::string& path, const std::string& copyPath, std::string& tempPath) {
    OpenFile in = file_io::openToRead(path);
    const std::optional<std::uint64_t> size = file_io::regularFileSize(in);
    if (!size) return false;
    OpenFile out = createTemporary(copyPath, path, tempPath);
    if (!out.valid()) return false;
    uint8_t buffer[65536];
    std::uint64_t total = 0;
    bool ok = true;
    while (ok) {
        const long long got = file_io::readSome(in, buffer, sizeof buffer);
        if (got <= 0) {
            ok = got == 0;
            break;
        }
        ok = file_io::writeAll(out, buffer, static_cast<std::size_t>(got));
        total += static_cast<std::uint64_t>(got);
    }
    ok = ok && total == *size && file_io::flush(out) && out.close();
    if (!ok) {
        out.close();
        file_io::removeFile(tempPath);
    }
    return ok;
}

} // namespace

bool fileHolds(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::optional<FileIdentity> identity = fileIdentity(path);
    if (!identity || identity->size != bytes.size()) return false;
    const std::optional<FileHead> head = readFileHead(path, bytes.size() + 1);
    return head && head->bytes == bytes;
}

std::string whyNotWritable(const std::string& path) {
    const std::optional<std::string> resolved = file_io::followLinks(path);
    if (!resolved) return "is a symbolic link that leads nowhere";
    switch (file_io::kindOf(*resolved)) {
    case Kind::Folder:
        return "is a folder";
    case Kind::Other:
        return "is not a regular file";
    case Kind::None:
    case Kind::File:
        break;
    }
    return {};
}

// Safe: a save never truncates the old file before the new bytes are safely
// on disk, so a full disk or a crash mid-save leaves the old level intact.
bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes, std::string* why,
                     const SafeWriteOptions& options) {
    auto failed = [&](const std::string& reason) {
        if (why) *why = reason;
        return false;
    };
    auto failedWith = [&](int error) { return failed(std::strerror(error != 0 ? error : EIO)); };
    Target target;
    if (const std::string reason = findTarget(path, target); !reason.empty()) return failed(reason);
    if (target.exists) {
        // A read-only file is not replaced, as opening it for writing would fail.
        if (const int refusal = file_io::writeRefusal(target.path)) return failedWith(refusal);
        if (fileHolds(target.path, bytes)) return true;
    }

    std::string tempPath;
    int error = 0;
    switch (writeTemporary(target, bytes, tempPath, error)) {
    case Staging::Staged:
        break;
    case Staging::FolderRefused:
        if (target.exists && writeInPlace(target.path, bytes, options, error)) return true;
        return failedWith(error);
    case Staging::Failed:
        return failedWith(error);
    }
    if (!commitTemporary(tempPath, target.path, error)) {
        // A file that may be written but not replaced is written in place,
        // as for a folder that takes no new files.
        if (target.exists && replaceRefused(error) &&
            writeInPlace(target.path, bytes, options, error)) {
            return true;
        }
        return failedWith(error);
    }
    return true;
}

bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes) {
    return writeFileSafely(path, bytes, nullptr);
}

std::optional<StagedFile> stageFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    Target target;
    if (!findTarget(path, target).empty()) return std::nullopt;
    if (target.exists && file_io::writeRefusal(target.path) != 0) return std::nullopt;
    StagedFile staged;
    int error = 0;
    if (writeTemporary(target, bytes, staged.temporary, error) != Staging::Staged)
        return std::nullopt;
    staged.target = target.path;
    staged.replaces = target.exists;
    return staged;
}

bool commitStagedFile(const StagedFile& staged) {
    int error = 0;
    if (commitTemporary(staged.temporary, staged.target, error)) return true;
    errno = error;
    return false;
}

void discardStagedFile(const StagedFile& staged) {
    file_io::removeFile(staged.temporary);
}

// Safe: the copy is a second name of the same file or a copy of every byte,
// never a read cut off at a size limit, and it replaces an older copy only
// once it is complete.
bool keepWholeCopy(const std::string& path, const std::string& copyPath) {
    const std::optional<std::string> resolved = file_io::followLinks(path);
    if (!resolved || copyPath.empty() || file_io::kindOf(*resolved) != Kind::File) return false;
    removeStaleTemporaries(copyPath);

    std::string tempPath;
    std::random_device device;
    bool linked = false;
    for (int attempt = 0; attempt < kNameAttempts && !linked; ++attempt) {
        tempPath = temporaryName(copyPath, device);
        linked = file_io::hardLink(*resolved, tempPath);
        if (!linked && errno != EEXIST) break;
    }
    // No hard link here (another file system, or one without them).
    if (!linked && !streamCopy(*resolved, copyPath, tempPath)) return false;
    int error = 0;
    if (!commitTemporary(tempPath, copyPath, error)) return false;
    // A rename between two names of one file may leave both: the copy was
    // already this file, and the temporary name goes by hand.
    file_io::removeFile(tempPath);
    return true;
}

} // namespace tessaly
