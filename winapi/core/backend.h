// backend.h -- the contract between the shared half of the stand-in and a
// platform backend: the operations a backend fills in, and the calls by
// which it reports its platform's input.
//
// The shared half keeps the Windows semantics (class table, window
// procedures, the message queue, DirectDraw's memory surfaces, device
// contexts); a backend only does what its platform does. Exactly one backend
// is linked, and it defines `backend`.
//
// A backend also defines struct HWND__, its platform window. The shared half
// hands the handle back to the backend and never looks inside it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <vector>

enum class BoxIcon { Information, Warning, Error };

struct DisplayMode {
    int32_t width, height;
    int32_t refreshRate; // Hz, 0 when the platform does not say
};

// What the platform's font makes of a string: width x height coverage values,
// rows packed, 0 for none of the pixel and 255 for all of it.
struct Coverage {
    int32_t width = 0, height = 0;
    std::vector<uint8_t> alpha;
};

struct StandInBackend {
    // A hidden window of the size (borderless when asked), or null when the
    // platform has no video.
    HWND (*createWindow)(const char* title, int x, int y, int width, int height, bool borderless);
    // Called once WM_DESTROY has been sent; the screen, if on it, goes too.
    void (*destroyWindow)(HWND window);
    void (*showWindow)(HWND window, bool shown);
    // Brings the window to the front with the keyboard.
    void (*focusWindow)(HWND window);
    // Shows the arrow pointer over the program's windows, or hides it.
    void (*showPointer)(bool shown);

    // Reports every platform event that waits, through the calls below.
    void (*pumpEvents)();
    // Sleeps until one event arrives and reports it; false when the platform
    // cannot wait.
    bool (*waitEvent)();

    // The desktop of the display the window is on (null: the first display);
    // false when there is no display.
    bool (*desktopMode)(HWND window, DisplayMode* mode);
    // Takes the window full-screen, ready to show a width x height picture
    // (no larger than the desktop); false when the platform refuses.
    bool (*openScreen)(HWND window, int32_t width, int32_t height);
    // Shows one picture of the open screen's size, 0x00RRGGBB rows pitch
    // bytes apart, at the next vertical blank; false when no screen is open.
    bool (*present)(const void* pixels, int32_t pitch);

    // Shows a box with one OK button and returns once it is answered; false
    // when no box could be shown.
    bool (*messageBox)(HWND owner, const char* caption, const char* text, BoxIcon icon);

    // Renders length characters of Latin-1 text in the device contexts' font,
    // its top-left corner at the bitmap's; false when there is no font.
    bool (*rasterizeText)(const char* text, size_t length, Coverage* out);

    // Milliseconds of a monotonic clock, wrapping at 2^32.
    uint32_t (*milliseconds)();

    // Names the window where the platform shows one (its title bar).
    void (*titleWindow)(HWND window, const char* title);
};

extern const StandInBackend backend;

// What a backend calls as its platform's input arrives; each becomes the
// message Windows would deliver. Input for a null window, or one that is
// gone, is dropped, except that a key press for a null window goes to the
// one SetFocus gave the keyboard.
// A key press posts WM_KEYDOWN, or with Alt held WM_SYSKEYDOWN.
void KeyPressed(HWND window, WPARAM virtualKey, uint8_t scanCode, bool repeat, bool alt = false);
// Focus sends WM_ACTIVATEAPP at once.
void FocusChanged(HWND window, bool gained);
// A close request posts WM_CLOSE.
void CloseRequested(HWND window);
// The pointer moving over the window sends WM_SETCURSOR.
void PointerOver(HWND window);

// The process start-up, once the platform is up: calls WinMain as Windows
// does (the command line after the program name, SW_SHOWDEFAULT) and returns
// its result.
int RunWinMain(int argc, char** argv);
