// The level file, shared by all the games. Words are 16-bit little-endian.
//
//   bytes 0..3    kept verbatim, never interpreted
//   bytes 4..35   16 header words: width, height, then words kept verbatim.
//                 The games' own files keep a plane layout here: bytes 8..9
//                 hold the number of planes (2) and bytes 18..19 the size of
//                 one plane in bytes, rounded up to a multiple of 16.
//   then          the tile plane, then the object plane: width x height cells
//                 each, rows top to bottom, columns left to right within a row.
//                 A padded file follows each plane with the words that round
//                 its size up to a multiple of 16 bytes (see paddingWordsFor).
//
// Everything from byte 4 on, header words included, is one stream of words
// compressed with runs: the bytes FE FE start a run, followed by a count word
// and a value word, standing for `count` words of that value (a count of 0 or
// 1 stands for one). Runs cross freely from the header into the tile plane,
// from a plane into its padding and from the tile plane into the object plane.
//
// The decoder steps back: after a run's value word, while more than one word
// of the run remains, the read position moves back onto the value word so that
// the next word reads it again. The stream ends a plane as soon as the read
// position reaches the end of the file after one of the plane's words; the
// remaining cells of that plane stay 0 (both planes are cleared before a read)
// and the next plane reads zero bytes. Header words past the end of the file
// read as zero.
//
// The writer writes bytes 0..3 verbatim and every later word plainly, so saved
// files are uncompressed, except that a word holding 0xFEFE is written as the
// run FE FE 01 00 FE FE: plain, it would read back as a run marker.
#include "level/level_file.h"

#include "core/bytes.h"
#include "system/files.h"

#include <algorithm>
#include <cstring>

namespace tessaly {

namespace {

constexpr uint16_t kRunMarker = 0xFEFE;
// Safe: a word holding 0xFEFE is written as a run of one, since a plain FE FE
// would read back as a run marker.
constexpr std::array<uint8_t, 6> kEscapedRunMarker = {0xFE, 0xFE, 0x01, 0x00, 0xFE, 0xFE};
constexpr int kHeaderWords = (kHeaderBytes - 4) / 2; // bytes 4..35

uint16_t headerWord(const Level& level, int offset) {
    return readLe16(level.keptHeader.data() + offset);
}

int roundUp16(int bytes) {
    return (bytes + 15) / 16 * 16;
}

class RunDecoder {
  public:
    explicit RunDecoder(std::span<const uint8_t> bytes) : bytes_(bytes) {}

    uint16_t next() {
        uint16_t word = wordAt(position_);
        position_ += 2;
        // Safe: the word re-read while a run repeats is its value, never a
        // new marker, so a run of 0xFEFE cells expands to that many cells
        // instead of taking the value word for a marker and garbling the rest.
        if (!repeating_ && word == kRunMarker) {
            remaining_ = wordAt(position_);
            word = wordAt(position_ + 2);
            position_ += 4;
        }
        repeating_ = remaining_ > 1;
        if (repeating_) {
            --remaining_;
            position_ -= 2;
        }
        return word;
    }

    bool atEnd() const { return position_ >= bytes_.size(); }
    // Some word so far, or a part of it, lay past the end of the file.
    bool ranOut() const { return ranOut_; }

  private:
    // The word at `offset`; bytes past the end of the file read as 0. One
    // bounds check a word keeps the reader quick on the largest levels.
    uint16_t wordAt(size_t offset) {
        if (offset + 2 <= bytes_.size()) return readLe16(bytes_.data() + offset);
        ranOut_ = true;
        return offset < bytes_.size() ? bytes_[offset] : 0;
    }

    std::span<const uint8_t> bytes_;
    size_t position_ = 4;
    unsigned remaining_ = 0;
    bool repeating_ = false;
    bool ranOut_ = false;
};

// Fills one plane's cells and then its padding words, in file order, until
// the file ends. The reader replaces the whole level rather than editing it,
// so it fills the planes directly instead of through setTileCell. Returns
// whether every cell, and every word before them, came from the file.
bool decodePlane(RunDecoder& decoder, const Level& level, Plane& plane,
                 std::array<uint16_t, kMaxPaddingWords>& padding) {
    for (int row = 1; row <= level.height; ++row) {
        for (int column = 1; column <= level.width; ++column) {
            plane[column][row] = decoder.next();
            if (decoder.atEnd()) {
                const bool last = row == level.height && column == level.width;
                return last && !decoder.ranOut();
            }
        }
    }
    const bool cellsRead = !decoder.ranOut();
    for (int i = 0; i < level.paddingWords; ++i) {
        padding[i] = decoder.next();
        if (decoder.atEnd()) break;
    }
    return cellsRead;
}

// The planes are plain arrays of integers; one memset each is far quicker
// than filling them cell by cell, which matters to every read.
void clearPlanes(Level& level) {
    std::memset(level.tilePlane.data(), 0, sizeof(Plane));
    std::memset(level.objectPlane.data(), 0, sizeof(Plane));
}

void makeEmpty(Level& level) {
    level.width = 0;
    level.height = 0;
    level.keptHeader.fill(0);
    level.paddingWords = 0;
    level.tilePadding.fill(0);
    level.objectPadding.fill(0);
}

// Writes one word from byte 4 on at `at`, escaping 0xFEFE as a run of one;
// returns the position after it (at most six bytes on).
uint8_t* writeWord(uint8_t* at, uint16_t word) {
    if (word == kRunMarker)
        return std::copy(kEscapedRunMarker.begin(), kEscapedRunMarker.end(), at);
    writeLe16(at, word);
    return at + 2;
}

void putWord(std::vector<uint8_t>& out, uint16_t word) {
    uint8_t bytes[kEscapedRunMarker.size()];
    out.insert(out.end(), bytes, writeWord(bytes, word));
}

// The level as the stream of words from byte 4 on: header words, tile cells,
// tile padding, object cells, object padding. Cells keep their low 16 bits.
std::vector<uint16_t> levelWords(const Level& level) {
    // Safe: dimensions and padding are clamped to what the planes and the
    // padding arrays hold, so a level set up by hand never reads past them.
    const int width = std::clamp(level.width, 0, kMaxMapSide);
    const int height = std::clamp(level.height, 0, kMaxMapSide);
    const int padding = std::clamp(level.paddingWords, 0, kMaxPaddingWords);

    // Sized once and written through a pointer: no capacity check per word.
    std::vector<uint16_t> words(kHeaderWords + 2 * (width * height + padding));
    uint16_t* at = words.data();
    for (int offset = 4; offset < kHeaderBytes; offset += 2) *at++ = headerWord(level, offset);
    auto putPlane = [&](const Plane& plane, const std::array<uint16_t, kMaxPaddingWords>& pad) {
        for (int row = 1; row <= height; ++row) {
            for (int column = 1; column <= width; ++column) {
                *at++ = static_cast<uint16_t>(plane[column][row] & 0xFFFF);
            }
        }
        at = std::copy_n(pad.begin(), padding, at);
    };
    putPlane(level.tilePlane, level.tilePadding);
    putPlane(level.objectPlane, level.objectPadding);
    return words;
}

} // namespace

// The padding words after each plane of a file whose header declares the
// games' plane layout for exactly these dimensions; 0 for any other header.
namespace {

bool declaresPlaneLayout(const std::array<uint8_t, kHeaderBytes + 1>& header, int width,
                         int height) {
    return readLe16(header.data() + 8) == 2 &&
           roundUp16(readLe16(header.data() + 18)) == roundUp16(2 * width * height);
}

int paddingWordsOf(const std::array<uint8_t, kHeaderBytes + 1>& header, int width, int height) {
    const int planeBytes = 2 * width * height;
    return declaresPlaneLayout(header, width, height) ? (roundUp16(planeBytes) - planeBytes) / 2
                                                      : 0;
}

} // namespace

int paddingWordsFor(const Level& level) {
    return paddingWordsOf(level.keptHeader, level.width, level.height);
}

namespace {

// The bytes of a level's words from byte 4 on, written plainly: what the
// games' own files hold in bytes 0..3.
uint32_t plainLength(int width, int height, int paddingWords) {
    return uint32_t(2 * (kHeaderWords + 2 * (width * height + paddingWords)));
}

} // namespace

LevelShape shapeForSize(const Level& level, int width, int height) {
    LevelShape shape = shapeOf(level);
    shape.width = width;
    shape.height = height;
    writeLe16(shape.keptHeader.data() + 4, uint16_t(width));
    writeLe16(shape.keptHeader.data() + 6, uint16_t(height));
    const int planeBytes = 2 * width * height;
    if (declaresPlaneLayout(level.keptHeader, level.width, level.height) &&
        roundUp16(planeBytes) <= 0xFFFF)
        writeLe16(shape.keptHeader.data() + 18, uint16_t(roundUp16(planeBytes)));
    shape.paddingWords = paddingWordsOf(shape.keptHeader, width, height);
    for (int i = shape.paddingWords; i < kMaxPaddingWords; ++i) {
        shape.tilePadding[std::size_t(i)] = 0;
        shape.objectPadding[std::size_t(i)] = 0;
    }
    // Bytes 0..3 follow when they held the old level's length: a game that
    // reads them to size its buffer would otherwise read the level wrong.
    if (readLe32(level.keptHeader.data()) ==
        plainLength(level.width, level.height, paddingWordsFor(level)))
        writeLe32(shape.keptHeader.data(), plainLength(width, height, shape.paddingWords));
    return shape;
}

LevelShape newLevelShape(int width, int height) {
    LevelShape shape;
    shape.width = width;
    shape.height = height;
    writeLe16(shape.keptHeader.data() + 4, uint16_t(width));
    writeLe16(shape.keptHeader.data() + 6, uint16_t(height));
    writeLe16(shape.keptHeader.data() + 8, 2);
    const int planeBytes = 2 * width * height;
    if (roundUp16(planeBytes) <= 0xFFFF) {
        writeLe16(shape.keptHeader.data() + 18, uint16_t(roundUp16(planeBytes)));
        shape.paddingWords = paddingWordsOf(shape.keptHeader, width, height);
    }
    writeLe32(shape.keptHeader.data(), plainLength(width, height, shape.paddingWords));
    return shape;
}

LevelReadInfo readLevelFromBytes(Level& level, std::span<const uint8_t> bytes) {
    // Safe: both planes are cleared whole, so a file smaller than the last
    // level, or cut short, reads as its own cells followed by zeros and never
    // shows (or saves) cells of the level read before it.
    clearPlanes(level);
    makeEmpty(level);
    LevelReadInfo info;
    info.fileBytes = bytes.size();

    // Safe: the header is decoded as part of the run stream, as the games
    // compress it; reading cells from byte 36 on would garble every cell of
    // a file whose header holds a run.
    RunDecoder decoder(bytes);
    for (int i = 0; i < 4 && i < static_cast<int>(bytes.size()); ++i)
        level.keptHeader[i] = bytes[i];
    for (int offset = 4; offset < kHeaderBytes; offset += 2) {
        writeLe16(level.keptHeader.data() + offset, decoder.next());
    }

    const int width = headerWord(level, 4);
    const int height = headerWord(level, 6);
    if (width > kMaxMapSide || height > kMaxMapSide) {
        // Safe: the planes hold 256 columns and rows; such a file is refused
        // whole and reads as one that cannot be opened.
        makeEmpty(level);
        info.result = ReadResult::Refused;
        return info;
    }
    level.width = width;
    level.height = height;
    // Safe: the padding words of the games' own files are passed over and
    // kept, so the object plane is not shifted and a save gives them back.
    // Kept: the header alone places the planes, as the games read them, even
    // when the file's length shows them lying back to back.
    level.paddingWords = paddingWordsFor(level);

    const bool tilesRead = decodePlane(decoder, level, level.tilePlane, level.tilePadding);
    const bool objectsRead = decodePlane(decoder, level, level.objectPlane, level.objectPadding);
    info.result = ReadResult::Read;
    info.cellsComplete = tilesRead && objectsRead;
    return info;
}

LevelReadInfo readLevel(Level& level, const std::string& path) {
    const std::optional<FileHead> head = readFileHead(path, kLevelReadLimit);
    if (!head) {
        readLevelFromBytes(level, {});
        return LevelReadInfo{};
    }
    LevelReadInfo info = readLevelFromBytes(level, head->bytes);
    info.fileBytes = head->fileBytes;
    return info;
}

bool isWholeLevel(const LevelReadInfo& info, const Level& level) {
    return info.result == ReadResult::Read && info.cellsComplete &&
           info.fileBytes <= maxLevelFileBytes(level.width, level.height, level.paddingWords);
}

std::vector<uint8_t> encodeLevel(const Level& level) {
    const std::vector<uint16_t> words = levelWords(level);
    const auto escaped = static_cast<size_t>(std::count(words.begin(), words.end(), kRunMarker));
    std::vector<uint8_t> out(4 + 2 * words.size() + 4 * escaped);
    std::copy_n(level.keptHeader.begin(), 4, out.begin());
    uint8_t* at = out.data() + 4;
    for (const uint16_t word : words) at = writeWord(at, word);
    return out;
}

std::vector<uint8_t> encodeLevelWithRuns(const Level& level) {
    constexpr size_t kShortestRun = 4; // a run of 3 costs as much as 3 plain words
    constexpr size_t kLongestRun = 0xFFFF;
    const std::vector<uint16_t> words = levelWords(level);
    std::vector<uint8_t> out(level.keptHeader.begin(), level.keptHeader.begin() + 4);
    for (size_t i = 0; i < words.size();) {
        size_t length = 1;
        while (i + length < words.size() && length < kLongestRun && words[i + length] == words[i]) {
            ++length;
        }
        if (length >= kShortestRun || (length >= 2 && words[i] == kRunMarker)) {
            out.insert(out.end(),
                       {0xFE, 0xFE, static_cast<uint8_t>(length & 0xFF),
                        static_cast<uint8_t>(length >> 8), static_cast<uint8_t>(words[i] & 0xFF),
                        static_cast<uint8_t>(words[i] >> 8)});
        } else {
            for (size_t k = 0; k < length; ++k) putWord(out, words[i]);
        }
        i += length;
    }
    return out;
}

bool writeLevel(const Level& level, const std::string& path) {
    return writeFileSafely(path, encodeLevel(level));
}

bool writeLevel(const Level& level, const std::string& path, std::string* why,
                const SafeWriteOptions& options) {
    return writeFileSafely(path, encodeLevel(level), why, options);
}

} // namespace tessaly
