// A picture of a whole level: every cell drawn as the map view draws it, 16 x
// 16 pixels per cell, level cell (c, r) counted from 1 at pixels 16 (c - 1) ..
// 16 (c - 1) + 15 across and 16 (r - 1) .. 16 (r - 1) + 15 down.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "level/level.h"
#include "level/profile.h"
#include "views/tilesheet.h"
#include "views/map_view.h"

namespace tessaly {

// What the picture shows: each cell's tile, then what the map view lays over
// it. A picture without tiles starts from colour 0.
struct PictureLayers {
    bool tiles = true;
    CellOverlays overlays;
};

// A comma list of the names tiles, objects, labels and links ("tiles,links"),
// in any order; nothing for an empty list or any other name.
std::optional<PictureLayers> parsePictureLayers(std::string_view list);

struct LevelPicture {
    int width = 0;               // 16 x the level's width
    int height = 0;              // 16 x the level's height
    std::vector<uint8_t> pixels; // tile sheet colours, row by row, top row first
};

// Draws the level (at most 256 x 256 cells are drawn; a level set bigger by
// hand is cut there). Overlays that reach past the level's edge, such as the
// labels of the top row, are cut off at the picture's edge.
LevelPicture drawLevelPicture(const Level& level, const GameProfile& profile,
                              const TileSheet& tiles, const PictureLayers& layers);

} // namespace tessaly
