#include "system/file_io_posix.h"

#include "system/files.h"

#include <algorithm>
#include <cerrno>
#include <climits>

#include <sys/stat.h>
#include <unistd.h>

namespace tessaly::file_io {

bool FileDescriptor::close() {
    const int fd = fd_;
    fd_ = -1;
    return fd < 0 || ::close(fd) == 0;
}

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

bool writeAll(int fd, const uint8_t* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t put = ::write(fd, bytes + done, size - done);
        if (put < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += static_cast<std::size_t>(put);
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

} // namespace tessaly::file_io
