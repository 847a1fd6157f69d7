// Low-level pieces shared by the Windows half of the file helpers
// (files_win32.cpp, safe_write_win32.cpp): wide-character paths, a handle
// that closes itself, whole writes, path parts and the errno of a Windows
// error. Not for use outside system/.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tessaly::file_io {

// The program's UTF-8 text in the wide characters of the system's calls, and back.
std::wstring wide(const std::string& utf8);
std::string narrow(const wchar_t* text);

// The path as the wide-character calls take it: made absolute, and in the
// long form (\\?\) when it is long enough to hit the old 260-character limit.
std::wstring systemPath(const std::string& path);

// Closes a handle when it goes out of scope.
class Handle {
  public:
    explicit Handle(HANDLE h) : h_(h) {}
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() { close(); }
    HANDLE get() const { return h_; }
    bool valid() const { return h_ != INVALID_HANDLE_VALUE; }
    // Closes now; false when the close reported an error.
    bool close();

  private:
    HANDLE h_;
};

bool writeAll(HANDLE file, const uint8_t* bytes, std::size_t size);

// The folder holding `path` ("." for a bare name; a root keeps its separator)
// and the name within it; both '\' and '/' separate.
std::string folderOf(const std::string& path);
std::string nameOf(const std::string& path);

// Sets errno for a Windows error, so that callers tell the user why a file
// could not be written in the same words as on other systems; returns false.
bool failWith(DWORD error);

} // namespace tessaly::file_io
