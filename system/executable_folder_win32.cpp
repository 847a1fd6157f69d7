#include "system/executable_folder.h"

#include <windows.h>

#include "system/text_encoding.h"

namespace tessaly {

std::string executableFolder() {
    // The buffer grows until the whole path fits: it may be longer than the
    // old 260-character limit.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), DWORD(path.size()));
        if (length == 0) return {};
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() > 32768) return {};
        path.resize(path.size() * 2);
    }
    const std::size_t slash = path.find_last_of(L"\\/");
    if (slash == std::wstring::npos) return {};
    return utf16ToUtf8(std::u16string(path.begin(), path.begin() + std::ptrdiff_t(slash)));
}

} // namespace tessaly
