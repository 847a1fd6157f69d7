#include "system/processes.h"

#include "system/file_io_win32.h"

namespace tessaly {

namespace {

std::uint64_t creationTime(HANDLE process) {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(process, &created, &exited, &kernel, &user)) return 0;
    return (std::uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime;
}

std::string hostName() {
    wchar_t name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD size = MAX_COMPUTERNAME_LENGTH + 1;
    if (!GetComputerNameW(name, &size)) return "";
    return file_io::narrow(name);
}

} // namespace

ProcessOwner thisProcess() {
    return {std::int64_t(GetCurrentProcessId()), creationTime(GetCurrentProcess()), hostName()};
}

ProcessOwner processOwnerOf(std::int64_t id) {
    ProcessOwner owner{id, 0, hostName()};
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(id));
    if (process) {
        owner.started = creationTime(process);
        CloseHandle(process);
    }
    return owner;
}

bool processRuns(const ProcessOwner& owner) {
    if (owner.id <= 0 || owner.id > std::int64_t(0xFFFFFFFF) || owner.host != hostName())
        return false;
    const HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, DWORD(owner.id));
    if (!process) {
        // A process of another user may not be looked at, but it is there.
        return GetLastError() == ERROR_ACCESS_DENIED;
    }
    DWORD exitCode = 0;
    const bool running = GetExitCodeProcess(process, &exitCode) && exitCode == STILL_ACTIVE &&
                         (owner.started == 0 || creationTime(process) == owner.started);
    CloseHandle(process);
    return running;
}

} // namespace tessaly
