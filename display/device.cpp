// device.cpp -- the DirectDraw device in exclusive full-screen mode, its flip
// chain of a primary surface and one back buffer, taken again after a
// switch, and the back buffer's lock.
#include "display/display.h"

IDirectDraw7* ddDevice;
IDirectDrawSurface7* ddPrimary;
IDirectDrawSurface7* ddBack;

// 124 bytes on 32-bit Windows, 136 where pointers take 8 bytes.
static_assert(sizeof(DDSURFACEDESC2) == (sizeof(void*) == 4 ? 124 : 136),
              "surface description size");

// The screen as DDRAW_Init took it, to be taken again after a switch.
static int32_t screenWidth, screenHeight, screenDepth;
static HWND screenWindow;

// Takes the screen: device, cooperative level, mode, flip chain. Returns the
// message of the step that failed, or null.
static const char* TakeScreen(void) {
    if (DirectDrawCreateEx(NULL, (LPVOID*)&ddDevice, IID_IDirectDraw7, NULL) != DD_OK)
        return "Could not create Direct Draw Instance\n";
    if (ddDevice->SetCooperativeLevel(screenWindow, DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE |
                                                        DDSCL_ALLOWMODEX) != DD_OK)
        return "Could not take control of the screen\n";
    if (ddDevice->SetDisplayMode(screenWidth, screenHeight, screenDepth, 0, 0) != DD_OK)
        return "Video mode not found\n";

    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    desc.dwFlags = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    desc.dwBackBufferCount = 1;
    if (ddDevice->CreateSurface(&desc, &ddPrimary, NULL) != DD_OK)
        return "Could not create the primary surface\n";

    DDSCAPS2 caps = {DDSCAPS_BACKBUFFER, 0, 0, 0};
    if (ddPrimary->GetAttachedSurface(&caps, &ddBack) != DD_OK)
        return "Could not get the back surface\n";
    return NULL;
}

int DDRAW_Init(int32_t modeWidth, int32_t modeHeight, int32_t modeDepth, HWND window) {
    screenWidth = modeWidth;
    screenHeight = modeHeight;
    screenDepth = modeDepth;
    screenWindow = window;
    if (const char* failed = TakeScreen()) {
        MessageBoxA(window, failed, "Error", MB_OK);
        return 0;
    }
    fpsWindowStart = GetTickCount();
    frameCount = 0;
    return 1;
}

// Lets go of the flip chain and the device, whatever of them there is.
static void ReleaseScreen(void) {
    if (ddBack) ddBack->Release();
    if (ddPrimary) ddPrimary->Release();
    if (ddDevice) ddDevice->Release();
    ddBack = NULL;
    ddPrimary = NULL;
    ddDevice = NULL;
}

// Restoring the surfaces is not enough: Wine's GDI renderer keeps each
// restored buffer's device context over memory it has let go, and shows
// one buffer from that memory every other flip. A flip chain taken anew has
// no such buffer. Wine lets the surfaces restore while the window is still
// minimised, and makes its buffers anew when the window is shown again, so
// the screen is taken only once the window is back. Until then nothing
// changes; a screen that cannot be taken again leaves nothing, and the next
// frame tries again.
void DDRAW_Regain(void) {
    if (IsIconic(screenWindow)) return;
    if (ddPrimary && ddPrimary->Restore() != DD_OK) return;
    ReleaseScreen();
    if (TakeScreen()) ReleaseScreen();
}

// Without the wait flag: a lock that cannot be granted at once fails. Once
// the surfaces are lost (the user switched away from the exclusive screen)
// every lock fails until the screen is regained; the next lock goes to the
// new back buffer.
static HRESULT LockBack(DDSURFACEDESC2* desc) {
    *desc = {};
    desc->dwSize = sizeof(*desc);
    HRESULT result = ddBack ? ddBack->Lock(NULL, desc, 0, NULL) : DDERR_SURFACELOST;
    if (result == DDERR_SURFACELOST) DDRAW_Regain();
    return result;
}

int32_t DDRAW_GetPitch(void) {
    DDSURFACEDESC2 desc;
    if (LockBack(&desc) != DD_OK) return 0;
    DDRAW_Unlock();
    return desc.lPitch;
}

void* DDRAW_Lock(void) {
    DDSURFACEDESC2 desc;
    if (LockBack(&desc) != DD_OK) return NULL;
    return desc.lpSurface;
}

void DDRAW_Unlock(void) {
    ddBack->Unlock(NULL);
}
