// standin.h -- what the SDL2 stand-in's files share: the window objects, the
// message queue's entry points, the device context over a surface's pixels,
// the DirectDraw objects' state and the screen they present to.
#pragma once

#include <windows.h>

#include <ddraw.h>

#include <SDL.h>

#include <cstdint>
#include <vector>

#ifndef TRUE
#define TRUE 1
#define FALSE 0
#endif

// Results the SDK defines that the stand-in headers leave out.
constexpr HRESULT E_NOINTERFACE = HRESULT(0x80004002u);
constexpr HRESULT CLASS_E_NOAGGREGATION = HRESULT(0x80040110u);
constexpr HRESULT DDERR_INVALIDPARAMS = HRESULT(0x80070057u); // E_INVALIDARG
constexpr HRESULT DDERR_UNSUPPORTED = HRESULT(0x80004001u);   // E_NOTIMPL
constexpr HRESULT DDERR_GENERIC = HRESULT(0x80004005u);       // E_FAIL
constexpr HRESULT DDERR_INVALIDMODE = MAKE_DDHRESULT(120);
constexpr HRESULT DDERR_INVALIDRECT = MAKE_DDHRESULT(150);
constexpr HRESULT DDERR_NOEXCLUSIVEMODE = MAKE_DDHRESULT(225);
constexpr HRESULT DDERR_NOTFOUND = MAKE_DDHRESULT(255);
constexpr HRESULT DDERR_SURFACEBUSY = MAKE_DDHRESULT(430);
constexpr HRESULT DDERR_INVALIDDIRECTDRAWGUID = MAKE_DDHRESULT(561);
constexpr HRESULT DDERR_PRIMARYSURFACEALREADYEXISTS = MAKE_DDHRESULT(564);
constexpr HRESULT DDERR_NOTFLIPPABLE = MAKE_DDHRESULT(582);
constexpr HRESULT DDERR_NOTLOCKED = MAKE_DDHRESULT(584);
constexpr HRESULT DDERR_NODC = MAKE_DDHRESULT(586);
constexpr HRESULT DDERR_DCALREADYCREATED = MAKE_DDHRESULT(620);

// A window: the SDL window behind it and its class's procedure and cursor.
struct HWND__ {
    SDL_Window* sdl;
    WNDPROC proc;
    HCURSOR classCursor;
};

// window.cpp. The window behind a handle, or null when the handle names no
// live window; the same for an SDL window id.
HWND__* LiveWindow(HWND hWnd);
HWND__* WindowFromSdl(uint32_t windowId);
// The window a key press belongs to: the event's window, or, while SDL has
// not yet taken note of the focus (it waits 200 ms on X11), the window last
// given the focus with SetFocus.
HWND__* KeyboardWindow(uint32_t windowId);
// Calls the window's procedure at once, as SendMessage does; 0 for a handle
// that names no live window.
LRESULT SendToWindow(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// DestroyWindow: WM_DESTROY to the procedure, then the window goes.
void DestroyStandInWindow(HWND hWnd);

// queue.cpp. Appends a posted message.
void PostToQueue(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
// events.cpp. Turns one SDL event into the messages Windows would deliver:
// input is posted, activation and cursor messages are sent at once.
void DeliverSdlEvent(const SDL_Event& event);

// A device context on a 32-bit memory surface (surface.cpp hands it out,
// text.cpp draws through it). Pixels are 0x00RRGGBB.
struct HDC__ {
    uint8_t* pixels;
    int32_t width, height, pitch;
    int bkMode;         // TRANSPARENT or OPAQUE
    COLORREF textColor; // 0x00BBGGRR
};

// The DirectDraw device: the window of its cooperative level and the mode.
struct DirectDrawImpl {
    HWND window = nullptr;
    DWORD level = 0;
    int32_t modeWidth = 0, modeHeight = 0; // 0 until SetDisplayMode succeeds
    IDirectDrawSurface7* primary = nullptr;
};

// A surface: the primary stands for the screen and owns the back buffer,
// which is memory with a pitch.
struct SurfaceImpl {
    bool primary = false;
    IDirectDrawSurface7* back = nullptr; // attached to the primary
    std::vector<uint8_t> pixels;
    int32_t width = 0, height = 0, pitch = 0;
    bool locked = false;
    bool dcTaken = false;
    HDC__ dc{};
};

// screen.cpp. Takes the window full-screen at the desktop's resolution and
// readies a modeWidth x modeHeight picture scaled by the largest integer
// factor, centred on black. False when the desktop is smaller than the mode
// or SDL refuses.
bool ScreenOpen(SDL_Window* window, int32_t modeWidth, int32_t modeHeight);
// Uploads the picture (0x00RRGGBB rows, pitch bytes apart) and presents it,
// with vsync unless FFX_VSYNC=0. False when no screen is open.
bool ScreenPresent(const void* pixels, int32_t pitch);
// Drops the screen of a window that is being destroyed.
void ScreenClose(SDL_Window* window);
// The desktop's size, from the display the window is on (the first display
// for none).
SDL_DisplayMode DesktopMode(SDL_Window* window);

// font.cpp. The device contexts' font: the sans-serif face fontconfig picks,
// at about the height of the Windows system font. Opened on first use; null
// (and a line on stderr) when there is none.
struct _TTF_Font;
_TTF_Font* DefaultFont();
