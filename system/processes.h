// Which run of a program wrote a file that several runs share (a recovery
// copy), and whether that run is still going. The POSIX half is in
// processes_posix.cpp, the Windows half in processes_win32.cpp.
#pragma once

#include <cstdint>
#include <string>

namespace tessaly {

struct ProcessOwner {
    std::int64_t id = 0;       // the process id
    std::uint64_t started = 0; // when it started, in the system's own units; 0 when unknown
    std::string host;          // the machine's name
};

// This process.
ProcessOwner thisProcess();

// The process with this id on this machine, as processRuns knows it again
// (its start included where the system tells it).
ProcessOwner processOwnerOf(std::int64_t id);

// Whether `owner` runs now on this machine: its host is this one, a process
// with its id exists, and that process started when the owner did (a later
// process that was given the same id is another one). False for a process of
// another machine, which cannot be looked at.
bool processRuns(const ProcessOwner& owner);

} // namespace tessaly
