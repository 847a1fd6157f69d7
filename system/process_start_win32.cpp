#include "system/process_start.h"

#include <cstdlib>

#include "system/file_io_win32.h"

namespace tessaly {

namespace {

// One argument as the programs' own start-up code splits a command line
// (CommandLineToArgvW's rules): in double quotes when it is empty or holds a
// blank or a quote, a quote escaped with a backslash, and the backslashes
// before a quote or the closing quote doubled.
std::wstring quotedArgument(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\n\v\"") == std::wstring::npos)
        return argument;
    std::wstring out = L"\"";
    std::size_t backslashes = 0;
    for (wchar_t c : argument) {
        if (c == L'\\') {
            ++backslashes;
            continue;
        }
        if (c == L'"') {
            out.append(backslashes * 2 + 1, L'\\');
        } else {
            out.append(backslashes, L'\\');
        }
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, L'\\');
    return out + L"\"";
}

std::string systemMessage(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message = length && text ? file_io::narrow(text) : "error " + std::to_string(error);
    if (text) LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

} // namespace

std::string findProgramOnPath(const std::string& name) {
    if (name.empty()) return "";
    const std::wstring wideName = file_io::wide(name);
    std::wstring found(32768, L'\0');
    const DWORD length =
        SearchPathW(nullptr, wideName.c_str(), L".exe", DWORD(found.size()), found.data(), nullptr);
    if (length == 0 || length >= found.size()) return "";
    found.resize(length);
    return file_io::narrow(found.c_str());
}

// Short names are looked up for the path as it is (not its \\?\ form), as
// the programs that want them, DOS ones, take no other.
std::string shortPathOf(const std::string& path) {
    const std::wstring given = file_io::wide(path);
    const DWORD needed = GetShortPathNameW(given.c_str(), nullptr, 0);
    if (needed == 0) return path;
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(given.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed) return path;
    shortPath.resize(length);
    return file_io::narrow(shortPath.c_str());
}

std::string environmentValue(const char* name) {
    const wchar_t* value = _wgetenv(file_io::wide(name).c_str());
    return value ? file_io::narrow(value) : "";
}

// The process's handles are closed at once: it is never waited for and lives
// on when this program ends.
ProcessStart startProcess(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& folder) {
    ProcessStart result;
    const std::wstring application = file_io::wide(program);
    std::wstring commandLine = quotedArgument(application);
    for (const std::string& argument : arguments)
        commandLine += L" " + quotedArgument(file_io::wide(argument));
    const std::wstring workingFolder = file_io::wide(folder);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    const bool pathGiven = program.find_first_of("\\/") != std::string::npos;
    if (!CreateProcessW(pathGiven ? application.c_str() : nullptr, commandLine.data(), nullptr,
                        nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : workingFolder.c_str(), &startup, &process)) {
        result.why = program + ": " + systemMessage(GetLastError());
        return result;
    }
    result.started = true;
    result.owner = processOwnerOf(std::int64_t(process.dwProcessId));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}

} // namespace tessaly
