// render LEVEL OUT.png [--tiles BITMAP] [--layers LIST]: the whole level as
// an 8-bit palette PNG, 16 x 16 pixels per cell, drawn as the map view draws
// its cells (views/level_picture.h) with the tile bitmap's own colours.
//
// The game is the one the level's extension names; the tile bitmap is the
// one named, or the game's, found as every program finds it
// (system/resources.h). A level that cannot be read,
// is refused, has no cells or names no game, a bitmap that cannot be read or
// is no tile bitmap, and an OUT that cannot be written, or that is the level
// or the bitmap, give one line on stderr and exit 1, with OUT left as it was.
// A LIST naming anything but tiles, objects, labels and links is a wrong
// command line (exit 2).
#include <array>
#include <cctype>
#include <cstdio>
#include <memory>

#include "core/bmp.h"
#include "core/png.h"
#include "level/profile.h"
#include "system/executable_folder.h"
#include "system/files.h"
#include "system/png_file.h"
#include "system/resources.h"
#include "tools/level/commands.h"
#include "views/level_picture.h"
#include "views/tilesheet.h"

namespace tessaly {

namespace {

int fail(const std::string& subject, const std::string& problem) {
    std::fprintf(stderr, "tessaly-level: %s %s\n", subject.c_str(), problem.c_str());
    return 1;
}

} // namespace

int runRender(const RenderOptions& options) {
    const std::optional<PictureLayers> layers =
        parsePictureLayers(options.layers.value_or("tiles,objects,labels,links"));
    if (!layers) {
        std::fprintf(stderr, "tessaly-level: --layers takes a comma list of tiles, objects, "
                             "labels, links\n");
        return 2;
    }
    auto level = std::make_unique<Level>();
    if (!readOrComplain(*level, options.level)) return 1;
    if (level->width <= 0 || level->height <= 0) return fail(options.level, "has no cells to draw");
    auto profile = std::make_unique<GameProfile>();
    const GameRecord* game = gameOfPath(options.level);
    if (!game)
        return fail(options.level, "has no game's extension (" +
                                       listGames(GameListing::Extensions, ", ", ", ") + ")");
    selectGame(*profile, game->gameId);

    const std::string bitmapPath =
        options.tiles ? *options.tiles
                      : findTileBitmap(executableFolder(), std::string(game->tileBitmapName));
    const std::optional<std::vector<uint8_t>> bitmap = readFileBytes(bitmapPath);
    if (!bitmap) return fail(bitmapPath, "cannot be read");
    auto surface = std::make_unique<Surface>();
    auto sheet = std::make_unique<TileSheet>();
    std::array<Rgb, 256> colours;
    if (!buildTileSheet(*sheet, *surface, *bitmap) || !readBitmapColours(*bitmap, colours))
        return fail(bitmapPath, "is not a tile bitmap (a palette BMP 208 pixels wide)");

    if (sameFile(options.out, options.level) || sameFile(options.out, bitmapPath))
        return fail(options.out, "is an input: not overwritten");
    if (const std::string why = whyNotWritable(options.out); !why.empty())
        return fail(options.out, why);
    const LevelPicture picture = drawLevelPicture(*level, *profile, *sheet, *layers);
    const std::vector<uint8_t> png =
        encodePalettePng(picture.width, picture.height, picture.pixels, colours);
    if (!writePngFile(options.out, png)) return fail(options.out, "cannot be written");
    return 0;
}

} // namespace tessaly
