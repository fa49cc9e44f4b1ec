// queue.cpp -- the thread's message queue: PostMessageA, PostQuitMessage,
// PeekMessageA, GetMessageA, WaitMessage, TranslateMessage and
// DispatchMessageA. The backend's events feed it whenever the program looks
// at it; the quit message comes only once no other message waits.
#include "winapi/core/standin.h"

#include <deque>

namespace {

std::deque<MSG> posted;
bool quitPosted;
int quitCode;

constexpr UINT PM_REMOVE_FLAG = 0x0001;

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
    backend.pumpEvents();
    return Take(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, (wRemoveMsg & PM_REMOVE_FLAG) != 0);
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (!lpMsg || (hWnd && !LiveWindow(hWnd))) return -1;
    backend.pumpEvents();
    while (!Take(lpMsg, hWnd, wMsgFilterMin, wMsgFilterMax, true))
        if (!backend.waitEvent()) return -1;
    return lpMsg->message != WM_QUIT;
}

// Sleeps until the backend has an event; returns at once when a message
// already waits.
BOOL WINAPI WaitMessage(void) {
    backend.pumpEvents();
    return Waiting() || backend.waitEvent();
}

// Character messages are not generated: nothing in the program reads them.
BOOL WINAPI TranslateMessage(const MSG*) {
    return FALSE;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    return lpMsg ? SendToWindow(lpMsg->hwnd, lpMsg->message, lpMsg->wParam, lpMsg->lParam) : 0;
}
