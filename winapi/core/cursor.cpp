// cursor.cpp -- icons and cursors: LoadIconA, LoadCursorA and SetCursor.
// Only the system's own resources exist; the program's module has none, and
// of the cursors only the arrow.
#include "winapi/core/standin.h"

struct HICON__ {};
struct HCURSOR__ {};

namespace {

HICON__ applicationIcon;
HCURSOR__ arrowCursor;
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
    backend.showPointer(hCursor != nullptr);
    return previous;
}
