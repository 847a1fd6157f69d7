#include "level/profile.h"

#include <algorithm>

namespace tessaly {

bool selectGame(GameProfile& profile, std::string_view gameId) {
    const GameRecord* game = findGame(gameId);
    if (!game) return false;
    static_cast<GameRecord&>(profile) = *game;
    // Entries above objectCount keep what an earlier game left; nothing reads them.
    profile.objectCount =
        static_cast<int32_t>(std::min<std::size_t>(game->catalogue.size(), kCatalogueSize - 1));
    for (int32_t k = 1; k <= profile.objectCount; ++k) {
        const CatalogueEntry& entry = game->catalogue[std::size_t(k - 1)];
        profile.objectPicture[std::size_t(k)] = entry.picture;
        profile.objectCode[std::size_t(k)] = entry.code;
        profile.objectLabel[std::size_t(k)] = entry.label;
    }
    return true;
}

} // namespace tessaly
