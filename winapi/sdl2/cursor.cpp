// cursor.cpp -- icons and cursors: LoadIconA, LoadCursorA and SetCursor.
// Only the system's own resources exist; the program's module has none.
#include "winapi/sdl2/standin.h"

struct HICON__ {};
struct HCURSOR__ {
    SDL_SystemCursor shape;
    SDL_Cursor* sdl; // made on first use
};

namespace {

HICON__ applicationIcon;
HCURSOR__ arrowCursor{SDL_SYSTEM_CURSOR_ARROW, nullptr};
HCURSOR currentCursor = &arrowCursor;

} // namespace

HICON WINAPI LoadIconA(HINSTANCE hInstance, LPCSTR lpIconName) {
    return !hInstance && lpIconName == IDI_APPLICATION ? &applicationIcon : nullptr;
}

HCURSOR WINAPI LoadCursorA(HINSTANCE hInstance, LPCSTR lpCursorName) {
    return !hInstance && lpCursorName == IDC_ARROW ? &arrowCursor : nullptr;
}

// A null cursor hides the pointer.
HCURSOR WINAPI SetCursor(HCURSOR hCursor) {
    const HCURSOR previous = currentCursor;
    currentCursor = hCursor;
    if (!hCursor) {
        SDL_ShowCursor(SDL_DISABLE);
        return previous;
    }
    if (!hCursor->sdl) hCursor->sdl = SDL_CreateSystemCursor(hCursor->shape);
    if (hCursor->sdl) SDL_SetCursor(hCursor->sdl);
    SDL_ShowCursor(SDL_ENABLE);
    return previous;
}
