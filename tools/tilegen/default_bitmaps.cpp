#include "tools/tilegen/default_bitmaps.h"

#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <system_error>
#include <vector>

#include "core/bmp.h"
#include "gui/palette.h"
#include "level/games.h"
#include "system/files.h"
#include "tools/tilegen/tile_art.h"

namespace tessaly {

namespace {

using Stamp = std::map<std::string, uint64_t>;

// Lines that do not read as "NAME HEXHASH" are ignored: a damaged stamp only
// means the bitmaps it named are treated as the user's and kept.
Stamp readStamp(const std::string& path) {
    Stamp stamp;
    const std::optional<std::vector<uint8_t>> bytes = readFileBytes(path, 1 << 16);
    if (!bytes) return stamp;
    std::istringstream lines(std::string(bytes->begin(), bytes->end()));
    std::string line;
    while (std::getline(lines, line)) {
        std::istringstream fields(line);
        std::string name;
        uint64_t hash = 0;
        if (fields >> name >> std::hex >> hash) stamp[name] = hash;
    }
    return stamp;
}

bool writeStamp(const std::string& path, const Stamp& stamp) {
    std::ostringstream text;
    for (const auto& [name, hash] : stamp) text << name << ' ' << std::hex << hash << '\n';
    const std::string s = text.str();
    return writeFileSafely(path, std::vector<uint8_t>(s.begin(), s.end()));
}

} // namespace

uint64_t bitmapHash(std::span<const uint8_t> bytes) {
    uint64_t h = 0xCBF29CE484222325ull;
    for (uint8_t b : bytes) h = (h ^ b) * 0x100000001B3ull;
    return h;
}

bool writeDefaultBitmaps(const std::string& folder, std::ostream& notes) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    const std::string stampPath = joinPath(folder, kTilegenStampName);
    Stamp stamp = readStamp(stampPath);
    const Stamp before = stamp;
    bool ok = true;
    for (const GameRecord& game : kGames) {
        const std::string name(game.tileBitmapName);
        const std::string path = joinPath(folder, name);
        const std::vector<uint8_t> file = encodeBitmap8(
            kSheetWidth, kSheetHeight, drawDefaultTileSheet(game.gameId), kEditorPalette);
        const uint64_t hash = bitmapHash(file);

        const bool missing = !std::filesystem::exists(path, error);
        const std::optional<std::vector<uint8_t>> present =
            missing ? std::nullopt : readFileBytes(path);
        if (present && *present == file) {
            stamp[name] = hash;
            continue;
        }
        const auto written = stamp.find(name);
        const bool ours = missing || (present && written != stamp.end() &&
                                      written->second == bitmapHash(*present));
        if (!ours) {
            notes << "kept " << path
                  << ": not the default art this build wrote (delete it to get that back)\n";
            continue;
        }
        if (file.empty() || !writeFileSafely(path, file)) {
            notes << "cannot write " << path << "\n";
            ok = false;
            continue;
        }
        stamp[name] = hash;
    }
    if (stamp != before && !writeStamp(stampPath, stamp)) {
        notes << "cannot write " << stampPath << "\n";
        ok = false;
    }
    return ok;
}

} // namespace tessaly
