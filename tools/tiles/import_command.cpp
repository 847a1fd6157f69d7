// import: find the game's graphics files, decode its tiles, lay them over our
// default art, and write the bitmap, keeping any bitmap already there as
// NAME.bak. Every file problem is found before anything is written.
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#include "gui/palette.h"
#include "level/profile.h"
#include "platform/bmp.h"
#include "platform/files.h"
#include "platform/resources.h"
#include "tools/tilegen/tile_art.h"
#include "tools/tiles/commands.h"
#include "tools/tiles/executable_dir.h"
#include "tools/tiles/game_tiles.h"
#include "tools/tiles/tile_sheet.h"

namespace tessaly {

namespace {

namespace fs = std::filesystem;

struct GameFile {
    std::string path;
    std::vector<uint8_t> bytes;
    std::string error;
};

// Reads the first of `names` present in `folder`, whatever the case of its name.
GameFile readGameFile(const std::string& folder, const std::vector<std::string>& names) {
    GameFile file;
    for (const std::string& name : names) {
        const std::string path = findFileIgnoringCase(folder, name);
        std::error_code ec;
        if (!fs::exists(path, ec)) continue;
        file.path = path;
        std::optional<std::vector<uint8_t>> bytes;
        if (!fs::is_directory(path, ec)) bytes = readFileBytes(path);
        if (!bytes) {
            file.error = path + ": cannot be read";
        } else {
            file.bytes = std::move(*bytes);
        }
        return file;
    }
    if (names.size() == 1) {
        file.error = joinPath(folder, names[0]) + ": not found";
    } else {
        file.error = folder + ": found none of";
        for (const std::string& name : names) file.error += " " + name;
    }
    return file;
}

std::string fileName(const std::string& path) {
    return fs::path(path).filename().string();
}

// Writes the bitmap at `target`. A different bitmap already there is copied to
// NAME.bak first.
// Safe: an identical bitmap (the same import run again) is left alone and its
// .bak is not replaced, so repeating an import never loses the older bitmap
// that the first run backed up.
// Safe: the new bitmap is written under a staging name before the backup is
// made, so a write that fails leaves the bitmap and any older .bak untouched.
std::string writeBitmap(const std::string& target, const std::vector<uint8_t>& bitmap) {
    std::error_code ec;
    if (fs::is_directory(target, ec)) return target + ": is a folder";
    std::optional<std::vector<uint8_t>> old;
    if (fs::exists(target, ec)) {
        old = readFileBytes(target);
        if (!old) return target + ": cannot be read to keep it as " + target + ".bak";
        if (*old == bitmap) return {};
    }
    const std::string staged = target + ".new";
    if (!writeFileSafely(staged, bitmap)) return target + ": cannot be written";
    if (old && !writeFileSafely(target + ".bak", *old)) {
        fs::remove(staged, ec);
        return target + ".bak: cannot be written";
    }
    fs::rename(staged, target, ec);
    if (ec) {
        fs::remove(staged, ec);
        return target + ": cannot be written";
    }
    return {};
}

} // namespace

int runImport(const std::string& gameId, const std::string& gameDir,
              const std::optional<std::string>& outPath, std::ostream& out, std::ostream& err) {
    GameProfile profile;
    GameTileFiles files;
    if (!selectGame(profile, gameId) || !tileFilesForGame(gameId, files)) {
        err << "unknown game " << gameId << ": use DD2, CK1, CK2, CK3 or NIN\n";
        return 2;
    }
    std::error_code ec;
    if (!fs::is_directory(gameDir, ec)) {
        err << gameDir << ": no such folder\n";
        return 1;
    }

    GameFile data;
    GameTilesResult decoded;
    if (files.layout == TileFileLayout::Latch) {
        GameFile head = readGameFile(gameDir, {files.headName});
        if (!head.error.empty()) {
            err << head.error << "\n";
            return 1;
        }
        data = readGameFile(gameDir, files.dataNames);
        if (!data.error.empty()) {
            err << data.error << "\n";
            return 1;
        }
        decoded = decodeKeenTiles({head.path, head.bytes}, {data.path, data.bytes});
    } else {
        data = readGameFile(gameDir, files.dataNames);
        if (!data.error.empty()) {
            err << data.error << "\n";
            return 1;
        }
        decoded = decodeTilesFile({data.path, data.bytes});
    }
    if (!decoded.error.empty()) {
        err << decoded.error << "\n";
        return 1;
    }

    const std::vector<uint8_t> art = drawDefaultTileSheet(profile.gameId);
    // Safe: numbers from tileCount on are the object pictures and door
    // markers; a game file with more tiles than that must not paint over
    // them, and the editor never offers those numbers as map tiles anyway.
    const SheetResult sheet = composeTileSheet(art, decoded.tiles, profile.tileCount);
    if (!sheet.error.empty()) {
        err << profile.gameId << ": " << sheet.error << "\n";
        return 1;
    }
    const std::vector<uint8_t> bitmap =
        encodeBitmap8(kSheetPixelWidth, kSheetPixelHeight, sheet.pixels, kEditorPalette);

    std::string target;
    std::string shownTarget;
    std::string folder; // this program's, when the bitmap goes where the programs look
    if (outPath) {
        target = shownTarget = *outPath;
    } else {
        folder = executableFolder();
        if (folder.empty()) {
            err << "/proc/self/exe: cannot find the folder of this program\n";
            return 1;
        }
        // Where the programs look first: Resources/ beside this program when
        // it has one that may be written, else the user's data folder.
        const std::string resources = tileBitmapImportFolder(folder);
        if (resources.empty()) {
            err << "no user data folder: set HOME or XDG_DATA_HOME, or use --out FILE\n";
            return 1;
        }
        fs::create_directories(resources, ec);
        if (!fs::is_directory(resources, ec)) {
            err << resources << ": cannot be made\n";
            return 1;
        }
        target = joinPath(resources, profile.tileBitmapName);
        const bool beside = resources == tileBitmapFolders(folder).front();
        shownTarget = beside ? "Resources/" + profile.tileBitmapName : target;
    }
    if (const std::string problem = writeBitmap(target, bitmap); !problem.empty()) {
        err << problem << "\n";
        return 1;
    }

    out << decoded.tiles.size() << " tiles from " << fileName(data.path);
    if (files.layout == TileFileLayout::Latch) {
        out << (decoded.compressed ? " (compressed)" : " (plain)");
    }
    out << " written to " << shownTarget;
    if (decoded.tiles.size() > std::size_t(sheet.placed)) {
        out << " (tiles " << sheet.placed << " and up left out: the editor's map tiles end at "
            << sheet.placed - 1 << ")";
    }
    out << "\n";
    if (!folder.empty()) {
        const std::string used = findTileBitmap(folder, profile.tileBitmapName);
        if (used != target) out << "note: " << used << " is found first and stays in use\n";
    }
    return 0;
}

} // namespace tessaly
