// tessaly-replay SCRIPT [LEVEL]: runs the whole program from start-up under the replay
// host, with no window, driven by the script. The log goes to standard output,
// problems with the script to standard error. Exit status: 0 when the script
// ran to its end or the program exited, 1 when an expect- line failed, 2 for a
// bad script or a dialog with no answer queued.
#include <iostream>
#include <string>
#include <vector>

#include "app/program.h"
#include "core/program_info.h"
#include "hosts/host.h"
#include "hosts/replay/replay_run.h"
#include "system/command_line.h"
#include "system/executable_folder.h"

namespace {

constexpr const char* kUsage =
    "usage: tessaly-replay SCRIPT [LEVEL]\n"
    "Runs Tessaly Editor with no window, driven by the replay script SCRIPT, and\n"
    "logs what it does. LEVEL is opened as the editor opens a level named on its\n"
    "command line. Exit status: 0 done, 1 a check failed, 2 a bad script.\n";

} // namespace

int main(int argc, char** argv) {
    if (auto status =
            tessaly::answerHelpOrVersion(argc, argv, "tessaly-replay", kUsage, std::cout)) {
        return *status;
    }
    const std::vector<std::string> args = tessaly::utf8Arguments(argc, argv);
    const auto wrong = [](const std::string& why) {
        return tessaly::wrongCommandLine("tessaly-replay", why, kUsage, std::cerr);
    };
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (!args[i].empty() && args[i][0] == '-') return wrong("unknown option " + args[i]);
    }
    if (args.size() < 2) return wrong("no SCRIPT given");
    if (args.size() > 3) return wrong("one LEVEL at most; " + args[3] + " is one too many");
    // The program finds the Resources folder beside this executable, as the
    // editor does.
    const std::string level = args.size() == 3 ? args[2] : "";
    return tessaly::runReplayFile(
        args[1], std::cout, std::cerr, tessaly::executableFolder(),
        [&level](tessaly::Host& host) { return tessaly::runProgram(host, level); });
}
