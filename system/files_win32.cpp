// The file helpers on Windows: wide-character calls with the program's UTF-8
// paths, so names in any script work, and the long form of a path (\\?\) for
// paths past the old 260-character limit. The writes are in safe_write_win32.cpp.
#include "system/file_io_win32.h"
#include "system/files.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "system/text_encoding.h"

namespace tessaly {

namespace file_io {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

} // namespace

std::wstring wide(const std::string& utf8) {
    const std::u16string text = utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string narrow(const wchar_t* text) {
    return utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text)));
}

// The \\?\ form takes no '/' and no "..", so the absolute path given to it is
// the one the system made.
std::wstring systemPath(const std::string& path) {
    const std::wstring given = wide(path);
    const DWORD needed = GetFullPathNameW(given.c_str(), 0, nullptr, nullptr);
    if (needed == 0) return given;
    std::wstring full(needed, L'\0');
    const DWORD length = GetFullPathNameW(given.c_str(), needed, full.data(), nullptr);
    if (length == 0 || length >= needed) return given;
    full.resize(length);
    // Folders are limited to 248 characters: a file path longer than that may
    // name a file in a folder that is already too long for the short form.
    constexpr std::size_t kShortLimit = 240;
    if (full.size() < kShortLimit || full.rfind(L"\\\\?\\", 0) == 0) return full;
    if (full.rfind(L"\\\\", 0) == 0) return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

bool Handle::close() {
    const HANDLE h = h_;
    h_ = INVALID_HANDLE_VALUE;
    return h == INVALID_HANDLE_VALUE || CloseHandle(h) != 0;
}

bool writeAll(HANDLE file, const uint8_t* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const DWORD chunk = DWORD(std::min<std::size_t>(size - done, 1u << 20));
        DWORD put = 0;
        if (!WriteFile(file, bytes + done, chunk, &put, nullptr) || put == 0) return false;
        done += put;
    }
    return true;
}

std::string folderOf(const std::string& path) {
    const auto cut = std::find_if(path.rbegin(), path.rend(), isSeparator);
    if (cut == path.rend()) return ".";
    const std::size_t at = std::size_t(path.rend() - cut) - 1;
    // "C:\LEVEL.CK1" and "\LEVEL.CK1" live in the root, which keeps its separator.
    if (at == 0 || (at == 2 && path[1] == ':')) return path.substr(0, at + 1);
    return path.substr(0, at);
}

std::string nameOf(const std::string& path) {
    const auto cut = std::find_if(path.rbegin(), path.rend(), isSeparator);
    return std::string(cut.base(), path.end());
}

bool failWith(DWORD error) {
    switch (error) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_INVALID_NAME:
    case ERROR_BAD_NETPATH:
    case ERROR_BAD_PATHNAME:
        errno = ENOENT;
        break;
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        errno = EACCES;
        break;
    case ERROR_WRITE_PROTECT:
        errno = EROFS;
        break;
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        errno = ENOSPC;
        break;
    default:
        errno = EIO;
        break;
    }
    return false;
}

} // namespace file_io

using file_io::Handle;
using file_io::systemPath;

std::optional<FileHead> readFileHead(const std::string& path, std::size_t limit) {
    if (path.empty()) return std::nullopt;
    // A folder cannot be opened this way; a device or a pipe is not a disk file.
    Handle file(CreateFileW(systemPath(path).c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
    FileHead head;
    head.bytes.reserve(std::min(static_cast<std::size_t>(size.QuadPart), limit));
    uint8_t buffer[65536];
    while (head.bytes.size() < limit) {
        DWORD got = 0;
        const DWORD want = DWORD(std::min(sizeof buffer, limit - head.bytes.size()));
        if (!ReadFile(file.get(), buffer, want, &got, nullptr)) return std::nullopt;
        if (got == 0) break;
        head.bytes.insert(head.bytes.end(), buffer, buffer + got);
    }
    // A file that grew since its size was read is at least as long as what was read.
    head.fileBytes = std::max<std::uint64_t>(std::uint64_t(size.QuadPart), head.bytes.size());
    return head;
}

std::string whyUnreadable(const std::string& path) {
    if (path.empty()) return std::strerror(ENOENT);
    const std::wstring name = systemPath(path);
    const DWORD attributes = GetFileAttributesW(name.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::strerror(EISDIR);
    }
    Handle file(CreateFileW(name.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        file_io::failWith(GetLastError());
        return std::strerror(errno);
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) return "not a regular file";
    uint8_t byte = 0;
    DWORD got = 0;
    if (!ReadFile(file.get(), &byte, 1, &got, nullptr)) {
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
    if (path.empty()) return std::nullopt;
    // Opened for no access at all, so any file can be looked at; a link is
    // followed to its target.
    Handle file(CreateFileW(systemPath(path).c_str(), 0,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || GetFileType(file.get()) != FILE_TYPE_DISK ||
        !GetFileInformationByHandle(file.get(), &info) ||
        (info.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE))) {
        return std::nullopt;
    }
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

// Windows answers who may write where through access lists that no flag
// test reads whole: a file is made there, unseen and gone on close.
bool isWritableFolder(const std::string& path) {
    if (path.empty()) return false;
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return false;
    }
    const std::string probe = joinPath(path, ".tessaly-write-test.tmp");
    Handle file(CreateFileW(systemPath(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_HIDDEN | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return file.valid() || GetLastError() == ERROR_FILE_EXISTS;
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (folder.back() == '\\' || folder.back() == '/') return folder + name;
    return folder + "\\" + name;
}

} // namespace tessaly
