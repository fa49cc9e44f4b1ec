// draw_text.cpp -- UTF-8 text drawn in a demo's font: each character's
// glyph at the pen, kerned against the one before, its coverage blended at
// depth 32 (blend.h) or thresholded at depth 8; clipped at the frame.
#include <algorithm>

#include "common/asset.h"
#include "common/blend.h"

namespace {

// The code point at `text`, stepping past it; a malformed sequence is one
// byte that no font has (drawn as the missing glyph).
uint32_t NextCodePoint(const unsigned char*& text) {
    const uint32_t lead = *text++;
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 && lead < 0xF8 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
    if (extra < 0 || lead >= 0xF8) return 0xFFFD;
    uint32_t code = lead & (0x3F >> extra);
    for (int i = 0; i < extra; ++i) {
        if ((*text & 0xC0) != 0x80) return 0xFFFD;
        code = code << 6 | (*text++ & 0x3F);
    }
    return code;
}

int32_t Kerning(const FFX_Font& font, uint32_t first, uint32_t second) {
    if (first == 0 || font.kerns.empty()) return 0;
    const auto at = std::lower_bound(font.kerns.begin(), font.kerns.end(), FNT_Kern{uint16_t(first), uint16_t(second), 0},
                                     [](const FNT_Kern& a, const FNT_Kern& b) {
                                         return a.first != b.first ? a.first < b.first : a.second < b.second;
                                     });
    return at != font.kerns.end() && at->first == first && at->second == second ? at->adjust : 0;
}

void DrawGlyph(void* frame, const FFX_Font& font, const FNT_Glyph& glyph, int32_t x, int32_t y,
               uint32_t colour) {
    const int32_t left = std::max(0, -x), top = std::max(0, -y);
    const int32_t right = std::min<int32_t>(glyph.width, width - x);
    const int32_t bottom = std::min<int32_t>(glyph.height, height - y);
    const uint32_t opacity = colour >> 24;
    for (int32_t row = top; row < bottom; ++row) {
        const uint8_t* coverage = &font.coverage[glyph.offset + static_cast<size_t>(row) * glyph.width];
        const size_t at = static_cast<size_t>(y + row) * width + x;
        for (int32_t column = left; column < right; ++column) {
            const uint32_t c = coverage[column];
            if (depth == 8) {
                if (c >= 128) static_cast<uint8_t*>(frame)[at + column] = static_cast<uint8_t>(colour);
                continue;
            }
            const uint32_t a = BLD_Scale(c, opacity);
            uint32_t& pixel = static_cast<uint32_t*>(frame)[at + column];
            if (a == 255)
                pixel = colour & 0xFFFFFFu;
            else if (a != 0)
                pixel = BLD_Over(colour, pixel, a);
        }
    }
}

// Walks the text: the pen's x after it, each glyph drawn where `frame` is
// given.
int32_t Walk(void* frame, const FFX_Font* font, int32_t x, int32_t y, const char* utf8,
             uint32_t colour) {
    if (!font || !utf8 || font->glyphs.empty()) return x;
    const auto* text = reinterpret_cast<const unsigned char*>(utf8);
    uint32_t previous = 0;
    const int32_t baseline = y + font->ascent;
    while (*text) {
        const uint32_t code = NextCodePoint(text);
        const uint32_t slot = FNT_Slot(code);
        x += Kerning(*font, previous, code);
        const FNT_Glyph& glyph = font->glyphs[slot];
        if (frame) DrawGlyph(frame, *font, glyph, x + glyph.left, baseline - glyph.top, colour);
        x += glyph.advance;
        previous = slot != 0 ? code : 0;
    }
    return x;
}

} // namespace

int32_t FFX_DrawText(void* frame, const FFX_Font* font, int32_t x, int32_t y, const char* utf8,
                     uint32_t colour) {
    return Walk(frame, font, x, y, utf8, colour);
}

int32_t FFX_TextWidth(const FFX_Font* font, const char* utf8) {
    return Walk(nullptr, font, 0, 0, utf8, 0);
}
