#include "platform/files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <random>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaly {

namespace {

// Closes a descriptor when it goes out of scope.
class FileDescriptor {
  public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    ~FileDescriptor() { close(); }
    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closes now; false when the close reported an error (a late write failure).
    bool close() {
        const int fd = fd_;
        fd_ = -1;
        return fd < 0 || ::close(fd) == 0;
    }

  private:
    int fd_;
};

bool readAll(int fd, std::vector<uint8_t>& out, std::size_t limit) {
    uint8_t buffer[65536];
    while (out.size() < limit) {
        const ssize_t got = ::read(fd, buffer, std::min(sizeof buffer, limit - out.size()));
        if (got == 0) return true;
        if (got < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        out.insert(out.end(), buffer, buffer + got);
    }
    return true;
}

bool writeAll(int fd, const std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<size_t>(put);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The file a path finally names: symbolic links are followed, a relative
// link from the folder that holds it. A link to a file that does not exist
// yet names that file, so saving through it creates the target.
std::optional<std::string> followLinks(std::string path) {
    constexpr int kMaxLinks = 40;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
        if (length <= 0) return std::nullopt;
        const std::string link(target, static_cast<size_t>(length));
        path = link.front() == '/' ? link : joinPath(folderOf(path), link);
    }
    return std::nullopt; // a loop of links
}

bool asciiEqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) {
            return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
        };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Creates a new, empty temporary file beside `target`; -1 when the folder
// does not allow it. The name is random and created exclusively, so two
// saves never share one.
int createTemporary(const std::string& target, mode_t mode, std::string& tempPath) {
    std::random_device device;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%08x%08x.tmp", device(), device());
        // The target's name is cut short so that the temporary name stays
        // within the system's limit even for the longest target names. The
        // name is built by appending: g++ 12 at -O3 falsely warns that
        // `"." + std::string` may copy overlapping memory (-Wrestrict).
        std::string name = ".";
        name.append(nameOf(target), 0, 200).append(suffix);
        tempPath = joinPath(folderOf(target), name);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

void syncFolder(const std::string& folder) {
    FileDescriptor fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(fd.get());
}

// Overwrites the file itself, for a writable file in a folder where no
// temporary file can be made. When the write fails the old bytes, if they
// could be read, are put back.
bool writeInPlace(const std::string& target, const std::vector<uint8_t>& bytes,
                  const std::optional<std::vector<uint8_t>>& oldBytes) {
    FileDescriptor fd(::open(target.c_str(), O_WRONLY | O_CLOEXEC));
    if (!fd.valid()) return false;
    auto put = [&](const std::vector<uint8_t>& data) {
        return ::lseek(fd.get(), 0, SEEK_SET) == 0 && writeAll(fd.get(), data) &&
               ::ftruncate(fd.get(), static_cast<off_t>(data.size())) == 0 &&
               ::fsync(fd.get()) == 0;
    };
    if (put(bytes)) return fd.close();
    if (oldBytes) put(*oldBytes);
    return false;
}

} // namespace

std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path, std::size_t limit) {
    if (path.empty()) return std::nullopt;
    // Non-blocking so that opening a FIFO cannot hang; only regular files are
    // read, so a device cannot feed bytes without end.
    FileDescriptor fd(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (!fd.valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(fd.get(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    std::vector<uint8_t> bytes;
    bytes.reserve(std::min(static_cast<size_t>(info.st_size), limit));
    if (!readAll(fd.get(), bytes, limit)) return std::nullopt;
    return bytes;
}

std::string findFileIgnoringCase(const std::string& folder, const std::string& name) {
    const std::string exact = joinPath(folder, name);
    struct stat info {};
    if (::stat(exact.c_str(), &info) == 0) return exact;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir) return exact;
    // Of several names that differ only in case, the smallest in byte order
    // is taken, so the choice does not depend on the folder's order.
    std::string found;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view candidate = entry->d_name;
        if (asciiEqualIgnoringCase(candidate, name) && (found.empty() || candidate < found)) {
            found = candidate;
        }
    }
    ::closedir(dir);
    return found.empty() ? exact : joinPath(folder, found);
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

// Safe: a save never truncates the old file before the new bytes are safely
// on disk, so a full disk or a crash mid-save leaves the old level intact.
bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (path.empty()) return false;
    const std::optional<std::string> resolved = followLinks(path);
    if (!resolved) return false;
    const std::string& target = *resolved;

    struct stat info {};
    const bool exists = ::stat(target.c_str(), &info) == 0;
    if (exists) {
        if (!S_ISREG(info.st_mode)) return false;
        // A read-only file is not replaced, as opening it for writing would fail.
        if (::access(target.c_str(), W_OK) != 0) return false;
        if (static_cast<std::size_t>(info.st_size) == bytes.size()) {
            const auto oldBytes = readFileBytes(target);
            if (oldBytes && *oldBytes == bytes) return true;
        }
    }

    std::string tempPath;
    FileDescriptor fd(createTemporary(target, exists ? (info.st_mode & 07777) : 0666, tempPath));
    if (!fd.valid()) {
        const bool folderRefused = errno == EACCES || errno == EPERM || errno == EROFS;
        return exists && folderRefused && writeInPlace(target, bytes, readFileBytes(target));
    }
    if (exists) {
        // The owner and group are kept where this user may set them; the
        // mode is set after, since a change of owner can clear set-id bits.
        if (::fchown(fd.get(), info.st_uid, info.st_gid) != 0) {
            [[maybe_unused]] const int ignored =
                ::fchown(fd.get(), static_cast<uid_t>(-1), info.st_gid);
        }
        ::fchmod(fd.get(), info.st_mode & 07777);
    }
    const bool written = writeAll(fd.get(), bytes) && ::fsync(fd.get()) == 0 && fd.close();
    if (!written) {
        fd.close();
        ::unlink(tempPath.c_str());
        return false;
    }
    if (::rename(tempPath.c_str(), target.c_str()) != 0) {
        // In a sticky folder (/tmp, a shared drop folder) a file owned by
        // someone else may be writable but not replaceable: write it in place
        // as for a folder that takes no new files.
        const bool replaceRefused = errno == EACCES || errno == EPERM;
        ::unlink(tempPath.c_str());
        return exists && replaceRefused && writeInPlace(target, bytes, readFileBytes(target));
    }
    syncFolder(folderOf(target));
    return true;
}

bool isWritableFolder(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    return ::access(path.c_str(), W_OK | X_OK) == 0;
}

} // namespace tessaly
