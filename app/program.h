// The program record and its entry point.
#pragma once

namespace tessaly {

class Host;

// Runs the whole program on `host` from start-up until the Exit command;
// returns the exit status.
int runProgram(Host& host);

} // namespace tessaly
