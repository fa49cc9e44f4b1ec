// queue.cpp -- the fake's message queue with the Windows semantics the loop
// relies on: PM_NOREMOVE peeks, WM_QUIT only once the queue is empty,
// GetMessageA returning 0 for it, blocking calls that take the script's next
// group.
#include <deque>

#include "winapi/fake/internal.h"

using namespace fake;
using namespace fake::detail;

namespace {

std::deque<MSG> queue;
bool quitPosted;
int quitCode;

// The message a retrieval would return, if any: posted messages first, then
// the quit message.
bool head(MSG* msg) {
    if (!queue.empty()) {
        *msg = queue.front();
        return true;
    }
    if (!quitPosted) return false;
    *msg = {};
    msg->message = WM_QUIT;
    msg->wParam = (WPARAM)quitCode;
    return true;
}

std::string describe(const MSG& msg) {
    return name(msg.hwnd) + ", " + message(msg.message) + ", " + hex((uint32_t)msg.wParam) + ", " +
           std::to_string(msg.lParam);
}

} // namespace

namespace fake::detail {

void post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MSG msg = {};
    msg.hwnd = hWnd;
    msg.message = message;
    msg.wParam = wParam;
    msg.lParam = lParam;
    queue.push_back(msg);
}

} // namespace fake::detail

BOOL WINAPI PeekMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax,
                         UINT wRemoveMsg) {
    enter("PeekMessageA", name(hWnd) + ", " + std::to_string(wMsgFilterMin) + ", " +
                              std::to_string(wMsgFilterMax) + ", " + hex(wRemoveMsg));
    if (wRemoveMsg != PM_NOREMOVE) abortRun("PeekMessageA is only implemented with PM_NOREMOVE");
    deliverDue();
    return head(lpMsg);
}

BOOL WINAPI GetMessageA(LPMSG lpMsg, HWND hWnd, UINT wMsgFilterMin, UINT wMsgFilterMax) {
    if (enter("GetMessageA", name(hWnd) + ", " + std::to_string(wMsgFilterMin) + ", " +
                                 std::to_string(wMsgFilterMax)))
        return -1; // nothing retrieved, *lpMsg untouched
    deliverDue();
    while (!head(lpMsg))
        if (!deliverNext()) abortRun("GetMessageA would wait for ever: the script is over");
    record("  got " + describe(*lpMsg));
    if (lpMsg->message == WM_QUIT) {
        quitPosted = false;
        return 0;
    }
    queue.pop_front();
    return 1;
}

BOOL WINAPI TranslateMessage(const MSG* lpMsg) {
    enter("TranslateMessage", describe(*lpMsg));
    return 0;
}

LRESULT WINAPI DispatchMessageA(const MSG* lpMsg) {
    enter("DispatchMessageA", describe(*lpMsg));
    if (lpMsg->hwnd == NULL || lpMsg->hwnd != window()) return 0;
    return call(lpMsg->message, lpMsg->wParam, lpMsg->lParam);
}

BOOL WINAPI WaitMessage(void) {
    enter("WaitMessage", "");
    deliverDue();
    MSG msg;
    while (!head(&msg))
        if (!deliverNext()) abortRun("WaitMessage would wait for ever: the script is over");
    return 1;
}

BOOL WINAPI PostMessageA(HWND hWnd, UINT Msg, WPARAM wParam, LPARAM lParam) {
    if (enter("PostMessageA", name(hWnd) + ", " + message(Msg) + ", " + hex((uint32_t)wParam) +
                                  ", " + std::to_string(lParam)))
        return 0;
    post(hWnd, Msg, wParam, lParam);
    return 1;
}

void WINAPI PostQuitMessage(int nExitCode) {
    enter("PostQuitMessage", std::to_string(nExitCode));
    quitPosted = true;
    quitCode = nExitCode;
}
