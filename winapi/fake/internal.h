// internal.h -- what the fake's files share: argument formatting for the log,
// the window and its queue, the script's delivery, the frame counter.
#pragma once

#include "winapi/fake/fake.h"

namespace fake::detail {

std::string quote(const char* text); // "text" with C escapes, or NULL
std::string hex(uint32_t value);     // 0x51
// Handles and objects print as the name they were given, null as NULL.
void nameHandle(const void* handle, const std::string& name);
std::string name(const void* handle);
std::string message(UINT message); // WM_KEYDOWN, or hex

// Logs "call(args)" and returns the outcome queued for call, if a failure.
bool enter(const std::string& call, const std::string& args, HRESULT* result = nullptr);

HWND window(); // the window CreateWindowExA made, or null

// The window procedure; send also logs the message, as sent during another
// call (ShowWindow, DestroyWindow).
LRESULT call(UINT message, WPARAM wParam, LPARAM lParam);
LRESULT send(UINT message, WPARAM wParam, LPARAM lParam);
void post(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

// Script delivery: the groups due at the frames presented so far; the next
// group whatever its frame (false when the script is over).
void deliverDue();
bool deliverNext();

void countFrame();
[[noreturn]] void abortRun(const char* why);

} // namespace fake::detail
