// draw_image.cpp -- pictures drawn into the frame: clipped, blended with
// their alpha at depth 32 (blend.h), indices copied at depth 8.
#include <algorithm>

#include "common/blend.h"
#include "ffxdemo.h"

namespace {

// One row at depth 32. Wholly transparent and wholly opaque pixels come out
// of the same formula as the rest; they only skip its arithmetic.
void BlendRow(uint32_t* out, const uint32_t* in, int32_t count, uint32_t opacity) {
    for (int32_t i = 0; i < count; ++i) {
        const uint32_t s = in[i];
        const uint32_t a = opacity == 255 ? s >> 24 : BLD_Scale(s >> 24, opacity);
        if (a == 255)
            out[i] = s & 0xFFFFFFu;
        else if (a != 0)
            out[i] = BLD_Over(s, out[i], a);
    }
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
