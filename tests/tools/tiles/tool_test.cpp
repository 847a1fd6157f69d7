// Runs the built tessaly-tiles on game folders the tests write themselves.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "tests/support/run_tool.h"
#include "tests/support/temp_folder.h"
#include "tests/tools/tiles/ega_writer.h"
#include "tools/tilegen/tile_art.h"
#include "tools/tiles/tile_sheet.h"

namespace tessaly {
namespace {

namespace fs = std::filesystem;
using namespace test;

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<uint8_t> readBytes(const fs::path& path) {
    const std::string text = readText(path);
    return {text.begin(), text.end()};
}

void writeBytes(const fs::path& path, const std::vector<uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

std::set<std::string> filesIn(const fs::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : fs::recursive_directory_iterator(dir))
        names.insert(entry.path().lexically_relative(dir).string());
    return names;
}

uint32_t u32(const std::vector<uint8_t>& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | uint32_t(b[at + 3]) << 24;
}

// The pixels of an 8-bit, 208 x 1104, bottom-up BMP, top row first, after
// checking that it is one and that colours 0..15 are the EGA colours.
std::vector<uint8_t> tileBitmapPixels(const fs::path& path) {
    const std::vector<uint8_t> bmp = readBytes(path);
    EXPECT_GE(bmp.size(), 54u + 1024u + 208u * 1104u);
    if (bmp.size() < 54u + 1024u + 208u * 1104u) return {};
    EXPECT_EQ(bmp[0], 'B');
    EXPECT_EQ(bmp[1], 'M');
    EXPECT_EQ(u32(bmp, 18), 208u);
    EXPECT_EQ(u32(bmp, 22), 1104u);
    EXPECT_EQ(bmp[28], 8);
    EXPECT_EQ(u32(bmp, 30), 0u); // no compression
    // Colour table entries are blue, green, red, 0.
    auto colour = [&](int i) {
        const std::size_t at = 54 + 4 * i;
        return std::vector<int>{bmp[at + 2], bmp[at + 1], bmp[at]};
    };
    EXPECT_EQ(colour(0), (std::vector<int>{0, 0, 0}));
    EXPECT_EQ(colour(1), (std::vector<int>{0, 0, 170}));
    EXPECT_EQ(colour(6), (std::vector<int>{170, 85, 0}));
    EXPECT_EQ(colour(9), (std::vector<int>{85, 85, 255}));
    EXPECT_EQ(colour(15), (std::vector<int>{255, 255, 255}));
    const std::size_t data = u32(bmp, 10);
    std::vector<uint8_t> pixels(208 * 1104);
    for (int y = 0; y < 1104; ++y)
        std::copy_n(bmp.begin() + data + std::size_t(1103 - y) * 208, 208,
                    pixels.begin() + y * 208);
    return pixels;
}

// Expects the bitmap to hold `tiles` as tiles 0.. and the game's default art
// at every other number.
void expectSheet(const fs::path& path, const std::string& game,
                 const std::vector<TilePixels>& tiles) {
    const std::vector<uint8_t> pixels = tileBitmapPixels(path);
    const std::vector<uint8_t> art = drawDefaultTileSheet(game);
    ASSERT_EQ(art.size(), pixels.size());
    for (int n = 0; n < 897; ++n) {
        if (std::size_t(n) < tiles.size()) {
            ASSERT_EQ(sheetTile(pixels, n), tiles[n]) << game << " tile " << n;
        } else {
            ASSERT_EQ(sheetTile(pixels, n), sheetTile(art, n)) << game << " default tile " << n;
        }
    }
}

class TilesTool : public ::testing::Test {
  protected:
    TempFolder folder;
    fs::path root = folder.fsPath(), game = root / "game", out = root / "out";

    void SetUp() override {
        fs::create_directories(game);
        fs::create_directories(out);
        // The user's data folder of the tool run by the tests.
        ::setenv("XDG_DATA_HOME", (root / "data").c_str(), 1);
    }

    // The tool with these arguments, after `prefix` (variables, limits).
    ToolRun run(const std::vector<std::string>& args, const std::string& exe = TESSALY_TILES_EXE,
                const std::string& prefix = "") {
        std::string command = prefix + quoted(exe);
        for (const std::string& arg : args) command += " " + quoted(arg);
        return runTool(command);
    }

    // Keen files with the given numbers and tiles; the latch compressed or plain.
    void writeKeen(const std::string& head, const std::string& latch, uint32_t planeBytes,
                   uint32_t offset, const std::vector<TilePixels>& tiles, bool compressed) {
        writeBytes(game / head, egaHeadFile(planeBytes, uint16_t(tiles.size()), offset));
        const std::vector<uint8_t> planes = latchPlanes(planeBytes, offset, tiles, 21);
        writeBytes(game / latch, compressed ? compressedLatch(planes) : planes);
    }
};

TEST_F(TilesTool, ImportsKeen1FromACompressedLatchFile) {
    const std::vector<TilePixels> tiles = randomTiles(611, 1);
    writeKeen("EGAHEAD.CK1", "EGALATCH.CK1", 29920, 2048, tiles, true);
    const fs::path target = out / "CK1TILES.bmp";
    const ToolRun r = run({"import", "CK1", game.string(), "--out", target.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "611 tiles from EGALATCH.CK1 (compressed) written to " + target.string() + "\n");
    EXPECT_EQ(r.err, "");
    expectSheet(target, "CK1", tiles);
    EXPECT_EQ(filesIn(out), std::set<std::string>{"CK1TILES.bmp"});
}

TEST_F(TilesTool, ImportsKeen2FromAPlainLatchFileWhateverTheCaseOfTheNames) {
    const std::vector<TilePixels> tiles = randomTiles(689, 2);
    writeKeen("egahead.ck2", "EgaLatch.Ck2", 32000, 2048, tiles, false);
    const fs::path target = out / "k2.bmp";
    const ToolRun r = run({"import", "CK2", game.string(), "--out", target.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "689 tiles from EgaLatch.Ck2 (plain) written to " + target.string() + "\n");
    expectSheet(target, "CK2", tiles);
}

TEST_F(TilesTool, ImportsDave2AndShadowKnightTileFiles) {
    const std::vector<TilePixels> dave = randomTiles(300, 3);
    writeBytes(game / "tiles.dd2", egaTilesFile(dave));
    ToolRun r = run({"import", "DD2", game.string(), "--out", (out / "a.bmp").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "300 tiles from tiles.dd2 written to " + (out / "a.bmp").string() + "\n");
    expectSheet(out / "a.bmp", "DD2", dave);

    fs::remove(game / "tiles.dd2");
    writeBytes(game / "EGATILES.DD2", egaTilesFile(dave));
    r = run({"import", "DD2", game.string(), "--out", (out / "b.bmp").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "300 tiles from EGATILES.DD2 written to " + (out / "b.bmp").string() + "\n");

    // More tiles than the game's 871 map tiles: the first 871 are placed and the
    // object pictures and markers after them keep the default art.
    const std::vector<TilePixels> knight = randomTiles(900, 4);
    writeBytes(game / "egatiles.nin", egaTilesFile(knight));
    r = run({"import", "NIN", game.string(), "--out", (out / "c.bmp").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "900 tiles from egatiles.nin written to " + (out / "c.bmp").string() +
                         " (tiles 871 and up left out: the editor's map tiles end at 870)\n");
    expectSheet(out / "c.bmp", "NIN", {knight.begin(), knight.begin() + 871});
}

TEST_F(TilesTool, WritesBesideTheExecutableAndKeepsTheOldBitmapAsBak) {
    const fs::path bin = root / "bin";
    fs::create_directories(bin / "Resources");
    fs::copy_file(TESSALY_TILES_EXE, bin / "tessaly-tiles");
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    writeBytes(bin / "Resources/CK3TILES.bmp", old);
    const std::vector<TilePixels> tiles = randomTiles(624, 5);
    writeKeen("EGAHEAD.CK3", "EGALATCH.CK3", 30000, 2048, tiles, false);

    const std::string exe = (bin / "tessaly-tiles").string();
    ToolRun r = run({"import", "CK3", game.string()}, exe);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out, "624 tiles from EGALATCH.CK3 (plain) written to Resources/CK3TILES.bmp\n");
    expectSheet(bin / "Resources/CK3TILES.bmp", "CK3", tiles);
    EXPECT_EQ(readBytes(bin / "Resources/CK3TILES.bmp.bak"), old);

    // The same import again says so and leaves the backup of the older bitmap alone.
    r = run({"import", "CK3", game.string()}, exe);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "624 tiles from EGALATCH.CK3 (plain): Resources/CK3TILES.bmp already up to date\n");
    EXPECT_EQ(readBytes(bin / "Resources/CK3TILES.bmp.bak"), old);

    // A different import backs up the bitmap it replaces.
    const std::vector<uint8_t> first = readBytes(bin / "Resources/CK3TILES.bmp");
    writeKeen("EGAHEAD.CK3", "EGALATCH.CK3", 30000, 2048, randomTiles(624, 6), true);
    r = run({"import", "CK3", game.string()}, exe);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(bin / "Resources/CK3TILES.bmp.bak"), first);
    EXPECT_EQ(filesIn(bin / "Resources"),
              (std::set<std::string>{"CK3TILES.bmp", "CK3TILES.bmp.bak"}));
}

// An installed program has no Resources folder beside it: the bitmap goes to
// the user's data folder, where the editor looks before the installed art,
// and no Resources folder is made beside the program.
TEST_F(TilesTool, WritesIntoTheUsersDataFolderForAnInstalledProgram) {
    const fs::path bin = root / "usr/bin";
    fs::create_directories(bin);
    fs::copy_file(TESSALY_TILES_EXE, bin / "tessaly-tiles");
    const std::string exe = (bin / "tessaly-tiles").string();
    writeBytes(game / "EGATILES.NIN", egaTilesFile(randomTiles(10, 7)));
    const fs::path user = root / "data/tessaly/Resources";

    ToolRun r = run({"import", "NIN", game.string()}, exe);
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out,
              "10 tiles from EGATILES.NIN written to " + (user / "NINTILES.bmp").string() + "\n");
    EXPECT_EQ(filesIn(user), std::set<std::string>{"NINTILES.bmp"});
    EXPECT_FALSE(fs::exists(bin / "Resources"));

    // The installed art is found after it; a bitmap beside the program would
    // be found first, and the report says so.
    fs::create_directories(bin / "Resources");
    writeBytes(bin / "Resources/NINTILES.bmp", {'o', 'l', 'd'});
    fs::permissions(bin / "Resources", fs::perms::owner_write, fs::perm_options::remove);
    if (::geteuid() != 0) {
        writeBytes(game / "EGATILES.NIN", egaTilesFile(randomTiles(10, 8)));
        r = run({"import", "NIN", game.string()}, exe);
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, "10 tiles from EGATILES.NIN written to " +
                             (user / "NINTILES.bmp").string() +
                             "\nnote: " + (bin / "Resources/NINTILES.bmp").string() +
                             " is found first and stays in use\n");
    }
    fs::permissions(bin / "Resources", fs::perms::owner_write, fs::perm_options::add);
}

// Runs the tool with a file size limit of about 50 KiB (dash counts 512-byte
// blocks, bash 1 KiB ones), well below a tile bitmap.
constexpr const char* kSmallFileLimit = "trap '' XFSZ; ulimit -f 100; ";

// A bitmap that cannot be written (here a file size limit stops it) must not
// replace the .bak or touch the bitmap; a .bak that cannot be written stops
// the import before the bitmap is replaced.
TEST_F(TilesTool, AFailedWriteLeavesTheBitmapAndItsBackupAlone) {
    writeBytes(game / "EGATILES.NIN", egaTilesFile(randomTiles(10, 3)));
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    const std::vector<uint8_t> older = {'o', 'l', 'd', 'e', 'r'};
    const fs::path target = out / "tiles.bmp";
    writeBytes(target, old);
    writeBytes(out / "tiles.bmp.bak", older);
    ToolRun r = run({"import", "NIN", game.string(), "--out", target.string()}, TESSALY_TILES_EXE,
                    kSmallFileLimit);
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, target.string() + ": cannot be written\n");
    EXPECT_EQ(filesIn(out), (std::set<std::string>{"tiles.bmp", "tiles.bmp.bak"}));
    EXPECT_EQ(readBytes(target), old);
    EXPECT_EQ(readBytes(out / "tiles.bmp.bak"), older);

    fs::remove(out / "tiles.bmp.bak");
    fs::create_directories(out / "tiles.bmp.bak");
    r = run({"import", "NIN", game.string(), "--out", target.string()});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, target.string() + ".bak: cannot be written\n");
    EXPECT_EQ(filesIn(out), (std::set<std::string>{"tiles.bmp", "tiles.bmp.bak"}));
    EXPECT_EQ(readBytes(target), old);
}

// The new bitmap is staged under a fresh name: a file of the user's named
// like a staging file is neither overwritten nor consumed, and a link there is
// never followed.
TEST_F(TilesTool, StagingLeavesTheUsersFilesAndLinksAlone) {
    const fs::path target = out / "tiles.bmp";
    const std::vector<uint8_t> mine = {'m', 'i', 'n', 'e'};
    writeBytes(target, {'o', 'l', 'd'});
    writeBytes(out / "tiles.bmp.new", mine);
    writeBytes(game / "EGATILES.NIN", egaTilesFile(randomTiles(10, 3)));
    ToolRun r = run({"import", "NIN", game.string(), "--out", target.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(out / "tiles.bmp.new"), mine);
    EXPECT_EQ(filesIn(out), (std::set<std::string>{"tiles.bmp", "tiles.bmp.bak", "tiles.bmp.new"}));

    fs::remove(out / "tiles.bmp.new");
    writeBytes(root / "victim", mine);
    fs::create_symlink(root / "victim", out / "tiles.bmp.new");
    writeBytes(game / "EGATILES.NIN", egaTilesFile(randomTiles(10, 4)));
    r = run({"import", "NIN", game.string(), "--out", target.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(readBytes(root / "victim"), mine);
    EXPECT_TRUE(fs::is_symlink(out / "tiles.bmp.new"));
    EXPECT_FALSE(fs::is_symlink(target));
    expectSheet(target, "NIN", randomTiles(10, 4));
}

// --out naming a symbolic link writes the file it names and keeps the link,
// as a level save does; the backup lies beside the link.
TEST_F(TilesTool, OutThroughASymbolicLinkWritesTheFileItNames) {
    fs::create_directories(root / "real");
    const std::vector<uint8_t> old = {'o', 'l', 'd'};
    writeBytes(root / "real/tiles.bmp", old);
    fs::create_symlink(root / "real/tiles.bmp", out / "link.bmp");
    const std::vector<TilePixels> tiles = randomTiles(10, 5);
    writeBytes(game / "EGATILES.NIN", egaTilesFile(tiles));
    const ToolRun r = run({"import", "NIN", game.string(), "--out", (out / "link.bmp").string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(fs::is_symlink(out / "link.bmp"));
    expectSheet(root / "real/tiles.bmp", "NIN", tiles);
    EXPECT_EQ(readBytes(out / "link.bmp.bak"), old);
    EXPECT_EQ(filesIn(root / "real"), std::set<std::string>{"tiles.bmp"});
}

// A file of `size` bytes, mostly a hole, ending in "tail!".
void writeLargeFile(const fs::path& path, std::uintmax_t size) {
    writeBytes(path, {'o', 'l', 'd'});
    fs::resize_file(path, size - 5);
    std::ofstream(path, std::ios::binary | std::ios::app) << "tail!";
}

bool endsInTail(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    in.seekg(-5, std::ios::end);
    std::string tail(5, ' ');
    in.read(tail.data(), 5);
    return tail == "tail!";
}

// The backup holds every byte of the old bitmap, however large; one that
// cannot be made whole stops the import.
TEST_F(TilesTool, TheBackupIsTheWholeOldBitmap) {
    const fs::path target = out / "tiles.bmp";
    const std::uintmax_t size = (std::uintmax_t(64) << 20) + 5;
    writeLargeFile(target, size);
    writeBytes(game / "EGATILES.NIN", egaTilesFile(randomTiles(10, 6)));
    const ToolRun r = run({"import", "NIN", game.string(), "--out", target.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(fs::file_size(out / "tiles.bmp.bak"), size);
    EXPECT_TRUE(endsInTail(out / "tiles.bmp.bak"));
}

// On another file system the backup must be copied; with a file size limit
// that lets the new bitmap through but not the copy, nothing changes.
TEST_F(TilesTool, ABitmapThatCannotBeBackedUpWholeIsKept) {
    char pattern[] = "/dev/shm/tessaly-XXXXXX";
    if (::mkdtemp(pattern) == nullptr) GTEST_SKIP() << "no /dev/shm";
    const fs::path shm = pattern;
    const std::uintmax_t size = std::uintmax_t(4) << 20;
    writeLargeFile(shm / "tiles.bmp", size);
    const fs::path target = out / "tiles.bmp";
    fs::create_symlink(shm / "tiles.bmp", target);
    writeBytes(game / "EGATILES.NIN", egaTilesFile(randomTiles(10, 6)));
    struct stat a {
    }, b{};
    ::stat(shm.c_str(), &a);
    ::stat(out.c_str(), &b);
    if (a.st_dev != b.st_dev) {
        const ToolRun r = run({"import", "NIN", game.string(), "--out", target.string()},
                              TESSALY_TILES_EXE, "trap '' XFSZ; ulimit -f 2048; ");
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, target.string() + ".bak: cannot be written\n");
        EXPECT_EQ(fs::file_size(shm / "tiles.bmp"), size);
        EXPECT_EQ(filesIn(out), std::set<std::string>{"tiles.bmp"});
        EXPECT_EQ(filesIn(shm), std::set<std::string>{"tiles.bmp"});
        // Without the limit the copy is made whole.
        const ToolRun whole = run({"import", "NIN", game.string(), "--out", target.string()});
        EXPECT_EQ(whole.status, 0) << whole.err;
        EXPECT_EQ(fs::file_size(out / "tiles.bmp.bak"), size);
        EXPECT_TRUE(endsInTail(out / "tiles.bmp.bak"));
    }
    fs::remove_all(shm);
    if (a.st_dev == b.st_dev) GTEST_SKIP() << "/dev/shm is on the same file system";
}

// Runs `command` as an unprivileged user when the tests run as root, so that
// permissions apply; "" when that is not possible.
std::string unprivileged() {
    if (::geteuid() != 0) return " ";
    if (std::system("command -v setpriv >/dev/null 2>&1") != 0) return "";
    return "setpriv --reuid=65534 --regid=65534 --clear-groups ";
}

TEST_F(TilesTool, AnUnreadableGameFolderIsReportedAsSuch) {
    const std::string prefix = unprivileged();
    if (prefix.empty()) GTEST_SKIP() << "cannot drop root privileges";
    writeKeen("EGAHEAD.CK1", "EGALATCH.CK1", 2048, 512, randomTiles(10, 7), false);
    fs::permissions(root, fs::perms::all);
    fs::permissions(out, fs::perms::all);
    for (const fs::perms perms :
         {fs::perms::none, fs::perms::owner_read | fs::perms::others_read}) {
        fs::permissions(game, perms);
        const ToolRun r = run({"import", "CK1", game.string(), "--out", (out / "t.bmp").string()},
                              TESSALY_TILES_EXE, prefix);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "cannot read " + game.string() + ": " + std::strerror(EACCES) + "\n");
        EXPECT_TRUE(filesIn(out).empty());
    }
    fs::permissions(game, fs::perms::all);
}

// Each case sets up a broken game folder; the tool must fail with one line
// naming the file, exit 1, and leave the output folder exactly as it was.
TEST_F(TilesTool, BadGameFilesWriteNothing) {
    const std::vector<TilePixels> tiles = randomTiles(40, 8);
    const std::vector<uint8_t> planes = latchPlanes(2048, 512, tiles, 9);
    const std::vector<uint8_t> packed = compressedLatch(planes);
    struct Case {
        const char* what;
        const char* game;
        std::function<void(const fs::path&)> setUp;
        std::string expected; // in the error line, after the game folder
    };
    auto keen = [&](std::vector<uint8_t> head, std::vector<uint8_t> latch) {
        return [head, latch](const fs::path& dir) {
            writeBytes(dir / "EGAHEAD.CK1", head);
            writeBytes(dir / "EGALATCH.CK1", latch);
        };
    };
    const std::vector<uint8_t> head = egaHeadFile(2048, 40, 512);
    std::vector<uint8_t> shortHead = head;
    shortHead.resize(30);
    std::vector<uint8_t> sizeMismatch = packed;
    sizeMismatch[1] ^= 1;
    std::vector<uint8_t> pastDictionary = packed;
    pastDictionary[6] = 0xFF;
    pastDictionary[7] |= 0x80;
    const std::vector<uint8_t> truncated(packed.begin(), packed.end() - 100);
    const std::vector<Case> cases = {
        {"no EGAHEAD", "CK1",
         [&](const fs::path& dir) { writeBytes(dir / "EGALATCH.CK1", planes); },
         "/EGAHEAD.CK1: not found"},
        {"no EGALATCH", "CK1", [&](const fs::path& dir) { writeBytes(dir / "EGAHEAD.CK1", head); },
         "/EGALATCH.CK1: not found"},
        {"short EGAHEAD", "CK1", keen(shortHead, planes), "/EGAHEAD.CK1: only 30 bytes, too short"},
        {"plain latch one byte short", "CK1", keen(head, {planes.begin(), planes.end() - 1}),
         "/EGALATCH.CK1: 8191 bytes is not the plain size 8192"},
        {"compressed size mismatch", "CK1", keen(head, sizeMismatch),
         "/EGALATCH.CK1: " + std::to_string(packed.size()) + " bytes is not the plain size"},
        {"code past the dictionary", "CK1", keen(head, pastDictionary),
         "/EGALATCH.CK1: LZW code 511 at stream byte 0 is past the dictionary"},
        {"truncated stream", "CK1", keen(head, truncated),
         "/EGALATCH.CK1: compressed data runs out after"},
        {"tiles past the plane", "CK1", keen(egaHeadFile(2048, 60, 512), planes),
         "/EGAHEAD.CK1: 60 tiles of 32 bytes from offset 512 run past the plane size 2048"},
        {"part of a tile", "DD2",
         [&](const fs::path& dir) {
             std::vector<uint8_t> file = egaTilesFile(tiles);
             file.resize(file.size() - 64);
             writeBytes(dir / "EGATILES.DD2", file);
         },
         "/EGATILES.DD2: 5056 bytes is not a whole number of 128-byte tiles"},
        {"empty tile file", "NIN",
         [&](const fs::path& dir) { writeBytes(dir / "EGATILES.NIN", {}); },
         "/EGATILES.NIN: the file is empty"},
        {"no tile file", "DD2", [](const fs::path&) {}, ": found none of TILES.DD2 EGATILES.DD2"},
        // The real size decides, before anything is read.
        {"huge tile file", "NIN",
         [&](const fs::path& dir) {
             writeBytes(dir / "EGATILES.NIN", egaTilesFile(tiles));
             fs::resize_file(dir / "EGATILES.NIN", std::uintmax_t(1) << 31);
         },
         "/EGATILES.NIN: 2147483648 bytes, too large for a tile file"},
        {"huge latch file", "CK1",
         [&](const fs::path& dir) {
             writeBytes(dir / "EGAHEAD.CK1", head);
             writeBytes(dir / "EGALATCH.CK1", planes);
             fs::resize_file(dir / "EGALATCH.CK1", std::uintmax_t(1) << 31);
         },
         "/EGALATCH.CK1: 2147483648 bytes, too large for a tile file"},
        {"tile file just too large", "NIN",
         [&](const fs::path& dir) {
             writeBytes(dir / "EGATILES.NIN", {});
             fs::resize_file(dir / "EGATILES.NIN", (std::uintmax_t(16) << 20) + 128);
         },
         "/EGATILES.NIN: 16777344 bytes, too large for a tile file"},
    };
    const std::vector<uint8_t> old = {'k', 'e', 'p', 't'};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        fs::remove_all(game);
        fs::create_directories(game);
        c.setUp(game);
        writeBytes(out / "tiles.bmp", old);
        const ToolRun r =
            run({"import", c.game, game.string(), "--out", (out / "tiles.bmp").string()});
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.out, "");
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
        EXPECT_EQ(r.err.rfind(game.string(), 0), 0u) << r.err;
        EXPECT_NE(r.err.find(c.expected), std::string::npos) << r.err;
        EXPECT_EQ(filesIn(out), std::set<std::string>{"tiles.bmp"});
        EXPECT_EQ(readBytes(out / "tiles.bmp"), old);
    }

    const ToolRun missing = run({"import", "CK1", (root / "nowhere").string()});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, (root / "nowhere").string() + ": no such folder\n");
}

// The bitmap never replaces a game file the import reads, named as OUT or
// through a link to it.
TEST_F(TilesTool, ImportLeavesTheGameFilesItReadsAlone) {
    const std::vector<TilePixels> tiles = randomTiles(40, 12);
    writeKeen("EGAHEAD.CK1", "EGALATCH.CK1", 2048, 512, tiles, false);
    writeBytes(game / "TILES.DD2", egaTilesFile(tiles));
    fs::create_symlink(game / "EGAHEAD.CK1", out / "link.bmp");
    const std::set<std::string> files = filesIn(game);
    struct Case {
        const char* game;
        fs::path target, read;
    };
    for (const Case& c : {Case{"DD2", game / "TILES.DD2", game / "TILES.DD2"},
                          Case{"CK1", game / "EGALATCH.CK1", game / "EGALATCH.CK1"},
                          Case{"CK1", out / "link.bmp", game / "EGAHEAD.CK1"}}) {
        const std::vector<uint8_t> before = readBytes(c.read);
        const ToolRun r = run({"import", c.game, game.string(), "--out", c.target.string()});
        EXPECT_EQ(r.status, 1) << c.target;
        EXPECT_EQ(r.err, c.target.string() + ": is a game file this import reads\n");
        EXPECT_EQ(readBytes(c.read), before) << c.target;
        EXPECT_EQ(filesIn(game), files);
    }
}

TEST_F(TilesTool, WrongCommandLinesAreRefused) {
    EXPECT_EQ(run({}).status, 2);
    EXPECT_EQ(run({"import", "CK1"}).status, 2);
    EXPECT_EQ(run({"import", "CK1", game.string(), "--out"}).status, 2);
    const ToolRun unknown =
        run({"import", "CK4", game.string(), "--out", (out / "x.bmp").string()});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "unknown game CK4: use DD2, CK1, CK2, CK3 or NIN\n");
    EXPECT_TRUE(filesIn(out).empty());
}

TEST_F(TilesTool, RendersATileBitmapAsAPicture) {
    writeBytes(game / "EGATILES.NIN", egaTilesFile(randomTiles(871, 10)));
    ASSERT_EQ(run({"import", "NIN", game.string(), "--out", (out / "n.bmp").string()}).status, 0);
    const fs::path png = out / "n.png";
    const ToolRun r = run({"render", (out / "n.bmp").string(), png.string()});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::vector<uint8_t> bytes = readBytes(png);
    ASSERT_GT(bytes.size(), 24u);
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin() + 1, bytes.begin() + 4),
              (std::vector<uint8_t>{'P', 'N', 'G'}));
    // Width and height (big-endian in the header chunk) hold the sheet at twice its size.
    const uint32_t width = bytes[16] << 24 | bytes[17] << 16 | bytes[18] << 8 | bytes[19];
    const uint32_t height = bytes[20] << 24 | bytes[21] << 16 | bytes[22] << 8 | bytes[23];
    EXPECT_GE(width, 416u);
    EXPECT_GE(height, 2208u);

    writeBytes(out / "bad.bmp", {'B', 'M', 0, 0});
    const ToolRun bad = run({"render", (out / "bad.bmp").string(), (out / "bad.png").string()});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err.rfind((out / "bad.bmp").string() + ": ", 0), 0u);
    EXPECT_FALSE(fs::exists(out / "bad.png"));

    // What it tells on standard output is part of the run: a full disk there
    // fails it with one line.
    const ToolRun full =
        runTool(quoted(TESSALY_TILES_EXE) + " render " + quoted((out / "n.bmp").string()) + " " +
                quoted(png.string()) + " >/dev/full");
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, "standard output: cannot be written\n");
}

// A picture is written as a level is saved: never over its own input, never
// into a folder, a FIFO or a device, and a failed write keeps the old picture.
TEST_F(TilesTool, RenderWritesOnlyANewPictureFileSafely) {
    writeBytes(game / "EGATILES.NIN", egaTilesFile(randomTiles(20, 11)));
    const fs::path bmp = out / "n.bmp";
    ASSERT_EQ(run({"import", "NIN", game.string(), "--out", bmp.string()}).status, 0);
    const std::vector<uint8_t> bitmap = readBytes(bmp);
    fs::create_symlink(bmp, out / "link.bmp");
    fs::create_directories(out / "folder.png");
    ASSERT_EQ(::mkfifo((out / "fifo.png").c_str(), 0600), 0);
    struct Case {
        fs::path target;
        std::string why;
    };
    for (const Case& c :
         {Case{bmp, "is the input file"}, Case{out / "link.bmp", "is the input file"},
          Case{out / "folder.png", "is a folder"},
          Case{out / "fifo.png", "is not a regular file"}}) {
        // The time limit turns a hang into a failure.
        const ToolRun r =
            run({"render", bmp.string(), c.target.string()}, TESSALY_TILES_EXE, "timeout 20 ");
        EXPECT_EQ(r.status, 1) << c.target;
        EXPECT_EQ(r.err, c.target.string() + ": " + c.why + "\n");
        EXPECT_EQ(readBytes(bmp), bitmap);
    }
    EXPECT_EQ(filesIn(out), (std::set<std::string>{"n.bmp", "link.bmp", "folder.png", "fifo.png"}));

    // A full disk (here a file size limit) keeps the old picture.
    const std::vector<uint8_t> oldPicture = {'o', 'l', 'd'};
    writeBytes(out / "n.png", oldPicture);
    const ToolRun full =
        run({"render", bmp.string(), (out / "n.png").string()}, TESSALY_TILES_EXE, kSmallFileLimit);
    EXPECT_EQ(full.status, 1);
    EXPECT_EQ(full.err, (out / "n.png").string() + ": cannot be written\n");
    EXPECT_EQ(readBytes(out / "n.png"), oldPicture);
    EXPECT_EQ(filesIn(out).size(), 5u);
}

} // namespace
} // namespace tessaly
