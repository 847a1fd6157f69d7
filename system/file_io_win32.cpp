// The steps of file_io.h with the wide-character calls of Windows, and the
// pieces the Windows half of the system's helpers shares (file_io_win32.h).
#include "system/file_io_win32.h"

#include <algorithm>
#include <cerrno>

#include "system/files.h"
#include "system/text_encoding.h"

namespace tessaly::file_io {

namespace {

// The marks of a file that a file made like it takes (not read-only: such a
// file is never replaced, and a copy of it must not stay unreplaceable).
constexpr DWORD kKeptAttributes = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                  FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// A FILETIME, which counts 100 ns steps, in whole seconds.
int64_t fileTimeSeconds(const FILETIME& t) {
    return int64_t((uint64_t(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 10000000;
}

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
    case ERROR_FILE_EXISTS:
    case ERROR_ALREADY_EXISTS:
        errno = EEXIST;
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

bool OpenFile::close() {
    const HANDLE h = handle(*this);
    native_ = -1;
    return h == INVALID_HANDLE_VALUE || CloseHandle(h) != 0 || failWith(GetLastError());
}

// Windows opens a file through its links itself: the path is taken as it is.
std::optional<std::string> followLinks(std::string path) {
    return path;
}

Kind kindOf(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return Kind::None;
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return Kind::Folder;
    return attributes & FILE_ATTRIBUTE_DEVICE ? Kind::Other : Kind::File;
}

int writeRefusal(const std::string& path) {
    const DWORD attributes = GetFileAttributesW(systemPath(path).c_str());
    const bool readOnly =
        attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
    return readOnly ? EACCES : 0;
}

OpenFile createNew(const std::string& path, const std::string& model) {
    OpenFile file = opened(CreateFileW(systemPath(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                       CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        failWith(GetLastError());
        return file;
    }
    const DWORD attributes =
        model.empty() ? INVALID_FILE_ATTRIBUTES : GetFileAttributesW(systemPath(model).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A 0 leaves a time, or the marks, as they are: no marks is NORMAL.
        FILE_BASIC_INFO basic{};
        basic.FileAttributes =
            attributes & kKeptAttributes ? attributes & kKeptAttributes : FILE_ATTRIBUTE_NORMAL;
        SetFileInformationByHandle(handle(file), FileBasicInfo, &basic, sizeof basic);
    }
    return file;
}

OpenFile openToRead(const std::string& path) {
    OpenFile file = opened(CreateFileW(systemPath(path).c_str(), GENERIC_READ,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                       nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) failWith(GetLastError());
    return file;
}

// Shared with other readers and writers, as on other systems: a file another
// program holds open, which cannot be replaced, can still be written.
OpenFile openToWrite(const std::string& path) {
    OpenFile file = opened(CreateFileW(systemPath(path).c_str(), GENERIC_WRITE,
                                       FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) failWith(GetLastError());
    return file;
}

std::optional<std::uint64_t> regularFileSize(const OpenFile& file) {
    LARGE_INTEGER size{};
    if (!file.valid() || GetFileType(handle(file)) != FILE_TYPE_DISK ||
        !GetFileSizeEx(handle(file), &size)) {
        return std::nullopt;
    }
    return std::uint64_t(size.QuadPart);
}

long long readSome(const OpenFile& file, uint8_t* buffer, std::size_t size) {
    DWORD got = 0;
    const DWORD want = DWORD(std::min<std::size_t>(size, 1u << 20));
    if (!ReadFile(handle(file), buffer, want, &got, nullptr)) {
        failWith(GetLastError());
        return -1;
    }
    return got;
}

bool writeAll(const OpenFile& file, const uint8_t* bytes, std::size_t size) {
    std::size_t done = 0;
    while (done < size) {
        const DWORD chunk = DWORD(std::min<std::size_t>(size - done, 1u << 20));
        DWORD put = 0;
        if (!WriteFile(handle(file), bytes + done, chunk, &put, nullptr) || put == 0)
            return failWith(GetLastError());
        done += put;
    }
    return true;
}

bool flush(const OpenFile& file) {
    return FlushFileBuffers(handle(file)) || failWith(GetLastError());
}

bool overwrite(const OpenFile& file, const std::vector<uint8_t>& bytes) {
    const LARGE_INTEGER start{};
    if (!SetFilePointerEx(handle(file), start, nullptr, FILE_BEGIN))
        return failWith(GetLastError());
    if (!writeAll(file, bytes.data(), bytes.size())) return false;
    if (!SetEndOfFile(handle(file))) return failWith(GetLastError());
    return flush(file);
}

// Written through: the call returns once the move is on the disk.
bool renameOver(const std::string& from, const std::string& to) {
    return MoveFileExW(systemPath(from).c_str(), systemPath(to).c_str(),
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) ||
           failWith(GetLastError());
}

bool hardLink(const std::string& file, const std::string& name) {
    return CreateHardLinkW(systemPath(name).c_str(), systemPath(file).c_str(), nullptr) ||
           failWith(GetLastError());
}

void removeFile(const std::string& path) {
    DeleteFileW(systemPath(path).c_str());
}

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(systemPath(joinPath(folder, "*")).c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::string name = narrow(entry.cFileName);
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    return names;
}

std::optional<std::int64_t> secondsSinceChanged(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(systemPath(path).c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))) {
        return std::nullopt;
    }
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    return fileTimeSeconds(now) - fileTimeSeconds(data.ftLastWriteTime);
}

} // namespace tessaly::file_io
