// flip_test.cpp -- the present step: the frame-rate measurement and its
// readout, and the flip with its retries.
#include <ddraw.h>

#include "tests/framework/support.h"

struct Measurement {
    int frames;
    uint32_t ms;
    const char* readout;
};

void PrintTo(const Measurement& m, std::ostream* out) {
    *out << m.frames << " frames in " << m.ms << " ms";
}

struct FrameRate : ::testing::TestWithParam<Measurement> {};

// The readout is on from the start; the window opened at DDRAW_Init closes
// at the frame whose tick count is more than 1000 ms later.
TEST_P(FrameRate, MeasuresFramesOverTheWindowAndShowsOneDecimal) {
    const Measurement& m = GetParam();
    fake::setTicks(7000);
    fake::Script()
        .key(VK_SPACE)
        .afterFrame(m.frames - 1)
        .ticks(7000 + m.ms)
        .afterFrame(m.frames + 1)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    Strings texts = fake::calls({"TextOutA"});
    ASSERT_EQ(texts.size(), (size_t)m.frames + 1);
    EXPECT_EQ(texts[m.frames - 2], "TextOutA(hdc, 0, 0, \"0.0 fps\", 7)");
    EXPECT_EQ(texts[m.frames - 1], "TextOutA(hdc, 0, 0, \"" + std::string(m.readout) + "\", 8)");
    EXPECT_EQ(texts[m.frames], texts[m.frames - 1]); // no new window yet
}

INSTANTIATE_TEST_SUITE_P(Flip, FrameRate,
                         ::testing::Values(Measurement{60, 1001, "59.9 fps"},
                                           Measurement{32, 1024,
                                                       "31.3 fps"}), // 31.25, away from zero
                         [](const auto& info) {
                             return std::to_string(info.param.frames) + "FramesIn" +
                                    std::to_string(info.param.ms) + "Ms";
                         });

TEST(Flip, OverlayIsWhiteTransparentTextAtTheTopLeftOfTheBackBuffer) {
    fake::Script().key(VK_SPACE).afterFrame(1).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(logBetween("GetDC", "Flip"),
              (Strings{"GetDC(back)", "SetBkMode(hdc, 1)", "SetTextColor(hdc, 0xFFFFFF)",
                       "TextOutA(hdc, 0, 0, \"0.0 fps\", 7)", "ReleaseDC(back, hdc)"}));
}

// Off, the frames keep counting and the window keeps its start, so the first
// frame with the readout on shows the average since display set-up.
TEST(Flip, FirstReadoutAfterSwitchingOnAveragesSinceTheLastMeasurement) {
    fake::Script().afterFrame(99).ticks(2000).key(VK_SPACE).afterFrame(100).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"TextOutA"}), Strings{"TextOutA(hdc, 0, 0, \"50.0 fps\", 8)"});
    EXPECT_EQ(frameLog(99, {"GetTickCount", "GetDC"}), Strings{});
}

// The window closes only once more than 1000 ms have passed, also when it
// opened 512 ms before the tick counter wraps.
TEST(Flip, WindowClosesAfterMoreThan1000MsAcrossTheTickCountersWrap) {
    const uint32_t start = 0xFFFFFE00u;
    fake::setTicks(start);
    fake::Script().key(VK_SPACE).afterFrame(1).ticks(start + 5).afterFrame(2).ticks(start + 1000);
    fake::Script().afterFrame(3).ticks(start + 1001).afterFrame(4).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    Strings unchanged(3, "TextOutA(hdc, 0, 0, \"0.0 fps\", 7)");
    Strings texts = fake::calls({"TextOutA"});
    ASSERT_EQ(texts.size(), 4u);
    EXPECT_EQ(Strings(texts.begin(), texts.begin() + 3), unchanged);
    EXPECT_EQ(texts[3], "TextOutA(hdc, 0, 0, \"4.0 fps\", 7)"); // 4 frames in 1001 ms
}

TEST(Flip, OverlayIsSkippedWhenTheDeviceContextIsRefused) {
    fake::Script().key(VK_SPACE).afterFrame(1).failNext("GetDC").afterFrame(2).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(frameLog(2, {"GetDC", "SetBkMode", "SetTextColor", "TextOutA", "ReleaseDC", "Flip"}),
              (Strings{"GetDC", "Flip"}));
}

TEST(Flip, RetriedWhileTheDisplayIsStillDrawing) {
    fake::Script()
        .afterFrame(1)
        .failNext("Flip", 3, DDERR_WASSTILLDRAWING)
        .afterFrame(2)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(frameLog(2, {"Flip"}), (Strings(4, "Flip")));
    EXPECT_EQ(fake::calls({"Flip"})[0], "Flip(primary, NULL, 0x0)");
    EXPECT_TRUE(screenShows(lastFramePixel));
}

TEST(Flip, LostSurfacesReportedByTheFlipAreRestored) {
    fake::Script()
        .afterFrame(1)
        .failNext("Flip", 1, DDERR_SURFACELOST)
        .afterFrame(3)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(frameLog(2, {"Flip", "Restore"}), (Strings{"Flip", "Restore"}));
    EXPECT_EQ(frameLog(3, {"Flip", "Restore"}), Strings{"Flip"});
    EXPECT_TRUE(screenShows(lastFramePixel));
}
