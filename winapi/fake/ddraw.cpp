// ddraw.cpp -- the fake DirectDraw device and its flip chain: a primary
// surface and one back buffer in memory, swapped by Flip, with the lock,
// device-context and lost-surface rules the display relies on.
#include <cstring>
#include <utility>

#include "winapi/fake/internal.h"

struct HDC__ {};

struct DirectDrawImpl {
    DWORD width = 640, height = 480, bpp = 32;
};

struct SurfaceImpl {
    fake::Pixels pixels;
    bool dcHeld = false;
};

namespace fake {

namespace {

constexpr HRESULT kSurfaceBusy = MAKE_DDHRESULT(430);
constexpr HRESULT kNotLocked = MAKE_DDHRESULT(584);
constexpr HRESULT kNotFound = MAKE_DDHRESULT(255);
constexpr HRESULT kInvalidParams = (HRESULT)0x80070057u;

DirectDrawImpl mode;
IDirectDraw7 device = {&mode};
SurfaceImpl primaryImpl, backImpl;
IDirectDrawSurface7 primary = {&primaryImpl};
IDirectDrawSurface7 back = {&backImpl};
HDC__ backDC;
bool lost;

std::string describe(const DDSURFACEDESC2* desc) {
    return "dwFlags=" + detail::hex(desc->dwFlags) +
           ", dwCaps=" + detail::hex(desc->ddsCaps.dwCaps) +
           ", dwBackBufferCount=" + std::to_string(desc->dwBackBufferCount);
}

// Lost surfaces refuse everything but Restore.
HRESULT check(IDirectDrawSurface7* surface, const std::string& call, const std::string& args) {
    HRESULT result = DD_OK;
    if (detail::enter(call, detail::name(surface) + (args.empty() ? "" : ", " + args), &result))
        return result;
    return lost ? DDERR_SURFACELOST : DD_OK;
}

} // namespace

void loseSurfaces() {
    lost = true;
}

uint32_t Pixels::pixel(int x, int y) const {
    uint32_t value;
    memcpy(&value, &bytes[(size_t)y * pitch + (size_t)x * 4], 4);
    return value;
}

const Pixels& screen() {
    return primaryImpl.pixels;
}

const Pixels& backBuffer() {
    return backImpl.pixels;
}

} // namespace fake

using namespace fake;
using namespace fake::detail;

HRESULT WINAPI DirectDrawCreateEx(GUID* lpGuid, LPVOID* lplpDD, REFIID iid, IUnknown* pUnkOuter) {
    bool ddraw7 = memcmp(&iid, &IID_IDirectDraw7, sizeof(IID)) == 0;
    HRESULT result;
    if (enter("DirectDrawCreateEx",
              name(lpGuid) + ", " + (ddraw7 ? "IID_IDirectDraw7" : "unknown IID") + ", " +
                  name(pUnkOuter),
              &result))
        return result;
    if (!ddraw7) return kInvalidParams;
    nameHandle(&device, "device");
    *lplpDD = &device;
    return DD_OK;
}

// The fake's objects are the same ones for the next device: Release is only
// logged.
ULONG WINAPI IDirectDraw7::Release(void) {
    HRESULT result;
    enter("Release", name(this), &result);
    return 0;
}

HRESULT WINAPI IDirectDraw7::SetCooperativeLevel(HWND hWnd, DWORD dwFlags) {
    HRESULT result;
    if (enter("SetCooperativeLevel", name(hWnd) + ", " + hex(dwFlags), &result)) return result;
    return DD_OK;
}

HRESULT WINAPI IDirectDraw7::SetDisplayMode(DWORD dwWidth, DWORD dwHeight, DWORD dwBPP,
                                            DWORD dwRefreshRate, DWORD dwFlags) {
    HRESULT result;
    if (enter("SetDisplayMode",
              std::to_string(dwWidth) + ", " + std::to_string(dwHeight) + ", " +
                  std::to_string(dwBPP) + ", " + std::to_string(dwRefreshRate) + ", " +
                  hex(dwFlags),
              &result))
        return result;
    *impl = {dwWidth, dwHeight, dwBPP};
    return DD_OK;
}

// Both surfaces get the mode's height and the pitch the test chose, filled
// with 0xCD so untouched bytes show.
HRESULT WINAPI IDirectDraw7::CreateSurface(LPDDSURFACEDESC2 desc,
                                           LPDIRECTDRAWSURFACE7* lplpDDSurface,
                                           IUnknown* pUnkOuter) {
    HRESULT result;
    if (enter("CreateSurface", describe(desc) + ", " + name(pUnkOuter), &result)) return result;
    if (desc->dwSize != sizeof(DDSURFACEDESC2)) return kInvalidParams;
    int32_t pitch = setup().pitch ? setup().pitch : (int32_t)(impl->width * impl->bpp / 8);
    for (SurfaceImpl* surface : {&primaryImpl, &backImpl}) {
        surface->pixels.pitch = pitch;
        surface->pixels.height = (int32_t)impl->height;
        surface->pixels.bytes.assign((size_t)pitch * impl->height, 0xCD);
    }
    nameHandle(&primary, "primary");
    nameHandle(&back, "back");
    nameHandle(&backDC, "hdc");
    *lplpDDSurface = &primary;
    return DD_OK;
}

HRESULT WINAPI IDirectDrawSurface7::GetAttachedSurface(
    LPDDSCAPS2 caps, LPDIRECTDRAWSURFACE7* lplpDDAttachedSurface) {
    HRESULT result = check(this, "GetAttachedSurface",
                           hex(caps->dwCaps) + ", " + hex(caps->dwCaps2) + ", " +
                               hex(caps->dwCaps3) + ", " + hex(caps->dwCaps4));
    if (result != DD_OK) return result;
    if (this != &primary || caps->dwCaps != DDSCAPS_BACKBUFFER) return kNotFound;
    *lplpDDAttachedSurface = &back;
    return DD_OK;
}

HRESULT WINAPI IDirectDrawSurface7::Lock(LPRECT lpDestRect, LPDDSURFACEDESC2 desc, DWORD dwFlags,
                                         HANDLE hEvent) {
    HRESULT result =
        check(this, "Lock", name(lpDestRect) + ", " + hex(dwFlags) + ", " + name(hEvent));
    if (result != DD_OK) return result;
    if (desc->dwSize != sizeof(DDSURFACEDESC2)) return kInvalidParams;
    if (impl->pixels.locked || impl->dcHeld) return kSurfaceBusy;
    impl->pixels.locked = true;
    desc->lPitch = impl->pixels.pitch;
    desc->lpSurface = impl->pixels.bytes.data();
    return DD_OK;
}

HRESULT WINAPI IDirectDrawSurface7::Unlock(LPRECT lpRect) {
    HRESULT result = check(this, "Unlock", name(lpRect));
    if (result != DD_OK) return result;
    if (!impl->pixels.locked) return kNotLocked;
    impl->pixels.locked = false;
    return DD_OK;
}

HRESULT WINAPI IDirectDrawSurface7::GetDC(HDC* lphDC) {
    HRESULT result = check(this, "GetDC", "");
    if (result != DD_OK) return result;
    if (impl->pixels.locked || impl->dcHeld) return kSurfaceBusy;
    impl->dcHeld = true;
    *lphDC = &backDC;
    return DD_OK;
}

HRESULT WINAPI IDirectDrawSurface7::ReleaseDC(HDC hDC) {
    HRESULT result = check(this, "ReleaseDC", name(hDC));
    if (result != DD_OK) return result;
    impl->dcHeld = false;
    return DD_OK;
}

ULONG WINAPI IDirectDrawSurface7::Release(void) {
    HRESULT result;
    enter("Release", name(this), &result);
    return 0;
}

HRESULT WINAPI IDirectDrawSurface7::Restore(void) {
    HRESULT result;
    if (enter("Restore", name(this), &result)) return result;
    // Restoring the primary surface restores the chain behind it.
    if (this == &primary) lost = false;
    return DD_OK;
}

// Only the primary surface flips; the back buffer must be neither locked nor
// drawing on. A flip that went through shows the back buffer's pixels.
HRESULT WINAPI IDirectDrawSurface7::Flip(LPDIRECTDRAWSURFACE7 target, DWORD dwFlags) {
    HRESULT result = check(this, "Flip", name(target) + ", " + hex(dwFlags));
    if (result == DD_OK && (this != &primary || backImpl.pixels.locked || backImpl.dcHeld))
        result = kSurfaceBusy;
    if (result == DD_OK) std::swap(primaryImpl.pixels.bytes, backImpl.pixels.bytes);
    if (result != DDERR_WASSTILLDRAWING) countFrame();
    return result;
}
