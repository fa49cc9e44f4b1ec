// demo_frame.h -- a demo's frames rendered without a window, as the frame
// loop renders them: the frame buffer set up as WinMain sets it up, the
// seconds computed from elapsed milliseconds as the loop computes them, and
// at depth 8 the frame shown through the palette. Used by the capture tool,
// the frame digests and the screen checker.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "display/palette.h"
#include "tools/offline/frame_guard.h"

class DemoFrame {
  public:
    // The frame buffer (zero-filled and guarded; at depth 8 with the grey
    // palette), then FFX_Init. False when FFX_Init fails or overruns the
    // buffer (Overrun() then says so).
    bool Init();

    // Renders the frame at `ms` elapsed milliseconds; returns its width x
    // height pixels 0x??RRGGBB, valid until the next call, or null when the
    // effect wrote past the frame buffer (see Overrun()).
    const uint32_t* Render(uint32_t ms);

    // Renders the frame at `ms` into the frame buffer only; its pixels are
    // then Shown(i), for a caller that looks at a few. False on an overrun.
    bool RenderBuffer(uint32_t ms);

    // After an overrun, the line that names it (the entry point and the
    // time); otherwise "". The effect must not be called again then.
    const std::string& Overrun() const { return overrun_; }
    uint32_t Shown(size_t i) const {
        return depth8_ ? palette[Buffer()[i]] : buffer_[i];
    }

    // The frame buffer as the effect left it, and the pixels shown for it:
    // at depth 8 the indices and their conversion through the palette, at
    // depth 32 both the same pixels.
    const uint8_t* Buffer() const { return reinterpret_cast<const uint8_t*>(buffer_); }
    const uint32_t* Pixels() const { return depth8_ ? shown_.data() : buffer_; }

  private:
    bool depth8_ = false;
    FrameGuard guard_;
    uint32_t* buffer_ = nullptr; // width x height x depth / 8 bytes
    std::vector<uint32_t> shown_; // depth 8: the converted frame
    std::string overrun_;
};
