// switcher.cpp -- ffxswitch.exe SECONDS, the other program of the switching
// test: it takes the foreground from the demo with a window of its own, as a
// user's other program would, for SECONDS; then it brings the demo back as
// the user's Alt+Tab or a click on its taskbar button does, and ends.
// Exit status 0 done, 1 the demo's window was not found, 2 bad usage.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

LRESULT CALLBACK AwayProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_TIMER) DestroyWindow(window);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

void Away(HINSTANCE instance, double seconds) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = AwayProc;
    wc.hInstance = instance;
    wc.hbrBackground = (HBRUSH)GetStockObject(GRAY_BRUSH);
    wc.lpszClassName = "ffxswitch";
    RegisterClassA(&wc);
    HWND window = CreateWindowExA(0, "ffxswitch", "ffxswitch", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  40, 40, 320, 200, NULL, NULL, instance, NULL);
    SetForegroundWindow(window);
    SetTimer(window, 1, (UINT)(seconds * 1000), NULL);
    MSG msg;
    while (GetMessageA(&msg, NULL, 0, 0) > 0)
        DispatchMessageA(&msg);
}

int Back() {
    HWND demo = FindWindowA("cname", "cname");
    if (!demo) return 1;
    // What the taskbar does for a minimised program: restore, then activate.
    if (IsIconic(demo)) SendMessageA(demo, WM_SYSCOMMAND, SC_RESTORE, 0);
    SetForegroundWindow(demo);
    return 0;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const double seconds = std::atof(commandLine);
    if (seconds <= 0) return 2;
    for (int tries = 0; !FindWindowA("cname", "cname"); ++tries) {
        if (tries == 100) return 1;
        Sleep(100);
    }
    Away(instance, seconds);
    return Back();
}
