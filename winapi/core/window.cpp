// window.cpp -- window classes and windows: RegisterClassA, CreateWindowExA
// (the backend's window, borderless for WS_POPUP), ShowWindow, UpdateWindow,
// SetFocus, SetWindowTextA, GetSystemMetrics, and DefWindowProcA with the default handling
// the program relies on: WM_CLOSE destroys the window, and Alt+F4 closes it
// (WM_SYSKEYDOWN, then WM_SYSCOMMAND SC_CLOSE, then WM_CLOSE).
#include "winapi/core/standin.h"

#include <list>
#include <map>
#include <string>

namespace {

// A live window: the backend's handle and what its class gave it.
struct Window {
    HWND handle;
    WNDPROC proc;
    HCURSOR classCursor;
    bool visible;
};

std::map<std::string, WNDCLASSA> classes;
std::list<Window> windows;
HWND focusWindow;

// Class atoms are handed out from 0xC000 up, as for registered classes.
constexpr ATOM FIRST_ATOM = 0xC000;

Window* Find(HWND hWnd) {
    for (Window& w : windows)
        if (hWnd && w.handle == hWnd) return &w;
    return nullptr;
}

} // namespace

HWND LiveWindow(HWND hWnd) {
    return Find(hWnd) ? hWnd : nullptr;
}

HWND FocusedWindow() {
    return focusWindow;
}

LRESULT SendToWindow(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hWnd);
    return w ? w->proc(hWnd, msg, wParam, lParam) : 0;
}

void DestroyStandInWindow(HWND hWnd) {
    if (!Find(hWnd)) return;
    SendToWindow(hWnd, WM_DESTROY, 0, 0);
    if (focusWindow == hWnd) focusWindow = nullptr;
    windows.remove_if([hWnd](const Window& w) { return w.handle == hWnd; });
    backend.destroyWindow(hWnd);
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* lpWndClass) {
    if (!lpWndClass || !lpWndClass->lpfnWndProc || !lpWndClass->lpszClassName) return 0;
    if (!classes.emplace(lpWndClass->lpszClassName, *lpWndClass).second)
        return 0; // already registered
    return ATOM(FIRST_ATOM + classes.size() - 1);
}

int WINAPI GetSystemMetrics(int nIndex) {
    DisplayMode desktop{};
    if (!backend.desktopMode(nullptr, &desktop)) return 0;
    switch (nIndex) {
    case SM_CXSCREEN:
        return desktop.width;
    case SM_CYSCREEN:
        return desktop.height;
    }
    return 0;
}

HWND WINAPI CreateWindowExA(DWORD, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle, int X,
                            int Y, int nWidth, int nHeight, HWND, HMENU, HINSTANCE, LPVOID) {
    const auto found = lpClassName ? classes.find(lpClassName) : classes.end();
    if (found == classes.end()) return nullptr;
    const HWND handle = backend.createWindow(lpWindowName ? lpWindowName : "", X, Y, nWidth,
                                             nHeight, (dwStyle & WS_POPUP) != 0);
    if (!handle) return nullptr;
    windows.push_back(Window{handle, found->second.lpfnWndProc, found->second.hCursor, false});
    return handle;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    Window* w = Find(hWnd);
    if (!w) return FALSE;
    const BOOL wasVisible = w->visible;
    w->visible = nCmdShow != 0; // SW_HIDE
    backend.showWindow(hWnd, w->visible);
    return wasVisible;
}

// The stand-in's full-screen window is never minimised away from its
// screen: its surfaces are lost only with the window.
BOOL WINAPI IsIconic(HWND) {
    return FALSE;
}

BOOL WINAPI SetWindowTextA(HWND hWnd, LPCSTR lpString) {
    if (!Find(hWnd) || !lpString) return FALSE;
    backend.titleWindow(hWnd, lpString);
    return TRUE;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    // Nothing is painted through the window: the display presents frames.
    return Find(hWnd) != nullptr;
}

HWND WINAPI SetFocus(HWND hWnd) {
    if (!Find(hWnd)) return nullptr;
    const HWND previous = focusWindow;
    backend.focusWindow(hWnd);
    focusWindow = hWnd;
    return previous;
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    Window* w = Find(hWnd);
    if (!w) return 0;
    switch (Msg) {
    case WM_SYSKEYDOWN: // Alt+F4 asks the window to close
        if (wParam == VK_F4 && (lParam & (LPARAM(1) << 29)))
            SendToWindow(hWnd, WM_SYSCOMMAND, SC_CLOSE, 0);
        break;
    case WM_SYSCOMMAND:
        if ((wParam & 0xFFF0) == SC_CLOSE) SendToWindow(hWnd, WM_CLOSE, 0, 0);
        break;
    case WM_CLOSE:
        DestroyStandInWindow(hWnd);
        break;
    case WM_SETCURSOR:
        SetCursor(w->classCursor);
        break;
    }
    return 0;
}
