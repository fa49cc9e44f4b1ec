// format_test.cpp -- fixed-point formatting with half-up rounding of the
// 17-significant-digit form.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <vector>

#include "common/elapsed.h"
#include "common/format.h"

TEST(Format, PaddingAndDecimals) {
    EXPECT_EQ(COM_FormatFixed(0.5, 8, 2), "    0.50");
    EXPECT_EQ(COM_FormatFixed(0.0, 8, 2), "    0.00");
    EXPECT_EQ(COM_FormatFixed(12.0, 3, 1), "12.0");
    EXPECT_EQ(COM_FormatFixed(7.0, 3, 1), "7.0");
    EXPECT_EQ(COM_FormatFixed(3.0, 1, 0), "3");
    EXPECT_EQ(COM_FormatFixed(59.9, 3, 1), "59.9");
    EXPECT_EQ(COM_FormatFixed(0.004, 8, 2), "    0.00");
    EXPECT_EQ(COM_FormatFixed(0.0004, 8, 2), "    0.00");
    EXPECT_EQ(COM_FormatFixed(-2.5, 8, 2), "   -2.50");
}

TEST(Format, ExactTiesRoundAwayFromZero) {
    EXPECT_EQ(COM_FormatFixed(1.125, 8, 2), "    1.13"); // glibc: 1.12
    EXPECT_EQ(COM_FormatFixed(31.25, 3, 1), "31.3");     // glibc: 31.2
    EXPECT_EQ(COM_FormatFixed(0.25, 3, 1), "0.3");
    EXPECT_EQ(COM_FormatFixed(0.375, 8, 2), "    0.38");
    EXPECT_EQ(COM_FormatFixed(2.5, 1, 0), "3");
    EXPECT_EQ(COM_FormatFixed(0.5, 1, 0), "1");
    EXPECT_EQ(COM_FormatFixed(-1.125, 8, 2), "   -1.13");
}

TEST(Format, CarryAddsADigit) {
    EXPECT_EQ(COM_FormatFixed(9.995, 8, 2), "    9.99"); // 9.9949999999999992
    EXPECT_EQ(COM_FormatFixed(999.9951171875, 8, 2), " 1000.00");
    EXPECT_EQ(COM_FormatFixed(99.96, 3, 1), "100.0");
    EXPECT_EQ(COM_FormatFixed(0.005, 8, 2), "    0.01"); // 0.0050000000000000001
}

TEST(Format, SeventeenDigitsFirstThenTheNextDigitAlone) {
    // 2.675 is 2.67499999999999982236431605997495353221893310546875:
    // 2.6749999999999998 -> next digit 4 -> 2.67.
    EXPECT_EQ(COM_FormatFixed(2.675, 8, 2), "    2.67");
    // 1e15 + 0.125 is exact, but its 17 digits are 1000000000000000.1.
    EXPECT_EQ(COM_FormatFixed(1e15 + 0.125, 8, 2), "1000000000000000.10");
    // 0.1249999999999999861 (0.125 minus 2^-56) keeps 0.12499999999999999.
    EXPECT_EQ(COM_FormatFixed(std::nextafter(0.125, 0.0), 8, 2), "    0.12");
    // 0.105 is 0.104999999999999996114...: its 17 digits are 0.10500000000000000,
    // so the readout rounds up where an exact formatter gives 0.10.
    EXPECT_EQ(COM_FormatFixed(0.105, 8, 2), "    0.11");
    EXPECT_EQ(COM_FormatFixed(0.155, 8, 2), "    0.16");
}

TEST(Format, FromHundredThousandSeconds) {
    EXPECT_EQ(COM_FormatFixed(100000.0, 8, 2), "100000.00");
    EXPECT_EQ(COM_FormatFixed(static_cast<double>(100000.125f), 8, 2), "100000.13");
    EXPECT_EQ(COM_FormatFixed(static_cast<double>(COM_MsToSeconds(4294967295u)), 8, 2),
              "4294967.50");
    EXPECT_EQ(COM_FormatFixed(1e20, 8, 2), "100000000000000000000.00");
}

TEST(Format, ReadoutTiesBelowTwentySeconds) {
    // Elapsed times whose seconds are exactly halfway between two readouts
    // (x.125, x.375, x.625, x.875); all round up. On 18 of them (x.125 and
    // x.625) rounding ties to even would print one hundredth less.
    std::vector<uint32_t> ties, differFromEven;
    for (uint32_t ms = 0; ms < 20000; ++ms) {
        const double seconds = COM_MsToSeconds(ms);
        const double halves = seconds * 200.0; // exact: at most 32 significant bits
        if (halves == std::floor(halves) && std::fmod(halves, 2.0) == 1.0) {
            ties.push_back(ms);
            char expected[32];
            std::snprintf(expected, sizeof expected, "%5u.%02u", (ms + 5) / 1000,
                          (ms + 5) / 10 % 100);
            EXPECT_EQ(COM_FormatFixed(seconds, 8, 2), std::string(expected)) << ms;
            if ((ms / 10) % 2 == 0) differFromEven.push_back(ms);
        }
    }
    EXPECT_EQ(ties.size(), 33u);
    ASSERT_EQ(differFromEven.size(), 18u);
    EXPECT_EQ(differFromEven[0], 125u);
    EXPECT_EQ(differFromEven[1], 625u);
    EXPECT_EQ(differFromEven[2], 1125u);
    EXPECT_EQ(differFromEven[3], 2125u);
    EXPECT_EQ(differFromEven[17], 19625u);
}

TEST(Format, AgreesWithPrintfAwayFromTies) {
    // For floats there is no double rounding: the two only differ on exact
    // ties, where printf rounds to even.
    for (uint64_t ms = 0; ms <= 0xFFFFFFFFull; ms += (ms < 300000 ? 7 : 7654321)) {
        const double seconds = COM_MsToSeconds(static_cast<uint32_t>(ms));
        if (std::fmod(seconds * 200.0, 2.0) == 1.0) continue;
        char expected[32];
        std::snprintf(expected, sizeof expected, "%8.2f", seconds);
        ASSERT_EQ(COM_FormatFixed(seconds, 8, 2), expected) << ms;
        if (std::fmod(seconds * 20.0, 2.0) == 1.0) continue;
        std::snprintf(expected, sizeof expected, "%3.1f", seconds);
        ASSERT_EQ(COM_FormatFixed(seconds, 3, 1), expected) << ms;
    }
}
