// fire.cpp -- ffxbench-fire: one frame of the fire as the frame loop shows
// it (FFX_Render, one simulation step a frame at 60 frames a second, then
// the conversion through the palette) against one frame copy, side by side.
#include <vector>

#include "display/palette.h"
#include "tools/bench/copy.h"

namespace {

void BM_FireFrame(benchmark::State& state) {
    std::vector<uint8_t> frame(Pixels());
    std::vector<uint32_t> shown(Pixels());
    FFX_Init(frame.data());
    // Well after the start, where each frame takes one step.
    double seconds = 1000.0;
    FFX_Render(frame.data(), static_cast<float>(seconds));
    for (auto _ : state) {
        seconds += 1.0 / 60.0;
        FFX_Render(frame.data(), static_cast<float>(seconds));
        DDRAW_ConvertIndexed(shown.data(), frame.data());
        benchmark::DoNotOptimize(shown.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Pixels() * 4));
}
BENCHMARK(BM_FireFrame);

} // namespace

BENCHMARK_MAIN();
