// pattern_test.cpp -- the note cells, the scroll clock and the grid.
#include <cmath>
#include <map>
#include <utility>
#include <vector>

#include "common/elapsed.h"
#include "tests/effect/fixture.h"
#include "tests/effect/reference.h"

using PatternTest = EffectTest;

namespace {

std::string Cell(int row, int channel) {
    return patternCells[row * 4 + channel];
}

} // namespace

TEST(Pattern, TwentyChoicesFromSeedOne) {
    // Replays FFX_InitPattern's draws: channel first, then row, then the note.
    randState = 1;
    char scratch[12] = "| ... ... |";
    std::vector<std::pair<int, int>> choices;
    for (int i = 0; i < 20; ++i) {
        const int channel = FFX_Rand() % 4;
        const int row = FFX_Rand() % 20;
        choices.emplace_back(row, channel);
        FFX_RandomNote(scratch);
    }
    const std::vector<std::pair<int, int>> expected = {
        {7, 1}, {18, 2}, {15, 3}, {2, 0},  {9, 2}, {13, 2}, {2, 0},  {15, 0}, {2, 0}, {6, 2},
        {0, 0}, {19, 0}, {2, 2},  {17, 2}, {9, 2}, {10, 2}, {10, 0}, {7, 2},  {9, 1}, {6, 2}};
    EXPECT_EQ(choices, expected);
}

TEST_F(PatternTest, SixteenNonBlankCells) {
    const std::map<std::pair<int, int>, std::string> expected = {
        {{0, 0}, "D.3 ..."},  {{2, 0}, "A.8 A90"},  {{2, 2}, "E#5 F84"},  {{6, 2}, "D.7 C44"},
        {{7, 1}, "G.5 ..."},  {{7, 2}, "A#6 C33"},  {{9, 1}, "C.3 ..."},  {{9, 2}, "C#3 D31"},
        {{10, 0}, "C#5 ..."}, {{10, 2}, "F.6 C41"}, {{13, 2}, "F.2 B87"}, {{15, 0}, "A.3 ..."},
        {{15, 3}, "A#6 C23"}, {{17, 2}, "D#2 D42"}, {{18, 2}, "F.2 G71"}, {{19, 0}, "A#2 ..."}};
    int nonBlank = 0;
    for (int row = 0; row < 20; ++row) {
        for (int channel = 0; channel < 4; ++channel) {
            const auto it = expected.find({row, channel});
            const std::string text = it == expected.end() ? "... ..." : it->second;
            EXPECT_EQ(Cell(row, channel), "| " + text + " |")
                << "cell (" << row << ", " << channel << ")";
            EXPECT_EQ(patternCells[row * 4 + channel][11], '\0');
            nonBlank += Cell(row, channel) != "| ... ... |";
        }
    }
    EXPECT_EQ(nonBlank, 16);
}

TEST_F(PatternTest, CellsAreSeparateBlocks) {
    for (int i = 0; i < 80; ++i)
        for (int j = i + 1; j < 80; ++j)
            ASSERT_NE(patternCells[i], patternCells[j]);
}

TEST_F(PatternTest, ClockStepsOnlyWhenStrictlyMoreThanPointTwoHavePassed) {
    FFX_StepPattern(0.2f); // difference exactly 0.2f: no step
    EXPECT_EQ(scrollRow, 0);
    EXPECT_EQ(lastStepTime, 0.0f);

    const float justAbove = std::nextafter(0.2f, 1.0f);
    FFX_StepPattern(justAbove);
    EXPECT_EQ(scrollRow, 1);
    EXPECT_EQ(lastStepTime, justAbove);

    // The constant is the float 0.2 (0.200000003), compared in double:
    // 1.2f - 1.0f is 0.200000048 > 0.200000003, 1.1999999f - 1.0f is not.
    lastStepTime = 1.0f;
    FFX_StepPattern(std::nextafter(1.2f, 0.0f));
    EXPECT_EQ(scrollRow, 1);
    FFX_StepPattern(1.2f);
    EXPECT_EQ(scrollRow, 2);

    // The difference in double: 0.20000001788f - 1e-8f is 0.20000000788,
    // more than 0.2f; taken in float it would round to 0.2f itself.
    lastStepTime = 1e-8f;
    FFX_StepPattern(justAbove);
    EXPECT_EQ(scrollRow, 3);
}

TEST_F(PatternTest, AtMostOneStepPerFrameAgainstThePreviousStep) {
    FFX_StepPattern(5.0f); // 25 periods late: still one step
    EXPECT_EQ(scrollRow, 1);
    EXPECT_EQ(lastStepTime, 5.0f);
    FFX_StepPattern(5.15f);
    EXPECT_EQ(scrollRow, 1);
    FFX_StepPattern(5.25f); // 0.25 after the last step
    EXPECT_EQ(scrollRow, 2);
    FFX_StepPattern(5.4f); // 0.15 after it: the grid is not a fixed 0.2 s tick
    EXPECT_EQ(scrollRow, 2);
    EXPECT_EQ(lastStepTime, 5.25f);
}

TEST_F(PatternTest, ScrollRowWrapsAfterTwentySteps) {
    for (int i = 1; i <= 21; ++i)
        FFX_StepPattern(0.5f * i);
    EXPECT_EQ(scrollRow, 1);
}

TEST_F(PatternTest, ElapsedTimeWrapKeepsTheGridStepping) {
    // Frames every 16 ms across the wrap of the 32-bit millisecond clock.
    scrollRow = 7;
    uint32_t ms = 0xFFFFFFFFu - 2000;
    lastStepTime = COM_MsToSeconds(ms);
    int stepsAfterWrap = 0;
    bool wrapped = false;
    for (int frame = 0; frame < 400; ++frame, ms += 16) { // unsigned: wraps to 0
        const int before = scrollRow;
        const float seconds = COM_MsToSeconds(ms);
        if (ms < 16) {
            wrapped = true;
            FFX_StepPattern(seconds);
            EXPECT_EQ(scrollRow, before) << "following the clock back is not a step";
            EXPECT_EQ(lastStepTime, seconds);
            continue;
        }
        FFX_StepPattern(seconds);
        if (wrapped) stepsAfterWrap += scrollRow != before;
    }
    ASSERT_TRUE(wrapped);
    // About 4.4 s after the wrap: a step every 13 frames of 16 ms (0.208 s).
    EXPECT_GE(stepsAfterWrap, 20);
    EXPECT_LE(stepsAfterWrap, 21);
}

TEST_F(PatternTest, AnyTimeBelowTheLastStepIsFollowed) {
    lastStepTime = 10.0f;
    FFX_StepPattern(9.0f);
    EXPECT_EQ(lastStepTime, 9.0f);
    EXPECT_EQ(scrollRow, 0);
    FFX_StepPattern(9.2f); // 9.2f - 9.0f = 0.19999981: no step
    EXPECT_EQ(scrollRow, 0);
    FFX_StepPattern(9.25f);
    EXPECT_EQ(scrollRow, 1);
}

TEST_F(PatternTest, GridPositionsForEveryShift) {
    std::vector<std::string> cells;
    for (int i = 0; i < 80; ++i)
        cells.push_back(patternCells[i]);
    for (int row = 0; row < 20; ++row) {
        std::vector<uint32_t> actual(ref::kPixels, 0u), expected(ref::kPixels, 0u);
        FFX_DrawPattern(actual.data(), 100 * ref::kWidth + 40, 19 - row);
        for (int r = 0; r < 20; ++r)
            for (int c = 0; c < 4; ++c)
                ref::DrawString(expected.data(), 2, 40 + 144 * c, 100 + 18 * ((19 - row + r) % 20),
                                cells[r * 4 + c]);
        ASSERT_EQ(actual, expected) << "scrollRow " << row;
    }
}

TEST_F(PatternTest, AtStartRowZeroIsAtTheBottomAndRowOneAtTheTop) {
    // Cell (0, 0) "| D.3 ... |": 'D' is its third character, column 0 of the
    // glyph is ink on every row. Bottom screen row: y 100 + 18 * 19 = 442.
    std::vector<uint32_t> frame(ref::kPixels, 0u);
    FFX_DrawPattern(frame.data(), 100 * ref::kWidth + 40, 19 - scrollRow);
    const int x = 40 + 2 * 12;
    EXPECT_EQ(frame[442 * ref::kWidth + x], 0xFFFFFFFFu);
    EXPECT_EQ(frame[(442 + 15) * ref::kWidth + x], 0xFFFFFFFFu);
    EXPECT_EQ(frame[(442 + 16) * ref::kWidth + x],
              0u); // the 2-pixel gap, then the frame's rows 458..479
    // Row 1 is blank: its '.' glyphs at the top screen row (y 100..115) have
    // ink only in glyph rows 6-7, pixel rows 112..115.
    EXPECT_EQ(frame[100 * ref::kWidth + x + 4], 0u);
    EXPECT_EQ(frame[112 * ref::kWidth + x + 4], 0xFFFFFFFFu);
    // Nothing outside x 40..603, y 100..457.
    for (int y = 0; y < ref::kHeight; ++y)
        for (int px = 0; px < ref::kWidth; ++px)
            if (frame[y * ref::kWidth + px]) {
                ASSERT_TRUE(px >= 40 && px <= 603 && y >= 100 && y <= 457) << px << ", " << y;
            }
}
