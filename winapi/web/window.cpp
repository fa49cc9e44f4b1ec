// window.cpp -- the program's window is the page's canvas: made hidden, shown
// and hidden, given the keyboard; the pointer over it shown or hidden.
#include "winapi/web/standin.h"

namespace {

HWND__ canvasWindow;

} // namespace

HWND CreateWebWindow(const char*, int, int, int, int, bool) {
    if (canvasWindow.open) return nullptr; // the page has only the one canvas
    canvasWindow.open = true;
    ffx_web_watch_input();
    return &canvasWindow;
}

void DestroyWebWindow(HWND window) {
    ffx_web_show_canvas(0);
    window->open = false;
}

void ShowWebWindow(HWND, bool shown) {
    ffx_web_show_canvas(shown);
}

// The page keeps its own title.
void TitleWebWindow(HWND, const char*) {}

// The page's keys all go to the canvas already.
void FocusWebWindow(HWND) {}

void ShowWebPointer(bool shown) {
    ffx_web_show_pointer(shown);
}

HWND OpenWebWindow() {
    return canvasWindow.open ? &canvasWindow : nullptr;
}
