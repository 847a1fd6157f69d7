// The parts of a file's identity that are the same on every system (declared
// in files.h); fileIdentity itself is in files_posix.cpp and files_win32.cpp.
#include "system/files.h"

namespace tessaly {

std::int64_t FileIdentity::modifiedSeconds() const {
    constexpr std::int64_t kSecond = 1000000000;
    return modifiedNs >= 0 ? modifiedNs / kSecond : -((-modifiedNs + kSecond - 1) / kSecond);
}

FileChange fileChangeSince(const std::optional<FileIdentity>& seen,
                           const std::optional<FileIdentity>& now) {
    if (!now) return seen ? FileChange::Removed : FileChange::None;
    if (!seen || seen->device != now->device || seen->file != now->file)
        return FileChange::Replaced;
    return *seen == *now ? FileChange::None : FileChange::Changed;
}

} // namespace tessaly
