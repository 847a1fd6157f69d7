// Writing files so that the old file is never destroyed, on Windows (declared
// in files.h): new bytes go to a fresh temporary file beside the target,
// flushed to disk, and MoveFileEx puts them in place, replacing the old file
// and waiting until the move is on disk.
#include "system/file_io_win32.h"
#include "system/files.h"
#include "system/temporary_names.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string_view>

#include "system/path_text.h"

namespace tessaly {

namespace {

using file_io::failWith;
using file_io::folderOf;
using file_io::Handle;
using file_io::nameOf;
using file_io::systemPath;

// A temporary file not changed for this long belongs to a save that was killed.
constexpr int64_t kStaleSeconds = 60;
// The marks of a file that a replacement keeps (not read-only: such a file
// is never replaced).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

std::string temporaryPrefix(const std::string& target) {
    return temporary_names::prefixFor(nameOf(target));
}

std::string temporaryName(const std::string& target, std::random_device& device) {
    return joinPath(folderOf(target), temporary_names::nameFor(nameOf(target), device));
}

int64_t fileTimeSeconds(const FILETIME& t) {
    return int64_t((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000000;
}

// Safe: a save killed half way leaves its temporary file behind; the next
// save of the same target removes such files once they are a minute old.
// Only plain files named exactly as this target's temporary files are
// touched, never a link.
void removeStaleTemporaries(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::string prefix = temporaryPrefix(target);
    WIN32_FIND_DATAW entry;
    const HANDLE search =
        FindFirstFileW(systemPath(joinPath(folder, prefix + "*")).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    do {
        const std::string name = file_io::narrow(entry.cFileName);
        if (!temporary_names::isTemporaryOf(name, prefix)) continue;
        if (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
            continue;
        }
        if (fileTimeSeconds(now) - fileTimeSeconds(entry.ftLastWriteTime) >= kStaleSeconds) {
            DeleteFileW(systemPath(joinPath(folder, name)).c_str());
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
}

// Creates a new, empty temporary file beside `target`. The name is random and
// created exclusively, so two saves never share one.
HANDLE createTemporary(const std::string& target, std::string& tempPath, DWORD& error) {
    std::random_device device;
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = temporaryName(target, device);
        const HANDLE h = CreateFileW(systemPath(tempPath).c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return h;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return h;
    }
    error = ERROR_FILE_EXISTS;
    return INVALID_HANDLE_VALUE;
}

// The file a write goes to and what is there now; nothing when the path is
// empty or names something other than a file.
struct Target {
    std::string path;
    bool exists = false;
    DWORD attributes = 0;
};

std::optional<Target> findTarget(const std::string& path) {
    if (path.empty()) {
        errno = ENOENT;
        return std::nullopt;
    }
    Target target;
    target.path = path;
    target.attributes = GetFileAttributesW(systemPath(path).c_str());
    target.exists = target.attributes != INVALID_FILE_ATTRIBUTES;
    if (target.exists && (target.attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) {
        errno = EISDIR;
        return std::nullopt;
    }
    return target;
}

bool readOnly(const Target& target) {
    return target.exists && (target.attributes & FILE_ATTRIBUTE_READONLY);
}

enum class Staging { Staged, FolderRefused, Failed };

// Writes the bytes into a new temporary file beside the target, flushed to
// disk and closed, with the target's marks. Nothing is left behind on failure.
Staging writeTemporary(const Target& target, const std::vector<uint8_t>& bytes,
                       std::string& tempPath) {
    removeStaleTemporaries(target.path);
    DWORD error = 0;
    Handle file(createTemporary(target.path, tempPath, error));
    if (!file.valid()) {
        failWith(error);
        const bool refused = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
        return refused ? Staging::FolderRefused : Staging::Failed;
    }
    const std::wstring temp = systemPath(tempPath);
    const bool written = file_io::writeAll(file.get(), bytes.data(), bytes.size()) &&
                         FlushFileBuffers(file.get()) && file.close();
    if (!written) {
        failWith(GetLastError());
        file.close();
        DeleteFileW(temp.c_str());
        return Staging::Failed;
    }
    if (target.exists) SetFileAttributesW(temp.c_str(), target.attributes & kKeptAttributes);
    return Staging::Staged;
}

// Overwrites the file itself, for a writable file in a folder where no
// temporary file can be made. Safe: only a file whose old bytes could be read
// whole is written, so that they can be put back when the write fails; with a
// backup folder they are first kept there too, so that a crash during the
// write cannot lose both. The backup goes once the new bytes are on disk.
bool writeInPlace(const std::string& target, const std::vector<uint8_t>& bytes,
                  const SafeWriteOptions& options) {
    const std::optional<FileHead> old = readFileHead(target);
    if (!old || old->fileBytes != old->bytes.size()) {
        errno = EFBIG;
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
            errno = EACCES;
            return false;
        }
    }
    Handle file(CreateFileW(systemPath(target).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return failWith(GetLastError());
    auto put = [&](const std::vector<uint8_t>& data) {
        LARGE_INTEGER start{};
        return SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) &&
               file_io::writeAll(file.get(), data.data(), data.size()) &&
               SetEndOfFile(file.get()) && FlushFileBuffers(file.get());
    };
    if (put(bytes) && file.close()) {
        if (!backup.empty()) DeleteFileW(systemPath(backup).c_str());
        return true;
    }
    const DWORD error = GetLastError();
    put(old->bytes);
    return failWith(error);
}

bool moveOver(const std::string& from, const std::string& to) {
    return MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
}

// The volume and file number of an existing file or folder.
std::optional<BY_HANDLE_FILE_INFORMATION> identityOf(const std::string& path) {
    Handle file(CreateFileW(systemPath(path).c_str(), 0,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return info;
}

// Safe: a save never truncates the old file before the new bytes are safely
// on disk, so a full disk or a crash mid-save leaves the old level intact.
// False with errno set on failure.
bool writeSafely(const std::string& path, const std::vector<uint8_t>& bytes,
                 const SafeWriteOptions& options) {
    const std::optional<Target> target = findTarget(path);
    if (!target) return false;
    if (target->exists) {
        // A read-only file is not replaced, as opening it for writing would fail.
        if (readOnly(*target)) return failWith(ERROR_ACCESS_DENIED);
        if (fileHolds(target->path, bytes)) return true;
    }

    std::string tempPath;
    switch (writeTemporary(*target, bytes, tempPath)) {
    case Staging::Staged:
        break;
    case Staging::FolderRefused:
        return target->exists && writeInPlace(target->path, bytes, options);
    case Staging::Failed:
        return false;
    }
    if (!moveOver(tempPath, target->path)) {
        // A file this user may write but not replace, or one another program
        // holds open without letting it go: written in place instead.
        const DWORD error = GetLastError();
        DeleteFileW(systemPath(tempPath).c_str());
        const bool replaceRefused =
            error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        if (target->exists && replaceRefused) return writeInPlace(target->path, bytes, options);
        return failWith(error);
    }
    return true;
}

} // namespace

bool fileHolds(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (path.empty()) return false;
    const std::optional<FileHead> head = readFileHead(path, bytes.size() + 1);
    return head && head->fileBytes == bytes.size() && head->bytes == bytes;
}

std::string whyNotWritable(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return {};
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return "is a folder";
    if (attributes & FILE_ATTRIBUTE_DEVICE) return "is not a regular file";
    return {};
}

bool sameFile(const std::string& a, const std::string& b) {
    const auto first = identityOf(a);
    const auto second = identityOf(b);
    return first && second && first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
           first->nFileIndexHigh == second->nFileIndexHigh &&
           first->nFileIndexLow == second->nFileIndexLow;
}

bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes) {
    return writeFileSafely(path, bytes, nullptr);
}

bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes, std::string* why,
                     const SafeWriteOptions& options) {
    errno = 0;
    if (writeSafely(path, bytes, options)) return true;
    if (why) *why = std::strerror(errno != 0 ? errno : EIO);
    return false;
}

std::optional<StagedFile> stageFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::optional<Target> target = findTarget(path);
    if (!target || readOnly(*target)) return std::nullopt;
    StagedFile staged;
    if (writeTemporary(*target, bytes, staged.temporary) != Staging::Staged) return std::nullopt;
    staged.target = target->path;
    staged.replaces = target->exists;
    return staged;
}

bool commitStagedFile(const StagedFile& staged) {
    if (moveOver(staged.temporary, staged.target)) return true;
    const DWORD error = GetLastError();
    DeleteFileW(systemPath(staged.temporary).c_str());
    return failWith(error);
}

void discardStagedFile(const StagedFile& staged) {
    DeleteFileW(systemPath(staged.temporary).c_str());
}

// Safe: the copy is a second name of the same file or a copy of every byte,
// and it replaces an older copy only once it is complete.
bool keepWholeCopy(const std::string& path, const std::string& copyPath) {
    if (path.empty() || copyPath.empty()) return false;
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES ||
        (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) {
        return false;
    }
    removeStaleTemporaries(copyPath);
    std::string tempPath;
    std::random_device device;
    bool made = false;
    for (int attempt = 0; attempt < 16 && !made; ++attempt) {
        tempPath = temporaryName(copyPath, device);
        made = CreateHardLinkW(systemPath(tempPath).c_str(), systemPath(path).c_str(), nullptr);
        // No hard link here (another volume, or one without them): a copy of
        // every byte, which fails rather than replace anything.
        if (!made) made = CopyFileW(systemPath(path).c_str(), systemPath(tempPath).c_str(), TRUE);
        if (!made && GetLastError() != ERROR_FILE_EXISTS) return false;
    }
    if (!made) return false;
    if (!moveOver(tempPath, copyPath)) {
        DeleteFileW(systemPath(tempPath).c_str());
        return false;
    }
    return true;
}

} // namespace tessaly
