// The LZW decoder on arbitrary streams. The first two bytes choose the size
// the stream must decode to (times four, as latch data always is), the rest is
// the code stream. Whatever it reads, the decoder must stay inside its
// buffers, never give more than that size, and give exactly that size when it
// reports success.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>

#include "tools/tiles/lzw.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const std::size_t expected = std::size_t(data[0] | data[1] << 8) * 4;
    const tessaly::LzwResult result =
        tessaly::decompressLzw(std::span<const uint8_t>(data + 2, size - 2), expected);
    if (result.bytes.size() > expected) std::abort();
    if (result.ok() && result.bytes.size() != expected) std::abort();
    return 0;
}
