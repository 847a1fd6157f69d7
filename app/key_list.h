// The editor's keys and mouse actions as the user is told them: one table,
// shown by F1 and written into the README's key list and the manual page
// (a test holds both against it).
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace tessaly {

struct KeyListEntry {
    std::string_view input; // "Ctrl+Z"
    std::string_view what;  // "undo the last editing step"
};

extern const std::array<KeyListEntry, 31> kKeyList;

// The message F1 shows: a heading, then one line "INPUT: WHAT" per entry.
std::string keyListMessage();

} // namespace tessaly
