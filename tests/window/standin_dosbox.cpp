// A stand-in for DOSBox.exe in the Windows window test of test play (run
// under Wine): it writes beside itself what the editor started it with, one
// argument a line (arguments.txt), the configuration named after -conf
// (dosbox.conf), and the level that the game would read: LEVEL01.CK1 of the
// folder the configuration mounts as C: (played.ck1). Then it waits a
// second, as a game would run a while, and ends.
#include <windows.h>

#include <shellapi.h>

#include <string>
#include <vector>

#include "system/files.h"
#include "system/text_encoding.h"

namespace {

std::string utf8(const wchar_t* text) {
    return tessaly::utf16ToUtf8(std::u16string_view(reinterpret_cast<const char16_t*>(text)));
}

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

int main() {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<wchar_t> self(32768);
    GetModuleFileNameW(nullptr, self.data(), DWORD(self.size()));
    std::string folder = utf8(self.data());
    folder = folder.substr(0, folder.find_last_of("\\/"));

    std::string listed, configPath;
    for (int i = 1; i < count; ++i) {
        listed += utf8(arguments[i]) + "\n";
        if (i > 1 && utf8(arguments[i - 1]) == "-conf") configPath = utf8(arguments[i]);
    }
    write(folder + "\\arguments.txt", listed);
    const auto config = tessaly::readFileBytes(configPath);
    if (!config) return 1;
    const std::string text(config->begin(), config->end());
    write(folder + "\\dosbox.conf", text);
    const auto level = tessaly::readFileBytes(mountedFolder(text) + "\\LEVEL01.CK1");
    if (level) tessaly::writeFileSafely(folder + "\\played.ck1", *level);
    Sleep(1000);
    return level ? 0 : 1;
}
