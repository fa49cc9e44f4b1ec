// render_test.cpp -- whole frames of FFX_Render against the per-pixel reference.
#include <vector>

#include "common/elapsed.h"
#include "common/format.h"
#include "tests/effect/fixture.h"
#include "tests/effect/reference.h"

using RenderTest = EffectTest;

namespace {

std::vector<std::string> Cells() {
    std::vector<std::string> cells;
    for (int i = 0; i < 80; ++i)
        cells.push_back(patternCells[i]);
    return cells;
}

// Renders at `seconds` and compares with the reference for the grid position
// the scroll clock is expected to reach.
void ExpectFrame(float seconds, const char* readout, int expectedScrollRow) {
    std::vector<uint32_t> frame(ref::kPixels, 0xDEADBEEFu);
    FFX_Render(frame.data(), seconds);
    ASSERT_EQ(scrollRow, expectedScrollRow) << "seconds " << seconds;
    const std::vector<uint32_t> expected = ref::Frame(seconds, readout, expectedScrollRow, Cells());
    int mismatches = 0;
    for (int i = 0; i < ref::kPixels; ++i)
        if (frame[i] != expected[i] && ++mismatches <= 5)
            ADD_FAILURE() << "seconds " << seconds << ": pixel (" << i % ref::kWidth << ", "
                          << i / ref::kWidth << ") is " << std::hex << frame[i] << ", expected "
                          << expected[i];
    EXPECT_EQ(mismatches, 0);
}

} // namespace

TEST_F(RenderTest, FirstFrame) {
    ExpectFrame(0.0f, "    0.00", 0);
}

TEST_F(RenderTest, FramesAcrossTheFirstSteps) {
    ExpectFrame(COM_MsToSeconds(200), "    0.20", 0); // 0.2f itself: not more than 0.2
    ExpectFrame(COM_MsToSeconds(201), "    0.20", 1);
    ExpectFrame(COM_MsToSeconds(500), "    0.50", 2);
    ExpectFrame(COM_MsToSeconds(1125), "    1.13", 3);
    ExpectFrame(COM_MsToSeconds(61234), "   61.23", 4);
}

TEST_F(RenderTest, LateFramesAndTheWrap) {
    ExpectFrame(100000.0f, "100000.00", 1);
    ExpectFrame(COM_MsToSeconds(4294967295u), "4294967.50", 2);
    ExpectFrame(COM_MsToSeconds(0), "    0.00", 2); // wrapped: the clock follows back
    ExpectFrame(COM_MsToSeconds(201), "    0.20", 3);
}

TEST_F(RenderTest, PresetClockForAReferenceFrame) {
    // How an end-to-end check renders a given grid position: set the clock,
    // then render at a time that does not step it.
    scrollRow = 13;
    lastStepTime = 42.0f;
    ExpectFrame(42.1f, "   42.10", 13);
    ExpectFrame(42.3f, "   42.30", 14);
}
