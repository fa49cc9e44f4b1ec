// gdi.cpp -- the fake's text calls on the back buffer's device context. The
// text is recorded, not drawn.
#include "winapi/fake/internal.h"

using namespace fake;
using namespace fake::detail;

int WINAPI SetBkMode(HDC hdc, int mode) {
    enter("SetBkMode", name(hdc) + ", " + std::to_string(mode));
    return 2; // OPAQUE, the default
}

COLORREF WINAPI SetTextColor(HDC hdc, COLORREF color) {
    enter("SetTextColor", name(hdc) + ", " + hex(color));
    return 0;
}

BOOL WINAPI TextOutA(HDC hdc, int x, int y, LPCSTR lpString, int c) {
    enter("TextOutA", name(hdc) + ", " + std::to_string(x) + ", " + std::to_string(y) + ", " +
                          quote(std::string(lpString, c).c_str()) + ", " + std::to_string(c));
    return 1;
}
