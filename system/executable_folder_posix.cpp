#include "system/executable_folder.h"

#include <filesystem>
#include <system_error>

#include "system/path_text.h"

namespace tessaly {

std::string executableFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) return {};
    return utf8FromPath(exe.parent_path());
}

} // namespace tessaly
