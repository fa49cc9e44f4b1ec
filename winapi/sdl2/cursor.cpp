// cursor.cpp -- the pointer: SDL's system arrow, or none.
#include "winapi/sdl2/standin.h"

void ShowSdlPointer(bool shown) {
    if (!shown) {
        SDL_ShowCursor(SDL_DISABLE);
        return;
    }
    static SDL_Cursor* arrow; // made on first use
    if (!arrow) arrow = SDL_CreateSystemCursor(SDL_SYSTEM_CURSOR_ARROW);
    if (arrow) SDL_SetCursor(arrow);
    SDL_ShowCursor(SDL_ENABLE);
}
