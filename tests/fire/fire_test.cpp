// fire_test.cpp -- the fire: its palette, its frame a function of the time
// alone whatever the frame rate or order, and its capture tool showing the
// frame through the palette.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "display/palette.h"
#include "tests/screen/pngread.h"
#include "tools/offline/demo_frame.h"

namespace {

size_t Pixels() {
    return size_t(width) * size_t(height);
}

// The frame buffer (palette indices) at each of `times`, rendered in that
// order on one effect state from FFX_Init; the last one is returned.
std::vector<uint8_t> IndicesAfter(const std::vector<uint32_t>& times) {
    DemoFrame demo;
    EXPECT_TRUE(demo.Init());
    for (uint32_t ms : times)
        demo.RenderBuffer(ms);
    return std::vector<uint8_t>(demo.Buffer(), demo.Buffer() + Pixels());
}

// from, from + step, ... and last `to`.
std::vector<uint32_t> Every(uint32_t step, uint32_t from, uint32_t to) {
    std::vector<uint32_t> times;
    for (uint64_t ms = from; ms < to; ms += step)
        times.push_back(uint32_t(ms));
    times.push_back(to);
    return times;
}

// How many pixels of two frames differ.
size_t Differing(const std::vector<uint8_t>& a, const std::vector<uint8_t>& b) {
    size_t count = 0;
    for (size_t i = 0; i < Pixels(); ++i)
        count += a[i] != b[i];
    return count;
}

} // namespace

TEST(Fire, IsAQuarterVgaFrameOfPaletteIndices) {
    EXPECT_EQ(width, 320);
    EXPECT_EQ(height, 240);
    EXPECT_EQ(depth, 8);
}

TEST(Fire, PaletteRunsFromBlackThroughRedAndYellowToWhite) {
    DemoFrame demo;
    ASSERT_TRUE(demo.Init());
    EXPECT_EQ(palette[0], 0x000000u);
    EXPECT_EQ(palette[84], 0xFC0000u);  // red rising, nothing else
    EXPECT_EQ(palette[169], 0xFFFC00u); // then green: yellow
    EXPECT_EQ(palette[255], 0xFFFFFFu); // then blue: white
    for (int i = 1; i < 256; ++i)
        for (int shift : {0, 8, 16})
            EXPECT_GE((palette[i] >> shift) & 0xFF, (palette[i - 1] >> shift) & 0xFF)
                << "entry " << i << ", bits " << shift;
}

TEST(Fire, PaletteFlaresAndCalmsEveryFourSeconds) {
    DemoFrame demo;
    ASSERT_TRUE(demo.Init());
    demo.RenderBuffer(2000); // the height of the flare: each index as one 176/128 times higher
    EXPECT_EQ(palette[0], 0x000000u);
    EXPECT_EQ(palette[60], 0xF60000u);
    EXPECT_EQ(palette[84], 0xFF5A00u);
    EXPECT_EQ(palette[186], 0xFFFFFFu);
    demo.RenderBuffer(1000); // half way up
    EXPECT_EQ(palette[84], 0xFF2A00u);
    demo.RenderBuffer(4000); // calm again
    EXPECT_EQ(palette[84], 0xFC0000u);
}

TEST(Fire, BurnsFromTheFloorUp) {
    const std::vector<uint8_t> start = IndicesAfter({0});
    EXPECT_EQ(Differing(std::vector<uint8_t>(Pixels(), 0), start), 0u) << "cold before the first step";
    const std::vector<uint8_t> later = IndicesAfter({5000});
    size_t lit = 0, top = 0;
    for (size_t i = 0; i < Pixels(); ++i) {
        lit += later[i] != 0;
        top += i < size_t(width) * 40 && later[i] != 0;
    }
    EXPECT_GT(lit, Pixels() / 4) << "flames after five seconds";
    EXPECT_EQ(top, 0u) << "they cool before the top";
}

TEST(Fire, FrameDependsOnTheTimeAloneAtAnyFrameRate) {
    const std::vector<uint8_t> direct = IndicesAfter({6000});
    EXPECT_EQ(Differing(IndicesAfter(Every(16, 0, 6000)), direct), 0u) << "at 60 frames a second";
    EXPECT_EQ(Differing(IndicesAfter(Every(143, 0, 6000)), direct), 0u) << "at 7 frames a second";
    EXPECT_EQ(Differing(IndicesAfter({9000, 2000, 6000}), direct), 0u) << "going back in time";
}

TEST(Fire, FarAheadIsTheSameAsSteppingThere) {
    // From scratch the last steps alone are simulated; step by step the heat
    // is carried over. Both must give the same frame, near the clock's end too.
    for (uint32_t end : {60000u, 4294967295u}) {
        const std::vector<uint8_t> stepped = IndicesAfter(Every(16, end - 8000, end));
        EXPECT_EQ(Differing(stepped, IndicesAfter({end})), 0u) << end << " ms";
    }
}

TEST(Fire, CaptureShowsTheFrameThroughThePalette) {
    const std::string png = ::testing::TempDir() + "fire_capture.png";
    const std::string command = std::string(FIRE_CAPTURE) + " --ms 5000 -o " + png;
    ASSERT_EQ(std::system(command.c_str()), 0) << command;
    std::vector<uint32_t> shot;
    int w = 0, h = 0;
    std::string error;
    ASSERT_TRUE(ReadPng(png, shot, w, h, error)) << error;
    ASSERT_EQ(w, width);
    ASSERT_EQ(h, height);
    DemoFrame demo;
    ASSERT_TRUE(demo.Init());
    const uint32_t* frame = demo.Render(5000);
    for (size_t i = 0; i < Pixels(); ++i)
        ASSERT_EQ(shot[i], frame[i] & 0xFFFFFF) << "pixel " << i;
}
