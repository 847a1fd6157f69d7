#include "tools/tiles/lzw.h"

#include <sstream>

namespace tessaly {

namespace {

// Reads codes of a given width from a byte stream, most significant bit first.
struct CodeReader {
    std::span<const uint8_t> bytes;
    std::size_t bit = 0;

    bool read(int width, uint32_t& code) {
        if (bytes.size() * 8 - bit < std::size_t(width)) return false;
        code = 0;
        for (int i = 0; i < width; ++i, ++bit) {
            uint32_t b = (bytes[bit / 8] >> (7 - bit % 8)) & 1u;
            code = (code << 1) | b;
        }
        return true;
    }
};

// The dictionary keeps each string as its prefix code and last byte, with its
// first byte and length alongside, so a string is written back to front into
// the output without building it separately.
struct Dictionary {
    std::vector<uint16_t> prefix = std::vector<uint16_t>(kLzwDictionarySize);
    std::vector<uint8_t> last = std::vector<uint8_t>(kLzwDictionarySize);
    std::vector<uint8_t> first = std::vector<uint8_t>(kLzwDictionarySize);
    std::vector<uint32_t> length = std::vector<uint32_t>(kLzwDictionarySize);

    Dictionary() {
        for (uint32_t c = 0; c < 256; ++c) {
            last[c] = first[c] = uint8_t(c);
            length[c] = 1;
        }
    }
};

std::string describe(std::size_t done, std::size_t expected, const char* what) {
    std::ostringstream s;
    s << "compressed data " << what << " after " << done << " of " << expected << " bytes";
    return s.str();
}

} // namespace

LzwResult decompressLzw(std::span<const uint8_t> stream, std::size_t expectedSize) {
    LzwResult result;
    std::vector<uint8_t>& out = result.bytes;
    Dictionary dict;
    CodeReader reader{stream};
    uint32_t next = kLzwFirstEntry;
    int width = kLzwFirstWidth;
    bool havePrevious = false;
    uint32_t previous = 0;
    bool endCode = false;

    for (;;) {
        const std::size_t codeBit = reader.bit;
        uint32_t code = 0;
        if (!reader.read(width, code)) break;
        if (code == kLzwStopCode || code == kLzwEndCode) {
            endCode = true;
            break;
        }
        // A code may name an existing string, or (after the first code) the
        // entry about to be added; anything higher cannot be decoded.
        const bool known = code < 256 || (code >= kLzwFirstEntry && code < next);
        const bool pending = havePrevious && code == next && next < kLzwDictionarySize;
        if (!known && !pending) {
            std::ostringstream s;
            s << "LZW code " << code << " at stream byte " << codeBit / 8
              << " is past the dictionary (next entry " << next << ")";
            result.error = s.str();
            return result;
        }
        if (havePrevious && next < kLzwDictionarySize) {
            dict.prefix[next] = uint16_t(previous);
            dict.last[next] = known ? dict.first[code] : dict.first[previous];
            dict.first[next] = dict.first[previous];
            dict.length[next] = dict.length[previous] + 1;
            ++next;
            if (next == (1u << width) - 1 && width < kLzwMaxWidth) ++width;
        }
        const std::size_t length = dict.length[code];
        if (length > expectedSize - out.size()) {
            std::ostringstream s;
            s << "compressed data decodes to more than " << expectedSize << " bytes";
            result.error = s.str();
            return result;
        }
        out.resize(out.size() + length);
        uint32_t c = code;
        for (std::size_t i = out.size(); i-- > out.size() - length;) {
            out[i] = dict.last[c];
            c = dict.prefix[c];
        }
        previous = code;
        havePrevious = true;
    }

    if (out.size() != expectedSize) {
        result.error = describe(out.size(), expectedSize, endCode ? "ends" : "runs out");
    }
    return result;
}

} // namespace tessaly
