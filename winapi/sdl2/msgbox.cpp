// msgbox.cpp -- MessageBoxA: an SDL message box with one OK button, and the
// same caption and text on stderr, the one place they can be read when no
// display shows the box.
#include "winapi/sdl2/standin.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_ICONERROR_STYLE = 0x00000010;
constexpr int IDOK_RESULT = 1;

Uint32 BoxKind(UINT uType) {
    switch (uType & MB_ICONMASK) {
    case MB_ICONERROR_STYLE:
        return SDL_MESSAGEBOX_ERROR;
    case MB_ICONWARNING:
        return SDL_MESSAGEBOX_WARNING;
    }
    return SDL_MESSAGEBOX_INFORMATION;
}

} // namespace

// Returns IDOK once the box is answered, 0 when no box could be shown.
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    const char* text = lpText ? lpText : "";
    const char* caption = lpCaption ? lpCaption : "Error"; // Windows' default caption
    const size_t length = std::strlen(text);
    std::fprintf(stderr, "%s: %s%s", caption, text, length && text[length - 1] == '\n' ? "" : "\n");
    std::fflush(stderr);

    const SDL_MessageBoxButtonData ok{SDL_MESSAGEBOX_BUTTON_RETURNKEY_DEFAULT |
                                          SDL_MESSAGEBOX_BUTTON_ESCAPEKEY_DEFAULT,
                                      IDOK_RESULT, "OK"};
    HWND__* owner = LiveWindow(hWnd);
    const SDL_MessageBoxData box{
        BoxKind(uType), owner ? owner->sdl : nullptr, caption, text, 1, &ok, nullptr};
    int pressed = 0;
    if (SDL_ShowMessageBox(&box, &pressed) != 0) return 0;
    return IDOK_RESULT;
}
