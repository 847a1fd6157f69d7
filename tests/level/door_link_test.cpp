// Door links: the arithmetic every part of the program shares, and the value
// ranges each part takes.
#include "level/door_link.h"

#include <gtest/gtest.h>

namespace tessaly {
namespace {

constexpr auto kFromOne = LinkCounting::FromOne;

TEST(DoorLink, EveryCellALinkCanNameEncodesAndDecodesBack) {
    for (int column = 0; column <= 255; ++column) {
        for (int row = 0; row <= 255; ++row) {
            const std::optional<int32_t> value = encodeDoorLink({column, row}, kFromOne);
            ASSERT_TRUE(value) << column << "," << row;
            EXPECT_EQ(*value, column * 256 + row);
            EXPECT_EQ(decodeDoorLink(*value, kFromOne), (Cell{column, row}));
            // The map view marks the links to columns 1..127; picking takes
            // every link from column 1 on.
            EXPECT_EQ(isDoorLink(*value), column >= 1 && column <= 127) << *value;
            EXPECT_EQ(picksAsDoor(*value), column >= 1) << *value;
        }
    }
}

TEST(DoorLink, CellsPastRowOrColumn255HaveNoLink) {
    for (const Cell cell :
         {Cell{256, 0}, Cell{0, 256}, Cell{256, 256}, Cell{-1, 5}, Cell{5, -1}, Cell{1000000, 3}})
        EXPECT_FALSE(encodeDoorLink(cell, kFromOne)) << cell.column << "," << cell.row;
}

// Dangerous Dave 2 counts from 0: its real level's doors at (11, 7) and
// (7, 52) hold 0x0633 and 0x0A06, each the other's cell. Column 1 would give
// a value below 256, an object; column and row 256 fit.
TEST(DoorLink, CountingFromZeroNamesTheCellOneLeftAndUp) {
    constexpr auto kFromZero = LinkCounting::FromZero;
    EXPECT_EQ(decodeDoorLink(0x0633, kFromZero), (Cell{7, 52}));
    EXPECT_EQ(decodeDoorLink(0x0A06, kFromZero), (Cell{11, 7}));
    EXPECT_EQ(encodeDoorLink({7, 52}, kFromZero), 0x0633);
    EXPECT_EQ(encodeDoorLink({256, 256}, kFromZero), 65535);
    EXPECT_EQ(doorLinkProblem({1, 9}, kFromZero), LinkProblem::ReadsAsObject);
    EXPECT_EQ(doorLinkProblem({257, 9}, kFromZero), LinkProblem::OutOfRange);
    EXPECT_EQ(doorLinkProblem({2, 1}, kFromZero), LinkProblem::None);
    EXPECT_EQ(doorLinkProblem({256, 9}, kFromOne), LinkProblem::OutOfRange);
}

TEST(DoorLink, RangesAtTheirEdges) {
    EXPECT_EQ(kFirstDoorLink, 256);
    EXPECT_EQ(kLastDoorLink, 32767);
    EXPECT_FALSE(isDoorLink(255));
    EXPECT_TRUE(isDoorLink(256));
    EXPECT_TRUE(isDoorLink(32767));
    EXPECT_FALSE(isDoorLink(32768));
    EXPECT_FALSE(isDoorLink(-300));

    EXPECT_FALSE(picksAsDoor(255));
    EXPECT_FALSE(picksAsDoor(0));
    EXPECT_FALSE(picksAsDoor(-256));
    EXPECT_TRUE(picksAsDoor(256));
    EXPECT_TRUE(picksAsDoor(65535));
    EXPECT_TRUE(picksAsDoor(32767 * 256 + 255));
    EXPECT_FALSE(picksAsDoor(32768 * 256));
    EXPECT_FALSE(picksAsDoor(INT32_MAX));

    // Values below 0 decode with the division rounded down.
    EXPECT_EQ(decodeDoorLink(-1, kFromOne), (Cell{-1, 255}));
    EXPECT_EQ(decodeDoorLink(-256, kFromOne), (Cell{-1, 0}));
    EXPECT_EQ(decodeDoorLink(INT32_MIN, kFromOne), (Cell{-8388608, 0}));
}

} // namespace
} // namespace tessaly
