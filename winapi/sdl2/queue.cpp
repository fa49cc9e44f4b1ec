// queue.cpp -- the thread's message queue: PostMessageA, PostQuitMessage,
// PeekMessageA, GetMessageA, WaitMessage, TranslateMessage and
// DispatchMessageA. SDL's events feed it (events.cpp) whenever the program
// looks at it; the quit message comes only once no other message waits.
#include "winapi/sdl2/standin.h"

#include <deque>

namespace {

std::deque<MSG> posted;
bool quitPosted;
int quitCode;

constexpr UINT PM_REMOVE_FLAG = 0x0001;

void PumpSdlEvents() {
    SDL_Event event;
    while (SDL_PollEvent(&event))
        DeliverSdlEvent(event);
}

// A filter of 0 to 0 takes every message.
bool InFilter(UINT message, UINT first, UINT last) {
    return (first == 0 && last == 0) || (message >= first && message <= last);
}

// The first waiting message that matches the filter, into *out.
bool Take(MSG* out, HWND hWnd, UINT first, UINT last, bool remove) {
    for (auto it = posted.begin(); it != posted.end(); ++it) {
        if ((!hWnd || it->hwnd == hWnd) && InFilter(it->message, first, last)) {
            *out = *it;
            if (remove) posted.erase(it);
            return true;
        }
    }
    // The quit message belongs to the thread, not to a window.
    if (quitPosted && !hWnd && InFilter(WM_QUIT, first, last)) {
        *out = MSG{nullptr, WM_QUIT, WPARAM(quitCode), 0, GetTickCount(), {}};
        if (remove) quitPosted = false;
        return true;
    }
    return false;
}

bool Waiting() {
    return !posted.empty() || quitPosted;
}

} // namespace

void PostToQueue(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    posted.push_back(MSG{hWnd, msg, wParam, lParam, GetTickCount(), {}});
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (hWnd && !LiveWindow(hWnd)) return FALSE;
    PostToQueue(hWnd, Msg, wParam, lParam);
    return TRUE;
}

void WINAPI PostQuitMessage(int nExitCode) {
    quitPosted = true;
    quitCode = nExitCode;
}

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
    if (!lpMsg) return FALSE;
    PumpSdlEvents();
    return Take(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE_FLAG) != 0);
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (!lpMsg || (hWnd && !LiveWindow(hWnd))) return -1;
    PumpSdlEvents();
    while (!Take(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true)) {
        SDL_Event event;
        if (!SDL_WaitEvent(&event)) return -1;
        DeliverSdlEvent(event);
    }
    return lpMsg->message != WM_QUIT;
}

// Sleeps in SDL_WaitEvent until something happens; returns at once when a
// message already waits.
BOOL WINAPI WaitMessage(void) {
    PumpSdlEvents();
    if (Waiting()) return TRUE;
    SDL_Event event;
    if (!SDL_WaitEvent(&event)) return FALSE;
    DeliverSdlEvent(event);
    return TRUE;
}

// Character messages are not generated: nothing in the program reads them.
BOOL WINAPI TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    return lpMsg ? SendToWindow(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam) : 0;
}
