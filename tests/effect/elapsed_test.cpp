// elapsed_test.cpp -- elapsed milliseconds to seconds as the frame loop does it.
#include <gtest/gtest.h>

#include <cstring>

#include "common/elapsed.h"

namespace {

uint32_t Bits(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

} // namespace

TEST(Elapsed, WholeSecondsAndTies) {
    EXPECT_EQ(COM_MsToSeconds(0), 0.0f);
    EXPECT_EQ(COM_MsToSeconds(1000), 1.0f); // 1.0000000475 rounds to 1
    EXPECT_EQ(COM_MsToSeconds(1125), 1.125f);
    EXPECT_EQ(COM_MsToSeconds(500), 0.5f);
}

TEST(Elapsed, IntegerIsNotConvertedToSingleFirst) {
    // 2^24 + 1 is not a float: converting it first would give 16777.216796875.
    EXPECT_EQ(Bits(COM_MsToSeconds(16777217u)), 0x46831270u);  // 16777.21875
    EXPECT_EQ(Bits(COM_MsToSeconds(123456789u)), 0x47F12066u); // 123456.796875
}

TEST(Elapsed, ConstantIsTheSinglePrecisionThousandth) {
    // With the exact 0.001 the product would be 3000000.000001 -> 3000000.0;
    // 0.001f (0.0010000000475) gives 3000000.1435 -> 3000000.25.
    EXPECT_EQ(COM_MsToSeconds(3000000001u), 3000000.25f);
}

TEST(Elapsed, LargestElapsedTime) {
    EXPECT_EQ(Bits(COM_MsToSeconds(4294967295u)), 0x4A83126Fu); // 4294967.5
}
