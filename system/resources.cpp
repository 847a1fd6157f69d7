#include "system/resources.h"

#include <filesystem>
#include <system_error>

#include "system/files.h"
#include "system/path_text.h"
#include "system/user_folders.h"

namespace tessaly {

namespace {

constexpr const char* kResources = "Resources";

bool isFile(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(pathFromUtf8(path), error);
}

std::string userResources() {
    const std::string data = userDataFolder();
    return data.empty() ? "" : joinPath(data, kResources);
}

} // namespace

std::vector<std::string> tileBitmapFolders(const std::string& exeDir) {
    std::vector<std::string> folders{joinPath(exeDir, kResources)};
    if (std::string user = userResources(); !user.empty()) folders.push_back(std::move(user));
    // Written without "bin/.." (/usr/share/tessaly/Resources), so that it
    // reads well in messages.
    const std::filesystem::path exe = pathFromUtf8(exeDir.empty() ? "." : exeDir);
    const std::filesystem::path share = exe / ".." / "share" / "tessaly" / kResources;
    folders.push_back(utf8FromPath(share.lexically_normal()));
    return folders;
}

std::string findTileBitmap(const std::string& exeDir, const std::string& bitmapName) {
    const std::vector<std::string> folders = tileBitmapFolders(exeDir);
    for (const std::string& folder : folders) {
        const std::string path = findFileIgnoringCase(folder, bitmapName);
        if (isFile(path)) return path;
    }
    return joinPath(folders.front(), bitmapName);
}

std::string tileBitmapImportFolder(const std::string& exeDir) {
    const std::string beside = joinPath(exeDir, kResources);
    if (isWritableFolder(beside)) return beside;
    return userResources();
}

} // namespace tessaly
