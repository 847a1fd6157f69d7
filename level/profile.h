// Game profiles: what differs between the five games (frame and marker
// tiles, tile bitmap, number of map tiles, object catalogue).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaly {

constexpr int kCatalogueSize = 256; // entries 1..objectCount are used

struct GameProfile {
    std::string gameId;
    int32_t frameTopLeft = 0, frameTopRight = 0, frameBottomLeft = 0, frameBottomRight = 0;
    int32_t frameLeft = 0, frameRight = 0, frameTop = 0, frameBottom = 0;
    int32_t copyStartMarker = 0, copyEndMarker = 0;
    std::string tileBitmapName;
    int32_t tileCount = 0;
    int32_t objectCount = 0;
    std::array<int32_t, kCatalogueSize> objectPicture{};
    std::array<int32_t, kCatalogueSize> objectCode{};
    std::array<std::string, kCatalogueSize> objectLabel{};
};

// The five game ids in start-screen order: "DD2", "CK1", "CK2", "CK3", "NIN".
extern const std::array<std::string_view, 5> kGameIds;

// Fills the profile for one of the five ids; returns false (profile
// unchanged) for any other id.
bool selectGame(GameProfile& profile, std::string_view gameId);

} // namespace tessaly
