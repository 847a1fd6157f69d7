#include "system/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include "system/text_encoding.h"

namespace tessaly {

std::vector<std::string> utf8Arguments(int argc, char** argv) {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wide || count != argc) {
        if (wide) LocalFree(wide);
        return std::vector<std::string>(argv, argv + argc);
    }
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) {
        arguments.push_back(
            utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(wide[i]))));
    }
    LocalFree(wide);
    return arguments;
}

} // namespace tessaly
