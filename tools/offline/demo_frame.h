// demo_frame.h -- a demo's frames rendered without a window, as the frame
// loop renders them: the frame buffer set up as WinMain sets it up, the
// seconds computed from elapsed milliseconds as the loop computes them, and
// at depth 8 the frame shown through the palette. Used by the capture tool,
// the frame digests and the screen checker.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "display/palette.h"

class DemoFrame {
  public:
    // The frame buffer (at depth 8 zero-filled, with the grey palette), then
    // FFX_Init. False when FFX_Init fails.
    bool Init();

    // Renders the frame at `ms` elapsed milliseconds; returns its width x
    // height pixels 0x??RRGGBB, valid until the next call.
    const uint32_t* Render(uint32_t ms);

    // Renders the frame at `ms` into the frame buffer only; its pixels are
    // then Shown(i), for a caller that looks at a few.
    void RenderBuffer(uint32_t ms);
    uint32_t Shown(size_t i) const {
        return depth8_ ? palette[Buffer()[i]] : buffer_[i];
    }

    // The frame buffer as the effect left it, and the pixels shown for it:
    // at depth 8 the indices and their conversion through the palette, at
    // depth 32 both the same pixels.
    const uint8_t* Buffer() const { return reinterpret_cast<const uint8_t*>(buffer_.data()); }
    const uint32_t* Pixels() const { return depth8_ ? shown_.data() : buffer_.data(); }

  private:
    bool depth8_ = false;
    std::vector<uint32_t> buffer_; // width x height x depth / 8 bytes, in words
    std::vector<uint32_t> shown_; // depth 8: the converted frame
};
