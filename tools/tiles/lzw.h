// LZW decompression as the Keen 1 latch file uses it.
//
// Codes are read most significant bit first, starting 9 bits wide and growing
// to at most 12. Codes 0..255 stand for single bytes; 256 and 257 end the
// stream (257 is the normal end); dictionary entries are numbered from 258.
// The first code is output as is. Every later code adds one entry, the
// previous string followed by the first byte of the current one; a code equal
// to the next free entry (not yet in the dictionary) means the previous string
// followed by its own first byte. After an entry is added, the width grows by
// one when the next free entry reaches (1 << width) - 1, up to 12 bits. Once
// all 4096 entries exist no more are added and codes keep their 12 bits.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessaly {

constexpr int kLzwFirstWidth = 9;
constexpr int kLzwMaxWidth = 12;
constexpr uint32_t kLzwStopCode = 256;
constexpr uint32_t kLzwEndCode = 257;
constexpr uint32_t kLzwFirstEntry = 258;
constexpr uint32_t kLzwDictionarySize = 1u << kLzwMaxWidth;

struct LzwResult {
    std::vector<uint8_t> bytes;
    std::string error; // empty on success; otherwise what is wrong with the stream
    bool ok() const { return error.empty(); }
};

// Decodes `stream`, which must give exactly `expectedSize` bytes. Fails, with
// the bytes decoded so far, on a code past the dictionary, on output beyond
// `expectedSize` (decoding stops there, so memory stays bounded), and on a
// stream that ends (by an end code or by running out of bits) short of it.
// Bits left over after the last whole code are padding.
LzwResult decompressLzw(std::span<const uint8_t> stream, std::size_t expectedSize);

} // namespace tessaly
