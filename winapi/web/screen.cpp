// screen.cpp -- the screen behind the DirectDraw objects: the page's canvas,
// with the display's size as the desktop's. Each picture is turned into the
// canvas's byte order in the module's memory, where the canvas reads it.
#include "winapi/web/standin.h"

#include <vector>

namespace {

std::vector<uint32_t> picture; // opaque R, G, B, A bytes, rows packed
int32_t pictureWidth, pictureHeight;

} // namespace

bool WebDisplayMode(HWND, DisplayMode* mode) {
    int32_t size[2] = {0, 0};
    if (!ffx_web_display_size(size)) return false;
    *mode = DisplayMode{size[0], size[1], 0}; // browsers do not tell the refresh rate
    return true;
}

bool WebOpenScreen(HWND, int32_t width, int32_t height) {
    picture.assign(size_t(width) * size_t(height), 0xFF000000u);
    if (!ffx_web_open_screen(picture.data(), width, height)) {
        picture.clear();
        return false;
    }
    pictureWidth = width;
    pictureHeight = height;
    return true;
}

bool WebPresent(const void* pixels, int32_t pitch) {
    if (picture.empty()) return false;
    // 0x00RRGGBB words in, 0xAABBGGRR out.
    for (int32_t y = 0; y < pictureHeight; ++y) {
        const auto* row = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(pixels) +
                                                            size_t(y) * size_t(pitch));
        uint32_t* out = picture.data() + size_t(y) * size_t(pictureWidth);
        for (int32_t x = 0; x < pictureWidth; ++x) {
            const uint32_t p = row[x];
            out[x] = 0xFF000000u | (p & 0xFF) << 16 | (p & 0xFF00) | (p >> 16 & 0xFF);
        }
    }
    return ffx_web_present() != 0;
}
