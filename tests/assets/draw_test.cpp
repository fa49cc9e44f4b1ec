// draw_test.cpp -- pictures and text drawn into a depth-32 frame of 8 x 6:
// the one rounding, clipping at each edge, the picture's part and opacity,
// and the font's advances, kerning and missing glyph.
#include <gtest/gtest.h>

#include <vector>

#include "common/asset.h"
#include "common/blend.h"

namespace {

using Frame = std::vector<uint32_t>;

Frame Filled(uint32_t value) {
    return Frame(static_cast<size_t>(width) * height, value);
}

uint32_t Over(uint32_t s, uint32_t d, uint32_t a) { // the stated formula, per channel
    uint32_t out = 0;
    for (int shift = 0; shift <= 16; shift += 8) {
        const uint32_t sc = (s >> shift) & 0xFF, dc = (d >> shift) & 0xFF;
        out |= (sc * a + dc * (255 - a) + 127) / 255 << shift;
    }
    return out;
}

} // namespace

TEST(Blend, EveryChannelValueAndAlphaRoundsAsStated) {
    for (uint32_t a = 0; a < 256; ++a)
        for (uint32_t s = 0; s < 256; ++s)
            for (uint32_t d = 0; d < 256; ++d)
                ASSERT_EQ(BLD_Over(s, d, a), (s * a + d * (255 - a) + 127) / 255)
                    << "s " << s << " d " << d << " a " << a;
    for (uint32_t x = 0; x <= 255 * 255 + 127; ++x)
        ASSERT_EQ(BLD_Div255(x), x / 255) << x;
}

// pixels.png: red, green at alpha 128, clear / white, (10,20,30) at 64, black.
TEST(DrawImage, BlendsEachPixelWithItsAlphaTimesTheOpacity) {
    const FFX_Image* picture = FFX_GetImage("pixels");
    ASSERT_EQ(picture->width, 3);
    ASSERT_EQ(picture->height, 2);
    EXPECT_EQ(picture->pixels[0], 0xFFFF0000u);
    EXPECT_EQ(picture->pixels[1], 0x8000FF00u);
    EXPECT_EQ(picture->pixels[4], 0x400A141Eu);
    const uint32_t ground = 0xAA336699u; // a top byte the drawing clears
    for (int opacity : {255, 200, 1}) {
        Frame frame = Filled(ground);
        FFX_DrawImage(frame.data(), picture, 2, 1, opacity);
        for (int i = 0; i < 6; ++i) {
            const uint32_t s = picture->pixels[i];
            const uint32_t a = ((s >> 24) * opacity + 127) / 255;
            const uint32_t want = a == 0 ? ground : Over(s, ground, a);
            EXPECT_EQ(frame[(1 + i / 3) * width + 2 + i % 3], want) << "pixel " << i << " at " << opacity;
        }
        EXPECT_EQ(frame[0], ground);
    }
    Frame frame = Filled(ground);
    FFX_DrawImage(frame.data(), picture, 0, 0, 0);
    EXPECT_EQ(frame, Filled(ground));
}

// A whole frame of pixels, four at a time where the build can: random
// colours and alphas, and runs wholly clear and wholly opaque.
TEST(DrawImage, EveryPixelOfAFrameBlendsAsTheFormulaSays) {
    uint32_t state = 12345;
    const auto next = [&state] { return state = state * 1664525u + 1013904223u; };
    for (int round = 0; round < 300; ++round) {
        IMG_Held random;
        for (int i = 0; i < width * height; ++i) {
            const uint32_t alpha = i < 8 ? 0 : i < 16 ? 255 : next() >> 24;
            random.pixels.push_back(alpha << 24 | (next() & 0xFFFFFFu));
        }
        random.image = FFX_Image{width, height, random.pixels.data(), nullptr, 0};
        IMG_Replace("random", std::move(random));
        const FFX_Image* picture = FFX_GetImage("random");
        for (int opacity : {255, 128, 3}) {
            Frame frame(static_cast<size_t>(width) * height), want;
            for (uint32_t& p : frame) p = next() & 0xFFFFFFu;
            want = frame;
            for (size_t i = 0; i < want.size(); ++i) {
                const uint32_t a = ((picture->pixels[i] >> 24) * opacity + 127) / 255;
                if (a != 0) want[i] = Over(picture->pixels[i], want[i], a);
            }
            FFX_DrawImage(frame.data(), picture, 0, 0, opacity);
            ASSERT_EQ(frame, want) << "at opacity " << opacity << ", round " << round;
        }
    }
}

// Placed past each edge in turn, and a part partly outside the picture:
// exactly the pixels inside both are drawn (the sanitizers see the rest).
TEST(DrawImage, ClipsAtTheFramesEdgesAndThePicturesOwn) {
    const FFX_Image* picture = FFX_GetImage("pixels");
    const struct {
        FFX_Rect part;
        int x, y;
    } cases[] = {{{0, 0, 3, 2}, -2, 0}, {{0, 0, 3, 2}, 6, 5},  {{0, 0, 3, 2}, 3, -1},
                 {{0, 0, 3, 2}, -3, 0}, {{0, 0, 3, 2}, 8, 0},  {{-1, 1, 9, 9}, 4, 2},
                 {{2, 0, 1, 2}, 7, 4},  {{0, 0, 3, 2}, -100000, 100000}};
    for (const auto& c : cases) {
        Frame frame = Filled(0x777777u), want = Filled(0x777777u);
        for (int py = 0; py < 2; ++py)
            for (int px = 0; px < 3; ++px) {
                const int fx = c.x + px - c.part.x, fy = c.y + py - c.part.y;
                const bool inPart = px >= c.part.x && px < c.part.x + c.part.width &&
                                    py >= c.part.y && py < c.part.y + c.part.height;
                const uint32_t s = picture->pixels[py * 3 + px];
                if (inPart && fx >= 0 && fx < width && fy >= 0 && fy < height && (s >> 24) != 0)
                    want[fy * width + fx] = Over(s, 0x777777u, s >> 24);
            }
        FFX_DrawImagePart(frame.data(), picture, c.part, c.x, c.y);
        EXPECT_EQ(frame, want) << "part at " << c.part.x << "," << c.part.y << " to " << c.x << "," << c.y;
    }
}

TEST(Assets, UnknownNamesAreEmptyNeverNullAndNamedOnce) {
    testing::internal::CaptureStderr();
    const FFX_Image* picture = FFX_GetImage("no such picture");
    const FFX_Font* font = FFX_GetFont("no such font");
    EXPECT_EQ(FFX_GetImage("no such picture"), picture);
    FFX_GetFont("no such font");
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said, "ffxdemo: no picture \"no such picture\" (ffx_add_demo's IMAGES)\n"
                    "ffxdemo: no font \"no such font\" (ffx_add_demo's FONTS)\n");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(picture->width, 0);
    Frame frame = Filled(5);
    FFX_DrawImage(frame.data(), picture, 0, 0);
    EXPECT_EQ(FFX_DrawText(frame.data(), font, 3, 0, "text", 0xFFFFFFFFu), 3);
    EXPECT_EQ(FFX_TextWidth(font, "text"), 0);
    EXPECT_EQ(frame, Filled(5));
}

// The font: DejaVu Sans at 16 pixels (CMakeLists.txt).
TEST(Text, WidthIsTheAdvancesAndTheFontsKerning) {
    const FFX_Font* font = FFX_GetFont("sans");
    const auto advance = [&](uint32_t code) { return font->glyphs[FNT_Slot(code)].advance; };
    EXPECT_GT(FFX_FontLineHeight(font), FFX_FontAscent(font));
    EXPECT_EQ(FFX_TextWidth(font, "ab"), advance('a') + advance('b'));
    // DejaVu kerns A against V.
    EXPECT_LT(FFX_TextWidth(font, "AV"), advance('A') + advance('V'));
    EXPECT_EQ(FFX_TextWidth(font, "AV"), FFX_DrawText(nullptr, font, 0, 0, "AV", 0));
    // Latin-1 from UTF-8; beyond it, and a malformed byte, the missing glyph.
    EXPECT_EQ(FFX_TextWidth(font, "\xc3\xa9"), advance(0xE9));
    EXPECT_EQ(FFX_TextWidth(font, "\xe2\x82\xac"), font->glyphs[0].advance);
    EXPECT_EQ(FFX_TextWidth(font, "a\xff" "b"), advance('a') + font->glyphs[0].advance + advance('b'));
    EXPECT_EQ(FFX_TextWidth(font, "\xc3"), font->glyphs[0].advance); // cut short at the end
}

// Text in the frame's corner, over and past its edges: coverage times the
// colour's alpha, blended; nothing outside the frame.
TEST(Text, CoverageTimesTheColoursAlphaBlendsAndClips) {
    const FFX_Font* font = FFX_GetFont("sans");
    const FNT_Glyph& glyph = font->glyphs[FNT_Slot('W')];
    for (int x : {-3, 0, 5}) {
        Frame frame = Filled(0x102030u);
        FFX_DrawText(frame.data(), font, x, -2, "W", 0x80FFFFFFu);
        Frame want = Filled(0x102030u);
        const int top = -2 + font->ascent - glyph.top, left = x + glyph.left;
        for (int gy = 0; gy < glyph.height; ++gy)
            for (int gx = 0; gx < glyph.width; ++gx) {
                const int fx = left + gx, fy = top + gy;
                const uint32_t c = font->coverage[glyph.offset + gy * glyph.width + gx];
                const uint32_t a = (c * 0x80 + 127) / 255;
                if (fx >= 0 && fx < width && fy >= 0 && fy < height && a != 0)
                    want[fy * width + fx] = Over(0xFFFFFF, 0x102030u, a);
            }
        EXPECT_EQ(frame, want) << "at x " << x;
        EXPECT_NE(frame, Filled(0x102030u)) << "at x " << x;
    }
}
