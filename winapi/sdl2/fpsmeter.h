// fpsmeter.h -- counts presented frames and, when asked to, prints the rate
// once per second on stderr ("fps 123.4"). Used by the stand-in's Flip and
// by the bare SDL2 reference loop, so both report the same way.
#pragma once

#include <cstdint>

class FpsMeter {
  public:
    // Reports only when enabled; the stand-in enables it from FFX_REPORT_FPS.
    explicit FpsMeter(bool enabled);
    // Call once per presented frame.
    void frame();

  private:
    bool enabled_;
    uint64_t windowStart_; // SDL performance counter at the window's start
    uint32_t frames_ = 0;
};
