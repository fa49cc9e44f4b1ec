// input.cpp -- the platform's input as Windows delivers it: key presses are
// posted as WM_KEYDOWN, focus changes sent as WM_ACTIVATEAPP, close requests
// posted as WM_CLOSE, and the pointer over a window sent as WM_SETCURSOR.
#include "winapi/core/standin.h"

namespace {

// HTCLIENT, and WM_MOUSEMOVE as the high word of WM_SETCURSOR's lParam.
constexpr LPARAM SETCURSOR_CLIENT_MOVE = 1 | (0x0200 << 16);

} // namespace

void KeyPressed(HWND window, WPARAM virtualKey, uint8_t scanCode, bool repeat, bool alt) {
    const HWND w = window ? LiveWindow(window) : FocusedWindow();
    if (!w || !virtualKey) return;
    // Repeat count 1, the scan code, bit 29 set with Alt held (a system
    // key, as Windows sends it) and bit 30 for an auto-repeat.
    PostToQueue(w, alt ? WM_SYSKEYDOWN : WM_KEYDOWN, virtualKey,
                1 | LPARAM(scanCode) << 16 | LPARAM(alt) << 29 | LPARAM(repeat) << 30);
}

void FocusChanged(HWND window, bool gained) {
    SendToWindow(window, WM_ACTIVATEAPP, gained, 0);
}

void CloseRequested(HWND window) {
    if (LiveWindow(window)) PostToQueue(window, WM_CLOSE, 0, 0);
}

void PointerOver(HWND window) {
    SendToWindow(window, WM_SETCURSOR, WPARAM(window), SETCURSOR_CLIENT_MOVE);
}
