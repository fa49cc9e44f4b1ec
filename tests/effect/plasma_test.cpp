// plasma_test.cpp -- the plasma table and its per-frame rotation.
#include <cmath>
#include <vector>

#include "common/elapsed.h"
#include "tests/effect/fixture.h"
#include "tests/effect/reference.h"

using PlasmaTest = EffectTest;

namespace {

uint32_t Entry(int x, int y) {
    return plasmaTable[y * ref::kWidth + x];
}

} // namespace

TEST_F(PlasmaTest, EntriesAtKnownPlaces) {
    EXPECT_EQ(Entry(0, 0), 0x8080u);
    EXPECT_EQ(Entry(1, 0), 0x8380u);
    EXPECT_EQ(Entry(0, 1), 0x8180u);
}

TEST_F(PlasmaTest, WholeTableMatchesOneSinePerChannelAndEntry) {
    const std::vector<uint32_t>& expected = ref::PlasmaTable();
    int mismatches = 0;
    for (int i = 0; i < ref::kPixels; ++i) {
        if (plasmaTable[i] != expected[i] && ++mismatches <= 10)
            ADD_FAILURE() << "entry (" << i % ref::kWidth << ", " << i / ref::kWidth << ") is "
                          << std::hex << plasmaTable[i] << ", expected " << expected[i];
    }
    EXPECT_EQ(mismatches, 0);
}

// The margin the fast build relies on: apart from sine arguments of exactly 0,
// no sine * 127 + 128 is near an integer. A margin of 1e-9 is often quoted; the closest
// blue value is in fact 254.99999999914 (8.6e-10 below 255, product x * y =
// 15708, where 0.0001 * 15708 is just past pi / 2), true to 40 digits, not a
// libm artefact. Green stays 7.9e-6 away. Both are far above the ~1e-12 by
// which the fast build can move a value.
TEST(PlasmaMargin, NoChannelValueNearAnInteger) {
    double closestGreen = 1.0, closestBlue = 1.0;
    for (int y = 0; y < ref::kHeight; ++y) {
        for (int x = 0; x < ref::kWidth; ++x) {
            const double g = ref::GreenValue(x, y);
            const double b = ref::BlueValue(x, y);
            if (x != 0 || y != 0)
                closestGreen = std::min(closestGreen, std::fabs(g - std::nearbyint(g)));
            if (x != 0 && y != 0)
                closestBlue = std::min(closestBlue, std::fabs(b - std::nearbyint(b)));
        }
    }
    EXPECT_GT(closestGreen, 1e-6);
    EXPECT_GT(closestBlue, 8e-10);
}

TEST_F(PlasmaTest, RebuildingGivesTheSameTable) {
    const std::vector<uint32_t> first(plasmaTable, plasmaTable + ref::kPixels);
    uint32_t* const table = plasmaTable;
    std::fill(plasmaTable, plasmaTable + ref::kPixels, 0u);
    ASSERT_EQ(FFX_Init(nullptr), 1);
    EXPECT_EQ(plasmaTable, table); // reused, not allocated again
    EXPECT_TRUE(std::equal(first.begin(), first.end(), plasmaTable));
}

TEST_F(PlasmaTest, FrameAtZeroSecondsIsTheTable) {
    std::vector<uint32_t> frame(ref::kPixels, 0xDEADBEEFu);
    FFX_DrawPlasma(frame.data(), 0.0f);
    EXPECT_TRUE(std::equal(frame.begin(), frame.end(), plasmaTable));
}

TEST_F(PlasmaTest, OffsetOneShiftsLeftAndWrapsToTheEnd) {
    std::vector<uint32_t> frame(ref::kPixels);
    // 10 ms is 0.0100000007f; times 100, 1.0000000707. (0.01f itself is
    // 0.0099999998 and gives offset 0.)
    FFX_DrawPlasma(frame.data(), COM_MsToSeconds(10));
    EXPECT_EQ(frame[0], Entry(1, 0));
    EXPECT_EQ(frame[ref::kWidth - 1], Entry(0, 1)); // left edge of row 1 at the right of row 0
    EXPECT_EQ(frame[ref::kPixels - 1], Entry(0, 0));
}

TEST_F(PlasmaTest, OffsetTruncatesTheProductInDouble) {
    // 0.07f * 100 = 7.0000000298 and 0.29f * 100 = 28.9999991655: 7 and 28.
    std::vector<uint32_t> frame(ref::kPixels);
    FFX_DrawPlasma(frame.data(), 0.07f);
    EXPECT_EQ(frame[0], Entry(7, 0));
    FFX_DrawPlasma(frame.data(), 0.29f);
    EXPECT_EQ(frame[0], Entry(28, 0));
}

TEST_F(PlasmaTest, MultiplesOfTheFrameSizeShowTheTableUnshifted) {
    std::vector<uint32_t> frame(ref::kPixels);
    for (float seconds : {3072.0f, 6144.0f, 3072.0f * 1398.0f}) { // offsets n, 2n, 1398n
        std::fill(frame.begin(), frame.end(), 0u);
        FFX_DrawPlasma(frame.data(), seconds);
        EXPECT_TRUE(std::equal(frame.begin(), frame.end(), plasmaTable)) << seconds;
    }
}

TEST_F(PlasmaTest, EveryPixelIsTheTableAtIPlusOffsetModN) {
    std::vector<uint32_t> frame(ref::kPixels);
    // The largest seconds the loop produces (elapsed 2^32 - 1 ms) and a few
    // offsets on either side of the table's end.
    for (float seconds : {4294967.5f, 3071.99f, 3072.01f, 12.34f, 1234.5678f}) {
        FFX_DrawPlasma(frame.data(), seconds);
        const long long offset = static_cast<long long>(static_cast<double>(seconds) * 100.0);
        for (long long i = 0; i < ref::kPixels; ++i)
            ASSERT_EQ(frame[i], plasmaTable[(i + offset) % ref::kPixels])
                << "seconds " << seconds << ", pixel " << i;
    }
}
