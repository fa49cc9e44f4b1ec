// main.cpp -- the program's entry: start-up in a fixed order, then one loop
// that handles window messages and renders frames.
#include "app/app.h"

#include <cstring>
#include <new>

#include "app/clock.h"
#include "common/elapsed.h"
#include "display/display.h"

uint8_t* frameBuffer;
uint8_t* shadowBuffer;
int32_t appActive;

static int StartupFailed(LPCSTR operation) {
    MessageBoxA(NULL, operation, "ERROR", MB_ICONWARNING);
    return 0;
}

// At depth 8 the frame holds palette indices, converted each frame into the
// 32-bit shadow buffer. Returns 0 when an allocation fails.
static int AllocateBuffers(void) {
    if (depth == 8) {
        DDRAW_SetPalette(NULL);
        shadowBuffer = new (std::nothrow) uint8_t[width * height * 4];
        frameBuffer = new (std::nothrow) uint8_t[width * height];
        if (shadowBuffer == NULL || frameBuffer == NULL) return 0;
        memset(frameBuffer, 0, width * height);
        return 1;
    }
    frameBuffer = new (std::nothrow) uint8_t[(width * height * depth) >> 3];
    return frameBuffer != NULL;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int nCmdShow) {
    if (!WIN_Init(hInstance, nCmdShow)) return StartupFailed("WIN_Init");
    if (!AllocateBuffers()) return 0;
    int32_t displayDepth = depth == 8 ? 32 : depth;
    if (!DDRAW_Init(width, height, displayDepth, mainWindow)) return StartupFailed("DDRAW_Init");
    if (!FFX_Init(frameBuffer)) return StartupFailed("FFX_Init");
    CLK_Start();

    MSG msg;
    bool quit = false, musicOver = false;
    while (!quit) {
        if (PeekMessageA(&msg, NULL, 0, 0, PM_NOREMOVE)) {
            // -1 (an error) is dispatched like any message and does not end the loop.
            if (GetMessageA(&msg, NULL, 0, 0) == 0) quit = true;
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else if (appActive && !musicOver) {
            uint32_t elapsedMs;
            if (CLK_Elapsed(&elapsedMs)) {
                FFX_Render(frameBuffer, COM_MsToSeconds(elapsedMs));
                DDRAW_Blit();
                DDRAW_Flip();
            } else {
                // The music has ended: the demo ends as with Escape.
                musicOver = true;
                PostMessageA(mainWindow, WM_CLOSE, 0, 0);
            }
        } else {
            CLK_Pause();
            WaitMessage();
        }
    }
    FFX_Shutdown();
    return (int)msg.wParam;
}
