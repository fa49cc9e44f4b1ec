// window.cpp -- window classes and windows: RegisterClassA, CreateWindowExA
// (an SDL window, borderless for WS_POPUP), ShowWindow, UpdateWindow,
// SetFocus, GetSystemMetrics, and DefWindowProcA with the default handling
// the program relies on: WM_CLOSE destroys the window.
#include "winapi/sdl2/standin.h"

#include <list>
#include <map>
#include <string>

namespace {

std::map<std::string, WNDCLASSA> classes;
std::list<HWND__> windows; // the live ones; a handle is an element's address
HWND focusWindow;

// Class atoms are handed out from 0xC000 up, as for registered classes.
constexpr ATOM FIRST_ATOM = 0xC000;

} // namespace

HWND__* LiveWindow(HWND hWnd) {
    for (HWND__& w : windows)
        if (&w == hWnd) return hWnd;
    return nullptr;
}

HWND__* WindowFromSdl(uint32_t windowId) {
    for (HWND__& w : windows)
        if (SDL_GetWindowID(w.sdl) == windowId) return &w;
    return nullptr;
}

HWND__* KeyboardWindow(uint32_t windowId) {
    HWND__* w = WindowFromSdl(windowId);
    return w ? w : LiveWindow(focusWindow);
}

LRESULT SendToWindow(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    HWND__* w = LiveWindow(hWnd);
    return w ? w->proc(hWnd, msg, wParam, lParam) : 0;
}

void DestroyStandInWindow(HWND hWnd) {
    if (!LiveWindow(hWnd)) return;
    SendToWindow(hWnd, WM_DESTROY, 0, 0);
    if (focusWindow == hWnd) focusWindow = nullptr;
    ScreenClose(hWnd->sdl);
    SDL_DestroyWindow(hWnd->sdl);
    windows.remove_if([hWnd](const HWND__& w) { return &w == hWnd; });
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (!lpWndClass || !lpWndClass->lpfnWndProc || !lpWndClass->lpszClassName) return 0;
    if (!classes.emplace(lpWndClass->lpszClassName, *lpWndClass).second)
        return 0; // already registered
    return ATOM(FIRST_ATOM + classes.size() - 1);
}

int WINAPI GetSystemMetrics(int nIndex) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return 0;
    const SDL_DisplayMode desktop = DesktopMode(nullptr);
    switch (nIndex) {
    case SM_CXSCREEN:
        return desktop.w;
    case SM_CYSCREEN:
        return desktop.h;
    }
    return 0;
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                            int Y, int nWidth, int nHeight, HWND, HMENU, HINSTANCE, LPVOID) {
    const auto found = lpClassName ? classes.find(lpClassName) : classes.end();
    // SDL would bring its video up again, on whatever driver it finds.
    if (found == classes.end() || !SDL_WasInit(SDL_INIT_VIDEO)) return nullptr;
    Uint32 flags = SDL_WINDOW_HIDDEN;
    if (dwStyle & WS_POPUP) flags |= SDL_WINDOW_BORDERLESS;
    SDL_Window* sdl =
        SDL_CreateWindow(lpWindowName ? lpWindowName : "", X, Y, nWidth, nHeight, flags);
    if (!sdl) return nullptr;
    windows.push_back(HWND__{sdl, found->second.lpfnWndProc, found->second.hCursor});
    return &windows.back();
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    HWND__* w = LiveWindow(hWnd);
    if (!w) return FALSE;
    const BOOL wasVisible = (SDL_GetWindowFlags(w->sdl) & SDL_WINDOW_SHOWN) != 0;
    if (nCmdShow == 0) // SW_HIDE
        SDL_HideWindow(w->sdl);
    else
        SDL_ShowWindow(w->sdl);
    return wasVisible;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    // Nothing is painted through the window: the display presents frames.
    return LiveWindow(hWnd) != nullptr;
}

HWND WINAPI SetFocus(HWND hWnd) {
    HWND__* w = LiveWindow(hWnd);
    if (!w) return nullptr;
    const HWND previous = focusWindow;
    SDL_RaiseWindow(w->sdl);
    SDL_SetWindowInputFocus(w->sdl);
    focusWindow = hWnd;
    return previous;
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM, LPARAM) {
    HWND__* w = LiveWindow(hWnd);
    if (!w) return 0;
    switch (Msg) {
    case WM_CLOSE:
        DestroyStandInWindow(hWnd);
        break;
    case WM_SETCURSOR:
        SetCursor(w->classCursor);
        break;
    }
    return 0;
}
