#include "hosts/replay/replay_run.h"

#include "hosts/replay/replay_host.h"

namespace tessaly {

int runReplay(const ReplayScript& script, std::ostream& log, const std::string& executableDirectory,
              const std::function<int(Host&)>& program) {
    ReplayHost host(script, log, executableDirectory);
    host.start();
    try {
        host.programExited(program(host));
    } catch (const ReplayStopped&) {
        // The script ended, or a dialog found no answer; the status says which.
    }
    return host.exitStatus();
}

int runReplayFile(const std::string& scriptPath, std::ostream& log, std::ostream& errors,
                  const std::string& executableDirectory,
                  const std::function<int(Host&)>& program) {
    ReplayScript script;
    std::vector<ReplayScriptError> problems = loadReplayScript(scriptPath, script);
    if (!problems.empty()) {
        for (const ReplayScriptError& p : problems) {
            errors << scriptPath << ':';
            if (p.lineNumber > 0) errors << p.lineNumber << ':';
            errors << ' ' << p.why << '\n';
        }
        return 2;
    }
    const int status = runReplay(script, log, executableDirectory, program);
    // Safe: a log that was not written whole (standard output on a full disk)
    // fails the run, as a screenshot that cannot be written does.
    if (!log.flush()) {
        errors << scriptPath << ": the log could not be written\n";
        return status == 0 ? 1 : status;
    }
    return status;
}

} // namespace tessaly
