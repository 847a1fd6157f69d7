#include <gtest/gtest.h>

#include <random>
#include <string>

#include "tests/tools/tiles/ega_writer.h"
#include "tools/tiles/lzw.h"

namespace tessaly {
namespace {

using test::BitWriter;
using test::compressLzw;
using test::LzwStats;

std::vector<uint8_t> bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

TEST(Lzw, ReadsNineBitCodesMostSignificantBitFirst) {
    // Codes 65, 66, 258, 257 at 9 bits: 001000001 001000010 100000010 100000001.
    const std::vector<uint8_t> stream = {0x20, 0x90, 0xA0, 0x50, 0x10};
    const LzwResult r = decompressLzw(stream, 4);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.bytes, bytesOf("ABAB"));
}

TEST(Lzw, CodeNotYetInTheDictionaryRepeatsThePreviousStringsFirstByte) {
    BitWriter w;
    for (uint32_t code : {97u, 258u, 259u, 257u}) w.write(code, 9); // a, aa, aaa
    const LzwResult r = decompressLzw(w.bytes, 6);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.bytes, bytesOf("aaaaaa"));
}

TEST(Lzw, WidthGrowsWhenTheNextEntryReachesAllOnes) {
    // The first code adds nothing; each of the next 253 adds one entry, so
    // after the 254th code the next entry is 511 and the end code is 10 bits.
    BitWriter w;
    for (int i = 0; i < 254; ++i) w.write(uint32_t(i), 9);
    w.write(kLzwEndCode, 10);
    const LzwResult r = decompressLzw(w.bytes, 254);
    ASSERT_TRUE(r.ok()) << r.error;
    for (int i = 0; i < 254; ++i) EXPECT_EQ(r.bytes[i], i);
}

TEST(Lzw, StopCodeAlsoEndsTheStream) {
    BitWriter w;
    w.write('x', 9);
    w.write(kLzwStopCode, 9);
    w.write('y', 9); // never read
    const LzwResult r = decompressLzw(w.bytes, 1);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.bytes, bytesOf("x"));
}

TEST(Lzw, RoundTripsThroughTheTestEncoder) {
    std::mt19937 random(7);
    std::vector<std::vector<uint8_t>> inputs = {
        {}, {42}, bytesOf("TOBEORNOTTOBEORTOBEORNOT"), std::vector<uint8_t>(20000, 0)};
    std::vector<uint8_t> text;
    for (int i = 0; i < 50000; ++i) text.push_back(uint8_t("abcdefgh"[random() % 8]));
    inputs.push_back(text);
    for (const std::vector<uint8_t>& input : inputs) {
        const LzwResult r = decompressLzw(compressLzw(input), input.size());
        ASSERT_TRUE(r.ok()) << r.error;
        EXPECT_EQ(r.bytes, input);
    }
}

TEST(Lzw, RoundTripReachesTwelveBitCodesAndAFullDictionary) {
    std::mt19937 random(11);
    std::vector<uint8_t> input(60000);
    for (uint8_t& b : input) b = uint8_t(random() % 64);
    LzwStats stats;
    const std::vector<uint8_t> stream = compressLzw(input, &stats);
    EXPECT_EQ(stats.widestCode, 12);
    EXPECT_TRUE(stats.dictionaryFull);
    const LzwResult r = decompressLzw(stream, input.size());
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.bytes, input);
}

TEST(Lzw, RejectsCodesPastTheDictionary) {
    BitWriter first;
    first.write(258, 9); // no previous string to build entry 258 from
    EXPECT_NE(decompressLzw(first.bytes, 4).error.find("LZW code 258"), std::string::npos);

    BitWriter later;
    later.write('a', 9);
    later.write('b', 9);
    later.write(300, 9); // next entry is 259
    later.write(kLzwEndCode, 9);
    const LzwResult r = decompressLzw(later.bytes, 8);
    EXPECT_EQ(r.error, "LZW code 300 at stream byte 2 is past the dictionary (next entry 259)");
    EXPECT_EQ(r.bytes, bytesOf("ab"));
}

TEST(Lzw, RejectsAStreamThatEndsShortOrRunsLong) {
    const std::vector<uint8_t> input = bytesOf("TOBEORNOTTOBEORTOBEORNOT");
    const std::vector<uint8_t> stream = compressLzw(input);

    EXPECT_EQ(decompressLzw(stream, 30).error, "compressed data ends after 24 of 30 bytes");

    const std::vector<uint8_t> cut(stream.begin(), stream.begin() + 8);
    const LzwResult shortRead = decompressLzw(cut, input.size());
    EXPECT_NE(shortRead.error.find("compressed data runs out after"), std::string::npos);

    const LzwResult longRead = decompressLzw(stream, 20);
    EXPECT_EQ(longRead.error, "compressed data decodes to more than 20 bytes");
    EXPECT_LE(longRead.bytes.size(), 20u);
}

TEST(Lzw, AcceptsAStreamWithoutEndCodeWhenItGivesEveryByte) {
    BitWriter w;
    for (uint32_t code : {65u, 66u, 258u}) w.write(code, 9); // padding follows
    const LzwResult r = decompressLzw(w.bytes, 4);
    ASSERT_TRUE(r.ok()) << r.error;
    EXPECT_EQ(r.bytes, bytesOf("ABAB"));
}

} // namespace
} // namespace tessaly
