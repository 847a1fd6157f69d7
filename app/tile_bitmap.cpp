#include "app/tile_bitmap.h"

#include <filesystem>
#include <system_error>

#include "system/files.h"
#include "system/path_text.h"
#include "system/resources.h"

namespace tessaly {

std::string tileBitmapPath(const GameProfile& profile, const std::string& exeDir) {
    return findTileBitmap(exeDir, std::string(profile.tileBitmapName));
}

std::string tileBitmapProblem(const GameProfile& profile, const std::string& exeDir) {
    constexpr const char* kConsequence = "; the tiles shown are not this game's.";
    const std::string path = tileBitmapPath(profile, exeDir);
    std::error_code error;
    if (std::filesystem::exists(pathFromUtf8(path), error)) {
        return "The tile bitmap " + path +
               " cannot be used: a tile bitmap is a palette BMP file 208 pixels wide" +
               kConsequence;
    }
    const std::vector<std::string> folders = tileBitmapFolders(exeDir);
    std::string text =
        "The tile bitmap " + std::string(profile.tileBitmapName) + " was found in none of ";
    for (std::size_t i = 0; i < folders.size(); ++i) {
        if (i > 0) text += i + 1 == folders.size() ? " and " : ", ";
        text += folders[i];
    }
    return text + kConsequence;
}

bool loadTileSheet(TileSheet& sheet, Surface& surface, const GameProfile& profile,
                   const std::string& exeDir) {
    const auto file = readFileBytes(tileBitmapPath(profile, exeDir));
    return buildTileSheet(sheet, surface,
                          file ? std::span<const uint8_t>(*file) : std::span<const uint8_t>());
}

} // namespace tessaly
