// text.cpp -- GDI text on a surface's device context: SetBkMode,
// SetTextColor and TextOutA, which blends the ink onto the pixels by the
// coverage the backend's font gives each of them.
#include "winapi/core/standin.h"

#include <algorithm>

namespace {

constexpr COLORREF CLR_INVALID_VALUE = 0xFFFFFFFF;
constexpr uint32_t BACKGROUND = 0xFFFFFF; // GDI's default background: white

// c = (ink * a + c * (255 - a)) / 255, per channel, rounded.
uint32_t Blend(uint32_t pixel, uint32_t ink, uint32_t alpha) {
    uint32_t out = pixel & 0xFF000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const uint32_t c = (pixel >> shift) & 0xFF;
        const uint32_t i = (ink >> shift) & 0xFF;
        out |= ((i * alpha + c * (255 - alpha) + 127) / 255) << shift;
    }
    return out;
}

} // namespace

int WINAPI SetBkMode(HDC hdc, int mode) {
    if (!hdc) return 0;
    const int previous = hdc->bkMode;
    hdc->bkMode = mode;
    return previous;
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    if (!hdc) return CLR_INVALID_VALUE;
    const COLORREF previous = hdc->textColor;
    hdc->textColor = color;
    return previous;
}

// The text's top-left corner at (x, y); the string is taken as Latin-1, the
// nearest to the ANSI code page. Antialiased ink over the pixels, on a white
// box unless the background mode is TRANSPARENT.
BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    if (!hdc || !lpString || c < 0) return FALSE;
    if (c == 0) return TRUE;
    Coverage glyphs;
    if (!backend.rasterizeText(lpString, size_t(c), &glyphs) || glyphs.width < 0 ||
        glyphs.height < 0 || glyphs.alpha.size() != size_t(glyphs.width) * size_t(glyphs.height))
        return FALSE;

    const COLORREF cr = hdc->textColor;
    const uint32_t ink = (cr & 0xFF) << 16 | (cr & 0xFF00) | (cr >> 16 & 0xFF);
    // In 64 bits: a position near the int range's ends must clip, not wrap.
    const int64_t left = std::max<int64_t>(x, 0);
    const int64_t right = std::min<int64_t>(int64_t(x) + glyphs.width, hdc->width);
    const int64_t top = std::max<int64_t>(y, 0);
    const int64_t bottom = std::min<int64_t>(int64_t(y) + glyphs.height, hdc->height);
    for (int64_t py = top; py < bottom; ++py) {
        auto* row = reinterpret_cast<uint32_t*>(hdc->pixels + size_t(py) * size_t(hdc->pitch));
        const uint8_t* coverage = glyphs.alpha.data() + size_t(py - y) * size_t(glyphs.width);
        for (int64_t px = left; px < right; ++px) {
            if (hdc->bkMode != TRANSPARENT) row[px] = (row[px] & 0xFF000000) | BACKGROUND;
            row[px] = Blend(row[px], ink, coverage[px - x]);
        }
    }
    return TRUE;
}
