// The file helpers on Windows: wide-character calls with the program's UTF-8
// paths, so names in any script work, and the long form of a path (\\?\) for
// paths past the old 260-character limit.
#include "platform/files.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <random>

#include "platform/text_encoding.h"

namespace tessaly {

namespace {

bool isSeparator(char c) {
    return c == '\\' || c == '/';
}

std::wstring wide(const std::string& utf8) {
    const std::u16string text = utf8ToUtf16(utf8);
    return std::wstring(text.begin(), text.end());
}

std::string narrow(const wchar_t* text) {
    return utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text)));
}

// The path as the wide-character calls take it. Every path is made absolute
// first; one long enough to hit the old limit gets the \\?\ form, which
// takes no '/' and no "..", so the absolute path is the one the system made.
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

// A failed save tells why through errno, as on other systems, so the user
// reads the same reason everywhere.
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

// Closes a handle when it goes out of scope.
class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    bool close() {
        const HANDLE h = h_;
        h_ = INVALID_HANDLE_VALUE;
        return h == INVALID_HANDLE_VALUE || CloseHandle(h) != 0;
    }

  private:
    HANDLE h_;
};

bool writeAll(HANDLE file, const std::vector<uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = DWORD(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD put = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &put, nullptr) || put == 0) return false;
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

// Creates a new, empty temporary file beside `target`. The name is random and
// created exclusively, so two saves never share one.
HANDLE createTemporary(const std::string& target, std::string& tempPath, DWORD& error) {
    std::random_device device;
    for (int attempt = 0; attempt < 16; ++attempt) {
        char suffix[24];
        std::snprintf(suffix, sizeof suffix, ".%08x%08x.tmp", device(), device());
        tempPath = joinPath(folderOf(target), "." + nameOf(target).substr(0, 200) + suffix);
        const HANDLE h = CreateFileW(systemPath(tempPath).c_str(), GENERIC_WRITE, 0, nullptr,
                                     CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (h != INVALID_HANDLE_VALUE) return h;
        error = GetLastError();
        if (error != ERROR_FILE_EXISTS && error != ERROR_ALREADY_EXISTS) return h;
    }
    error = ERROR_FILE_EXISTS;
    return INVALID_HANDLE_VALUE;
}

// Overwrites the file itself, for a writable file in a folder where no
// temporary file can be made. When the write fails the old bytes, if they
// could be read, are put back.
bool writeInPlace(const std::string& target, const std::vector<uint8_t>& bytes,
                  const std::optional<std::vector<uint8_t>>& oldBytes) {
    Handle file(CreateFileW(systemPath(target).c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) return failWith(GetLastError());
    auto put = [&](const std::vector<uint8_t>& data) {
        LARGE_INTEGER start{};
        return SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) &&
               writeAll(file.get(), data) && SetEndOfFile(file.get()) &&
               FlushFileBuffers(file.get());
    };
    if (put(bytes)) return file.close() || failWith(GetLastError());
    const DWORD error = GetLastError();
    if (oldBytes) put(*oldBytes);
    return failWith(error);
}

} // namespace

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
    head.fileBytes = std::max<std::uint64_t>(std::uint64_t(size.QuadPart), head.bytes.size());
    return head;
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
    return joinPath(folder, narrow(entry.cFileName));
}

std::string joinPath(const std::string& folder, const std::string& name) {
    if (folder.empty()) return name;
    if (isSeparator(folder.back())) return folder + name;
    return folder + "\\" + name;
}

// Safe: a save never truncates the old file before the new bytes are safely
// on disk, so a full disk or a crash mid-save leaves the old level intact.
bool writeFileSafely(const std::string& path, const std::vector<uint8_t>& bytes) {
    if (path.empty()) {
        errno = ENOENT;
        return false;
    }
    const std::wstring target = systemPath(path);
    const DWORD attributes = GetFileAttributesW(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists) {
        if (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_DEVICE)) {
            errno = EISDIR;
            return false;
        }
        // A read-only file is not replaced, as opening it for writing would fail.
        if (attributes & FILE_ATTRIBUTE_READONLY) return failWith(ERROR_ACCESS_DENIED);
        const auto oldBytes = readFileBytes(path, bytes.size() + 1);
        if (oldBytes && *oldBytes == bytes) return true;
    }

    std::string tempPath;
    DWORD error = 0;
    Handle file(createTemporary(path, tempPath, error));
    if (!file.valid()) {
        const bool folderRefused = error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT;
        if (exists && folderRefused) return writeInPlace(path, bytes, readFileBytes(path));
        return failWith(error);
    }
    const std::wstring temp = systemPath(tempPath);
    const bool written = writeAll(file.get(), bytes) && FlushFileBuffers(file.get()) &&
                         file.close();
    if (!written) {
        error = GetLastError();
        file.close();
        DeleteFileW(temp.c_str());
        return failWith(error);
    }
    // The file's own marks (hidden, archive) stay as they were.
    if (exists) SetFileAttributesW(temp.c_str(), attributes);
    if (!MoveFileExW(temp.c_str(), target.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        // A file another program holds open without sharing its deletion, or
        // one this user may write but not replace: written in place instead.
        error = GetLastError();
        DeleteFileW(temp.c_str());
        const bool replaceRefused =
            error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION;
        if (exists && replaceRefused) return writeInPlace(path, bytes, readFileBytes(path));
        return failWith(error);
    }
    return true;
}

} // namespace tessaly
