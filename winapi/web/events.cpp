// events.cpp -- the page's input, queued by input.js, as the stand-in's:
// key presses and their repeats (already virtual-key codes), the page
// becoming active or inactive, and the pointer over the canvas.
#include "winapi/web/standin.h"

namespace {

void Deliver(const int32_t (&event)[3]) {
    const HWND window = OpenWebWindow();
    switch (event[0]) {
    case WEB_KEY:
        KeyPressed(window, WPARAM(event[1]), 0, event[2] != 0);
        break;
    case WEB_ACTIVE:
        FocusChanged(window, event[1] != 0);
        break;
    case WEB_POINTER:
        PointerOver(window);
        break;
    }
}

} // namespace

void PumpWebEvents() {
    int32_t event[3];
    while (ffx_web_next_event(event))
        Deliver(event);
}

bool WaitWebEvent() {
    ffx_web_wait_event();
    PumpWebEvents();
    return true;
}
