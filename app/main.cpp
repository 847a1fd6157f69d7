// The editor in a real window: the Windows host on Windows, SDL2 with GTK 3
// dialogs elsewhere.
//
//   tessaly [LEVEL]
#include <iostream>
#include <string>
#include <string_view>
#include <vector>

#include "app/program.h"
#include "core/program_info.h"
#include "level/games.h"
#include "system/command_line.h"

#ifdef _WIN32
#include "hosts/win32/win32_host.h"
using RealHost = tessaly::Win32Host;
#else
#include "hosts/sdl/sdl_host.h"
using RealHost = tessaly::SdlHost;
#endif

#if defined(__SANITIZE_ADDRESS__)
// In the sanitizer build, LeakSanitizer would scan the whole heap when the
// program ends and report the allocations GTK, GLib and SDL keep for the
// life of the process: the window took up to two seconds more to go after
// Exit, and ended with a failure status. The program's own code is checked
// for leaks by the unit tests, which run in the same build.
extern "C" const char* __asan_default_options() {
    return "detect_leaks=0";
}
#endif

namespace {

// The games and their levels' extensions come from the game table.
std::string helpText() {
    std::string games;
    for (const tessaly::GameRecord& game : tessaly::kGames) {
        games += "  " + std::string(game.name) + " (." + std::string(game.gameId) + ")\n";
    }
    return "usage: tessaly [LEVEL]\n"
           "Tessaly Editor: edits the levels of these games (any case of the extension):\n" +
           games +
           "With LEVEL, a level file of one of them, it starts in the editor of the game its\n"
           "extension names, with that level open.\n";
}

} // namespace

int main(int argc, char** argv) {
    if (auto status = tessaly::answerHelpOrVersion(argc, argv, "tessaly", helpText(), std::cout)) {
        return *status;
    }
    const std::vector<std::string> args = tessaly::utf8Arguments(argc, argv);
    if (args.size() >= 2 && args[1][0] == '-') {
        return tessaly::wrongCommandLine("tessaly", "unknown option " + args[1], helpText(), std::cerr);
    }
    if (args.size() > 2) {
        return tessaly::wrongCommandLine(
            "tessaly", "one LEVEL at most; " + args[2] + " is one too many", helpText(), std::cerr);
    }
    RealHost host;
    return tessaly::runProgram(host, args.size() == 2 ? args[1] : "");
}
