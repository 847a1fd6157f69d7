// The steps of file_io.h with the POSIX calls.
#include "system/file_io_posix.h"

#include "system/files.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <ctime>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace tessaly::file_io {

namespace {

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

// Gives the new file `fd` the owner and group of a file with `model` where
// this user may set them; the attributes follow (a change of owner can drop
// some), and the mode comes last, since a change of owner can clear set-id
// bits.
void keepLike(int fd, const std::string& modelPath, const struct stat& model) {
    const bool groupKept = ::fchown(fd, model.st_uid, model.st_gid) == 0 ||
                           ::fchown(fd, static_cast<uid_t>(-1), model.st_gid) == 0;
    copyExtendedAttributes(modelPath, fd);
    ::fchmod(fd, keptMode(model.st_mode, groupKept));
}

void syncFolder(const std::string& folder) {
    OpenFile fd(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.valid()) ::fsync(descriptor(fd));
}

} // namespace

bool OpenFile::close() {
    const int fd = static_cast<int>(native_);
    native_ = -1;
    return fd < 0 || ::close(fd) == 0;
}

bool readAll(const OpenFile& file, std::vector<uint8_t>& out, std::size_t limit) {
    uint8_t buffer[65536];
    while (out.size() < limit) {
        const long long got = readSome(file, buffer, std::min(sizeof buffer, limit - out.size()));
        if (got == 0) return true;
        if (got < 0) return false;
        out.insert(out.end(), buffer, buffer + got);
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> followLinks(std::string path) {
    constexpr int kMaxLinks = 40;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info {};
        if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
        char target[PATH_MAX];
        const ssize_t length = ::readlink(path.c_str(), target, sizeof target - 1);
        if (length <= 0) return std::nullopt;
        const std::string link(target, static_cast<std::size_t>(length));
        path = link.front() == '/' ? link : joinPath(folderOf(path), link);
    }
    return std::nullopt; // a loop of links
}

Kind kindOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return Kind::None;
    if (S_ISREG(info.st_mode)) return Kind::File;
    return S_ISDIR(info.st_mode) ? Kind::Folder : Kind::Other;
}

int writeRefusal(const std::string& path) {
    return ::access(path.c_str(), W_OK) == 0 ? 0 : errno;
}

OpenFile createNew(const std::string& path, const std::string& model) {
    struct stat info {};
    const bool like = !model.empty() && ::stat(model.c_str(), &info) == 0;
    // Created with the model's bits from the start, so that it is never more
    // open than the model, even for a moment.
    const mode_t mode = like ? info.st_mode & 07777 : 0666;
    OpenFile file(::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode));
    if (file.valid() && like) keepLike(descriptor(file), model, info);
    return file;
}

OpenFile openToRead(const std::string& path) {
    return OpenFile(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
}

OpenFile openToWrite(const std::string& path) {
    return OpenFile(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
}

std::optional<std::uint64_t> regularFileSize(const OpenFile& file) {
    struct stat info {};
    if (!file.valid() || ::fstat(descriptor(file), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    return static_cast<std::uint64_t>(info.st_size);
}

long long readSome(const OpenFile& file, uint8_t* buffer, std::size_t size) {
    for (;;) {
        const ssize_t got = ::read(descriptor(file), buffer, size);
        if (got >= 0 || errno != EINTR) return got;
    }
}

bool writeAll(const OpenFile& file, const uint8_t* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = ::write(descriptor(file), bytes + done, size - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool flush(const OpenFile& file) {
    return ::fsync(descriptor(file)) == 0;
}

bool overwrite(const OpenFile& file, const std::vector<uint8_t>& bytes) {
    return ::lseek(descriptor(file), 0, SEEK_SET) == 0 &&
           writeAll(file, bytes.data(), bytes.size()) &&
           ::ftruncate(descriptor(file), static_cast<off_t>(bytes.size())) == 0 && flush(file);
}

bool renameOver(const std::string& from, const std::string& to) {
    if (::rename(from.c_str(), to.c_str()) != 0) return false;
    syncFolder(folderOf(to));
    return true;
}

bool hardLink(const std::string& file, const std::string& name) {
    if (::link(file.c_str(), name.c_str()) != 0) return false;
    // The name made is the file itself (link() follows no link): anything
    // but a regular file is taken back.
    struct stat info {};
    if (::lstat(name.c_str(), &info) == 0 && S_ISREG(info.st_mode)) return true;
    ::unlink(name.c_str());
    errno = EINVAL;
    return false;
}

void removeFile(const std::string& path) {
    ::unlink(path.c_str());
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    DIR* dir = ::opendir(folder.c_str());
    if (!dir) return names;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view name = entry->d_name;
        if (name != "." && name != "..") names.emplace_back(name);
    }
    ::closedir(dir);
    return names;
}

std::optional<std::int64_t> secondsSinceChanged(const std::string& path) {
    struct stat info {};
    if (::lstat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    return std::int64_t(std::time(nullptr) - info.st_mtime);
}

} // namespace tessaly::file_io
