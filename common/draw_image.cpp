// draw_image.cpp -- pictures drawn into the frame: clipped, blended with
// their alpha at depth 32 (blend.h), indices copied at depth 8.
#include <algorithm>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "common/blend.h"
#include "ffxdemo.h"

namespace {

// One row at depth 32, pixel by pixel. Wholly transparent and wholly opaque
// pixels come out of the same formula as the rest; they only skip its
// arithmetic.
void BlendPixels(uint32_t* out, const uint32_t* in, int32_t count, uint32_t opacity) {
    for (int32_t i = 0; i < count; ++i) {
        const uint32_t s = in[i];
        const uint32_t a = opacity == 255 ? s >> 24 : BLD_Scale(s >> 24, opacity);
        if (a == 255)
            out[i] = s & 0xFFFFFFu;
        else if (a != 0)
            out[i] = BLD_Over(s, out[i], a);
    }
}

#ifdef __SSE2__
// Two pixels' channels in 16-bit lanes: the same formula as BLD_Over, whose
// sums (at most 65152) and the division's (65407) fit 16 bits.
__m128i Over16(__m128i s, __m128i d, __m128i a) {
    const __m128i rest = _mm_sub_epi16(_mm_set1_epi16(255), a);
    __m128i x = _mm_add_epi16(_mm_add_epi16(_mm_mullo_epi16(s, a), _mm_mullo_epi16(d, rest)),
                              _mm_set1_epi16(127));
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8)), 8);
}

// Each pixel's alpha in all four of its lanes, scaled by the opacity.
__m128i Alpha16(__m128i pixels, __m128i opacity) {
    __m128i a = _mm_shufflehi_epi16(_mm_shufflelo_epi16(pixels, 0xFF), 0xFF);
    const __m128i x = _mm_add_epi16(_mm_mullo_epi16(a, opacity), _mm_set1_epi16(127));
    return _mm_srli_epi16(_mm_add_epi16(_mm_add_epi16(x, _mm_set1_epi16(1)), _mm_srli_epi16(x, 8)), 8);
}
#endif

// One row at depth 32: four pixels at a time where SSE2 is (natively and on
// Windows), the rest one by one; the same bytes either way.
void BlendRow(uint32_t* out, const uint32_t* in, int32_t count, uint32_t opacity) {
    int32_t i = 0;
#ifdef __SSE2__
    const __m128i zero = _mm_setzero_si128(), colour = _mm_set1_epi32(0xFFFFFF);
    const __m128i scale = _mm_set1_epi16(static_cast<short>(opacity));
    for (; i + 4 <= count; i += 4) {
        const __m128i s = _mm_loadu_si128(reinterpret_cast<const __m128i*>(in + i));
        const int clear = _mm_movemask_epi8(_mm_cmpeq_epi32(_mm_srli_epi32(s, 24), zero));
        if (clear == 0xFFFF) continue;
        __m128i* at = reinterpret_cast<__m128i*>(out + i);
        const __m128i d = _mm_loadu_si128(at);
        const __m128i low = _mm_unpacklo_epi8(s, zero), high = _mm_unpackhi_epi8(s, zero);
        const __m128i blended =
            _mm_packus_epi16(Over16(low, _mm_unpacklo_epi8(d, zero), Alpha16(low, scale)),
                             Over16(high, _mm_unpackhi_epi8(d, zero), Alpha16(high, scale)));
        _mm_storeu_si128(at, _mm_and_si128(blended, colour));
    }
#endif
    BlendPixels(out + i, in + i, count - i, opacity);
}

void CopyRow(uint8_t* out, const uint8_t* in, int32_t count, uint8_t transparent) {
    for (int32_t i = 0; i < count; ++i)
        if (in[i] != transparent) out[i] = in[i];
}

} // namespace

void FFX_DrawImagePart(void* frame, const FFX_Image* image, FFX_Rect part, int32_t x, int32_t y,
                       int32_t opacity) {
    if (!frame || !image || opacity <= 0) return;
    opacity = std::min(opacity, 255);
    // The part within the picture, then within the frame.
    const int32_t x0 = std::max(part.x, 0), y0 = std::max(part.y, 0);
    const int32_t x1 = std::min(part.x + part.width, image->width);
    const int32_t y1 = std::min(part.y + part.height, image->height);
    x += x0 - part.x;
    y += y0 - part.y;
    const int32_t left = std::max(x0, x0 - x), top = std::max(y0, y0 - y);
    const int32_t right = std::min(x1, x0 + (width - x)), bottom = std::min(y1, y0 + (height - y));
    if (left >= right || top >= bottom) return;
    const int32_t count = right - left;
    for (int32_t row = top; row < bottom; ++row) {
        const size_t at = static_cast<size_t>(y + row - y0) * width + (x + left - x0);
        const size_t from = static_cast<size_t>(row) * image->width + left;
        if (depth == 8) {
            if (image->indices && opacity >= 128)
                CopyRow(static_cast<uint8_t*>(frame) + at, image->indices + from, count,
                        static_cast<uint8_t>(image->transparent));
        } else if (image->pixels) {
            BlendRow(static_cast<uint32_t*>(frame) + at, image->pixels + from, count,
                     static_cast<uint32_t>(opacity));
        }
    }
}

void FFX_DrawImage(void* frame, const FFX_Image* image, int32_t x, int32_t y, int32_t opacity) {
    if (image) FFX_DrawImagePart(frame, image, FFX_Rect{0, 0, image->width, image->height}, x, y, opacity);
}
