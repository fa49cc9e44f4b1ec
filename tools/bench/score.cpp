// score.cpp -- ffxbench-score: all of a frame's lookups in the music's
// score (the position, four channels' notes and levels, the eight bands and
// the whole) for the suite's four minutes, against one frame of ffxdemo's
// effect, side by side.
#include <benchmark/benchmark.h>

#include <vector>

#include "effect/ffx.h"
#include "ffxdemo.h"
#include "tools/bench/copy.h"

namespace {

// Frames a 60th of a second apart, as a demo asks, through the whole suite.
float NextTime(uint32_t& frame) {
    frame = (frame + 1) % (245 * 60);
    return static_cast<float>(frame) / 60.0f;
}

void BM_ScoreLookupsOfAFrame(benchmark::State& state) {
    uint32_t frame = 0;
    for (auto _ : state) {
        const float seconds = NextTime(frame);
        FFX_Position at = FFX_MusicPosition(seconds);
        benchmark::DoNotOptimize(at);
        for (int32_t channel = 0; channel < 4; ++channel) {
            FFX_Note note = FFX_ChannelNote(channel, seconds);
            benchmark::DoNotOptimize(note);
            benchmark::DoNotOptimize(FFX_ChannelLevel(channel, seconds));
        }
        for (int32_t band = 0; band <= FFX_ALL_BANDS; ++band)
            benchmark::DoNotOptimize(FFX_MusicLevel(seconds, band));
    }
}
BENCHMARK(BM_ScoreLookupsOfAFrame);

void BM_FfxdemoFrame(benchmark::State& state) {
    randState = 1;
    FFX_Init(nullptr);
    std::vector<uint32_t> frame(Pixels());
    uint32_t at = 0;
    for (auto _ : state) {
        FFX_Render(frame.data(), NextTime(at));
        benchmark::DoNotOptimize(frame.data());
    }
}
BENCHMARK(BM_FfxdemoFrame);

} // namespace

BENCHMARK_MAIN();
