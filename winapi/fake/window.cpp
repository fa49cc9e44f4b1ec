// window.cpp -- the fake's window class and window, message boxes, cursor,
// and the default window procedure.
#include "winapi/fake/internal.h"

struct HWND__ {};
struct HICON__ {};
struct HCURSOR__ {};

namespace fake {

namespace {

WNDCLASSA windowClass; // the one registered class
HWND__ theWindow;
bool windowExists;
HICON__ stockIcon;
HCURSOR__ arrow;

} // namespace

namespace detail {

HWND window() {
    return windowExists ? &theWindow : nullptr;
}

LRESULT call(UINT msg, WPARAM wParam, LPARAM lParam) {
    return windowClass.lpfnWndProc(&theWindow, msg, wParam, lParam);
}

LRESULT send(UINT msg, WPARAM wParam, LPARAM lParam) {
    record("sent " + message(msg) + "(" + std::to_string(wParam) + ", " + std::to_string(lParam) +
           ")");
    return call(msg, wParam, lParam);
}

} // namespace detail
} // namespace fake

using namespace fake;
using namespace fake::detail;

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    enter("LoadIconA", name(hInstance) + ", " + name(lpIconName));
    // The system has the stock icon; the program's module carries none.
    if (hInstance != NULL) return NULL;
    nameHandle(&stockIcon, "icon");
    return &stockIcon;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    enter("LoadCursorA", name(hInstance) + ", " + name(lpCursorName));
    if (hInstance != NULL) return NULL;
    nameHandle(&arrow, "arrow");
    return &arrow;
}

ATOM WINAPI RegisterClassA(const WNDCLASSA* wc) {
    std::string args = "style=" + hex(wc->style) + ", proc=" + (wc->lpfnWndProc ? "set" : "NULL") +
                       ", extra=" + std::to_string(wc->cbClsExtra) + "/" +
                       std::to_string(wc->cbWndExtra) + ", " + name(wc->hInstance) + ", " +
                       name(wc->hIcon) + ", " + name(wc->hCursor) + ", " + name(wc->hbrBackground) +
                       ", " + quote(wc->lpszMenuName) + ", " + quote(wc->lpszClassName);
    if (enter("RegisterClassA", args)) return 0;
    windowClass = *wc;
    return 1;
}

int WINAPI GetSystemMetrics(int nIndex) {
    enter("GetSystemMetrics", std::to_string(nIndex));
    return nIndex == SM_CXSCREEN   ? setup().screenWidth
           : nIndex == SM_CYSCREEN ? setup().screenHeight
                                   : 0;
}

HWND WINAPI CreateWindowExA(DWORD dwExStyle, LPCSTR lpClassName, LPCSTR lpWindowName, DWORD dwStyle,
                            int X, int Y, int nWidth, int nHeight, HWND hWndParent, HMENU hMenu,
                            HINSTANCE hInstance, LPVOID lpParam) {
    std::string args = hex(dwExStyle) + ", " + quote(lpClassName) + ", " + quote(lpWindowName) +
                       ", " + hex(dwStyle) + ", " + std::to_string(X) + ", " + std::to_string(Y) +
                       ", " + std::to_string(nWidth) + ", " + std::to_string(nHeight) + ", " +
                       name(hWndParent) + ", " + name(hMenu) + ", " + name(hInstance) + ", " +
                       name(lpParam);
    if (enter("CreateWindowExA", args) || windowClass.lpszClassName == nullptr ||
        std::string(lpClassName) != windowClass.lpszClassName)
        return NULL;
    windowExists = true;
    nameHandle(&theWindow, "hwnd");
    return &theWindow;
}

BOOL WINAPI ShowWindow(HWND hWnd, int nCmdShow) {
    enter("ShowWindow", name(hWnd) + ", " + std::to_string(nCmdShow));
    // Showing the new window makes the application the active one.
    if (setup().activateOnShow) send(WM_ACTIVATEAPP, 1, 0);
    return 0; // it was hidden before
}

namespace {
bool minimised;
}

void fake::minimise(bool on) {
    minimised = on;
}

BOOL WINAPI IsIconic(HWND hWnd) {
    enter("IsIconic", name(hWnd));
    return minimised;
}

BOOL WINAPI UpdateWindow(HWND hWnd) {
    enter("UpdateWindow", name(hWnd));
    return 1;
}

HWND WINAPI SetFocus(HWND hWnd) {
    enter("SetFocus", name(hWnd));
    return NULL;
}

int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    enter("MessageBoxA",
          name(hWnd) + ", " + quote(lpText) + ", " + quote(lpCaption) + ", " + hex(uType));
    return 1; // IDOK
}

HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    enter("SetCursor", name(hCursor));
    return NULL;
}

LRESULT WINAPI DefWindowProcA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    enter("DefWindowProcA", name(hWnd) + ", " + message(Msg) + ", " + hex((uint32_t)wParam) + ", " +
                                std::to_string(lParam));
    if (Msg == WM_CLOSE && windowExists) {
        // DestroyWindow: WM_DESTROY arrives before the window is gone.
        send(WM_DESTROY, 0, 0);
        windowExists = false;
    }
    return 0;
}
