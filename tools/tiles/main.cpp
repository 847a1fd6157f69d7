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

int usage() {
    std::cerr << usageText();
    return 2;
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
    if (args.size() == 3 && args[0] == "render") {
        return told(tessaly::runRender(args[1], args[2], std::cout, std::cerr));
    }
    if (!args.empty() && args[0] == "import") {
        std::vector<std::string> positional;
        std::optional<std::string> out;
        for (std::size_t i = 1; i < args.size(); ++i) {
            if (args[i] == "--out") {
                if (out || i + 1 == args.size()) return usage();
                out = args[++i];
            } else {
                positional.push_back(args[i]);
            }
        }
        if (positional.size() != 2) return usage();
        return told(tessaly::runImport(positional[0], positional[1], out, std::cout, std::cerr));
    }
    return usage();
}
