#include "system/temporary_names.h"

#include <cstdio>

namespace tessaly::temporary_names {

namespace {

constexpr std::size_t kNameKept = 200;
constexpr std::size_t kRandomDigits = 16;
constexpr std::string_view kSuffix = ".tmp";

} // namespace

// Built by appending: g++ 12 at -O3 falsely warns that `"." + std::string`
// may copy overlapping memory (-Wrestrict).
std::string prefixFor(std::string_view targetName) {
    std::string prefix = ".";
    prefix.append(targetName.substr(0, kNameKept)).append(".");
    return prefix;
}

std::string nameFor(std::string_view targetName, std::random_device& device) {
    char digits[kRandomDigits + 1];
    std::snprintf(digits, sizeof digits, "%08x%08x", device(), device());
    return prefixFor(targetName).append(digits).append(kSuffix);
}

bool isTemporaryOf(std::string_view name, std::string_view prefix) {
    if (name.size() != prefix.size() + kRandomDigits + kSuffix.size() ||
        name.substr(0, prefix.size()) != prefix ||
        name.substr(name.size() - kSuffix.size()) != kSuffix) {
        return false;
    }
    for (const char c : name.substr(prefix.size(), kRandomDigits)) {
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
    }
    return true;
}

} // namespace tessaly::temporary_names
