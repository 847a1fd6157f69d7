#include "hosts/dosbox_search.h"

#include "system/files.h"
#include "system/folder_tree.h"
#include "system/process_start.h"

namespace tessaly {

namespace {

bool startsWithDosBox(const std::string& name) {
    static constexpr std::string_view kStart = "dosbox";
    if (name.size() < kStart.size()) return false;
    for (std::size_t i = 0; i < kStart.size(); ++i) {
        const char c = name[i] >= 'A' && name[i] <= 'Z' ? char(name[i] - 'A' + 'a') : name[i];
        if (c != kStart[i]) return false;
    }
    return true;
}

} // namespace

std::string findDosBoxIn(const std::vector<std::string>& installFolders) {
    for (const std::string& base : installFolders) {
        if (base.empty()) continue;
        const auto entries = listFolder(base);
        if (!entries) continue;
        for (const FolderEntry& e : *entries) {
            if (!e.isFolder || !startsWithDosBox(e.name)) continue;
            for (const char* program : {"DOSBox.exe", "dosbox-x.exe"}) {
                const std::string path = findFileIgnoringCase(joinPath(base, e.name), program);
                if (fileIdentity(path)) return path;
            }
        }
    }
    return "";
}

std::string findDosBoxProgram() {
#ifdef _WIN32
    const std::string localAppData = environmentValue("LOCALAPPDATA");
    const std::string systemDrive = environmentValue("SystemDrive");
    const std::string found = findDosBoxIn({
        environmentValue("ProgramFiles(x86)"),
        environmentValue("ProgramFiles"),
        environmentValue("ProgramW6432"),
        localAppData.empty() ? "" : joinPath(localAppData, "Programs"),
        systemDrive.empty() ? "" : systemDrive + "\\",
    });
    if (!found.empty()) return found;
    const std::string onPath = findProgramOnPath("dosbox.exe");
    return onPath.empty() ? findProgramOnPath("dosbox-x.exe") : onPath;
#else
    return findProgramOnPath("dosbox");
#endif
}

} // namespace tessaly
