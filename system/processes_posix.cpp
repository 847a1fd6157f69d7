#include "system/processes.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

#include <signal.h>
#include <unistd.h>

namespace tessaly {

namespace {

// What /proc/PID/stat says of a process: its state (the 3rd field) and its
// start, in clock ticks since the machine started (the 22nd), counted after
// the program's name, which is in parentheses and may hold spaces.
struct ProcessStat {
    bool found = false;
    char state = '?';
    std::uint64_t started = 0;
};

ProcessStat processStat(std::int64_t id) {
    std::ifstream in("/proc/" + std::to_string(id) + "/stat");
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const std::size_t nameEnd = text.rfind(')');
    ProcessStat stat;
    if (nameEnd == std::string::npos) return stat;
    std::istringstream fields(text.substr(nameEnd + 1));
    std::string field;
    for (int number = 3; number <= 22 && fields >> field; ++number) {
        if (number == 3) stat.state = field[0];
        if (number == 22) {
            stat.started = std::strtoull(field.c_str(), nullptr, 10);
            stat.found = true;
        }
    }
    return stat;
}

std::string hostName() {
    char name[256] = {};
    if (::gethostname(name, sizeof name - 1) != 0) return "";
    return name;
}

} // namespace

ProcessOwner thisProcess() {
    return processOwnerOf(::getpid());
}

ProcessOwner processOwnerOf(std::int64_t id) {
    return {id, processStat(id).started, hostName()};
}

bool processRuns(const ProcessOwner& owner) {
    // kill() with 0 or a negative id would ask about whole process groups.
    if (owner.id <= 0 || owner.id > std::int64_t(0x7FFFFFFF) || owner.host != hostName())
        return false;
    if (::kill(pid_t(owner.id), 0) != 0 && errno != EPERM) return false;
    // Where /proc tells more: a process that has ended but was not yet
    // waited for (a zombie) has ended, and one started at another time is
    // a later process that was given the same id.
    const ProcessStat stat = processStat(owner.id);
    if (!stat.found) return true;
    return stat.state != 'Z' && (owner.started == 0 || stat.started == owner.started);
}

} // namespace tessaly
