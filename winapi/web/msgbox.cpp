// msgbox.cpp -- the message box: the page's own, with the caption, the text
// and one OK button; the program waits until it is answered.
#include "winapi/web/standin.h"

bool ShowWebMessageBox(HWND, const char* caption, const char* text, BoxIcon icon) {
    return ffx_web_message_box(caption, text, int(icon)) != 0;
}
