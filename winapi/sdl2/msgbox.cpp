// msgbox.cpp -- the message box: SDL's, with one OK button that Return and
// Escape both press, on the owner's window when there is one.
#include "winapi/sdl2/standin.h"

namespace {

Uint32 BoxKind(BoxIcon icon) {
    switch (icon) {
    case BoxIcon::Error:
        return SDL_MESSAGEBOX_ERROR;
    case BoxIcon::Warning:
        return SDL_MESSAGEBOX_WARNING;
    case BoxIcon::Information:
        break;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

} // namespace

bool ShowSdlMessageBox(HWND owner, const char* caption, const char* text, BoxIcon icon) {
    const SDL_MessageBoxButtonData ok{
        SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT | SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT, 1, "OK"};
    const SDL_MessageBoxData box{BoxKind(icon), owner ? owner->sdl : nullptr, caption, text, 1, &ok,
                                 nullptr};
    int pressed = 0;
    return SDL_ShowMessageBox(&box, &pressed) == 0;
}
