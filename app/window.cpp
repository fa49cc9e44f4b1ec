// window.cpp -- the full-screen popup window and its message handling: the
// activity flag, Escape and the space bar, the hidden cursor, and the screen
// saver and monitor power-down refused.
#include "app/app.h"

int32_t showFps;
HWND mainWindow;

int WIN_Init(HINSTANCE hInstance, int nCmdShow) {
    WNDCLASSA wc = {};
    wc.style = CS_HREDRAW | CS_VREDRAW;
    wc.lpfnWndProc = WIN_WndProc;
    wc.hInstance = hInstance;
    // The program carries no icon resource, so this finds none.
    wc.hIcon = LoadIconA(hInstance, IDI_APPLICATION);
    wc.hCursor = LoadCursorA(NULL, IDC_ARROW);
    wc.lpszClassName = "cname";
    if (!RegisterClassA(&wc)) return 0;

    // Sized to the screen before the display mode changes; never resized.
    int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    mainWindow = CreateWindowExA(0, "cname", "cname", WS_POPUP, 0, 0, screenWidth, screenHeight,
                                 NULL, NULL, hInstance, NULL);
    if (mainWindow == NULL) return 0;
    ShowWindow(mainWindow, nCmdShow);
    UpdateWindow(mainWindow);
    SetFocus(mainWindow);
    return 1;
}

LRESULT CALLBACK WIN_WndProc(HWND hWnd, UINT uMsg, WPARAM wParam, LPARAM lParam) {
    switch (uMsg) {
    case WM_DESTROY:
        PostQuitMessage(0);
        break;
    case WM_ACTIVATEAPP:
        appActive = (int32_t)wParam;
        break;
    case WM_SETCURSOR:
        SetCursor(NULL);
        return 1;
    case WM_KEYDOWN:
        if (wParam == VK_ESCAPE)
            PostMessageA(hWnd, WM_CLOSE, 0, 0);
        else if (wParam == VK_SPACE)
            showFps = !showFps;
        break;
    case WM_SYSCOMMAND:
        // Whole values: a screen-saver command with any low bits set is passed on.
        if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return 0;
        break;
    }
    return DefWindowProcA(hWnd, uMsg, wParam, lParam);
}
