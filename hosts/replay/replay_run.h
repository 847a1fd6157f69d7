// Running the program under the replay host, from a parsed script or a script file.
#pragma once

#include <functional>
#include <ostream>
#include <string>

#include "hosts/host.h"
#include "hosts/replay/replay_script.h"

namespace tessaly {

// Runs `program` under a replay host for `script`, writing the log to `log`:
// applies the lines stamped 0, runs the program until it returns (logged as
// `exit`) or is stopped, and returns the replay's exit status: 0 when the
// script ran to its end or the program exited with no failed check, 1 when an
// expect- line failed, 2 when a dialog found no answer.
int runReplay(const ReplayScript& script, std::ostream& log, const std::string& executableDirectory,
              const std::function<int(Host&)>& program);

// Reads the script file at `scriptPath` and runs it as `runReplay` does. A
// script that cannot be read or has bad lines runs nothing: each problem goes
// to `errors` as "SCRIPT:LINE: WHY" and the status is 2. A log that cannot be
// written whole is told on `errors` as "SCRIPT: the log could not be written",
// and the status is then at least 1.
int runReplayFile(const std::string& scriptPath, std::ostream& log, std::ostream& errors,
                  const std::string& executableDirectory, const std::function<int(Host&)>& program);

} // namespace tessaly
