// window.cpp -- the stand-in's windows as SDL windows: made hidden, shown,
// raised with the keyboard, found again from an event's window id.
#include "winapi/sdl2/standin.h"

#include <list>

namespace {

std::list<HWND__> windows; // a handle is an element's address

} // namespace

HWND CreateSdlWindow(const char* title, int x, int y, int width, int height, bool borderless) {
    // SDL would bring its video up again, on whatever driver it finds.
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (borderless) flags |= SDL_WINDOW_BORDERLESS;
    SDL_Window* sdl = SDL_CreateWindow(title, x, y, width, height, flags);
    if (!sdl) return nullptr;
    windows.push_back(HWND__{sdl});
    return &windows.back();
}

void DestroySdlWindow(HWND window) {
    ScreenClose(window->sdl);
    SDL_DestroyWindow(window->sdl);
    windows.remove_if([window](const HWND__& w) { return &w == window; });
}

void ShowSdlWindow(HWND window, bool shown) {
    if (shown)
        SDL_ShowWindow(window->sdl);
    else
        SDL_HideWindow(window->sdl);
}

void TitleSdlWindow(HWND window, const char* title) {
    SDL_SetWindowTitle(window->sdl, title);
}

void FocusSdlWindow(HWND window) {
    SDL_RaiseWindow(window->sdl);
    SDL_SetWindowInputFocus(window->sdl);
}

HWND WindowFromSdl(uint32_t windowId) {
    for (HWND__& w : windows)
        if (SDL_GetWindowID(w.sdl) == windowId) return &w;
    return nullptr;
}
