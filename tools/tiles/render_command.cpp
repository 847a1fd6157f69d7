// render: a tile bitmap as the editor reads it (the first 1,104 rows, 69
// strips of 13 tiles, pixel values through the editor palette), drawn at twice
// its size on a grid, each strip labelled with its first tile number and each
// column with its offset, so tile n is found at row label + column label.
#include <array>
#include <string>
#include <vector>

#include "core/bmp.h"
#include "core/png.h"
#include "core/surface.h"
#include "gui/palette.h"
#include "system/files.h"
#include "system/png_file.h"
#include "tools/tiles/commands.h"
#include "tools/tiles/tile_sheet.h"

namespace tessaly {

namespace {

// Digits 0..9 in 3 x 5 cells, one string of 15 characters per digit, row by row.
constexpr std::array<const char*, 10> kDigits = {
    "###"
    "#.#"
    "#.#"
    "#.#"
    "###",
    ".#."
    "##."
    ".#."
    ".#."
    "###",
    "###"
    "..#"
    "###"
    "#.."
    "###",
    "###"
    "..#"
    ".##"
    "..#"
    "###",
    "#.#"
    "#.#"
    "###"
    "..#"
    "..#",
    "###"
    "#.."
    "###"
    "..#"
    "###",
    "###"
    "#.."
    "###"
    "#.#"
    "###",
    "###"
    "..#"
    "..#"
    ".#."
    ".#.",
    "###"
    "#.#"
    "###"
    "#.#"
    "###",
    "###"
    "#.#"
    "###"
    "..#"
    "###",
};

constexpr int kScale = 2;
constexpr int kDigitAdvance = 4 * kScale; // 3 columns and a gap
constexpr int kDigitHeight = 5 * kScale;
constexpr int kCell = kTileSide * kScale + 1; // a tile and one grid line
constexpr int kMargin = 3 * kDigitAdvance + 2 * kScale;
constexpr int kHeader = kDigitHeight + 3 * kScale;
constexpr int kStrips = kSheetPixelHeight / kTileSide;
constexpr int kPictureWidth = kMargin + kSheetColumns * kCell + 1;
constexpr int kPictureHeight = kHeader + kStrips * kCell + 1;
constexpr uint8_t kBackground = 0, kGrid = 8, kLabel = 15;
// The editor's bitmap load buffer: the largest image the editor takes.
constexpr std::size_t kLoadBufferBytes = 425985;

struct Picture {
    std::vector<uint8_t> pixels =
        std::vector<uint8_t>(std::size_t(kPictureWidth) * kPictureHeight, kBackground);
    void set(int x, int y, uint8_t c) { pixels[std::size_t(y) * kPictureWidth + x] = c; }
};

int numberWidth(int number) {
    return int(std::to_string(number).size()) * kDigitAdvance - kScale;
}

// Draws `number` with its top-left corner at (left, top).
void drawNumber(Picture& picture, int left, int top, int number) {
    const std::string text = std::to_string(number);
    int x = left;
    for (char ch : text) {
        const char* glyph = kDigits[ch - '0'];
        for (int cell = 0; cell < 15; ++cell) {
            if (glyph[cell] != '#') continue;
            for (int dy = 0; dy < kScale; ++dy)
                for (int dx = 0; dx < kScale; ++dx)
                    picture.set(x + cell % 3 * kScale + dx, top + cell / 3 * kScale + dy, kLabel);
        }
        x += kDigitAdvance;
    }
}

} // namespace

int runRender(const std::string& bitmapPath, const std::string& pngPath, std::ostream& out,
              std::ostream& err) {
    // Safe: the picture never replaces its own input, and a folder, FIFO or
    // device named as OUT is refused before anything is opened.
    if (const std::string why = whyNotWritable(pngPath); !why.empty()) {
        err << pngPath << ": " << why << "\n";
        return 1;
    }
    if (sameFile(bitmapPath, pngPath)) {
        err << pngPath << ": is the input file\n";
        return 1;
    }
    const std::optional<std::vector<uint8_t>> file = readFileBytes(bitmapPath);
    if (!file) {
        err << bitmapPath << ": cannot be read\n";
        return 1;
    }
    Surface surface;
    std::vector<uint8_t> store(kLoadBufferBytes);
    if (!loadBitmapFromBytes(surface, *file, store, 0)) {
        err << bitmapPath << ": not a palette-indexed BMP of at most " << kLoadBufferBytes
            << " bytes of pixels\n";
        return 1;
    }
    const int width = imageWidth(store, 0);
    if (width != kSheetPixelWidth) {
        err << bitmapPath << ": " << width << " pixels wide, a tile bitmap is " << kSheetPixelWidth
            << "\n";
        return 1;
    }

    // Rows past the bitmap's last read as 0, as in the editor's zeroed buffer.
    Picture picture;
    const uint8_t* rows = store.data() + kImageHeaderBytes;
    for (int y = 0; y < kSheetPixelHeight * kScale; ++y) {
        const int strip = y / (kTileSide * kScale);
        const int py = kHeader + strip * kCell + 1 + y % (kTileSide * kScale);
        const std::size_t row = std::size_t(y / kScale) * imagePitch(kSheetPixelWidth);
        for (int x = 0; x < kSheetPixelWidth * kScale; ++x) {
            const int column = x / (kTileSide * kScale);
            picture.set(kMargin + column * kCell + 1 + x % (kTileSide * kScale), py,
                        rows[row + x / kScale]);
        }
    }
    for (int i = 0; i <= kStrips; ++i)
        for (int x = kMargin; x < kPictureWidth; ++x) picture.set(x, kHeader + i * kCell, kGrid);
    for (int i = 0; i <= kSheetColumns; ++i)
        for (int y = kHeader; y < kPictureHeight; ++y) picture.set(kMargin + i * kCell, y, kGrid);
    for (int strip = 0; strip < kStrips; ++strip) {
        const int first = strip * kSheetColumns;
        drawNumber(picture, kMargin - kScale - numberWidth(first),
                   kHeader + strip * kCell + (kCell - kDigitHeight) / 2, first);
    }
    for (int column = 0; column < kSheetColumns; ++column) {
        drawNumber(picture, kMargin + column * kCell + (kCell - numberWidth(column)) / 2, kScale,
                   column);
    }

    if (!writePngFile(
            pngPath, encodeRgbPng(kPictureWidth, kPictureHeight, picture.pixels, kEditorPalette))) {
        err << pngPath << ": cannot be written\n";
        return 1;
    }
    out << "tiles 0 to " << kSheetTileCount - 1 << " of " << bitmapPath << " drawn to " << pngPath
        << "\n";
    return 0;
}

} // namespace tessaly
