// tessaly-tiles: builds a game's tile bitmap from the user's own game files,
// and draws a tile bitmap as a labelled picture for checking it by eye.
// Exit status: 0 done, 1 a file problem (nothing written), 2 a wrong command line.
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include "core/program_info.h"
#include "level/games.h"
#include "system/command_line.h"
#include "tools/tiles/commands.h"

namespace {

std::string usageText() {
    return "usage: tessaly-tiles import GAME GAMEDIR [--out FILE]\n"
           "       tessaly-tiles render FILE OUT.png\n"
           "GAME is one of " +
           tessaly::listGames(tessaly::GameListing::Ids, " ", " ") + "\n";
}

// A wrong command line: which argument is wrong, then the usage.
int usage(const std::string& why) {
    return tessaly::wrongCommandLine("tessaly-tiles", why, usageText(), std::cerr);
}

// A command's status, or 1 when what it told on standard output could not be
// written (a full disk): a run that reports success has said what it did.
int told(int status) {
    if (std::cout.flush()) return status;
    std::cerr << "standard output: cannot be written\n";
    return status == 0 ? 1 : status;
}

} // namespace

int main(int argc, char** argv) {
    if (auto status =
            tessaly::answerHelpOrVersion(argc, argv, "tessaly-tiles", usageText(), std::cout)) {
        return *status;
    }
    std::vector<std::string> args = tessaly::utf8Arguments(argc, argv);
    if (!args.empty()) args.erase(args.begin());
    if (args.empty()) return usage("no command given");
    const std::string& command = args[0];
    if (command != "render" && command != "import")
        return usage((command[0] == '-' ? "unknown option " : "unknown command ") + command);
    std::vector<std::string> positional;
    std::optional<std::string> out;
    for (std::size_t i = 1; i < args.size(); ++i) {
        if (command == "import" && args[i] == "--out") {
            if (out) return usage("--out is given twice");
            if (i + 1 == args.size()) return usage("--out needs a FILE");
            out = args[++i];
        } else if (args[i].size() > 1 && args[i][0] == '-') {
            return usage("unknown option " + args[i]);
        } else {
            positional.push_back(args[i]);
        }
    }
    const std::size_t wanted = 2;
    if (positional.size() < wanted) return usage(command + " needs two arguments");
    if (positional.size() > wanted) return usage("unexpected argument " + positional[wanted]);
    if (command == "render") {
        return told(tessaly::runRender(positional[0], positional[1], std::cout, std::cerr));
    }
    return told(tessaly::runImport(positional[0], positional[1], out, std::cout, std::cerr));
}
