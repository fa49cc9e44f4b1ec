// frame_guard.h -- the offline tools' frame buffer, guarded as the program's
// is: it ends where memory nobody may touch begins (natively a protected
// page, elsewhere a zone checked after each call), and a call into the
// effect that writes past it returns false instead of crashing, so that the
// tool can clean up and name the overrun.
#pragma once

#include <cstddef>
#include <functional>

class FrameGuard {
  public:
    FrameGuard() = default;
    FrameGuard(const FrameGuard&) = delete;
    FrameGuard& operator=(const FrameGuard&) = delete;
    ~FrameGuard();

    // `bytes` of zero-filled memory ending at the guard; null when it cannot
    // be had. Once per guard.
    void* Allocate(size_t bytes);

    // Runs `call` (FFX_Init or FFX_Render on this buffer). False when it
    // wrote past the buffer's end: the effect's state is then undefined.
    bool Call(const std::function<void()>& call);

  private:
    unsigned char* memory_ = nullptr;
    size_t size_ = 0;  // of memory_
    size_t bytes_ = 0; // the buffer's
};
