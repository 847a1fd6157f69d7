// The pictures of the object labels drawn so far, by their text: a label is
// the same image wherever it goes, so it is drawn glyph by glyph once and put
// whole afterwards (gui/text.h's TextImage).
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

namespace tessaly {

struct LabelImages {
    std::unordered_map<std::string, std::vector<uint8_t>> byText;
};

} // namespace tessaly
