// end_notice.cpp -- the live program's word at the demo's end.
#include "tools/live/end_notice.h"

#include <cstdio>

#include "app/app.h"
#include "app/clock_control.h"

namespace {

bool atEnd;

} // namespace

void LIVE_NoticeEnd(float seconds) {
    const bool now = CLK_AtEnd() != 0;
    if (now == atEnd) return;
    atEnd = now;
    if (now) {
        std::fprintf(stderr,
                     "live: the demo ends here, at %.3f s; \u2190 or the sync editor goes back\n",
                     seconds);
        SetWindowTextA(mainWindow, "cname: the end (\u2190 goes back)");
    } else {
        SetWindowTextA(mainWindow, "cname");
    }
}
