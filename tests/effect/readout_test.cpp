// readout_test.cpp -- the time readout's text and its place in the frame.
#include <gtest/gtest.h>

#include <vector>

#include "common/elapsed.h"
#include "effect/font.h"
#include "tests/effect/reference.h"

namespace {

constexpr uint32_t kBackground = 0x00010203u;

struct Box {
    int left = ref::kWidth, top = ref::kHeight, right = -1, bottom = -1; // inclusive
};

// The readout drawn over a plain background, and the box of its ink.
std::vector<uint32_t> Readout(float seconds, Box* box) {
    std::vector<uint32_t> frame(ref::kPixels, kBackground);
    FFX_DrawTime(frame.data(), seconds);
    for (int y = 0; y < ref::kHeight; ++y)
        for (int x = 0; x < ref::kWidth; ++x)
            if (frame[y * ref::kWidth + x] != kBackground) {
                box->left = std::min(box->left, x);
                box->right = std::max(box->right, x);
                box->top = std::min(box->top, y);
                box->bottom = std::max(box->bottom, y);
            }
    return frame;
}

std::vector<uint32_t> Text(const std::string& text) {
    std::vector<uint32_t> frame(ref::kPixels, kBackground);
    ref::DrawString(frame.data(), 3, 100, 10, text);
    return frame;
}

} // namespace

TEST(Readout, HalfASecondIsFourBlankCellsThenTheDigitsFromX172) {
    Box box;
    const std::vector<uint32_t> frame = Readout(0.5f, &box);
    EXPECT_EQ(frame, Text("    0.50"));
    // '0' has ink in column 0: the first ink is at x 100 + 4 * 18 = 172.
    EXPECT_EQ(box.left, 172);
    EXPECT_EQ(box.top, 10);
    EXPECT_EQ(box.bottom, 10 + 24 - 1);
    EXPECT_EQ(frame[10 * ref::kWidth + 172], 0xFFFFFFFFu);
    EXPECT_EQ(frame[10 * ref::kWidth + 171], kBackground);
}

TEST(Readout, TieAt1125MillisecondsRoundsUp) {
    const float seconds = COM_MsToSeconds(1125);
    ASSERT_EQ(seconds, 1.125f);
    Box box;
    EXPECT_EQ(Readout(seconds, &box), Text("    1.13"));
}

TEST(Readout, FromHundredThousandSecondsTheTextGrowsToTheRight) {
    Box box;
    EXPECT_EQ(Readout(100000.0f, &box), Text("100000.00"));
    EXPECT_GE(box.left, 100);
    EXPECT_LE(box.right, 261); // nine cells of 18 pixels from x 100
    EXPECT_GE(box.right, 100 + 8 * 18);

    Box later;
    EXPECT_EQ(Readout(123456.789f, &later), Text("123456.79"));
    // Floats there are 1/128 apart: 100000.125 is exact and a tie.
    EXPECT_EQ(Readout(100000.125f, &later), Text("100000.13"));
}

TEST(Readout, LargestElapsedTime) {
    Box box;
    const float seconds = COM_MsToSeconds(4294967295u);
    EXPECT_EQ(Readout(seconds, &box), Text("4294967.50"));
    EXPECT_LE(box.right, 100 + 10 * 18 - 1);
}
