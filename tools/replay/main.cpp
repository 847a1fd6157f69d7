// tessaly-replay SCRIPT: runs the whole program from start-up under the replay
// host, with no window, driven by the script. The log goes to standard output,
// problems with the script to standard error. Exit status: 0 when the script
// ran to its end or the program exited, 1 when an expect- line failed, 2 for a
// bad script or a dialog with no answer queued.
#include <iostream>
#include <string>
#include <vector>

#include "app/program.h"
#include "platform/command_line.h"
#include "platform/executable_folder.h"
#include "platform/host.h"
#include "platform/replay/replay_run.h"

int main(int argc, char** argv) {
    const std::vector<std::string> args = tessaly::utf8Arguments(argc, argv);
    if (args.size() != 2) {
        std::cerr << "usage: tessaly-replay SCRIPT\n";
        return 2;
    }
    return tessaly::runReplayFile(args[1], std::cout, std::cerr, tessaly::executableFolder(),
                                  [](tessaly::Host& host) { return tessaly::runProgram(host); });
}
