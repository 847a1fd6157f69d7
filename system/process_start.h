// Starting another program as a process of its own, finding a program on
// the PATH, and the few things of the environment that takes. The POSIX half
// is in process_start_posix.cpp, the Windows half in process_start_win32.cpp.
#pragma once

#include <string>
#include <vector>

#include "system/processes.h"

namespace tessaly {

struct ProcessStart {
    bool started = false;
    ProcessOwner owner; // the process started, for processRuns
    std::string why;    // why it could not be started, in the system's words
};

// Starts `program` (a path, or on POSIX a bare name looked up on the PATH)
// with `arguments`, in the working folder `folder` ("" for this program's),
// and returns at once: the process runs on its own, is never waited for, and
// lives on when this program ends. Its standard input reads nothing; its
// output goes where this program's goes. Starting fails (with the reason)
// when the program cannot be run or the folder cannot be entered.
ProcessStart startProcess(const std::string& program, const std::vector<std::string>& arguments,
                          const std::string& folder);

// The path of the executable file `name` in the first folder of the PATH
// that holds one (on Windows also with ".exe" added); "" when none does.
std::string findProgramOnPath(const std::string& name);

// On Windows the short (8.3) form of an existing path, in which every part
// is a DOS name, where the volume keeps short names; else, and on other
// systems, the path as given.
std::string shortPathOf(const std::string& path);

// An environment variable's value in UTF-8 ("" when it is not set).
std::string environmentValue(const char* name);

} // namespace tessaly
