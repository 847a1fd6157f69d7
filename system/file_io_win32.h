// The Windows side of file_io.h, for the Windows half of the system's helpers
// (files_win32.cpp, processes_win32.cpp, process_start_win32.cpp):
// wide-character paths, the handle of an open file and the errno of a
// Windows error. Not for use outside system/.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "system/file_io.h"

namespace tessaly::file_io {

// The program's UTF-8 text in the wide characters of the system's calls, and back.
std::wstring wide(const std::string& utf8);
std::string narrow(const wchar_t* text);

// The path as the wide-character calls take it: made absolute, and in the
// long form (\\?\) when it is long enough to hit the old 260-character limit.
std::wstring systemPath(const std::string& path);

// An open file from the handle of a call that opens one (INVALID_HANDLE_VALUE
// for none), and its handle.
inline OpenFile opened(HANDLE h) {
    return OpenFile(reinterpret_cast<std::intptr_t>(h));
}
inline HANDLE handle(const OpenFile& file) {
    return reinterpret_cast<HANDLE>(file.native());
}

// Sets errno for a Windows error, so that callers tell the user why a file
// could not be written in the same words as on other systems; returns false.
bool failWith(DWORD error);

} // namespace tessaly::file_io
