#include "system/files.h"

#include "system/file_io_posix.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaly {

namespace {

using file_io::descriptor;
using file_io::OpenFile;

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

} // namespace

std::optional<FileHead> readFileHead(const std::string& path, std::size_t limit) {
    if (path.empty()) return std::nullopt;
    // Non-blocking so that opening a FIFO cannot hang; only regular files are
    // read, so a device cannot feed bytes without end.
    OpenFile file = file_io::openToRead(path);
    if (!file.valid()) return std::nullopt;
    struct stat info {};
    if (::fstat(descriptor(file), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
    FileHead head;
    head.bytes.reserve(std::min(static_cast<size_t>(info.st_size), limit));
    if (!file_io::readAll(file, head.bytes, limit)) return std::nullopt;
    // A file that grew since fstat is at least as long as what was read.
    head.fileBytes =
        std::max<std::uint64_t>(static_cast<std::uint64_t>(info.st_size), head.bytes.size());
    return head;
}

std::string whyUnreadable(const std::string& path) {
    if (path.empty()) return std::strerror(ENOENT);
    OpenFile file = file_io::openToRead(path);
    if (!file.valid()) return std::strerror(errno);
    struct stat info {};
    if (::fstat(descriptor(file), &info) != 0) return std::strerror(errno);
    if (S_ISDIR(info.st_mode)) return std::strerror(EISDIR);
    if (!S_ISREG(info.st_mode)) return "not a regular file";
    uint8_t byte = 0;
    if (::read(descriptor(file), &byte, 1) < 0) return std::strerror(errno);
    return "";
}

std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path, std::size_t limit) {
    std::optional<FileHead> head = readFileHead(path, limit);
    if (!head) return std::nullopt;
    return std::move(head->bytes);
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

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    FileIdentity identity;
    identity.device = static_cast<std::uint64_t>(info.st_dev);
    identity.file = static_cast<std::uint64_t>(info.st_ino);
    identity.modifiedNs = std::int64_t(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
    identity.size = static_cast<std::uint64_t>(info.st_size);
    return identity;
}

bool sameFile(const std::string& a, const std::string& b) {
    struct stat first {
    }, second{};
    return ::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool isWritableFolder(const std::string& path) {
    struct stat info {};
    if (path.empty() || ::stat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) return false;
    return ::access(path.c_str(), W_OK | X_OK) == 0;
}

} // namespace tessaly
