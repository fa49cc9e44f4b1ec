// frame.cpp -- ffxwebbench's module: one frame of the effect and one frame
// copy in WebAssembly, called from node by render-copy.mjs, which times them.
#include <emscripten.h>

#include <cstring>
#include <vector>

#include "ffxdemo.h"
#include "effect/ffx.h"

namespace {

// As in ffxbench: a non-zero plasma offset and a 7-character readout.
constexpr float kSeconds = 1234.56f;

std::vector<uint32_t> source, frame;

size_t Pixels() {
    return size_t(width) * size_t(height);
}

} // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE void bench_setup() {
    randState = 1;
    FFX_Init(nullptr);
    source.assign(Pixels(), 0x8080u);
    frame.assign(Pixels(), 0);
}

EMSCRIPTEN_KEEPALIVE void bench_render() {
    FFX_Render(frame.data(), kSeconds);
}

EMSCRIPTEN_KEEPALIVE void bench_copy() {
    std::memcpy(frame.data(), source.data(), Pixels() * 4);
}
}
