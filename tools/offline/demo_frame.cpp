// demo_frame.cpp -- offline frames through the effect's entry points.
#include "tools/offline/demo_frame.h"

#include "common/elapsed.h"

namespace {

size_t PixelCount() {
    return static_cast<size_t>(width) * static_cast<size_t>(height);
}

} // namespace

bool DemoFrame::Init() {
    depth8_ = depth == 8;
    if (depth8_) {
        DDRAW_SetPalette(nullptr);
        shown_.resize(PixelCount());
    }
    buffer_.assign((PixelCount() * static_cast<size_t>(depth) / 8 + 3) / 4, 0);
    return FFX_Init(buffer_.data()) != 0;
}

void DemoFrame::RenderBuffer(uint32_t ms) {
    FFX_Render(buffer_.data(), COM_MsToSeconds(ms));
}

const uint32_t* DemoFrame::Render(uint32_t ms) {
    RenderBuffer(ms);
    if (depth8_) DDRAW_ConvertIndexed(shown_.data(), Buffer());
    return Pixels();
}
