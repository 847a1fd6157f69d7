#include "system/process_start.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace tessaly {

namespace {

// What the processes between fork and exec tell the caller through a pipe
// that closes by itself at a successful exec.
struct Report {
    char kind =
        0; // 'p' the started process's id, 'd' chdir failed, 'e' exec failed, 'f' fork failed
    int value = 0; // the id, or errno
};

void report(int fd, char kind, int value) {
    const Report r{kind, value};
    [[maybe_unused]] const ssize_t written = ::write(fd, &r, sizeof r);
}

bool isExecutableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}

} // namespace

std::string findProgramOnPath(const std::string& name) {
    if (name.empty() || name.find('/') != std::string::npos) return "";
    const std::string path = environmentValue("PATH");
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find(':', start), path.size());
        // An empty entry means the working folder, as the shells take it.
        const std::string folder = end == start ? "." : path.substr(start, end - start);
        const std::string candidate = folder + "/" + name;
        if (isExecutableFile(candidate)) return candidate;
        start = end + 1;
    }
    return "";
}

std::string shortPathOf(const std::string& path) {
    return path;
}

std::string environmentValue(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The program is started by a child that starts it in turn and ends at once:
// the program is then nobody's child here, so it never waits as a zombie for
// this program to collect it, and it lives on when this program ends. It
// runs in a session of its own, so a terminal's Ctrl+C for the editor does
// not end a game. Only calls that are safe after a fork are made between the
// fork and the exec; everything they need is made before.
ProcessStart startProcess(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& folder) {
    ProcessStart result;
    const std::string path =
        program.find('/') == std::string::npos ? findProgramOnPath(program) : program;
    if (path.empty() || !isExecutableFile(path)) {
        result.why = program + ": " + std::strerror(path.empty() ? ENOENT : EACCES);
        return result;
    }
    std::vector<std::string> words{program};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    int fds[2];
    if (::pipe2(fds, O_CLOEXEC) != 0) {
        result.why = std::strerror(errno);
        return result;
    }
    const pid_t child = ::fork();
    if (child < 0) {
        result.why = std::strerror(errno);
        ::close(fds[0]);
        ::close(fds[1]);
        return result;
    }
    if (child == 0) {
        ::close(fds[0]);
        ::setsid();
        const pid_t grandchild = ::fork();
        if (grandchild != 0) {
            report(fds[1], grandchild > 0 ? 'p' : 'f', grandchild > 0 ? grandchild : errno);
            ::_exit(0);
        }
        if (!folder.empty() && ::chdir(folder.c_str()) != 0) {
            report(fds[1], 'd', errno);
            ::_exit(127);
        }
        const int nothing = ::open("/dev/null", O_RDONLY);
        if (nothing >= 0) ::dup2(nothing, 0);
        ::execv(path.c_str(), argv.data());
        report(fds[1], 'e', errno);
        ::_exit(127);
    }
    ::close(fds[1]);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    Report r;
    pid_t started = 0;
    std::string why;
    for (;;) {
        const ssize_t got = ::read(fds[0], &r, sizeof r);
        if (got < 0 && errno == EINTR) continue;
        if (got != ssize_t(sizeof r)) break;
        if (r.kind == 'p') started = pid_t(r.value);
        if (r.kind == 'd') why = folder + ": " + std::strerror(r.value);
        if (r.kind == 'e') why = program + ": " + std::strerror(r.value);
        if (r.kind == 'f') why = std::strerror(r.value);
    }
    ::close(fds[0]);
    if (started <= 0 && why.empty()) why = "the process could not be started";
    if (!why.empty()) {
        result.why = why;
        return result;
    }
    result.started = true;
    result.owner = processOwnerOf(started);
    return result;
}

} // namespace tessaly
