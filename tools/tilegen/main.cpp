// tilegen FOLDER: writes the default tile bitmap of each of the five games
// (DD2TILES.bmp ... NINTILES.bmp: 208 x 1104 pixels, 8 bits, the editor
// palette as colour table) into FOLDER, creating it when needed. A file that
// already holds the same bytes is left untouched.
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "gui/palette.h"
#include "level/profile.h"
#include "platform/bmp.h"
#include "platform/files.h"
#include "tools/tilegen/tile_art.h"

int main(int argc, char** argv) {
    using namespace tessaly;
    if (argc != 2) {
        std::fprintf(stderr, "usage: tilegen FOLDER\n");
        return 2;
    }
    const std::string folder = argv[1];
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    int status = 0;
    for (std::string_view id : kGameIds) {
        GameProfile profile;
        selectGame(profile, id);
        const std::string path = joinPath(folder, profile.tileBitmapName);
        const auto sheet = drawDefaultTileSheet(id);
        const auto file = encodeBitmap8(kSheetWidth, kSheetHeight, sheet, kEditorPalette);
        if (file.empty() || !writeFileSafely(path, file)) {
            std::fprintf(stderr, "tilegen: cannot write %s\n", path.c_str());
            status = 1;
        }
    }
    return status;
}
