// tessaly-replay SCRIPT [LEVEL]: runs the whole program from start-up under the replay
// host, with no window, driven by the script. The log goes to standard output,
// problems with the script to standard error. Exit status: 0 when the script
// ran to its end or the program exited, 1 when an expect- line failed, 2 for a
// bad script or a dialog with no answer queued.
#include <filesystem>
#include <iostream>
#include <string>
#include <system_error>

#include "app/program.h"
#include "platform/host.h"
#include "platform/program_info.h"
#include "platform/replay/replay_run.h"

namespace {

constexpr const char* kUsage =
    "usage: tessaly-replay SCRIPT [LEVEL]\n"
    "Runs Tessaly Editor with no window, driven by the replay script SCRIPT, and\n"
    "logs what it does. LEVEL is opened as the editor opens a level named on its\n"
    "command line. Exit status: 0 done, 1 a check failed, 2 a bad script.\n";

// The folder of the running executable, so that the program finds the
// Resources folder beside it as the editor does.
std::string executableFolder(const char* argv0) {
    std::error_code error;
    std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) exe = std::filesystem::absolute(argv0, error);
    return exe.parent_path().string();
}

} // namespace

int main(int argc, char** argv) {
    if (auto status =
            tessaly::answerHelpOrVersion(argc, argv, "tessaly-replay", kUsage, std::cout)) {
        return *status;
    }
    if (argc != 2 && argc != 3) {
        std::cerr << kUsage;
        return 2;
    }
    const std::string level = argc == 3 ? argv[2] : "";
    return tessaly::runReplayFile(
        argv[1], std::cout, std::cerr, executableFolder(argv[0]),
        [&level](tessaly::Host& host) { return tessaly::runProgram(host, level); });
}
