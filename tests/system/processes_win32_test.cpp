// Whether the process that wrote a shared file still runs, on Windows: a
// second process runs until it ends.
#include "system/processes.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <string>

namespace tessaly {
namespace {

TEST(Win32Processes, ASecondProcessRunsUntilItEnds) {
    // This test program again, held before it starts.
    wchar_t exe[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, exe, MAX_PATH), 0u);
    std::wstring command = L"\"" + std::wstring(exe) + L"\" --gtest_list_tests";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(exe, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                               nullptr, nullptr, &startup, &process));
    FILETIME created{}, exited{}, kernel{}, user{};
    ASSERT_TRUE(GetProcessTimes(process.hProcess, &created, &exited, &kernel, &user));
    ProcessOwner owner = thisProcess();
    owner.id = process.dwProcessId;
    owner.started = (std::uint64_t(created.dwHighDateTime) << 32) | created.dwLowDateTime;
    EXPECT_TRUE(processRuns(owner));
    ProcessOwner later = owner;
    later.started += 1;
    EXPECT_FALSE(processRuns(later));

    TerminateProcess(process.hProcess, 0);
    WaitForSingleObject(process.hProcess, INFINITE);
    EXPECT_FALSE(processRuns(owner)); // ended, though a handle still holds it
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_FALSE(processRuns(owner));
}

} // namespace
} // namespace tessaly
