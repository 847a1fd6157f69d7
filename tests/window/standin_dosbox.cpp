// A stand-in for DOSBox.exe in the Windows window test of test play (run
// under Wine): it writes beside itself what the editor started it with, one
// argument a line (arguments.txt), the configuration named after -conf
// (dosbox.conf), and the level that the game would read: LEVEL01.CK1 of the
// folder the configuration mounts as C: (played.ck1). Then it waits a
// second, as a game would run a while, and ends.
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "system/command_line.h"
#include "system/executable_folder.h"
#include "system/files.h"

namespace {

bool write(const std::string& path, const std::string& text) {
    return tessaly::writeFileSafely(path, std::vector<uint8_t>(text.begin(), text.end()));
}

// The folder of `mount c "FOLDER"` in the configuration.
std::string mountedFolder(const std::string& config) {
    const std::string start = "mount c \"";
    const std::size_t at = config.find(start);
    if (at == std::string::npos) return "";
    const std::size_t end = config.find('"', at + start.size());
    return end == std::string::npos ? ""
                                    : config.substr(at + start.size(), end - at - start.size());
}

} // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments = tessaly::utf8Arguments(argc, argv);
    const std::string folder = tessaly::executableFolder();
    std::string listed, configPath;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        listed += arguments[i] + "\n";
        if (arguments[i - 1] == "-conf") configPath = arguments[i];
    }
    write(folder + "\\arguments.txt", listed);
    const auto config = tessaly::readFileBytes(configPath);
    if (!config) return 1;
    const std::string text(config->begin(), config->end());
    write(folder + "\\dosbox.conf", text);
    const auto level = tessaly::readFileBytes(mountedFolder(text) + "\\LEVEL01.CK1");
    if (level) tessaly::writeFileSafely(folder + "\\played.ck1", *level);
    std::this_thread::sleep_for(std::chrono::seconds(1));
    return level ? 0 : 1;
}
