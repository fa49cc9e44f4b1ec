// font_test.cpp -- the glyph table, drawing one character and a string.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "effect/font.h"
#include "tests/effect/reference.h"

namespace {

constexpr uint32_t kBackground = 0x00123456u;
constexpr uint32_t kInk = 0xFFFFFFFFu;

std::vector<uint32_t> Blank() {
    return std::vector<uint32_t>(ref::kPixels, kBackground);
}

// Pixels that differ between two frames.
int Differences(const std::vector<uint32_t>& a, const std::vector<uint32_t>& b) {
    int count = 0;
    for (size_t i = 0; i < a.size(); ++i)
        count += a[i] != b[i];
    return count;
}

} // namespace

TEST(Font, CharsetOrder) {
    EXPECT_STREQ(fontCharset, "0123456789ABCDEFG:.#|");
    EXPECT_EQ(std::strlen(fontCharset), static_cast<size_t>(FONT_CHARS));
}

TEST(Font, GlyphTableMatchesThePart) {
    for (int g = 0; g < FONT_CHARS; ++g)
        for (int r = 0; r < 8; ++r)
            for (int c = 0; c < 6; ++c)
                EXPECT_EQ(fontGlyphs[g * 48 + r * 6 + c],
                          ref::GlyphInk(fontCharset[g], r, c) ? 1 : 0)
                    << "glyph '" << fontCharset[g] << "' row " << r << " column " << c;
}

TEST(Font, ColumnFiveIsAlwaysBackground) {
    for (int g = 0; g < FONT_CHARS; ++g)
        for (int r = 0; r < 8; ++r)
            EXPECT_EQ(fontGlyphs[g * 48 + r * 6 + 5], 0) << g << " " << r;
}

TEST(Font, EveryCharacterAtScalesOneToFour) {
    for (int scale = 1; scale <= 4; ++scale) {
        for (int g = 0; g < FONT_CHARS; ++g) {
            std::vector<uint32_t> actual = Blank(), expected = Blank();
            const int x = 37 + g, y = 21 + 3 * g;
            FFX_DrawChar(actual.data(), scale, y * ref::kWidth + x, kInk, fontCharset[g]);
            ref::DrawChar(expected.data(), scale, x, y, fontCharset[g]);
            ASSERT_EQ(Differences(actual, expected), 0)
                << "'" << fontCharset[g] << "' at scale " << scale;
        }
    }
}

TEST(Font, ColourIsStoredAsIs) {
    std::vector<uint32_t> frame = Blank();
    FFX_DrawChar(frame.data(), 1, 0, 0x80FF0001u, '1');
    EXPECT_EQ(frame[2], 0x80FF0001u);
    EXPECT_EQ(frame[1], kBackground);
}

TEST(Font, CharactersOutsideTheSetDrawNothing) {
    const std::vector<uint32_t> blank = Blank();
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        if (b != 0 && std::strchr(fontCharset, c)) continue;
        std::vector<uint32_t> frame = Blank();
        FFX_DrawChar(frame.data(), 3, 1000, kInk, c);
        ASSERT_EQ(Differences(frame, blank), 0) << "byte " << b;
    }
}

TEST(Font, ScaleZeroOrLessDrawsNothing) {
    const std::vector<uint32_t> blank = Blank();
    for (int scale : {0, -1, -3}) {
        std::vector<uint32_t> frame = Blank();
        FFX_DrawChar(frame.data(), scale, 200000, kInk, '8');
        FFX_DrawString(frame.data(), scale, 200000, kInk, "0123#|");
        EXPECT_EQ(Differences(frame, blank), 0) << scale;
    }
}

TEST(Font, StringAdvancesSixTimesScaleAndLeavesBlankCells) {
    // "a" and " " are outside the set: blank cells of the same width.
    std::vector<uint32_t> actual = Blank(), expected = Blank();
    FFX_DrawString(actual.data(), 2, 50 * ref::kWidth + 30, kInk, "1a 2:Gx|");
    const char* text = "1a 2:Gx|";
    for (int i = 0; text[i]; ++i)
        ref::DrawChar(expected.data(), 2, 30 + 12 * i, 50, text[i]);
    EXPECT_EQ(Differences(actual, expected), 0);

    // The '|' is the 8th character: its ink starts at 30 + 7 * 12 + 4.
    EXPECT_EQ(actual[50 * ref::kWidth + 30 + 84 + 4], kInk);
    EXPECT_EQ(actual[50 * ref::kWidth + 30 + 84 + 3], kBackground);
}
