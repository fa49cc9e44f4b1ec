// standin.h -- what the web backend's files share: its window, and the
// page's operations they call (the JavaScript of js/, linked as libraries).
#pragma once

#include "winapi/core/standin.h"

#include <cstddef>
#include <cstdint>

// The page has one canvas, so the program has at most one window.
struct HWND__ {
    bool open;
};

// Implemented in js/; the three marked "suspends" wait for the browser and
// resume the program from its event loop.
extern "C" {
// input.js. Starts taking the page's input for the window.
void ffx_web_watch_input(void);
// The oldest input event not yet taken, as {kind, value, repeat}; 0 when
// none waits.
int ffx_web_next_event(int32_t* event);
// Suspends until an input event waits.
void ffx_web_wait_event(void);

// screen.js. The canvas shown or hidden; the pointer over it.
void ffx_web_show_canvas(int shown);
void ffx_web_show_pointer(int shown);
// The display's size in device pixels into size[0], size[1]; 0 when there is
// no page to show on.
int ffx_web_display_size(int32_t* size);
// Readies the canvas to show width x height pixels of R, G, B, A bytes at
// `picture` in the module's memory; 0 when it cannot draw.
int ffx_web_open_screen(const void* picture, int32_t width, int32_t height);
// Suspends until the next animation frame and shows the picture in it; 0
// when no screen is open.
int ffx_web_present(void);

// box.js. Suspends until the page's box is answered; 0 when there is none.
int ffx_web_message_box(const char* caption, const char* text, int icon);

// text.js. The size of the text's box in the page's font, into size[0],
// size[1]; then its coverage, rows packed; each 0 when there is no font.
int ffx_web_text_size(const char* text, size_t length, int32_t* size);
int ffx_web_text_coverage(const char* text, size_t length, uint8_t* alpha, int32_t width,
                          int32_t height);

// page.js. Shows that the program has ended with the code.
void ffx_web_ended(int code);
}

// The input kinds of ffx_web_next_event.
enum WebEventKind : int32_t { WEB_KEY = 1, WEB_ACTIVE = 2, WEB_POINTER = 3 };

// window.cpp. The one window, and the pointer.
HWND CreateWebWindow(const char* title, int x, int y, int width, int height, bool borderless);
void DestroyWebWindow(HWND window);
void ShowWebWindow(HWND window, bool shown);
void TitleWebWindow(HWND window, const char* title);
void FocusWebWindow(HWND window);
void ShowWebPointer(bool shown);
// The window while it is open, else null.
HWND OpenWebWindow();

// events.cpp. The page's input reported as the stand-in's.
void PumpWebEvents();
bool WaitWebEvent();

// screen.cpp.
bool WebDisplayMode(HWND window, DisplayMode* mode);
bool WebOpenScreen(HWND window, int32_t width, int32_t height);
bool WebPresent(const void* pixels, int32_t pitch);

// msgbox.cpp.
bool ShowWebMessageBox(HWND owner, const char* caption, const char* text, BoxIcon icon);

// text.cpp.
bool RasterizeWebText(const char* text, size_t length, Coverage* out);

// clock.cpp.
uint32_t PageMilliseconds();
