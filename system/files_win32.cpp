// The file helpers on Windows: wide-character calls with the program's UTF-8
// paths, so names in any script work, and the long form of a path (\\?\) for
// paths past the old 260-character limit (file_io_win32.cpp). The writes are
// in safe_write.cpp.
#include "system/file_io_win32.h"
#include "system/files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "system/text_encoding.h"

namespace tessaly {

using file_io::handle;
using file_io::opened;
using file_io::OpenFile;
using file_io::systemPath;

namespace {

// What the system knows of the file or folder on the disk that `path`
// names: its volume, file number, size, time and marks. Opened for no
// access at all, so any file can be looked at; a link is followed to its
// target.
std::optional<BY_HANDLE_FILE_INFORMATION> informationOf(const std::string& path) {
    if (path.empty()) return std::nullopt;
    OpenFile file = opened(CreateFileW(
        systemPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || GetFileType(handle(file)) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(handle(file), &info)) {
        return std::nullopt;
    }
    return info;
}

} // namespace

std::optional<FileHead> readFileHead(const std::string& path, std::size_t limit) {
    if (path.empty()) return std::nullopt;
    // A folder cannot be opened this way; a device or a pipe is not a disk file.
    OpenFile file = file_io::openToRead(path);
    const std::optional<std::uint64_t> size = file_io::regularFileSize(file);
    if (!size) return std::nullopt;
    FileHead head;
    head.bytes.reserve(std::min(static_cast<std::size_t>(*size), limit));
    uint8_t buffer[65536];
    while (head.bytes.size() < limit) {
        DWORD got = 0;
        const DWORD want = DWORD(std::min(sizeof buffer, limit - head.bytes.size()));
        if (!ReadFile(handle(file), buffer, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        head.bytes.insert(head.bytes.end(), buffer, buffer + got);
    }
    // A file that grew since its size was read is at least as long as what was read.
    head.fileBytes = std::max<std::uint64_t>(*size, head.bytes.size());
    return head;
}

std::string whyUnreadable(const std::string& path) {
    if (path.empty()) return std::strerror(ENOENT);
    if (file_io::kindOf(path) == file_io::Kind::Folder) return std::strerror(EISDIR);
    OpenFile file = file_io::openToRead(path);
    if (!file.valid()) return std::strerror(errno);
    if (GetFileType(handle(file)) != FILE_TYPE_DISK) return "not a regular file";
    uint8_t byte = 0;
    DWORD got = 0;
    if (!ReadFile(handle(file), &byte, 1, &got, nullptr)) {
        file_io::failWith(GetLastError());
        return std::strerror(errno);
    }
    return "";
}

std::optional<std::vector<uint8_t>> readFileBytes(const std::string& path, std::size_t limit) {
    std::optional<FileHead> head = readFileHead(path, limit);
    if (!head) return std::nullopt;
    return std::move(head->bytes);
}

// Windows itself finds a name whatever its case; asking for the file by its
// name gives the name as the folder holds it.
std::string findFileIgnoringCase(const std::string& folder, const std::string& name) {
    const std::string exact = joinPath(folder, name);
    if (name.find_first_of("*?") != std::string::npos) return exact;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(systemPath(exact).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return exact;
    FindClose(search);
    return joinPath(folder, file_io::narrow(entry.cFileName));
}

std::optional<FileIdentity> fileIdentity(const std::string& path) {
    const std::optional<BY_HANDLE_FILE_INFORMATION> found = informationOf(path);
    if (!found || (found->dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) {
        return std::nullopt;
    }
    const BY_HANDLE_FILE_INFORMATION& info = *found;
    // FILETIME counts 100 ns steps since 1601-01-01.
    constexpr std::int64_t kUnixEpoch = 116444736000000000;
    const std::int64_t written =
        std::int64_t((std::uint64_t(info.ftLastWriteTime.dwHighDateTime) << 32) |
                     info.ftLastWriteTime.dwLowDateTime);
    FileIdentity identity;
    identity.device = info.dwVolumeSerialNumber;
    identity.file = (std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.modifiedNs = (written - kUnixEpoch) * 100;
    identity.size = (std::uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    return identity;
}

bool sameFile(const std::string& a, const std::string& b) {
    const auto first = informationOf(a);
    const auto second = informationOf(b);
    return first && second && first->dwVolumeSerialNumber == second->dwVolumeSerialNumber &&
           first->nFileIndexHigh == second->nFileIndexHigh &&
           first->nFileIndexLow == second->nFileIndexLow;
}

// Windows answers who may write where through access lists that no flag
// test reads whole: a file is made there, unseen and gone on close.
bool isWritableFolder(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    const std::string probe = joinPath(path, ".tessaly-write-test.tmp");
    OpenFile file =
        opened(CreateFileW(systemPath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                           FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.valid() || GetLastError() == ERROR_FILE_EXISTS;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + "\\" + name;
}

} // namespace tessaly
