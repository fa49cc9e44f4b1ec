// msgbox.cpp -- MessageBoxA: the backend's box with one OK button, and the
// same caption and text on stderr, the one place they can be read when no
// display shows the box.
#include "winapi/core/standin.h"

#include <cstdio>
#include <cstring>

namespace {

constexpr UINT MB_ICONMASK = 0x000000F0;
constexpr UINT MB_ICONERROR_STYLE = 0x00000010;
constexpr int IDOK_RESULT = 1;

BoxIcon IconOf(UINT uType) {
    switch (uType & MB_ICONMASK) {
    case MB_ICONERROR_STYLE:
        return BoxIcon::Error;
    case MB_ICONWARNING:
        return BoxIcon::Warning;
    }
    return BoxIcon::Information;
}

} // namespace

// Returns IDOK once the box is answered, 0 when no box could be shown.
int WINAPI MessageBoxA(HWND hWnd, LPCSTR lpText, LPCSTR lpCaption, UINT uType) {
    const char* text = lpText ? lpText : "";
    const char* caption = lpCaption ? lpCaption : "Error"; // Windows' default caption
    const size_t length = std::strlen(text);
    std::fprintf(stderr, "%s: %s%s", caption, text, length && text[length - 1] == '\n' ? "" : "\n");
    std::fflush(stderr);
    return backend.messageBox(LiveWindow(hWnd), caption, text, IconOf(uType)) ? IDOK_RESULT : 0;
}
