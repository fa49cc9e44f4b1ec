// standin.h -- what the SDL2 backend's files share: its window behind a
// handle, the screen it presents to, the desktop's mode and the font, over
// the stand-in's shared half.
#pragma once

#include "winapi/core/standin.h"

#include <SDL.h>

#include <cstdint>

// A window is an SDL window.
struct HWND__ {
    SDL_Window* sdl;
};

// window.cpp. The stand-in's windows as SDL windows; the window behind an
// SDL window id, or null.
HWND CreateSdlWindow(const char* title, int x, int y, int width, int height, bool borderless);
void DestroySdlWindow(HWND window);
void ShowSdlWindow(HWND window, bool shown);
void TitleSdlWindow(HWND window, const char* title);
void FocusSdlWindow(HWND window);
HWND WindowFromSdl(uint32_t windowId);

// cursor.cpp. The system's arrow, or no pointer.
void ShowSdlPointer(bool shown);

// events.cpp. SDL's events reported as the stand-in's input.
void PumpSdlEvents();
bool WaitSdlEvent();

// screen.cpp. The desktop's size, from the display the window is on (the
// first display for none).
SDL_DisplayMode DesktopMode(SDL_Window* window);
bool SdlDesktopMode(HWND window, DisplayMode* mode);
// Takes the window full-screen at the desktop's resolution and readies a
// modeWidth x modeHeight picture filling the screen's limiting side, centred
// on black, sharp at any scale. False when SDL refuses.
bool ScreenOpen(HWND window, int32_t modeWidth, int32_t modeHeight);
// Uploads the picture and presents it, with vsync unless FFX_VSYNC=0. False
// when no screen is open.
bool ScreenPresent(const void* pixels, int32_t pitch);
// Drops the screen of a window that is being destroyed.
void ScreenClose(SDL_Window* window);

// msgbox.cpp. An SDL message box.
bool ShowSdlMessageBox(HWND owner, const char* caption, const char* text, BoxIcon icon);

// text.cpp. The string through SDL2_ttf in the font font.cpp opens.
bool RasterizeSdlText(const char* text, size_t length, Coverage* out);
// font.cpp. The device contexts' font: the sans-serif face fontconfig picks,
// at about the height of the Windows system font. Opened on first use; null
// (and a line on stderr) when there is none.
struct _TTF_Font;
_TTF_Font* DefaultFont();

// clock.cpp.
uint32_t MonotonicMilliseconds();
