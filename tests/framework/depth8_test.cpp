// depth8_test.cpp -- the depth-8 path: index frames cleared at start-up,
// converted through the palette into the shadow buffer, shown in a 32-bit
// mode.
#include <ddraw.h>

#include "app/app.h"
#include "display/display.h"
#include "tests/framework/support.h"

static uint32_t greyOfLastFrame(int x, int y) {
    uint32_t i = patternByte((size_t)y * width + x, renders());
    return 0xFF000000u | i << 16 | i << 8 | i;
}

TEST(Depth8, ClearedIndexFramesReachTheScreenThroughTheGreyRamp) {
    fake::setup().pitch = 641 * 4;
    fake::Script().afterFrame(2).key(VK_ESCAPE);
    EXPECT_EQ(runProgram(), 0);
    // Shadow buffer first, then the index frame, cleared before the effect
    // sees it; the mode is 32-bit.
    EXPECT_EQ(fake::calls({"new[]", "VirtualAlloc", "SetDisplayMode", "FFX_Init"}),
              (Strings{"new[](1228800)", "VirtualAlloc(NULL, 393216, 0x3000, 0x4)",
                       "SetDisplayMode(640, 480, 32, 0, 0x0)", "FFX_Init(zero-filled)"}));
    EXPECT_EQ(palette[0], 0xFF000000u);
    EXPECT_EQ(palette[128], 0xFF808080u);
    EXPECT_EQ(palette[255], 0xFFFFFFFFu);
    EXPECT_TRUE(screenShows(greyOfLastFrame));
}

TEST(Depth8, FailedFrameBufferAllocationEndsWithoutABox) {
    fake::failNext("VirtualAlloc");
    EXPECT_EQ(runProgram(), 0);
    EXPECT_EQ(fake::calls({"new[]", "VirtualAlloc", "MessageBoxA", "DirectDrawCreateEx"}),
              (Strings{"new[](1228800)", "VirtualAlloc(NULL, 393216, 0x3000, 0x4)"}));
}

TEST(Depth8, PaletteFromASourceReplacesEveryEntry) {
    uint32_t source[256];
    for (uint32_t i = 0; i < 256; i++)
        source[i] = 0x00010203u * (255 - i) ^ i << 24;
    DDRAW_SetPalette(NULL);
    DDRAW_SetPalette(source);

    std::vector<uint8_t> indices((size_t)width * height);
    for (size_t i = 0; i < indices.size(); i++)
        indices[i] = patternByte(i, 1);
    std::vector<uint32_t> pixels(indices.size(), 0xDEADBEEFu);
    DDRAW_ConvertIndexed(pixels.data(), indices.data());
    for (size_t i = 0; i < pixels.size(); i++)
        ASSERT_EQ(pixels[i], source[indices[i]]) << "pixel " << i;

    DDRAW_SetPalette(NULL);
    EXPECT_EQ(palette[7], 0xFF070707u);
}
