// ddbench.cpp -- ffxddbench.exe [SECONDS], the bare DirectDraw loop the
// Windows demo's frame rate is measured against: exclusive 640 x 480 x 32, a
// flip chain of one back buffer, and per frame one lock, one copy of a
// prepared frame row by row, an unlock and a flip, as fast as it can. Runs
// for SECONDS (default 5) or until Escape; the rate is read from Wine's fps
// channel, as the demo's is. Exit status 0, or 1 when the display cannot be
// set up.
#include <windows.h>
#include <ddraw.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr int kWidth = 640, kHeight = 480;
bool quit = false;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KEYDOWN && wParam == VK_ESCAPE) quit = true;
    if (message == WM_SETCURSOR) {
        SetCursor(NULL);
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND CreateScreenWindow(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = WindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = "ffxddbench";
    if (!RegisterClassA(&wc)) return NULL;
    HWND window = CreateWindowExA(0, "ffxddbench", "ffxddbench", WS_POPUP, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN),
                                  NULL, NULL, instance, NULL);
    if (window) {
        ShowWindow(window, SW_SHOW);
        SetFocus(window);
    }
    return window;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    const double seconds = *commandLine ? std::atof(commandLine) : 5.0;
    HWND window = CreateScreenWindow(instance);
    IDirectDraw7* device = NULL;
    IDirectDrawSurface7 *primary = NULL, *back = NULL;
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    DDSCAPS2 caps = {DDSCAPS_BACKBUFFER, 0, 0, 0};
    if (!window || DirectDrawCreateEx(NULL, (LPVOID*)&device, IID_IDirectDraw7, NULL) != DD_OK ||
        device->SetCooperativeLevel(window, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE) != DD_OK ||
        device->SetDisplayMode(kWidth, kHeight, 32, 0, 0) != DD_OK ||
        device->CreateSurface(&desc, &primary, NULL) != DD_OK ||
        primary->GetAttachedSurface(&caps, &back) != DD_OK)
        return 1;

    std::vector<uint32_t> frame(static_cast<size_t>(kWidth) * kHeight);
    for (size_t i = 0; i < frame.size(); ++i)
        frame[i] = static_cast<uint32_t>(i * 2654435761u) & 0xFFFFFF;

    const DWORD end = GetTickCount() + static_cast<DWORD>(seconds * 1000);
    while (!quit && static_cast<int32_t>(end - GetTickCount()) > 0) {
        MSG msg;
        while (PeekMessageA(&msg, NULL, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        DDSURFACEDESC2 lock = {};
        lock.dwSize = sizeof(lock);
        HRESULT result = back->Lock(NULL, &lock, 0, NULL);
        if (result == DD_OK) {
            uint8_t* row = static_cast<uint8_t*>(lock.lpSurface);
            for (int y = 0; y < kHeight; ++y, row += lock.lPitch)
                std::memcpy(row, &frame[static_cast<size_t>(y) * kWidth], kWidth * 4);
            back->Unlock(NULL);
            do {
                result = primary->Flip(NULL, 0);
            } while (result == DDERR_WASSTILLDRAWING);
        }
        if (result == DDERR_SURFACELOST) primary->Restore();
    }
    return 0;
}
