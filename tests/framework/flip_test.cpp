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

TEST(Flip, WindowClosesOnlyAfterMoreThan1000Ms) {
    fake::Script()
        .key(VK_SPACE)
        .afterFrame(1)
        .ticks(1000)
        .afterFrame(2)
        .ticks(1001)
        .afterFrame(3)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"TextOutA"}),
              (Strings{"TextOutA(hdc, 0, 0, \"0.0 fps\", 7)", "TextOutA(hdc, 0, 0, \"0.0 fps\", 7)",
                       "TextOutA(hdc, 0, 0, \"3.0 fps\", 7)"}));
}

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

// A window opened 512 ms before the tick counter wraps still lasts just over
// a second.
TEST(Flip, WindowStartingJustBeforeTheTickCountersWrapLastsASecond) {
    fake::setTicks(0xFFFFFE00u);
    fake::Script()
        .key(VK_SPACE)
        .afterFrame(1)
        .ticks(0xFFFFFE05u)
        .afterFrame(2)
        .ticks(0xFFFFFE00u + 1001)
        .afterFrame(3)
        .key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"TextOutA"}),
              (Strings{"TextOutA(hdc, 0, 0, \"0.0 fps\", 7)", "TextOutA(hdc, 0, 0, \"0.0 fps\", 7)",
                       "TextOutA(hdc, 0, 0, \"3.0 fps\", 7)"}));
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
