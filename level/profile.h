// The game profile the editor works with: the chosen game's record (see
// games.h) and the editor's own copy of its object catalogue.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "level/games.h"

namespace tessaly {

constexpr int kCatalogueSize = 256; // entries 1..objectCount are used

struct GameProfile : GameRecord {
    // The catalogue as the panels and the map view read it, entry k at [k].
    int32_t objectCount = 0;
    std::array<int32_t, kCatalogueSize> objectPicture{};
    std::array<int32_t, kCatalogueSize> objectCode{};
    std::array<std::string, kCatalogueSize> objectLabel{};
};

// Makes the profile the game's with this id (see findGame); returns false
// (profile unchanged) for any other id.
bool selectGame(GameProfile& profile, std::string_view gameId);

} // namespace tessaly
