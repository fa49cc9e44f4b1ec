// demo_frame.cpp -- offline frames through the effect's entry points.
#include "tools/offline/demo_frame.h"

#include "common/elapsed.h"
#include "common/overrun.h"

namespace {

size_t PixelCount() {
    return static_cast<size_t>(width) * static_cast<size_t>(height);
}

std::string OverrunLine(const char* entry, uint32_t ms) {
    char line[160];
    COM_OverrunLine(line, sizeof line, width, height, depth, entry, ms);
    return line;
}

} // namespace

bool DemoFrame::Init() {
    depth8_ = depth == 8;
    if (depth8_) {
        DDRAW_SetPalette(nullptr);
        shown_.resize(PixelCount());
    }
    buffer_ =
        static_cast<uint32_t*>(guard_.Allocate(PixelCount() * static_cast<size_t>(depth) / 8));
    if (!buffer_) return false;
    int initialised = 0;
    if (!guard_.Call([&] { initialised = FFX_Init(buffer_); })) {
        overrun_ = OverrunLine("FFX_Init", 0);
        return false;
    }
    return initialised != 0;
}

bool DemoFrame::RenderBuffer(uint32_t ms) {
    if (guard_.Call([&] { FFX_Render(buffer_, COM_MsToSeconds(ms)); })) return true;
    overrun_ = OverrunLine("FFX_Render", ms);
    return false;
}

const uint32_t* DemoFrame::Render(uint32_t ms) {
    if (!RenderBuffer(ms)) return nullptr;
    if (depth8_) DDRAW_ConvertIndexed(shown_.data(), Buffer());
    return Pixels();
}
