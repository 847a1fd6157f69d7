// tessaly-level: what a modder runs to look into, copy, draw or check level
// files, with the editor's own reader and writer.
//
//   tessaly-level info FILE          describe the level (info.cpp)
//   tessaly-level copy IN OUT        write IN to OUT as the editor saves it (info.cpp)
//   tessaly-level render LEVEL OUT.png [--tiles BITMAP] [--layers LIST]
//                                    draw the whole level (render.cpp)
//   tessaly-level check FILE...      find mistakes (check.cpp)
//
// Exit status: 0 done, 1 a file that cannot be read or written (or a check
// that found an error), 2 a wrong command line, which also prints the usage.
#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <iostream>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/program_info.h"
#include "system/command_line.h"
#include "tools/level/commands.h"

namespace {

using namespace tessaly;

// A command line after the command's name: its plain arguments and the
// options it takes, each given at most once and followed by its value.
struct Arguments {
    std::vector<std::string> plain;
    std::map<std::string, std::string> options;

    std::optional<std::string> option(const std::string& name) const {
        const auto found = options.find(name);
        if (found == options.end()) return std::nullopt;
        return found->second;
    }
};

struct Command {
    std::string_view name;
    std::string_view usage;
    std::size_t fewest, most; // plain arguments
    std::vector<std::string_view> options;
    int (*run)(const Arguments&);
};

int info(const Arguments& a) {
    return runInfo(a.plain[0]);
}
int copy(const Arguments& a) {
    return runCopy(a.plain[0], a.plain[1]);
}
int render(const Arguments& a) {
    return runRender({a.plain[0], a.plain[1], a.option("--tiles"), a.option("--layers")});
}
int check(const Arguments& a) {
    return runCheck(a.plain);
}

constexpr std::string_view kRenderUsage = "render LEVEL OUT.png [--tiles BITMAP] [--layers LIST]";

const std::vector<Command>& commands() {
    static const std::vector<Command> all = {
        {"info", "info FILE", 1, 1, {}, info},
        {"copy", "copy IN OUT", 2, 2, {}, copy},
        {"render", kRenderUsage, 2, 2, {"--tiles", "--layers"}, render},
        {"check", "check FILE...", 1, SIZE_MAX, {}, check},
    };
    return all;
}

// The arguments after the command's name, or nothing with `why` saying
// which argument is wrong.
std::optional<Arguments> parse(const Command& command, const std::vector<std::string>& args,
                               std::string& why) {
    Arguments parsed;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (args[i].size() > 2 && args[i].compare(0, 2, "--") == 0) {
            bool known = false;
            for (std::string_view name : command.options) known = known || args[i] == name;
            if (!known) {
                why = "unknown option " + args[i];
            } else if (i + 1 == args.size()) {
                why = args[i] + " needs a value";
            } else if (parsed.options.count(args[i])) {
                why = args[i] + " is given twice";
            }
            if (!why.empty()) return std::nullopt;
            parsed.options[args[i]] = args[i + 1];
            ++i;
        } else {
            parsed.plain.push_back(args[i]);
        }
    }
    if (parsed.plain.size() < command.fewest) {
        why = "too few arguments for " + std::string(command.name);
    } else if (parsed.plain.size() > command.most) {
        why = "unexpected argument " + parsed.plain[command.most];
    }
    if (!why.empty()) return std::nullopt;
    return parsed;
}

std::string usageText() {
    std::string text;
    const char* lead = "usage:";
    for (const Command& command : commands()) {
        text += std::string(lead) + " tessaly-level " + std::string(command.usage) + "\n";
        lead = "      ";
    }
    return text + "LIST is a comma list of tiles, objects, labels, links (all by default)\n";
}

// A wrong command line: which argument is wrong, then the usage.
int usage(const std::string& why) {
    return wrongCommandLine("tessaly-level", why, usageText(), std::cerr);
}

} // namespace

int main(int argc, char** argv) {
    if (auto status = answerHelpOrVersion(argc, argv, "tessaly-level", usageText(), std::cout)) {
        return *status;
    }
    const std::vector<std::string> all = tessaly::utf8Arguments(argc, argv);
    const std::string name = all.size() > 1 ? all[1] : "";
    const std::vector<std::string> args(
        all.begin() + std::ptrdiff_t(std::min<std::size_t>(all.size(), 2)), all.end());
    for (const Command& command : commands()) {
        if (command.name != name) continue;
        std::string why;
        const std::optional<Arguments> parsed = parse(command, args, why);
        return parsed ? command.run(*parsed) : usage(why);
    }
    if (name.empty()) return usage("no command given");
    return usage((name[0] == '-' ? "unknown option " : "unknown command ") + name);
}
