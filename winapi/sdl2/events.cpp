// events.cpp -- SDL events as window messages: key presses and their repeats
// become WM_KEYDOWN with virtual-key codes, focus WM_ACTIVATEAPP, the
// window's close request WM_CLOSE, and the pointer over the window
// WM_SETCURSOR.
#include "winapi/sdl2/standin.h"

namespace {

// HTCLIENT, and WM_MOUSEMOVE as the high word of WM_SETCURSOR's lParam.
constexpr LPARAM SETCURSOR_CLIENT_MOVE = 1 | (0x0200 << 16);

// The virtual-key code of a key, 0 for keys the program could not know.
WPARAM VirtualKey(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return WPARAM('A' + (key - SDLK_a));
    if (key >= SDLK_0 && key <= SDLK_9) return WPARAM(key); // '0' .. '9'
    if (key >= SDLK_F1 && key <= SDLK_F12) return WPARAM(0x70 + (key - SDLK_F1));
    switch (key) {
    case SDLK_BACKSPACE:
        return 0x08;
    case SDLK_TAB:
        return 0x09;
    case SDLK_RETURN:
        return 0x0D;
    case SDLK_LSHIFT:
    case SDLK_RSHIFT:
        return 0x10;
    case SDLK_LCTRL:
    case SDLK_RCTRL:
        return 0x11;
    case SDLK_PAUSE:
        return 0x13;
    case SDLK_ESCAPE:
        return VK_ESCAPE;
    case SDLK_SPACE:
        return VK_SPACE;
    case SDLK_PAGEUP:
        return 0x21;
    case SDLK_PAGEDOWN:
        return 0x22;
    case SDLK_END:
        return 0x23;
    case SDLK_HOME:
        return 0x24;
    case SDLK_LEFT:
        return 0x25;
    case SDLK_UP:
        return 0x26;
    case SDLK_RIGHT:
        return 0x27;
    case SDLK_DOWN:
        return 0x28;
    case SDLK_INSERT:
        return 0x2D;
    case SDLK_DELETE:
        return 0x2E;
    }
    return 0;
}

void DeliverKey(const SDL_KeyboardEvent& key) {
    HWND__* w = KeyboardWindow(key.windowID);
    const WPARAM vk = VirtualKey(key.keysym.sym);
    if (!w || !vk) return;
    // Repeat count 1, the scan code, and bit 30 set for an auto-repeat.
    const LPARAM lParam =
        1 | LPARAM(key.keysym.scancode & 0xFF) << 16 | LPARAM(key.repeat ? 1 : 0) << 30;
    PostToQueue(w, WM_KEYDOWN, vk, lParam);
}

void DeliverWindowEvent(const SDL_WindowEvent& event) {
    HWND__* w = WindowFromSdl(event.windowID);
    if (!w) return;
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        SendToWindow(w, WM_ACTIVATEAPP, 1, 0);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        SendToWindow(w, WM_ACTIVATEAPP, 0, 0);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        PostToQueue(w, WM_CLOSE, 0, 0);
        break;
    case SDL_WINDOWEVENT_ENTER:
        SendToWindow(w, WM_SETCURSOR, WPARAM(w), SETCURSOR_CLIENT_MOVE);
        break;
    }
}

} // namespace

void DeliverSdlEvent(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
        DeliverKey(event.key);
        break;
    case SDL_WINDOWEVENT:
        DeliverWindowEvent(event.window);
        break;
    case SDL_MOUSEMOTION:
        if (HWND__* w = WindowFromSdl(event.motion.windowID))
            SendToWindow(w, WM_SETCURSOR, WPARAM(w), SETCURSOR_CLIENT_MOVE);
        break;
    }
}
