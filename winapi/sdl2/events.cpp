// events.cpp -- SDL events as the stand-in's input: key presses and their
// repeats with virtual-key codes, focus, the window's close request, and the
// pointer over the window.
#include "winapi/sdl2/standin.h"

namespace {

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

void DeliverWindowEvent(const SDL_WindowEvent& event) {
    const HWND w = WindowFromSdl(event.windowID);
    switch (event.event) {
    case SDL_WINDOWEVENT_FOCUS_GAINED:
        FocusChanged(w, true);
        break;
    case SDL_WINDOWEVENT_FOCUS_LOST:
        FocusChanged(w, false);
        break;
    case SDL_WINDOWEVENT_CLOSE:
        CloseRequested(w);
        break;
    case SDL_WINDOWEVENT_ENTER:
        PointerOver(w);
        break;
    }
}

void Deliver(const SDL_Event& event) {
    switch (event.type) {
    case SDL_KEYDOWN:
        // A key without a window of ours is the focus window's: SDL takes
        // note of the focus only after a while (200 ms on X11).
        KeyPressed(WindowFromSdl(event.key.windowID), VirtualKey(event.key.keysym.sym),
                   uint8_t(event.key.keysym.scancode & 0xFF), event.key.repeat != 0,
                   (event.key.keysym.mod & KMOD_ALT) != 0);
        break;
    case SDL_WINDOWEVENT:
        DeliverWindowEvent(event.window);
        break;
    case SDL_MOUSEMOTION:
        PointerOver(WindowFromSdl(event.motion.windowID));
        break;
    }
}

} // namespace

void PumpSdlEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event))
        Deliver(event);
}

bool WaitSdlEvent() {
    SDL_Event event;
    if (!SDL_WaitEvent(&event)) return false;
    Deliver(event);
    return true;
}
