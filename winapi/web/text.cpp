// text.cpp -- the device contexts' text rasterised by the browser in its
// sans-serif font: the string's antialiased glyphs as coverage, for the
// shared half to blend.
#include "winapi/web/standin.h"

bool RasterizeWebText(const char* text, size_t length, Coverage* out) {
    int32_t size[2] = {0, 0};
    if (!ffx_web_text_size(text, length, size) || size[0] < 0 || size[1] < 0) return false;
    out->width = size[0];
    out->height = size[1];
    out->alpha.assign(size_t(size[0]) * size_t(size[1]), 0);
    return out->alpha.empty() ||
           ffx_web_text_coverage(text, length, out->alpha.data(), size[0], size[1]) != 0;
}
