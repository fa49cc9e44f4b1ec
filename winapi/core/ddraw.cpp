// ddraw.cpp -- the DirectDraw device: DirectDrawCreateEx, and on the device
// SetCooperativeLevel, SetDisplayMode, CreateSurface and Release. One device, the
// default display; one flip chain of a primary surface and one back buffer.
#include "winapi/core/standin.h"

#include <cstring>
#include <deque>

namespace {

constexpr DWORD DDSCL_NORMAL_FLAG = 0x00000008;

// Back-buffer rows are padded the way display memory often is, so a
// transfer that ignores the pitch shows at once.
int32_t PitchFor(int32_t width) {
    return (width * 4 + 64 + 63) / 64 * 64;
}

// The objects handed out stay until the process ends (Release empties
// them); deques keep their addresses fixed.
std::deque<DirectDrawImpl> devices;
std::deque<IDirectDraw7> deviceFaces;
std::deque<SurfaceImpl> surfaces;
std::deque<IDirectDrawSurface7> surfaceFaces;

IDirectDrawSurface7* NewSurface() {
    surfaces.emplace_back();
    surfaceFaces.push_back(IDirectDrawSurface7{&surfaces.back()});
    return &surfaceFaces.back();
}

} // namespace

HRESULT WINAPI DirectDrawCreateEx(GUID* lpGuid, LPVOID* lplpDD, REFIID iid, IUnknown* pUnkOuter) {
    if (!lplpDD) return DDERR_INVALIDPARAMS;
    *lplpDD = nullptr;
    if (pUnkOuter) return CLASS_E_NOAGGREGATION;
    if (lpGuid) return DDERR_INVALIDDIRECTDRAWGUID; // only the default display
    if (std::memcmp(&iid, &IID_IDirectDraw7, sizeof(IID)) != 0) return E_NOINTERFACE;
    DisplayMode desktop{};
    if (!backend.desktopMode(nullptr, &desktop)) return DDERR_GENERIC; // no display at all
    devices.emplace_back();
    deviceFaces.push_back(IDirectDraw7{&devices.back()});
    *lplpDD = &deviceFaces.back();
    return DD_OK;
}

// The screen stays open in its window for the next device to take.
ULONG WINAPI IDirectDraw7::Release(void) {
    *impl = DirectDrawImpl{};
    return 0;
}

HRESULT WINAPI IDirectDraw7::SetCooperativeLevel(HWND hWnd, DWORD dwFlags) {
    const DWORD fullscreen = DDSCL_FULLSCREEN | DDSCL_EXCLUSIVE;
    const bool exclusive = (dwFlags & fullscreen) == fullscreen;
    if (!exclusive && (dwFlags & fullscreen))
        return DDERR_INVALIDPARAMS; // one of the pair without the other
    if (!exclusive && !(dwFlags & DDSCL_NORMAL_FLAG)) return DDERR_INVALIDPARAMS;
    if (exclusive && !LiveWindow(hWnd)) return DDERR_INVALIDPARAMS;
    impl->window = hWnd;
    impl->level = dwFlags;
    return DD_OK;
}

// The mode is shown in a full-screen window at the desktop's resolution, so
// a mode larger than the desktop, or of another depth than 32, is refused as
// a display that cannot show it refuses it.
HRESULT WINAPI IDirectDraw7::SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP,
                                            DWORD dwRefreshRate, DWORD) {
    const HWND w = LiveWindow(impl->window);
    if (!w || !(impl->level & DDSCL_EXCLUSIVE)) return DDERR_NOEXCLUSIVEMODE;
    DisplayMode desktop{};
    if (!backend.desktopMode(w, &desktop) || dwBPP != 32 ||
        (dwRefreshRate != 0 && int64_t(dwRefreshRate) != desktop.refreshRate))
        return DDERR_INVALIDMODE;
    if (dwWidth == 0 || dwHeight == 0 || int64_t(dwWidth) > desktop.width ||
        int64_t(dwHeight) > desktop.height ||
        !backend.openScreen(w, int32_t(dwWidth), int32_t(dwHeight)))
        return DDERR_INVALIDMODE;
    impl->modeWidth = int32_t(dwWidth);
    impl->modeHeight = int32_t(dwHeight);
    return DD_OK;
}

// Only the flip chain exists: a primary surface with one back buffer, both
// of the mode's size, after SetDisplayMode.
HRESULT WINAPI IDirectDraw7::CreateSurface(LPDDSURFACEDESC2 lpDDSurfaceDesc,
                                           LPDIRECTDRAWSURFACE7* lplpDDSurface,
                                           IUnknown* pUnkOuter) {
    if (!lpDDSurfaceDesc || !lplpDDSurface || lpDDSurfaceDesc->dwSize != sizeof(DDSURFACEDESC2))
        return DDERR_INVALIDPARAMS;
    *lplpDDSurface = nullptr;
    if (pUnkOuter) return CLASS_E_NOAGGREGATION;
    const DWORD chain = DDSCAPS_PRIMARYSURFACE | DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    const DWORD needed = DDSD_CAPS | DDSD_BACKBUFFERCOUNT;
    if ((lpDDSurfaceDesc->dwFlags & needed) != needed ||
        (lpDDSurfaceDesc->ddsCaps.dwCaps & chain) != chain ||
        lpDDSurfaceDesc->dwBackBufferCount != 1)
        return DDERR_UNSUPPORTED;
    if (impl->primary) return DDERR_PRIMARYSURFACEALREADYEXISTS;
    if (impl->modeWidth == 0) return DDERR_NOEXCLUSIVEMODE;

    IDirectDrawSurface7* back = NewSurface();
    back->impl->width = impl->modeWidth;
    back->impl->height = impl->modeHeight;
    back->impl->pitch = PitchFor(impl->modeWidth);
    back->impl->pixels.assign(size_t(back->impl->pitch) * size_t(impl->modeHeight), 0);
    IDirectDrawSurface7* primary = NewSurface();
    primary->impl->primary = true;
    primary->impl->back = back;
    primary->impl->width = impl->modeWidth;
    primary->impl->height = impl->modeHeight;
    impl->primary = primary;
    *lplpDDSurface = primary;
    return DD_OK;
}
