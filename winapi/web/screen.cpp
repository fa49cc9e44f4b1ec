// screen.cpp -- the screen behind the DirectDraw objects: the page's canvas,
// with the display's size as the desktop's.
#include "winapi/web/standin.h"

bool WebDisplayMode(HWND, DisplayMode* mode) {
    int32_t size[2] = {0, 0};
    if (!ffx_web_display_size(size)) return false;
    *mode = DisplayMode{size[0], size[1], 0}; // browsers do not tell the refresh rate
    return true;
}

bool WebOpenScreen(HWND, int32_t width, int32_t height) {
    return ffx_web_open_screen(width, height) != 0;
}

bool WebPresent(const void* pixels, int32_t pitch) {
    return ffx_web_present(pixels, pitch) != 0;
}
