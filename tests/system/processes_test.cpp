// Whether the process that wrote a shared file still runs: its id, its
// start and its machine must all match (processes_win32_test.cpp has a
// second process on Windows).
#include "system/processes.h"

#include <gtest/gtest.h>

#ifndef _WIN32
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace tessaly {
namespace {

TEST(Processes, OnlyTheSameRunOnThisMachineRuns) {
    const ProcessOwner self = thisProcess();
    EXPECT_TRUE(processRuns(self));
    ProcessOwner elsewhere = self;
    elsewhere.host += "-elsewhere";
    EXPECT_FALSE(processRuns(elsewhere));
    ProcessOwner later = self; // a process that was given this id later
    later.started += 1;
    EXPECT_FALSE(processRuns(later));
    EXPECT_FALSE(processRuns({0, 0, self.host}));
    EXPECT_FALSE(processRuns({-1, 0, self.host}));
}

#ifndef _WIN32
TEST(Processes, AChildRunsUntilItEndsNotWaitedForOrNot) {
    const pid_t child = ::fork();
    if (child == 0) {
        ::pause();
        ::_exit(0);
    }
    ProcessOwner owner = thisProcess();
    owner.id = child;
    owner.started = 0; // not known: the id alone counts
    EXPECT_TRUE(processRuns(owner));
    ::kill(child, SIGKILL);
    siginfo_t ended{};
    ::waitid(P_PID, id_t(child), &ended, WEXITED | WNOWAIT); // ended, not yet waited for
    EXPECT_FALSE(processRuns(owner));
    ::waitpid(child, nullptr, 0);
    EXPECT_FALSE(processRuns(owner));
}
#endif

} // namespace
} // namespace tessaly
