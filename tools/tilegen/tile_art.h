// Our own default tile art: the pixels of a game's 208 x 1104 tile bitmap
// (897 tiles of 16 x 16, 13 to a row, tile n at column 16 (n mod 13), row
// 16 (n div 13)), as editor palette indexes, top row first.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tessaly {

constexpr int kSheetWidth = 208;
constexpr int kSheetHeight = 1104;
constexpr int kSheetTiles = 897;

// Empty for an unknown game id.
std::vector<uint8_t> drawDefaultTileSheet(std::string_view gameId);

} // namespace tessaly
