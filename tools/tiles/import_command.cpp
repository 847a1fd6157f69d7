// import: find the game's graphics files, decode its tiles, lay them over our
// default art, and write the bitmap, keeping any bitmap already there as
// NAME.bak. Every file problem is found before anything is written.
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

#ifndef _WIN32
#include <unistd.h>
#endif

#include "core/bmp.h"
#include "gui/palette.h"
#include "level/profile.h"
#include "system/executable_folder.h"
#include "system/files.h"
#include "system/path_text.h"
#include "system/resources.h"
#include "tools/tilegen/tile_art.h"
#include "tools/tiles/commands.h"
#include "tools/tiles/game_files.h"
#include "tools/tiles/game_tiles.h"
#include "tools/tiles/tile_sheet.h"

namespace tessaly {

namespace {

namespace fs = std::filesystem;

// Far more than any of these games' tile files: 16 MiB.
constexpr std::uint64_t kMaxGameFileBytes = std::uint64_t(16) << 20;

struct GameFile {
    std::string path;
    std::vector<uint8_t> bytes;
    std::string error;
};

std::string tooLarge(const std::string& path, std::uint64_t bytes) {
    return path + ": " + std::to_string(bytes) + " bytes, too large for a tile file";
}

// Reads the first of `names` present in `folder`, whatever the case of its name.
GameFile readGameFile(const std::string& folder, const std::vector<std::string>& names) {
    GameFile file;
    for (const std::string& name : names) {
        const std::string path = findFileIgnoringCase(folder, name);
        std::error_code error;
        const fs::file_status status = fs::status(pathFromUtf8(path), error);
        if (status.type() == fs::file_type::not_found) continue;
        file.path = path;
        // Safe: the real size is checked before anything is read, so a huge
        // file is refused for what it is instead of being read in part.
        const bool regular = !error && fs::is_regular_file(status);
        const std::uintmax_t size = regular ? fs::file_size(pathFromUtf8(path), error) : 0;
        if (regular && !error && size > kMaxGameFileBytes) {
            file.error = tooLarge(path, size);
            return file;
        }
        std::optional<FileHead> head;
        if (regular) head = readFileHead(path, kMaxGameFileBytes + 1);
        if (!head) {
            file.error = path + ": cannot be read";
        } else if (head->fileBytes > kMaxGameFileBytes) { // it grew since
            file.error = tooLarge(path, head->fileBytes);
        } else {
            file.bytes = std::move(head->bytes);
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
    return utf8FromPath(pathFromUtf8(path).filename());
}

// Writes the bitmap at `target` (through a symbolic link to the file it
// names), keeping a different bitmap already there as TARGET.bak. Sets
// `unchanged` when the target already holds these bytes; returns the problem,
// "" on success.
// Safe: an identical bitmap (the same import run again) is left alone and its
// .bak is not replaced, so repeating an import never loses the older bitmap
// that the first run backed up.
// Safe: the new bitmap is written under a fresh temporary name before the
// backup is made, so a write that fails leaves the bitmap and any older .bak
// untouched; the backup is the old file whole (a second name for it, or a
// copy of every byte), and a bitmap that cannot be backed up whole is not
// replaced.
std::string writeBitmap(const std::string& target, const std::vector<uint8_t>& bitmap,
                        bool& unchanged) {
    if (const std::string why = whyNotWritable(target); !why.empty()) return target + ": " + why;
    unchanged = fileHolds(target, bitmap);
    if (unchanged) return {};
    const std::optional<StagedFile> staged = stageFile(target, bitmap);
    if (!staged) return target + ": cannot be written";
    if (staged->replaces && !keepWholeCopy(staged->target, target + ".bak")) {
        discardStagedFile(*staged);
        return target + ".bak: cannot be written";
    }
    if (!commitStagedFile(*staged)) return target + ": cannot be written";
    return {};
}

// Why the game folder cannot be searched, "" when it can.
std::string folderProblem(const std::string& folder) {
    std::error_code error;
    const fs::path path = pathFromUtf8(folder);
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return folder + ": no such folder";
    if (error) return "cannot read " + folder + ": " + error.message();
    if (!fs::is_directory(status)) return folder + ": no such folder";
    const fs::directory_iterator listing(path, error);
    if (error) return "cannot read " + folder + ": " + error.message();
#ifndef _WIN32
    // A folder that can be listed but not entered shows its names and no files.
    if (::access(folder.c_str(), X_OK) != 0) {
        return "cannot read " + folder + ": " + std::strerror(errno);
    }
#endif
    return {};
}

} // namespace

int runImport(const std::string& gameId, const std::string& gameDir,
              const std::optional<std::string>& outPath, std::ostream& out, std::ostream& err) {
    GameProfile profile;
    GameTileFiles files;
    if (!selectGame(profile, gameId) || !tileFilesForGame(gameId, files)) {
        err << "unknown game " << gameId << ": use " << listGames(GameListing::Ids) << "\n";
        return 2;
    }
    if (const std::string problem = folderProblem(gameDir); !problem.empty()) {
        err << problem << "\n";
        return 1;
    }

    GameFile data;
    GameTilesResult decoded;
    std::vector<std::string> readPaths; // the game's files this import reads
    if (files.layout == TileFileLayout::Latch) {
        GameFile head = readGameFile(gameDir, {files.headName});
        if (!head.error.empty()) {
            err << head.error << "\n";
            return 1;
        }
        readPaths.push_back(head.path);
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
    readPaths.push_back(data.path);
    // Safe: a game's own file is never replaced by a bitmap (--out TILES.DD2,
    // or a link to it).
    for (const std::string& read : readPaths) {
        if (outPath && sameFile(*outPath, read)) {
            err << *outPath << ": is a game file this import reads\n";
            return 1;
        }
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
            err << "cannot find the folder of this program\n";
            return 1;
        }
        // Where the programs look first: Resources/ beside this program when
        // it has one that may be written, else the user's data folder.
        const std::string resources = tileBitmapImportFolder(folder);
        if (resources.empty()) {
            err << "no user data folder: set HOME or XDG_DATA_HOME, or use --out FILE\n";
            return 1;
        }
        std::error_code ec;
        fs::create_directories(pathFromUtf8(resources), ec);
        if (!fs::is_directory(pathFromUtf8(resources), ec)) {
            err << resources << ": cannot be made\n";
            return 1;
        }
        const std::string bitmapName(profile.tileBitmapName);
        target = joinPath(resources, bitmapName);
        const bool beside = resources == tileBitmapFolders(folder).front();
        shownTarget = beside ? "Resources/" + bitmapName : target;
    }
    bool unchanged = false;
    if (const std::string problem = writeBitmap(target, bitmap, unchanged); !problem.empty()) {
        err << problem << "\n";
        return 1;
    }

    out << decoded.tiles.size() << " tiles from " << fileName(data.path);
    if (files.layout == TileFileLayout::Latch) {
        out << (decoded.compressed ? " (compressed)" : " (plain)");
    }
    if (unchanged) {
        out << ": " << shownTarget << " already up to date";
    } else {
        out << " written to " << shownTarget;
    }
    if (decoded.tiles.size() > std::size_t(sheet.placed)) {
        out << " (tiles " << sheet.placed << " and up left out: the editor's map tiles end at "
            << sheet.placed - 1 << ")";
    }
    out << "\n";
    if (!folder.empty()) {
        const std::string used = findTileBitmap(folder, std::string(profile.tileBitmapName));
        if (used != target) out << "note: " << used << " is found first and stays in use\n";
    }
    return 0;
}

} // namespace tessaly
