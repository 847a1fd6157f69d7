// tessaly-level render run as a modder runs it, on every game's sample level
// with the default tile bitmaps the build puts beside the programs: the PNG
// must be the sample drawn cell by cell from the same bitmap, the tiles as
// the bitmap holds them and everything else as the map view shows it.
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/bmp.h"
#include "level/games.h"
#include "level/level_file.h"
#include "system/files.h"
#include "tests/support/png_reader.h"
#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/views/map_view_cells.h"
#include "tests/views/views_fixture.h"

namespace tessaly::test {
namespace {

// The exit status of a shell command line.
int run(const std::string& command) {
    return runTool(command).status;
}

class RenderTool : public ViewsTest {
  protected:
    const std::string resources =
        (std::filesystem::path(TESSALY_LEVEL_TOOL).parent_path() / "Resources").string();
    TempFolder folder;
};

TEST_F(RenderTool, EverySampleIsDrawnCellByCellFromItsTileBitmap) {
    for (const GameRecord& game : kGames) {
        std::string ext(game.gameId);
        for (char& c : ext) c = char(std::tolower(static_cast<unsigned char>(c)));
        const std::string sample = std::string(TESSALY_SAMPLES_DIR) + "/sample." + ext;
        const std::string bitmap = resources + "/" + std::string(game.tileBitmapName);
        SCOPED_TRACE(sample);
        // The user's data folder is empty: the bitmap beside the program is used.
        const std::string tool = "XDG_DATA_HOME=" + quoted(folder.path()) + " " +
                                 quoted(TESSALY_LEVEL_TOOL) + " render " + quoted(sample) + " ";
        ASSERT_EQ(run(tool + quoted(folder.file("all.png"))), 0);
        ASSERT_EQ(run(tool + quoted(folder.file("tiles.png")) + " --layers tiles --tiles " +
                      quoted(bitmap)),
                  0);

        const auto file = readFileBytes(bitmap);
        ASSERT_TRUE(file);
        ASSERT_TRUE(buildTileSheet(tiles(), surface, *file));
        std::vector<uint8_t> sheet(kTileStoreBytes);
        ASSERT_TRUE(loadBitmapFromBytes(surface, *file, sheet, 0));
        std::array<Rgb, 256> colours;
        ASSERT_TRUE(readBitmapColours(*file, colours));
        ASSERT_TRUE(selectGame(profile(), game.gameId));
        ASSERT_EQ(readLevel(level(), sample).result, ReadResult::Read);
        const int columns = level().width, rows = level().height;

        const std::optional<PngPicture> all = readPngFile(folder.file("all.png"));
        const std::optional<PngPicture> tileLayer = readPngFile(folder.file("tiles.png"));
        ASSERT_TRUE(all && tileLayer);
        for (const PngPicture* png : {&*all, &*tileLayer}) {
            ASSERT_EQ(png->width, 16 * columns);
            ASSERT_EQ(png->height, 16 * rows);
            ASSERT_EQ(png->colours, std::vector<Rgb>(colours.begin(), colours.end()));
        }
        const auto pixel = [](const PngPicture& png, int x, int y) {
            return png.indexes[std::size_t(y) * std::size_t(png.width) + std::size_t(x)];
        };

        // Tiles: cell (c, r) holds the bitmap's block of its tile, 13 tiles
        // to a row of the bitmap.
        for (int r = 1; r <= rows; ++r)
            for (int c = 1; c <= columns; ++c) {
                const int tile = tileCell(level(), c, r);
                ASSERT_LT(tile, 897);
                for (int y = 0; y < 16; ++y)
                    for (int x = 0; x < 16; ++x) {
                        const std::size_t at = kImageHeaderBytes +
                                               std::size_t(16 * (tile / 13) + y) * 208 +
                                               std::size_t(16 * (tile % 13) + x);
                        ASSERT_EQ(pixel(*tileLayer, 16 * (c - 1) + x, 16 * (r - 1) + y), sheet[at])
                            << c << "," << r;
                    }
            }

        // Everything: each cell as the map view shows it.
        EXPECT_TRUE(
            showsEveryCellAsTheMapView(*editor, [&](int x, int y) { return pixel(*all, x, y); }));
    }
}

// The bitmap is found as every program finds it: Resources/ beside the
// program first, then the user's data folder. A copy of the tool in a folder
// of its own, with no Resources/ beside it, takes the user's bitmap.
TEST_F(RenderTool, TheBitmapIsFoundAsTheEditorFindsIt) {
    // The user's own Dangerous Dave 2 bitmap: another game's art under its name.
    const std::filesystem::path own =
        std::filesystem::path(folder.path()) / "tessaly" / "Resources";
    std::filesystem::create_directories(own);
    std::filesystem::copy_file(resources + "/NINTILES.bmp", own / "dd2tiles.BMP");
    const std::filesystem::path bin = std::filesystem::path(folder.path()) / "bin";
    std::filesystem::create_directories(bin);
    std::filesystem::copy_file(TESSALY_LEVEL_TOOL, bin / "tessaly-level");
    const std::string sample = std::string(TESSALY_SAMPLES_DIR) + "/sample.dd2";
    const std::string args = " render " + quoted(sample) + " ";
    const std::string data = "XDG_DATA_HOME=" + quoted(folder.path()) + " ";
    ASSERT_EQ(run(data + quoted((bin / "tessaly-level").string()) + args +
                  quoted(folder.file("own.png"))),
              0);
    ASSERT_EQ(run(quoted(TESSALY_LEVEL_TOOL) + args + quoted(folder.file("given.png")) +
                  " --tiles " + quoted((own / "dd2tiles.BMP").string())),
              0);
    ASSERT_EQ(run(data + quoted(TESSALY_LEVEL_TOOL) + args + quoted(folder.file("ours.png"))), 0);
    const auto ownPicture = readFileBytes(folder.file("own.png"));
    ASSERT_TRUE(ownPicture);
    EXPECT_EQ(ownPicture, readFileBytes(folder.file("given.png")));
    EXPECT_NE(ownPicture, readFileBytes(folder.file("ours.png")));
}

} // namespace
} // namespace tessaly::test
