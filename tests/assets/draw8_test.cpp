// draw8_test.cpp -- pictures and text at depth 8: an indexed picture's
// indices copied but its transparent one, text where coverage is half.
#include <gtest/gtest.h>

#include <vector>

#include "common/asset.h"

// indexed.png: 4 x 2, its background the transparent index, a red and a
// green pixel.
TEST(Depth8, IndicesAreCopiedButTheTransparentOneAndBringTheirPalette) {
    const FFX_Image* picture = FFX_GetImage("indexed");
    ASSERT_NE(picture->indices, nullptr);
    EXPECT_EQ(picture->pixels, nullptr);
    const uint8_t clear = static_cast<uint8_t>(picture->transparent);
    const uint8_t red = picture->indices[1], green = picture->indices[6];
    EXPECT_EQ(picture->indices[0], clear);
    EXPECT_EQ(FFX_ImagePalette(picture)[red], 0xFF0000u);
    EXPECT_EQ(FFX_ImagePalette(picture)[green], 0x00FF00u);
    std::vector<uint8_t> frame(static_cast<size_t>(width) * height, 7);
    FFX_DrawImage(frame.data(), picture, 6, 4);
    std::vector<uint8_t> want(frame.size(), 7);
    want[4 * width + 7] = red;
    EXPECT_EQ(frame, want);
    FFX_DrawImage(frame.data(), picture, 0, 0, 127); // under half: nothing
    EXPECT_EQ(frame, want);
}

TEST(Depth8, TextWritesItsIndexWhereCoverageIsAtLeastHalf) {
    const FFX_Font* font = FFX_GetFont("sans");
    const FNT_Glyph& glyph = font->glyphs[FNT_Slot('H')];
    std::vector<uint8_t> frame(static_cast<size_t>(width) * height, 0);
    FFX_DrawText(frame.data(), font, 0, -4, "H", 0xFFFFFF09u);
    std::vector<uint8_t> want(frame.size(), 0);
    for (int gy = 0; gy < glyph.height; ++gy)
        for (int gx = 0; gx < glyph.width; ++gx) {
            const int fx = glyph.left + gx, fy = -4 + font->ascent - glyph.top + gy;
            if (fx < width && fy >= 0 && fy < height &&
                font->coverage[glyph.offset + gy * glyph.width + gx] >= 128)
                want[fy * width + fx] = 9;
        }
    EXPECT_EQ(frame, want);
    EXPECT_NE(frame, std::vector<uint8_t>(frame.size(), 0));
}
