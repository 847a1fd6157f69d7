// Runs part of a test in a child process (POSIX only): for permission
// checks, which do not apply to root, and for limits that must not reach the
// test program itself.
#pragma once

#include <functional>

#include <grp.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessaly::test {

constexpr int kCannotDropPrivileges = 99;
constexpr uid_t kNobody = 65534;

// Runs `body` in a child process and returns its exit status (0 when body
// returned true). Permission checks do not apply to root, so a test of them
// running as root has the child drop to an unprivileged user, in no group of
// root's, first.
inline int inChild(bool unprivileged, const std::function<bool()>& body) {
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (unprivileged && ::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 ||
             ::setuid(kNobody) != 0)) {
            ::_exit(kCannotDropPrivileges);
        }
        ::_exit(body() ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace tessaly::test
