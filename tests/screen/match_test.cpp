// match_test.cpp -- the screen checker finds rendered frames and nothing else.
#include "tests/screen/match.h"

#include <gtest/gtest.h>

#include "ffxdemo.h"
#include "common/elapsed.h"
#include "effect/ffx.h"

namespace {

// The effect's frame for ms with the grid at row, as 0x00RRGGBB.
std::vector<uint32_t> Rendered(uint32_t ms, int32_t row) {
    std::vector<uint32_t> frame(size_t(width) * size_t(height));
    if (!plasmaTable) FFX_Init(frame.data());
    const float seconds = COM_MsToSeconds(ms);
    scrollRow = row;
    lastStepTime = seconds;
    FFX_Render(frame.data(), seconds);
    for (uint32_t& p : frame)
        p &= 0xFFFFFF;
    return frame;
}

uint32_t& At(std::vector<uint32_t>& screen, int x, int y) {
    return screen[size_t(y) * size_t(width) + size_t(x)];
}

} // namespace

TEST(ScreenMatch, FindsTheFrameAndItsTimeReadout) {
    // 1239 ms is plasma offset 123 but reads "1.24": both readouts are tried.
    for (uint32_t ms : {1230u, 1239u}) {
        const MatchResult r = MatchScreen(Rendered(ms, 7), Expect::Exact);
        EXPECT_TRUE(r.ok) << ms;
        EXPECT_EQ(r.offset, 123);
        EXPECT_EQ(r.row, 7);
        EXPECT_EQ(r.outside + r.inside, 0u);
    }
}

TEST(ScreenMatch, OnePixelOffIsAFailure) {
    std::vector<uint32_t> screen = Rendered(4560, 3);
    At(screen, 300, 300) ^= 1;
    const MatchResult r = MatchScreen(screen, Expect::Exact);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.outside, 1u);
    ASSERT_EQ(r.first.size(), 1u);
    EXPECT_EQ(r.first[0].x, 300);
    EXPECT_EQ(r.first[0].y, 300);

    // Below the grid the offset itself is lost.
    screen = Rendered(4560, 3);
    At(screen, 0, height - 1) ^= 0x10000;
    EXPECT_TRUE(MatchScreen(screen, Expect::Exact).offsets.empty());
}

TEST(ScreenMatch, ReadoutNeedsADifferenceInTheCornerOnly) {
    std::vector<uint32_t> screen = Rendered(2000, 11);
    EXPECT_FALSE(MatchScreen(screen, Expect::Readout).ok) << "no readout drawn";

    At(screen, 5, 5) = 0xFFFFFF;
    At(screen, READOUT_WIDTH - 1, READOUT_HEIGHT - 1) ^= 0xFF;
    EXPECT_TRUE(MatchScreen(screen, Expect::Readout).ok);
    EXPECT_FALSE(MatchScreen(screen, Expect::Exact).ok);

    At(screen, READOUT_WIDTH, 5) ^= 0xFF;
    EXPECT_FALSE(MatchScreen(screen, Expect::Readout).ok) << "difference outside the corner";
}
