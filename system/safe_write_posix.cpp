// Writing files so that the old file is never destroyed (declared in files.h):
// new bytes go to a fresh temporary file beside the target, flushed to disk,
// and a rename puts them in place.
#include "system/file_io_posix.h"
#include "system/files.h"
#include "system/path_text.h"
#include "system/temporary_names.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <random>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tessaly {

namespace {

using file_io::FileDescriptor;
using file_io::folderOf;
using file_io::nameOf;

// A temporary file not changed for this long belongs to a save that was killed.
constexpr std::time_t kStaleSeconds = 60;

std::string temporaryPrefix(const std::string& target) {
    return temporary_names::prefixFor(nameOf(target));
}

std::string temporaryName(const std::string& target, std::random_device& device) {
    return joinPath(folderOf(target), temporary_names::nameFor(nameOf(target), device));
}

// Safe: a save killed half way leaves its temporary file behind; the next
// save of the same target removes such files once they are a minute old.
// Only regular files named exactly as this target's temporary files are
// touched, never a link.
void removeStaleTemporaries(const std::string& target) {
    const std::string folder = folderOf(target);
    const std::string prefix = temporaryPrefix(target);
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return;
    const std::time_t now = std::time(nullptr);
    while (const dirent* entry = ::readdir(dir)) {
        if (!temporary_names::isTemporaryOf(entry->d_name, prefix)) continue;
        const std::string path = joinPath(folder, entry->d_name);
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
        if (now - info.st_mtime >= kStaleSeconds) ::unlink(path.c_str());
    }
    ::closedir(dir);
}

// Creates a new, empty temporary file beside `target`; -1 with errno set
// when the folder does not allow it. The name is random and created
// exclusively, never through a link, so two saves never share one.
int createTemporary(const std::string& target, mode_t mode, std::string& tempPath) {
    std::random_device device;
    for (int attempt = 0; attempt < 16; ++attempt) {
        tempPath = temporaryName(target, device);
        const int fd =
            ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void syncFolder(const std::string& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());
}

// Copies the extended attributes of `from` onto the open file `to`; those
// the system refuses (a namespace this user may not set, a file system
// without them) are left out.
void copyExtendedAttributes(const std::string& from, int to) {
    const ssize_t listed = ::listxattr(from.c_str(), nullptr, 0);
    if (listed <= 0) return;
    std::vector<char> names(static_cast<std::size_t>(listed));
    const ssize_t size = ::listxattr(from.c_str(), names.data(), names.size());
    if (size <= 0) return;
    for (std::size_t at = 0; at < static_cast<std::size_t>(size);) {
        const char* name = names.data() + at;
        at += std::strlen(name) + 1;
        const ssize_t length = ::getxattr(from.c_str(), name, nullptr, 0);
        if (length < 0) continue;
        std::vector<char> value(static_cast<std::size_t>(length) + 1);
        const ssize_t got = ::getxattr(from.c_str(), name, value.data(), value.size());
        if (got < 0) continue;
        ::fsetxattr(to, name, value.data(), static_cast<std::size_t>(got), 0);
    }
}

// The permission bits for a new file standing in for one with `mode`.
// Safe: a file whose group could not be kept belongs to this user's own group
// now, which the old bits never meant to let in (a 0640 file of group root
// would become readable by the saver's group): it gets no group bits, and no
// set-group-ID bit.
mode_t keptMode(mode_t mode, bool groupKept) {
    return groupKept ? mode & 07777 : mode & 05707;
}

// The file a write goes to and what is there now.
struct Target {
    std::string path;
    bool exists = false;
    struct stat info {};
};

// Links followed; nothing when the path leads nowhere or names something
// other than a regular file.
std::optional<Target> findTarget(const std::string& path) {
    if (path.empty()) return std::nullopt;
    const std::optional<std::string> resolved = file_io::followLinks(path);
    if (!resolved) return std::nullopt;
    Target target;
    target.path = *resolved;
    target.exists = ::stat(target.path.c_str(), &target.info) == 0;
    if (target.exists && !S_ISREG(target.info.st_mode)) return std::nullopt;
    return target;
}

enum class Staging { Staged, FolderRefused, Failed };

// Writes the bytes into a new temporary file beside the target with the
// target's permission bits, owner, group and extended attributes where
// allowed, flushed to disk and closed. Nothing is left behind on failure.
Staging writeTemporary(const Target& target, const std::vector<uint8_t>& bytes,
                       std::string& tempPath, int& error) {
    removeStaleTemporaries(target.path);
    const mode_t mode = target.exists ? (target.info.st_mode & 07777) : 0666;
    FileDescriptor fd(createTemporary(target.path, mode, tempPath));
    if (!fd.valid()) {
        error = errno;
        const bool refused = error == EACCES || error == EPERM || error == EROFS;
        return refused ? Staging::FolderRefused : Staging::Failed;
    }
    if (target.exists) {
        // The owner and group are kept where this user may set them; the
        // attributes follow (a change of owner can drop some), and the mode
        // comes last, since a change of owner can clear set-id bits.
        const bool groupKept = ::fchown(fd.get(), target.info.st_uid, target.info.st_gid) == 0 ||
                               ::fchown(fd.get(), static_cast<uid_t>(-1), target.info.st_gid) == 0;
        copyExtendedAttributes(target.path, fd.get());
        ::fchmod(fd.get(), keptMode(target.info.st_mode, groupKept));
    }
    const bool written = file_io::writeAll(fd.get(), bytes.data(), bytes.size()) &&
                         ::fsync(fd.get()) == 0 && fd.close();
    if (!written) {
        error = errno;
        fd.close();
        ::unlink(tempPath.c_str());
        return Staging::Failed;
    }
    return Staging::Staged;
}

// Overwrites the file itself, for a writable file in a folder where no
// temporary file can be made. Safe: only a file whose old bytes could be read
// whole is written, so that they can be put back when the write fails; with a
// backup folder they are first kept there too, so that a crash during the
// write cannot lose both. The backup goes once the new bytes are on disk.
bool writeInPlace(const std::string& target, const std::vector<uint8_t>& bytes,
                  const SafeWriteOptions& options, int& error) {
    const std::optional<FileHead> old = readFileHead(target);
    if (!old || old->fileBytes != old->bytes.size()) {
        error = EFBIG;
        return false;
    }
    std::string backup;
    if (!options.inPlaceBackupFolder.empty()) {
        std::error_code ignoredError;
        std::filesystem::create_directories(pathFromUtf8(options.inPlaceBackupFolder),
                                            ignoredError);
        const std::string name = options.inPlaceBackupName.empty() ? nameOf(target) + ".before-save"
                                                                   : options.inPlaceBackupName;
        backup = joinPath(options.inPlaceBackupFolder, name);
        std::string ignored;
        if (!writeFileSafely(backup, old->bytes, &ignored)) {
            error = EACCES;
            return false;
        }
    }
    FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (!fd.valid()) {
        error = errno;
        return false;
    }
    auto put = [&](const std::vector<uint8_t>& data) {
        return ::lseek(fd.get(), 0, SEEK_SET) == 0 &&
               file_io::writeAll(fd.get(), data.data(), data.size()) &&
               ::ftruncate(fd.get(), static_cast<off_t>(data.size())) == 0 &&
               ::fsync(fd.get()) == 0;
    };
    if (put(bytes) && fd.close()) {
        if (!backup.empty()) ::unlink(backup.c_str());
        return true;
    }
    error = errno;
    put(old->bytes);
    return false;
}

// Renames `from` over `to`. When both already name one file the rename does
// nothing, so the temporary name is removed by hand.
bool renameOver(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    struct stat info {};
    if (::lstat(from.c_str(), &info) == 0) ::unlink(from.c_str());
    syncFolder(folderOf(to));
    return true;
}

// A copy of every byte of the open file `in` (of `size` bytes) into a new
// temporary file beside `copyPath`; false, with nothing left, on any failure.
bool streamCopy(int in, const struct stat& info, const std::string& copyPath,
                std::string& tempPath) {
    FileDescriptor out(createTemporary(copyPath, info.st_mode & 07777, tempPath));
    if (!out.valid()) return false;
    const bool groupKept = ::fchown(out.get(), static_cast<uid_t>(-1), info.st_gid) == 0;
    ::fchmod(out.get(), keptMode(info.st_mode, groupKept));
    uint8_t buffer[65536];
    std::uint64_t total = 0;
    bool ok = true;
    while (ok) {
        const ssize_t got = ::read(in, buffer, sizeof buffer);
        if (got == 0) break;
        if (got < 0) {
            ok = errno == EINTR;
            continue;
        }
        ok = file_io::writeAll(out.get(), buffer, static_cast<std::size_t>(got));
        total += static_cast<std::uint64_t>(got);
    }
    ok = ok && total == static_cast<std::uint64_t>(info.st_size) && ::fsync(out.get()) == 0 &&
         out.close();
    if (!ok) {
        out.close();
        ::unlink(tempPath.c_str());
    }
    return ok;
}

} // namespace

bool fileHolds(const std::string& path, const std::vector<uint8_t>& bytes) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode) ||
        static_cast<std::uint64_t>(info.st_size) != bytes.size()) {
        return false;
    }
    const std::optional<FileHead> head = readFileHead(path, bytes.size() + 1);
    return head && head->bytes == bytes;
}

std::string whyNotWritable(const std::string& path) {
    const std::optional<std::string> resolved = file_io::followLinks(path);
    if (!resolved) return "is a symbolic link that leads nowhere";
    struct stat info {};
    if (::stat(resolved->c_str(), &info) != 0) return {};
    if (S_ISDIR(info.st_mode)) return "is a folder";
    if (!S_ISREG(info.st_mode)) return "is not a regular file";
    return {};
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

// Safe: a save never truncates the old file before the new bytes are safely
// on disk, so a full disk or a crash mid-save leaves the old level intact.
bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes, std::string* why,
                     const SafeWriteOptions& options) {
    int error = 0;
    auto failed = [&](int code) {
        if (why) *why = std::strerror(code);
        return false;
    };
    if (path.empty()) return failed(ENOENT);
    const std::optional<Target> target = findTarget(path);
    if (!target) {
        // A loop of links, or something other than a regular file.
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0) return failed(ELOOP);
        if (S_ISDIR(info.st_mode)) return failed(EISDIR);
        if (why) *why = "not a regular file";
        return false;
    }
    if (target->exists) {
        // A read-only file is not replaced, as opening it for writing would fail.
        if (::access(target->path.c_str(), W_OK) != 0) return failed(errno);
        if (fileHolds(target->path, bytes)) return true;
    }

    std::string tempPath;
    switch (writeTemporary(*target, bytes, tempPath, error)) {
    case Staging::Staged:
        break;
    case Staging::FolderRefused:
        if (target->exists && writeInPlace(target->path, bytes, options, error)) return true;
        return failed(error);
    case Staging::Failed:
        return failed(error);
    }
    if (::rename(tempPath.c_str(), target->path.c_str()) != 0) {
        // In a sticky folder (/tmp, a shared drop folder) a file owned by
        // someone else may be writable but not replaceable, and a file
        // mounted over its name (a bind mount, as containers get their files)
        // cannot be renamed over (EBUSY): write it in place as for a folder
        // that takes no new files.
        error = errno;
        const bool replaceRefused = error == EACCES || error == EPERM || error == EBUSY;
        ::unlink(tempPath.c_str());
        if (target->exists && replaceRefused && writeInPlace(target->path, bytes, options, error))
            return true;
        return failed(error);
    }
    syncFolder(folderOf(target->path));
    return true;
}

bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes) {
    return writeFileSafely(path, bytes, nullptr);
}

std::optional<StagedFile> stageFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    const std::optional<Target> target = findTarget(path);
    if (!target) return std::nullopt;
    if (target->exists && ::access(target->path.c_str(), W_OK) != 0) return std::nullopt;
    StagedFile staged;
    int error = 0;
    if (writeTemporary(*target, bytes, staged.temporary, error) != Staging::Staged)
        return std::nullopt;
    staged.target = target->path;
    staged.replaces = target->exists;
    return staged;
}

bool commitStagedFile(const StagedFile& staged) {
    if (::rename(staged.temporary.c_str(), staged.target.c_str()) != 0) {
        ::unlink(staged.temporary.c_str());
        return false;
    }
    syncFolder(folderOf(staged.target));
    return true;
}

void discardStagedFile(const StagedFile& staged) {
    ::unlink(staged.temporary.c_str());
}

// Safe: the copy is a second name of the same file or a copy of every byte,
// never a read cut off at a size limit, and it replaces an older copy only
// once it is complete.
bool keepWholeCopy(const std::string& path, const std::string& copyPath) {
    const std::optional<std::string> resolved = file_io::followLinks(path);
    if (!resolved || copyPath.empty()) return false;
    removeStaleTemporaries(copyPath);

    std::string tempPath;
    std::random_device device;
    bool linked = false;
    for (int attempt = 0; attempt < 16 && !linked; ++attempt) {
        tempPath = temporaryName(copyPath, device);
        linked = ::link(resolved->c_str(), tempPath.c_str()) == 0;
        if (!linked && errno != EEXIST) break;
    }
    if (linked) {
        struct stat info {};
        if (::lstat(tempPath.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) {
            ::unlink(tempPath.c_str());
            return false;
        }
    } else {
        // No hard link here (another file system, or one without them).
        FileDescriptor in(::open(resolved->c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
        struct stat info {};
        if (!in.valid() || ::fstat(in.get(), &info) != 0 || !S_ISREG(info.st_mode) ||
            !streamCopy(in.get(), info, copyPath, tempPath)) {
            return false;
        }
    }
    if (!renameOver(tempPath, copyPath)) {
        ::unlink(tempPath.c_str());
        return false;
    }
    return true;
}

} // namespace tessaly
