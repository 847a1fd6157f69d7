#include "core/bmp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace tessaly {
namespace {

void put16(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
    b[at] = uint8_t(v);
    b[at + 1] = uint8_t(v >> 8);
}
void put32(std::vector<uint8_t>& b, std::size_t at, uint32_t v) {
    for (std::size_t i = 0; i < 4; ++i) b.at(at + i) = uint8_t(v >> (8 * i));
}

std::vector<uint8_t> ascending(int count) {
    std::vector<uint8_t> v;
    for (int i = 1; i <= count; ++i) v.push_back(uint8_t(i));
    return v;
}

// A BMP file built field by field. `pixels` holds the indexes top row first;
// table entry i is (blue, green, red) = (i, 2i, 3i) mod 256 plus 4.
struct BmpShape {
    int width = 3, height = 2;
    bool topDown = false;
    int bits = 8;
    uint32_t infoSize = 40;
    int colours = 4;
    // Built by a loop rather than an initializer list, which g++ 12 at -O2
    // wrongly reports as maybe-uninitialized.
    std::vector<uint8_t> pixels = ascending(6);
};

Rgb tableColour(int i) {
    return {uint8_t(3 * i + 4), uint8_t(2 * i + 4), uint8_t(i + 4)};
}

std::vector<uint8_t> makeBmp(const BmpShape& s) {
    const std::size_t table = 14 + s.infoSize;
    const std::size_t offset = table + std::size_t(s.colours) * 4;
    const std::size_t stride = (std::size_t(s.width) * std::size_t(s.bits) + 31) / 32 * 4;
    std::vector<uint8_t> b(offset + stride * std::size_t(s.height), 0);
    b[0] = 'B';
    b[1] = 'M';
    put32(b, 2, uint32_t(b.size()));
    put32(b, 10, uint32_t(offset));
    put32(b, 14, s.infoSize);
    put32(b, 18, uint32_t(s.width));
    put32(b, 22, uint32_t(s.topDown ? -s.height : s.height));
    put16(b, 26, 1);
    put16(b, 28, uint32_t(s.bits));
    put32(b, 46, uint32_t(s.colours));
    for (int i = 0; i < s.colours; ++i) {
        Rgb c = tableColour(i);
        b[table + std::size_t(i) * 4] = c.b;
        b[table + std::size_t(i) * 4 + 1] = c.g;
        b[table + std::size_t(i) * 4 + 2] = c.r;
        b[table + std::size_t(i) * 4 + 3] = 0xCC; // ignored
    }
    for (int y = 0; y < s.height; ++y) {
        const int stored = s.topDown ? y : s.height - 1 - y;
        uint8_t* row = b.data() + offset + std::size_t(stored) * stride;
        for (int x = 0; x < s.width; ++x) {
            const uint8_t v = s.pixels[std::size_t(y * s.width + x)];
            if (s.bits == 8) row[x] = v;
            if (s.bits == 4) row[x / 2] |= uint8_t(v << (x % 2 == 0 ? 4 : 0));
            if (s.bits == 1) row[x / 8] |= uint8_t(v << (7 - x % 8));
        }
    }
    return b;
}

// An open surface whose palette is all mid grey, so changes show.
Surface greySurface() {
    Surface s;
    openSurface(s);
    for (int i = 0; i < 256; ++i) setPaletteEntry(s, i, 128, 128, 128);
    return s;
}

// Expects the image at `offset` to be w x h holding `pixels` (top row first),
// with zero padding.
void expectImage(const std::vector<uint8_t>& store, std::size_t offset, int w, int h,
                 const std::vector<uint8_t>& pixels) {
    ASSERT_EQ(imageWidth(store, offset), w);
    ASSERT_EQ(imageHeight(store, offset), h);
    const std::size_t pitch = imagePitch(w);
    for (int y = 0; y < h; ++y)
        for (std::size_t x = 0; x < pitch; ++x) {
            const uint8_t want = x < std::size_t(w) ? pixels[std::size_t(y * w) + x] : 0;
            ASSERT_EQ(store[offset + kImageHeaderBytes + std::size_t(y) * pitch + x], want)
                << "x " << x << " y " << y;
        }
}

TEST(LoadBitmap, EightBitRowsComeTopFirstAndTheTableReplacesThePalette) {
    for (bool topDown : {false, true}) {
        Surface s = greySurface();
        BmpShape shape;
        shape.topDown = topDown;
        std::vector<uint8_t> store(400, 0xAB);
        ASSERT_TRUE(loadBitmapFromBytes(s, makeBmp(shape), store, 100));
        expectImage(store, 100, 3, 2, shape.pixels);
        EXPECT_EQ(store[99], 0xAB);            // nothing before the image
        EXPECT_EQ(store[100 + 32 + 32], 0xAB); // nor after it
        for (int i = 0; i < 4; ++i) {
            Surface ref;
            openSurface(ref);
            Rgb c = tableColour(i);
            setPaletteEntry(ref, i, c.r, c.g, c.b);
            EXPECT_EQ(shownColour(s, i), shownColour(ref, i)) << i;
        }
        EXPECT_EQ(shownColour(s, 4), shownColour(greySurface(), 4));
    }
}

TEST(LoadBitmap, PackedPixelsKeepTheirIndexes) {
    BmpShape four;
    four.bits = 4;
    four.width = 5;
    four.height = 3;
    four.colours = 16;
    four.pixels = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14};
    BmpShape one;
    one.bits = 1;
    one.width = 10;
    one.height = 2;
    one.colours = 2;
    one.pixels = {1, 0, 1, 1, 0, 0, 0, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 0, 1};
    for (const BmpShape& shape : {four, one}) {
        Surface s = greySurface();
        std::vector<uint8_t> store(200, 0xAB);
        ASSERT_TRUE(loadBitmapFromBytes(s, makeBmp(shape), store, 0)) << shape.bits;
        expectImage(store, 0, shape.width, shape.height, shape.pixels);
    }
}

TEST(LoadBitmap, LongerInfoHeadersTakeTheTableAfterThem) {
    for (uint32_t info : {108u, 124u}) {
        Surface s = greySurface();
        BmpShape shape;
        shape.infoSize = info;
        shape.colours = 3;
        std::vector<uint8_t> store(100);
        ASSERT_TRUE(loadBitmapFromBytes(s, makeBmp(shape), store, 0)) << info;
        expectImage(store, 0, 3, 2, shape.pixels);
        Surface ref;
        openSurface(ref);
        setPaletteEntry(ref, 2, tableColour(2).r, tableColour(2).g, tableColour(2).b);
        EXPECT_EQ(shownColour(s, 2), shownColour(ref, 2));
        EXPECT_EQ(shownColour(s, 3), shownColour(greySurface(), 3));
    }
}

TEST(LoadBitmap, TableLengthComesFromThePixelOffsetAndStopsAt256) {
    BmpShape shape;
    shape.colours = 300; // the gap holds 300 entries; only 256 are taken
    Surface s = greySurface();
    std::vector<uint8_t> store(100);
    ASSERT_TRUE(loadBitmapFromBytes(s, makeBmp(shape), store, 0));
    Surface ref;
    openSurface(ref);
    setPaletteEntry(ref, 255, tableColour(255).r, tableColour(255).g, tableColour(255).b);
    EXPECT_EQ(shownColour(s, 255), shownColour(ref, 255));

    shape.colours = 0; // no table: the palette stays as it was
    Surface t = greySurface();
    ASSERT_TRUE(loadBitmapFromBytes(t, makeBmp(shape), store, 0));
    EXPECT_EQ(t.palette, greySurface().palette);
}

// Every refused file leaves the store and the palette exactly as they were.
void expectRefused(const std::vector<uint8_t>& file, std::size_t storeSize = 200,
                   std::size_t offset = 0) {
    Surface s = greySurface();
    std::vector<uint8_t> store(storeSize, 0x5A);
    EXPECT_FALSE(loadBitmapFromBytes(s, file, store, offset));
    EXPECT_EQ(store, std::vector<uint8_t>(storeSize, 0x5A));
    EXPECT_EQ(s.palette, greySurface().palette);
}

TEST(LoadBitmap, RefusesOtherFormatsAndBrokenFiles) {
    const std::vector<uint8_t> good = makeBmp(BmpShape{});
    auto with32 = [&](std::size_t at, uint32_t v) {
        auto b = good;
        put32(b, at, v);
        return b;
    };
    auto with16 = [&](std::size_t at, uint32_t v) {
        auto b = good;
        put16(b, at, v);
        return b;
    };
    {
        SCOPED_TRACE("not BM");
        auto b = good;
        b[1] = 'A';
        expectRefused(b);
    }
    {
        SCOPED_TRACE("compressed");
        expectRefused(with32(30, 1)); // run-length 8-bit
        expectRefused(with32(30, 3)); // bit fields
    }
    for (uint32_t bits : {0u, 2u, 16u, 24u, 32u}) {
        SCOPED_TRACE(bits);
        expectRefused(with16(28, bits));
    }
    {
        SCOPED_TRACE("info header sizes");
        expectRefused(with32(14, 12));
        expectRefused(with32(14, 56));
        expectRefused(with32(14, 0xFFFFFFFF));
        expectRefused(with16(26, 2)); // planes
    }
    {
        SCOPED_TRACE("absurd sizes");
        expectRefused(with32(18, 0));
        expectRefused(with32(18, uint32_t(-3)));
        expectRefused(with32(18, 0x7FFFFFFF));
        expectRefused(with32(22, 0));
        expectRefused(with32(22, 0x80000000)); // most negative height
        expectRefused(with32(22, 0x7FFFFFFF));
    }
    {
        SCOPED_TRACE("pixel offset");
        expectRefused(with32(10, 53));
        expectRefused(with32(10, 0xFFFFFFF0));
        expectRefused(with32(10, uint32_t(good.size() - 4))); // rows run past the end
    }
}

TEST(LoadBitmap, RefusesEveryTruncation) {
    BmpShape shape;
    shape.width = 4; // rows without padding: every byte counts
    shape.pixels = {1, 2, 3, 4, 5, 6, 7, 8};
    const auto file = makeBmp(shape);
    for (std::size_t n = 0; n < file.size(); ++n) {
        SCOPED_TRACE(n);
        expectRefused(std::vector<uint8_t>(file.begin(), file.begin() + std::ptrdiff_t(n)));
    }
}

TEST(LoadBitmap, RefusesImagesThatDoNotFitTheStore) {
    BmpShape shape;
    shape.width = 20;
    shape.height = 3;
    shape.pixels.assign(60, 7);
    const auto file = makeBmp(shape);
    const std::size_t need = imageBytes(20, 3); // 32 + 3 * 32
    expectRefused(file, need - 1, 0);
    expectRefused(file, need + 10, 11);
    expectRefused(file, need, need + 1);
    expectRefused(file, need, SIZE_MAX);
    Surface s = greySurface();
    std::vector<uint8_t> store(need + 10);
    EXPECT_TRUE(loadBitmapFromBytes(s, file, store, 10));
}
} // namespace
} // namespace tessaly

namespace tessaly {
namespace {

TEST(BitmapColours, TheTableAsTheFileHoldsItAndBlackAfterIt) {
    for (const int colours : {4, 16, 300}) {
        BmpShape shape;
        shape.colours = colours;
        std::array<Rgb, 256> table{};
        table.fill({1, 1, 1});
        ASSERT_TRUE(readBitmapColours(makeBmp(shape), table)) << colours;
        for (int i = 0; i < 256; ++i) {
            const Rgb want = i < colours ? tableColour(i) : Rgb{};
            EXPECT_EQ(table[std::size_t(i)], want) << colours << " " << i;
        }
    }
    // A file the loader refuses gives no colours and changes none.
    std::vector<uint8_t> broken = makeBmp(BmpShape{});
    broken.resize(broken.size() - 4);
    std::array<Rgb, 256> table{};
    table.fill({1, 2, 3});
    EXPECT_FALSE(readBitmapColours(broken, table));
    EXPECT_FALSE(readBitmapColours({}, table));
    EXPECT_EQ(table[0], (Rgb{1, 2, 3}));
}

} // namespace
} // namespace tessaly
