// The BMP loader on arbitrary bytes, into an image place near the end of a
// small store. Whatever it reads, the loader must stay inside the file and the
// store; when it refuses, store and palette must be exactly as before, and
// when it accepts, the image it reports must fit where it was put.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "core/bmp.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace tessaly;
    constexpr std::size_t kStore = 8192, kOffset = 1000;
    // One surface for the whole run: its pages are never drawn on here, and
    // making 1.4 MB of pages per input would slow the fuzzer a hundredfold.
    static Surface surface;
    openSurface(surface);
    surface.palette = {};
    const auto palette = surface.palette;
    std::vector<uint8_t> store(kStore, 0xA5);

    const bool ok =
        loadBitmapFromBytes(surface, std::span<const uint8_t>(data, size), store, kOffset);
    if (!ok) {
        if (surface.palette != palette) std::abort();
        for (uint8_t b : store)
            if (b != 0xA5) std::abort();
        return 0;
    }
    const int w = imageWidth(store, kOffset), h = imageHeight(store, kOffset);
    if (w <= 0 || h <= 0 || kOffset + imageBytes(w, h) > kStore) std::abort();
    for (std::size_t i = 0; i < kOffset; ++i)
        if (store[i] != 0xA5) std::abort();
    for (std::size_t i = kOffset + imageBytes(w, h); i < kStore; ++i)
        if (store[i] != 0xA5) std::abort();
    return 0;
}
